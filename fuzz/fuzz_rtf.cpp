// RTF composer fed with arbitrary text and parameters: every call succeeds or fails with an
// error, and whatever text goes in, the document's groups stay balanced.
#include "FuzzInput.h"
#include "scrivel/RTFDoc.h"

namespace {
// True when every "{" has its "}" (escaped braces and hex escapes do not count).
bool balanced(const QByteArray& rtf)
{
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\') {
            ++i;
        } else if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth < 0)
                return false;
        }
    }
    return depth == 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    RTFDoc doc;
    static const char* const fonts[] = {"Arial", "Times New Roman", "Courier New"};
    const int font = doc.Fonts(QVariant(QString::fromLatin1(fonts[in.pick(3)])));
    const int color = doc.Colors(in.number(), in.number(), in.number());
    doc.PaperFormat(297, 210, in.number(), 10, 10, 10, in.pick(2));
    const int rows = in.pick(4);
    const int columns = in.pick(4);
    if (rows > 0 && columns > 0)
        doc.DefineTable(rows, columns, in.number(), in.number(), in.pick(4), in.pick(3));
    bool raw = false;
    while (in.remaining() > 0) {
        const int action = in.pick(4);
        const QString text = QString::fromUtf8(in.bytes(in.pick(64)));
        const QString run =
            doc.DefineTextData(text, in.pick(3) ? font : in.number(), in.pick(3) ? color : in.number(), in.pick(5),
                               in.pick(3) ? 10 : in.number(), in.pick(2), in.pick(2), in.pick(2));
        switch (action) {
        case 0:
            doc.AddText(run, in.pick(2));
            break;
        case 1:
            doc.AddText(text, true); // raw text as RTF: may be anything
            raw = true;
            break;
        case 2:
            doc.AddTableCell(in.pick(5), in.pick(5), run, in.number(), in.pick(3), in.pick(2), in.pick(2));
            break;
        default:
            doc.AddEmptyLines(in.pick(3));
            break;
        }
    }
    doc.EndTable();
    const QByteArray rtf = doc.toRtf();
    FUZZ_CHECK(doc.lineCount() <= 32767);
    // Raw text added as RTF may unbalance it on purpose; runs never do.
    if (!raw)
        FUZZ_CHECK(balanced(rtf));
    return 0;
}
