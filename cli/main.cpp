#include "cli/CommandRegistry.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    // Sheets draw the sketch into an image: a GUI application, but never a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runCli(app.arguments().mid(1), out, err);
}
