#include "plan/ui/frmInventory.h"

#include "base/Prompter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

frmInventory::frmInventory(CoordinateInventory inventory, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_inventory(std::move(inventory)), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmInventory"));
    setWindowTitle(QStringLiteral("Inventar de coordonate"));
    resize(560, 600);
    m_writeClipboard = [](const QString& text) { QGuiApplication::clipboard()->setText(text); };

    grdInventory = new QTableWidget(this);
    grdInventory->setObjectName(QStringLiteral("grdInventory"));
    grdInventory->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fillTable();

    cmdCopy = new QPushButton(QStringLiteral("Copiaza"), this);
    cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
    cmdExport = new QPushButton(QStringLiteral("Export CSV..."), this);
    cmdExport->setObjectName(QStringLiteral("cmdExport"));
    cmdClose = new QPushButton(QStringLiteral("Inchide"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdCopy, &QPushButton::clicked, this, &frmInventory::copyToClipboard);
    connect(cmdExport, &QPushButton::clicked, this, &frmInventory::exportCsv);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdCopy);
    buttons->addWidget(cmdExport);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grdInventory, 1);
    layout->addLayout(buttons);
}

void frmInventory::fillTable()
{
    const QStringList headers{QStringLiteral("Contur"), QStringLiteral("Nr."), QStringLiteral("X (Est)"),
                              QStringLiteral("Y (Nord)"), QStringLiteral("D [m]")};
    grdInventory->setColumnCount(headers.size());
    grdInventory->setHorizontalHeaderLabels(headers);
    grdInventory->verticalHeader()->setVisible(false);
    grdInventory->verticalHeader()->setDefaultSectionSize(grdInventory->fontMetrics().height() + 6);
    grdInventory->setRowCount(m_inventory.pointCount() + int(m_inventory.contours().size()));
    int row = 0;
    const auto put = [this](int row, int column, const QString& text, bool right) {
        auto* item = new QTableWidgetItem(text);
        if (right)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grdInventory->setItem(row, column, item);
    };
    for (const InventoryContour& contour : m_inventory.contours()) {
        for (const InventoryPoint& point : contour.points) {
            put(row, 0, contour.name, false);
            put(row, 1, point.no, false);
            put(row, 2, CoordinateInventory::coordinateText(point.x), true);
            put(row, 3, CoordinateInventory::coordinateText(point.y), true);
            put(row, 4, CoordinateInventory::lengthText(point.side), true);
            ++row;
        }
        put(row, 0, contour.name, false);
        put(row, 1, QStringLiteral("S = ") + CoordinateInventory::lengthText(contour.area) + QStringLiteral(" mp"),
            false);
        put(row, 2, QStringLiteral("P = ") + CoordinateInventory::lengthText(contour.perimeter) + QStringLiteral(" m"),
            false);
        ++row;
    }
    grdInventory->resizeColumnsToContents();
}

void frmInventory::copyToClipboard()
{
    m_writeClipboard(m_inventory.toCsv());
}

bool frmInventory::exportCsv()
{
    QString name = m_prompter.saveFileName(QStringLiteral("Export inventar de coordonate"),
                                           QStringLiteral("(*.CSV)|*.CSV*|"), QStringLiteral("inventar.csv"));
    if (name.trimmed().isEmpty())
        return false;
    if (!name.toUpper().endsWith(QLatin1String(".CSV")))
        name += QStringLiteral(".csv");
    const QByteArray bytes = m_inventory.toCsv().toUtf8();
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        m_prompter.showError(ErrorNumber::PathFileAccess, file.errorString());
        return false;
    }
    return true;
}
