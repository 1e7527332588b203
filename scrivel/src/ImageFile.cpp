#include "scrivel/ImageFile.h"

#include <QBuffer>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

namespace {

const QString overflowText = QStringLiteral("Overflow");
const QString subscriptText = QStringLiteral("Subscript out of range");
const QString invalidText = QStringLiteral("Invalid procedure call or argument");
const QString memoryText = QStringLiteral("Out of memory");

// Row stride of a 24-bit row padded to 4 bytes, or -1 when the buffer would not fit the
// 32-bit sizes of a bitmap description.
qint64 strideFor(qint64 width)
{
    const qint64 stride = (3 * width + 3) / 4 * 4;
    return stride > std::numeric_limits<qint32>::max() ? -1 : stride;
}

qint64 bufferSize(qint64 width, qint64 height)
{
    const qint64 stride = strideFor(width);
    if (stride < 0 || height < 0)
        return -1;
    const qint64 size = stride * height;
    return size > std::numeric_limits<qint32>::max() ? -1 : size;
}

// A zeroed buffer of the given size; false when memory runs out.
bool allocate(QByteArray& bits, qsizetype size)
{
    try {
        bits = QByteArray(size, '\0');
    } catch (const std::bad_alloc&) {
        bits.clear();
        return false;
    }
    return true;
}

} // namespace

ImageFile::ImageFile() = default;
ImageFile::~ImageFile() = default;

bool ImageFile::fail(int number, const QString& description) const
{
    m_lastError = ScrivelError{number, description};
    return false;
}

qsizetype ImageFile::stride() const
{
    return static_cast<qsizetype>(std::max<qint64>(strideFor(m_width), 0));
}

qint16 ImageFile::Padding() const
{
    return static_cast<qint16>(stride() - 3 * qsizetype(m_width));
}

QImage ImageFile::view() const
{
    if (m_width < 1 || m_height < 1 || m_bits.size() < stride() * m_height)
        return QImage();
    return QImage(reinterpret_cast<const uchar*>(m_bits.constData()), m_width, m_height, stride(),
                  QImage::Format_BGR888);
}

void ImageFile::adopt(const QImage& image)
{
    const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
    const qint64 size = bufferSize(bgr.width(), bgr.height());
    QByteArray bits;
    if (bgr.isNull() || size < 0 || !allocate(bits, static_cast<qsizetype>(size))) {
        fail(bgr.isNull() ? 7 : 6, bgr.isNull() ? memoryText : overflowText);
        return;
    }
    const qsizetype rowStride = static_cast<qsizetype>(strideFor(bgr.width()));
    const size_t rowBytes = static_cast<size_t>(3 * bgr.width());
    // Row by row, so that the padding bytes are zero whatever the image held there.
    for (int y = 0; y < bgr.height(); ++y)
        std::memcpy(bits.data() + y * rowStride, bgr.constScanLine(y), rowBytes);
    m_bits = bits;
    m_width = bgr.width();
    m_height = bgr.height();
}

QImage ImageFile::Picture() const
{
    m_lastError = {};
    return view().copy();
}

void ImageFile::setPicture(const QImage& picture)
{
    m_lastError = {};
    Reset();
    if (picture.isNull() || picture.width() < 1 || picture.height() < 1 || picture.depth() < 24)
        return;
    adopt(picture);
}

QByteArray ImageFile::SavePictureToArray(const QImage& PictControl, const char* format) const
{
    m_lastError = {};
    QByteArray bytes;
    if (PictControl.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!PictControl.save(&buffer, format))
        bytes.clear();
    return bytes;
}

bool ImageFile::Resize(qint32 NewWidth, qint32 NewHeight)
{
    m_lastError = {};
    if (m_width < 1)
        return false;
    if (NewWidth < 1 || NewHeight < 1)
        return fail(5, invalidText);
    if (bufferSize(NewWidth, NewHeight) < 0)
        return fail(6, overflowText);
    const QImage source = view();
    if (source.isNull())
        return fail(9, subscriptText);
    // The old picture stays until the scaled one exists, so a failure loses nothing.
    const QImage scaled = source.scaled(NewWidth, NewHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.isNull())
        return fail(7, memoryText);
    adopt(scaled);
    if (m_lastError.isError())
        return false;
    DeleteRegion();
    return true;
}

bool ImageFile::Crop(qint32 X, qint32 Y, qint32 Width, qint32 Height)
{
    m_lastError = {};
    if (m_width < 1)
        return false;
    if (X < 0 || Y < 0 || Width < 1 || Height < 1 || qint64(X) + Width > m_width || qint64(Y) + Height > m_height)
        return fail(5, invalidText);
    if (m_bits.size() < stride() * m_height)
        return fail(9, subscriptText);
    QByteArray bits;
    if (!allocate(bits, static_cast<qsizetype>(bufferSize(Width, Height))))
        return fail(7, memoryText);
    const qsizetype oldStride = stride();
    const qsizetype newStride = static_cast<qsizetype>(strideFor(Width));
    for (qint32 y = 0; y < Height; ++y)
        std::memcpy(bits.data() + y * newStride, m_bits.constData() + (Y + y) * oldStride + 3 * qsizetype(X),
                    static_cast<size_t>(3 * Width));
    m_bits = bits;
    m_width = Width;
    m_height = Height;
    DeleteRegion();
    return true;
}

void ImageFile::FitInto(qint32 Width, qint32 Height, bool EnlargeOK)
{
    m_lastError = {};
    if (m_width < 1 || (Width == m_width && Height == m_height))
        return;
    if (Width < 1 || Height < 1) {
        fail(5, invalidText);
        return;
    }
    const float imageRatio = static_cast<float>(double(m_width) / double(m_height));
    const float boxRatio = static_cast<float>(double(Width) / double(Height));
    double width = Width;
    double height = Height;
    if (boxRatio > imageRatio)
        width = std::nearbyint(double(Height) * double(imageRatio));
    else
        height = std::nearbyint(double(Width) / double(imageRatio));
    // A sliver of an image would round to nothing and could not be scaled at all.
    width = std::max(width, 1.0);
    height = std::max(height, 1.0);
    if ((m_width >= width && m_height >= height) || EnlargeOK)
        Resize(static_cast<qint32>(width), static_cast<qint32>(height));
}

void ImageFile::Rotate()
{
    if (!startRowOperation())
        return;
    const qint32 newWidth = m_height;
    const qint32 newHeight = m_width;
    const qint64 size = bufferSize(newWidth, newHeight);
    QByteArray bits;
    if (size < 0) {
        fail(6, overflowText);
        return;
    }
    if (!allocate(bits, static_cast<qsizetype>(size))) {
        fail(7, memoryText);
        return;
    }
    const qsizetype oldStride = stride();
    const qsizetype newStride = static_cast<qsizetype>(strideFor(newWidth));
    const auto* source = reinterpret_cast<const uchar*>(m_bits.constData());
    auto* target = reinterpret_cast<uchar*>(bits.data());
    // New pixel (x, y) is old pixel (y, oldHeight - 1 - x). Square tiles keep both the rows
    // read and the rows written in cache.
    constexpr qint32 tile = 64;
    for (qint32 y0 = 0; y0 < newHeight; y0 += tile) {
        const qint32 y1 = std::min(y0 + tile, newHeight);
        for (qint32 x0 = 0; x0 < newWidth; x0 += tile) {
            const qint32 x1 = std::min(x0 + tile, newWidth);
            for (qint32 y = y0; y < y1; ++y) {
                uchar* out = target + y * newStride + 3 * qsizetype(x0);
                const uchar* in = source + (m_height - 1 - x0) * oldStride + 3 * qsizetype(y);
                for (qint32 x = x0; x < x1; ++x, out += 3, in -= oldStride) {
                    out[0] = in[0];
                    out[1] = in[1];
                    out[2] = in[2];
                }
            }
        }
    }
    m_bits = bits;
    m_width = newWidth;
    m_height = newHeight;
}

bool ImageFile::startRowOperation() const
{
    // An empty picture has nothing to transform; a buffer shorter than its rows is error 9.
    m_lastError = {};
    if (m_width < 1)
        return false;
    if (m_bits.size() < stride() * m_height)
        return fail(9, subscriptText);
    return true;
}

