#include "platform/classes/TextForm.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/classes/BinaryForm.h"
#include "platform/classes/Utf16.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

namespace {

enum TTokenKind { tokEnd, tokIdent, tokInteger, tokFloat, tokString, tokBinary, tokSymbol };

struct TToken {
    TTokenKind Kind = tokEnd;
    int Line = 1;
    std::string Text;        // identifier, number text, binary bytes, symbol
    std::int64_t Int = 0;
    char Suffix = 0;         // floats: 0, 's', 'c' or 'd'
    std::u16string Wide;     // strings
};

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || IsDigit(c); }
int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

class TTextFormParser {
public:
    explicit TTextFormParser(std::string_view text) : FText(text) { Next(); }

    TFormObject ParseForm()
    {
        TFormObject root;
        ParseObject(root, 1);
        if (FTok.Kind != tokEnd)
            Fail("end of text expected");
        return root;
    }

private:
    [[noreturn]] void FailAt(int line, const std::string& what) const
    {
        throw EParserError(Format(SFormParseError, {static_cast<std::int64_t>(line), what}));
    }
    [[noreturn]] void Fail(const std::string& what) const { FailAt(FTok.Line, what + ", found " + Describe(FTok)); }

    static std::string Describe(const TToken& t)
    {
        switch (t.Kind) {
        case tokEnd: return "end of text";
        case tokIdent: return "'" + t.Text + "'";
        case tokInteger: case tokFloat: return "number " + t.Text;
        case tokString: return "a string";
        case tokBinary: return "binary data";
        default: return "'" + t.Text + "'";
        }
    }

    // ---- lexer ----
    char Peek(std::size_t ahead = 0) const { return FPos + ahead < FText.size() ? FText[FPos + ahead] : '\0'; }
    bool AtEnd() const { return FPos >= FText.size(); }

    void SkipBlanks()
    {
        while (!AtEnd()) {
            char c = FText[FPos];
            if (c == '\n')
                ++FLine;
            else if (c != ' ' && c != '\t' && c != '\r' && c != '\f' && c != '\v')
                return;
            ++FPos;
        }
    }

    void Next()
    {
        SkipBlanks();
        FTok = TToken();
        FTok.Line = FLine;
        if (AtEnd())
            return;
        char c = Peek();
        if (IsIdentStart(c)) {
            std::size_t start = FPos;
            while (!AtEnd() && IsIdentChar(Peek()))
                ++FPos;
            FTok.Kind = tokIdent;
            FTok.Text = std::string(FText.substr(start, FPos - start));
        } else if (IsDigit(c) || c == '$' || (c == '-' && (IsDigit(Peek(1)) || Peek(1) == '$'))) {
            LexNumber();
        } else if (c == '\'' || c == '#') {
            LexString();
        } else if (c == '{') {
            LexBinary();
        } else if (std::string_view("=:[](),<>+.").find(c) != std::string_view::npos) {
            FTok.Kind = tokSymbol;
            FTok.Text = std::string(1, c);
            ++FPos;
        } else {
            FailAt(FLine, "unexpected character " + (static_cast<unsigned char>(c) < 0x80 && c >= ' '
                                                         ? "'" + std::string(1, c) + "'"
                                                         : "#" + IntToStr(static_cast<unsigned char>(c))));
        }
    }

