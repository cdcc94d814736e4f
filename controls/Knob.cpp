#include "controls/Knob.h"

#include "controls/KnobMath.h"
#include "platform/Numbers.h"
#include "platform_gui/PainterCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace platform;

TKnob::TKnob(QWidget* parent)
    : QWidget(parent), lineColor_(clActiveCaption), degreesPerUnit_(KnobDegreesPerUnit(min_, max_))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The label previews the value under the mouse without a press.
    setMouseTracking(true);
    resize(size_, size_);
}

void TKnob::Update(int position, int min, int max)
{
    if (min != min_) {
        min_ = min;
        degreesPerUnit_ = KnobDegreesPerUnit(min_, max_);
    }
    if (max != max_) {
        max_ = max;
        degreesPerUnit_ = KnobDegreesPerUnit(min_, max_);
    }
    position = degreesPerUnit_ >= 0 ? std::clamp(position, std::min(min_, max_), std::max(min_, max_))
                                    : std::clamp(position, max_, min_);
    position_ = position;
    angle_ = KnobAngle(position_, min_, degreesPerUnit_);
    update();
    ShowInLabel(position_);
    emit OnChange();
}

void TKnob::SetCaption(const QString& caption)
{
    caption_ = caption;
    ShowInLabel(position_);
}

void TKnob::SetPositionLabel(QLabel* label)
{
    label_ = label;
    ShowInLabel(position_);
}

void TKnob::SetLineColor(TColor color)
{
    if (color == lineColor_ || SameColor(color, clBtnFace))
        return;
    lineColor_ = color;
    update();
}

void TKnob::SetSpringLoaded(bool spring)
{
    springLoaded_ = spring;
    if (spring)
        SetPosition(0);
}

void TKnob::ShowInLabel(int value)
{
    if (label_ != nullptr)
        label_->setText(KnobLabelText(value, max_, caption_));
}

int TKnob::MouseValue() const
{
    return KnobValueOfAngle(mouseAngle_, min_, degreesPerUnit_);
}

bool TKnob::event(QEvent* event)
{
    // The label shows and hides with the knob itself, not with its window.
    if (label_ != nullptr && event->type() == QEvent::ShowToParent)
        label_->show();
    else if (label_ != nullptr && event->type() == QEvent::HideToParent)
        label_->hide();
    return QWidget::event(event);
}

void TKnob::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && label_ != nullptr)
        label_->setEnabled(isEnabled());
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange)
        update();
}

void TKnob::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    const int side = w > size_ || h > size_ ? std::max(w, h) : std::min(w, h);
    size_ = side;
    radius_ = side / 2;
    if (w != side || h != side)
        resize(side, side);
}

void TKnob::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !QRegion(rect(), QRegion::Ellipse).contains(point))
        return;
    setFocus(Qt::MouseFocusReason);
    tracking_ = true;
    mouseAngle_ = KnobMouseAngle(point, size());
    SetPosition(MouseValue());
}

void TKnob::mouseMoveEvent(QMouseEvent* event)
{
    mouseAngle_ = KnobMouseAngle(event->position().toPoint(), size());
    const int value = MouseValue();
    if (tracking_ && value != position_)
        SetPosition(value);
    ShowInLabel(value);
}

void TKnob::mouseReleaseEvent(QMouseEvent*)
{
    if (!tracking_)
        return;
    if (springLoaded_)
        SetPosition(0);
    else if (MouseValue() != position_)
        SetPosition(MouseValue());
    tracking_ = false;
}

void TKnob::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    ShowInLabel(position_);
}

void TKnob::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TKnob::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    tracking_ = false;
    if (springLoaded_)
        SetPosition(0);
    update();
}

void TKnob::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageUp:
        SetPosition(position_ + pageSize_);
        break;
    case Qt::Key_PageDown:
        SetPosition(position_ - pageSize_);
        break;
    case Qt::Key_End:
        SetPosition(max_);
        break;
    case Qt::Key_Home:
        SetPosition(min_);
        break;
    case Qt::Key_Left:
    case Qt::Key_Down:
        SetPosition(position_ - 1);
        break;
    case Qt::Key_Up:
    case Qt::Key_Right:
        SetPosition(position_ + 1);
        break;
    default:
        event->ignore();
    }
}

void TKnob::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TPainterCanvas canvas(&painter);
    const int w = width();
    const int h = height();
    // Opaque: the corners outside the dial show the parent's colour.
    canvas.Brush.SetColor(parentWidget() != nullptr
                              ? FromQColor(parentWidget()->palette().color(QPalette::Window))
                              : clBtnFace);
    canvas.FillRect(Rect(0, 0, w, h));

    canvas.Pen.SetColor(clBtnFace);
    canvas.Brush.SetColor(clBtnFace);
    canvas.Ellipse(Rect(2, 2, w - 2, h - 2));
    canvas.Pen.SetWidth(2);
    canvas.Pen.SetColor(clBtnHighlight);
    canvas.Arc(Rect(2, 2, w - 2, h - 2), Point(w - 2, 2), Point(2, h - 2));
    canvas.Pen.SetColor(clBtnShadow);
    canvas.Arc(Rect(1, 1, w - 3, h - 3), Point(2, h - 2), Point(w - 2, 2));

    canvas.Pen.SetWidth(1);
    canvas.Brush.SetStyle(TBrushStyle::bsClear);
    canvas.Pen.SetColor(isEnabled() ? clBlack : clBtnShadow);
    canvas.Ellipse(Rect(0, 0, w, h));
    canvas.Pen.SetColor(hasFocus() ? clBlack : clBtnShadow);
    canvas.Arc(Rect(0, 0, w, h), Point(w, 0), Point(0, h));

    const double a = angle_ * std::numbers::pi / 180.0;
    const auto end = [this, a](int length) {
        return Point(radius_ + static_cast<int>(RoundHalfEven(length * std::cos(a))),
                     radius_ - static_cast<int>(RoundHalfEven(length * std::sin(a))));
    };
    const TPoint p1 = end(radius_ - 11);
    const TPoint p2 = end(radius_ - 5);
    canvas.Pen.SetColor(clBtnHighlight);
    canvas.MoveTo(p1.X + 1, p1.Y + 1);
    canvas.LineTo(p2.X + 1, p2.Y + 1);
    canvas.Pen.SetColor(lineColor_);
    canvas.MoveTo(p1.X, p1.Y);
    canvas.LineTo(p2.X, p2.Y);
}
