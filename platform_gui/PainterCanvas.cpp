#include "platform_gui/PainterCanvas.h"

#include "platform_gui/LineSteps.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace platform {

namespace {

constexpr double Pi = 3.14159265358979323846;

QRect Strip(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// The pixels of a line from one point to another, the end pixel left out.
QPolygon LinePixels(TPoint from, TPoint to)
{
    QPolygon pixels;
    StepLine(from, to, [&pixels](int x, int y) { pixels << QPoint(x, y); });
    return pixels;
}

Qt::PenStyle QtPenStyle(TPenStyle style)
{
    switch (style) {
    case TPenStyle::psDash:
        return Qt::DashLine;
    case TPenStyle::psDot:
        return Qt::DotLine;
    case TPenStyle::psDashDot:
        return Qt::DashDotLine;
    case TPenStyle::psDashDotDot:
        return Qt::DashDotDotLine;
    case TPenStyle::psClear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

// The parametric angle, in degrees, where the line from the ellipse's centre towards point meets it.
double EllipseAngle(const QRectF& box, TPoint point)
{
    const double rx = std::max(box.width() / 2, 0.5);
    const double ry = std::max(box.height() / 2, 0.5);
    const QPointF centre = box.center();
    return std::atan2(-(point.Y - centre.y()) / ry, (point.X - centre.x()) / rx) * 180 / Pi;
}

} // namespace

TPainterCanvas::TPainterCanvas(QImage* image) : image_(image) {}

TPainterCanvas::TPainterCanvas(QPainter* painter) : external_(painter)
{
    image_ = dynamic_cast<QImage*>(painter->device());
    if (painter->hasClipping())
        baseClip_ = painter->clipRegion();
}

TPainterCanvas::~TPainterCanvas()
{
    if (external_) {
        if (baseClip_)
            external_->setClipRegion(*baseClip_);
        else
            external_->setClipping(false);
        external_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void TPainterCanvas::Release()
{
    if (own_)
        own_->end();
    own_.reset();
}

QPainter* TPainterCanvas::Begin()
{
    QPainter* painter = external_;
    if (!painter) {
        if (!own_) {
            if (BeforeBegin)
                BeforeBegin();
            if (!image_ || image_->isNull())
                return nullptr;
            own_ = std::make_unique<QPainter>(image_);
            ApplyClip(*own_);
        }
        painter = own_.get();
    }
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->setBrushOrigin(BrushOrigin.X, BrushOrigin.Y);
    return painter;
}

void TPainterCanvas::ApplyClip(QPainter& painter) const
{
    if (!clip_ && !baseClip_) {
        painter.setClipping(false);
        return;
    }
    QRegion region = clip_ ? *clip_ : *baseClip_;
    if (clip_ && baseClip_)
        region &= *baseClip_;
    painter.setClipRegion(region);
}

void TPainterCanvas::SetPenComposition(QPainter& painter) const
{
    switch (Pen.Mode()) {
    case TPenMode::pmNot:
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        break;
    case TPenMode::pmXor:
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
    case TPenMode::pmNotXor:
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        break;
    default:
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        break;
    }
}

QBrush TPainterCanvas::MakeBrush() const
{
    if (!Brush.Bitmap().isNull())
        return QBrush(Brush.Bitmap().convertToFormat(QImage::Format_ARGB32));
    if (Brush.IsClear())
        return Qt::NoBrush;
    const unsigned char* cell = HatchCell(Brush.Style());
    if (!cell)
        return QBrush(ToQColor(Brush.Color()));
    QImage pattern(8, 8, QImage::Format_ARGB32);
    const QRgb ink = ToQColor(Brush.Color()).rgba();
    const QRgb gap = BkMode == TBkMode::bmOpaque ? ToQColor(BkColor).rgba() : qRgba(0, 0, 0, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.setPixel(x, y, (cell[y] & (0x80 >> x)) != 0 ? ink : gap);
    return QBrush(pattern);
}

QPen TPainterCanvas::MakeQPen() const
{
    if (Pen.IsClear())
        return Qt::NoPen;
    QPen pen(ToQColor(Pen.Color()), Pen.Width(), QtPenStyle(Pen.Style()));
    pen.setCapStyle(Pen.Width() > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void TPainterCanvas::PenLine(QPainter& painter, TPoint from, TPoint to)
{
    if (Pen.IsClear() || from == to)
        return;
    SetPenComposition(painter);
    if (Pen.Width() == 1 && (Pen.Style() == TPenStyle::psSolid || Pen.Style() == TPenStyle::psInsideFrame)) {
        painter.setPen(QPen(ToQColor(Pen.Color()), 1));
        painter.drawPoints(LinePixels(from, to));
    } else {
        painter.setPen(MakeQPen());
        painter.drawLine(from.X, from.Y, to.X, to.Y);
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// Nested one-pixel frames as wide as the pen, each pixel once (so exclusive-or pens work).
void TPainterCanvas::PenFrame(QPainter& painter, const TRect& rect)
{
    if (Pen.IsClear())
        return;
    if (Pen.Style() != TPenStyle::psSolid && Pen.Style() != TPenStyle::psInsideFrame) {
        painter.setPen(MakeQPen());
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1));
        return;
    }
    SetPenComposition(painter);
    const QColor color = ToQColor(Pen.Color());
    const int width = Pen.Width();
    const int outside = Pen.Style() == TPenStyle::psInsideFrame ? 0 : (width - 1) / 2;
    for (int i = 0; i < width; ++i) {
        const int inset = i - outside;
        const TRect r{rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset};
        if (r.IsEmpty())
            break;
        painter.fillRect(Strip(r.Left, r.Top, r.Right, r.Top + 1), color);
        if (r.Height() > 1)
            painter.fillRect(Strip(r.Left, r.Bottom - 1, r.Right, r.Bottom), color);
        if (r.Height() > 2) {
            painter.fillRect(Strip(r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1), color);
            if (r.Width() > 1)
                painter.fillRect(Strip(r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1), color);
        }
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TPainterCanvas::LineTo(int x, int y)
{
    const TPoint from = PenPos;
    PenPos = {x, y};
    if (QPainter* painter = Begin())
        PenLine(*painter, from, PenPos);
}

void TPainterCanvas::Rectangle(const TRect& rect)
{
    QPainter* painter = Begin();
    if (!painter || rect.IsEmpty())
        return;
    const QBrush brush = MakeBrush();
    if (brush.style() != Qt::NoBrush) {
        const QRect inside = Pen.IsClear()
                                 ? QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1)
                                 : QRect(rect.Left + 1, rect.Top + 1, rect.Width() - 2, rect.Height() - 2);
        painter->fillRect(inside, brush);
    }
    PenFrame(*painter, rect);
}

void TPainterCanvas::FillRect(const TRect& rect)
{
    QPainter* painter = Begin();
    const QBrush brush = MakeBrush();
    if (painter && !rect.IsEmpty() && brush.style() != Qt::NoBrush)
        painter->fillRect(rect.ToQRect(), brush);
}

void TPainterCanvas::FrameRect(const TRect& rect)
{
    QPainter* painter = Begin();
    const QBrush brush = MakeBrush();
    if (!painter || rect.IsEmpty() || brush.style() == Qt::NoBrush)
        return;
    painter->fillRect(Strip(rect.Left, rect.Top, rect.Right, rect.Top + 1), brush);
    painter->fillRect(Strip(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom), brush);
    painter->fillRect(Strip(rect.Left, rect.Top + 1, rect.Left + 1, rect.Bottom - 1), brush);
    painter->fillRect(Strip(rect.Right - 1, rect.Top + 1, rect.Right, rect.Bottom - 1), brush);
}

void TPainterCanvas::Ellipse(const TRect& rect)
{
    QPainter* painter = Begin();
    if (!painter || rect.IsEmpty())
        return;
    SetPenComposition(*painter);
    painter->setPen(MakeQPen());
    painter->setBrush(MakeBrush());
    painter->drawEllipse(QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1));
}

void TPainterCanvas::RoundRect(const TRect& rect, int cornerWidth, int cornerHeight)
{
    QPainter* painter = Begin();
    if (!painter || rect.IsEmpty())
        return;
    SetPenComposition(*painter);
    painter->setPen(MakeQPen());
    painter->setBrush(MakeBrush());
    painter->drawRoundedRect(QRectF(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1),
                             cornerWidth / 2.0, cornerHeight / 2.0);
}

void TPainterCanvas::Arc(const TRect& rect, TPoint start, TPoint end)
{
    QPainter* painter = Begin();
    if (!painter || rect.IsEmpty() || Pen.IsClear())
        return;
    const QRectF box(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1);
    const double from = EllipseAngle(box, start);
    double span = EllipseAngle(box, end) - from;
    if (span <= 0)
        span += 360;
    SetPenComposition(*painter);
    painter->setPen(MakeQPen());
    painter->drawArc(box, static_cast<int>(std::lround(from * 16)), static_cast<int>(std::lround(span * 16)));
}

void TPainterCanvas::Polygon(const std::vector<TPoint>& points)
{
    QPainter* painter = Begin();
    if (!painter || points.size() < 2)
        return;
    QPolygon polygon;
    for (TPoint p : points)
        polygon << ToQPoint(p);
    SetPenComposition(*painter);
    painter->setPen(MakeQPen());
    painter->setBrush(MakeBrush());
    painter->drawPolygon(polygon, PolyFillMode == TFillMode::fmWinding ? Qt::WindingFill : Qt::OddEvenFill);
}

void TPainterCanvas::Polyline(const std::vector<TPoint>& points)
{
    QPainter* painter = Begin();
    if (!painter)
        return;
    for (size_t i = 1; i < points.size(); ++i)
        PenLine(*painter, points[i - 1], points[i]);
}

TColor TPainterCanvas::Pixel(int x, int y) const
{
    if (!image_ || !image_->valid(x, y))
        return clNone;
    return FromQColor(image_->pixelColor(x, y));
}

void TPainterCanvas::SetPixel(int x, int y, TColor color)
{
    if (QPainter* painter = Begin())
        painter->fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

void TPainterCanvas::DrawFocusRect(const TRect& rect)
{
    QPainter* painter = Begin();
    if (!painter || rect.IsEmpty())
        return;
    std::set<std::pair<int, int>> frame;
    for (int x = rect.Left; x < rect.Right; ++x) {
        frame.insert({x, rect.Top});
        frame.insert({x, rect.Bottom - 1});
    }
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        frame.insert({rect.Left, y});
        frame.insert({rect.Right - 1, y});
    }
    QPolygon dots;
    for (const auto& [x, y] : frame)
        if ((x - rect.Left + y - rect.Top) % 2 == 0)
            dots << QPoint(x, y);
    painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter->setPen(QPen(Qt::white, 1));
    painter->drawPoints(dots);
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

QFont TPainterCanvas::TextFont() const
{
    QFont font = Font.ToQFont();
    if (CharacterExtra != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, CharacterExtra);
    return font;
}

TSize TPainterCanvas::TextExtent(const QString& text)
{
    const QFontMetrics metrics(TextFont());
    return {metrics.horizontalAdvance(text), metrics.height()};
}

TTextMetrics TPainterCanvas::TextMetrics()
{
    const QFontMetrics metrics(TextFont());
    // Qt's leading may be negative where the font's lines overlap; the original's never is.
    return {metrics.height(), metrics.ascent(), metrics.descent(), metrics.averageCharWidth(),
            std::max(0, metrics.leading())};
}

// Text with the top-left of its cell at (x, y), turned about that point by the escapement.
void TPainterCanvas::PaintText(int x, int y, const QString& text, int underline, int escapement)
{
    QPainter* painter = Begin();
    if (!painter || text.isEmpty())
        return;
    const QFont font = TextFont();
    const QFontMetrics metrics(font);
    painter->save();
    painter->translate(x, y);
    if (escapement != 0)
        painter->rotate(-escapement / 10.0);
    const int width = metrics.horizontalAdvance(text);
    if (BkMode == TBkMode::bmOpaque)
        painter->fillRect(QRect(0, 0, width, metrics.height()), ToQColor(BkColor));
    const QColor ink = ToQColor(Font.Color());
    painter->setFont(font);
    painter->setPen(ink);
    painter->drawText(QPoint(0, metrics.ascent()), text);
    if (underline >= 0 && underline < text.size()) {
        const int left = metrics.horizontalAdvance(text.left(underline));
        const int right = metrics.horizontalAdvance(text.left(underline + 1));
        const int top = metrics.ascent() + std::max(1, metrics.underlinePos());
        painter->fillRect(QRect(left, top, std::max(1, right - left), std::max(1, metrics.lineWidth())), ink);
    }
    painter->restore();
}

void TPainterCanvas::TextOut(int x, int y, const QString& text)
{
    PaintText(x, y, text, -1, Font.Escapement());
}

void TPainterCanvas::ExtTextOut(int x, int y, unsigned options, const TRect* rect, const QString& text)
{
    if (rect && (options & ETO_OPAQUE) != 0)
        FillSolid(*rect, BkColor);
    const bool clipped = rect && (options & ETO_CLIPPED) != 0;
    if (clipped)
        PushClip(*rect);
    PaintText(x, y, text, -1, Font.Escapement());
    if (clipped)
        PopClip();
}

void TPainterCanvas::PaintTextRun(int x, int y, const QString& text, int underline)
{
    PaintText(x, y, text, underline, 0);
}

void TPainterCanvas::StrokeTextOutline(int x, int y, const QString& text)
{
    QPainter* painter = Begin();
    if (!painter || text.isEmpty() || Pen.IsClear())
        return;
    const QFont font = TextFont();
    QPainterPath path;
    path.addText(QPointF(0, QFontMetrics(font).ascent()), font, text);
    painter->save();
    painter->translate(x, y);
    if (Font.Escapement() != 0)
        painter->rotate(-Font.Escapement() / 10.0);
    SetPenComposition(*painter);
    painter->strokePath(path, MakeQPen());
    painter->restore();
}

void TPainterCanvas::FillSolid(const TRect& rect, TColor color)
{
    QPainter* painter = Begin();
    if (painter && !rect.IsEmpty())
        painter->fillRect(rect.ToQRect(), ToQColor(color));
}

void TPainterCanvas::DrawImagePart(const TRect& dest, const QImage& part)
{
    QPainter* painter = Begin();
    if (painter && !dest.IsEmpty() && !part.isNull())
        painter->drawImage(dest.ToQRect(), part);
}

void TPainterCanvas::CopyRect(const TRect& dest, const QImage& source, const TRect& sourceRect)
{
    QPainter* painter = Begin();
    if (painter && !dest.IsEmpty() && !sourceRect.IsEmpty() && !source.isNull())
        painter->drawImage(dest.ToQRect(), source, sourceRect.ToQRect());
}

void TPainterCanvas::CopyTransparent(const TRect& dest, const QImage& source, const TRect& sourceRect,
                                     TColor transparent)
{
    if (sourceRect.IsEmpty() || source.isNull())
        return;
    QImage part = source.copy(sourceRect.ToQRect()).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ToQColor(ColorToRGB(transparent)).rgb() & 0xFFFFFF;
    for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key)
                line[x] = 0;
    }
    DrawImagePart(dest, part);
}

void TPainterCanvas::CopyMasked(const TRect& dest, const QImage& source, const TRect& sourceRect,
                                const QImage& mask)
{
    if (sourceRect.IsEmpty() || source.isNull())
        return;
    QImage part = source.copy(sourceRect.ToQRect()).convertToFormat(QImage::Format_ARGB32);
    const QImage cut = mask.copy(sourceRect.ToQRect()).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        const auto* maskLine = reinterpret_cast<const QRgb*>(cut.constScanLine(y));
        for (int x = 0; x < part.width(); ++x)
            if (qGray(maskLine[x]) >= 128)
                line[x] = 0;
    }
    DrawImagePart(dest, part);
}

QImage TPainterCanvas::Grab(const TRect& rect) const
{
    if (!image_ || image_->isNull())
        return QImage();
    return image_->copy(rect.ToQRect()).convertToFormat(QImage::Format_RGB32);
}

void TPainterCanvas::SetClipRect(const TRect& rect)
{
    SetClipRegion(QRegion(rect.ToQRect()));
}

void TPainterCanvas::SetClipRegion(const QRegion& region)
{
    clip_ = region;
    if (QPainter* painter = external_ ? external_ : own_.get())
        ApplyClip(*painter);
}

void TPainterCanvas::RemoveClip()
{
    clip_.reset();
    if (QPainter* painter = external_ ? external_ : own_.get())
        ApplyClip(*painter);
}

void TPainterCanvas::PushClip(const TRect& rect)
{
    pushed_.push_back(clip_);
    const QRegion region(rect.ToQRect());
    SetClipRegion(clip_ ? (*clip_ & region) : region);
}

void TPainterCanvas::PopClip()
{
    if (pushed_.empty())
        return;
    std::optional<QRegion> previous = pushed_.back();
    pushed_.pop_back();
    if (previous)
        SetClipRegion(*previous);
    else
        RemoveClip();
}

} // namespace platform
