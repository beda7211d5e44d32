#pragma once
// Message formatting in the class library's style: "%s" takes a string
// argument, "%d" an integer, "%%" is a percent sign. Arguments are used in
// order. A placeholder without an argument, or of the wrong kind, raises
// EConvertError; nothing is ever read out of range.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>

using FormatArg = std::variant<std::string, std::int64_t>;

std::string Format(const std::string& pattern, std::initializer_list<FormatArg> args);

// Decimal text of an integer ("12", "-3"), as IntToStr.
std::string IntToStr(std::int64_t value);
