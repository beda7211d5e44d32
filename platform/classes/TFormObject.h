#pragma once
// A form as a tree of objects and typed values, independent of any class.
//
// This is what the binary form format ("TPF0") and the text syntax
// (object Name: TClass ... end) both encode; BinaryForm.h and TextForm.h
// convert between them, TReader/TWriter between it and components. Nothing
// here needs the class registry.
//
// Binary layout (little-endian): "TPF0", then an object:
//   [0xF0 | flags [child position as an integer value]]   optional prefix
//   class name, object name            short strings (length byte, bytes)
//   (property name, value)...          up to an empty name
//   child objects...                   up to a zero byte
// A value is its type byte (TValueType) and then:
//   vaInt8/16/32/64  the integer      vaExtended  10-byte x87 extended
//   vaSingle 4-byte float  vaDate 8-byte double  vaCurrency int64 * 1/10000
//   vaString  short string             vaLString, vaUTF8String  int32 length, bytes
//   vaWString int32 count of UTF-16 units, the units
//   vaIdent   short string             vaSet  short strings up to an empty one
//   vaBinary  int32 length, bytes      vaList values up to vaNull
//   vaCollection  items up to a zero byte; an item is an optional integer
//                 value (its order) and properties up to an empty name
//   vaNull, vaNil, vaFalse, vaTrue: nothing more.
//
// Texts: vaString, vaLString and vaIdent hold bytes of the active code page
// (UTF-8 here); vaUTF8String UTF-8; vaWString UTF-16 units in Wide.

#include <cstdint>
#include <string>
#include <vector>

enum TValueType : std::uint8_t {
    vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary, vaSet,
    vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64, vaUTF8String
};
inline constexpr int vaLast = vaUTF8String;

enum TFilerFlag : std::uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

struct TFormItem;

struct TFormValue {
    TValueType Type = vaNull;
    std::int64_t Int = 0;            // integers; currency in units of 1/10000
    double Float = 0;                // extended, single, date
    std::string Text;                // strings, ident, binary bytes
    std::u16string Wide;             // vaWString
    std::vector<std::string> Set;    // vaSet identifiers
    std::vector<TFormValue> List;    // vaList
    std::vector<TFormItem> Items;    // vaCollection

    // Out of line: TFormItem is still incomplete here.
    TFormValue();
    ~TFormValue();
    TFormValue(const TFormValue&);
    TFormValue(TFormValue&&) noexcept;
    TFormValue& operator=(const TFormValue&);
    TFormValue& operator=(TFormValue&&) noexcept;

    static TFormValue Integer(std::int64_t v);   // the smallest integer type that holds v
    static TFormValue Ident(std::string name);
    static TFormValue Boolean(bool v);
    // A string property's value: 8-bit for ASCII text, wide otherwise.
    static TFormValue String(const std::string& utf8);
    bool IsInteger() const { return Type == vaInt8 || Type == vaInt16 || Type == vaInt32 || Type == vaInt64; }
    bool IsString() const { return Type == vaString || Type == vaLString || Type == vaWString || Type == vaUTF8String; }
    // The text of a string value as UTF-8 (wide strings converted).
    std::string StringAsUtf8() const;
    bool operator==(const TFormValue&) const;
};

struct TFormProperty {
    std::string Name;   // "Left", "Font.Name"
    TFormValue Value;
    bool operator==(const TFormProperty&) const = default;
};

struct TFormItem {
    bool HasOrder = false;
    TFormValue Order;   // an integer value when HasOrder
    std::vector<TFormProperty> Properties;
    bool operator==(const TFormItem&) const = default;
};

struct TFormObject {
    std::uint8_t Flags = 0;       // TFilerFlag bits
    std::int64_t ChildPos = 0;    // when Flags has ffChildPos
    std::string ClassName;
    std::string Name;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
    bool operator==(const TFormObject&) const = default;
};

// The name of a value type as messages show it ("Int8", "WString").
const char* ValueTypeName(TValueType type);
