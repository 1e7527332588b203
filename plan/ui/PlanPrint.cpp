#include "plan/ui/PlanPrint.h"

#include "plan/SitePlan.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace PlanPrint {

void preview(const SitePlan& plan, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    // The whole sheet is addressed from its corner, so that lengths on paper stay true.
    printer.setFullPage(true);
    printer.setPageLayout(plan.pageLayout());
    printer.setDocName(QStringLiteral("Plan de amplasament"));
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("dlgPlanPreview"));
    dialog.setWindowTitle(QStringLiteral("Plan de amplasament - tiparire"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&plan](QPrinter* target) {
        QPainter painter(target);
        plan.paint(painter, *target);
    });
    dialog.exec();
}

} // namespace PlanPrint
