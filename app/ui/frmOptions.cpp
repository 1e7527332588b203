#include "app/ui/frmOptions.h"

#include "app/AppSettings.h"
#include "app/OptionsValues.h"
#include "base/ui/ConfirmButtons.h"
#include "base/ui/KeepOnTop.h"
#include "entry/ui/frmImportNomenclature.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmOptions::frmOptions(AppSettings& settings, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_prompter(prompter), m_delimiters(settings.delimiters)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Optiuni"));
    setModal(true);

    txtName = new QLineEdit(m_settings.surveyorName, this);
    txtName->setObjectName(QStringLiteral("txtName"));
    txtSerial = new QLineEdit(m_settings.surveyorLicense, this);
    txtSerial->setObjectName(QStringLiteral("txtSerial"));
    txtDocumentNo = new QLineEdit(QString::number(m_settings.workNumber), this);
    txtDocumentNo->setObjectName(QStringLiteral("txtDocumentNo"));

    // Alt and the underlined letter reach each field and button from the keyboard.
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Nume autorizat"), txtName);
    fields->addRow(QStringLiteral("S&erie autorizat"), txtSerial);
    fields->addRow(QStringLiteral("N&umar lucrare"), txtDocumentNo);

    auto* frame = new QGroupBox(QStringLiteral("Delimitatori coloane coordonate"), this);
    lstDelimiters = new QListWidget(frame);
    lstDelimiters->setObjectName(QStringLiteral("lstDelimiters"));
    txtDelimiter = new QLineEdit(frame);
    txtDelimiter->setObjectName(QStringLiteral("txtDelimiter"));
    cmdAdd = new QPushButton(QStringLiteral("&Adauga"), frame);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    cmdRemove = new QPushButton(QStringLiteral("&Sterge"), frame);
    cmdRemove->setObjectName(QStringLiteral("cmdRemove"));
    auto* delimiterRow = new QFormLayout;
    delimiterRow->addRow(QStringLiteral("&Delimitator"), txtDelimiter);
    auto* delimiterButtons = new QHBoxLayout;
    delimiterButtons->addWidget(cmdAdd);
    delimiterButtons->addWidget(cmdRemove);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(lstDelimiters);
    frameLayout->addLayout(delimiterRow);
    frameLayout->addLayout(delimiterButtons);

    const ConfirmButtons buttons = ConfirmButtons::create(this);
    cmdOk = buttons.ok;
    cmdExit = buttons.exit;
    // Left of the stretch, apart from OK and Iesire, which keep their place on the right.
    cmdImportNomenclature = new QPushButton(QStringLiteral("&Importa nomenclator..."), this);
    cmdImportNomenclature->setObjectName(QStringLiteral("cmdImportNomenclature"));
    cmdImportNomenclature->setAutoDefault(false);
    buttons.row->insertWidget(0, cmdImportNomenclature);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(frame);
    layout->addLayout(buttons.row);

    connect(cmdAdd, &QPushButton::clicked, this, &frmOptions::addDelimiter);
    // Enter in the delimiter box adds the delimiter instead of confirming the whole dialog.
    txtDelimiter->installEventFilter(this);
    connect(cmdRemove, &QPushButton::clicked, this, &frmOptions::removeDelimiter);
    connect(cmdOk, &QPushButton::clicked, this, &frmOptions::confirm);
    connect(cmdExit, &QPushButton::clicked, this, &frmOptions::reject);
    connect(cmdImportNomenclature, &QPushButton::clicked, this, &frmOptions::importNomenclature);
    m_showImport = [this] {
        frmImportNomenclature dialog(m_settings.paths().importFolder(), m_prompter, this);
        dialog.exec();
        return dialog.imported();
    };
    showLines();
    keepOnTop(this, true);
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtDelimiter && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            addDelimiter();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmOptions::showLines()
{
    lstDelimiters->clear();
    lstDelimiters->addItems(m_delimiters.lines());
}

void frmOptions::addDelimiter()
{
    if (m_delimiters.add(txtDelimiter->text(), m_prompter)) {
        lstDelimiters->addItem(m_delimiters.lines().last());
        txtDelimiter->clear();
    }
}

void frmOptions::removeDelimiter()
{
    const int row = lstDelimiters->currentRow();
    if (lstDelimiters->count() == 0 || row < 0 || !lstDelimiters->currentItem()->isSelected())
        return;
    m_delimiters.remove(row);
    delete lstDelimiters->takeItem(row);
}

void frmOptions::confirm()
{
    const OptionsValues values{txtName->text(), txtSerial->text(), txtDocumentNo->text()};
    if (values.confirm(m_delimiters, m_settings, m_prompter))
        accept();
}

void frmOptions::importNomenclature()
{
    if (m_showImport())
        emit nomenclatureImported();
}

void frmOptions::reject()
{
    // "Iesire", Escape and the window's close box all leave without writing.
    m_settings.cancelFlag = true;
    QDialog::reject();
}
