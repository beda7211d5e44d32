#pragma once
// TClassBuilder<C>: declares a class's published interface once, by name.
//
//   const TClassInfo& TSearchFile::StaticClassInfo() {
//       static const TClassInfo info = TClassBuilder<TSearchFile>("TSearchFile", TComponent::StaticClassInfo())
//           .Creatable()
//           .Str("Directory", &TSearchFile::Directory, &TSearchFile::SetDirectory)
//           .Bool("Recursive", &TSearchFile::Recursive, &TSearchFile::SetRecursive, false)
//           .Event("OnFind", &TSearchFile::OnFind)
//           .Build();
//       return info;
//   }
//
// Getters are anything std::invoke can call on a C& (member functions, data
// members, lambdas); setters anything callable as (C&, value).
// Included by TypeInfo.h; not to be included alone.

#include <functional>
#include <memory>
#include <stdexcept>
#include <type_traits>
#include <typeinfo>

template <class C>
class TClassBuilder {
public:
    TClassBuilder(std::string name, const TClassInfo& parent)
    {
        FInfo.Name = std::move(name);
        FInfo.Parent = &parent;
    }

    // Components of this class can be created from a form: new C(owner).
    TClassBuilder& Creatable()
    {
        FInfo.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
        return *this;
    }

    template <class G, class S>
    TClassBuilder& Ord(std::string name, TTypeKind kind, G get, S set, std::optional<std::int64_t> def = {},
                       const TIdentTable* idents = nullptr)
    {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = kind;
        p.Idents = idents;
        p.OrdDefault = def;
        p.GetOrd = [get](TObject* o) { return static_cast<std::int64_t>(std::invoke(get, Self(o))); };
        p.SetOrd = [set](TObject* o, std::int64_t v) { Assign(set, Self(o), v); };
        FInfo.Properties.push_back(std::move(p));
        return *this;
    }

    template <class G, class S>
    TClassBuilder& Int(std::string name, G get, S set, std::optional<std::int64_t> def = {},
                       const TIdentTable* idents = nullptr)
    {
        return Ord(std::move(name), tkInteger, get, set, def, idents);
    }

    template <class G, class S>
    TClassBuilder& Bool(std::string name, G get, S set, std::optional<bool> def = {})
    {
        std::optional<std::int64_t> d;
        if (def)
            d = *def ? 1 : 0;
        return Ord(std::move(name), tkEnumeration, get, set, d, &BooleanIdents());
    }

    template <class G, class S>
    TClassBuilder& Enum(std::string name, const TIdentTable& idents, G get, S set, std::optional<std::int64_t> def = {})
    {
        return Ord(std::move(name), tkEnumeration, get, set, def, &idents);
    }

    // A set: the value is a bit mask, bit i standing for the ident of value i.
    template <class G, class S>
    TClassBuilder& Set(std::string name, const TIdentTable& idents, G get, S set, std::optional<std::int64_t> def = {})
    {
        return Ord(std::move(name), tkSet, get, set, def, &idents);
    }

    template <class G, class S>
    TClassBuilder& Float(std::string name, G get, S set)
    {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = tkFloat;
        p.GetFloat = [get](TObject* o) { return static_cast<double>(std::invoke(get, Self(o))); };
        p.SetFloat = [set](TObject* o, double v) { Assign(set, Self(o), v); };
        FInfo.Properties.push_back(std::move(p));
        return *this;
    }

    // kind: tkString, tkWString or tkBinary.
    template <class G, class S>
    TClassBuilder& Text(std::string name, TTypeKind kind, G get, S set)
    {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = kind;
        p.GetStr = [get](TObject* o) { return std::string(std::invoke(get, Self(o))); };
        p.SetStr = [set](TObject* o, const std::string& v) { Assign(set, Self(o), v); };
        FInfo.Properties.push_back(std::move(p));
        return *this;
    }

    template <class G, class S>
    TClassBuilder& Str(std::string name, G get, S set) { return Text(std::move(name), tkString, get, set); }
    template <class G, class S>
    TClassBuilder& WStr(std::string name, G get, S set) { return Text(std::move(name), tkWString, get, set); }
    template <class G, class S>
    TClassBuilder& Binary(std::string name, G get, S set) { return Text(std::move(name), tkBinary, get, set); }

    // A nested object (Font, Picture, Glyph): its properties stream as Name.Prop.
    template <class G>
    TClassBuilder& Object(std::string name, G get)
    {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = tkClass;
        p.GetObject = [get](TObject* o) -> TPersistent* { return std::invoke(get, Self(o)); };
        FInfo.Properties.push_back(std::move(p));
        return *this;
    }

    // An event property backed by the data member `member` of type TEvent<...>.
    template <class E>
    TClassBuilder& Event(std::string name, E C::*member)
    {
        TPropInfo p;
        p.Name = std::move(name);
        p.Kind = tkMethod;
        p.GetMethodName = [member](TObject* o) {
            const E& e = Self(o).*member;
            return std::string(e.Assigned() && e.MethodName() ? e.MethodName() : "");
        };
        p.BindMethod = [member](TObject* o, TObject* root, const std::string& method) {
            const TMethodInfo* m = root->ClassType().FindMethod(method);
            if (!m || *m->EventType != typeid(E))
                return false;
            Self(o).*member = *static_cast<E*>(m->Make(root).get());
            return true;
        };
        p.ClearMethod = [member](TObject* o) { (Self(o).*member).Clear(); };
        FInfo.Properties.push_back(std::move(p));
        return *this;
    }

    // A published method that events of type TEvent<Args...> can be bound to.
    template <class... Args>
    TClassBuilder& Method(const char* name, void (C::*method)(Args...))
    {
        using E = TEvent<Args...>;
        TMethodInfo m;
        m.Name = name;
        m.EventType = &typeid(E);
        m.Make = [method, name](TObject* root) -> std::shared_ptr<void> {
            return std::make_shared<E>(&Self(root), method, name);
        };
        FInfo.Methods.push_back(std::move(m));
        return *this;
    }

    // A published field of type T* that form reading binds by component name.
    template <class T>
    TClassBuilder& Field(std::string name, T* C::*member)
    {
        TFieldInfo f;
        f.Name = std::move(name);
        f.Bind = [member](TObject* root, TComponent* component) {
            T* typed = dynamic_cast<T*>(component);
            if (!typed)
                return false;
            Self(root).*member = typed;
            return true;
        };
        FInfo.Fields.push_back(std::move(f));
        return *this;
    }

    // Makes the property declared last stored only while pred(C&) is true.
    template <class F>
    TClassBuilder& Stored(F pred)
    {
        if (FInfo.Properties.empty())
            throw std::logic_error("Stored() needs a property before it");
        FInfo.Properties.back().IsStored = [pred](TObject* o) { return static_cast<bool>(std::invoke(pred, Self(o))); };
        return *this;
    }

    TClassInfo Build() { return std::move(FInfo); }

private:
    static C& Self(TObject* o) { return *static_cast<C*>(o); }

    template <class S, class V>
    static void Assign(S set, C& self, const V& v)
    {
        if constexpr (std::is_member_object_pointer_v<S>) {
            using M = std::remove_cvref_t<decltype(self.*set)>;
            self.*set = static_cast<M>(v);
        } else if constexpr (std::is_member_function_pointer_v<S>) {
            AssignThrough(set, self, v);
        } else {
            set(self, v);
        }
    }

    template <class R, class A, class V>
    static void AssignThrough(R (C::*set)(A), C& self, const V& v)
    {
        (self.*set)(static_cast<std::remove_cvref_t<A>>(v));
    }

    TClassInfo FInfo;
};
