#pragma once
// Per-class message maps.
//
// A class that handles messages puts RUPINAKO_MESSAGES(TName) in its body and
// builds its map once in its .cpp, naming its parent class's map:
//
//   const TMessageMap& TImage::StaticMessageMap() {
//       static const TMessageMap map = TMessageMapBuilder<TImage>(TGraphicControl::StaticMessageMap())
//           .On(CM_MOUSEENTER, &TImage::CMMouseEnter)
//           .Build();
//       return map;
//   }
//
// TControl::Dispatch runs the handler registered for the message number in
// the most derived class that has one; other numbers go up the chain of
// parent maps and finally to DefaultHandler. A handler that wants the
// inherited handling as well calls InheritedMessage(TName::StaticMessageMap(),
// message), which continues the search above its own class.
// Handlers have the form void (C::*)(TMessage&).

#include <functional>
#include <unordered_map>

#include "platform/controls/TMessage.h"

class TObject;

struct TMessageMap {
    using THandler = std::function<void(TObject*, TMessage&)>;
    const TMessageMap* Parent = nullptr;
    std::unordered_map<unsigned, THandler> Handlers;
};

// Runs the first handler for message.Msg in map or its ancestors; false when none has one.
bool DispatchThroughMap(const TMessageMap* map, TObject* self, TMessage& message);

template <class C>
class TMessageMapBuilder {
public:
    explicit TMessageMapBuilder(const TMessageMap& parent) { FMap.Parent = &parent; }
    TMessageMapBuilder() = default;   // the root map

    TMessageMapBuilder& On(unsigned msg, void (C::*handler)(TMessage&))
    {
        FMap.Handlers[msg] = [handler](TObject* self, TMessage& m) { (static_cast<C*>(self)->*handler)(m); };
        return *this;
    }
    TMessageMap Build() { return std::move(FMap); }

private:
    TMessageMap FMap;
};

#define RUPINAKO_MESSAGES(Name)                                                        \
public:                                                                                \
    static const TMessageMap& StaticMessageMap();                                      \
    const TMessageMap& MessageMap() const override { return Name::StaticMessageMap(); } \
                                                                                       \
private:
