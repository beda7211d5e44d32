#pragma once
// Events: an (object, method) pair, as the class library has them.
//
// An event is empty after construction; Assigned() tells whether it holds a
// handler. Assigning copies the pair; Clear() empties it. Calling an empty
// event is a programming error (std::bad_function_call): firers test first,
// as in  if (Assigned(OnFind)) OnFind(this, name, data, cont);
// The first argument of every event is its sender.
//
// An event bound from a form stream also carries the name of the root's
// published method, so that writing the form can store it again.

#include <functional>
#include <utility>

class TObject;

template <typename... Args>
class TEvent {
public:
    TEvent() = default;
    TEvent(std::nullptr_t) {}

    template <class C>
    TEvent(C* object, void (C::*method)(Args...), const char* methodName = nullptr)
        : FObject(object), FMethodName(methodName),
          FInvoke([object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); })
    {
    }

    // A handler that is not a method (tests, tools); Object() is null.
    static TEvent FromFunction(std::function<void(Args...)> fn)
    {
        TEvent e;
        e.FInvoke = std::move(fn);
        return e;
    }

    bool Assigned() const noexcept { return static_cast<bool>(FInvoke); }
    explicit operator bool() const noexcept { return Assigned(); }
    void Clear() noexcept { *this = TEvent(); }

    TObject* Object() const noexcept { return FObject; }
    const char* MethodName() const noexcept { return FMethodName; }

    void operator()(Args... args) const { FInvoke(std::forward<Args>(args)...); }

private:
    TObject* FObject = nullptr;
    const char* FMethodName = nullptr;
    std::function<void(Args...)> FInvoke;
};

template <typename... Args>
inline bool Assigned(const TEvent<Args...>& event) noexcept
{
    return event.Assigned();
}

using TNotifyEvent = TEvent<TObject*>;
