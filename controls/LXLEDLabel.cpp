#include "controls/LXLEDLabel.h"

#include "platform_gui/PainterCanvas.h"

#include <utility>

using platform::TColor;
using platform::TPoint;

namespace {

// The 8 x 8 checker of the unlit segments, shared by every LED: the background where x + y is odd.
const QImage& Checker(TColor unlit, TColor background)
{
    static std::pair<TColor, TColor> key{platform::clNone, platform::clNone};
    static QImage checker(8, 8, QImage::Format_RGB32);
    if (key != std::make_pair(unlit, background)) {
        key = {unlit, background};
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                checker.setPixelColor(x, y, platform::ToQColor((x + y) % 2 != 0 ? background : unlit));
    }
    return checker;
}

std::vector<TPoint> Shifted(std::vector<TPoint> points, int dx, int dy)
{
    for (TPoint& p : points)
        p = {p.X + dx, p.Y + dy};
    return points;
}

} // namespace

void TLXLED::Assign(const TLXObject& source)
{
    const auto* other = dynamic_cast<const TLXLED*>(&source);
    if (other == nullptr) {
        TLXObject::Assign(source);
        return;
    }
    activeColor_ = other->activeColor_;
    inActiveColor_ = other->inActiveColor_;
    geometry_ = other->geometry_;
    disabledDigits_ = other->disabledDigits_;
    Changed();
}

void TLXLED::Changed()
{
    cellValid_ = false;
    TLXObject::Changed();
}

const QImage& TLXLED::Cell() const
{
    if (cellValid_)
        return cell_;
    const platform::TSize size = geometry_.CellSize();
    cell_ = QImage(std::max(size.cx, 1), std::max(size.cy, 1), QImage::Format_ARGB32_Premultiplied);
    cell_.fill(platform::ToQColor(background_));
    {
        platform::TPainterCanvas canvas(&cell_);
        canvas.Pen.SetStyle(platform::TPenStyle::psClear);
        canvas.Brush.SetBitmap(Checker(inActiveColor_, background_));
        canvas.BrushOrigin = {0, 0};
        for (int segment = 0; segment < LedSegmentCount; ++segment) {
            const std::vector<TPoint> polygon = geometry_.SegmentPolygon(segment);
            if (!polygon.empty())
                canvas.Polygon(polygon);
        }
    }
    cellValid_ = true;
    return cell_;
}

void TLXLED::DrawText(QImage& image, bool enabled, const QString& text) const
{
    const QImage& cell = Cell();
    const platform::TSize size = geometry_.CellSize();
    const bool lit = enabled || !disabledDigits_;
    platform::TPainterCanvas canvas(&image);
    canvas.Pen.SetColor(activeColor_);
    canvas.Pen.SetStyle(platform::TPenStyle::psSolid);
    canvas.Brush.SetColor(activeColor_);
    canvas.Brush.SetStyle(platform::TBrushStyle::bsSolid);
    int x = 0, y = 0;
    for (QChar c : text) {
        if (c == QChar('\r')) {
            x = 0;
            y += size.cy;
            continue;
        }
        if (c.unicode() < 32)
            continue;
        canvas.CopyRect(platform::Bounds(x, y, size.cx, size.cy), cell,
                        platform::Bounds(0, 0, size.cx, size.cy));
        const uint16_t mask = lit ? LedCharacterMask(c) : 0;
        const int segments = geometry_.HasInnerSegments() ? LedSegmentCount : 7;
        for (int segment = 0; segment < segments; ++segment) {
            if ((mask & (1u << segment)) == 0)
                continue;
            const std::vector<TPoint> polygon = geometry_.SegmentPolygon(segment);
            if (!polygon.empty())
                canvas.Polygon(Shifted(polygon, x, y));
        }
        x += size.cx;
    }
}

TLXLEDCustomLabel::TLXLEDCustomLabel(QWidget* parent) : TLXGraphicControl(parent)
{
    SetTransparent(false);
    SetColor(platform::clBlack);
    led_.SetBackground(Color());
    led_.OnChange = [this](TLXObject*) { RefreshContent(); };
}

TLXLEDCustomLabel::~TLXLEDCustomLabel()
{
    led_.OnChange = nullptr;
}

void TLXLEDCustomLabel::SetCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    RefreshContent();
}

void TLXLEDCustomLabel::SetValue(int value)
{
    if (value == value_)
        return;
    value_ = value;
    if (style_ == lsInteger)
        repaint();
}

void TLXLEDCustomLabel::SetStyle(TLXLEDStyle style)
{
    if (style == style_)
        return;
    style_ = style;
    RefreshContent();
}

void TLXLEDCustomLabel::SetDigits(int digits)
{
    if (digits <= 0 || digits > 255 || digits == digits_)
        return;
    digits_ = digits;
    RefreshContent();
}

void TLXLEDCustomLabel::SetAutoSize(bool autoSize)
{
    if (autoSize == autoSize_)
        return;
    autoSize_ = autoSize;
    setSizePolicy(autoSize ? QSizePolicy::Fixed : QSizePolicy::Preferred,
                  autoSize ? QSizePolicy::Fixed : QSizePolicy::Preferred);
    RefreshContent();
}

QString TLXLEDCustomLabel::ShownText() const
{
    return style_ == lsString ? caption_ : LedNumberText(value_, digits_);
}

QSize TLXLEDCustomLabel::TextSize() const
{
    const platform::TSize extent = led_.TextExtent(ShownText(), Bevel().Extent());
    return QSize(extent.cx, extent.cy);
}

void TLXLEDCustomLabel::RefreshContent()
{
    if (autoSize_ && size() != TextSize()) {
        resize(TextSize());
        updateGeometry();
    }
    TLXGraphicControl::RefreshContent();
}

QSize TLXLEDCustomLabel::sizeHint() const
{
    return autoSize_ ? TextSize() : TLXGraphicControl::sizeHint();
}

void TLXLEDCustomLabel::ColorChanged()
{
    led_.SetBackground(Color());
}

void TLXLEDCustomLabel::Paint(platform::TCanvas& canvas)
{
    platform::TRect inner;
    Bevel().PaintBevel(canvas, ClientRect(), inner, Transparent());
    if (inner.IsEmpty())
        return;
    QImage bitmap(inner.Width(), inner.Height(), QImage::Format_ARGB32_Premultiplied);
    bitmap.fill(platform::ToQColor(Color()));
    led_.DrawText(bitmap, isEnabled(), ShownText());
    if (Transparent()) {
        const QRgb key = platform::ToQColor(Color()).rgb();
        for (int y = 0; y < bitmap.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
            for (int x = 0; x < bitmap.width(); ++x)
                if (line[x] == key)
                    line[x] = 0;
        }
    }
    canvas.CopyRect(inner, bitmap, platform::Bounds(0, 0, inner.Width(), inner.Height()));
}
