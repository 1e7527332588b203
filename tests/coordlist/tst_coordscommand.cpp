#include "cli/CoordsCommand.h"

#include <QTemporaryDir>
#include <QTest>

// lotmark-cli coords: the rows a total-station export pastes to, and the refusals.
class tst_CoordsCommand : public QObject
{
    Q_OBJECT
private slots:
    void run_data();
    void run();
};

void tst_CoordsCommand::run_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("default delimiters")
        << QByteArray("1\t100.5\t200.25\r\n2;101;201\r\nc1 5  10 20\r\n") << QStringList() << 0
        << "TEREN\t1\t100.500\t200.250\nTEREN\t2\t101.000\t201.000\nC1\t5\t10.000\t20.000\n"
        << "";
    QTest::newRow("comma separator and two decimals")
        << QByteArray("1 100.5 200,256\n") << QStringList{"--separator", ",", "--decimals", "2"} << 0
        << "TEREN\t1\t100,50\t200,26\n"
        << "";
    QTest::newRow("coded delimiters") << QByteArray("1|2|3\r\n") << QStringList{"--delimiters", "124"} << 0
                                      << "TEREN\t1\t2.000\t3.000\n"
                                      << "";
    QTest::newRow("five fields refused") << QByteArray("1 2 3\r\nA 1 2 3 4\r\n") << QStringList() << 1 << ""
                                         << "Linia 2: Se incearca inserarea unui numar prea mare de coloane.\n";
    QTest::newRow("not a number refused") << QByteArray("1 2 x\r\n") << QStringList() << 1 << ""
                                          << "Linia 1: 13 Type mismatch\n";
    QTest::newRow("bad separator") << QByteArray("1 2\r\n") << QStringList{"--separator", ":"} << 2 << ""
                                   << "*";
}

void tst_CoordsCommand::run()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QTemporaryDir dir;
    const QString path = dir.filePath("points.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    QString outText;
    QString errText;
    QTextStream outStream(&outText);
    QTextStream errStream(&errText);
    CoordsCommand command;
    QCOMPARE(command.run(QStringList{path} + options, outStream, errStream), exitCode);
    outStream.flush();
    errStream.flush();
    QCOMPARE(outText, out);
    if (err != "*")
        QCOMPARE(errText, err);
}

QTEST_GUILESS_MAIN(tst_CoordsCommand)
#include "tst_coordscommand.moc"
