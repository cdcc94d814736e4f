#include "MenuTestKit.h"

#include "platform/Messages.h"

#include <QCoreApplication>

NoticeRecorder::NoticeRecorder(TPMCustomItem* item) : item_(item)
{
    item->RegisterNotifyHandler(&NoticeRecorder::Record, this);
}

NoticeRecorder::~NoticeRecorder()
{
    item_->UnregisterNotifyHandler(&NoticeRecorder::Record, this);
}

void NoticeRecorder::Record(void* object, const TPMItemNotice& notice)
{
    auto* recorder = static_cast<NoticeRecorder*>(object);
    recorder->kinds.append(notice.kind);
    recorder->items.append(notice.item);
}

void DeliverQueuedClicks()
{
    QCoreApplication::sendPostedEvents(nullptr, platform::MessageEvent::EventType());
}

#include "Drawing.h"
#include "menus/PMItemViewer.h"
#include "menus/PMLibrary.h"
#include "menus/PMModalHandler.h"
#include "menus/PMPopupWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

platform::TFont TestView::ItemFont()
{
    return PinnedFont(13);
}

TestHost::TestHost(TPMCustomItem* item, TPMView* parentView, QPoint at)
    : view(new TestView(this, parentView, item, this))
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    move(at);
    view->SetState(vsMenuLoop, true);
}

void TestHost::Open()
{
    view->Validate();
    resize(view->ContentSize());
    show();
    if (!QTest::qWaitForWindowExposed(this))
        ADD_FAILURE() << "the menu window was never shown";
}

void TestHost::paintEvent(QPaintEvent* event)
{
    ++paints;
    QPainter painter(this);
    view->Paint(painter, event->rect());
}

void TestSubmenuItem::OpenPopupWindow(TPMView* sourceView, TPMItemViewer* sourceViewer, TPopupAlignment,
                                      QPoint, bool, bool selectFirst, bool)
{
    FirePopupEvents();
    const QPoint at = sourceView->Window()->mapToGlobal(
        QPoint(sourceViewer->BoundsRect.Right, sourceViewer->BoundsRect.Top));
    auto* host = new TestHost(this, sourceView, at);
    if (selectFirst)
        host->view->ChooseViewer(host->view->FirstSelectableViewer(), false);
    sourceView->SetOpenSubmenu(host, host->view, sourceViewer);
    host->Open();
}

void MoveMouseTo(TPMView* view, QPoint clientPoint)
{
    const QPoint screen = view->Window()->mapToGlobal(clientPoint + view->ClientOffset());
    LastMousePos() = screen;
    for (TPMView* tracking = InnermostView(view->RootView()); tracking != nullptr;
         tracking = tracking->ParentView())
        tracking->TrackMouse(screen, true);
}

QString Describe(TPMView* view)
{
    QStringList entries;
    for (int i = 0; i < view->ViewerCount(); ++i) {
        TPMItemViewer* viewer = view->Viewer(i);
        entries << (viewer == view->Selected() ? "*" : "") + viewer->Item()->Caption();
    }
    return entries.join(u' ');
}

TPMView* InnermostView(TPMView* root)
{
    TPMView* view = root;
    while (view->OpenSubmenuView() != nullptr)
        view = view->OpenSubmenuView();
    return view;
}

TPMItemViewer* ViewerOf(TPMView* view, const TPMCustomItem* item)
{
    for (int i = 0; i < view->ViewerCount(); ++i)
        if (view->Viewer(i)->Item() == item)
            return view->Viewer(i);
    return nullptr;
}

LoopDriver::LoopDriver(std::vector<std::function<void()>> steps) : steps_(std::move(steps))
{
    Schedule();
}

void LoopDriver::Schedule()
{
    QTimer::singleShot(0, &context_, [this] {
        if (next_ < steps_.size()) {
            steps_[next_++]();
            Schedule();
        } else if (TPMModalHandler* handler = TPMModalHandler::Current()) {
            ADD_FAILURE() << "the menu was still open after the last step";
            handler->Cancel();
        }
    });
}

QList<TPMPopupWindow*> PopupWindows()
{
    QList<TPMPopupWindow*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<TPMPopupWindow*>(widget))
            windows << window;
    return windows;
}

TPMView* RootView()
{
    const QList<TPMPopupWindow*> windows = PopupWindows();
    for (TPMPopupWindow* window : windows)
        if (window->View()->ParentView() == nullptr)
            return window->View();
    return nullptr;
}

QPoint CentreOnScreen(TPMView* view, const TPMCustomItem* item)
{
    return view->Window()->mapToGlobal(ViewerOf(view, item)->BoundsRect.ToQRect().center() +
                                       view->ClientOffset());
}

namespace {

void SendMouse(QObject* receiver, QPoint local, QPoint screen, QEvent::Type type, Qt::MouseButton button)
{
    QMouseEvent event(type, local, local, screen, button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(receiver, &event);
}

} // namespace

void MouseTo(QWidget* window, QPoint screen, QEvent::Type type, Qt::MouseButton button)
{
    SendMouse(window, window->mapFromGlobal(screen), screen, type, button);
}

void MouseTo(QWindow* window, QPoint screen, QEvent::Type type, Qt::MouseButton button)
{
    SendMouse(window, window->mapFromGlobal(screen), screen, type, button);
}

void Key(int key, const QString& text)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(RootView()->Window(), &event);
}

void PostKey(int key)
{
    QCoreApplication::postEvent(RootView()->Window(), new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}
