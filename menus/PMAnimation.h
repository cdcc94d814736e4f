#pragma once
// The show animation of popup windows: the window's finished look is captured once, then faded in or
// slid in from the side it opened towards over 150 ms. One animation runs at a time; its steps are
// paced by a GUI-thread timer on the platform clock and run as step messages to the window.
#include <QImage>
#include <QPoint>

class QPainter;
class QWidget;

constexpr int MenuAnimationMs = 150;

void StartAnimation(QWidget* window, int durationMs, bool blend, int directions);
// Stops the running animation when it is the window's, or any when window is none; the window then
// shows its full look.
void StopAnimation(QWidget* window = nullptr);

// The pacing: the next step when it is due. Public for tests on a manual clock.
void AnimationTick();
// The step message's handling, for the window's event(); an old serial changes nothing.
void AnimationStep(QWidget* window, long serial);

// The captured image and where it goes while a slide runs.
bool AnimationFrame(const QWidget* window, QImage& image, QPoint& offset);
// For the animated window's paint handler: a paint the animation made draws its current frame (true);
// any other paint of the window stops its animation first (false: the window paints its own look).
bool PaintAnimation(QWidget* window, QPainter& painter);
// The current level (alpha or progress, 0 to 255), -1 when no animation runs.
int AnimationLevel();
