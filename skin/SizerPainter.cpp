#include "skin/SizerPainter.h"

#include <QPainter>
#include <QStyleOption>

namespace {

class TSkinSizerPainter : public TSkinPainter {
public:
    bool DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                     const QStyleOption& option, QPainter& painter, const QWidget* widget) const override;
};

} // namespace

bool TSkinSizerPainter::DrawControl(const TSkinPaintContext& context, QStyle::ControlElement element,
                                    const QStyleOption& option, QPainter& painter, const QWidget*) const
{
    if (element != QStyle::CE_SizeGrip)
        return false;
    painter.fillRect(option.rect, context.Face());
    return true;
}

const TSkinPainter& SizerPainter()
{
    static const TSkinSizerPainter painter;
    return painter;
}
