// Messages, questions, text prompts and file dialogs open over the window the user is in, and
// stay above it when that window is kept on top (the options dialog, the DXF wizard): a box
// hidden behind such a window leaves the program looking frozen.
#include "app/AppSettings.h"
#include "app/ui/QtPrompter.h"
#include "app/ui/frmMain.h"
#include "coordlist/ui/EditableList.h"
#include "support/ProgramFolder.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

using Step = std::function<void(QWidget* window)>;

// Runs `step` on the next modal window that opens above `current`, from the event loop (the
// window's own exec is running by then).
void whenModalOpens(QWidget* current, Step step)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, current, step] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == current)
            return;
        timer->stop();
        timer->deleteLater();
        step(modal);
    });
    timer->start();
}

QPushButton* button(QWidget* window, const char* name)
{
    return window->findChild<QPushButton*>(QString::fromLatin1(name));
}

} // namespace

Q_DECLARE_METATYPE(Step)

class tst_promptplacement : public QObject
{
    Q_OBJECT

private slots:
    void promptOpensAboveTheWindowInUse_data()
    {
        QTest::addColumn<QString>("command");    // the toolbar command that opens the window in use
        QTest::addColumn<Step>("trigger");       // what the user does in it
        QTest::addColumn<QString>("promptKind"); // the class of the prompt that must open above it
        QTest::addColumn<bool>("keptOnTop");

        QTest::newRow("options: a comma as delimiter, Enter") << "Options" << Step([](QWidget* options) {
            auto* field = options->findChild<QLineEdit*>("txtDelimiter");
            field->setText(",");
            QTest::keyClick(field, Qt::Key_Return);
        }) << "QMessageBox" << true;
        QTest::newRow("options: OK with an empty list") << "Options" << Step([](QWidget* options) {
            auto* list = options->findChild<QListWidget*>("lstDelimiters");
            while (list->count() > 0) {
                list->setCurrentRow(0);
                button(options, "cmdRemove")->click();
            }
            button(options, "cmdOk")->click();
        }) << "QMessageBox" << true;
        QTest::newRow("DXF wizard: the file dialog of \"...\"")
            << "ImportDXF" << Step([](QWidget* wizard) { button(wizard, "cmdOpenFile")->click(); }) << "QFileDialog"
            << true;
        // A window that is not kept on top does not push its prompts above every other window.
        QTest::newRow("main window: the entity name prompt")
            << QString() << Step([](QWidget* window) { static_cast<frmMain*>(window)->coordinateList()->AddEntity(); })
            << "QInputDialog" << false;
    }

    void promptOpensAboveTheWindowInUse()
    {
        QFETCH(QString, command);
        QFETCH(Step, trigger);
        QFETCH(QString, promptKind);
        QFETCH(bool, keptOnTop);

        ProgramFolder folder;
        folder.writeUsualSettings();
        AppSettings settings(folder.dir.path());
        settings.load();
        QtPrompter prompter;
        frmMain window(settings, prompter);
        prompter.setParent(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // The dialogs are gone by the checks: what they were is noted while they are open.
        bool opened = false;
        bool inUseOnTop = false;
        QString promptParent;
        QString kind;
        bool promptOnTop = false;
        const Step watchPrompt = [&](QWidget* dialog) {
            opened = true;
            inUseOnTop = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            whenModalOpens(dialog, [&](QWidget* prompt) {
                kind = QString::fromLatin1(prompt->metaObject()->className());
                QWidget* parent = prompt->parentWidget();
                promptParent = parent == dialog ? QStringLiteral("the window in use")
                               : parent         ? parent->objectName()
                                                : QStringLiteral("none");
                promptOnTop = prompt->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                static_cast<QDialog*>(prompt)->reject();
            });
            trigger(dialog);
            if (dialog != &window)
                static_cast<QDialog*>(dialog)->reject();
        };
        if (command.isEmpty()) {
            watchPrompt(&window);
        } else {
            whenModalOpens(nullptr, watchPrompt);
            window.runCommand(command);
        }
        QVERIFY(opened);
        QCOMPARE(kind, promptKind);
        QCOMPARE(promptParent, QString("the window in use"));
        QCOMPARE(promptOnTop, keptOnTop);
        QCOMPARE(inUseOnTop, keptOnTop);
    }
};

QTEST_MAIN(tst_promptplacement)
#include "tst_promptplacement.moc"
