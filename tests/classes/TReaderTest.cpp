#include "platform/classes/TReader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/classes/TFormObject.h"
#include "platform/classes/TextForm.h"
#include "tests/classes/StreamTestClasses.h"

namespace {

const char* const kForm = R"(object Form1: TTestForm
  Caption = 'Straße'
  Left = 5
  object Panel1: TTestControl
    Width = 300
    Left = 10
    Color = clWindowText
    Font.Style = [fsBold, fsItalic]
    Font.Name = 'Mono'
    Align = alClient
    Visible = False
    Ratio = 1.5
    Data = {0102FF}
    Big = 5000000000
    object Button1: TTestControl
      Caption = 'OK'
      OnClick = Button1Click
    end
  end
  object Finder1: TTestNonVisual
    Directory = '/tmp'
    Recursive = True
    OnFind = Finder1Find
    Left = 10
    Top = 8
  end
end
)";

class TReaderTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterStreamTestClasses();
        StreamLog().clear();
    }
};

TEST_F(TReaderTest, SetsPropertiesInStreamOrderAndLoadsChildrenFirst)
{
    TTestForm form(nullptr);
    ReadComponent(ObjectTextToBinary(kForm), &form);
    EXPECT_EQ(StreamLog(), (std::vector<std::string>{
                               "Form1.Caption", "Form1.Left",
                               "Panel1.Parent=Form1", "Panel1.Width", "Panel1.Left", "Panel1.Color", "Font.Name",
                               "Panel1.Align", "Panel1.Visible", "Panel1.Ratio", "Panel1.Data", "Panel1.Big",
                               "Button1.Parent=Panel1", "Button1.Caption",
                               "Finder1.Directory", "Finder1.Recursive",
                               "Loaded Panel1 loading", "Loaded Button1 loading", "Loaded Finder1 loading",
                               "Loaded Form1 loading fields"}));
    for (int i = 0; i < form.ComponentCount(); ++i)
        EXPECT_EQ(form.Components(i)->ComponentState() & (csLoading | csReading), 0u);
    EXPECT_EQ(form.ComponentState() & (csLoading | csReading), 0u);
}

TEST_F(TReaderTest, BindsValuesFieldsEventsAndParents)
{
    TTestForm form(nullptr);
    ReadComponent(ObjectTextToBinary(kForm), &form);
    EXPECT_EQ(form.Name(), "Form1");
    EXPECT_EQ(form.Caption, "Straße");
    EXPECT_EQ(form.Left, 5);
    ASSERT_EQ(form.ComponentCount(), 3);
    ASSERT_NE(form.Panel1, nullptr);
    ASSERT_NE(form.Button1, nullptr);
    ASSERT_NE(form.Finder1, nullptr);
    EXPECT_EQ(form.Panel1, form.FindComponent("Panel1"));
    EXPECT_EQ(form.Button1->Owner(), &form);
    EXPECT_EQ(form.Panel1->Parent, &form);
    EXPECT_EQ(form.Button1->Parent, form.Panel1);

    TTestControl& p = *form.Panel1;
    EXPECT_EQ(p.Width, 300);
    EXPECT_EQ(static_cast<unsigned>(p.Color), 0x80000008u);
    EXPECT_EQ(p.Font->Style, 3);
    EXPECT_EQ(p.Font->Name, "Mono");
    EXPECT_EQ(p.Align, alClient);
    EXPECT_FALSE(p.Visible);
    EXPECT_EQ(p.Ratio, 1.5);
    EXPECT_EQ(p.Data, "\x01\x02\xFF");
    EXPECT_EQ(p.Big, 5000000000LL);
    EXPECT_TRUE(form.Finder1->Recursive);
    EXPECT_EQ(form.Finder1->Directory, "/tmp");
    EXPECT_EQ(form.Finder1->DesignLeft(), 10);
    EXPECT_EQ(form.Finder1->DesignTop(), 8);

    ASSERT_TRUE(Assigned(form.Button1->OnClick));
    form.Button1->OnClick(form.Button1);
    form.Finder1->OnFind(form.Finder1);
    EXPECT_EQ(form.Clicks, 1);
    EXPECT_EQ(form.Finds, 1);
    EXPECT_FALSE(Assigned(p.OnClick));
}

TEST_F(TReaderTest, CreatesTheRootFromTheRegistryWhenNoneIsGiven)
{
    std::unique_ptr<TComponent> root(ReadComponent(ObjectTextToBinary(kForm), nullptr));
    auto* form = dynamic_cast<TTestForm*>(root.get());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Finder1->Directory, "/tmp");
    // An error after the root was made deletes it (the sanitizer sees a leak otherwise).
    EXPECT_THROW(ReadComponent(ObjectTextToBinary("object F: TTestForm\n  Nope = 1\nend\n"), nullptr), EReadError);
}

TEST_F(TReaderTest, ASecondFormOfTheSameNameUnderOneOwnerIsRenamed)
{
    TComponent owner(nullptr);
    auto* a = new TTestForm(&owner);
    auto* b = new TTestForm(&owner);
    ReadComponent(ObjectTextToBinary(kForm), a);
    ReadComponent(ObjectTextToBinary(kForm), b);
    EXPECT_EQ(a->Name(), "Form1");
    EXPECT_EQ(b->Name(), "Form1_1");
}

struct TReadErrorCase {
    const char* Child;     // the text of Panel1's body, or a whole object
    const char* Message;
};

