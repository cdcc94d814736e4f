#include "menus/PMActionLink.h"

#include "menus/PMCustomItem.h"

#include <QAction>

TPMCustomItemActionLink::TPMCustomItemActionLink(TPMCustomItem* item) : item_(item) {}

TPMCustomItemActionLink::~TPMCustomItemActionLink()
{
    SetAction(nullptr);
}

void TPMCustomItemActionLink::SetAction(QAction* action)
{
    QObject::disconnect(changed_);
    QObject::disconnect(destroyed_);
    action_ = action;
    if (action == nullptr)
        return;
    seen_ = ValuesOf(action);
    changed_ = QObject::connect(action, &QAction::changed, [this] { FollowAction(); });
    TPMCustomItem* item = item_;
    destroyed_ = QObject::connect(action, &QObject::destroyed, item, [item] { item->SetAction(nullptr); });
}

TPMCustomItemActionLink::Values TPMCustomItemActionLink::ValuesOf(const QAction* action)
{
    Values values;
    values.autoCheck = action->isCheckable();
    values.caption = action->text();
    values.checked = action->isChecked();
    values.enabled = action->isEnabled();
    values.hint = action->toolTip();
    values.shortCut = action->shortcut().isEmpty() ? QKeyCombination() : action->shortcut()[0];
    values.visible = action->isVisible();
    return values;
}

void TPMCustomItemActionLink::ActionChange(bool onlyDefaults)
{
    if (action_ == nullptr)
        return;
    const Values values = ValuesOf(action_);
    seen_ = values;
    TPMCustomItem* item = item_;
    if (!onlyDefaults || !item->AutoCheck())
        item->SetAutoCheck(values.autoCheck);
    if (!onlyDefaults || item->Caption().isEmpty())
        item->SetCaption(values.caption);
    if (!onlyDefaults || !item->Checked())
        item->SetChecked(values.checked);
    if (!onlyDefaults || item->Enabled())
        item->SetEnabled(values.enabled);
    if (!onlyDefaults || item->Hint().isEmpty())
        item->SetHint(values.hint);
    if (!onlyDefaults || item->ShortCut() == QKeyCombination())
        item->SetShortCut(values.shortCut);
    if (!onlyDefaults || item->Visible())
        item->SetVisible(values.visible);
}

// A property follows the action while the item still shows what the action showed.
void TPMCustomItemActionLink::FollowAction()
{
    const Values now = ValuesOf(action_);
    TPMCustomItem* item = item_;
    if (item->AutoCheck() == seen_.autoCheck)
        item->SetAutoCheck(now.autoCheck);
    if (item->Caption() == seen_.caption)
        item->SetCaption(now.caption);
    if (item->Checked() == seen_.checked)
        item->SetChecked(now.checked);
    if (item->Enabled() == seen_.enabled)
        item->SetEnabled(now.enabled);
    if (item->Hint() == seen_.hint)
        item->SetHint(now.hint);
    if (item->ShortCut() == seen_.shortCut)
        item->SetShortCut(now.shortCut);
    if (item->Visible() == seen_.visible)
        item->SetVisible(now.visible);
    seen_ = now;
}

bool TPMCustomItemActionLink::IsAutoCheckLinked() const
{
    return action_ != nullptr && item_->AutoCheck() == action_->isCheckable();
}

void TPMCustomItemActionLink::Execute()
{
    if (action_ != nullptr)
        action_->trigger();
}
