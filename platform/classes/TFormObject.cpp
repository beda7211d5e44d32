#include "platform/classes/TFormObject.h"

#include <cmath>

#include "platform/classes/Utf16.h"

TFormValue::TFormValue() = default;
TFormValue::~TFormValue() = default;
TFormValue::TFormValue(const TFormValue&) = default;
TFormValue::TFormValue(TFormValue&&) noexcept = default;
TFormValue& TFormValue::operator=(const TFormValue&) = default;
TFormValue& TFormValue::operator=(TFormValue&&) noexcept = default;

TFormValue TFormValue::Boolean(bool v)
{
    TFormValue r;
    r.Type = v ? vaTrue : vaFalse;
    return r;
}

TFormValue TFormValue::Integer(std::int64_t v)
{
    TFormValue r;
    r.Int = v;
    if (v >= -128 && v <= 127)
        r.Type = vaInt8;
    else if (v >= -32768 && v <= 32767)
        r.Type = vaInt16;
    else if (v >= INT32_MIN && v <= INT32_MAX)
        r.Type = vaInt32;
    else
        r.Type = vaInt64;
    return r;
}

TFormValue TFormValue::Ident(std::string name)
{
    TFormValue r;
    r.Type = vaIdent;
    r.Text = std::move(name);
    return r;
}

TFormValue TFormValue::String(const std::string& utf8)
{
    TFormValue r;
    if (IsAscii(utf8)) {
        r.Type = utf8.size() <= 255 ? vaString : vaLString;
        r.Text = utf8;
    } else if (Utf8ToUtf16(utf8, r.Wide)) {
        r.Type = vaWString;
    } else {
        // Not UTF-8: keep the bytes as they are rather than lose them.
        r.Type = vaLString;
        r.Text = utf8;
    }
    return r;
}

std::string TFormValue::StringAsUtf8() const
{
    return Type == vaWString ? Utf16ToUtf8(Wide) : Text;
}

bool TFormValue::operator==(const TFormValue& o) const
{
    if (Type != o.Type)
        return false;
    switch (Type) {
    case vaInt8: case vaInt16: case vaInt32: case vaInt64: case vaCurrency:
        return Int == o.Int;
    case vaExtended: case vaSingle: case vaDate:
        // NaN is one value in a form: a NaN read back is the same NaN.
        return Float == o.Float || (std::isnan(Float) && std::isnan(o.Float));
    case vaString: case vaLString: case vaUTF8String: case vaIdent: case vaBinary:
        return Text == o.Text;
    case vaWString:
        return Wide == o.Wide;
    case vaSet:
        return Set == o.Set;
    case vaList:
        return List == o.List;
    case vaCollection:
        return Items == o.Items;
    default:
        return true;
    }
}

const char* ValueTypeName(TValueType type)
{
    static const char* const names[] = {"Null", "List", "Int8", "Int16", "Int32", "Extended", "String",
                                        "Ident", "False", "True", "Binary", "Set", "LString", "Nil",
                                        "Collection", "Single", "Currency", "Date", "WString", "Int64",
                                        "UTF8String"};
    return type <= vaLast ? names[type] : "unknown";
}