    void LexNumber()
    {
        std::size_t start = FPos;
        bool negative = Peek() == '-';
        if (negative)
            ++FPos;
        if (Peek() == '$') {
            ++FPos;
            std::uint64_t v = 0;
            int digits = 0;
            for (; HexDigit(Peek()) >= 0; ++FPos, ++digits) {
                if (digits == 16)
                    FailAt(FLine, "hexadecimal number too long");
                v = (v << 4) | static_cast<std::uint64_t>(HexDigit(Peek()));
            }
            if (digits == 0)
                FailAt(FLine, "hexadecimal digit expected after $");
            FTok.Kind = tokInteger;
            FTok.Int = static_cast<std::int64_t>(negative ? 0 - v : v);
        } else {
            while (IsDigit(Peek()))
                ++FPos;
            bool isFloat = false;
            if (Peek() == '.' && IsDigit(Peek(1))) {
                isFloat = true;
                ++FPos;
                while (IsDigit(Peek()))
                    ++FPos;
            }
            if ((Peek() == 'e' || Peek() == 'E') &&
                (IsDigit(Peek(1)) || ((Peek(1) == '+' || Peek(1) == '-') && IsDigit(Peek(2))))) {
                isFloat = true;
                FPos += 2;
                while (IsDigit(Peek()))
                    ++FPos;
            }
            char s = Peek();
            if ((s == 's' || s == 'S' || s == 'c' || s == 'C' || s == 'd' || s == 'D') && !IsIdentChar(Peek(1))) {
                FTok.Suffix = static_cast<char>(s | 0x20);
                isFloat = true;
                ++FPos;
            }
            std::string_view digits = FText.substr(start, FPos - start - (FTok.Suffix ? 1 : 0));
            FTok.Kind = isFloat ? tokFloat : tokInteger;
            if (!isFloat) {
                auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), FTok.Int);
                if (ec != std::errc() || p != digits.data() + digits.size())
                    FailAt(FLine, "integer " + std::string(digits) + " out of range");
            }
        }
        if (IsIdentChar(Peek()))
            FailAt(FLine, "invalid number " + std::string(FText.substr(start, FPos - start + 1)));
        FTok.Text = std::string(FText.substr(start, FPos - start));
    }

    void LexString()
    {
        FTok.Kind = tokString;
        for (;;) {
            if (Peek() == '\'') {
                ++FPos;
                std::string raw;
                for (;;) {
                    if (AtEnd() || Peek() == '\n' || Peek() == '\r')
                        FailAt(FLine, "unterminated string");
                    char c = FText[FPos++];
                    if (c == '\'') {
                        if (Peek() != '\'')
                            break;
                        ++FPos;
                    }
                    raw.push_back(c);
                }
                std::u16string units;
                if (!Utf8ToUtf16(raw, units))
                    FailAt(FLine, "string is not valid UTF-8");
                FTok.Wide += units;
            } else if (Peek() == '#') {
                ++FPos;
                std::uint64_t v = 0;
                int digits = 0;
                if (Peek() == '$') {
                    ++FPos;
                    for (; HexDigit(Peek()) >= 0 && digits < 8; ++FPos, ++digits)
                        v = (v << 4) | static_cast<std::uint64_t>(HexDigit(Peek()));
                } else {
                    for (; IsDigit(Peek()) && digits < 10; ++FPos, ++digits)
                        v = v * 10 + static_cast<std::uint64_t>(Peek() - '0');
                }
                if (digits == 0)
                    FailAt(FLine, "character code expected after #");
                if (v > 0x10FFFF || IsDigit(Peek()) || HexDigit(Peek()) >= 0)
                    FailAt(FLine, "character code out of range");
                if (v > 0xFFFF) {
                    v -= 0x10000;
                    FTok.Wide.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
                    FTok.Wide.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
                } else {
                    FTok.Wide.push_back(static_cast<char16_t>(v));
                }
            } else {
                return;
            }
        }
    }

    void LexBinary()
    {
        ++FPos;
        FTok.Kind = tokBinary;
        int high = -1;
        for (;;) {
            if (AtEnd())
                FailAt(FTok.Line, "'}' expected at the end of binary data");
            char c = FText[FPos++];
            if (c == '}')
                break;
            if (c == '\n') {
                ++FLine;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r')
                continue;
            int d = HexDigit(c);
            if (d < 0)
                FailAt(FLine, "hexadecimal digit expected in binary data");
            if (high < 0) {
                high = d;
            } else {
                FTok.Text.push_back(static_cast<char>(high << 4 | d));
                high = -1;
            }
        }
        if (high >= 0)
            FailAt(FLine, "odd number of hexadecimal digits in binary data");
    }

    // ---- parser ----
    bool IsSymbol(char c) const { return FTok.Kind == tokSymbol && FTok.Text[0] == c; }
    bool IsKeyword(const char* k) const { return FTok.Kind == tokIdent && SameText(FTok.Text, k); }

    void Expect(char c)
    {
        if (!IsSymbol(c))
            Fail("'" + std::string(1, c) + "' expected");
        Next();
    }

    std::string ExpectIdent(const char* what)
    {
        if (FTok.Kind != tokIdent)
            Fail(std::string(what) + " expected");
        std::string s = FTok.Text;
        Next();
        return s;
    }

    void Enter(int depth) const
    {
        if (depth > kMaxFormDepth)
            Fail("nesting deeper than " + IntToStr(kMaxFormDepth));
    }

    bool AtObjectStart() const
    {
        return IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline");
    }

    void ParseObject(TFormObject& obj, int depth)
    {
        Enter(depth);
        if (IsKeyword("inherited"))
            obj.Flags |= ffInherited;
        else if (IsKeyword("inline"))
            obj.Flags |= ffInline;
        else if (!IsKeyword("object"))
            Fail("'object' expected");
        Next();
        std::string first = ExpectIdent("object name or class name");
        if (IsSymbol(':')) {
            Next();
            obj.Name = first;
            obj.ClassName = ExpectIdent("class name");
        } else {
            obj.ClassName = first;
        }
        if (IsSymbol('[')) {
            Next();
            if (FTok.Kind != tokInteger)
                Fail("child position expected");
            obj.Flags |= ffChildPos;
            obj.ChildPos = FTok.Int;
            Next();
            Expect(']');
        }
        for (;;) {
            if (IsKeyword("end")) {
                Next();
                return;
            }
            if (FTok.Kind == tokEnd)
                Fail("'end' expected");
            if (AtObjectStart() && !NextIsPropertySymbol()) {
                obj.Children.emplace_back();
                ParseObject(obj.Children.back(), depth + 1);
            } else {
                obj.Properties.push_back(ParseProperty(depth));
            }
        }
    }

    // Whether the identifier just read is a property name (followed by = or .)
    // rather than the keyword of a child object.
    bool NextIsPropertySymbol() const
    {
        std::size_t p = FPos;
        while (p < FText.size() && (FText[p] == ' ' || FText[p] == '\t'))
            ++p;
        return p < FText.size() && (FText[p] == '=' || FText[p] == '.');
    }

    TFormProperty ParseProperty(int depth)
    {
        TFormProperty prop;
        prop.Name = ExpectIdent("property name");
        while (IsSymbol('.')) {
            Next();
            prop.Name += "." + ExpectIdent("property name after '.'");
        }
        Expect('=');
        prop.Value = ParseValue(depth + 1);
        return prop;
    }

    TFormValue ParseValue(int depth)
    {
        Enter(depth);
        TFormValue v;
        switch (FTok.Kind) {
        case tokInteger:
            v = TFormValue::Integer(FTok.Int);
            Next();
            return v;
        case tokFloat:
            v = ParseFloat();
            Next();
            return v;
        case tokString:
            return ParseString();
        case tokBinary:
            v.Type = vaBinary;
            v.Text = std::move(FTok.Text);
            Next();
            return v;
        case tokIdent:
            if (SameText(FTok.Text, "True"))
                v.Type = vaTrue;
            else if (SameText(FTok.Text, "False"))
                v.Type = vaFalse;
            else if (SameText(FTok.Text, "nil"))
                v.Type = vaNil;
            else if (SameText(FTok.Text, "Null"))
                v.Type = vaNull;
            else
                v = TFormValue::Ident(FTok.Text);
            Next();
            return v;
        default:
            break;
        }
        if (IsSymbol('[')) {
            Next();
            v.Type = vaSet;
            if (!IsSymbol(']')) {
                v.Set.push_back(ExpectIdent("set element"));
                while (IsSymbol(',')) {
                    Next();
                    v.Set.push_back(ExpectIdent("set element"));
                }
            }
            Expect(']');
            return v;
        }
        if (IsSymbol('(')) {
            Next();
            v.Type = vaList;
            while (!IsSymbol(')')) {
                if (FTok.Kind == tokEnd)
                    Fail("')' expected");
                v.List.push_back(ParseValue(depth + 1));
            }
            Next();
            return v;
        }
        if (IsSymbol('<')) {
            Next();
            v.Type = vaCollection;
            while (!IsSymbol('>')) {
                if (!IsKeyword("item"))
                    Fail("'item' or '>' expected");
                Next();
                TFormItem item;
                if (IsSymbol('[')) {
                    Next();
                    if (FTok.Kind != tokInteger)
                        Fail("item order expected");
                    item.HasOrder = true;
                    item.Order = TFormValue::Integer(FTok.Int);
                    if (item.Order.Type == vaInt64)
                        Fail("item order in the 32-bit range expected");
                    Next();
                    Expect(']');
                }
                while (!IsKeyword("end")) {
                    if (FTok.Kind == tokEnd)
                        Fail("'end' expected");
                    item.Properties.push_back(ParseProperty(depth + 1));
                }
                Next();
                v.Items.push_back(std::move(item));
            }
            Next();
            return v;
        }
        Fail("property value expected");
    }

    TFormValue ParseFloat()
    {
        TFormValue v;
        std::string_view text = FTok.Text;
        if (FTok.Suffix)
            text.remove_suffix(1);
        double d = 0;
        auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), d);
        if (ec != std::errc() || p != text.data() + text.size() || !std::isfinite(d))
            Fail("number in range expected");
        switch (FTok.Suffix) {
        case 's':
            v.Type = vaSingle;
            if (std::fabs(d) > 3.4028234663852886e38)
                Fail("number in the range of a single expected");
            v.Float = static_cast<float>(d);
            break;
        case 'd':
            v.Type = vaDate;
            v.Float = d;
            break;
        case 'c':
            v.Type = vaCurrency;
            v.Int = CurrencyUnits(text);
            break;
        default:
            v.Type = vaExtended;
            v.Float = d;
        }
        return v;
    }

    // Currency is a count of 1/10000: decimal text is scaled exactly, rounding
    // half away from zero beyond the fourth decimal.
    std::int64_t CurrencyUnits(std::string_view text) const
    {
        if (text.find_first_of("eE") != std::string_view::npos) {
            double d = 0;
            std::from_chars(text.data(), text.data() + text.size(), d);
            double units = std::round(d * 10000.0);
            if (!(std::fabs(units) < 9.2e18))
                Fail("currency in range expected");
            return static_cast<std::int64_t>(units);
        }
        bool negative = !text.empty() && text[0] == '-';
        if (negative)
            text.remove_prefix(1);
        unsigned __int128 units = 0;
        int decimals = -1;
        bool roundUp = false;
        for (char c : text) {
            if (c == '.') {
                decimals = 0;
                continue;
            }
            if (decimals >= 4) {
                if (decimals == 4)
                    roundUp = c >= '5';
                ++decimals;
                continue;
            }
            units = units * 10 + static_cast<unsigned>(c - '0');
            if (decimals >= 0)
                ++decimals;
            if (units > (static_cast<unsigned __int128>(1) << 64))
                Fail("currency in range expected");
        }
        for (int d = decimals < 0 ? 0 : (decimals > 4 ? 4 : decimals); d < 4; ++d)
            units *= 10;
        if (roundUp)
            ++units;
        // The negative range reaches one unit further than the positive one.
        if (units > static_cast<unsigned __int128>(INT64_MAX) + (negative ? 1 : 0))
            Fail("currency in range expected");
        std::uint64_t magnitude = static_cast<std::uint64_t>(units);
        return static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
    }

    TFormValue ParseString()
    {
        std::u16string units = std::move(FTok.Wide);
        Next();
        while (IsSymbol('+')) {
            Next();
            if (FTok.Kind != tokString)
                Fail("string expected after '+'");
            units += FTok.Wide;
            Next();
        }
        TFormValue v;
        bool ascii = true;
        for (char16_t u : units)
            if (u >= 0x80)
                ascii = false;
        if (ascii) {
            v.Text.assign(units.begin(), units.end());
            v.Type = v.Text.size() <= 255 ? vaString : vaLString;
        } else {
            v.Type = vaWString;
            v.Wide = std::move(units);
        }
        return v;
    }

    std::string_view FText;
    std::size_t FPos = 0;
    int FLine = 1;
    TToken FTok;
};

