#include "menus/PMAccessibility.h"

#include "menus/PMCustomItem.h"
#include "menus/PMItemViewer.h"
#include "menus/PMPlatform.h"
#include "menus/PMPopupWindow.h"
#include "menus/PMView.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>

#include <atomic>

namespace {

std::atomic<int> liveViewObjects{0};
std::atomic<int> liveViewerObjects{0};

const QString OpenAction = QStringLiteral("Open");
const QString CloseAction = QStringLiteral("Close");
const QString ExecuteAction = QStringLiteral("Execute");
const QString PressAction = QStringLiteral("Press");

QAccessibleInterface* PopupFactory(const QString&, QObject* object)
{
    if (!MenuAccessibilityEnabled())
        return nullptr;
    if (auto* window = qobject_cast<TPMPopupWindow*>(object))
        return new TPMViewAccObject(window);
    return nullptr;
}

std::vector<TPMItemViewer*> CountedViewers(TPMView* view)
{
    std::vector<TPMItemViewer*> counted;
    for (int i = 0; i < view->ViewerCount(); ++i)
        if (view->Viewer(i)->Counted())
            counted.push_back(view->Viewer(i));
    return counted;
}

QAccessibleInterface* ViewObject(TPMView* view)
{
    return view != nullptr ? QAccessible::queryAccessibleInterface(view->Window()) : nullptr;
}

} // namespace

bool& MenuAccessibilityEnabled()
{
    static bool enabled = true;
    return enabled;
}

void InstallMenuAccessibility()
{
    static bool installed = false;
    if (!std::exchange(installed, true))
        QAccessible::installFactory(&PopupFactory);
}

int LiveViewAccObjects()
{
    return liveViewObjects;
}

int LiveViewerAccObjects()
{
    return liveViewerObjects;
}

TPMViewAccObject::TPMViewAccObject(TPMPopupWindow* window) : QAccessibleWidget(window, QAccessible::PopupMenu)
{
    ++liveViewObjects;
}

TPMViewAccObject::~TPMViewAccObject()
{
    --liveViewObjects;
}

TPMView* TPMViewAccObject::View() const
{
    auto* window = qobject_cast<TPMPopupWindow*>(object());
    return window != nullptr ? window->View() : nullptr;
}

QAccessibleInterface* TPMViewAccObject::parent() const
{
    TPMView* view = View();
    if (view != nullptr && view->ParentView() != nullptr &&
        view->ParentView()->OpenSubmenuViewer() != nullptr)
        return AccObjectOf(view->ParentView()->OpenSubmenuViewer());
    return QAccessibleWidget::parent(); // the application, as for every top-level window
}

int TPMViewAccObject::childCount() const
{
    TPMView* view = View();
    return view != nullptr ? static_cast<int>(CountedViewers(view).size()) : 0;
}

QAccessibleInterface* TPMViewAccObject::child(int index) const
{
    TPMView* view = View();
    if (view == nullptr || index < 0)
        return nullptr;
    const std::vector<TPMItemViewer*> counted = CountedViewers(view);
    return index < static_cast<int>(counted.size()) ? AccObjectOf(counted[static_cast<size_t>(index)])
                                                    : nullptr;
}

int TPMViewAccObject::indexOfChild(const QAccessibleInterface* child) const
{
    for (int i = 0; i < childCount(); ++i)
        if (this->child(i) == child)
            return i;
    return -1;
}

QAccessibleInterface* TPMViewAccObject::childAt(int x, int y) const
{
    TPMView* view = View();
    if (view == nullptr || !rect().contains(x, y))
        return nullptr;
    TPMItemViewer* viewer = view->ViewerAtPoint(view->ScreenToClient(QPoint(x, y)));
    return viewer != nullptr && viewer->Counted() ? AccObjectOf(viewer) : nullptr;
}

