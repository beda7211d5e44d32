#include "platform/controls/TTimer.h"

#include <algorithm>
#include <vector>

#include "platform/classes/TypeInfo.h"
#include "platform/controls/TApplication.h"

namespace {

std::vector<TTimer*>& Timers()
{
    static std::vector<TTimer*> timers;
    return timers;
}

bool Alive(TTimer* timer)
{
    const auto& timers = Timers();
    return std::find(timers.begin(), timers.end(), timer) != timers.end();
}

}

const TClassInfo& TTimer::StaticClassInfo()
{
    using T = TTimer;
    static const TClassInfo info =
        TClassBuilder<T>("TTimer", TComponent::StaticClassInfo())
            .Creatable()
            .Bool("Enabled", &T::Enabled, [](T& t, std::int64_t v) { t.SetEnabled(v != 0); }, true)
            .Int("Interval", &T::Interval, [](T& t, std::int64_t v) { t.SetInterval(static_cast<unsigned>(std::max<std::int64_t>(v, 0))); }, 1000)
            .Event("OnTimer", &T::OnTimer)
            .Build();
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    Timers().push_back(this);
    Restart();
}

TTimer::~TTimer()
{
    auto& timers = Timers();
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

void TTimer::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    Restart();
}

void TTimer::SetInterval(unsigned value)
{
    if (value == FInterval)
        return;
    FInterval = value;
    Restart();
}

void TTimer::Restart()
{
    FDue = (Application ? Application->Now() : 0) + FInterval;
}

void TTimer::Timer()
{
    if (Assigned(OnTimer))
        OnTimer(this);
}

bool TTimer::FireDueTimers(std::int64_t now)
{
    bool fired = false;
    // A snapshot, checked before each firing: handlers may delete timers.
    const std::vector<TTimer*> snapshot = Timers();
    for (TTimer* t : snapshot) {
        if (!Alive(t) || !t->Running() || now < t->FDue || !Assigned(t->OnTimer))
            continue;
        t->FDue = now + t->FInterval;
        fired = true;
        t->Timer();
    }
    return fired;
}

std::int64_t TTimer::TimeToNextTimer(std::int64_t now)
{
    std::int64_t best = -1;
    for (TTimer* t : Timers()) {
        if (!t->Running() || !Assigned(t->OnTimer))
            continue;
        const std::int64_t wait = std::max<std::int64_t>(t->FDue - now, 0);
        if (best < 0 || wait < best)
            best = wait;
    }
    return best;
}