void ImageFile::FlipX()
{
    if (!startRowOperation())
        return;
    // Each row is mirrored into a spare row and copied back: straight loops over both.
    const qsizetype rowStride = stride();
    const size_t rowBytes = static_cast<size_t>(3 * qsizetype(m_width));
    QByteArray spare(static_cast<qsizetype>(rowBytes), Qt::Uninitialized);
    auto* mirrored = reinterpret_cast<uchar*>(spare.data());
    auto* data = reinterpret_cast<uchar*>(m_bits.data());
    for (qint32 y = 0; y < m_height; ++y) {
        uchar* row = data + y * rowStride;
        const uchar* in = row + rowBytes - 3;
        for (uchar* out = mirrored; out < mirrored + rowBytes; out += 3, in -= 3) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
        std::memcpy(row, mirrored, rowBytes);
    }
}

void ImageFile::FlipY()
{
    if (!startRowOperation())
        return;
    const qsizetype rowStride = stride();
    const size_t rowBytes = static_cast<size_t>(3 * m_width);
    char* data = m_bits.data();
    QByteArray spare(static_cast<qsizetype>(rowBytes), Qt::Uninitialized);
    // Only the pixel bytes move; each row keeps its own padding.
    for (qint32 top = 0, bottom = m_height - 1; top < bottom; ++top, --bottom) {
        char* a = data + top * rowStride;
        char* b = data + bottom * rowStride;
        std::memcpy(spare.data(), a, rowBytes);
        std::memcpy(a, b, rowBytes);
        std::memcpy(b, spare.constData(), rowBytes);
    }
}

void ImageFile::Invert(bool Red, bool Green, bool Blue)
{
    if (!(Red || Green || Blue)) {
        m_lastError = {};
        return;
    }
    if (!startRowOperation())
        return;
    // XOR every row with one row-long mask, eight bytes at a time.
    const qsizetype rowBytes = 3 * qsizetype(m_width);
    QByteArray mask(rowBytes + 8, '\0');
    for (qsizetype i = 0; i < rowBytes; i += 3) {
        mask[i] = Blue ? char(0xFF) : char(0);
        mask[i + 1] = Green ? char(0xFF) : char(0);
        mask[i + 2] = Red ? char(0xFF) : char(0);
    }
    const char* m = mask.constData();
    char* data = m_bits.data();
    const qsizetype rowStride = stride();
    const qsizetype words = rowBytes / 8;
    for (qint32 y = 0; y < m_height; ++y) {
        char* row = data + y * rowStride;
        for (qsizetype w = 0; w < words; ++w) {
            quint64 value, bits;
            std::memcpy(&value, row + 8 * w, 8);
            std::memcpy(&bits, m + 8 * w, 8);
            value ^= bits;
            std::memcpy(row + 8 * w, &value, 8);
        }
        for (qsizetype i = 8 * words; i < rowBytes; ++i)
            row[i] = static_cast<char>(row[i] ^ m[i]);
    }
}

void ImageFile::setBits(const QByteArray& bits)
{
    m_lastError = {};
    m_bits = bits;
}

qsizetype ImageFile::offsetOf(qint32 x, qint32 y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        fail(9, subscriptText);
        return -1;
    }
    const qsizetype offset = y * stride() + 3 * qsizetype(x);
    if (offset + 3 > m_bits.size()) {
        fail(9, subscriptText);
        return -1;
    }
    return offset;
}

qint32 ImageFile::Pixel(qint32 X, qint32 Y) const
{
    m_lastError = {};
    const qsizetype offset = offsetOf(X, Y);
    if (offset < 0)
        return 0;
    const auto* p = reinterpret_cast<const uchar*>(m_bits.constData()) + offset;
    return qint32(p[0]) | (qint32(p[1]) << 8) | (qint32(p[2]) << 16);
}

bool ImageFile::setPixel(qint32 X, qint32 Y, qint32 value)
{
    m_lastError = {};
    const qsizetype offset = offsetOf(X, Y);
    if (offset < 0)
        return false;
    char* p = m_bits.data() + offset;
    p[0] = static_cast<char>(value & 0xFF);
    p[1] = static_cast<char>((value >> 8) & 0xFF);
    p[2] = static_cast<char>((value >> 16) & 0xFF);
    return true;
}

QByteArray ImageFile::PixelB(qint32 X, qint32 Y) const
{
    m_lastError = {};
    const qsizetype offset = offsetOf(X, Y);
    if (offset < 0)
        return {};
    return m_bits.mid(offset, 3);
}

