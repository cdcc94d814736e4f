#include "playout/VisualBox.h"

#include <QPainter>

#include <cstring>

TVisualBox::TVisualBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TVisualBox::ShowFrame(const QImage& frame)
{
    if (frame_.size() == frame.size() && frame_.format() == frame.format() &&
        frame_.bytesPerLine() == frame.bytesPerLine() && !frame.isNull())
        std::memcpy(frame_.bits(), frame.constBits(), static_cast<size_t>(frame.sizeInBytes()));
    else
        frame_ = frame.copy();
    update();
}

void TVisualBox::Clear()
{
    frame_ = QImage();
    update();
}

void TVisualBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!frame_.isNull())
        painter.drawImage(0, 0, frame_);
}
