#include "platform_gui/Bitmap.h"

#include "platform_gui/BmpFile.h"
#include "platform_gui/PainterCanvas.h"

#include <QFile>
#include <QSaveFile>

namespace platform {

namespace {

bool IsIndexed(TPixelFormat format)
{
    return format == TPixelFormat::pf1bit || format == TPixelFormat::pf4bit || format == TPixelFormat::pf8bit;
}

int BitsOf(TPixelFormat format)
{
    switch (format) {
    case TPixelFormat::pf1bit:
        return 1;
    case TPixelFormat::pf4bit:
        return 4;
    case TPixelFormat::pf8bit:
        return 8;
    case TPixelFormat::pf24bit:
        return 24;
    default:
        return 32;
    }
}

// The picture converted to a pixel format: indexed ones map each pixel to its nearest table colour.
QImage Converted(const QImage& image, TPixelFormat format, const QList<QRgb>& table8)
{
    const auto flags = Qt::ThresholdDither | Qt::AvoidDither;
    switch (format) {
    case TPixelFormat::pf1bit:
        return image.convertToFormat(QImage::Format_Mono, QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)},
                                     flags);
    case TPixelFormat::pf4bit:
        return image.convertToFormat(QImage::Format_Indexed8, ClassicColorTable(), flags);
    case TPixelFormat::pf8bit:
        if (image.format() == QImage::Format_Indexed8)
            return image;
        return table8.isEmpty() ? image.convertToFormat(QImage::Format_Indexed8, flags)
                                : image.convertToFormat(QImage::Format_Indexed8, table8, flags);
    default:
        return image.convertToFormat(ImageFormatOf(format));
    }
}

} // namespace

QImage::Format ImageFormatOf(TPixelFormat format)
{
    switch (format) {
    case TPixelFormat::pf1bit:
        return QImage::Format_Mono;
    case TPixelFormat::pf4bit:
    case TPixelFormat::pf8bit:
        return QImage::Format_Indexed8;
    case TPixelFormat::pf24bit:
        return QImage::Format_BGR888;
    default:
        return QImage::Format_ARGB32;
    }
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) : format_(format)
{
    SetSize(width, height);
}

TBitmap::TBitmap(const TBitmap& other)
    : image_(other.Image()), format_(other.format_), transparent_(other.transparent_),
      transparentMode_(other.transparentMode_), transparentColor_(other.transparentColor_)
{
}

TBitmap& TBitmap::operator=(const TBitmap& other)
{
    if (this == &other)
        return *this;
    if (canvas_)
        canvas_->Release();
    image_ = other.Image();
    drawing_ = false;
    format_ = other.format_;
    transparent_ = other.transparent_;
    transparentMode_ = other.transparentMode_;
    transparentColor_ = other.transparentColor_;
    Changed();
    return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::Changed()
{
    if (OnChange)
        OnChange();
}

void TBitmap::EndDrawing() const
{
    if (canvas_)
        canvas_->Release();
    if (!drawing_)
        return;
    drawing_ = false;
    image_ = Converted(image_, format_, colorTable_);
}

void TBitmap::BeginDrawing()
{
    if (drawing_ || !IsIndexed(format_) || image_.isNull())
        return;
    colorTable_ = format_ == TPixelFormat::pf8bit ? image_.colorTable() : QList<QRgb>();
    image_ = image_.convertToFormat(QImage::Format_RGB32);
    drawing_ = true;
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height())
        return;
    EndDrawing();
    QImage resized;
    if (width > 0 && height > 0) {
        resized = QImage(width, height, QImage::Format_ARGB32);
        resized.fill(Qt::white);
        if (!image_.isNull()) {
            QPainter painter(&resized);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(0, 0, image_);
        }
        resized = Converted(resized, format_,
                            image_.format() == QImage::Format_Indexed8 ? image_.colorTable() : QList<QRgb>());
    }
    image_ = resized;
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == format_)
        return;
    EndDrawing();
    format_ = format;
    if (!image_.isNull())
        image_ = Converted(image_, format_, {});
    Changed();
}

void TBitmap::SetMonochrome(bool monochrome)
{
    if (monochrome != Monochrome())
        SetPixelFormat(monochrome ? TPixelFormat::pf1bit : TPixelFormat::pf24bit);
}

void TBitmap::SetTransparent(bool transparent)
{
    if (transparent_ == transparent)
        return;
    transparent_ = transparent;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode)
{
    if (transparentMode_ == mode)
        return;
    transparentMode_ = mode;
    Changed();
}

TColor TBitmap::TransparentColor() const
{
    if (transparentMode_ == TTransparentMode::tmFixed && transparentColor_ != clDefault)
        return transparentColor_;
    const QImage& image = Image();
    if (image.isNull())
        return clNone;
    return FromQColor(image.pixelColor(0, image.height() - 1));
}

void TBitmap::SetTransparentColor(TColor color)
{
    if (transparentColor_ == color && transparentMode_ == TTransparentMode::tmFixed)
        return;
    transparentColor_ = color;
    transparentMode_ = color == clDefault ? TTransparentMode::tmAuto : TTransparentMode::tmFixed;
    Changed();
}

TCanvas& TBitmap::Canvas()
{
    if (!canvas_) {
        canvas_ = std::make_unique<TPainterCanvas>(&image_);
        canvas_->BeforeBegin = [this] { BeginDrawing(); };
    }
    return *canvas_;
}

const QImage& TBitmap::Image() const
{
    EndDrawing();
    return image_;
}

void TBitmap::SetImage(const QImage& image)
{
    if (canvas_)
        canvas_->Release();
    drawing_ = false;
    switch (image.format()) {
    case QImage::Format_Invalid:
        image_ = QImage();
        break;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        format_ = TPixelFormat::pf1bit;
        image_ = image.convertToFormat(QImage::Format_Mono);
        break;
    case QImage::Format_Indexed8:
        format_ = TPixelFormat::pf8bit;
        image_ = image;
        break;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        format_ = TPixelFormat::pf32bit;
        image_ = image.convertToFormat(QImage::Format_ARGB32);
        break;
    default:
        format_ = image.hasAlphaChannel() ? TPixelFormat::pf32bit : TPixelFormat::pf24bit;
        image_ = image.convertToFormat(ImageFormatOf(format_));
        break;
    }
    Changed();
}

uchar* TBitmap::ScanLine(int y)
{
    EndDrawing();
    return image_.scanLine(y);
}

QByteArray TBitmap::SaveToBmp() const
{
    return EncodeBmp(Image(), BitsOf(format_));
}

bool TBitmap::LoadFromBmp(const QByteArray& bytes)
{
    const int bits = CheckBmpHeader(bytes);
    if (bits == 0)
        return false;
    QImage image;
    if (!image.loadFromData(bytes, "BMP"))
        return false;
    SetImage(image);
    if (bits == 4 && format_ == TPixelFormat::pf8bit)
        format_ = TPixelFormat::pf4bit;
    if (bits == 24 && format_ == TPixelFormat::pf32bit && !image.hasAlphaChannel())
        SetPixelFormat(TPixelFormat::pf24bit);
    return true;
}

bool TBitmap::LoadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return LoadFromBmp(file.readAll());
}

bool TBitmap::SaveToFile(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = SaveToBmp();
    return file.write(bytes) == bytes.size() && file.commit();
}

} // namespace platform
