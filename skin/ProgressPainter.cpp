#include "skin/ProgressPainter.h"

#include "skin/core/ImgUtil.h"
#include "skin/core/SkinDraw.h"

#include <QPainter>
#include <QStyleOptionProgressBar>

#include <algorithm>

namespace {

class TSkinProgressPainter : public TSkinPainter {
public:
    bool DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                     const QStyleOption& option, QPainter& painter, const QWidget* widget) const override;
};

// Style 1: the image as one cell for the bar, then the chunk: repeated from the bar's left edge width
// on at its own height and centred across (Tile 1), or stretched over the done part.
void DrawChunks(QPainter& painter, const QRect& bar, const TDataSkinBorder& progress, int filled)
{
    DrawSkinFrame(painter, bar, progress.Image, false, false, true, 1, 1, progress.Edges());
    if (filled <= 0)
        return;
    const QImage& chunk = progress.Image2;
    if (progress.Tile != 1) {
        DrawSkinCell(painter, QRect(0, 0, filled, bar.height()), chunk, false, 1, 1);
        return;
    }
    QImage chunks(filled, chunk.height(), QImage::Format_ARGB32_Premultiplied);
    chunks.fill(SkinKeyColor);
    {
        QPainter copies(&chunks);
        TileDraw(copies, chunks.rect(), chunk, chunk.rect());
    }
    DrawTransparent(painter,
                    QRect(QPoint(progress.LeftWidth, (bar.height() - chunk.height()) / 2), chunks.size()),
                    chunks);
}

// How much of a bar `length` pixels long is filled: (progress - minimum) / (maximum - minimum) of it,
// rounded; nothing for an empty range or a progress at or below the minimum.
int FilledLength(const QStyleOptionProgressBar& bar, int length)
{
    const qint64 done = qint64(bar.progress) - bar.minimum;
    const qint64 range = qint64(bar.maximum) - bar.minimum;
    if (done <= 0 || range <= 0 || length <= 0)
        return 0;
    return int(std::min<qint64>((2 * length * std::min(done, range) + range) / (2 * range), length));
}

} // namespace

bool TSkinProgressPainter::DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                                       const QStyleOption& option, QPainter& painter,
                                       const QWidget* widget) const
{
    const auto* bar = qstyleoption_cast<const QStyleOptionProgressBar*>(&option);
    const std::optional<TDataSkinBorder>& progress = context.Skin.Progress;
    if (element != QStyle::CE_ProgressBar || !bar || !progress || progress->Image.isNull())
        return false;
    const bool chunked = progress->Style == 1;
    // A chunked bar without its chunk has nothing to show progress with.
    if (chunked && progress->Image2.isNull())
        return false;
    if (option.rect.width() <= 0 || option.rect.height() <= 0)
        return true;

    const bool vertical = !(option.state & QStyle::State_Horizontal);
    QImage lying(vertical ? option.rect.size().transposed() : option.rect.size(),
                 QImage::Format_ARGB32_Premultiplied);
    lying.fill(context.Face());
    {
        QPainter scratch(&lying);
        const int filled = FilledLength(*bar, lying.width());
        if (chunked) {
            DrawChunks(scratch, lying.rect(), *progress, filled);
        } else {
            const bool tile = progress->Tile == 1;
            DrawSkinFrame(scratch, lying.rect(), progress->Image, false, tile, true, progress->Frames, 1,
                          progress->Edges());
            DrawSkinFrame(scratch, QRect(0, 0, filled, lying.height()), progress->Image, false, tile, true,
                          progress->Frames, 2, progress->Edges());
        }
    }
    // Turned left, the bar's start is its bottom.
    if (vertical)
        RotateBitmapLeft(lying);
    painter.drawImage(option.rect.topLeft(), lying);

    if (bar->textVisible) {
        QStyleOptionProgressBar label = *bar;
        label.rect = context.Base.subElementRect(QStyle::SE_ProgressBarLabel, bar, widget);
        context.Base.drawControl(QStyle::CE_ProgressBarLabel, &label, &painter, widget);
    }
    return true;
}

const TSkinPainter& ProgressPainter()
{
    static const TSkinProgressPainter painter;
    return painter;
}
