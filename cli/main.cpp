#include "cli/CommandRegistry.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

namespace {
// Standard error carries the command's own messages only. Qt's notes about its environment
// ("QStandardPaths: XDG_RUNTIME_DIR not set" when no desktop session started the command)
// would mix into them, and none of them is a failure of the command, which reports its own.
void keepQtMessagesOffTheStreams(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg)
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
    std::abort();
}
} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(keepQtMessagesOffTheStreams);
    // Sheets draw the sketch into an image: a GUI application, but never a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runCli(app.arguments().mid(1), out, err);
}
