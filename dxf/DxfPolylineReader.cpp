#include "dxf/DxfPolylineReader.h"

#include "dxf/DxfLineReader.h"

#include <QIODevice>
#include <QStringDecoder>
#include <charconv>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace {

enum class Code
{
    Zero,
    Two,
    Layer,
    X,
    Y,
    Flags,
    Other,
    Invalid
};

// Every integer up to this converts to a double exactly.
constexpr std::uint64_t ExactIntegerLimit = std::uint64_t(1) << 53;

// Some editors start a text file with the UTF-8 byte-order mark; it is no part of the first group code.
std::string_view withoutByteOrderMark(std::string_view line)
{
    constexpr std::string_view mark("\xEF\xBB\xBF");
    if (line.substr(0, mark.size()) == mark)
        line.remove_prefix(mark.size());
    return line;
}

[[gnu::always_inline]] inline bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

[[gnu::always_inline]] inline std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A group code line must hold an integer; anything else means the file is not a text drawing.
// Codes are compared as trimmed texts ("010" is not "10"), so leading zeros make them Other.
[[gnu::always_inline]] inline Code classify(std::string_view line)
{
    const std::string_view code = trimmed(line);
    const std::size_t n = code.size();
    if (n >= 1 && n <= 2 && code[0] >= '0' && code[0] <= '9' &&
        (n == 1 || (code[0] != '0' && code[1] >= '0' && code[1] <= '9'))) {
        const int value = n == 1 ? code[0] - '0' : (code[0] - '0') * 10 + (code[1] - '0');
        switch (value) {
        case 0:
            return Code::Zero;
        case 2:
            return Code::Two;
        case 8:
            return Code::Layer;
        case 10:
            return Code::X;
        case 20:
            return Code::Y;
        case 70:
            return Code::Flags;
        default:
            return Code::Other;
        }
    }
    std::size_t i = (n > 0 && code.front() == '-') ? 1 : 0;
    if (i == n)
        return Code::Invalid;
    for (; i < n; ++i) {
        if (code[i] < '0' || code[i] > '9')
            return Code::Invalid;
    }
    return Code::Other;
}

bool readInteger(std::string_view text, long long* value)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value);
    return error == std::errc() && end == text.data() + text.size();
}

bool validUtf8(std::string_view bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    return !decoder.hasError();
}

QString fileKind(const QByteArray& head)
{
    if (head.startsWith("AutoCAD Binary DXF"))
        return QStringLiteral("Fisierul selectat este un desen .DXF binar. Salvati desenul ca .DXF text (ASCII) "
                              "si importati-l din nou.");
    if (head.startsWith("AC10") || head.startsWith("AC1."))
        return QStringLiteral("Fisierul selectat este un desen .DWG, nu un fisier .DXF text. Salvati desenul ca "
                              ".DXF text si importati-l din nou.");
    return QStringLiteral("Fisierul selectat nu este un fisier .DXF text");
}

} // namespace

double DxfPolylineReader::leadingNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan"; a drawing's number starts with a digit or a point.
    if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.'))
        return 0.0;
    // Fast path for the usual "digits.digits": the digits as an integer up to 2^53 divided by
    // a power of ten up to 10^22 is exactly what a full conversion gives (both are exact
    // doubles, so the one division rounds correctly). Sixteen digits can pass 2^53; those go
    // the full way, as do texts too long to hold at most sixteen digits and a point.
    if (text.size() <= 17) {
        static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                            1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        std::uint64_t mantissa = 0;
        int digits = 0;
        int decimals = 0;
        std::size_t i = 0;
        const std::size_t n = text.size();
        while (i < n && text[i] >= '0' && text[i] <= '9' && digits < 16) {
            mantissa = mantissa * 10 + std::uint64_t(text[i] - '0');
            ++digits;
            ++i;
        }
        if (i < n && text[i] == '.') {
            ++i;
            while (i < n && text[i] >= '0' && text[i] <= '9' && digits < 16) {
                mantissa = mantissa * 10 + std::uint64_t(text[i] - '0');
                ++digits;
                ++decimals;
                ++i;
            }
        }
        const bool more =
            i < n && ((text[i] >= '0' && text[i] <= '9') || text[i] == '.' || text[i] == 'e' || text[i] == 'E');
        if (!more && digits > 0 && mantissa <= ExactIntegerLimit) {
            const double value = double(mantissa) / powers[decimals];
            return negative ? -value : value;
        }
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: what the digits still say is no coordinate anyway.
        return 0.0;
    }
    if (result.ec != std::errc())
        return 0.0;
    return negative ? -value : value;
}

QString DxfPolylineReader::decodeText(std::string_view bytes)
{
    const bool escaped = bytes.find("\\U+") != std::string_view::npos;
    QString text;
    if (!escaped && validUtf8(bytes))
        text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    else
        text = QStringDecoder("windows-1250").decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (!escaped)
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\\') && i + 6 < text.size() && text.mid(i + 1, 2) == QLatin1String("U+")) {
            bool ok = false;
            const uint code = text.mid(i + 3, 4).toUInt(&ok, 16);
            if (ok && text.mid(i + 3, 4).size() == 4) {
                out.append(QChar(char16_t(code)));
                i += 6;
                continue;
            }
        }
        out.append(text[i]);
    }
    return out;
}

