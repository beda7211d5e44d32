#include "app/MainWindow1.h"

#include <memory>

#include "app/SheetNames.h"
#include "app/TTerminalProgress.h"
#include "components/search/SearchFile.h"
#include "platform/classes/TypeInfo.h"
#include "platform/controls/ControlClasses.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/SystemCalls.h"
#include "platform/controls/TApplication.h"
#include "platform/controls/TButton.h"
#include "platform/controls/TImage.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TCanvas.h"
#include "platform/graphics/TJPEGImage.h"
#include "platform/graphics/TPicture.h"
#include "platform/os/ScopedFind.h"
#include "platform/os/ShellExecute.h"
#include "platform/rtl/CommandLine.h"

TMainForm1* MainForm1 = nullptr;

namespace {

constexpr int TileCount = 36;
constexpr int SheetSize = 600;
constexpr int SheetQuality = 80;
const char* const PicturePatterns[] = {"*.bmp", "*.jpg", "*.jpeg"};

const char* const HowToUse = "アイコン（実行ファイル）上にフォルダをドロップしてください。";
const char* const AskInformation = "インフォメーションを参照しますか？";
const char* const NoPictures = "フォルダの中に画像ファイルは存在しませんでした。";

std::string SheetsWritten(int sheets)
{
    return "計 " + std::to_string(sheets) + " 枚のファイルが作成されました。保存したフォルダを開きます。";
}

std::string SheetCaption(int sheet)
{
    return "ルピナコ１：１ - " + std::to_string(sheet) + " 枚目を処理中です...";
}

}

#define MAIN_FORM_FIELD(name) .Field(#name, &TMainForm1::name)

const TClassInfo& TMainForm1::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TMainForm1>("TMainForm1", TForm::StaticClassInfo())
            MAIN_FORM_FIELD(Image1) MAIN_FORM_FIELD(Image2) MAIN_FORM_FIELD(Image3) MAIN_FORM_FIELD(Image4)
            MAIN_FORM_FIELD(Image5) MAIN_FORM_FIELD(Image6) MAIN_FORM_FIELD(Image7) MAIN_FORM_FIELD(Image8)
            MAIN_FORM_FIELD(Image9) MAIN_FORM_FIELD(Image0) MAIN_FORM_FIELD(Image14) MAIN_FORM_FIELD(Image15)
            MAIN_FORM_FIELD(Image11) MAIN_FORM_FIELD(Image12) MAIN_FORM_FIELD(Image13) MAIN_FORM_FIELD(Image16)
            MAIN_FORM_FIELD(Image17) MAIN_FORM_FIELD(Image18) MAIN_FORM_FIELD(Image19) MAIN_FORM_FIELD(Image20)
            MAIN_FORM_FIELD(Image21) MAIN_FORM_FIELD(Image22) MAIN_FORM_FIELD(Image23) MAIN_FORM_FIELD(Image24)
            MAIN_FORM_FIELD(Image25) MAIN_FORM_FIELD(Image26) MAIN_FORM_FIELD(Image27) MAIN_FORM_FIELD(Image28)
            MAIN_FORM_FIELD(Image29) MAIN_FORM_FIELD(Image30) MAIN_FORM_FIELD(Image31) MAIN_FORM_FIELD(Image32)
            MAIN_FORM_FIELD(Image33) MAIN_FORM_FIELD(Image34) MAIN_FORM_FIELD(Image35) MAIN_FORM_FIELD(Image36)
            MAIN_FORM_FIELD(Image10) MAIN_FORM_FIELD(SearchFile1) MAIN_FORM_FIELD(Button1)
            .Method("FormActivate", &TMainForm1::FormActivate)
            .Method("SearchFile1Find", &TMainForm1::SearchFile1Find)
            .Method("Button1Click", &TMainForm1::Button1Click)
            .Build();
    return info;
}

#undef MAIN_FORM_FIELD

