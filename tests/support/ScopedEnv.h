#pragma once
// Environment settings for the length of a test scope.
//
// ScopedEnv sets (or, with no value, removes) one environment variable and
// puts the old state back when it goes away. ScopedTimeZone does the same
// for TZ and makes the C library read it again (tzset), so local-time
// conversions follow it.

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : FName(name)
    {
        if (const char* old = std::getenv(name))
            FOld = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ScopedEnv(const char* name, const char* value)
        : ScopedEnv(name, value ? std::optional<std::string>(value) : std::nullopt)
    {
    }
    ~ScopedEnv()
    {
        if (FOld)
            setenv(FName.c_str(), FOld->c_str(), 1);
        else
            unsetenv(FName.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string FName;
    std::optional<std::string> FOld;
};

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* tz)
    {
        FTz.emplace("TZ", tz);
        tzset();
    }
    ~ScopedTimeZone()
    {
        FTz.reset();   // TZ as it was, then read again
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<ScopedEnv> FTz;
};