// ---- printer ----

std::string FloatText(double d, bool single)
{
    if (!std::isfinite(d))
        throw EWriteError(Format(SFormWriteError, {"float", "not a finite number"}));
    char buf[64];
    auto r = single ? std::to_chars(buf, buf + sizeof buf, static_cast<float>(d)) : std::to_chars(buf, buf + sizeof buf, d);
    std::string s(buf, r.ptr);
    if (s.find_first_of(".e") == std::string::npos)
        s += ".0";
    return s;
}

std::string CurrencyText(std::int64_t units)
{
    bool negative = units < 0;
    std::uint64_t u = negative ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    std::string frac = std::to_string(u % 10000);
    frac.insert(0, 4 - frac.size(), '0');
    while (frac.size() > 1 && frac.back() == '0')
        frac.pop_back();
    return (negative ? "-" : "") + std::to_string(u / 10000) + "." + frac;
}

std::string QuoteUnits(std::u16string_view units)
{
    if (units.empty())
        return "''";
    std::string out;
    bool open = false;
    for (char16_t u : units) {
        if (u >= 32 && u <= 126) {
            if (!open)
                out.push_back('\'');
            open = true;
            if (u == '\'')
                out.push_back('\'');
            out.push_back(static_cast<char>(u));
        } else {
            if (open)
                out.push_back('\'');
            open = false;
            out += "#" + std::to_string(static_cast<unsigned>(u));
        }
    }
    if (open)
        out.push_back('\'');
    return out;
}

