#include "tests/classes/StreamTestClasses.h"

#include "platform/classes/TypeInfo.h"

std::vector<std::string>& StreamLog()
{
    static std::vector<std::string> log;
    return log;
}

namespace {

const TIdentTable& StyleIdents()
{
    static const TIdentTable idents = {{0, "fsBold"}, {1, "fsItalic"}, {2, "fsUnderline"}};
    return idents;
}

const TIdentTable& AlignIdents()
{
    static const TIdentTable idents = {{alNone, "alNone"}, {alTop, "alTop"}, {alClient, "alClient"}};
    return idents;
}

const TIdentTable& ColorIdents()
{
    static const TIdentTable idents = {{0xFFFFFF, "clWhite"}, {0x80000008, "clWindowText"}};
    return idents;
}

template <class C, class V>
auto Logged(const char* name, V C::*member)
{
    return [name, member](C& c, const V& v) {
        StreamLog().push_back(c.Name() + "." + name);
        c.*member = v;
    };
}

std::string LoadState(TComponent* c)
{
    return "Loaded " + c->Name() + ((c->ComponentState() & csLoading) ? " loading" : "");
}

}

TTestControl::TTestControl(TComponent* owner) : TComponent(owner), Font(new TTestFont) {}

void TTestControl::SetParentComponent(TComponent* parent)
{
    StreamLog().push_back(Name() + ".Parent=" + (parent ? parent->Name() : "nil"));
    Parent = parent;
}

void TTestControl::Loaded()
{
    StreamLog().push_back(LoadState(this));
    TComponent::Loaded();
}

void TTestNonVisual::Loaded()
{
    StreamLog().push_back(LoadState(this));
    TComponent::Loaded();
}

void TTestForm::Loaded()
{
    StreamLog().push_back(LoadState(this) + (Panel1 ? " fields" : ""));
    TComponent::Loaded();
}

const TClassInfo& TTestFont::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTestFont>("TTestFont", TPersistent::StaticClassInfo())
                                       .Str("Name", &TTestFont::Name, [](TTestFont& f, const std::string& v) {
                                           StreamLog().push_back("Font.Name");
                                           f.Name = v;
                                       })
                                       .Int("Size", &TTestFont::Size, [](TTestFont& f, int v) {
                                           StreamLog().push_back("Font.Size");
                                           f.Size = v;
                                       }, 8)
                                       .Set("Style", StyleIdents(), &TTestFont::Style, &TTestFont::Style, 0)
                                       .Build();
    return info;
}

const TClassInfo& TTestControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTestControl>("TTestControl", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Int("Left", &TTestControl::Left, Logged("Left", &TTestControl::Left))
                                       .Int("Top", &TTestControl::Top, Logged("Top", &TTestControl::Top))
                                       .Int("Width", &TTestControl::Width, Logged("Width", &TTestControl::Width))
                                       .Int("Color", &TTestControl::Color, Logged("Color", &TTestControl::Color),
                                            0xFFFFFF, &ColorIdents())
                                       .Enum("Align", AlignIdents(), &TTestControl::Align,
                                             Logged("Align", &TTestControl::Align), alNone)
                                       .Bool("Visible", &TTestControl::Visible, Logged("Visible", &TTestControl::Visible), true)
                                       .Float("Ratio", &TTestControl::Ratio, Logged("Ratio", &TTestControl::Ratio))
                                       .Str("Caption", &TTestControl::Caption, Logged("Caption", &TTestControl::Caption))
                                       .Binary("Data", &TTestControl::Data, Logged("Data", &TTestControl::Data))
                                       .Ord("Big", tkInt64, &TTestControl::Big, Logged("Big", &TTestControl::Big), 0)
                                       .Object("Font", &TTestControl::Font)
                                       .Event("OnClick", &TTestControl::OnClick)
                                       .Build();
    return info;
}

const TClassInfo& TTestNonVisual::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TTestNonVisual>("TTestNonVisual", TComponent::StaticClassInfo())
            .Creatable()
            .Str("Directory", &TTestNonVisual::Directory, Logged("Directory", &TTestNonVisual::Directory))
            .Bool("Recursive", &TTestNonVisual::Recursive, Logged("Recursive", &TTestNonVisual::Recursive), false)
            .Event("OnFind", &TTestNonVisual::OnFind)
            .Build();
    return info;
}

const TClassInfo& TTestForm::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTestForm>("TTestForm", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .WStr("Caption", &TTestForm::Caption, Logged("Caption", &TTestForm::Caption))
                                       .Int("Left", &TTestForm::Left, Logged("Left", &TTestForm::Left))
                                       .Field("Panel1", &TTestForm::Panel1)
                                       .Field("Button1", &TTestForm::Button1)
                                       .Field("Finder1", &TTestForm::Finder1)
                                       .Method("Button1Click", &TTestForm::Button1Click)
                                       .Method("Finder1Find", &TTestForm::Finder1Find)
                                       .Method("WrongSignature", &TTestForm::WrongSignature)
                                       .Build();
    return info;
}

const TClassInfo& TTestMisfitForm::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTestMisfitForm>("TTestMisfitForm", TComponent::StaticClassInfo())
                                       .Field("Panel1", &TTestMisfitForm::Panel1)
                                       .Build();
    return info;
}

void RegisterStreamTestClasses()
{
    RegisterClass(TTestControl::StaticClassInfo());
    RegisterClass(TTestNonVisual::StaticClassInfo());
    RegisterClass(TTestForm::StaticClassInfo());
}