class TReaderErrorTest : public TReaderTest, public testing::WithParamInterface<TReadErrorCase> {};

TEST_P(TReaderErrorTest, NamesWhatIsWrong)
{
    std::string text = std::string("object Form1: TTestForm\n  object Panel1: TTestControl\n    Width = 1\n  end\n") +
                       GetParam().Child + "\nend\n";
    TTestForm form(nullptr);
    try {
        ReadComponent(ObjectTextToBinary(text), &form);
        FAIL() << "read";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), GetParam().Message);
    }
    // What was made before the error stays owned by the root, and no field
    // was bound to it.
    EXPECT_NE(form.FindComponent("Panel1"), nullptr);
    EXPECT_EQ(form.Panel1, nullptr);
    EXPECT_EQ(form.ComponentState() & (csLoading | csReading), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, TReaderErrorTest,
    testing::Values(
        TReadErrorCase{"object X: TNoSuchClass\nend", "Class TNoSuchClass not found"},
        TReadErrorCase{"object X: TTestControl\n  Colour = 1\nend",
                       "Error reading X.Colour: property Colour does not exist in TTestControl"},
        TReadErrorCase{"object X: TTestControl\n  Font.Colour = 1\nend",
                       "Error reading X.Font.Colour: property Colour does not exist in TTestFont"},
        TReadErrorCase{"object X: TTestControl\n  Width.Size = 1\nend", "Error reading X.Width.Size: Width is not an object"},
        TReadErrorCase{"object X: TTestControl\n  Align = alBottom\nend", "Error reading X.Align: alBottom is not a value of Align"},
        TReadErrorCase{"object X: TTestControl\n  Font.Style = [fsBold, fsStrike]\nend",
                       "Error reading X.Font.Style: fsStrike is not a value of Font.Style"},
        TReadErrorCase{"object X: TTestControl\n  Color = clPink\nend", "Error reading X.Color: clPink is not a value of Color"},
        TReadErrorCase{"object X: TTestControl\n  Width = 'wide'\nend",
                       "Error reading X.Width: a value of type String does not fit this property"},
        TReadErrorCase{"object X: TTestControl\n  Visible = 1\nend",
                       "Error reading X.Visible: a value of type Int8 does not fit this property"},
        TReadErrorCase{"object X: TTestControl\n  Caption = 12\nend",
                       "Error reading X.Caption: a value of type Int8 does not fit this property"},
        TReadErrorCase{"object X: TTestControl\n  Width = 5000000000\nend", "Error reading X.Width: 5000000000 is out of range"},
        TReadErrorCase{"object X: TTestControl\n  OnClick = Nowhere\nend",
                       "Error reading X.OnClick: method Nowhere does not exist in TTestForm or does not fit the event"},
        TReadErrorCase{"object X: TTestControl\n  OnClick = WrongSignature\nend",
                       "Error reading X.OnClick: method WrongSignature does not exist in TTestForm or does not fit the event"},
        TReadErrorCase{"object X: TTestNonVisual\n  Left = 'far'\nend",
                       "Error reading X.Left: property Left does not exist in TTestNonVisual"},
        TReadErrorCase{"object Panel1: TTestControl\nend", "A component named Panel1 already exists"},
        TReadErrorCase{"inherited Y: TTestControl\nend", "inherited component Y does not exist in TTestForm"}));

TEST_F(TReaderTest, RootClassAndFieldClassesMustFit)
{
    TTestForm form(nullptr);
    try {
        ReadComponent(ObjectTextToBinary("object F: TTestNonVisual\nend\n"), &form);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "The form is for TTestNonVisual, not for TTestForm");
    }
    TTestMisfitForm misfit(nullptr);
    try {
        ReadComponent(ObjectTextToBinary("object F: TTestMisfitForm\n  object Panel1: TTestControl\n  end\nend\n"), &misfit);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Field TTestMisfitForm.Panel1 cannot hold a TTestControl");
    }
    EXPECT_EQ(misfit.Panel1, nullptr);
    EXPECT_EQ(misfit.ComponentCount(), 1);
}

TEST_F(TReaderTest, InheritedObjectsUpdateExistingComponents)
{
    TTestForm form(nullptr);
    ReadComponent(ObjectTextToBinary(kForm), &form);
    StreamLog().clear();
    ReadComponent(ObjectTextToBinary("inherited Form1: TTestForm\n  inherited Panel1: TTestControl\n    Width = 7\n  end\nend\n"),
                  &form);
    EXPECT_EQ(form.ComponentCount(), 3);
    EXPECT_EQ(form.Panel1->Width, 7);
    EXPECT_EQ(form.Panel1->Parent, &form);
}

TEST_F(TReaderTest, AHandBuiltTreeNestedTooDeepIsRefused)
{
    TFormObject form;
    form.ClassName = "TTestForm";
    TFormObject* at = &form;
    for (int i = 0; i < 70; ++i) {
        at->Children.emplace_back();
        at = &at->Children.back();
        at->ClassName = "TTestControl";
    }
    TTestForm root(nullptr);
    try {
        ReadComponentTree(form, &root);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Invalid form: objects nested deeper than 64");
    }
    EXPECT_EQ(root.ComponentCount(), 64);
}

TEST_F(TReaderTest, MalformedBinaryIsAReadError)
{
    TTestForm form(nullptr);
    EXPECT_THROW(ReadComponent("TPF0\x09TTestForm", &form), EReadError);
    EXPECT_THROW(ReadComponent("not a form", &form), EReadError);
}

}
