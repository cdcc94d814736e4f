#include "skin/SkinManager.h"

#include "skin/SkinData.h"
#include "skin/WindowSkinner.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

int actionDelay = 250;

// The windows of the program's own popup-menu library mark themselves so.
constexpr const char* UnskinnableProperty = "unskinnable";

} // namespace

TSkinManage::TSkinManage() : QObject(qApp)
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &TSkinManage::RunPendingAction);
}

TSkinManage::~TSkinManage()
{
    session_.runState = 4;
    session_.active = false;
    if (hookInstalled_ && qApp)
        qApp->removeEventFilter(this);
    // The windows that outlive the manager get their own frames back.
    for (const QPointer<TWndSkinForm>& skinner : skinners_)
        if (skinner) {
            skinner->Detach();
            delete skinner;
        }
    if (SkinManager == this)
        SkinManager = nullptr;
}

int TSkinManage::ActionDelay()
{
    return actionDelay;
}

void TSkinManage::SetActionDelay(int milliseconds)
{
    actionDelay = milliseconds;
}

void TSkinManage::InstallHook()
{
    if (hookInstalled_)
        return;
    hookInstalled_ = true;
    qApp->installEventFilter(this);
}

void TSkinManage::Register(TSkinData* data)
{
    if (std::find(data_.begin(), data_.end(), data) != data_.end())
        return;
    data_.emplace_back(data);
    if (!mainData_ && data->SkinFormtype == sfMainform)
        mainData_ = data;
}

void TSkinManage::Unregister(TSkinData* data)
{
    std::erase_if(data_, [data](const QPointer<TSkinData>& d) { return !d || d == data; });
    if (mainData_ == data)
        mainData_ = nullptr;
    if (current_ == data)
        current_ = nullptr;
    // Without components the manager starts again as new: a component made later does not inherit
    // the run state and pending action of one that is gone.
    if (data_.empty()) {
        timer_.stop();
        session_ = Session();
    }
}

TSkinData* TSkinManage::MainData() const
{
    return mainData_;
}

void TSkinManage::SetCurrent(TSkinData* data)
{
    current_ = data;
}

TSkinData* TSkinManage::DataFor(const QWidget*) const
{
    // Only components that skin every window exist here; among several the last registered wins.
    for (auto it = data_.rbegin(); it != data_.rend(); ++it)
        if (*it && (*it)->SkinFormtype == sfMainform)
            return *it;
    return data_.empty() ? nullptr : data_.front().data();
}

void TSkinManage::MarkActivated()
{
    session_.activated = true;
    if (session_.runState == 0)
        session_.runState = 1;
}

void TSkinManage::PostAction(TSkinAction action, int delayMilliseconds)
{
    if (session_.runState == 0) {
        // No window was activated yet: windows are skinned as they appear.
        if (action == saActivate)
            session_.active = true;
        else if (action == saDeactivate)
            session_.active = false;
        if (action == saActivate || action == saDeactivate)
            return;
    }
    if (!(session_.pending == saActivate && action == saSkinChanged))
        session_.pending = action;
    timer_.setInterval(delayMilliseconds);
    timer_.start();
}

void TSkinManage::RunPendingAction()
{
    timer_.stop();
    const TSkinAction action = std::exchange(session_.pending, saNone);
    if (!current_)
        return;
    switch (action) {
    case saActivate:
        Activate();
        break;
    case saDeactivate:
        Deactivate();
        break;
    case saSkinChanged:
        ReSkin();
        break;
    case saPurge:
        Purge();
        break;
    case saNone:
        return;
    }
    const QPointer<TSkinData> data = std::exchange(current_, nullptr);
    if (data)
        data->DoSkinChanged();
}

void TSkinManage::Activate()
{
    session_.active = true;
    Purge();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if ((*it)->isVisible())
            SkinWindow(*it);
}

void TSkinManage::Deactivate()
{
    session_.active = false;
    Purge();
    while (!skinners_.empty()) {
        QPointer<TWndSkinForm> skinner = skinners_.front();
        skinners_.erase(skinners_.begin());
        if (!skinner)
            continue;
        skinner->Detach();
        if (QWidget* window = skinner->Window())
            window->update();
        delete skinner;
    }
}