QString TPMViewAccObject::text(QAccessible::Text kind) const
{
    TPMView* view = View();
    if (kind != QAccessible::Name || view == nullptr)
        return {};
    if (view->ParentView() != nullptr && view->ParentView()->OpenSubmenuViewer() != nullptr) {
        const QString caption = StripAccelMarkers(view->ParentView()->OpenSubmenuViewer()->CaptionText());
        if (!caption.isEmpty())
            return caption;
    }
    return view->Window()->windowTitle();
}

QAccessible::State TPMViewAccObject::state() const
{
    return {};
}

TPMItemViewerAccObject::TPMItemViewerAccObject(TPMItemViewer* viewer) : viewer_(viewer)
{
    ++liveViewerObjects;
}

TPMItemViewerAccObject::~TPMItemViewerAccObject()
{
    --liveViewerObjects;
}

QWindow* TPMItemViewerAccObject::window() const
{
    return viewer_ != nullptr ? viewer_->View()->Window()->windowHandle() : nullptr;
}

QAccessibleInterface* TPMItemViewerAccObject::parent() const
{
    return viewer_ != nullptr ? ViewObject(viewer_->View()) : nullptr;
}

TPMView* TPMItemViewerAccObject::OpenSubmenu() const
{
    if (viewer_ == nullptr || viewer_->View()->OpenSubmenuViewer() != viewer_)
        return nullptr;
    return viewer_->View()->OpenSubmenuView();
}

int TPMItemViewerAccObject::childCount() const
{
    return OpenSubmenu() != nullptr ? 1 : 0;
}

QAccessibleInterface* TPMItemViewerAccObject::child(int index) const
{
    return index == 0 ? ViewObject(OpenSubmenu()) : nullptr;
}

int TPMItemViewerAccObject::indexOfChild(const QAccessibleInterface* child) const
{
    return child != nullptr && child == this->child(0) ? 0 : -1;
}

QAccessibleInterface* TPMItemViewerAccObject::childAt(int, int) const
{
    return nullptr;
}

QString TPMItemViewerAccObject::text(QAccessible::Text kind) const
{
    if (viewer_ == nullptr)
        return {};
    switch (kind) {
    case QAccessible::Name: {
        QString name = StripAccelMarkers(viewer_->CaptionText());
        const QString shortCut = viewer_->Item()->ShortCutText();
        if (!viewer_->ToolbarStyled() && !shortCut.isEmpty())
            name += u'\t' + shortCut;
        return name;
    }
    case QAccessible::Value: {
        QString value;
        return viewer_->AccessibleValue(value) ? value : QString();
    }
    case QAccessible::Accelerator: {
        const QChar accelerator = AccelCharOf(viewer_->CaptionText());
        if (!viewer_->CaptionVisible() || accelerator.isNull())
            return {};
        return viewer_->View()->IsPopup() ? QString(accelerator.toLower())
                                          : QStringLiteral("Alt+") + accelerator;
    }
    default:
        return {};
    }
}

QRect TPMItemViewerAccObject::rect() const
{
    if (viewer_ == nullptr)
        return {};
    TPMView* view = viewer_->View();
    return viewer_->BoundsRect.ToQRect().translated(view->Window()->mapToGlobal(view->ClientOffset()));
}

QAccessible::Role TPMItemViewerAccObject::role() const
{
    return viewer_ != nullptr ? static_cast<QAccessible::Role>(viewer_->AccessibleRole())
                              : QAccessible::NoRole;
}

bool TPMItemViewerAccObject::Reachable() const
{
    const QWidget* window = viewer_->View()->Window();
    if (!window->isVisible() || !window->isEnabled())
        return false;
    if (viewer_->View()->State() & vsMenuLoop)
        return true;
    const QWidget* active = QApplication::activeWindow();
    return active != nullptr && (active == window || active->isAncestorOf(window));
}

