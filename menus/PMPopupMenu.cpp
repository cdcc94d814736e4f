#include "menus/PMPopupMenu.h"

#include "menus/PMModalHandler.h"
#include "menus/PMPopupWindow.h"
#include "platform_gui/Application.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

TPMPopupMenu::TPMPopupMenu(QObject* owner) : QObject(owner), items_(new TPMRootItem(this))
{
    items_->setObjectName(QStringLiteral("Items"));
    items_->OnClick = [this](TPMCustomItem* clicked) {
        if (OnPopup)
            OnPopup(clicked == items_ ? static_cast<QObject*>(this) : clicked);
    };
}

TPMPopupMenu::~TPMPopupMenu()
{
    delete items_; // its entries with it, before the menu's other children go
}

void TPMPopupMenu::Popup(int x, int y)
{
    if (TPMModalHandler::Current() != nullptr)
        return; // two loops would fight over one grab
    popupPoint_ = QPoint(x, y);
    QPointer<TPMPopupMenu> self(this);
    open_ = true;
    struct Closing {
        QPointer<TPMPopupMenu> menu;
        ~Closing()
        {
            if (menu != nullptr) {
                menu->open_ = false;
                emit menu->Closed();
            }
        }
    } closing{self};
    RunPopup(items_, false, TrackButton == Qt::RightButton, Alignment, popupPoint_);
}

bool TPMPopupMenu::IsShortCut(QKeyEvent* event)
{
    return items_->HandleShortCut(event->keyCombination());
}

void TPMPopupMenu::AttachTo(QWidget* control)
{
    control->setContextMenuPolicy(Qt::DefaultContextMenu);
    control->installEventFilter(this);
    if (QWidget* window = control->window(); window != control)
        window->installEventFilter(this);
}

bool TPMPopupMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu && AutoPopup && !static_cast<QWidget*>(watched)->isWindow()) {
        const QPoint at = static_cast<QContextMenuEvent*>(event)->globalPos();
        // A failing handler of the menu ends here, as the window's own handler would: one error box.
        platform::Application::Guard([&] {
            Popup(at.x(), at.y());
            return true;
        });
        return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QWidget*>(watched)->isWindow())
        return IsShortCut(static_cast<QKeyEvent*>(event));
    return false;
}

void RunPopup(TPMCustomItem* item, bool selectFirst, bool rightButton, TPopupAlignment alignment,
              QPoint point)
{
    QPointer<TPMCustomItem> alive(item);
    TPMCloseAction action;
    std::exception_ptr error;
    auto handler = std::make_unique<TPMModalHandler>();
    QPointer<TPMPopupWindow> window;
    try {
        window = OpenItemPopup(item, nullptr, nullptr, alignment, point, false, selectFirst, false);
    } catch (...) {
        error = std::current_exception();
    }
    if (window != nullptr) {
        // The menu, its root or its window going while the loop runs ends the menu as a cancel.
        TPMModalHandler* loop = handler.get();
        QObject::connect(item, &TPMCustomItem::Freeing, loop, [loop] { loop->Cancel(); });
        QObject::connect(window, &QObject::destroyed, loop, [loop] { loop->Cancel(); });
        TPMView* root = window->View();
        root->SetState(vsIgnoreFirstUp, true);
        handler->RunLoop(root, rightButton);
        if (window != nullptr && alive != nullptr) {
            action = window->View()->CloseAction();
            window->View()->SetState(vsMenuLoop, false);
        }
        delete window;
    }
    if (!error)
        error = handler->TakeException();
    handler->ReplayOutsidePress();
    handler.reset();
    if (error)
        std::rethrow_exception(error);
    action.Perform();
}
