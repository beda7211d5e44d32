#include "platform/classes/Resources.h"

#include <map>
#include <utility>

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

namespace {

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return s;
}

// Filled during static initialisation by the embedded resources: a function
// static, so that it exists before the first of them registers.
std::map<std::pair<std::string, std::string>, std::string_view>& Table()
{
    static std::map<std::pair<std::string, std::string>, std::string_view> table;
    return table;
}

}

void RegisterResource(const std::string& type, const std::string& name, std::string_view bytes)
{
    Table()[{Upper(type), Upper(name)}] = bytes;
}

bool HasResource(const std::string& type, const std::string& name)
{
    return Table().count({Upper(type), Upper(name)}) != 0;
}

std::string_view FindResource(const std::string& type, const std::string& name)
{
    auto it = Table().find({Upper(type), Upper(name)});
    if (it == Table().end())
        throw EResNotFound(Format(SResourceNotFound, {name}));
    return it->second;
}
