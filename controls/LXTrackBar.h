#pragma once
// The library's slider: a track with ticks and a thumb moved by dragging, by page clicks beside it
// (repeated from the timer pool), by the keys and by the wheel. Every change of Position, from code
// or from the user, fires OnChange; nothing else does.
#include "controls/LXCustomControl.h"

#include <cstdint>

enum TLXOrientation : int { toHorizontal, toVertical };
enum TLXThumbStyle : int { tsStandard, tsCustom };
enum TLXTickMarks : int { tmBoth, tmBottomRight, tmTopLeft };
enum TLXTickStyle : int { tsAuto, tsOwnerDraw, tsNone };
enum TLXTrackBarFocusStyle : int { tbFocus, tbInvisibleFocus, tbNoFocus };
enum TLXScrollCode : int {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};

// Where the parts of a track bar lie for its settings and size.
struct TLXTrackBarLayout {
    platform::TRect Inner; // the client rectangle inside the margin
    platform::TRect Track;
    platform::TRect Thumb;
    // The room the thumb travels along the track; 0 or less leaves the pointer mapping nothing.
    int Span = 0;
};

class TLXCustomTrackBar : public TLXCustomPanel {
    Q_OBJECT
public:
    // EOutOfResources "Not enough timers available" when the pool has no free slot.
    explicit TLXCustomTrackBar(QWidget* parent = nullptr);
    ~TLXCustomTrackBar() override;

    int MinValue() const { return min_; }
    // Refused unless below MaxValue; a position below it moves up with all events.
    void SetMinValue(int value);
    int MaxValue() const { return max_; }
    // Refused unless above MinValue; a position above it moves down with all events.
    void SetMaxValue(int value);
    // Both bounds in the order that lets neither be refused on the way; refused when min >= max.
    void SetRange(int min, int max);
    int Position() const { return position_; }
    // Clamped; a change fires OnTrack(scBottom/scTop) at the ends, then OnChange.
    void SetPosition(int value);
    int LineSize() const { return lineSize_; }
    void SetLineSize(int size) { lineSize_ = size; }
    int PageSize() const { return pageSize_; }
    void SetPageSize(int size) { pageSize_ = size; }

    TLXOrientation Orientation() const { return orientation_; }
    void SetOrientation(TLXOrientation orientation);
    int Margin() const { return margin_; }
    void SetMargin(int margin);
    int TrackWidth() const { return trackWidth_; }
    // Below 3 is refused.
    void SetTrackWidth(int width);
    int TrackBorder() const { return trackBorder_; }
    void SetTrackBorder(int border);
    TLXBorderStyle TrackBorderStyle() const { return trackBorderStyle_; }
    void SetTrackBorderStyle(TLXBorderStyle style);
    platform::TColor TrackColor() const { return trackColor_; }
    void SetTrackColor(platform::TColor color);
    TLXFillObject& TrackFillObject() { return trackFill_; }
    void SetTrackFillObject(const TLXFillObject& fill) { trackFill_.Assign(fill); }
    bool TrackTransparent() const { return trackTransparent_; }
    void SetTrackTransparent(bool transparent);

    TLXThumbStyle ThumbStyle() const { return thumbStyle_; }
    void SetThumbStyle(TLXThumbStyle style);
    // The custom thumb (two images side by side, normal and pressed) while tsCustom without an
    // image list; null otherwise.
    const platform::TBitmap* Thumb() const;
    // Copies the images; an empty bitmap returns to the drawn thumb.
    void SetThumb(const platform::TBitmap& thumb);
    // The images in use, drawn or custom.
    const platform::TBitmap& ThumbImages() const { return thumb_; }
    platform::TColor ThumbColor() const { return thumbColor_; }
    void SetThumbColor(platform::TColor color);

