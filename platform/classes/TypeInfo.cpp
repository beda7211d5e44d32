#include "platform/classes/TypeInfo.h"

#include <map>

const TIdentTable& BooleanIdents()
{
    static const TIdentTable idents = {{0, "False"}, {1, "True"}};
    return idents;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &other)
            return true;
    return false;
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const
{
    std::vector<const TPropInfo*> props = Parent ? Parent->AllProperties() : std::vector<const TPropInfo*>{};
    for (const TPropInfo& p : Properties)
        props.push_back(&p);
    return props;
}

const TPropInfo* TClassInfo::FindProperty(const std::string& name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TPropInfo& p : c->Properties)
            if (p.Name == name)
                return &p;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(const std::string& name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TMethodInfo& m : c->Methods)
            if (m.Name == name)
                return &m;
    return nullptr;
}

const TFieldInfo* TClassInfo::FindField(const std::string& name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TFieldInfo& f : c->Fields)
            if (f.Name == name)
                return &f;
    return nullptr;
}

namespace {
std::map<std::string, const TClassInfo*>& Registry()
{
    static std::map<std::string, const TClassInfo*> registry;
    return registry;
}
}

void RegisterClass(const TClassInfo& info)
{
    Registry()[info.Name] = &info;
}

const TClassInfo* FindClass(const std::string& name)
{
    auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : it->second;
}
