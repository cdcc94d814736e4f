#include "menus/PMClickDispatch.h"

#include "menus/PMCustomItem.h"
#include "platform/Messages.h"
#include "platform_gui/Application.h"

#include <QCoreApplication>
#include <QObject>

#include <vector>

namespace {

// The marker a freed target leaves in its slot.
const void* const FreedTarget = reinterpret_cast<const void*>(1);

class ClickDispatcher : public QObject {
public:
    bool event(QEvent* event) override;
};

struct ClickRecord {
    int liveObjects = 0;
    ClickDispatcher* dispatcher = nullptr;
    std::vector<const void*> pending;
};

thread_local ClickRecord record;

bool ClickDispatcher::event(QEvent* event)
{
    const platform::MessageEvent* message = platform::AsMessage(event);
    if (message == nullptr || message->Msg() != platform::WM_PMQUEUEDCLICK)
        return QObject::event(event);
    const platform::LParam index = message->LParamValue();
    const void* target = nullptr;
    if (index >= 0 && index < static_cast<platform::LParam>(record.pending.size())) {
        target = record.pending[static_cast<size_t>(index)];
        record.pending[static_cast<size_t>(index)] = nullptr;
        while (!record.pending.empty() && record.pending.back() == nullptr)
            record.pending.pop_back();
    }
    if (target != nullptr && target != FreedTarget) {
        auto* item = static_cast<TPMCustomItem*>(const_cast<void*>(target));
        platform::Application::Guard([item] {
            item->ExecuteClick();
            return true;
        });
    }
    return true;
}

} // namespace

void CountMenuObject()
{
    ++record.liveObjects;
}

void UncountMenuObject()
{
    if (--record.liveObjects > 0)
        return;
    delete record.dispatcher; // its pending clicks all belong to freed targets
    record.dispatcher = nullptr;
    record.pending.clear();
}

void QueueClick(TPMCustomItem* target, std::uintptr_t param)
{
    if (record.dispatcher == nullptr)
        record.dispatcher = new ClickDispatcher;
    size_t index = 0;
    while (index < record.pending.size() && record.pending[index] != nullptr)
        ++index;
    if (index == record.pending.size())
        record.pending.push_back(target);
    else
        record.pending[index] = target;
    QCoreApplication::postEvent(
        record.dispatcher,
        new platform::MessageEvent(platform::WM_PMQUEUEDCLICK, param, static_cast<platform::LParam>(index)));
}

void ForgetQueuedClicks(const void* target)
{
    for (const void*& slot : record.pending)
        if (slot == target)
            slot = FreedTarget;
}
