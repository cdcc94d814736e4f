#include "controls/LXTrackBar.h"

#include "controls/LXApplication.h"
#include "controls/LXDraw.h"
#include "controls/LXErrors.h"
#include "platform/Numbers.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <limits>

using platform::TColor;
using platform::TPoint;
using platform::TRect;

namespace {

constexpr int RepeatInterval = 300;
constexpr int WheelStep = 120;

// a * b / c truncated, in 64 bits: large ranges overflow 32.
int MulDiv(int64_t a, int64_t b, int64_t c)
{
    return static_cast<int>(a * b / c);
}

int ClampToInt(int64_t value)
{
    return static_cast<int>(
        std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

TLXCustomTrackBar::TLXCustomTrackBar(QWidget* parent) : TLXCustomPanel(parent)
{
    repeatTimer_ = LXApplication().AddTimer(RepeatInterval, [this](QObject*) { RepeatTick(); });
    if (repeatTimer_ == 0)
        throw EOutOfResources("Not enough timers available");
    SetRepeatEnabled(false);
    SetColor(platform::clBtnFace);
    SetTabStop(true);
    resize(220, 35);
    trackFill_.OnChange = [this](TLXObject* sender) { ObjectChanged(sender); };
    BuildDrawnThumb();
}

TLXCustomTrackBar::~TLXCustomTrackBar()
{
    trackFill_.OnChange = nullptr;
    LXApplication().RemoveTimer(repeatTimer_);
}

void TLXCustomTrackBar::SetMinValue(int value)
{
    if (value == min_ || value >= max_)
        return;
    min_ = value;
    if (position_ < min_)
        SetPosition(min_);
    Invalidate();
}

void TLXCustomTrackBar::SetMaxValue(int value)
{
    if (value == max_ || value <= min_)
        return;
    max_ = value;
    if (position_ > max_)
        SetPosition(max_);
    Invalidate();
}

void TLXCustomTrackBar::SetRange(int min, int max)
{
    if (min >= max)
        return;
    if (min >= max_) {
        SetMaxValue(max);
        SetMinValue(min);
    } else {
        SetMinValue(min);
        SetMaxValue(max);
    }
}

void TLXCustomTrackBar::SetPosition(int value)
{
    value = std::clamp(value, min_, max_);
    if (value == position_)
        return;
    // The ends are announced with the bar's own bounds; a handler's change there has no say.
    if (value == max_)
        Track(scBottom, max_);
    else if (value == min_)
        Track(scTop, min_);
    const int old = position_;
    position_ = value;
    MoveThumb(old);
    emit OnChange();
}

int TLXCustomTrackBar::Track(TLXScrollCode code, int value)
{
    emit OnTrack(code, value);
    return value;
}

void TLXCustomTrackBar::MoveThumb(int oldPosition)
{
    const int current = position_;
    position_ = oldPosition;
    const QRect before = Layout().Thumb.ToQRect();
    position_ = current;
    update(before.united(Layout().Thumb.ToQRect()));
}

void TLXCustomTrackBar::SetOrientation(TLXOrientation orientation)
{
    if (orientation == orientation_)
        return;
    orientation_ = orientation;
    if (thumbStyle_ != tsCustom)
        BuildDrawnThumb();
    Invalidate();
}

void TLXCustomTrackBar::SetMargin(int margin)
{
    if (margin > 0)
        SetAndInvalidate(margin_, margin);
}

void TLXCustomTrackBar::SetTrackWidth(int width)
{
    if (width < 3 || width == trackWidth_)
        return;
    trackWidth_ = width;
    if (thumbStyle_ != tsCustom)
        BuildDrawnThumb();
    Invalidate();
}

void TLXCustomTrackBar::SetTrackBorder(int border)
{
    SetAndInvalidate(trackBorder_, border);
}

void TLXCustomTrackBar::SetTrackBorderStyle(TLXBorderStyle style)
{
    SetAndInvalidate(trackBorderStyle_, style);
}

void TLXCustomTrackBar::SetTrackColor(TColor color)
{
    SetAndInvalidate(trackColor_, color);
}

void TLXCustomTrackBar::SetTrackTransparent(bool transparent)
{
    if (transparent == trackTransparent_)
        return;
    trackTransparent_ = transparent;
    ObjectChanged(nullptr);
}

void TLXCustomTrackBar::SetThumbStyle(TLXThumbStyle style)
{
    if (style == thumbStyle_)
        return;
    thumbStyle_ = style;
    if (style == tsStandard)
        BuildDrawnThumb();
    else
        thumb_ = platform::TBitmap();
    Invalidate();
}

const platform::TBitmap* TLXCustomTrackBar::Thumb() const
{
    return thumbStyle_ == tsCustom && Images().ImageList() == nullptr ? &thumb_ : nullptr;
}

void TLXCustomTrackBar::SetThumb(const platform::TBitmap& thumb)
{
    if (thumb.Empty()) {
        thumbStyle_ = tsStandard;
        BuildDrawnThumb();
        Invalidate();
        return;
    }
    if (Images().HasImage()) {
        ImageListChanged();
        return;
    }
    UseCustomImages(thumb);
}

void TLXCustomTrackBar::ImageListChanged()
{
    if (!Images().HasImage()) {
        if (thumbStyle_ == tsCustom && Images().ImageList() != nullptr) {
            thumbStyle_ = tsStandard;
            BuildDrawnThumb();
            Invalidate();
        }
        return;
    }
    platform::TBitmap images;
    Images().ImageList()->GetBitmap(Images().ListIndex(), Images().ImageIndex(), images);
    UseCustomImages(images);
}

void TLXCustomTrackBar::UseCustomImages(const platform::TBitmap& images)
{
    thumb_ = images;
    thumbStyle_ = tsCustom;
    geometry_.Thickness = thumb_.Height();
    geometry_.Length = thumb_.Width() / 2;
    geometry_.Half = geometry_.Length / 2;
    Invalidate();
}

void TLXCustomTrackBar::SetThumbColor(TColor color)
{
    if (color == thumbColor_)
        return;
    thumbColor_ = color;
    if (thumbStyle_ != tsCustom)
        BuildDrawnThumb();
    Invalidate();
}

void TLXCustomTrackBar::SetTickMarks(TLXTickMarks marks)
{
    if (marks == tickMarks_)
        return;
    tickMarks_ = marks;
    if (thumbStyle_ == tsStandard)
        BuildDrawnThumb();
    Invalidate();
}

void TLXCustomTrackBar::SetTickStyle(TLXTickStyle style)
{
    SetAndInvalidate(tickStyle_, style);
}

void TLXCustomTrackBar::SetTickLength(int length)
{
    SetAndInvalidate(tickLength_, length);
}

void TLXCustomTrackBar::SetTickGap(int gap)
{
    if (gap >= -1)
        SetAndInvalidate(tickGap_, gap);
}

void TLXCustomTrackBar::SetTickColor(TColor color)
{
    SetAndInvalidate(tickColor_, color);
}

void TLXCustomTrackBar::SetFocusStyle(TLXTrackBarFocusStyle style)
{
    focusStyle_ = style;
    if (style == tbNoFocus)
        SetTabStop(false);
}

void TLXCustomTrackBar::SetUseFocusColor(bool use)
{
    SetAndInvalidate(useFocusColor_, use);
}

void TLXCustomTrackBar::SetFocusColor(TColor color)
{
    SetAndInvalidate(focusColor_, color);
}

void TLXCustomTrackBar::Assign(const TLXCustomTrackBar& source)
{
    trackFill_.Assign(source.trackFill_);
    SetTrackTransparent(source.trackTransparent_);
    SetThumbStyle(source.thumbStyle_);
    SetFocusColor(source.focusColor_);
    SetFocusStyle(source.focusStyle_);
    if (const platform::TBitmap* thumb = source.Thumb())
        SetThumb(*thumb);
    SetPageSize(source.pageSize_);
    SetTickLength(source.tickLength_);
    SetThumbColor(source.thumbColor_);
    SetRange(source.min_, source.max_);
    SetTrackWidth(source.trackWidth_);
    SetLineSize(source.lineSize_);
    SetOrientation(source.orientation_);
    SetPosition(source.position_);
    SetTickColor(source.tickColor_);
    SetTickMarks(source.tickMarks_);
    SetTickStyle(source.tickStyle_);
    SetTrackBorder(source.trackBorder_);
    SetUseFocusColor(source.useFocusColor_);
    SetTransparent(source.Transparent());
    setCursor(source.cursor());
    setEnabled(source.isEnabled());
    Font().Assign(source.Font());
    SetColor(source.Color());
}

void TLXCustomTrackBar::ThemeChanged()
{
    TLXCustomPanel::ThemeChanged();
    if (thumbStyle_ != tsCustom)
        BuildDrawnThumb();
    Invalidate();
}

bool TLXCustomTrackBar::HasParentBackground() const
{
    return (Transparent() || trackTransparent_) && ParentSuppliesBackground(parentWidget());
}

void TLXCustomTrackBar::BuildDrawnThumb()
{
    const int tw = trackWidth_;
    const bool pointed = tickMarks_ != tmBoth;
    int w = Horizontal() ? tw : tw + 8;
    int h = Horizontal() ? tw + 8 : tw;
    if (pointed) {
        w |= 1;
        h |= 1;
    }
    QImage images(2 * w, h, QImage::Format_ARGB32);
    images.fill(Qt::transparent);
    thumb_.SetImage(images);
    platform::TCanvas& canvas = thumb_.Canvas();
    const platform::TBitmap& pattern = LXApplication().PatternBitmap(thumbColor_);
    for (int image = 0; image < 2; ++image) {
        const int x0 = image * w;
        canvas.Brush.SetColor(thumbColor_);
        if (image == 1) {
            canvas.Brush.SetBitmap(pattern.Image());
            canvas.BrushOrigin = {x0, 0};
        }
        if (!pointed) {
            TRect rect = platform::Bounds(x0, 0, w, h);
            canvas.FillRect(rect);
            DrawBorder(canvas, rect, lsRaisedExt, 0);
            continue;
        }
        auto at = [x0](std::initializer_list<TPoint> points) {
            std::vector<TPoint> moved(points);
            for (TPoint& point : moved)
                point.X += x0;
            return moved;
        };
        std::vector<TPoint> polygon, white, black, grey;
        TPoint blackPixel;
        if (Horizontal() && tickMarks_ == tmBottomRight) { // points down
            const int b = w / 2;
            polygon = at({{0, 2}, {0, h - b}, {b, h}, {w - 1, h - b}, {w - 1, 2}});
            white = at({{0, h - b}, {b + 1, h}});
            black = at({{w - 1, 2}, {w - 1, h - b}, {b, h}});
            blackPixel = {b, h};
            grey = at({{w - 2, 3}, {w - 2, h - b}, {b, h - 1}});
        } else if (Horizontal()) { // points up
            const int b = w / 2;
            polygon = at({{0, h - 2}, {0, b}, {b, 0}, {w - 1, b}, {w - 1, h - 2}});
            white = at({{0, b}, {b, 0}});
            black = at({{0, h - 2}, {w - 1, h - 2}, {w - 1, b}, {b, 0}});
            blackPixel = {b, 0};
            grey = at({{1, h - 3}, {w - 2, h - 3}, {w - 2, b}, {b, 1}});
        } else if (tickMarks_ == tmBottomRight) { // points right
            const int b = h / 2;
            polygon = at({{2, 0}, {2, h - 1}, {w - b, h - 1}, {w, b}, {w - b, 0}, {2, 0}});
            black = at({{2, h - 1}, {w - b, h - 1}, {w, b}});
            blackPixel = {w, b};
            grey = at({{3, h - 2}, {w - b, h - 2}, {w - 1, b}});
        } else { // points left
            const int b = h / 2;
            polygon = at({{w - 2, 0}, {w - 2, h - 1}, {b, h - 1}, {0, b}, {b, 0}});
            white = at({{0, b - 1}, {b - 1, 0}, {b, 0}});
            black = at({{w - 2, 0}, {w - 2, h - 1}, {b, h - 1}, {0, b}});
            blackPixel = {0, b};
            grey = at({{w - 3, 1}, {w - 3, h - 2}, {b, h - 2}, {1, b}});
        }
        canvas.Pen.SetColor(platform::clWhite);
        canvas.Polygon(polygon);
        if (!white.empty())
            canvas.Polyline(white);
        canvas.Pen.SetColor(platform::clBlack);
        canvas.Polyline(black);
        canvas.SetPixel(blackPixel.X + x0, blackPixel.Y, platform::clBlack);
        canvas.Pen.SetColor(platform::clGray);
        canvas.Polyline(grey);
    }
    canvas.BrushOrigin = {0, 0};
    canvas.Brush.SetBitmap(QImage());
    geometry_.Thickness = Horizontal() ? h : w;
    geometry_.Length = Horizontal() ? w : h;
    geometry_.Half = geometry_.Length / 2;
}

TLXTrackBarLayout TLXCustomTrackBar::Layout() const
{
    TLXTrackBarLayout layout;
    TRect r = ClientRect();
    platform::InflateRect(r, -margin_, -margin_);
    layout.Inner = r;
    const int w = r.Width();
    const int h = r.Height();
    const int half = geometry_.Half;
    const int tw = trackWidth_;
    const int64_t range = int64_t(max_) - min_;
    const bool nearSide = tickStyle_ == tsNone || tickMarks_ == tmBottomRight;
    if (Horizontal()) {
        int top = r.Top + (h - tw) / 2;
        if (nearSide)
            top = r.Top + tw / 2 + 1;
        else if (tickMarks_ == tmTopLeft)
            top = r.Top + h - tw - tw / 2;
        layout.Track = platform::Bounds(r.Left + half, top, w - 2 * half, tw);
        layout.Span = w - geometry_.Length;
        const int offset = layout.Span > 0 ? MulDiv(layout.Span, int64_t(position_) - min_, range) : 0;
        layout.Thumb = platform::Bounds(r.Left + offset, top - (geometry_.Thickness - tw) / 2,
                                        geometry_.Length, geometry_.Thickness);
    } else {
        int left = r.Left + (w - tw) / 2;
        if (nearSide)
            left = r.Left + tw / 2;
        else if (tickMarks_ == tmTopLeft)
            left = r.Left + w - tw - tw / 2;
        layout.Track = platform::Bounds(left, r.Top + half, tw, h - 2 * half);
        layout.Span = h - geometry_.Length;
        const int top = layout.Span > 0 ? r.Top + h - MulDiv(layout.Span, int64_t(position_) - min_, range) -
                                              geometry_.Length
                                        : r.Top;
        layout.Thumb = platform::Bounds(left - (geometry_.Thickness - tw) / 2, top, geometry_.Thickness,
                                        geometry_.Length);
    }
    return layout;
}

void TLXCustomTrackBar::Paint(platform::TCanvas& canvas)
{
    PaintBackground(canvas);
    const TLXTrackBarLayout layout = Layout();
    TRect track = layout.Track;
    DrawBorder(canvas, track, trackBorderStyle_, 0);
    platform::InflateRect(track, -trackBorder_, -trackBorder_);
    if (!trackTransparent_) {
        if (trackFill_.Style() != sfNone)
            trackFill_.Fill(canvas, track, Color());
        else {
            canvas.Brush.SetColor(trackColor_);
            canvas.FillRect(track);
        }
    } else if (!Transparent()) {
        DrawBackground(canvas, track, 0, {x() + track.Left, y() + track.Top});
    }
    if (tickStyle_ != tsNone)
        PaintTicks(canvas, layout);

    // The normal image on the left, the pressed one on the right.
    const int imageWidth = thumb_.Width() / 2;
    const bool pressed = dragging_ || !isEnabled();
    const TRect source = platform::Bounds(pressed ? imageWidth : 0, 0, imageWidth, thumb_.Height());
    if (thumbStyle_ == tsCustom)
        canvas.CopyTransparent(layout.Thumb, thumb_.Image(), source, thumb_.TransparentColor());
    else
        canvas.CopyRect(layout.Thumb, thumb_.Image(), source);

    if (hasFocus() && focusStyle_ == tbFocus) {
        if (useFocusColor_) {
            canvas.Pen.SetColor(focusColor_);
            canvas.Pen.SetStyle(platform::TPenStyle::psDot);
            canvas.Brush.SetStyle(platform::TBrushStyle::bsClear);
            const TRect client = ClientRect();
            canvas.Rectangle(client);
        } else {
            canvas.DrawFocusRect(ClientRect());
        }
    }
}

void TLXCustomTrackBar::PaintTicks(platform::TCanvas& canvas, const TLXTrackBarLayout& layout)
{
    const TRect& r = layout.Inner;
    const int span = std::max(layout.Span, 0);
    const int64_t range = int64_t(max_) - min_;
    const int step = tickGap_ > 1 ? tickGap_ : 1;
    const bool first = tickMarks_ == tmBoth || tickMarks_ == tmTopLeft;
    const bool second = tickMarks_ == tmBoth || tickMarks_ == tmBottomRight;
    canvas.Pen.SetColor(tickColor_);
    canvas.Pen.SetStyle(platform::TPenStyle::psSolid);
    for (int64_t v = min_; v <= max_; v += step) {
        const int offset = MulDiv(v - min_, span, range);
        // Vertical values run upwards like the thumb, so the ticks are counted from the bottom.
        const int p =
            Horizontal() ? r.Left + geometry_.Half + offset : r.Top + geometry_.Half + span - offset;
        const TPoint start = Horizontal() ? TPoint{p, r.Top} : TPoint{r.Left, p};
        if (tickStyle_ == tsOwnerDraw) {
            int value = static_cast<int>(v);
            emit OnDrawTick(canvas, value, start);
            continue;
        }
        if (Horizontal()) {
            if (first) {
                canvas.MoveTo(p, r.Top);
                canvas.LineTo(p, r.Top + tickLength_);
            }
            if (second) {
                canvas.MoveTo(p, r.Bottom - tickLength_);
                canvas.LineTo(p, r.Bottom);
            }
        } else {
            if (first) {
                canvas.MoveTo(r.Left, p);
                canvas.LineTo(r.Left + tickLength_, p);
            }
            if (second) {
                canvas.MoveTo(r.Right - tickLength_, p);
                canvas.LineTo(r.Right, p);
            }
        }
    }
}

void TLXCustomTrackBar::keyPressEvent(QKeyEvent* event)
{
    TLXCustomPanel::keyPressEvent(event);
    int target = 0;
    TLXScrollCode code = scEndScroll;
    switch (event->key()) {
    case Qt::Key_PageUp:
        target = position_ + pageSize_;
        code = scPageUp;
        break;
    case Qt::Key_PageDown:
        target = position_ - pageSize_;
        code = scPageDown;
        break;
    case Qt::Key_End:
        SetPosition(max_);
        event->accept();
        return;
    case Qt::Key_Home:
        SetPosition(min_);
        event->accept();
        return;
    case Qt::Key_Left:
    case Qt::Key_Down:
        target = position_ - lineSize_;
        code = scLineDown;
        break;
    case Qt::Key_Up:
    case Qt::Key_Right:
        target = position_ + lineSize_;
        code = scLineUp;
        break;
    default:
        return;
    }
    event->accept();
    SetPosition(Track(code, std::clamp(target, min_, max_)));
    Track(scEndScroll, position_);
}

void TLXCustomTrackBar::wheelEvent(QWheelEvent* event)
{
    wheelAccumulated_ += event->angleDelta().y();
    while (wheelAccumulated_ >= WheelStep || wheelAccumulated_ <= -WheelStep) {
        const bool up = wheelAccumulated_ > 0;
        wheelAccumulated_ -= up ? WheelStep : -WheelStep;
        QKeyEvent key(QEvent::KeyPress, up ? Qt::Key_Up : Qt::Key_Down, Qt::NoModifier);
        keyPressEvent(&key);
    }
    event->accept();
}

int TLXCustomTrackBar::PageClickOffset(const TLXTrackBarLayout& layout) const
{
    const int64_t range = int64_t(max_) - min_;
    const int64_t along = Horizontal() ? int64_t(position_) - min_ : int64_t(max_) - position_;
    return MulDiv(along, layout.Span, range);
}

void TLXCustomTrackBar::mousePressEvent(QMouseEvent* event)
{
    TLXCustomPanel::mousePressEvent(event);
    if (focusStyle_ != tbNoFocus)
        setFocus(Qt::MouseFocusReason);
    const QPoint pointer = event->position().toPoint();
    lastPointer_ = pointer;
    if (event->button() != Qt::LeftButton)
        return;
    const TLXTrackBarLayout layout = Layout();
    if (layout.Thumb.ToQRect().contains(pointer)) {
        dragging_ = true;
        update(layout.Thumb.ToQRect());
        return;
    }
    if (!layout.Track.ToQRect().contains(pointer) || layout.Span <= 0)
        return;
    SetRepeatEnabled(true);
    const int t = PageClickOffset(layout);
    const int coordinate = Horizontal() ? pointer.x() : pointer.y();
    const bool before = coordinate < t;
    repeatDirection_ = before ? 2 : 1;
    // Horizontal values grow to the right, vertical ones upwards.
    const bool up = Horizontal() ? !before : before;
    const int target = std::clamp(position_ + (up ? pageSize_ : -pageSize_), min_, max_);
    SetPosition(Track(up ? scPageUp : scPageDown, target));
}

int TLXCustomTrackBar::RepeatStep(const TLXTrackBarLayout& layout, QPoint pointer) const
{
    const int t = PageClickOffset(layout);
    const int coordinate = Horizontal() ? pointer.x() : pointer.y();
    const bool before = coordinate < t;
    if ((before && repeatDirection_ != 2) || (!before && repeatDirection_ != 1))
        return 0;
    const bool up = Horizontal() ? !before : before;
    return up ? pageSize_ : -pageSize_;
}

void TLXCustomTrackBar::RepeatTick()
{
    const TLXTrackBarLayout layout = Layout();
    // Outside the track the repeat only pauses.
    if (!layout.Track.ToQRect().contains(lastPointer_) || layout.Span <= 0)
        return;
    const int step = RepeatStep(layout, lastPointer_);
    if (step == 0) {
        SetRepeatEnabled(false);
        return;
    }
    SetPosition(ClampToInt(int64_t(position_) + step));
}

void TLXCustomTrackBar::mouseMoveEvent(QMouseEvent* event)
{
    TLXCustomPanel::mouseMoveEvent(event);
    lastPointer_ = event->position().toPoint();
    if (!dragging_)
        return;
    const TLXTrackBarLayout layout = Layout();
    if (layout.Span <= 0)
        return;
    const double range = double(max_) - min_;
    const double h = geometry_.Half;
    const double fraction =
        Horizontal() ? (lastPointer_.x() - h) / (layout.Inner.Width() - h)
                     : (layout.Inner.Height() - h - lastPointer_.y()) / (layout.Inner.Height() - h);
    const int value = ClampToInt(platform::RoundHalfEven(fraction * range + min_));
    SetPosition(Track(scTrack, value));
}

void TLXCustomTrackBar::mouseReleaseEvent(QMouseEvent* event)
{
    TLXCustomPanel::mouseReleaseEvent(event);
    SetRepeatEnabled(false);
    if (event->button() == Qt::LeftButton && dragging_) {
        Track(scPosition, position_);
        dragging_ = false;
        update(Layout().Thumb.ToQRect());
    }
    Track(scEndScroll, position_);
}

void TLXCustomTrackBar::changeEvent(QEvent* event)
{
    TLXCustomPanel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        Invalidate();
}

void TLXCustomTrackBar::SetRepeatEnabled(bool enabled)
{
    if (TLXTimerItem* item = LXApplication().TimerItem(repeatTimer_))
        item->SetEnabled(enabled);
}

TLXTrackBar::TLXTrackBar(QWidget* parent) : TLXCustomTrackBar(parent) {}
