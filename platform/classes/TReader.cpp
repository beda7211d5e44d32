#include "platform/classes/TReader.h"

#include "platform/classes/BinaryForm.h"
#include "platform/classes/Resources.h"
#include "platform/classes/TComponent.h"
#include "platform/classes/TFormObject.h"
#include "platform/classes/TypeInfo.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

namespace {

bool SameIdent(const char* a, const std::string& b)
{
    std::size_t i = 0;
    for (; a[i] && i < b.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y)
            return false;
    }
    return !a[i] && i == b.size();
}

// The value of an identifier in a table; an exact match wins over one that
// differs only in case, as identifiers in forms are case-insensitive.
const TIdent* FindIdent(const TIdentTable* idents, const std::string& name)
{
    if (!idents)
        return nullptr;
    for (const TIdent& i : *idents)
        if (name == i.Name)
            return &i;
    for (const TIdent& i : *idents)
        if (SameIdent(i.Name, name))
            return &i;
    return nullptr;
}

class TFormReader {
public:
    explicit TFormReader(TComponent* root) : FRoot(root) {}

    void Read(const TFormObject& form)
    {
        FRoot->SetComponentState(csLoading | csReading);
        try {
            if (FRoot->Name().empty() && !form.Name.empty())
                FRoot->SetName(UniqueRootName(form.Name));
            ReadProperties(FRoot, form.Properties);
            ReadChildren(form, FRoot, 1);
            for (TComponent* c : FLoaded)
                c->ClearComponentState(csReading);
            FRoot->ClearComponentState(csReading);
            BindFields();
            for (TComponent* c : FLoaded)
                c->Loaded();
            FRoot->Loaded();
        } catch (...) {
            for (TComponent* c : FLoaded)
                c->ClearComponentState(csLoading | csReading);
            FRoot->ClearComponentState(csLoading | csReading);
            throw;
        }
    }

private:
    // A second form of the same class under one owner gets Name_1, Name_2...
    std::string UniqueRootName(const std::string& name) const
    {
        TComponent* owner = FRoot->Owner();
        if (!owner || !owner->FindComponent(name))
            return name;
        for (int i = 1;; ++i) {
            std::string candidate = name + "_" + IntToStr(i);
            if (!owner->FindComponent(candidate))
                return candidate;
        }
    }

    static std::string Label(TComponent* c) { return c->Name().empty() ? c->ClassName() : c->Name(); }

    [[noreturn]] static void Fail(TComponent* c, const std::string& prop, const std::string& what)
    {
        throw EReadError(Format(SFormReadError, {Label(c), prop, what}));
    }

    void ReadChildren(const TFormObject& obj, TComponent* parent, int depth)
    {
        if (depth > kMaxFormDepth)
            throw EReadError(Format(SFormTooDeep, {static_cast<std::int64_t>(kMaxFormDepth)}));
        for (const TFormObject& child : obj.Children) {
            TComponent* c = child.Flags & ffInherited ? FindInherited(child) : Create(child);
            c->SetParentComponent(parent);
            ReadProperties(c, child.Properties);
            ReadChildren(child, c, depth + 1);
        }
    }

    TComponent* FindInherited(const TFormObject& obj)
    {
        TComponent* c = FRoot->FindComponent(obj.Name);
        if (!c || c->ClassName() != obj.ClassName)
            throw EReadError(Format(SFormInheritedMissing, {obj.Name, FRoot->ClassName()}));
        c->SetComponentState(csLoading | csReading);
        FLoaded.push_back(c);
        return c;
    }

    TComponent* Create(const TFormObject& obj)
    {
        const TClassInfo* info = FindClass(obj.ClassName);
        if (!info)
            throw EClassNotFound(Format(SFormClassNotFound, {obj.ClassName}));
        if (!info->Create)
            throw EClassNotFound(Format(SFormClassNotCreatable, {obj.ClassName}));
        TComponent* c = info->Create(FRoot);
        if (c->Owner() != FRoot)
            FRoot->InsertComponent(c);   // owned by the root whatever its constructor did
        c->SetComponentState(csLoading | csReading);
        FLoaded.push_back(c);
        c->SetName(obj.Name);
        return c;
    }

    void ReadProperties(TComponent* c, const std::vector<TFormProperty>& props)
    {
        for (const TFormProperty& p : props)
            SetProperty(c, p);
    }

    void SetProperty(TComponent* c, const TFormProperty& prop)
    {
        TObject* target = c;
        std::size_t start = 0;
        for (std::size_t dot; (dot = prop.Name.find('.', start)) != std::string::npos; start = dot + 1) {
            std::string part = prop.Name.substr(start, dot - start);
            const TPropInfo* p = target->ClassType().FindProperty(part);
            if (!p)
                Fail(c, prop.Name, Format(SUnknownFormProperty, {part, target->ClassName()}));
            TPersistent* sub = p->Kind == tkClass ? p->GetObject(target) : nullptr;
            if (!sub)
                Fail(c, prop.Name, part + " is not an object");
            target = sub;
        }
        std::string last = prop.Name.substr(start);
        const TPropInfo* p = target->ClassType().FindProperty(last);
        if (!p) {
            if (target == c && (last == "Left" || last == "Top") && prop.Value.IsInteger()) {
                int v = static_cast<int>(prop.Value.Int);
                last == "Left" ? c->SetDesignLeft(v) : c->SetDesignTop(v);
                return;
            }
            Fail(c, prop.Name, Format(SUnknownFormProperty, {last, target->ClassName()}));
        }
        SetValue(c, prop.Name, target, *p, prop.Value);
    }

