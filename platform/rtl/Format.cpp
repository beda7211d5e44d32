#include "platform/rtl/Format.h"

#include "platform/rtl/Exception.h"

std::string IntToStr(std::int64_t value)
{
    return std::to_string(value);
}

std::string Format(const std::string& pattern, std::initializer_list<FormatArg> args)
{
    std::string out;
    out.reserve(pattern.size() + 32);
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i + 1 >= pattern.size())
            throw EConvertError("Format '" + pattern + "' invalid");
        char kind = pattern[++i];
        if (kind == '%') {
            out += '%';
            continue;
        }
        if (next == args.end())
            throw EConvertError("Format '" + pattern + "' invalid or incompatible with argument");
        const FormatArg& arg = *next++;
        if (kind == 's' && std::holds_alternative<std::string>(arg))
            out += std::get<std::string>(arg);
        else if (kind == 'd' && std::holds_alternative<std::int64_t>(arg))
            out += IntToStr(std::get<std::int64_t>(arg));
        else
            throw EConvertError("Format '" + pattern + "' invalid or incompatible with argument");
    }
    return out;
}
