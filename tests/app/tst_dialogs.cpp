#include "app/AppSettings.h"
#include "app/MhtDocument.h"
#include "app/ui/frmBuildType.h"
#include "app/ui/frmHelp.h"
#include "app/ui/frmOptions.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

class tst_dialogs : public QObject
{
    Q_OBJECT

private slots:
    void optionsShowTheSettings()
    {
        QTemporaryDir dir;
        AppSettings settings(dir.path());
        settings.surveyorName = "Pop Ion";
        settings.surveyorLicense = "RO-7";
        settings.workNumber = 41;
        settings.delimiters = {"\t", " ", "; "};
        ScriptedPrompter prompter;
        frmOptions dialog(settings, prompter);
        QCOMPARE(dialog.windowTitle(), QString("Optiuni"));
        QCOMPARE(dialog.txtName->text(), QString("Pop Ion"));
        QCOMPARE(dialog.txtDocumentNo->text(), QString("41"));
        QCOMPARE(dialog.lstDelimiters->count(), 3);
        QCOMPARE(dialog.lstDelimiters->item(0)->text(), QString("'{Tab}'"));
        QCOMPARE(dialog.lstDelimiters->item(2)->text(), QString("'; '"));
    }

    // Alt and a letter reaches each field and button of the options, the surveyor's first of
    // all at the first start; no two share a letter.
    void optionsAcceleratorsReachTheirWidgets_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("target");
        QTest::newRow("name") << int(Qt::Key_N) << "txtName";
        QTest::newRow("licence series") << int(Qt::Key_E) << "txtSerial";
        QTest::newRow("work number") << int(Qt::Key_U) << "txtDocumentNo";
        QTest::newRow("delimiter") << int(Qt::Key_D) << "txtDelimiter";
        QTest::newRow("add, from the delimiter typed") << int(Qt::Key_A) << "txtDelimiter"; // ready for the next
    }
    void optionsAcceleratorsReachTheirWidgets()
    {
        QFETCH(int, key);
        QFETCH(QString, target);
        QTemporaryDir dir;
        AppSettings settings(dir.path());
        ScriptedPrompter prompter;
        frmOptions dialog(settings, prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        if (key == Qt::Key_A) {
            dialog.txtDelimiter->setFocus();
            dialog.txtDelimiter->setText(";");
        } else {
            dialog.cmdOk->setFocus();
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), target);
        if (key == Qt::Key_A)
            QTRY_COMPARE(dialog.lstDelimiters->count(), 1); // the button is pressed, as by a click
        QStringList letters;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            letters << label->text();
        for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            letters << button->text();
        QStringList used;
        for (const QString& text : letters) {
            const qsizetype at = text.indexOf('&');
            if (at < 0 || at + 1 >= text.size())
                continue;
            const QString letter = text.mid(at + 1, 1).toLower();
            QVERIFY2(!used.contains(letter), qPrintable(text));
            used << letter;
        }
        QVERIFY(used.size() >= 7);
    }

    void optionsAddRemoveAndConfirm()
    {
        QTemporaryDir dir;
        AppSettings settings(dir.path());
        ScriptedPrompter prompter;
        frmOptions dialog(settings, prompter);
        dialog.show();
        QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
        QCOMPARE(prompter.texts(), QStringList{"Lista delimitatorilor trebuie sa contina cel putin un element."});
        QVERIFY(dialog.isVisible());

        dialog.txtDelimiter->setText(",");
        QTest::mouseClick(dialog.cmdAdd, Qt::LeftButton);
        QCOMPARE(prompter.last().text, QString("Caracterul despartitor ',' este incorect."));
        QCOMPARE(dialog.txtDelimiter->text(), QString(","));
        dialog.txtDelimiter->setText(";");
        QTest::mouseClick(dialog.cmdAdd, Qt::LeftButton);
        QCOMPARE(dialog.txtDelimiter->text(), QString());
        dialog.txtDelimiter->setText("{tab}");
        QTest::keyClick(dialog.txtDelimiter, Qt::Key_Return); // Enter adds, it does not confirm
        QVERIFY(dialog.isVisible());
        dialog.txtDelimiter->setText("x");
        QTest::mouseClick(dialog.cmdAdd, Qt::LeftButton);
        dialog.lstDelimiters->setCurrentRow(2);
        QTest::mouseClick(dialog.cmdRemove, Qt::LeftButton);
        QCOMPARE(dialog.lstDelimiters->count(), 2);

        dialog.txtName->setText("Ionescu");
        dialog.txtSerial->setText("CJ-3");
        dialog.txtDocumentNo->setText("7");
        QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(settings.read(AppSettings::KeyDelimiters), QString("59,9"));
        QCOMPARE(settings.delimiters, (QStringList{";", "\t"}));
        QCOMPARE(settings.surveyorLicense, QString("CJ-3"));
        QCOMPARE(settings.workNumber, std::int16_t(7));
        QVERIFY(!settings.cancelFlag);
    }

    void optionsExitSetsTheCancelFlagAndWritesNothing()
    {
        QTemporaryDir dir;
        AppSettings settings(dir.path());
        ScriptedPrompter prompter;
        frmOptions dialog(settings, prompter);
        dialog.show();
        dialog.txtName->setText("Nou");
        QTest::mouseClick(dialog.cmdExit, Qt::LeftButton);
        QVERIFY(settings.cancelFlag);
        QVERIFY(!QFile::exists(settings.settingsFilePath()));
        QVERIFY(settings.surveyorName.isEmpty());
    }

    void buildType()
    {
        AppSettings settings(QDir::tempPath());
        settings.cancelFlag = true;
        frmBuildType dialog(settings);
        QCOMPARE(dialog.windowTitle(), QString("Tip proprietate"));
        dialog.show();
        dialog.optApartment->setChecked(true);
        QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
        QVERIFY(!settings.cancelFlag);
        QVERIFY(dialog.isApartment());
        frmBuildType second(settings);
        second.show();
        QTest::mouseClick(second.cmdExit, Qt::LeftButton);
        QVERIFY(settings.cancelFlag);
    }

    void helpShowsTheManualOrSaysItIsMissing()
    {
        frmHelp help(TestPaths::source(QStringLiteral("Help/Manual.mht")));
        QCOMPARE(help.windowTitle(), QString("Manual de utilizare"));
        QVERIFY(help.wbHelp->toPlainText().contains("Lista de coordonate"));
        frmHelp missing("/nu/exista/Manual.mht");
        QVERIFY(missing.wbHelp->toPlainText().contains("nu exista"));
    }
};

QTEST_MAIN(tst_dialogs)
#include "tst_dialogs.moc"
