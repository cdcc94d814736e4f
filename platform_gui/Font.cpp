#include "platform_gui/Font.h"

#include "platform/Numbers.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>

namespace platform {

QFont MakeQFont(const QString& name, int size, int styles)
{
    QFont result(name);
    const int pixels = size < 0 ? -size : MulDiv(size, ScreenDpi, 72);
    if (pixels > 0)
        result.setPixelSize(pixels);
    result.setBold((styles & fsBold) != 0);
    result.setItalic((styles & fsItalic) != 0);
    result.setUnderline((styles & fsUnderline) != 0);
    result.setStrikeOut((styles & fsStrikeOut) != 0);
    return result;
}

namespace {

// The original's default control font: 8 points of the desktop's sans-serif.
constexpr int DefaultSize = 8;

ScalableFontPredicate& ScalablePredicate()
{
    static ScalableFontPredicate predicate;
    return predicate;
}

} // namespace

TFont::TFont()
    : name_(QGuiApplication::instance() ? QGuiApplication::font().family() : QString()), size_(DefaultSize)
{
}

TFont::TFont(const TFont& other)
    : name_(other.name_), size_(other.size_), style_(other.style_), color_(other.color_),
      escapement_(other.escapement_), quality_(other.quality_)
{
}

TFont& TFont::operator=(const TFont& other)
{
    if (SameSettings(other))
        return *this;
    name_ = other.name_;
    size_ = other.size_;
    style_ = other.style_;
    color_ = other.color_;
    escapement_ = other.escapement_;
    quality_ = other.quality_;
    Changed();
    return *this;
}

bool TFont::SameSettings(const TFont& other) const
{
    return name_ == other.name_ && size_ == other.size_ && style_ == other.style_ && color_ == other.color_ &&
           escapement_ == other.escapement_ && quality_ == other.quality_;
}

void TFont::Changed()
{
    if (OnChange)
        OnChange();
}

int TFont::Height() const
{
    return size_ < 0 ? size_ : -MulDiv(size_, ScreenDpi, 72);
}

template <typename T> static bool Store(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

void TFont::SetName(const QString& name)
{
    if (Store(name_, name))
        Changed();
}

void TFont::SetSize(int points)
{
    if (Store(size_, points))
        Changed();
}

void TFont::SetHeight(int height)
{
    SetSize(height > 0 ? -height : height);
}

void TFont::SetStyle(int styles)
{
    if (Store(style_, styles & (fsBold | fsItalic | fsUnderline | fsStrikeOut)))
        Changed();
}

void TFont::SetColor(TColor color)
{
    if (Store(color_, color))
        Changed();
}

void TFont::SetEscapement(int tenths)
{
    if (Store(escapement_, tenths))
        Changed();
}

void TFont::SetQuality(TFontQuality quality)
{
    if (Store(quality_, quality))
        Changed();
}

QFont TFont::ToQFont() const
{
    QFont result = MakeQFont(name_, size_, style_);
    if (quality_ == TFontQuality::fqNonAntialiased)
        result.setStyleStrategy(QFont::NoAntialias);
    else if (quality_ == TFontQuality::fqAntialiased)
        result.setStyleStrategy(QFont::PreferAntialias);
    return result;
}

bool IsScalableFont(const TFont& font)
{
    const QFont qfont = font.ToQFont();
    if (ScalablePredicate())
        return ScalablePredicate()(qfont);
    const QFontInfo info(qfont);
    return QFontDatabase::isSmoothlyScalable(info.family(), info.styleName());
}

void SetScalableFontPredicate(ScalableFontPredicate predicate)
{
    ScalablePredicate() = std::move(predicate);
}

} // namespace platform
