#pragma once
// Run-time type information: the published interface of a class.
//
// Each class has one TClassInfo (its StaticClassInfo()), built once with
// TClassBuilder in its .cpp. It holds, in declaration order:
//  - the class's own published properties (inherited ones come from Parent
//    first: AllProperties() gives the full list in stream order);
//  - its published methods, which form streams bind events to by name;
//  - its published fields, which form reading binds to components by name;
//  - a factory for components, so that a form can create them by class name.
//
// Property kinds and how their values travel:
//   tkInteger, tkInt64, tkEnumeration, tkSet, tkChar -> ordinal (int64)
//     enumerations and sets carry their identifier table (Idents); booleans
//     are enumerations with {"False", "True"}; sets are bit masks over the
//     ident table; an integer property with Idents (colours, charsets) also
//     accepts and prints those identifiers.
//   tkFloat -> double;   tkString, tkWString (UTF-8 text stored as a wide
//     string), tkBinary (raw bytes) -> std::string
//   tkClass -> a nested TPersistent whose own properties stream as Name.Prop
//   tkMethod -> an event: bound from a method name of the root
// Writing a form (TWriter.h) leaves out an ordinal property while it equals
// its stored default (one without a default is always written), empty
// strings and binaries, floats equal to 0, unassigned events, and any
// property whose IsStored predicate answers false.
//
// Failure: lookups return null; the streaming code turns that into an
// EReadError naming the class, property or method.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <typeinfo>
#include <string>
#include <utility>
#include <vector>

#include "platform/classes/TEvent.h"
#include "platform/classes/TObject.h"

class TComponent;
class TPersistent;

enum TTypeKind { tkInteger, tkInt64, tkChar, tkEnumeration, tkSet, tkFloat, tkString, tkWString, tkBinary, tkClass, tkMethod };

struct TIdent {
    std::int64_t Value;
    const char* Name;
};
using TIdentTable = std::vector<TIdent>;

// Identifier table of the Boolean type.
const TIdentTable& BooleanIdents();

struct TPropInfo {
    std::string Name;
    TTypeKind Kind = tkInteger;
    const TIdentTable* Idents = nullptr;                     // enumerations, sets, named integers
    std::optional<std::int64_t> OrdDefault;                  // stored default of ordinal kinds
    std::function<std::int64_t(TObject*)> GetOrd;
    std::function<void(TObject*, std::int64_t)> SetOrd;
    std::function<double(TObject*)> GetFloat;
    std::function<void(TObject*, double)> SetFloat;
    std::function<std::string(TObject*)> GetStr;
    std::function<void(TObject*, const std::string&)> SetStr;
    std::function<TPersistent*(TObject*)> GetObject;         // tkClass: the owned sub-object
    // tkMethod: the published method name of the handler (empty when none or
    // unnamed), and binding from the root's method of that name (false when
    // the root has no such method or its signature differs).
    std::function<std::string(TObject*)> GetMethodName;
    std::function<bool(TObject* instance, TObject* root, const std::string& method)> BindMethod;
    std::function<void(TObject*)> ClearMethod;
    // Whether a written form stores the property now; null: always (subject
    // to its default). A property whose value follows from others says no.
    std::function<bool(TObject*)> IsStored;
};

struct TMethodInfo {
    std::string Name;
    // Returns a pointer to a freshly made TEvent<...> bound to root (owned by
    // the caller through the deleter), and the event's type for checking.
    std::function<std::shared_ptr<void>(TObject* root)> Make;
    const std::type_info* EventType = nullptr;
};

struct TFieldInfo {
    std::string Name;
    // Stores component into the root's field; false when its class does not fit.
    std::function<bool(TObject* root, TComponent* component)> Bind;
};

struct TClassInfo {
    std::string Name;
    const TClassInfo* Parent = nullptr;
    std::function<TComponent*(TComponent* owner)> Create;   // null: not creatable from a form
    std::vector<TPropInfo> Properties;
    std::vector<TMethodInfo> Methods;
    std::vector<TFieldInfo> Fields;

    bool InheritsFrom(const TClassInfo& other) const;
    // Own and inherited properties, base class first, in declaration order.
    std::vector<const TPropInfo*> AllProperties() const;
    const TPropInfo* FindProperty(const std::string& name) const;
    const TMethodInfo* FindMethod(const std::string& name) const;
    const TFieldInfo* FindField(const std::string& name) const;
};

// The class registry that form reading creates components from.
void RegisterClass(const TClassInfo& info);
const TClassInfo* FindClass(const std::string& name);   // null when not registered

#include "platform/classes/TypeInfoBuilder.h"
