#include "entry/LookUpFilter.h"

#include <QtTest>

class tst_LookUpFilter : public QObject
{
    Q_OBJECT

private slots:
    void parsesTheFormsFilters_data();
    void parsesTheFormsFilters();
    void refusesAnythingElse_data();
    void refusesAnythingElse();
    void propertyValues_data();
    void propertyValues();
};

void tst_LookUpFilter::parsesTheFormsFilters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QList<qlonglong>>("values");

    QTest::newRow("county") << "admin_county_id = 1" << QStringList{"admin_county_id"} << QList<qlonglong>{1};
    QTest::newRow("territory and ie") << "admin_id = 1017 AND ie_code = 0" << QStringList{"admin_id", "ie_code"}
                                      << QList<qlonglong>{1017, 0};
    QTest::newRow("three tests") << "admin_id = 179132 AND locality_id = 179141 AND street_type_id = 32"
                                 << QStringList{"admin_id", "locality_id", "street_type_id"}
                                 << QList<qlonglong>{179132, 179141, 32};
    QTest::newRow("no blanks") << "locality_id=1026" << QStringList{"locality_id"} << QList<qlonglong>{1026};
    QTest::newRow("lower-case and, extra blanks")
        << "  a =-5   and  b=+7 " << QStringList{"a", "b"} << QList<qlonglong>{-5, 7};
    QTest::newRow("empty") << "" << QStringList{} << QList<qlonglong>{};
    QTest::newRow("blank") << "   " << QStringList{} << QList<qlonglong>{};
}

void tst_LookUpFilter::parsesTheFormsFilters()
{
    QFETCH(QString, text);
    QFETCH(QStringList, fields);
    QFETCH(QList<qlonglong>, values);
    const auto filter = parseLookUpFilter(text);
    QVERIFY(filter.has_value());
    QCOMPARE(int(filter->tests.size()), fields.size());
    for (int i = 0; i < fields.size(); ++i) {
        QCOMPARE(filter->tests[size_t(i)].field, fields[i]);
        QCOMPARE(filter->tests[size_t(i)].value, values[i]);
    }
}

void tst_LookUpFilter::refusesAnythingElse_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("text value") << "county_name = 'Alba'";
    QTest::newRow("injection") << "admin_id = 1; DROP TABLE Admin";
    QTest::newRow("or") << "admin_id = 1 OR 1 = 1";
    QTest::newRow("other operator") << "admin_id > 1";
    QTest::newRow("no value") << "admin_id =";
    QTest::newRow("no field") << "= 1";
    QTest::newRow("decimal value") << "admin_id = 1.5";
    QTest::newRow("dangling and") << "admin_id = 1 AND";
    QTest::newRow("and glued to value") << "admin_id = 1AND ie_code = 0";
    QTest::newRow("two operators") << "admin_id == 1";
    QTest::newRow("value too large") << "admin_id = 99999999999999999999";
    QTest::newRow("quoted field") << "\"admin_id\" = 1";
    QTest::newRow("field with blank") << "admin id = 1";
}

void tst_LookUpFilter::refusesAnythingElse()
{
    QFETCH(QString, text);
    QVERIFY(!parseLookUpFilter(text).has_value());
}

void tst_LookUpFilter::propertyValues_data()
{
    QTest::addColumn<QVariant>("filter");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("tests");
    QTest::newRow("nothing") << QVariant() << true << 0;
    QTest::newRow("number 0") << QVariant(0) << true << 0;
    QTest::newRow("64-bit 0") << QVariant(qlonglong(0)) << true << 0;
    QTest::newRow("number 1") << QVariant(1) << false << 0;
    QTest::newRow("text") << QVariant(QStringLiteral("ie_code = 1")) << true << 1;
    QTest::newRow("empty text") << QVariant(QString()) << true << 0;
    QTest::newRow("double") << QVariant(0.0) << false << 0;
}

void tst_LookUpFilter::propertyValues()
{
    QFETCH(QVariant, filter);
    QFETCH(bool, valid);
    QFETCH(int, tests);
    const auto parsed = lookUpFilterFromVariant(filter);
    QCOMPARE(parsed.has_value(), valid);
    if (parsed)
        QCOMPARE(int(parsed->tests.size()), tests);
}

QTEST_GUILESS_MAIN(tst_LookUpFilter)
#include "tst_lookupfilter.moc"
