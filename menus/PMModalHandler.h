#pragma once
// While a popup menu is open the modal handler owns the mouse and the keyboard: an application-wide
// event filter routes input to the chain of open menu views by its screen position, consumes it, and
// passes everything else on (posted messages, timers, painting), so the station keeps playing.
#include <QEventLoop>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

class QInputEvent;
class QKeyEvent;
class QMouseEvent;
class TPMView;
class TPMItemViewer;

class TPMModalHandler : public QObject {
    Q_OBJECT
public:
    TPMModalHandler();
    ~TPMModalHandler() override;

    // The handler of the menu open now, or none.
    static TPMModalHandler* Current();

    QWidget* Window() { return &window_; }
    bool HasCapture() const { return capture_; }
    // The long hint of the innermost selected entry: the application's hint text while the menu is open.
    QString HintText() const { return hintText_; }

    // Runs until a close action is set, a press lands outside the menu, a release outside it ends
    // it, the capture is lost, or the menu is freed.
    void RunLoop(TPMView* rootView, bool rightButton);
    // Ends the loop as a cancel (the menu, its root item or a window went).
    void Cancel();
    // Runs a call of the loop: an exception ends the loop and is kept to be thrown once it returned.
    void Guarded(const std::function<void()>& call);
    std::exception_ptr TakeException();
    // An inner loop (an entry's in-place edit) runs: the menu passes input on, taking only window
    // shortcuts, and handles the input the inner loop deferred to it once that loop has returned.
    void SetInnerLoop(bool running) { innerLoop_ = running; }
    void DeferInput(const QEvent* event);
    // Releases or takes again the pointer grab while the menu holds the capture.
    void SetPointerGrab(bool on);
    // Input an inner loop saw: keys stamped no later are dropped after the menu.
    void NoteInput(ulong timestamp) { lastInputTime_ = std::max(lastInputTime_, timestamp); }
    // Posts the press that ended the menu, and the input after it, to the window it was aimed at; a
    // release still missing then reaches that window exactly once.
    void ReplayOutsidePress();

signals:
    // The loop is ending: loops nested in it end too.
    void Ending();

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    // Handles one input inside the guard; the loop ends once the menu has a close action.
    void Handle(QEvent* event);
    bool HandleInput(QEvent* event);
    void HandleMouse(QMouseEvent* event);
    void HandleKey(QKeyEvent* event);
    void TrackMouse(QPoint screenPoint, bool alwaysHit);
    TPMItemViewer* ViewerUnderMouse();
    TPMView* Innermost() const;
    bool InChain(const QWidget* window) const;
    void RefreshCursorAndHint();
    void CancelHint();
    void ShowHint();
    void CheckCapture();
    void LoseCapture();
    void End();

    QWidget window_; // the hidden window the capture is on
    QEventLoop loop_;
    QPointer<TPMView> root_;
    bool rightButton_ = false;
    bool running_ = false;
    bool capture_ = true;
    bool ended_ = false;
    bool grabbed_ = false;
    bool innerLoop_ = false;
    std::vector<std::unique_ptr<QInputEvent>> deferred_;
    bool pressedOnMenu_ = false;
    QPointer<QWidget> modalAtStart_;
    QString hintText_;
    QTimer hintTimer_;
    QPointer<TPMView> hintView_;
    std::exception_ptr exception_;
    ulong lastInputTime_ = 0;
    // The press outside the menu and the input after it, replayed once the menu has gone.
    QPointer<QWidget> replayTarget_;
    std::vector<std::unique_ptr<QInputEvent>> replay_;
};

// Runs a view's timer or another call made from the event loop while a menu is open, inside the
// handler's guard; directly when no menu is open.
void RunInMenuLoop(const std::function<void()>& call);