// The UTF-16 units a string value prints as.
std::u16string StringUnits(const TFormValue& v)
{
    if (v.Type == vaWString)
        return v.Wide;
    std::u16string units;
    if (!Utf8ToUtf16(v.Text, units)) {
        // FIXME: bytes that are not UTF-8 print one #nnn per byte, which reads
        // back as those code points, not as the original bytes.
        units.assign(v.Text.begin(), v.Text.end());
        for (char16_t& u : units)
            u &= 0xFF;
    }
    return units;
}

// Strings longer than this many units print as lines joined with +.
constexpr std::size_t kStringLineUnits = 64;

bool IsLongString(const TFormValue& v)
{
    return v.IsString() && StringUnits(v).size() > kStringLineUnits;
}

// Names the text syntax can hold: identifiers, and for properties dotted
// ones whose first part is not the keyword end.
bool IsIdentifier(std::string_view s)
{
    if (s.empty() || !IsIdentStart(s[0]))
        return false;
    for (char c : s)
        if (!IsIdentChar(c))
            return false;
    return true;
}

void CheckName(std::string_view s, bool dotted, const char* what)
{
    bool ok = true;
    std::size_t start = 0;
    for (;;) {
        std::size_t dot = dotted ? s.find('.', start) : std::string_view::npos;
        ok = ok && IsIdentifier(s.substr(start, dot == std::string_view::npos ? dot : dot - start));
        if (dot == std::string_view::npos)
            break;
        start = dot + 1;
    }
    if (dotted && ok)
        ok = !SameText(s.substr(0, s.find('.')), "end");
    if (!ok)
        throw EWriteError(Format(SFormWriteError, {std::string(what) + " '" + std::string(s.substr(0, 64)) + "'",
                                                   "not an identifier the text syntax can hold"}));
}

