#include "skin/ScrollBarLayout.h"

#include <QStyleOptionSlider>

#include <algorithm>

namespace {

// Turns lengths along the bar into rectangles of the bar's full thickness.
class AlongBar {
public:
    explicit AlongBar(const QStyleOptionSlider& option)
        : rect_(option.rect), horizontal_(option.orientation == Qt::Horizontal), direction_(option.direction)
    {
    }

    int Length() const { return horizontal_ ? rect_.width() : rect_.height(); }

    QRect Piece(int start, int length) const
    {
        if (length <= 0)
            return {};
        const QRect piece = horizontal_ ? QRect(rect_.left() + start, rect_.top(), length, rect_.height())
                                        : QRect(rect_.left(), rect_.top() + start, rect_.width(), length);
        return QStyle::visualRect(direction_, rect_, piece);
    }

private:
    QRect rect_;
    bool horizontal_;
    Qt::LayoutDirection direction_;
};

} // namespace

QRect TScrollBarLayout::Part(QStyle::SubControl part) const
{
    switch (part) {
    case QStyle::SC_ScrollBarSubLine:
        return SubLine;
    case QStyle::SC_ScrollBarAddLine:
        return AddLine;
    case QStyle::SC_ScrollBarGroove:
        return Groove;
    case QStyle::SC_ScrollBarSlider:
        return Slider;
    case QStyle::SC_ScrollBarSubPage:
        return SubPage;
    case QStyle::SC_ScrollBarAddPage:
        return AddPage;
    default:
        return {};
    }
}

QStyle::SubControl TScrollBarLayout::PartAt(QPoint point) const
{
    for (const QStyle::SubControl part :
         {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSlider,
          QStyle::SC_ScrollBarSubPage, QStyle::SC_ScrollBarAddPage, QStyle::SC_ScrollBarGroove})
        if (Part(part).contains(point))
            return part;
    return QStyle::SC_None;
}

TScrollBarLayout LayOutScrollBar(const QStyleOptionSlider& option, int arrowLength, int minimumThumb)
{
    const AlongBar bar(option);
    const int length = bar.Length();
    const int arrow = std::min(arrowLength, length / 2);
    const int track = std::max(length - 2 * arrowLength, 0);

    int thumb = track;
    if (option.maximum > option.minimum) {
        const qint64 range = qint64(option.maximum) - option.minimum;
        const qint64 page = std::max(option.pageStep, 0);
        thumb = int(page * track / (range + page));
        thumb = std::min(std::max(thumb, minimumThumb), track);
    }
    const int thumbStart =
        arrowLength + QStyle::sliderPositionFromValue(option.minimum, option.maximum, option.sliderPosition,
                                                      track - thumb, option.upsideDown);

    TScrollBarLayout layout;
    layout.Horizontal = option.orientation == Qt::Horizontal;
    layout.SubLine = bar.Piece(0, arrow);
    layout.AddLine = bar.Piece(length - arrow, arrow);
    layout.Groove = bar.Piece(arrowLength, track);
    if (track > 0) {
        layout.Slider = bar.Piece(thumbStart, thumb);
        layout.SubPage = bar.Piece(arrowLength, thumbStart - arrowLength);
        layout.AddPage = bar.Piece(thumbStart + thumb, arrowLength + track - thumbStart - thumb);
    }
    return layout;
}
