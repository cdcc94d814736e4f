#include "menus/PMAnimation.h"

#include "menus/PMLibrary.h"
#include "menus/PMPlacement.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/Numbers.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <utility>

namespace {

struct Animation {
    QPointer<QWidget> window;
    int duration = 0;
    bool blend = false;
    int directions = 0;
    QPoint lastCursor;
    QRect client;
    QImage image;
    int width = 0;
    int height = 0;
    int step = 0;
    bool pending = false;
    bool finished = false;
    // Paints the animation makes itself: the first one after the show and each slide step's.
    bool showPaintPending = false;
    bool stepPainting = false;
    int64_t start = 0;
    QPoint offset;
    std::unique_ptr<QTimer> timer;
};

std::unique_ptr<Animation> running;
long serial = 0;

void PostStep(QWidget* window)
{
    QCoreApplication::postEvent(window, new platform::MessageEvent(platform::WM_PMANIMATIONSTEP, 0, serial));
}

void Finish()
{
    running->finished = true;
    running->timer->stop();
    if (running->window != nullptr)
        PostStep(running->window);
}

// The library stops a running animation before the application goes.
void StopAtExit()
{
    StopAnimation();
}

} // namespace

void StartAnimation(QWidget* window, int durationMs, bool blend, int directions)
{
    static const bool stopAtExit = (qAddPostRoutine(StopAtExit), true);
    Q_UNUSED(stopAtExit);
    StopAnimation();
    // Captured before the record exists, so the window paints its finished look into the image.
    QImage image = window->grab().toImage();
    running = std::make_unique<Animation>();
    Animation& a = *running;
    a.image = std::move(image);
    a.window = window;
    a.duration = durationMs;
    a.blend = blend;
    a.directions = directions;
    a.lastCursor = LastMousePos();
    a.client = QRect(window->mapToGlobal(QPoint(0, 0)), window->size());
    a.width = window->width();
    a.height = window->height();
    if (blend) {
        a.step = 32;
        window->setWindowOpacity(a.step / 255.0);
    } else {
        a.step = 0;
        a.offset = QPoint(a.width, a.height); // nothing of it shows yet
        window->setMask(QRegion(-1, -1, 1, 1));
    }
    a.showPaintPending = true;
    window->show();
    a.start = platform::TickMs();
    a.timer = std::make_unique<QTimer>();
    a.timer->setSingleShot(true);
    a.timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(a.timer.get(), &QTimer::timeout, [] { AnimationTick(); });
    ++serial;
    a.timer->start(0);
}

void AnimationTick()
{
    if (!running || running->finished)
        return;
    Animation& a = *running;
    const int64_t elapsed = platform::TickMs() - a.start;
    const int b = platform::MulDiv(255, static_cast<int32_t>(elapsed), a.duration);
    const int step = b & ~15;
    if (b < 0 || step > 254 || elapsed >= a.duration) {
        Finish();
        return;
    }
    const QPoint cursor = LastMousePos();
    if (cursor != a.lastCursor && a.client.contains(cursor)) {
        Finish(); // the user already points into the menu
        return;
    }
    a.lastCursor = cursor;
    if (step > a.step) {
        a.step = step;
        if (!a.pending) {
            a.pending = true;
            PostStep(a.window);
        }
        a.timer->start(0);
        return;
    }
    a.timer->start(std::max(1, platform::MulDiv(a.step - b + 16, a.duration, 255)));
}

void AnimationStep(QWidget* window, long stepSerial)
{
    if (!running || stepSerial != serial || running->window != window)
        return;
    Animation& a = *running;
    if (a.finished) {
        StopAnimation(window);
        return;
    }
    if (a.blend) {
        window->setWindowOpacity(a.step / 255.0);
    } else {
        const int across = platform::MulDiv(a.width, a.step, 255);
        const int down = platform::MulDiv(a.height, a.step, 255);
        int x = 0;
        int y = 0;
        if (a.directions & adDown)
            y = down - a.height;
        else if (a.directions & adUp)
            y = a.height - down;
        if (a.directions & adRight)
            x = across - a.width;
        else if (a.directions & adLeft)
            x = a.width - across;
        a.offset = QPoint(x, y);
        window->setMask(QRegion(x, y, a.width, a.height));
        a.stepPainting = true;
        window->repaint();
        a.stepPainting = false;
    }
    a.pending = false;
}

void StopAnimation(QWidget* window)
{
    if (!running || (window != nullptr && running->window != window))
        return;
    std::unique_ptr<Animation> stopped = std::move(running);
    stopped->timer->stop();
    if (stopped->window == nullptr)
        return;
    if (stopped->blend)
        stopped->window->setWindowOpacity(1.0);
    else
        stopped->window->clearMask();
    stopped->window->update();
    QCoreApplication::postEvent(stopped->window,
                                new platform::MessageEvent(platform::WM_PMANIMATIONEND, 0, 0));
}

bool AnimationFrame(const QWidget* window, QImage& image, QPoint& offset)
{
    if (!running || running->window != window)
        return false;
    image = running->image;
    offset = running->blend ? QPoint() : running->offset;
    return true;
}

bool PaintAnimation(QWidget* window, QPainter& painter)
{
    if (!running || running->window != window)
        return false;
    Animation& a = *running;
    if (!a.stepPainting && !std::exchange(a.showPaintPending, false)) {
        StopAnimation(window); // the window paints itself: from now on it shows its full look
        return false;
    }
    painter.drawImage(a.blend ? QPoint() : a.offset, a.image);
    return true;
}

int AnimationLevel()
{
    return running ? running->step : -1;
}