class TTextFormPrinter {
public:
    std::string Take() { return std::move(FOut); }

    void Object(const TFormObject& obj, int indent)
    {
        CheckName(obj.ClassName, false, "class name");
        if (!obj.Name.empty())
            CheckName(obj.Name, false, "object name");
        Pad(indent);
        FOut += (obj.Flags & ffInline) ? "inline " : (obj.Flags & ffInherited) ? "inherited " : "object ";
        if (!obj.Name.empty())
            FOut += obj.Name + ": ";
        FOut += obj.ClassName;
        if (obj.Flags & ffChildPos)
            FOut += " [" + std::to_string(obj.ChildPos) + "]";
        FOut += "\n";
        Properties(obj.Properties, indent + 2);
        for (const TFormObject& child : obj.Children)
            Object(child, indent + 2);
        Pad(indent);
        FOut += "end\n";
    }

private:
    void Pad(int indent) { FOut.append(static_cast<std::size_t>(indent), ' '); }

    void Properties(const std::vector<TFormProperty>& props, int indent)
    {
        for (const TFormProperty& p : props) {
            CheckName(p.Name, true, "property name");
            Pad(indent);
            if (IsLongString(p.Value)) {
                FOut += p.Name + " =";
                LongString(StringUnits(p.Value), indent + 2);
            } else {
                FOut += p.Name + " = ";
                Value(p.Value, indent);
            }
            FOut += "\n";
        }
    }

