#include "platform/classes/TWriter.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/classes/TReader.h"
#include "platform/classes/TextForm.h"
#include "platform/classes/TypeInfo.h"
#include "tests/classes/StreamTestClasses.h"

namespace {

class TWriterTest : public testing::Test {
protected:
    void SetUp() override { RegisterStreamTestClasses(); }
};

TEST_F(TWriterTest, WritesPropertiesInOrderLeavingOutDefaults)
{
    TTestForm form(nullptr);
    form.SetName("Form1");
    form.Caption = "Straße";
    auto* panel = new TTestControl(&form);
    panel->SetName("Panel1");
    panel->Parent = &form;
    panel->Left = 10;
    panel->Width = 300;
    panel->Color = static_cast<int>(0x80000008u);
    panel->Align = alClient;
    panel->Visible = false;
    panel->Ratio = 0.25;
    panel->Data = "\x01\xFF";
    panel->Big = -5000000000LL;
    panel->Font->Style = 5;
    panel->SetTag(3);
    auto* finder = new TTestNonVisual(&form);
    finder->SetName("Finder1");
    finder->Directory = "/";
    finder->SetDesignLeft(10);
    finder->SetDesignTop(8);
    finder->OnFind = TNotifyEvent(&form, &TTestForm::Finder1Find, "Finder1Find");
    auto* button = new TTestControl(&form);   // created after Finder1, but inside Panel1
    button->SetName("Button1");
    button->Parent = panel;
    button->Caption = "OK";
    button->Font->Size = 12;
    button->OnClick = TNotifyEvent(&form, &TTestForm::Button1Click, "Button1Click");

    EXPECT_EQ(WriteComponentText(&form), R"(object Form1: TTestForm
  Caption = 'Stra'#223'e'
  Left = 0
  object Panel1: TTestControl
    Tag = 3
    Left = 10
    Top = 0
    Width = 300
    Color = clWindowText
    Align = alClient
    Visible = False
    Ratio = 0.25
    Data = {
      01FF}
    Big = -5000000000
    Font.Name = 'Sans'
    Font.Style = [fsBold, fsUnderline]
    object Button1: TTestControl
      Left = 0
      Top = 0
      Width = 0
      Caption = 'OK'
      Font.Name = 'Sans'
      Font.Size = 12
      OnClick = Button1Click
    end
  end
  object Finder1: TTestNonVisual
    Directory = '/'
    OnFind = Finder1Find
    Left = 10
    Top = 8
  end
end
)");
}

TEST_F(TWriterTest, WhatIsWrittenReadsBackTheSame)
{
    const char* text = R"(object Form1: TTestForm
  Caption = 'x'
  Left = 4
  object Panel1: TTestControl
    Left = 1
    Top = 2
    Width = 3
    Color = 255
    Font.Name = 'Mono'
    object Button1: TTestControl
      Left = 0
      Top = 0
      Width = 0
      Font.Name = 'Sans'
      OnClick = Button1Click
    end
  end
  object Finder1: TTestNonVisual
    Recursive = True
    Left = 0
    Top = 0
  end
end
)";
    TTestForm form(nullptr);
    ReadComponent(ObjectTextToBinary(text), &form);
    EXPECT_EQ(WriteComponentText(&form), text);
    std::string binary = WriteComponent(&form);
    TTestForm again(nullptr);
    ReadComponent(binary, &again);
    EXPECT_EQ(WriteComponent(&again), binary);
    EXPECT_EQ(again.Panel1->Color, 255);
}

// A property can be left out while another decides it (IsStored).
class TStoredTest : public TComponent {
    RUPINAKO_CLASS(TStoredTest)
public:
    explicit TStoredTest(TComponent* owner) : TComponent(owner) {}
    bool Custom = false;
    int Size = 0;
};

TEST_F(TWriterTest, StoredPredicateLeavesAPropertyOut)
{
    TStoredTest c(nullptr);
    c.Size = 5;
    EXPECT_EQ(WriteComponentText(&c), "object TStoredTest\n  Custom = False\nend\n");
    c.Custom = true;
    EXPECT_EQ(WriteComponentText(&c), "object TStoredTest\n  Custom = True\n  Size = 5\nend\n");
}

TEST_F(TWriterTest, AnEnumerationValueWithoutANameIsAnError)
{
    TTestForm form(nullptr);
    auto* panel = new TTestControl(&form);
    panel->Align = 7;
    EXPECT_THROW(WriteComponent(&form), EWriteError);
}

}

const TClassInfo& TStoredTest::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TStoredTest>("TStoredTest", TComponent::StaticClassInfo())
                                       .Bool("Custom", &TStoredTest::Custom, &TStoredTest::Custom)
                                       .Int("Size", &TStoredTest::Size, &TStoredTest::Size)
                                       .Stored([](TStoredTest& c) { return c.Custom; })
                                       .Build();
    return info;
}
