#include "platform/classes/BinaryForm.h"

#include <cstring>

#include "platform/classes/Extended.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

namespace {

class TBinaryFormReader {
public:
    explicit TBinaryFormReader(std::string_view bytes) : FBytes(bytes) {}

    TFormObject ReadForm()
    {
        if (FBytes.size() < 4 || FBytes.substr(0, 4) != "TPF0")
            Fail("signature TPF0 missing");
        FPos = 4;
        TFormObject root;
        ReadObject(root, 1);
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const
    {
        throw EReadError(Format(SInvalidFormStream, {what, static_cast<std::int64_t>(FPos)}));
    }

    void Need(std::size_t n) const
    {
        if (FBytes.size() - FPos < n)
            Fail("unexpected end of data");
    }

    std::uint8_t Byte()
    {
        Need(1);
        return static_cast<std::uint8_t>(FBytes[FPos++]);
    }

    std::uint8_t PeekByte() const
    {
        Need(1);
        return static_cast<std::uint8_t>(FBytes[FPos]);
    }

    std::uint64_t Unsigned(int size)
    {
        Need(static_cast<std::size_t>(size));
        std::uint64_t v = 0;
        for (int i = size - 1; i >= 0; --i)
            v = (v << 8) | static_cast<std::uint8_t>(FBytes[FPos + static_cast<std::size_t>(i)]);
        FPos += static_cast<std::size_t>(size);
        return v;
    }

    std::string Bytes(std::size_t n)
    {
        Need(n);
        std::string s(FBytes.substr(FPos, n));
        FPos += n;
        return s;
    }

    std::string ShortString() { return Bytes(Byte()); }

    // An int32 length that the remaining data can hold, each unit `unit` bytes.
    std::size_t Length(std::size_t unit)
    {
        std::int32_t n = static_cast<std::int32_t>(static_cast<std::uint32_t>(Unsigned(4)));
        if (n < 0)
            Fail("negative length");
        if (static_cast<std::size_t>(n) > (FBytes.size() - FPos) / unit)
            Fail("length " + IntToStr(n) + " beyond the data");
        return static_cast<std::size_t>(n);
    }

    void Enter(int depth) const
    {
        if (depth > kMaxFormDepth)
            Fail("nesting deeper than " + IntToStr(kMaxFormDepth));
    }

    std::int64_t SignedInteger(TValueType type)
    {
        switch (type) {
        case vaInt8: return static_cast<std::int8_t>(Unsigned(1));
        case vaInt16: return static_cast<std::int16_t>(Unsigned(2));
        case vaInt32: return static_cast<std::int32_t>(Unsigned(4));
        default: return static_cast<std::int64_t>(Unsigned(8));
        }
    }

    void ReadObject(TFormObject& obj, int depth)
    {
        Enter(depth);
        std::uint8_t first = PeekByte();
        if ((first & 0xF0) == 0xF0) {
            ++FPos;
            obj.Flags = first & 0x0F;
            if (obj.Flags & ffChildPos) {
                std::uint8_t t = Byte();
                if (t != vaInt8 && t != vaInt16 && t != vaInt32)
                    Fail("child position is not an integer");
                obj.ChildPos = SignedInteger(static_cast<TValueType>(t));
            }
        }
        obj.ClassName = ShortString();
        if (obj.ClassName.empty())
            Fail("empty class name");
        obj.Name = ShortString();
        ReadProperties(obj.Properties, depth);
        while (PeekByte() != 0) {
            obj.Children.emplace_back();
            ReadObject(obj.Children.back(), depth + 1);
        }
        ++FPos;
    }

    void ReadProperties(std::vector<TFormProperty>& props, int depth)
    {
        for (;;) {
            std::string name = ShortString();
            if (name.empty())
                return;
            props.push_back({std::move(name), {}});
            ReadValue(props.back().Value, depth + 1);
        }
    }

    void ReadValue(TFormValue& v, int depth)
    {
        Enter(depth);
        std::size_t at = FPos;
        std::uint8_t t = Byte();
        if (t > vaLast) {
            FPos = at;
            Fail("bad value type " + IntToStr(t));
        }
        v.Type = static_cast<TValueType>(t);
        switch (v.Type) {
        case vaNull: case vaNil: case vaFalse: case vaTrue:
            break;
        case vaInt8: case vaInt16: case vaInt32: case vaInt64:
            v.Int = SignedInteger(v.Type);
            break;
        case vaCurrency:
            v.Int = static_cast<std::int64_t>(Unsigned(8));
            break;
        case vaExtended: {
            Need(10);
            TExtendedBytes b;
            std::memcpy(b.data(), FBytes.data() + FPos, 10);
            FPos += 10;
            v.Float = ExtendedToDouble(b);
            break;
        }
        case vaSingle: {
            std::uint32_t u = static_cast<std::uint32_t>(Unsigned(4));
            float f;
            std::memcpy(&f, &u, 4);
            v.Float = f;
            break;
        }
        case vaDate: {
            std::uint64_t u = Unsigned(8);
            std::memcpy(&v.Float, &u, 8);
            break;
        }
        case vaString: case vaIdent:
            v.Text = ShortString();
            break;
        case vaLString: case vaUTF8String: case vaBinary:
            v.Text = Bytes(Length(1));
            break;
        case vaWString: {
            std::size_t n = Length(2);
            v.Wide.resize(n);
            for (std::size_t i = 0; i < n; ++i)
                v.Wide[i] = static_cast<char16_t>(Unsigned(2));
            break;
        }
        case vaSet:
            for (std::string s = ShortString(); !s.empty(); s = ShortString())
                v.Set.push_back(std::move(s));
            break;
        case vaList:
            while (PeekByte() != vaNull) {
                v.List.emplace_back();
                ReadValue(v.List.back(), depth + 1);
            }
            ++FPos;
            break;
        case vaCollection:
            while (PeekByte() != 0) {
                v.Items.emplace_back();
                TFormItem& item = v.Items.back();
                std::uint8_t o = PeekByte();
                if (o == vaInt8 || o == vaInt16 || o == vaInt32) {
                    ++FPos;
                    item.HasOrder = true;
                    item.Order.Type = static_cast<TValueType>(o);
                    item.Order.Int = SignedInteger(item.Order.Type);
                }
                ReadProperties(item.Properties, depth + 1);
            }
            ++FPos;
            break;
        }
    }

    std::string_view FBytes;
    std::size_t FPos = 0;
};

class TBinaryFormWriter {
public:
    std::string Take() { return std::move(FOut); }

