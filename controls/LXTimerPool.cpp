#include "controls/LXTimerPool.h"

#include "controls/LXErrors.h"
#include "platform_gui/Application.h"

#include <QTimerEvent>
#include <algorithm>
#include <climits>

TLXTimerItem::TLXTimerItem(TLXTimerPool* owner, uint16_t ident) : pool_(owner), ident_(ident)
{
    if (!owner)
        throw EInvalidOperation(QStringLiteral("TLXTimerItem"));
    divisor_ = std::max(1, interval_ / owner->MinInterval());
}

TLXTimerItem::~TLXTimerItem()
{
    enabled_ = false;
}

void TLXTimerItem::SetInterval(int interval)
{
    const int minimum = pool_->MinInterval();
    if (interval == interval_ || interval % minimum != 0)
        return;
    if (interval == 0)
        interval = minimum;
    divisor_ = interval / minimum;
    interval_ = interval;
    callCount_ = 0;
}

void TLXTimerItem::SetEnabled(bool enabled)
{
    if (enabled == enabled_ || (enabled && callLimit_ == 0))
        return;
    enabled_ = enabled;
    callCount_ = 0;
}

TLXTimerPool::TLXTimerPool(QObject* owner, int minInterval)
    : TLXCustomComponent(owner), minInterval_(minInterval)
{
}

TLXTimerPool::~TLXTimerPool()
{
    RemoveAll();
}

void TLXTimerPool::SetMinInterval(int interval)
{
    if (Loading() && interval >= 1 && interval <= 65535)
        minInterval_ = interval;
}

int TLXTimerPool::AddItem(uint16_t ident, int interval, std::function<void(QObject*)> handler)
{
    if (IndexOfIdent(ident) >= 0)
        throw EListError();
    if (interval < minInterval_ || interval % minInterval_ != 0)
        throw ELXException(QStringLiteral("Interval not compatible with MinInterval property!"));
    items_.push_back(std::make_unique<TLXTimerItem>(this, ident));
    TLXTimerItem& item = *items_.back();
    item.SetInterval(interval);
    item.OnTimer = std::move(handler);
    RestartTimer(true);
    return static_cast<int>(items_.size()) - 1;
}

void TLXTimerPool::Free(std::unique_ptr<TLXTimerItem> item)
{
    item->enabled_ = false;
    // The handler running now must outlive its own call.
    if (item.get() == firing_) {
        removedWhileFiring_.push_back(std::move(item));
        return;
    }
    item->OnTimer = nullptr;
}

void TLXTimerPool::RemoveItem(uint16_t ident)
{
    updating_ = true;
    const int index = IndexOfIdent(ident);
    if (index >= 0) {
        std::unique_ptr<TLXTimerItem> item = std::move(items_[static_cast<size_t>(index)]);
        items_.erase(items_.begin() + index);
        Free(std::move(item));
        if (items_.empty())
            RestartTimer(false);
    }
    updating_ = false;
}

TLXTimerItem* TLXTimerPool::ItemByIdent(uint16_t ident) const
{
    const int index = IndexOfIdent(ident);
    return index < 0 ? nullptr : items_[static_cast<size_t>(index)].get();
}

int TLXTimerPool::IndexOfIdent(uint16_t ident) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i]->ident_ == ident)
            return static_cast<int>(i);
    return -1;
}

int TLXTimerPool::EnabledItemCount() const
{
    return static_cast<int>(
        std::count_if(items_.begin(), items_.end(), [](const auto& item) { return item->enabled_; }));
}

void TLXTimerPool::RestartTimer(bool run)
{
    active_ = false;
    if (timerId_ != 0) {
        killTimer(timerId_);
        timerId_ = 0;
    }
    if (!run || EnabledItemCount() == 0)
        return;
    if (!manual_) {
        timerId_ = startTimer(minInterval_, Qt::PreciseTimer);
        if (timerId_ == 0)
            throw EOutOfResources(QStringLiteral("Not enough timers available"));
    }
    tickCount_ = 1;
    active_ = true;
}

void TLXTimerPool::RemoveAll()
{
    RestartTimer(false);
    while (!items_.empty()) {
        std::unique_ptr<TLXTimerItem> item = std::move(items_.back());
        items_.pop_back();
        Free(std::move(item));
    }
}

void TLXTimerPool::SetManual(bool manual)
{
    if (manual == manual_)
        return;
    manual_ = manual;
    if (active_)
        RestartTimer(true);
}

void TLXTimerPool::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timerId_)
        Tick();
}

void TLXTimerPool::Fire(TLXTimerItem& item)
{
    int reached = item.callCount_;
    if (item.enabled_) {
        item.callCount_ = item.callCount_ == INT_MAX ? 0 : item.callCount_ + 1;
        reached = item.callCount_;
        if (item.callCount_ == item.callLimit_)
            item.SetEnabled(false); // it still fires this time
    }
    if (item.OnTimer)
        item.OnTimer(this);
    else if (OnTimer)
        OnTimer(this, item.ident_, reached);
}

void TLXTimerPool::Tick()
{
    if (busy_)
        return;
    busy_ = true;
    if (!updating_) {
        // Handlers may add or remove items: walk the idents as they were and look each one up.
        std::vector<uint16_t> idents;
        idents.reserve(items_.size());
        for (const auto& item : items_)
            idents.push_back(item->ident_);
        try {
            for (uint16_t ident : idents) {
                TLXTimerItem* item = ItemByIdent(ident);
                if (!item || !item->enabled_ || tickCount_ % item->divisor_ != 0)
                    continue;
                firing_ = item;
                Fire(*item);
                firing_ = nullptr;
                removedWhileFiring_.clear();
            }
            tickCount_ = tickCount_ == INT32_MAX ? 0 : tickCount_ + 1;
        } catch (const std::exception& error) {
            // The error ends this tick; the next one runs as usual.
            firing_ = nullptr;
            removedWhileFiring_.clear();
            platform::Application::ShowException(QString::fromUtf8(error.what()));
        } catch (...) {
            firing_ = nullptr;
            removedWhileFiring_.clear();
            platform::Application::ShowException(QStringLiteral("Unknown error"));
        }
    }
    busy_ = false;
}
