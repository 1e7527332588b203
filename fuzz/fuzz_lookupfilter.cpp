// Lookup-table filter: any text parses into integer equality tests or is refused; a parsed
// filter written back in its canonical form parses to the same tests.
#include "FuzzInput.h"
#include "entry/LookUpFilter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<LookUpFilter> filter = parseLookUpFilter(text);
    (void)lookUpFilterFromVariant(QVariant(text));
    if (!filter)
        return 0;
    QStringList parts;
    for (const LookUpFilterTest& test : filter->tests) {
        FUZZ_CHECK(!test.field.isEmpty());
        parts << test.field + QStringLiteral(" = ") + QString::number(test.value);
    }
    const std::optional<LookUpFilter> again = parseLookUpFilter(parts.join(QStringLiteral(" AND ")));
    FUZZ_CHECK(again && again->tests.size() == filter->tests.size());
    for (std::size_t i = 0; i < filter->tests.size(); ++i) {
        FUZZ_CHECK(again->tests[i].field == filter->tests[i].field);
        FUZZ_CHECK(again->tests[i].value == filter->tests[i].value);
    }
    return 0;
}
