// Paste parser: pasted text is parsed into rows or refused as a whole; the coordinate list
// takes it or stays as it was.
#include "FuzzInput.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/PasteText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    static const QStringList delimiterSets[] = {
        {QStringLiteral("\t"), QStringLiteral(" ")},
        {QStringLiteral(";")},
        {QStringLiteral(","), QStringLiteral("\t")},
        {QString(), QStringLiteral(" "), QStringLiteral("\r\n")},
    };
    const QStringList& delimiters = delimiterSets[in.pick(4)];
    const int decimals = in.pick(12) - 1;
    const QString separator = in.pick(2) ? QStringLiteral(",") : QStringLiteral(".");
    const bool fixed = in.pick(2);
    const QString text = QString::fromUtf8(in.rest());

    const PasteText::Result result = PasteText::parse(
        text, delimiters, decimals, separator, fixed ? std::optional<QString>(QStringLiteral("C1")) : std::nullopt);
    if (result.outcome == PasteText::Result::Parsed) {
        FUZZ_CHECK(result.line == 0);
    } else {
        FUZZ_CHECK(result.rows.empty());
        FUZZ_CHECK(!PasteText::message(result).isEmpty());
    }

    CoordinateList list(nullptr, separator);
    list.setDelimiters(delimiters);
    list.setDecimalNumber(decimals < 0 ? 0 : decimals);
    list.setCell(1, CoordinateList::EstColumn, QStringLiteral("1"));
    list.setCell(1, CoordinateList::NordColumn, QStringLiteral("2"));
    const int before = list.rowCount();
    if (!list.PasteText(text))
        FUZZ_CHECK(list.rowCount() == before);
    FUZZ_CHECK(list.rowCount() <= CoordinateList::MaximumRows);
    Error error;
    (void)list.Data(&error);
    return 0;
}
