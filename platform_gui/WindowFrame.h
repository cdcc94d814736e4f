#pragma once
// A top-level window's frame, whoever draws it. The window system's frame lies outside geometry();
// a frame the program paints itself (a skin) lies inside it, in the window's contents margins. Places
// are kept in these terms so a layout is the same whichever frame the window wears: the outer
// rectangle is frameGeometry(), the client size excludes either frame.
#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace platform {

// The frame the program paints inside the window (zero when the window system draws it).
QMargins PaintedFrame(const QWidget* window);
// Set by whoever paints the frame; also sets the window's contents margins, so its layouts keep to
// the client area.
void SetPaintedFrame(QWidget* window, const QMargins& frame);

// The client area's size: the window's size less a painted frame.
QSize ClientSize(const QWidget* window);
// Sizes the window so its client area has the size; the outer top-left stays where it is.
void SetClientSize(QWidget* window, const QSize& client);

// Places the window so its outer rectangle, frame included, is the rectangle.
void SetOuterGeometry(QWidget* window, const QRect& outer);

} // namespace platform
