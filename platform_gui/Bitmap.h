#pragma once
// A bitmap over QImage with the original toolkit's properties: pixel formats of 1, 4, 8, 24 and
// 32 bits (24 bits keeps blue-green-red order in its scan lines, 32 bits blue-green-red-alpha),
// a transparent colour, its own canvas, BMP load and save. Images below 24 bits are painted in a
// 32-bit drawing form and go back to their colour table when read.
#include "platform_gui/Canvas.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>
#include <memory>

namespace platform {

class TPainterCanvas;

enum class TPixelFormat { pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };
enum class TTransparentMode { tmAuto, tmFixed };

class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);
    // Copies share the pixels until one changes; the handler is not copied.
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap();
    void Assign(const TBitmap& other) { *this = other; }

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    // New area is white; what fits of the old picture stays at the top-left.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    bool Empty() const { return image_.isNull(); }

    TPixelFormat PixelFormat() const { return format_; }
    // Converts the picture to the nearest colours of the new format.
    void SetPixelFormat(TPixelFormat format);
    bool Monochrome() const { return format_ == TPixelFormat::pf1bit; }
    void SetMonochrome(bool monochrome);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    TTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TTransparentMode mode);
    // Automatic: the bottom-left pixel (clNone for an empty bitmap). Setting a colour fixes it.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

    TCanvas& Canvas();
    // The picture in its pixel format.
    const QImage& Image() const;
    // Takes the picture in the nearest pixel format (1, 8, 24, or 32 bits for alpha or 32-bit
    // sources).
    void SetImage(const QImage& image);
    // Row y of the picture, for direct reading and writing.
    uchar* ScanLine(int y);

    // BMP file bytes at the bitmap's own depth.
    QByteArray SaveToBmp() const;
    // False, and the bitmap unchanged, when the bytes are no sound BMP file.
    bool LoadFromBmp(const QByteArray& bytes);
    bool LoadFromFile(const QString& path);
    bool SaveToFile(const QString& path) const;

    // Fired by size, format, picture and transparency changes (not by drawing on the canvas).
    std::function<void()> OnChange;

private:
    void Changed();
    // Back from the drawing form to the pixel format, ending the canvas's painter.
    void EndDrawing() const;
    void BeginDrawing();

    mutable QImage image_;
    TPixelFormat format_ = TPixelFormat::pf24bit;
    QList<QRgb> colorTable_; // of 8-bit pictures while in drawing form
    mutable bool drawing_ = false;
    bool transparent_ = false;
    TTransparentMode transparentMode_ = TTransparentMode::tmAuto;
    TColor transparentColor_ = clDefault;
    std::unique_ptr<TPainterCanvas> canvas_;
};

// The QImage format that holds a pixel format.
QImage::Format ImageFormatOf(TPixelFormat format);

} // namespace platform
