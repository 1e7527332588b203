#pragma once

class QBoxLayout;
class QPushButton;
class QWidget;

// The "OK" / "Iesire" pair of the small dialogs, right-aligned, named cmdOk and cmdExit.
struct ConfirmButtons
{
    QPushButton* ok;
    QPushButton* exit;
    QBoxLayout* row;

    static ConfirmButtons create(QWidget* dialog);
};
