#pragma once
// The component palette: which component classes a unit's Register routine
// offers, and on which page.
//
// RegisterComponents(page, {&TFoo::StaticClassInfo(), ...}) records each
// class under page, in the order given, and registers it with RegisterClass
// so that forms can create it by name. A class registered again moves to the
// new page and keeps its place; it is never listed twice. The class infos
// are static and outlive the registry.
//
// Failure: a null class info or an empty page name raises EInvalidOperation;
// nothing is recorded from that call.

#include <initializer_list>
#include <string>
#include <vector>

struct TClassInfo;

struct TPaletteEntry {
    std::string ClassName;
    std::string Page;
    const TClassInfo* Info;
};

void RegisterComponents(const std::string& page, std::initializer_list<const TClassInfo*> classes);

// Every registered component, in registration order.
const std::vector<TPaletteEntry>& RegisteredComponents();
// The entry of className; null when it was never registered.
const TPaletteEntry* FindRegisteredComponent(const std::string& className);
