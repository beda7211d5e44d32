#pragma once
// Sets a search's busy flag for one scope and clears it on every way out of
// it, an exception included. Not copyable.

class BusyScope {
public:
    explicit BusyScope(bool& flag) : FFlag(flag) { FFlag = true; }
    ~BusyScope() { FFlag = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& FFlag;
};