bool TPMItemViewerAccObject::Available() const
{
    const TPMCustomItem* item = viewer_->Item();
    return viewer_->Counted() && item->Enabled() && (item->KindFlags() & ikfSelectable) && Reachable();
}

QAccessible::State TPMItemViewerAccObject::state() const
{
    QAccessible::State state;
    if (viewer_ == nullptr) {
        state.invalid = true;
        return state;
    }
    TPMView* view = viewer_->View();
    const TPMCustomItem* item = viewer_->Item();
    if (view->Selected() == viewer_) {
        state.hotTracked = true;
        state.focused = (view->State() & vsMenuLoop) != 0;
        state.pressed = view->MouseOverSelected() && view->Capture();
    }
    state.hasPopup = (item->KindFlags() & ikfHasSubmenu) != 0;
    if (!viewer_->Show && !viewer_->Clipped)
        state.invisible = true;
    else
        state.focusable = Reachable();
    state.disabled = !item->Enabled() || !(item->KindFlags() & ikfSelectable);
    state.checked = item->Checked();
    state.checkable = item->Checked();
    return state;
}

void* TPMItemViewerAccObject::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList TPMItemViewerAccObject::actionNames() const
{
    QStringList names;
    if (viewer_ == nullptr)
        return names;
    TPMView* view = viewer_->View();
    if (Available()) {
        if (OpenSubmenu() != nullptr)
            names << CloseAction;
        else if (viewer_->Item()->KindFlags() & ikfHasSubmenu)
            names << OpenAction;
        else
            names << (view->IsPopup() || (view->Style() & vstMenuBar) ? ExecuteAction : PressAction);
    }
    // Taking the focus selects the entry, disabled ones too, while it can be reached and is shown.
    if (Reachable() && (viewer_->Show || viewer_->Clipped))
        names << setFocusAction();
    return names;
}

void TPMItemViewerAccObject::doAction(const QString& name)
{
    if (viewer_ == nullptr || !actionNames().contains(name))
        return;
    TPMView* view = viewer_->View();
    if (name == setFocusAction()) {
        view->ChooseViewer(viewer_, false);
        view->ScrollSelectionIntoView();
        return;
    }
    if (OpenSubmenu() != nullptr) {
        view->CloseSubmenus();
        return;
    }
    view->ChooseViewer(viewer_, false);
    view->ScrollSelectionIntoView();
    // The action runs from the event loop, like a queued click, and only if the entry is still there.
    const QAccessible::Id id = QAccessible::uniqueId(this);
    QTimer::singleShot(0, qApp, [id] {
        auto* object = static_cast<TPMItemViewerAccObject*>(QAccessible::accessibleInterface(id));
        if (object == nullptr || object->viewer_ == nullptr || !object->Available())
            return;
        TPMView* view = object->viewer_->View();
        view->ChooseViewer(object->viewer_, false);
        view->ScrollSelectionIntoView();
        if (view->State() & vsMenuLoop)
            view->RunSelected(false);
    });
}

QStringList TPMItemViewerAccObject::keyBindingsForAction(const QString& name) const
{
    const QString accelerator = text(QAccessible::Accelerator);
    return accelerator.isEmpty() || !actionNames().contains(name) ? QStringList() : QStringList{accelerator};
}

TPMItemViewerAccObject* AccObjectOf(TPMItemViewer* viewer)
{
    if (!MenuAccessibilityEnabled())
        return nullptr;
    if (viewer->AccObject == nullptr) {
        viewer->AccObject = new TPMItemViewerAccObject(viewer);
        QAccessible::registerAccessibleInterface(viewer->AccObject);
    }
    return viewer->AccObject;
}

void ReleaseAccObject(TPMItemViewerAccObject* object)
{
    object->Detach();
    // A client may still hold it this turn: it goes at the next one.
    const QAccessible::Id id = QAccessible::uniqueId(object);
    QTimer::singleShot(0, qApp, [id] { QAccessible::deleteAccessibleInterface(id); });
}