bool ImageFile::setPixelB(qint32 X, qint32 Y, const QByteArray& value)
{
    m_lastError = {};
    if (value.size() < 3)
        return fail(9, subscriptText);
    const qsizetype offset = offsetOf(X, Y);
    if (offset < 0)
        return false;
    std::memcpy(m_bits.data() + offset, value.constData(), 3);
    return true;
}

bool ImageFile::CreateBlank(qint32 Width, qint32 Height)
{
    return CreateBlank(Width, Height, QByteArray(3, '\0'));
}

bool ImageFile::CreateBlank(qint32 Width, qint32 Height, qint32 Fill)
{
    QByteArray pixel(3, '\0');
    pixel[0] = static_cast<char>(Fill & 0xFF);
    pixel[1] = static_cast<char>((Fill >> 8) & 0xFF);
    pixel[2] = static_cast<char>((Fill >> 16) & 0xFF);
    return CreateBlank(Width, Height, pixel);
}

bool ImageFile::CreateBlank(qint32 Width, qint32 Height, const QByteArray& Fill)
{
    m_lastError = {};
    if (Width < 1 || Height < 1)
        return false;
    if (Fill.size() < 3)
        return fail(9, subscriptText);
    const qint64 size = bufferSize(Width, Height);
    if (size < 0)
        return fail(6, overflowText);
    QByteArray bits;
    if (!allocate(bits, static_cast<qsizetype>(size)))
        return fail(7, memoryText);
    const qsizetype rowStride = static_cast<qsizetype>(strideFor(Width));
    char* data = bits.data();
    if (Fill[0] != 0 || Fill[1] != 0 || Fill[2] != 0) {
        for (qint32 x = 0; x < Width; ++x)
            std::memcpy(data + 3 * qsizetype(x), Fill.constData(), 3);
        for (qint32 y = 1; y < Height; ++y)
            std::memcpy(data + y * rowStride, data, static_cast<size_t>(3 * qsizetype(Width)));
    }
    Reset();
    m_bits = bits;
    m_width = Width;
    m_height = Height;
    return true;
}

void ImageFile::CreateRegion(qint32 TransColor)
{
    if (!startRowOperation())
        return;
    DeleteRegion();
    const auto* data = reinterpret_cast<const uchar*>(m_bits.constData());
    const qsizetype rowStride = stride();
    const auto packed = [](const uchar* p) { return qint32(p[0]) | (qint32(p[1]) << 8) | (qint32(p[2]) << 16); };
    // The kept runs of each row form one band; uniting the bands pairwise keeps the work
    // near-linear where one union per run would be quadratic.
    QVector<QRegion> bands;
    bands.reserve(m_height);
    QVector<QRect> runs;
    for (qint32 y = 0; y < m_height; ++y) {
        runs.clear();
        const uchar* row = data + y * rowStride;
        qint32 x = 0;
        while (x < m_width) {
            while (x < m_width && packed(row + 3 * x) == TransColor)
                ++x;
            const qint32 start = x;
            while (x < m_width && packed(row + 3 * x) != TransColor)
                ++x;
            if (x > start)
                runs.append(QRect(start, y, x - start, 1));
        }
        if (!runs.isEmpty()) {
            QRegion band;
            band.setRects(runs.constData(), static_cast<int>(runs.size()));
            bands.append(band);
        }
    }
    while (bands.size() > 1) {
        QVector<QRegion> merged;
        merged.reserve(bands.size() / 2 + 1);
        for (qsizetype i = 0; i + 1 < bands.size(); i += 2)
            merged.append(bands[i].united(bands[i + 1]));
        if (bands.size() % 2)
            merged.append(bands.last());
        bands.swap(merged);
    }
    m_region = bands.isEmpty() ? QRegion() : bands.first();
    m_hasRegion = true;
}

void ImageFile::DeleteRegion()
{
    m_region = QRegion();
    m_hasRegion = false;
}

bool ImageFile::ComparePicture(const ImageFile& Picture) const
{
    m_lastError = {};
    return m_width >= 1 && m_width == Picture.m_width && m_height == Picture.m_height && m_bits == Picture.m_bits;
}

bool ImageFile::ComparePicture(const QImage& Picture) const
{
    ImageFile other;
    other.setPicture(Picture);
    return ComparePicture(other);
}

void ImageFile::Reset()
{
    m_bits.clear();
    m_width = 0;
    m_height = 0;
    DeleteRegion();
}
