#pragma once
// Where the parts of a skinned scroll bar lie: an arrow at each end as long as the bar is thick (half
// the bar each when it is shorter than two), the track between them, and in the track the thumb, as
// long as the page's share of the track and placed by the slider position. Painting, the style's part
// rectangles and its hit test all read this one layout, so Qt scrolls by what is drawn.
#include <QRect>
#include <QStyle>

class QStyleOptionSlider;

struct TScrollBarLayout {
    bool Horizontal = true;
    // The rectangles in the option's coordinates, mirrored for a right-to-left horizontal bar.
    QRect SubLine; // the first arrow
    QRect AddLine; // the second arrow
    QRect Groove;  // the track between the arrows
    QRect Slider;  // the thumb; empty when the track has no room for one
    QRect SubPage; // the track before the thumb
    QRect AddPage; // the track after the thumb

    QRect Part(QStyle::SubControl part) const;
    // The part under the point: the arrows first, then the thumb, the pages and the track.
    QStyle::SubControl PartAt(QPoint point) const;
};

// arrowLength is the arrow's length along the bar, minimumThumb the shortest thumb.
TScrollBarLayout LayOutScrollBar(const QStyleOptionSlider& option, int arrowLength, int minimumThumb);
