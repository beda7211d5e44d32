#pragma once
// TTimer: fires OnTimer every Interval milliseconds while Enabled.
//
// Timing comes from the application's clock (TApplication::Now, injectable
// for tests): enabling the timer, or changing its interval while it runs,
// starts a new period from now. The application's loop fires due timers;
// a period that was overrun fires once, and the next one starts when it
// fired (ticks are not caught up). Nothing fires with Interval 0 or without
// an OnTimer handler. A handler may disable, re-time or delete any timer,
// itself included.

#include <cstdint>

#include "platform/classes/TComponent.h"
#include "platform/classes/TEvent.h"

class TTimer : public TComponent {
    RUPINAKO_CLASS(TTimer)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned value);

    TNotifyEvent OnTimer;

    // Fires every timer that is due at now; true when any fired.
    static bool FireDueTimers(std::int64_t now);
    // Milliseconds from now until the next timer is due (0 when one is due
    // already); -1 when no timer runs.
    static std::int64_t TimeToNextTimer(std::int64_t now);

protected:
    virtual void Timer();

private:
    void Restart();
    bool Running() const { return FEnabled && FInterval > 0; }

    bool FEnabled = true;
    unsigned FInterval = 1000;
    std::int64_t FDue = 0;
};
