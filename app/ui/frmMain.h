#pragma once

#include <QMainWindow>

class AppSettings;

// The main window of the program.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(AppSettings& settings, QWidget* parent = nullptr);

private:
    AppSettings& m_settings;
};
