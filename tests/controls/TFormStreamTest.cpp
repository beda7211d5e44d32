// A form class that reads its resource, with every property the program's
// main window sets.

#include <gtest/gtest.h>

#include <string>

#include "platform/classes/Resources.h"
#include "platform/classes/TextForm.h"
#include "platform/classes/TypeInfo.h"
#include "platform/controls/SystemCalls.h"
#include "platform/controls/TButton.h"
#include "platform/controls/TControlScrollBar.h"
#include "platform/controls/TForm.h"
#include "platform/controls/TImage.h"
#include "platform/graphics/TFont.h"
#include "tests/controls/FakeDisplay.h"

namespace {

const char* const kFormText = R"(object TestForm1: TTestForm1
  Left = 107
  Top = 46
  HorzScrollBar.Visible = False
  VertScrollBar.Visible = False
  BorderStyle = bsToolWindow
  Caption = 'ルピナコ１：１ - 処理中はパソコンに触らないでネ！'
  ClientWidth = 600
  ClientHeight = 600
  Color = clWhite
  Font.Charset = SHIFTJIS_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = 'ＭＳ Ｐゴシック'
  Font.Style = []
  FormStyle = fsStayOnTop
  OldCreateOrder = False
  Position = poDesktopCenter
  OnActivate = FormActivate
  PixelsPerInch = 96
  TextHeight = 12
  object Image1: TImage
    Left = 100
    Top = 0
    Width = 100
    Height = 100
    Stretch = True
  end
  object Image0: TImage
    Tag = 1
    Left = 540
    Top = 0
    Width = 600
    Height = 600
    Visible = False
  end
  object Button1: TButton
    Left = 16
    Top = 92
    Width = 75
    Height = 25
    Caption = 'save'
    TabOrder = 0
    Visible = False
    OnClick = Button1Click
  end
end
)";

class TTestForm1 : public TForm {
    RUPINAKO_CLASS(TTestForm1)
public:
    explicit TTestForm1(TComponent* owner) : TForm(owner)
    {
        InitInheritedComponent();
        DragAcceptFiles(Handle(), true);
    }
    TImage* Image1 = nullptr;
    TImage* Image0 = nullptr;
    TButton* Button1 = nullptr;
    int Activations = 0;
    int Saves = 0;
    void FormActivate(TObject*) { ++Activations; }
    void Button1Click(TObject*) { ++Saves; }
};

}

const TClassInfo& TTestForm1::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTestForm1>("TTestForm1", TForm::StaticClassInfo())
                                       .Field("Image1", &TTestForm1::Image1)
                                       .Field("Image0", &TTestForm1::Image0)
                                       .Field("Button1", &TTestForm1::Button1)
                                       .Method("FormActivate", &TTestForm1::FormActivate)
                                       .Method("Button1Click", &TTestForm1::Button1Click)
                                       .Build();
    return info;
}

namespace {

void RegisterTestForm()
{
    static const std::string binary = ObjectTextToBinary(kFormText);
    RegisterResource(RT_RCDATA, "TTESTFORM1", binary);
}

TEST(FormResource, SetsEveryPropertyOfTheWindowAndItsControls)
{
    ControlsTestScope scope;
    RegisterTestForm();
    TTestForm1* form = nullptr;
    Application->CreateForm(form);
    ASSERT_NE(form, nullptr);

    EXPECT_EQ(form->Name(), "TestForm1");
    EXPECT_EQ(form->Caption(), "ルピナコ１：１ - 処理中はパソコンに触らないでネ！");
    EXPECT_EQ(form->Left(), 107);
    EXPECT_EQ(form->Top(), 46);
    EXPECT_EQ(form->ClientRect(), Rect(0, 0, 600, 600));
    EXPECT_EQ(form->BorderStyle(), bsToolWindow);
    EXPECT_EQ(form->FormStyle(), fsStayOnTop);
    EXPECT_EQ(form->Position(), poDesktopCenter);
    EXPECT_EQ(form->Color(), clWhite);
    EXPECT_FALSE(form->HorzScrollBar()->Visible());
    EXPECT_FALSE(form->VertScrollBar()->Visible());
    EXPECT_FALSE(form->OldCreateOrder());
    EXPECT_EQ(form->PixelsPerInch(), 96);
    EXPECT_EQ(form->TextHeight(), 12);
    EXPECT_EQ(form->Font()->Charset(), SHIFTJIS_CHARSET);
    EXPECT_EQ(form->Font()->Color(), clWindowText);
    EXPECT_EQ(form->Font()->Height(), -12);
    EXPECT_EQ(form->Font()->Size(), 9);
    EXPECT_EQ(form->Font()->Name(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(form->Font()->Style(), 0u);

    ASSERT_NE(form->Image1, nullptr);
    ASSERT_NE(form->Image0, nullptr);
    ASSERT_NE(form->Button1, nullptr);
    EXPECT_EQ(form->Image1->Parent(), form);
    EXPECT_EQ(form->Image1->BoundsRect(), Rect(100, 0, 200, 100));
    EXPECT_TRUE(form->Image1->Stretch());
    EXPECT_EQ(form->Image0->Tag(), 1);
    EXPECT_FALSE(form->Image0->Visible());
    EXPECT_FALSE(form->Image0->Stretch());
    EXPECT_EQ(form->Button1->Parent(), form);
    EXPECT_EQ(form->Button1->Caption(), "save");
    EXPECT_EQ(form->Button1->TabOrder(), 0);
    EXPECT_FALSE(form->Button1->Visible());
    EXPECT_EQ(form->Button1->BoundsRect(), Rect(16, 92, 91, 117));
    form->Button1->Click();
    EXPECT_EQ(form->Saves, 1);

    // The window: made for the drop-target registration, shown by Run.
    ASSERT_EQ(scope.Fake->Created.size(), 1u);
    const TWindowOptions& w = scope.Fake->Created[0];
    EXPECT_EQ(w.Caption, form->Caption());
    EXPECT_EQ(w.ClientWidth, 600);
    EXPECT_EQ(w.ClientHeight, 600);
    EXPECT_TRUE(w.StayOnTop);
    EXPECT_TRUE(w.ToolWindow);
    EXPECT_TRUE(w.FixedSize);
    EXPECT_TRUE(w.Centred);
    ASSERT_EQ(scope.Fake->DropTargets.size(), 1u);
    EXPECT_EQ(scope.Fake->DropTargets[0], std::make_pair(form->Handle(), true));

    scope.Fake->CloseWhenIdle = true;
    Application->Run();
    EXPECT_EQ(form->Activations, 1);
    form->SetCaption("ルピナコ１：１ - 2 枚目を処理中です...");
    ASSERT_FALSE(scope.Fake->Captions.empty());
    EXPECT_EQ(scope.Fake->Captions.back(), "ルピナコ１：１ - 2 枚目を処理中です...");
    // An empty white form: the hidden controls draw nothing.
    ASSERT_EQ(scope.Fake->Presented.size(), 600u * 600u);
    for (std::uint32_t word : scope.Fake->Presented)
        ASSERT_EQ(word, 0x00FFFFFFu);
}

TEST(FormResource, AFormWithoutItsResourceFailsToConstruct)
{
    ControlsTestScope scope;
    struct TNoResourceForm : TForm {
        explicit TNoResourceForm(TComponent* owner) : TForm(owner) { InitInheritedComponent(); }
    };
    TNoResourceForm* form = nullptr;
    // ClassName is still TForm's here, and no resource "TFORM" exists.
    EXPECT_THROW(Application->CreateForm(form), EResNotFound);
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(Application->MainForm(), nullptr);
}

}