    void Object(const TFormObject& obj)
    {
        // A class name of 240 bytes or more would read as the flags prefix:
        // an explicit prefix (flags 0) keeps it a name.
        if (obj.Flags || obj.ClassName.size() >= 0xF0) {
            FOut.push_back(static_cast<char>(0xF0 | (obj.Flags & 0x0F)));
            if (obj.Flags & ffChildPos) {
                TFormValue pos = TFormValue::Integer(obj.ChildPos);
                if (pos.Type == vaInt64)
                    Fail("child position", "out of the 32-bit range");
                Value(pos);
            }
        }
        if (obj.ClassName.empty())
            Fail("object " + obj.Name, "empty class name");
        ShortString(obj.ClassName, "class name");
        ShortString(obj.Name, "object name");
        Properties(obj.Properties);
        for (const TFormObject& child : obj.Children)
            Object(child);
        FOut.push_back(0);
    }

private:
    [[noreturn]] static void Fail(const std::string& what, const std::string& why)
    {
        throw EWriteError(Format(SFormWriteError, {what, why}));
    }

    static int IntegerRank(TValueType t) { return t == vaInt64 ? 4 : t - vaInt8 + 1; }

    void Unsigned(std::uint64_t v, int size)
    {
        for (int i = 0; i < size; ++i)
            FOut.push_back(static_cast<char>(v >> (8 * i)));
    }

