#include "controls/NKScrollLabel.h"

#include "platform_gui/PainterCanvas.h"

#include <QPainter>

#include <algorithm>
#include <limits>

using namespace platform;

TNKScrollLabel::TNKScrollLabel(QWidget* parent)
    : QWidget(parent),
      background_(parent != nullptr ? FromQColor(parent->palette().color(QPalette::Window)) : clBtnFace)
{
    setFocusPolicy(Qt::NoFocus);
    resize(72, 18);
    lower(); // window-less: under every windowed sibling
    timer_.setInterval(static_cast<int>(speed_));
    connect(&timer_, &QTimer::timeout, this, &TNKScrollLabel::Tick);
}

void TNKScrollLabel::SetText(const QString& text)
{
    text_ = text;
    repaint();
}

void TNKScrollLabel::SetActive(bool active)
{
    if (active)
        timer_.start();
    else
        timer_.stop();
}

void TNKScrollLabel::SetSpeed(uint32_t speed)
{
    speed_ = speed;
    const uint32_t limit = std::numeric_limits<int>::max();
    timer_.setInterval(static_cast<int>(std::clamp<uint32_t>(speed, MinInterval, limit)));
}

void TNKScrollLabel::SetBackGround(TColor color)
{
    background_ = color;
    repaint();
}

void TNKScrollLabel::SetFillStyle(TBGFillStyle style)
{
    fillStyle_ = style;
    repaint();
}

void TNKScrollLabel::Tick()
{
    QImage probe(1, 1, QImage::Format_RGB32);
    TPainterCanvas measure(&probe);
    measure.Font = font_;
    const TSize text = measure.TextExtent(text_);
    position_ = ScrollStep(position_, direction_, jump_, size(), QSize(text.cx, text.cy));
    repaint();
    emit OnScroll(position_.X, position_.Y);
}

void TNKScrollLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TPainterCanvas canvas(&painter);
    canvas.Brush.SetColor(background_);
    if (fillStyle_ == bfFull)
        canvas.FillRect(Rect(0, 0, width(), height()));
    canvas.Font = font_;
    // Only the text's own cell is painted on the background.
    canvas.BkColor = background_;
    canvas.BkMode = TBkMode::bmOpaque;
    canvas.TextOut(position_.X, position_.Y, text_);
}
