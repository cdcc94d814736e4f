#include "controls/LXControlBase.h"

#include "platform_gui/PainterCanvas.h"

#include <QEvent>
#include <QPainter>

namespace {

platform::TFont FontOfWidget(const QFont& font, platform::TColor color)
{
    platform::TFont result;
    result.SetName(font.family());
    if (font.pixelSize() > 0)
        result.SetHeight(font.pixelSize());
    else
        result.SetSize(font.pointSize());
    result.SetStyle((font.bold() ? platform::fsBold : 0) | (font.italic() ? platform::fsItalic : 0) |
                    (font.underline() ? platform::fsUnderline : 0) |
                    (font.strikeOut() ? platform::fsStrikeOut : 0));
    if (font.styleStrategy() & QFont::NoAntialias)
        result.SetQuality(platform::TFontQuality::fqNonAntialiased);
    result.SetColor(color);
    return result;
}

} // namespace

TLXWidgetBase::TLXWidgetBase(QWidget* parent) : QWidget(parent)
{
    font_ = FontOfWidget(font(), font_.Color());
    font_.OnChange = [this] { OwnFontChanged(); };
}

platform::TColor TLXWidgetBase::Color() const
{
    if (!parentColor_ || parentWidget() == nullptr)
        return color_;
    if (const auto* parent = dynamic_cast<const TLXWidgetBase*>(parentWidget()))
        return parent->Color();
    return platform::FromQColor(parentWidget()->palette().color(QPalette::Window));
}

void TLXWidgetBase::SetColor(platform::TColor color)
{
    if (color == color_ && !parentColor_)
        return;
    const platform::TColor before = Color();
    color_ = color;
    parentColor_ = false;
    if (Color() != before) {
        ColorChanged();
        TellChildrenColorChanged();
    }
}

void TLXWidgetBase::SetParentColor(bool parentColor)
{
    if (parentColor == parentColor_)
        return;
    const platform::TColor before = Color();
    parentColor_ = parentColor;
    if (Color() != before) {
        ColorChanged();
        TellChildrenColorChanged();
    }
}

void TLXWidgetBase::TellChildrenColorChanged()
{
    for (QObject* child : children()) {
        auto* control = dynamic_cast<TLXWidgetBase*>(child);
        if (control != nullptr && control->parentColor_) {
            control->ColorChanged();
            control->TellChildrenColorChanged();
        }
    }
}

void TLXWidgetBase::SetParentFont(bool parentFont)
{
    if (parentFont == parentFont_)
        return;
    parentFont_ = parentFont;
    if (parentFont)
        setFont(QFont()); // back to the inherited font; the change event follows it
}

void TLXWidgetBase::OwnFontChanged()
{
    if (followingFont_)
        return;
    parentFont_ = false;
    followingFont_ = true;
    setFont(font_.ToQFont());
    followingFont_ = false;
    FontChange();
}

void TLXWidgetBase::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    platform::TPainterCanvas canvas(&painter);
    canvas.Font = font_;
    Paint(canvas);
}

void TLXWidgetBase::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange && !followingFont_ && parentFont_) {
        followingFont_ = true;
        font_ = FontOfWidget(font(), font_.Color());
        followingFont_ = false;
        FontChange();
    } else if (event->type() == QEvent::PaletteChange && parentColor_) {
        ColorChanged();
    }
}
