#include "platform/classes/ComponentRegistry.h"

#include "platform/classes/TypeInfo.h"
#include "platform/rtl/Exception.h"

namespace {

std::vector<TPaletteEntry>& Palette()
{
    static std::vector<TPaletteEntry> palette;
    return palette;
}

TPaletteEntry* FindEntry(const std::string& className)
{
    for (TPaletteEntry& e : Palette())
        if (e.ClassName == className)
            return &e;
    return nullptr;
}

}

void RegisterComponents(const std::string& page, std::initializer_list<const TClassInfo*> classes)
{
    if (page.empty())
        throw EInvalidOperation("RegisterComponents: the palette page has no name");
    for (const TClassInfo* info : classes)
        if (!info)
            throw EInvalidOperation("RegisterComponents: a component class is missing (page " + page + ")");
    for (const TClassInfo* info : classes) {
        RegisterClass(*info);
        if (TPaletteEntry* e = FindEntry(info->Name)) {
            e->Page = page;
            e->Info = info;
        } else {
            Palette().push_back(TPaletteEntry{info->Name, page, info});
        }
    }
}

const std::vector<TPaletteEntry>& RegisteredComponents()
{
    return Palette();
}

const TPaletteEntry* FindRegisteredComponent(const std::string& className)
{
    return FindEntry(className);
}