void RegisterMainWindowClasses()
{
    RegisterControlClasses();
    RegisterClass(TSearchFile::StaticClassInfo());
    RegisterClass(TSearchDir::StaticClassInfo());
    RegisterClass(TMainForm1::StaticClassInfo());
}

TMainForm1::TMainForm1(TComponent* owner) : TForm(owner)
{
    InitInheritedComponent();
    DragAcceptFiles(Handle(), true);
    FoundCount = 0;
    for (int k = 1; k <= TileCount; ++k)
        Tiles[k] = dynamic_cast<TImage*>(FindComponent("Image" + std::to_string(k)));
}

TMainForm1::~TMainForm1() = default;

void TMainForm1::SetProgress(TTerminalProgress* progress)
{
    FProgress = progress ? progress : &FNoProgress;
}

void TMainForm1::FormActivate(TObject* Sender)
{
    if (ParamCount() == 0) {
        MessageBeep(0);
        ShowMessage(HowToUse);
        if (MessageDlg(AskInformation, mtConfirmation, {mbYes, mbNo}, 0) == mrYes)
            ShellExecuteA(Handle(), "OPEN", InformationAddress(ParamStr(0)), "", "", SW_SHOW);
        Close();
        return;
    }

    for (int i = 1; i <= ParamCount(); ++i)
        SearchDirectory(DirectoryArgument(ParamStr(i)));

    if (FoundCount < 1) {
        FProgress->Clear();
        MessageBeep(0);
        ShowMessage(NoPictures);
    } else {
        Button1Click(Sender);
        FProgress->Clear();
        MessageBeep(0);
        ShowMessage(SheetsWritten(Image0->Tag()));
        ShellExecuteA(Handle(), "OPEN", OutputFolder(SearchFile1->Directory()), "", "", SW_SHOW);
    }
    Close();
}

// Searches one argument's tree for the three picture patterns, when it names
// a directory; anything else (nothing found, a file) is passed over.
void TMainForm1::SearchDirectory(const std::string& path)
{
    if (path.empty())
        return;
    WIN32_FIND_DATAA data{};
    ScopedFind find;
    if (!find.First(path, data) || !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    SearchFile1->SetDirectory(path);
    FProgress->SetFolder(path);
    for (const char* pattern : PicturePatterns) {
        SearchFile1->SetSearchName(pattern);
        SearchFile1->Search();
    }
}

void TMainForm1::SearchFile1Find(TObject* Sender, std::string Name, const TSearchFileData&, bool&)
{
    int tile = SearchFile1->Tag();
    if (tile <= TileCount) {
        Tiles[tile]->Picture()->LoadFromFile(Name);
        Tiles[tile]->Repaint();
        SearchFile1->SetTag(tile + 1);
        ++FoundCount;
    } else {
        // The sheet is full: save it, clear the grid and start the next one.
        Button1Click(Sender);
        for (int k = 1; k <= TileCount; ++k)
            Tiles[k]->Picture()->SetGraphic(nullptr);
        Repaint();
        Tiles[1]->Picture()->LoadFromFile(Name);
        SearchFile1->SetTag(2);
        Image0->SetTag(Image0->Tag() + 1);
        MessageBeep(0);
        SetCaption(SheetCaption(Image0->Tag()));
    }
    FProgress->PicturePlaced();
}

void TMainForm1::Button1Click(TObject*)
{
    Repaint();
    auto jpeg = std::make_unique<TJPEGImage>();
    auto bitmap = std::make_unique<TBitmap>();
    const TRect area{0, 0, SheetSize, SheetSize};
    Image0->Canvas()->CopyRect(area, Canvas(), area);
    bitmap->Assign(Image0->Picture()->Bitmap());
    jpeg->Assign(bitmap.get());
    jpeg->SetCompressionQuality(SheetQuality);
    jpeg->SaveToFile(SheetFileName(SearchFile1->Directory(), Image0->Tag()));
    jpeg.reset();
    bitmap.reset();
    FProgress->SheetWritten();
}