namespace {

// One pass over a drawing: the group pairs are read in order and each kind of group has its
// own step. The store gets only what a finished ENTITIES section holds.
class PolylineScan
{
public:
    PolylineScan(QIODevice& device, DxfPolylines& store, const std::function<void()>& onPolyline)
        : m_lines(device), m_store(store), m_onPolyline(onPolyline), m_startCount(store.count())
    {
        // Existing layers of the store keep their indices for the names already known.
        for (int i = 0; i < store.layers().size(); ++i)
            m_layerIndex.emplace(store.layers()[i].toUtf8().toStdString(), i);
    }

    DxfReadResult run()
    {
        for (;;) {
            Code code = Code::Invalid;
            std::string_view value;
            switch (nextPair(&code, &value)) {
            case Pair::Read:
                break;
            case Pair::End:
                notPublished();
                return m_result;
            case Pair::Failed:
                return m_result;
            }
            if (code == Code::Zero && value == "SECTION") {
                if (enterSection())
                    return m_result;
                continue;
            }
            if (!m_inEntities)
                continue;
            if (entityGroup(code, value))
                return m_result;
        }
    }

private:
    enum class Pair
    {
        Read,
        End,
        Failed
    };

    // Reads one group code and its value. End: the file ended cleanly before a code (or in the
    // blank lines some writers leave after EOF); Failed: m_result holds why.
    // nextPair and entityGroup run once per group of the drawing: kept inline in run()'s loop,
    // where the scanner's state stays in registers (about 6% of a large drawing's read).
    [[gnu::always_inline]] Pair nextPair(Code* code, std::string_view* value)
    {
        std::string_view codeLine;
        DxfLineReader::Status status = m_lines.next(&codeLine);
        if (status == DxfLineReader::Status::Failed)
            return failWith(notText());
        if (status == DxfLineReader::Status::End)
            return Pair::End;
        if (m_lines.lineNumber() == 1)
            codeLine = withoutByteOrderMark(codeLine);
        *code = classify(codeLine);
        if (*code == Code::Invalid) {
            // Some writers leave blank lines or a Ctrl-Z after the end-of-file marker.
            if (m_lastWasEof)
                return Pair::End;
            return failWith(notText());
        }
        status = m_lines.next(value);
        if (status == DxfLineReader::Status::Failed)
            return failWith(notText());
        if (status == DxfLineReader::Status::End)
            return failWith(
                fail(QStringLiteral("Fisierul .DXF este incomplet: se termina dupa codul de grup de la linia %1.")
                         .arg(m_lines.lineNumber())));
        m_lastWasEof = *code == Code::Zero && *value == "EOF";
        return Pair::Read;
    }

    // After "0 SECTION": the section's name decides whether its entities are read.
    bool enterSection()
    {
        Code nameCode = Code::Invalid;
        std::string_view name;
        switch (nextPair(&nameCode, &name)) {
        case Pair::Read:
            break;
        case Pair::End:
            return notPublished();
        case Pair::Failed:
            return true;
        }
        if (nameCode == Code::Two && name == "ENTITIES")
            m_inEntities = true;
        return false;
    }

    bool inPoints() const { return m_lightweight || (m_heavy && m_vertexSeen); }
    bool inHeader() const { return m_lightweight || (m_heavy && !m_vertexSeen); }

    [[gnu::always_inline]] bool entityGroup(Code code, std::string_view value)
    {
        switch (code) {
        case Code::Zero:
            return entityStart(value);
        case Code::Layer:
            if (inHeader())
                m_entityLayer = layerOf(value);
            break;
        case Code::X:
            if (inPoints()) {
                ++m_vertexCounter;
                m_pointPending = true;
                m_pointNo = m_vertexCounter;
                m_pointX = DxfPolylineReader::leadingNumber(value);
            }
            break;
        case Code::Y:
            if (inPoints()) {
                m_store.appendVertex(m_pointPending ? m_pointX : 0.0, DxfPolylineReader::leadingNumber(value),
                                     m_pointPending ? m_pointNo : 0);
                m_pointPending = false;
            }
            break;
        case Code::Flags:
            if (inHeader())
                return readFlags(value);
            break;
        default:
            break;
        }
        return false;
    }

