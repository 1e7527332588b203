#pragma once

#include "scrivel/ScrivelError.h"
#include "scrivel/ScrivelExport.h"

#include <QByteArray>
#include <QImage>
#include <QRegion>

// One picture as an uncompressed 24-bit pixel buffer, with the transforms the property sheet
// needs (fit, scale, crop, rotate, mirror, invert) and conversions from and to QImage.
//
// The buffer (Bits) is top-down: row 0 is the top row, each pixel is blue, green, red, and each
// row is padded to a multiple of 4 bytes (Padding() bytes, 0 to 3). Pixel values are packed as
// blue + 256 * green + 65536 * red.
//
// Operations on an empty buffer do nothing and return false, 0 or an empty value. A failing
// operation leaves the picture as it was and sets lastError(); every call resets it first.
class SCRIVEL_EXPORT ImageFile
{
public:
    ImageFile();
    ~ImageFile();
    ImageFile(const ImageFile&) = default;
    ImageFile& operator=(const ImageFile&) = default;

    // A copy of the buffer as an image of format BGR888; a null image when empty.
    QImage Picture() const;
    // Replaces the buffer with the picture's pixels. Only pictures of at least 24 bits per
    // pixel are taken; any other picture (indexed, 16-bit, null) leaves the buffer empty.
    void setPicture(const QImage& picture);

    // The bytes of an image file holding PictControl, encoded in memory: a Windows bitmap by
    // default, or any format Qt writes ("JPG", "PNG"). Empty for a null picture or a failed
    // encoding. The object's own buffer is not touched.
    QByteArray SavePictureToArray(const QImage& PictControl, const char* format = "BMP") const;

    // Scales to NewWidth x NewHeight (smooth filtering); deletes the region.
    bool Resize(qint32 NewWidth, qint32 NewHeight);
    // Keeps the Width x Height rectangle whose top-left corner is (X, Y); it must lie inside
    // the image (error 5 otherwise). Deletes the region.
    bool Crop(qint32 X, qint32 Y, qint32 Width, qint32 Height);
    // Fits the image into Width x Height keeping its aspect ratio; without EnlargeOK a smaller
    // image is left as it is.
    void FitInto(qint32 Width, qint32 Height, bool EnlargeOK);
    // A quarter turn clockwise. The region is kept.
    void Rotate();
    // Mirrors left to right.
    void FlipX();
    // Mirrors top to bottom.
    void FlipY();
    // Replaces each selected channel value v by 255 - v.
    void Invert(bool Red, bool Green, bool Blue);

    // A copy of the buffer.
    QByteArray Bits() const { return m_bits; }
    // Replaces the buffer as given; Width and Height stay, so the caller keeps them consistent.
    void setBits(const QByteArray& bits);
    qint32 Width() const { return m_width; }
    qint32 Height() const { return m_height; }
    // Row padding in bytes for the current width.
    qint16 Padding() const;

    // Pixel (X, Y), 0-based from the top-left corner; error 9 outside the buffer.
    qint32 Pixel(qint32 X, qint32 Y) const;
    bool setPixel(qint32 X, qint32 Y, qint32 value);
    // The pixel as three bytes: blue, green, red.
    QByteArray PixelB(qint32 X, qint32 Y) const;
    bool setPixelB(qint32 X, qint32 Y, const QByteArray& value);

    // A new black picture, filled with Fill when given (three bytes blue, green, red, or a
    // packed value). False, and nothing changed, unless both sizes are positive.
    bool CreateBlank(qint32 Width, qint32 Height);
    bool CreateBlank(qint32 Width, qint32 Height, const QByteArray& Fill);
    bool CreateBlank(qint32 Width, qint32 Height, qint32 Fill);

    // Builds the region of every pixel whose packed value differs from TransColor.
    void CreateRegion(qint32 TransColor);
    bool HasRegion() const { return m_hasRegion; }
    QRegion region() const { return m_region; }
    void DeleteRegion();
    // Gives a copy of the region to a window (a QWidget or QWindow) as its mask. An empty
    // region hides the whole window, as an empty window region does, rather than clearing it.
    template <typename Window> void ApplyRegion(Window* hWnd) const
    {
        if (hWnd && m_hasRegion)
            hWnd->setMask(m_region.isEmpty() ? QRegion(-1, -1, 1, 1) : m_region);
    }
    // Removes the window's mask.
    template <typename Window> static void ClearRegion(Window* hWnd)
    {
        if (hWnd)
            hWnd->setMask(QRegion());
    }

    // True when both pictures have the same size and equal buffers, padding included.
    bool ComparePicture(const ImageFile& Picture) const;
    bool ComparePicture(const QImage& Picture) const;

    // Empties the buffer and deletes the region.
    void Reset();

    const ScrivelError& lastError() const { return m_lastError; }

private:
    bool fail(int number, const QString& description) const;
    // Clears the last error; false when there is nothing to do or the buffer is too short.
    bool startRowOperation() const;
    // Offset of pixel (x, y) in the buffer, or -1 (with error 9) when it lies outside.
    qsizetype offsetOf(qint32 x, qint32 y) const;
    qsizetype stride() const;
    // The buffer seen as an image; null unless the buffer holds Width x Height pixels.
    QImage view() const;
    void adopt(const QImage& bgr);

    QByteArray m_bits;
    qint32 m_width = 0;
    qint32 m_height = 0;
    QRegion m_region;
    bool m_hasRegion = false;
    mutable ScrivelError m_lastError;
};
