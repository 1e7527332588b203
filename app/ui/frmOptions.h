#pragma once

#include "app/DelimiterEditor.h"

#include <QDialog>

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

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addDelimiter();
    void removeDelimiter();
    void confirm();
    void showLines();

    AppSettings& m_settings;
    Prompter& m_prompter;
    DelimiterEditor m_delimiters;
};
