#include "app/ui/frmHelp.h"

#include "app/MhtDocument.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

frmHelp::frmHelp(const QString& manualPath, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Manual de utilizare"));
    resize(820, 680);
    wbHelp = new QTextBrowser(this);
    wbHelp->setObjectName(QStringLiteral("wbHelp"));
    wbHelp->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(wbHelp);

    const QString html = QFileInfo::exists(manualPath) ? MhtDocument::htmlOfFile(manualPath) : QString();
    if (html.isEmpty())
        wbHelp->setHtml(QStringLiteral("<h2>Pagina nu a fost gasita</h2><p>Manualul nu exista: %1</p>")
                            .arg(manualPath.toHtmlEscaped()));
    else
        wbHelp->setHtml(html);
}