void TSkinManage::ReSkin()
{
    Purge();
    const std::vector<TWndSkinForm*> skinners = Skinners();
    for (TWndSkinForm* skinner : skinners)
        if (skinner->Data() == current_)
            skinner->RebuildFrame();
    for (TWndSkinForm* skinner : skinners)
        if (skinner->Data() == current_)
            skinner->Recolour();
}

void TSkinManage::Purge()
{
    if (session_.runState == 4)
        return;
    std::erase_if(skinners_, [](const QPointer<TWndSkinForm>& skinner) {
        if (!skinner)
            return true;
        if (skinner->SkinnerState() == 6 || !skinner->Window()) {
            skinner->deleteLater();
            return true;
        }
        return false;
    });
}

TWndSkinForm* TSkinManage::FindSkinner(const QWidget* window) const
{
    for (const QPointer<TWndSkinForm>& skinner : skinners_)
        if (skinner && skinner->Window() == window && skinner->SkinnerState() != 6)
            return skinner;
    return nullptr;
}

std::vector<TWndSkinForm*> TSkinManage::Skinners() const
{
    std::vector<TWndSkinForm*> live;
    for (const QPointer<TWndSkinForm>& skinner : skinners_)
        if (skinner && skinner->Window())
            live.push_back(skinner);
    return live;
}

bool TSkinManage::Skinnable(const QWidget* window) const
{
    if (!window->isWindow() || window->size().isEmpty())
        return false;
    switch (window->windowType()) {
    case Qt::Popup: // menus and drop-down lists: the popup skinner's, not a window frame
    case Qt::ToolTip:
    case Qt::Desktop:
    case Qt::ForeignWindow:
        return false;
    default:
        break;
    }
    if (window->property(UnskinnableProperty).toBool())
        return false;
    // The literal tag, whatever the component's DisableTag says.
    if (window->property("Tag").toInt() == 99)
        return false;
    const QString className = QString::fromLatin1(window->metaObject()->className());
    TSkinData* main = mainData_;
    if (main && !main->Options.testFlag(xoPreview) &&
        className.contains(QLatin1String("preview"), Qt::CaseInsensitive))
        return false;
    bool doSkin = true;
    if (main)
        main->CanSkinForm(className, doSkin);
    return doSkin;
}

bool TSkinManage::SkinWindow(QWidget* window)
{
    if (!session_.active || session_.runState == 4 || !window)
        return false;
    Purge();
    if (FindSkinner(window) || !Skinnable(window))
        return false;
    TSkinData* data = DataFor(window);
    if (!data || data->NoSkin())
        return false;
    auto* skinner = new TWndSkinForm(window, data);
    skinners_.emplace_back(skinner);
    skinner->Attach();
    QMetaObject::invokeMethod(skinner, &TWndSkinForm::StartSkinning, Qt::QueuedConnection);
    return true;
}

void TSkinManage::OpenWindowMenuFromKey(QWidget* receiver)
{
    if (TWndSkinForm* skinner = FindSkinner(receiver->window()))
        skinner->WindowMenuAt(receiver->window()->mapToGlobal(receiver->window()->contentsRect().topLeft()));
}

bool TSkinManage::eventFilter(QObject* watched, QEvent* event)
{
    // Every event of the program passes here: the type decides first.
    switch (event->type()) {
    case QEvent::Show:
        // A window being shown, before the window system maps it: skinned now, no visible re-frame.
        if (session_.active && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            SkinWindow(static_cast<QWidget*>(watched));
        return false;
    case QEvent::WindowActivate:
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
            if (session_.runState == 0)
                session_.runState = 1;
            if (session_.active)
                SkinWindow(static_cast<QWidget*>(watched));
        }
        return false;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::AltModifier && watched->isWidgetType() &&
            !skinners_.empty() && FindSkinner(static_cast<QWidget*>(watched)->window())) {
            OpenWindowMenuFromKey(static_cast<QWidget*>(watched));
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}
