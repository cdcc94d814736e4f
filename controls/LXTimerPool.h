#pragma once
// The one timer service of the library's controls: any number of items share one Qt timer of
// MinInterval milliseconds, each firing every Interval / MinInterval ticks. In manual mode (tests)
// the pool keeps all its state but starts no Qt timer, so only Tick() moves it.
#include "controls/LXObjects.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TLXTimerPool;

class TLXTimerItem {
public:
    // Only a pool makes items; none without one (EInvalidOperation).
    TLXTimerItem(TLXTimerPool* owner, uint16_t ident);
    ~TLXTimerItem();
    TLXTimerItem(const TLXTimerItem&) = delete;
    TLXTimerItem& operator=(const TLXTimerItem&) = delete;

    uint16_t Ident() const { return ident_; }
    int Interval() const { return interval_; }
    // Ignores a value that is not a multiple of the pool's MinInterval; 0 stands for MinInterval.
    void SetInterval(int interval);
    bool Enabled() const { return enabled_; }
    // Refused while the call limit is 0; an accepted change restarts the count.
    void SetEnabled(bool enabled);
    // -1: no limit; the item disables itself after this many calls.
    int CallLimit() const { return callLimit_; }
    void SetCallLimit(int limit) { callLimit_ = limit; }
    int CallCount() const { return callCount_; }

    std::function<void(QObject* sender)> OnTimer;

private:
    friend class TLXTimerPool;
    TLXTimerPool* pool_;
    uint16_t ident_;
    int interval_ = 1000;
    int divisor_;
    int callLimit_ = -1;
    int callCount_ = 0;
    bool enabled_ = true;
};

class TLXTimerPool : public TLXCustomComponent {
    Q_OBJECT
public:
    explicit TLXTimerPool(QObject* owner = nullptr, int minInterval = 1000);
    ~TLXTimerPool() override;

    int MinInterval() const { return minInterval_; }
    // Only while loading (1 to 65535).
    void SetMinInterval(int interval);

    // Raises EListError for an ident in use and ELXException for an interval that is not a
    // multiple of MinInterval or below it. Restarts the timer; answers the item's index.
    int AddItem(uint16_t ident, int interval, std::function<void(QObject*)> handler);
    // An item firing at the moment is freed once its handler has returned.
    void RemoveItem(uint16_t ident);
    TLXTimerItem* ItemByIdent(uint16_t ident) const;
    int IndexOfIdent(uint16_t ident) const;
    int Count() const { return static_cast<int>(items_.size()); }
    int EnabledItemCount() const;
    // Stops the timer; with run and an enabled item, starts it again with the tick count at 1.
    void RestartTimer(bool run);
    void RemoveAll();
    bool Active() const { return active_; }

    // One tick: each enabled item whose divisor divides the tick count fires, in list order.
    void Tick();
    bool Manual() const { return manual_; }
    void SetManual(bool manual);

    // For items without a handler of their own: the pool, the ident and the calls counted.
    std::function<void(QObject* sender, uint16_t ident, int count)> OnTimer;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void Fire(TLXTimerItem& item);
    void Free(std::unique_ptr<TLXTimerItem> item);

    int minInterval_;
    std::vector<std::unique_ptr<TLXTimerItem>> items_;
    std::vector<std::unique_ptr<TLXTimerItem>> removedWhileFiring_;
    TLXTimerItem* firing_ = nullptr;
    int timerId_ = 0;
    int32_t tickCount_ = 0;
    bool active_ = false;
    bool busy_ = false;
    bool updating_ = false;
    bool manual_ = false;
};
