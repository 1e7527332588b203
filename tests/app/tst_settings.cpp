#include "app/AppSettings.h"
#include "app/DelimiterList.h"
#include "app/StartUp.h"
#include "base/FileSystem.h"
#include "base/IniFile.h"
#include "base/NumberText.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_settings : public QObject
{
    Q_OBJECT

private:
    static QByteArray content(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void missingFileReadsEmpty()
    {
        QTemporaryDir dir;
        QCOMPARE(IniFile::read("Setari", "NumeAutorizat", dir.filePath("Lotmark.INI")), QString());
        AppSettings settings(dir.path());
        settings.load();
        QVERIFY(settings.surveyorName.isEmpty());
        QCOMPARE(settings.workNumber, std::int16_t(0));
        QVERIFY(settings.delimiters.isEmpty());
    }

    void writeCreatesFileSectionAndKeyAndKeepsOtherLines()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Lotmark.INI");
        QVERIFY(IniFile::write("Setari", "NumeAutorizat", "Pop Ion", path));
        QCOMPARE(IniFile::read("Setari", "NumeAutorizat", path), QString("Pop Ion"));

        writeFile(path,
                  "; comentariu\r\n[Alta]\r\nNumeAutorizat=altcineva\r\n\r\n[setari]\r\nnumeautorizat = vechi \r\n"
                  "SerieAutorizat=RO-1\r\n\r\n[Ultima]\r\nx=1\r\n");
        QCOMPARE(IniFile::read("Setari", "NumeAutorizat", path), QString("vechi"));
        QVERIFY(IniFile::write("Setari", "NumeAutorizat", "nou", path));
        QVERIFY(IniFile::write("Setari", "NumarLucrare", "7", path));
        QCOMPARE(content(path), QByteArray("; comentariu\r\n[Alta]\r\nNumeAutorizat=altcineva\r\n\r\n[setari]\r\n"
                                           "NumeAutorizat=nou\r\nSerieAutorizat=RO-1\r\nNumarLucrare=7\r\n\r\n"
                                           "[Ultima]\r\nx=1\r\n"));
        QCOMPARE(IniFile::read("Alta", "NumeAutorizat", path), QString("altcineva"));
    }

    void valuesAreVerbatimAndCappedAt254()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Lotmark.INI");
        QVERIFY(IniFile::write("Setari", "Delimitatori", "9,32,13&10", path));
        QCOMPARE(IniFile::read("Setari", "Delimitatori", path), QString("9,32,13&10"));
        QVERIFY(IniFile::write("Setari", "NumeAutorizat", "\"Ștefan\" a=b", path));
        QCOMPARE(IniFile::read("Setari", "NumeAutorizat", path), QString("\"Ştefan\" a=b"));
        QVERIFY(IniFile::write("Setari", "Lung", QString(300, 'x'), path));
        QCOMPARE(IniFile::read("Setari", "Lung", path).size(), 254);
    }

    void failedWriteLeavesFileAlone()
    {
        QTemporaryDir dir;
        QVERIFY(!IniFile::write("Setari", "NumeAutorizat", "x", dir.filePath("nu/exista/Lotmark.INI")));
    }

    void delimiterList_data()
    {
        QTest::addColumn<QString>("coded");
        QTest::addColumn<QStringList>("delimiters");
        QTest::newRow("tab and blank") << "9,32" << QStringList{"\t", " "};
        QTest::newRow("three") << "9,32,59" << QStringList{"\t", " ", ";"};
        QTest::newRow("two-character") << "13&10" << QStringList{"\r\n"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("empty entry") << "9,,32" << QStringList{"\t", "", " "};
        QTest::newRow("tilde splits") << "97&126&98" << QStringList{"a", "b"};
        QTest::newRow("bad piece skipped") << "9,x&59,300" << QStringList{"\t", ";", ""};
    }
    void delimiterList()
    {
        QFETCH(QString, coded);
        QFETCH(QStringList, delimiters);
        QCOMPARE(DelimiterList::parse(coded), delimiters);
    }

    void delimiterListRoundTrip()
    {
        const QStringList list{"\t", " ", ";", "\r\n", ","};
        QCOMPARE(DelimiterList::encode(list), QString("9,32,59,13&10,44"));
        QCOMPARE(DelimiterList::parse(DelimiterList::encode(list)), list);
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("trailing letters") << "12abc" << 12.0;
        QTest::newRow("decimal") << "2.5" << 2.5;
        QTest::newRow("comma stops") << "12,5" << 12.0;
        QTest::newRow("blanks ignored") << " 1 2 3" << 123.0;
        QTest::newRow("negative") << "-4.25m" << -4.25;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("lone e") << "5e" << 5.0;
        QTest::newRow("none") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("point only") << "." << 0.0;
        QTest::newRow("leading point") << ".5" << 0.5;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(NumberText::leadingNumber(text), value);
    }

    void workNumber_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("workNumber");
        QTest::newRow("12abc") << "12abc" << 12;
        QTest::newRow("2.5 to even") << "2.5" << 2;
        QTest::newRow("3.5 to even") << "3.5" << 4;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("too large stays at the limit") << "99999" << 32767;
    }
    void workNumber()
    {
        QFETCH(QString, stored);
        QFETCH(int, workNumber);
        QTemporaryDir dir;
        AppSettings settings(dir.path());
        QVERIFY(settings.write(AppSettings::KeyWorkNumber, stored));
        settings.load();
        QCOMPARE(int(settings.workNumber), workNumber);
    }

    void numericKeyFilter()
    {
        for (int code : {int('7'), int(','), int('.'), 8, 13, int('0'), int('9')})
            QCOMPARE(NumberText::numericKeyFilter(code), code);
        for (int code : {int('a'), int('-'), int(' '), 0x103})
            QCOMPARE(NumberText::numericKeyFilter(code), 0);
    }

    void startUpShowsOptionsUntilBothNamesAreSet()
    {
        QTemporaryDir dir;
        AppSettings settings(dir.path());
        int shown = 0;
        const bool proceed = StartUp::run(settings, [&](AppSettings& s) {
            ++shown;
            if (shown == 1)
                s.surveyorName = "Pop Ion"; // only the name: the dialog comes back
            else
                s.surveyorLicense = "RO-B-F 12";
        });
        QVERIFY(proceed);
        QCOMPARE(shown, 2);
    }

    void startUpEndsWhenOptionsAreLeftWithExit()
    {
        QTemporaryDir dir;
        AppSettings settings(dir.path());
        int shown = 0;
        QVERIFY(!StartUp::run(settings, [&](AppSettings& s) {
            ++shown;
            s.cancelFlag = true;
        }));
        QCOMPARE(shown, 1);
    }

    void startUpWithSettingsSkipsOptions()
    {
        QTemporaryDir dir;
        AppSettings settings(dir.path());
        settings.write(AppSettings::KeySurveyorName, "Pop Ion");
        settings.write(AppSettings::KeySurveyorLicense, "RO-1");
        settings.write(AppSettings::KeyDelimiters, "9,32");
        QVERIFY(StartUp::run(settings, [](AppSettings&) { QFAIL("options shown"); }));
        QCOMPARE(settings.delimiters, (QStringList{"\t", " "}));
    }

    void fileExists()
    {
        QTemporaryDir dir;
        QVERIFY(!FileSystem::fileExists(dir.path()));
        QVERIFY(!FileSystem::fileExists(dir.filePath("absent")));
        QVERIFY(!FileSystem::fileExists(QString()));
        writeFile(dir.filePath(".hidden"), "x");
        QVERIFY(FileSystem::fileExists(dir.filePath(".hidden")));
    }
};

QTEST_GUILESS_MAIN(tst_settings)
#include "tst_settings.moc"