    void SetValue(TComponent* c, const std::string& name, TObject* target, const TPropInfo& p, const TFormValue& v)
    {
        switch (p.Kind) {
        case tkInteger: case tkInt64: case tkChar: {
            std::int64_t value;
            if (v.IsInteger()) {
                value = v.Int;
            } else if (v.Type == vaIdent) {
                const TIdent* i = FindIdent(p.Idents, v.Text);
                if (!i)
                    Fail(c, name, Format(SUnknownFormIdent, {v.Text, name}));
                value = i->Value;
            } else if (p.Kind == tkChar && v.IsString() && v.StringAsUtf8().size() == 1) {
                value = static_cast<unsigned char>(v.StringAsUtf8()[0]);
            } else {
                Fail(c, name, Format(SFormValueMismatch, {ValueTypeName(v.Type)}));
            }
            // 32-bit properties take signed values and unsigned ones (colours written in hex).
            bool fits = p.Kind == tkInt64 || (p.Kind == tkChar ? value >= 0 && value <= 255
                                                                 : value >= INT32_MIN && value <= UINT32_MAX);
            if (!fits)
                Fail(c, name, IntToStr(value) + " is out of range");
            p.SetOrd(target, value);
            return;
        }
        case tkEnumeration: {
            std::string ident;
            if (v.Type == vaIdent)
                ident = v.Text;
            else if (v.Type == vaTrue || v.Type == vaFalse)
                ident = v.Type == vaTrue ? "True" : "False";
            else
                Fail(c, name, Format(SFormValueMismatch, {ValueTypeName(v.Type)}));
            const TIdent* i = FindIdent(p.Idents, ident);
            if (!i)
                Fail(c, name, Format(SUnknownFormIdent, {ident, name}));
            p.SetOrd(target, i->Value);
            return;
        }
        case tkSet: {
            if (v.Type != vaSet)
                Fail(c, name, Format(SFormValueMismatch, {ValueTypeName(v.Type)}));
            std::uint64_t bits = 0;
            for (const std::string& s : v.Set) {
                const TIdent* i = FindIdent(p.Idents, s);
                if (!i)
                    Fail(c, name, Format(SUnknownFormIdent, {s, name}));
                if (i->Value < 0 || i->Value > 63)
                    Fail(c, name, s + " is out of range");
                bits |= std::uint64_t{1} << i->Value;
            }
            p.SetOrd(target, static_cast<std::int64_t>(bits));
            return;
        }
        case tkFloat:
            if (v.IsInteger())
                p.SetFloat(target, static_cast<double>(v.Int));
            else if (v.Type == vaExtended || v.Type == vaSingle || v.Type == vaDate)
                p.SetFloat(target, v.Float);
            else if (v.Type == vaCurrency)
                p.SetFloat(target, static_cast<double>(v.Int) / 10000.0);
            else
                Fail(c, name, Format(SFormValueMismatch, {ValueTypeName(v.Type)}));
            return;
        case tkString: case tkWString:
            if (!v.IsString())
                Fail(c, name, Format(SFormValueMismatch, {ValueTypeName(v.Type)}));
            p.SetStr(target, v.StringAsUtf8());
            return;
        case tkBinary:
            if (v.Type != vaBinary)
                Fail(c, name, Format(SFormValueMismatch, {ValueTypeName(v.Type)}));
            p.SetStr(target, v.Text);
            return;
        case tkMethod:
            if (v.Type == vaNil) {
                p.ClearMethod(target);
            } else if (v.Type == vaIdent) {
                if (!p.BindMethod(target, FRoot, v.Text))
                    Fail(c, name, Format(SUnknownFormMethod, {v.Text, FRoot->ClassName()}));
            } else {
                Fail(c, name, Format(SFormValueMismatch, {ValueTypeName(v.Type)}));
            }
            return;
        case tkClass:
            // FIXME: collections and lists of strings have no classes here yet to take them.
            Fail(c, name, Format(SFormValueMismatch, {ValueTypeName(v.Type)}));
        }
    }

    void BindFields()
    {
        const TClassInfo& rootClass = FRoot->ClassType();
        for (TComponent* c : FLoaded) {
            const TFieldInfo* f = rootClass.FindField(c->Name());
            if (f && !f->Bind(FRoot, c))
                throw EReadError(Format(SFormFieldMismatch, {rootClass.Name, f->Name, c->ClassName()}));
        }
    }

    TComponent* FRoot;
    std::vector<TComponent*> FLoaded;
};

}

TComponent* ReadComponentTree(const TFormObject& form, TComponent* root)
{
    bool created = false;
    if (!root) {
        const TClassInfo* info = FindClass(form.ClassName);
        if (!info)
            throw EClassNotFound(Format(SFormClassNotFound, {form.ClassName}));
        if (!info->Create)
            throw EClassNotFound(Format(SFormClassNotCreatable, {form.ClassName}));
        root = info->Create(nullptr);
        created = true;
    } else if (root->ClassName() != form.ClassName) {
        throw EReadError(Format(SFormRootMismatch, {form.ClassName, root->ClassName()}));
    }
    try {
        TFormReader(root).Read(form);
    } catch (...) {
        if (created)
            delete root;
        throw;
    }
    return root;
}

TComponent* ReadComponent(std::string_view binary, TComponent* root)
{
    return ReadComponentTree(ReadBinaryForm(binary), root);
}

void ReadComponentResource(TComponent* root, const std::string& resourceName)
{
    ReadComponent(FindResource(RT_RCDATA, resourceName), root);
}
