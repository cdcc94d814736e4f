#pragma once
// A press outside a menu is replayed to the station window it was aimed at once the menu has gone,
// and that window must then see the press's release exactly once. X sends a release made while the
// menu held its pointer grab to the menu's popup; read after the popup was freed, it is dropped, and
// the target would keep its button held. The watch delivers a missing release, and never a second.
#include <QMouseEvent>
#include <QObject>
#include <QPointer>
#include <QWindow>

#include <memory>

// A mouse event for the window at the screen point, as the window system would send it, with the
// modifiers and time of `like`.
QMouseEvent* NewMouseEventFor(QWindow* window, QEvent::Type type, QPointF global, Qt::MouseButton button,
                              Qt::MouseButtons buttons, const QInputEvent& like);

class TPMReleaseWatch : public QObject {
public:
    // The press was just posted to the target as `posted`. A newer watch ends an older one.
    static void Start(QWindow* target, const QMouseEvent& press, const QEvent* posted);
    ~TPMReleaseWatch() override;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    TPMReleaseWatch(QWindow* target, const QMouseEvent& press, const QEvent* posted);
    QMouseEvent* NewRelease(QPointF global) const;
    void PostRelease(QPointF global);
    void Finish();

    QPointer<QWindow> target_;
    std::unique_ptr<QMouseEvent> press_;
    const QEvent* posted_;               // compared only: the replayed press, seen when it is delivered
    const QEvent* ownRelease_ = nullptr; // compared only: the release the watch posted
    bool pressDelivered_ = false;
    // A release that reached the target before the replayed press did: sent on after it.
    std::unique_ptr<QMouseEvent> early_;
};
