#pragma once

#include "app/DelimiterEditor.h"

#include <QDialog>
#include <functional>

class AppSettings;
class Prompter;
class QLineEdit;
class QListWidget;
class QPushButton;

// The options dialog: surveyor's name, licence series, work number and the coordinate
// delimiters. Confirming writes Lotmark.INI; leaving with "Iesire" sets the cancel flag.
class frmOptions : public QDialog
{
    Q_OBJECT
public:
    frmOptions(AppSettings& settings, Prompter& prompter, QWidget* parent = nullptr);

    QLineEdit* txtName;
    QLineEdit* txtSerial;
    QLineEdit* txtDocumentNo;
    QListWidget* lstDelimiters;
    QLineEdit* txtDelimiter;
    QPushButton* cmdAdd;
    QPushButton* cmdRemove;
    QPushButton* cmdOk;
    QPushButton* cmdExit;
    // Opens the nomenclature import; not part of confirming or leaving the dialog.
    QPushButton* cmdImportNomenclature;

    // The import window, replaceable by tests: shows it modally and returns true when new
    // tables were written.
    void setImportShower(std::function<bool()> shower) { m_showImport = std::move(shower); }

signals:
    // New tables are in the Data folder (written at once, whether the dialog is then confirmed
    // or left).
    void nomenclatureImported();

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addDelimiter();
    void removeDelimiter();
    void confirm();
    void showLines();
    void importNomenclature();

    AppSettings& m_settings;
    Prompter& m_prompter;
    DelimiterEditor m_delimiters;
    std::function<bool()> m_showImport;
};
