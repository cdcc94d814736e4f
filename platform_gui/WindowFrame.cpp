#include "platform_gui/WindowFrame.h"

#include <QVariant>
#include <QWidget>

namespace platform {

namespace {

constexpr const char* FrameProperty = "PaintedFrame";

} // namespace

QMargins PaintedFrame(const QWidget* window)
{
    return window->property(FrameProperty).value<QMargins>();
}

void SetPaintedFrame(QWidget* window, const QMargins& frame)
{
    window->setProperty(FrameProperty, QVariant::fromValue(frame));
    window->setContentsMargins(frame);
}

QSize ClientSize(const QWidget* window)
{
    const QMargins frame = PaintedFrame(window);
    return window->size().shrunkBy(frame);
}

void SetClientSize(QWidget* window, const QSize& client)
{
    window->resize(client.grownBy(PaintedFrame(window)));
}

void SetOuterGeometry(QWidget* window, const QRect& outer)
{
    // The window system's frame: what frameGeometry() adds around geometry(), unknown (zero) until the
    // window has been shown once.
    const QSize systemFrame = window->frameGeometry().size() - window->size();
    window->move(outer.topLeft());
    window->resize(outer.size() - systemFrame);
}

} // namespace platform
