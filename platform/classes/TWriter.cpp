#include "platform/classes/TWriter.h"

#include "platform/classes/BinaryForm.h"
#include "platform/classes/TComponent.h"
#include "platform/classes/TFormObject.h"
#include "platform/classes/TextForm.h"
#include "platform/classes/TypeInfo.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& why)
{
    throw EWriteError(Format(SFormWriteError, {what, why}));
}

const char* IdentName(const TIdentTable* idents, std::int64_t value, bool as32Bits = false)
{
    if (idents)
        for (const TIdent& i : *idents)
            if (i.Value == value || (as32Bits && static_cast<std::int32_t>(i.Value) == static_cast<std::int32_t>(value)))
                return i.Name;
    return nullptr;
}

void WriteProperties(TObject* instance, const std::string& prefix, std::vector<TFormProperty>& out, int depth)
{
    if (depth > kMaxFormDepth)
        Fail(prefix, "objects nested deeper than " + IntToStr(kMaxFormDepth));
    for (const TPropInfo* p : instance->ClassType().AllProperties()) {
        if (p->IsStored && !p->IsStored(instance))
            continue;
        std::string name = prefix + p->Name;
        TFormValue v;
        switch (p->Kind) {
        case tkInteger: case tkInt64: case tkChar: case tkEnumeration: case tkSet: {
            std::int64_t ord = p->GetOrd(instance);
            std::optional<std::int64_t> def = p->OrdDefault;
            if (p->Kind == tkInteger) {
                // 32-bit: a colour table may hold 0x80000008 where the getter gives it negative.
                ord = static_cast<std::int32_t>(ord);
                if (def)
                    def = static_cast<std::int32_t>(*def);
            }
            if (def && ord == *def)
                continue;
            if (p->Kind == tkSet) {
                v.Type = vaSet;
                for (int bit = 0; bit < 64; ++bit) {
                    if (!(static_cast<std::uint64_t>(ord) >> bit & 1))
                        continue;
                    const char* ident = IdentName(p->Idents, bit);
                    if (!ident)
                        Fail(name, "set element " + IntToStr(bit) + " has no name");
                    v.Set.push_back(ident);
                }
            } else if (const char* ident = IdentName(p->Idents, ord, p->Kind == tkInteger)) {
                std::string s = ident;
                v = s == "True" ? TFormValue::Boolean(true) : s == "False" ? TFormValue::Boolean(false) : TFormValue::Ident(s);
            } else if (p->Kind == tkEnumeration) {
                Fail(name, "value " + IntToStr(ord) + " has no name");
            } else {
                v = TFormValue::Integer(ord);
            }
            break;
        }
        case tkFloat:
            v.Float = p->GetFloat(instance);
            if (v.Float == 0)
                continue;
            v.Type = vaExtended;
            break;
        case tkString: case tkWString: {
            std::string s = p->GetStr(instance);
            if (s.empty())
                continue;
            v = TFormValue::String(s);
            if (p->Kind == tkWString && v.Type != vaWString) {
                v.Wide.assign(v.Text.begin(), v.Text.end());   // ASCII: one unit a byte
                v.Text.clear();
                v.Type = vaWString;
            }
            break;
        }
        case tkBinary:
            v.Text = p->GetStr(instance);
            if (v.Text.empty())
                continue;
            v.Type = vaBinary;
            break;
        case tkClass:
            if (TPersistent* sub = p->GetObject(instance))
                WriteProperties(sub, name + ".", out, depth + 1);
            continue;
        case tkMethod: {
            std::string method = p->GetMethodName(instance);
            if (method.empty())
                continue;
            v = TFormValue::Ident(method);
            break;
        }
        }
        out.push_back({std::move(name), std::move(v)});
    }
}

void WriteObject(TComponent* c, TComponent* root, TFormObject& obj, int depth)
{
    if (depth > kMaxFormDepth)
        Fail(c->Name(), "components nested deeper than " + IntToStr(kMaxFormDepth));
    obj.ClassName = c->ClassName();
    obj.Name = c->Name();
    WriteProperties(c, "", obj.Properties, 1);
    if (c != root && !c->ClassType().FindProperty("Left")) {
        obj.Properties.push_back({"Left", TFormValue::Integer(c->DesignLeft())});
        obj.Properties.push_back({"Top", TFormValue::Integer(c->DesignTop())});
    }
    c->GetChildren([&](TComponent* child) {
        TFormObject sub;
        WriteObject(child, root, sub, depth + 1);
        obj.Children.push_back(std::move(sub));
    }, root);
}

}

TFormObject WriteComponentTree(TComponent* root)
{
    TFormObject form;
    WriteObject(root, root, form, 1);
    return form;
}

std::string WriteComponent(TComponent* root)
{
    return WriteBinaryForm(WriteComponentTree(root));
}

std::string WriteComponentText(TComponent* root)
{
    return PrintTextForm(WriteComponentTree(root));
}