    void ShortString(const std::string& s, const char* what)
    {
        if (s.size() > 255)
            Fail(std::string(what) + " " + s.substr(0, 32) + "...", "longer than 255 bytes");
        FOut.push_back(static_cast<char>(s.size()));
        FOut += s;
    }

    void Length(std::size_t n)
    {
        if (n > INT32_MAX)
            Fail("value", "longer than 2 GiB");
        Unsigned(n, 4);
    }

    void Properties(const std::vector<TFormProperty>& props)
    {
        for (const TFormProperty& p : props) {
            if (p.Name.empty())
                Fail("property", "empty name");
            ShortString(p.Name, "property name");
            Value(p.Value);
        }
        FOut.push_back(0);
    }

    void Value(const TFormValue& v)
    {
        TValueType type = v.Type;
        // An 8-bit string too long for its length byte goes out as a long string,
        // an integer too large for its type in the smallest type that holds it.
        if (type == vaString && v.Text.size() > 255)
            type = vaLString;
        if (v.IsInteger() && IntegerRank(TFormValue::Integer(v.Int).Type) > IntegerRank(type))
            type = TFormValue::Integer(v.Int).Type;
        FOut.push_back(static_cast<char>(type));
        switch (type) {
        case vaNull: case vaNil: case vaFalse: case vaTrue:
            break;
        case vaInt8: Unsigned(static_cast<std::uint64_t>(v.Int), 1); break;
        case vaInt16: Unsigned(static_cast<std::uint64_t>(v.Int), 2); break;
        case vaInt32: Unsigned(static_cast<std::uint64_t>(v.Int), 4); break;
        case vaInt64: case vaCurrency: Unsigned(static_cast<std::uint64_t>(v.Int), 8); break;
        case vaExtended: {
            TExtendedBytes b = DoubleToExtended(v.Float);
            FOut.append(reinterpret_cast<const char*>(b.data()), b.size());
            break;
        }
        case vaSingle: {
            float f = static_cast<float>(v.Float);
            std::uint32_t u;
            std::memcpy(&u, &f, 4);
            Unsigned(u, 4);
            break;
        }
        case vaDate: {
            std::uint64_t u;
            std::memcpy(&u, &v.Float, 8);
            Unsigned(u, 8);
            break;
        }
        case vaString: ShortString(v.Text, "string"); break;
        case vaIdent: ShortString(v.Text, "identifier"); break;
        case vaLString: case vaUTF8String: case vaBinary:
            Length(v.Text.size());
            FOut += v.Text;
            break;
        case vaWString:
            Length(v.Wide.size());
            for (char16_t u : v.Wide)
                Unsigned(u, 2);
            break;
        case vaSet:
            for (const std::string& s : v.Set) {
                if (s.empty())
                    Fail("set", "empty identifier");
                ShortString(s, "identifier");
            }
            FOut.push_back(0);
            break;
        case vaList:
            for (const TFormValue& item : v.List)
                Value(item);
            FOut.push_back(vaNull);
            break;
        case vaCollection:
            for (const TFormItem& item : v.Items) {
                if (item.HasOrder) {
                    TFormValue order = TFormValue::Integer(item.Order.Int);
                    if (order.Type == vaInt64)
                        Fail("collection item order", "out of the 32-bit range");
                    Value(order);
                }
                Properties(item.Properties);
            }
            FOut.push_back(0);
            break;
        }
    }

    std::string FOut;
};

}

TFormObject ReadBinaryForm(std::string_view bytes)
{
    return TBinaryFormReader(bytes).ReadForm();
}

std::string WriteBinaryForm(const TFormObject& form)
{
    TBinaryFormWriter w;
    std::string out = "TPF0";
    w.Object(form);
    return out + w.Take();
}
