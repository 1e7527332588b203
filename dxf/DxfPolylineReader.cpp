#include "dxf/DxfPolylineReader.h"

#include "dxf/DxfLineReader.h"

#include <QIODevice>
#include <QStringDecoder>
#include <charconv>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace {

enum class Code { Zero, Two, Layer, X, Y, Flags, Other, Invalid };

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

[[gnu::always_inline]] inline bool isBlank(char c) { return c == ' ' || c == '\t'; }

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
    if (n >= 1 && n <= 2 && code[0] >= '0' && code[0] <= '9' && (n == 1 || (code[0] != '0' && code[1] >= '0' && code[1] <= '9'))) {
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
        const bool more = i < n && ((text[i] >= '0' && text[i] <= '9') || text[i] == '.' || text[i] == 'e' || text[i] == 'E');
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

DxfReadResult DxfPolylineReader::read(QIODevice& device, DxfPolylines& store)
{
    DxfReadResult result;
    const int startCount = store.count();
    DxfLineReader lines(device);
    std::string_view codeLine;
    std::string_view value;

    auto fail = [&](const QString& message) {
        store.truncate(startCount);
        store.dropOpenVertices();
        result.status = DxfReadResult::Failed;
        result.message = message;
        result.polylines = 0;
        return result;
    };
    auto notText = [&]() {
        return fail(fileKind(lines.head()) + QStringLiteral(" (linia %1).").arg(lines.lineNumber()));
    };

    bool inEntities = false;
    bool lightweight = false;
    bool heavy = false;
    bool vertexSeen = false;
    bool closed = false;
    std::int32_t vertexCounter = 0;
    qint64 polylineLine = 0;
    // The point being filled: group 10 starts it, group 20 appends it.
    bool pointPending = false;
    double pointX = 0.0;
    std::int32_t pointNo = 0;
    int entityLayer = -1;
    bool lastWasEof = false;

    std::unordered_map<std::string, int> layerIndex;
    std::string lastLayerBytes;
    int lastLayer = -1;
    auto layerOf = [&](std::string_view bytes) {
        if (lastLayer >= 0 && bytes == lastLayerBytes)
            return lastLayer;
        lastLayerBytes.assign(bytes.data(), bytes.size());
        const auto found = layerIndex.find(lastLayerBytes);
        if (found != layerIndex.end())
            return lastLayer = found->second;
        lastLayer = store.addLayer(decodeText(bytes));
        layerIndex.emplace(lastLayerBytes, lastLayer);
        return lastLayer;
    };
    // Existing layers of the store keep their indices for the names already known.
    for (int i = 0; i < store.layers().size(); ++i)
        layerIndex.emplace(store.layers()[i].toUtf8().toStdString(), i);

    // Returns false when the polyline has no vertex at all, which a drawing should never hold.
    auto finish = [&]() {
        const std::uint32_t first = store.begin(store.count() + 1);
        const std::uint32_t count = store.vertexCount() - first;
        if (count == 0)
            return false;
        bool keep = false;
        if (closed) {
            store.appendVertex(store.x(first), store.y(first), store.number(first));
            keep = true;
        } else {
            const std::uint32_t last = store.vertexCount() - 1;
            keep = count >= 3 && store.x(first) == store.x(last) && store.y(first) == store.y(last);
        }
        if (keep) {
            store.closePolyline(entityLayer < 0 ? layerOf(std::string_view()) : entityLayer);
            if (onPolyline)
                onPolyline();
        } else {
            store.dropOpenVertices();
        }
        return true;
    };
    auto noVertex = [&]() {
        return fail(QStringLiteral("Fisierul .DXF este deteriorat: polilinia care incepe la linia %1 nu are niciun "
                                   "varf.")
                        .arg(polylineLine));
    };
    auto begin = [&]() {
        vertexCounter = 0;
        closed = false;
        entityLayer = -1;
        polylineLine = lines.lineNumber();
        store.dropOpenVertices();
    };

    for (;;) {
        DxfLineReader::Status status = lines.next(&codeLine);
        if (status == DxfLineReader::Status::Failed)
            return notText();
        if (status == DxfLineReader::Status::End)
            break;
        if (lines.lineNumber() == 1)
            codeLine = withoutByteOrderMark(codeLine);
        const Code code = classify(codeLine);
        if (code == Code::Invalid) {
            // Some writers leave blank lines or a Ctrl-Z after the end-of-file marker.
            if (lastWasEof)
                break;
            return notText();
        }
        status = lines.next(&value);
        if (status == DxfLineReader::Status::Failed)
            return notText();
        if (status == DxfLineReader::Status::End)
            return fail(QStringLiteral("Fisierul .DXF este incomplet: se termina dupa codul de grup de la linia %1.")
                            .arg(lines.lineNumber()));
        lastWasEof = code == Code::Zero && value == "EOF";

        if (code == Code::Zero && value == "SECTION") {
            status = lines.next(&codeLine);
            if (status == DxfLineReader::Status::Failed)
                return notText();
            if (status == DxfLineReader::Status::End)
                break;
            const Code nameCode = classify(codeLine);
            if (nameCode == Code::Invalid)
                return notText();
            status = lines.next(&value);
            if (status == DxfLineReader::Status::Failed)
                return notText();
            if (status == DxfLineReader::Status::End)
                return fail(QStringLiteral("Fisierul .DXF este incomplet: se termina dupa codul de grup de la linia %1.")
                                .arg(lines.lineNumber()));
            if (nameCode == Code::Two && value == "ENTITIES")
                inEntities = true;
            continue;
        }
        if (!inEntities)
            continue;

        switch (code) {
        case Code::Zero:
            if (value == "LWPOLYLINE" || value == "POLYLINE") {
                if (heavy || lightweight) {
                    if (!finish())
                        return noVertex();
                }
                vertexSeen = false;
                begin();
                lightweight = value == "LWPOLYLINE";
                heavy = !lightweight;
            } else if (value == "VERTEX") {
                if (heavy)
                    vertexSeen = true;
            } else if (value == "ENDSEC") {
                if (lightweight || (heavy && vertexSeen)) {
                    if (!finish())
                        return noVertex();
                }
                store.dropOpenVertices();
                result.status = DxfReadResult::Published;
                result.polylines = store.count() - startCount;
                return result;
            } else if (lightweight || (heavy && vertexSeen)) {
                if (!finish())
                    return noVertex();
                lightweight = heavy = vertexSeen = false;
            }
            break;
        case Code::Layer:
            if (lightweight || (heavy && !vertexSeen))
                entityLayer = layerOf(value);
            break;
        case Code::X:
            if (lightweight || (heavy && vertexSeen)) {
                ++vertexCounter;
                pointPending = true;
                pointNo = vertexCounter;
                pointX = leadingNumber(value);
            }
            break;
        case Code::Y:
            if (lightweight || (heavy && vertexSeen)) {
                store.appendVertex(pointPending ? pointX : 0.0, leadingNumber(value), pointPending ? pointNo : 0);
                pointPending = false;
            }
            break;
        case Code::Flags:
            if (lightweight || (heavy && !vertexSeen)) {
                long long flags = 0;
                if (!readInteger(value, &flags))
                    return fail(QStringLiteral("Fisierul .DXF este deteriorat: valoarea grupului 70 de la linia %1 "
                                               "nu este un numar intreg.")
                                    .arg(lines.lineNumber()));
                // Bit 1 is "closed" for both polyline kinds; the other bits (plinegen, 3D, ...) do not matter here.
                closed = (flags & 1) != 0;
            }
            break;
        default:
            break;
        }
    }
    store.truncate(startCount);
    store.dropOpenVertices();
    result.status = DxfReadResult::NotPublished;
    return result;
}