    // One line per kStringLineUnits units, never splitting a surrogate pair.
    void LongString(const std::u16string& units, int indent)
    {
        for (std::size_t at = 0; at < units.size();) {
            std::size_t n = std::min(kStringLineUnits, units.size() - at);
            if (at + n < units.size() && units[at + n - 1] >= 0xD800 && units[at + n - 1] <= 0xDBFF)
                ++n;
            FOut += "\n";
            Pad(indent);
            FOut += QuoteUnits(std::u16string_view(units).substr(at, n));
            at += n;
            if (at < units.size())
                FOut += " +";
        }
    }

    void Value(const TFormValue& v, int indent)
    {
        switch (v.Type) {
        case vaNull: FOut += "Null"; break;
        case vaNil: FOut += "nil"; break;
        case vaFalse: FOut += "False"; break;
        case vaTrue: FOut += "True"; break;
        case vaInt8: case vaInt16: case vaInt32: case vaInt64: FOut += std::to_string(v.Int); break;
        case vaExtended: FOut += FloatText(v.Float, false); break;
        case vaSingle: FOut += FloatText(v.Float, true) + "s"; break;
        case vaDate: FOut += FloatText(v.Float, false) + "d"; break;
        case vaCurrency: FOut += CurrencyText(v.Int) + "c"; break;
        case vaString: case vaLString: case vaUTF8String: case vaWString: FOut += QuoteUnits(StringUnits(v)); break;
        case vaIdent:
            CheckName(v.Text, false, "identifier");
            FOut += v.Text;
            break;
        case vaSet:
            FOut += "[";
            for (std::size_t i = 0; i < v.Set.size(); ++i) {
                CheckName(v.Set[i], false, "set element");
                FOut += (i ? ", " : "") + v.Set[i];
            }
            FOut += "]";
            break;
        case vaBinary: {
            static const char hex[] = "0123456789ABCDEF";
            FOut += "{";
            for (std::size_t i = 0; i < v.Text.size(); ++i) {
                if (i % 32 == 0) {
                    FOut += "\n";
                    Pad(indent + 2);
                }
                unsigned char b = static_cast<unsigned char>(v.Text[i]);
                FOut.push_back(hex[b >> 4]);
                FOut.push_back(hex[b & 15]);
            }
            FOut += "}";
            break;
        }
        case vaList:
            FOut += "(";
            for (const TFormValue& item : v.List) {
                FOut += "\n";
                Pad(indent + 2);
                Value(item, indent + 2);
            }
            FOut += ")";
            break;
        case vaCollection:
            FOut += "<";
            for (const TFormItem& item : v.Items) {
                FOut += "\n";
                Pad(indent + 2);
                FOut += "item";
                if (item.HasOrder)
                    FOut += " [" + std::to_string(item.Order.Int) + "]";
                FOut += "\n";
                Properties(item.Properties, indent + 4);
                Pad(indent + 2);
                FOut += "end";
            }
            FOut += ">";
            break;
        }
    }

    std::string FOut;
};

}

TFormObject ParseTextForm(std::string_view text)
{
    return TTextFormParser(text).ParseForm();
}

std::string PrintTextForm(const TFormObject& form)
{
    TTextFormPrinter p;
    p.Object(form, 0);
    return p.Take();
}

std::string ObjectTextToBinary(std::string_view text)
{
    return WriteBinaryForm(ParseTextForm(text));
}

std::string ObjectBinaryToText(std::string_view binary)
{
    return PrintTextForm(ReadBinaryForm(binary));
}