    // A "0" group: a new polyline, a vertex of a heavy one, the end of the section, or another
    // entity, each of which ends the polyline being read.
    bool entityStart(std::string_view value)
    {
        if (value == "LWPOLYLINE" || value == "POLYLINE") {
            if ((m_heavy || m_lightweight) && !finishPolyline())
                return noVertex();
            m_vertexSeen = false;
            beginPolyline();
            m_lightweight = value == "LWPOLYLINE";
            m_heavy = !m_lightweight;
        } else if (value == "VERTEX") {
            if (m_heavy)
                m_vertexSeen = true;
        } else if (value == "ENDSEC") {
            if (inPoints() && !finishPolyline())
                return noVertex();
            m_store.dropOpenVertices();
            m_result.status = DxfReadResult::Published;
            m_result.polylines = m_store.count() - m_startCount;
            return true;
        } else if (inPoints()) {
            if (!finishPolyline())
                return noVertex();
            m_lightweight = m_heavy = m_vertexSeen = false;
        }
        return false;
    }

    bool readFlags(std::string_view value)
    {
        long long flags = 0;
        if (!readInteger(value, &flags))
            return fail(QStringLiteral("Fisierul .DXF este deteriorat: valoarea grupului 70 de la linia %1 "
                                       "nu este un numar intreg.")
                            .arg(m_lines.lineNumber()));
        // Bit 1 is "closed" for both polyline kinds; the other bits (plinegen, 3D, ...) do not matter here.
        m_closed = (flags & 1) != 0;
        return false;
    }

    void beginPolyline()
    {
        m_vertexCounter = 0;
        m_closed = false;
        m_entityLayer = -1;
        m_polylineLine = m_lines.lineNumber();
        m_store.dropOpenVertices();
    }

    // Keeps the polyline when it is closed (flagged, or ending where it starts with 3 points or
    // more). Returns false when it has no vertex at all, which a drawing should never hold.
    bool finishPolyline()
    {
        const std::uint32_t first = m_store.begin(m_store.count() + 1);
        const std::uint32_t count = m_store.vertexCount() - first;
        if (count == 0)
            return false;
        bool keep = false;
        if (m_closed) {
            m_store.appendVertex(m_store.x(first), m_store.y(first), m_store.number(first));
            keep = true;
        } else {
            const std::uint32_t last = m_store.vertexCount() - 1;
            keep = count >= 3 && m_store.x(first) == m_store.x(last) && m_store.y(first) == m_store.y(last);
        }
        if (!keep) {
            m_store.dropOpenVertices();
            return true;
        }
        m_store.closePolyline(m_entityLayer < 0 ? layerOf(std::string_view()) : m_entityLayer);
        if (m_onPolyline)
            m_onPolyline();
        return true;
    }

    int layerOf(std::string_view bytes)
    {
        if (m_lastLayer >= 0 && bytes == m_lastLayerBytes)
            return m_lastLayer;
        m_lastLayerBytes.assign(bytes.data(), bytes.size());
        const auto found = m_layerIndex.find(m_lastLayerBytes);
        if (found != m_layerIndex.end())
            return m_lastLayer = found->second;
        m_lastLayer = m_store.addLayer(DxfPolylineReader::decodeText(bytes));
        m_layerIndex.emplace(m_lastLayerBytes, m_lastLayer);
        return m_lastLayer;
    }

    // The failure is already in m_result; this only tells the caller to stop.
    static Pair failWith(bool) { return Pair::Failed; }

    // Each of these notes how the read ends in m_result and returns true: stop reading.
    bool fail(const QString& message)
    {
        m_store.truncate(m_startCount);
        m_store.dropOpenVertices();
        m_result.status = DxfReadResult::Failed;
        m_result.message = message;
        m_result.polylines = 0;
        return true;
    }

    bool notText() { return fail(fileKind(m_lines.head()) + QStringLiteral(" (linia %1).").arg(m_lines.lineNumber())); }

    bool noVertex()
    {
        return fail(QStringLiteral("Fisierul .DXF este deteriorat: polilinia care incepe la linia %1 nu are niciun "
                                   "varf.")
                        .arg(m_polylineLine));
    }

    // The file ended before the ENTITIES section did: nothing is kept.
    bool notPublished()
    {
        m_store.truncate(m_startCount);
        m_store.dropOpenVertices();
        m_result.status = DxfReadResult::NotPublished;
        return true;
    }

    DxfLineReader m_lines;
    DxfPolylines& m_store;
    const std::function<void()>& m_onPolyline;
    const int m_startCount;
    DxfReadResult m_result;

    bool m_inEntities = false;
    bool m_lightweight = false;
    bool m_heavy = false;
    bool m_vertexSeen = false;
    bool m_closed = false;
    bool m_lastWasEof = false;
    std::int32_t m_vertexCounter = 0;
    qint64 m_polylineLine = 0;
    // The point being filled: group 10 starts it, group 20 appends it.
    bool m_pointPending = false;
    double m_pointX = 0.0;
    std::int32_t m_pointNo = 0;
    int m_entityLayer = -1;

    std::unordered_map<std::string, int> m_layerIndex;
    std::string m_lastLayerBytes;
    int m_lastLayer = -1;
};

} // namespace

DxfReadResult DxfPolylineReader::read(QIODevice& device, DxfPolylines& store)
{
    return PolylineScan(device, store, onPolyline).run();
}
