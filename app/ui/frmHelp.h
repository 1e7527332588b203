#pragma once

#include <QWidget>

class QTextBrowser;

// The user manual, shown from the program's Help/Manual.mht without a web engine.
class frmHelp : public QWidget
{
    Q_OBJECT
public:
    explicit frmHelp(const QString& manualPath, QWidget* parent = nullptr);

    QTextBrowser* wbHelp;
};