    TLXTickMarks TickMarks() const { return tickMarks_; }
    void SetTickMarks(TLXTickMarks marks);
    TLXTickStyle TickStyle() const { return tickStyle_; }
    void SetTickStyle(TLXTickStyle style);
    int TickLength() const { return tickLength_; }
    void SetTickLength(int length);
    int TickGap() const { return tickGap_; }
    // Below -1 is refused; -1, 0 and 1 all put a tick at every value.
    void SetTickGap(int gap);
    platform::TColor TickColor() const { return tickColor_; }
    void SetTickColor(platform::TColor color);

    TLXTrackBarFocusStyle FocusStyle() const { return focusStyle_; }
    // tbNoFocus also takes the bar out of the tab order.
    void SetFocusStyle(TLXTrackBarFocusStyle style);
    bool UseFocusColor() const { return useFocusColor_; }
    void SetUseFocusColor(bool use);
    platform::TColor FocusColor() const { return focusColor_; }
    void SetFocusColor(platform::TColor color);

    void Assign(const TLXCustomTrackBar& source);

    TLXTrackBarLayout Layout() const;
    uint16_t RepeatTimer() const { return repeatTimer_; }

    bool SupportsThemes() const override { return true; }
    void ThemeChanged() override;
    void ImageListChanged() override;
    bool HasParentBackground() const override;

signals:
    void OnChange();
    // A handler may change scrollPos for the line, page and track codes before the move.
    void OnTrack(TLXScrollCode code, int& scrollPos);
    // Owner-drawn ticks: the value and where the tick line would start.
    void OnDrawTick(platform::TCanvas& canvas, int& value, platform::TPoint pos);

protected:
    void Paint(platform::TCanvas& canvas) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct ThumbGeometry {
        int Thickness = 0; // across the track
        int Length = 0;    // along the track
        int Half = 0;
    };
    bool Horizontal() const { return orientation_ == toHorizontal; }
    void BuildDrawnThumb();
    void UseCustomImages(const platform::TBitmap& images);
    // The thumb offset the pointer is compared with on a page click.
    int PageClickOffset(const TLXTrackBarLayout& layout) const;
    // The step towards the pointer, or 0 once the thumb has passed it.
    int RepeatStep(const TLXTrackBarLayout& layout, QPoint pointer) const;
    void RepeatTick();
    // Fires OnTrack with the value; answers what the handler left.
    int Track(TLXScrollCode code, int value);
    void MoveThumb(int oldPosition);
    void Invalidate() { update(); }
    void PaintTicks(platform::TCanvas& canvas, const TLXTrackBarLayout& layout);
    void SetRepeatEnabled(bool enabled);
    template <typename T> void SetAndInvalidate(T& field, T value)
    {
        if (field != value) {
            field = value;
            Invalidate();
        }
    }

    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    int lineSize_ = 1;
    int pageSize_ = 2;
    TLXOrientation orientation_ = toHorizontal;
    int margin_ = 1;
    int trackWidth_ = 10;
    int trackBorder_ = 0;
    TLXBorderStyle trackBorderStyle_ = lsLoweredExt;
    platform::TColor trackColor_ = platform::clWhite;
    TLXFillObject trackFill_;
    bool trackTransparent_ = false;
    TLXThumbStyle thumbStyle_ = tsStandard;
    platform::TBitmap thumb_;
    platform::TColor thumbColor_ = platform::clBtnFace;
    TLXTickMarks tickMarks_ = tmBottomRight;
    TLXTickStyle tickStyle_ = tsAuto;
    int tickLength_ = 6;
    int tickGap_ = -1;
    platform::TColor tickColor_ = platform::clBlack;
    TLXTrackBarFocusStyle focusStyle_ = tbFocus;
    bool useFocusColor_ = false;
    platform::TColor focusColor_ = platform::clGray;

    ThumbGeometry geometry_;
    bool dragging_ = false;
    int repeatDirection_ = 0; // 1 towards the end the page click went, 2 the other way
    QPoint lastPointer_;
    int wheelAccumulated_ = 0;
    uint16_t repeatTimer_ = 0;
};

class TLXTrackBar : public TLXCustomTrackBar {
    Q_OBJECT
public:
    explicit TLXTrackBar(QWidget* parent = nullptr);
};
