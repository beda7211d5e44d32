#pragma once
// The main window: 36 picture tiles in a 6 × 6 grid, the hidden capture
// surface Image0, the hidden save button and the file finder.
//
// The window is read from its form resource "TMAINFORM1" by the constructor
// and owns every component in it. Its whole job happens in FormActivate, the
// handler of its first activation: it searches every directory argument for
// "*.bmp", "*.jpg" and "*.jpeg", fills the tiles in tile order through
// SearchFile1Find, saves each full sheet through Button1Click, saves the
// last sheet, reports the number of sheets, opens their folder and closes
// the window, which ends the program.
//
// State of a run: the sheet number is Image0's Tag, the next tile number
// SearchFile1's Tag, and FoundCount counts the pictures placed. Nothing
// resets them during a run.
//
// Failure: loading a picture or writing a sheet raises (EFOpenError,
// EInvalidGraphic, EJPEG, EFCreateError); the exception leaves the handlers
// and FormActivate untouched, and the application's message handling shows
// it. The window then stays as it was.

#include <array>
#include <string>

#include "app/TTerminalProgress.h"
#include "platform/controls/TForm.h"

class TButton;
class TImage;
class TSearchFile;
struct TSearchFileData;

class TMainForm1 : public TForm {
    RUPINAKO_CLASS(TMainForm1)
public:
    // Published components, bound by name from the form resource.
    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TImage* Image3 = nullptr;
    TImage* Image4 = nullptr;
    TImage* Image5 = nullptr;
    TImage* Image6 = nullptr;
    TImage* Image7 = nullptr;
    TImage* Image8 = nullptr;
    TImage* Image9 = nullptr;
    TImage* Image0 = nullptr;
    TImage* Image14 = nullptr;
    TImage* Image15 = nullptr;
    TImage* Image11 = nullptr;
    TImage* Image12 = nullptr;
    TImage* Image13 = nullptr;
    TImage* Image16 = nullptr;
    TImage* Image17 = nullptr;
    TImage* Image18 = nullptr;
    TImage* Image19 = nullptr;
    TImage* Image20 = nullptr;
    TImage* Image21 = nullptr;
    TImage* Image22 = nullptr;
    TImage* Image23 = nullptr;
    TImage* Image24 = nullptr;
    TImage* Image25 = nullptr;
    TImage* Image26 = nullptr;
    TImage* Image27 = nullptr;
    TImage* Image28 = nullptr;
    TImage* Image29 = nullptr;
    TImage* Image30 = nullptr;
    TImage* Image31 = nullptr;
    TImage* Image32 = nullptr;
    TImage* Image33 = nullptr;
    TImage* Image34 = nullptr;
    TImage* Image35 = nullptr;
    TImage* Image36 = nullptr;
    TImage* Image10 = nullptr;
    TSearchFile* SearchFile1 = nullptr;
    TButton* Button1 = nullptr;

    // Pictures placed by ordinary placements; only tested for being at least 1.
    int FoundCount = 0;
    // Tiles[k] is the image whose name ends in k (1 … 36); Tiles[0] is unused.
    std::array<TImage*, 37> Tiles{};

    explicit TMainForm1(TComponent* owner);
    ~TMainForm1() override;

    // Published handlers.
    void FormActivate(TObject* Sender);
    void SearchFile1Find(TObject* Sender, std::string Name, const TSearchFileData& Data, bool& Continue);
    void Button1Click(TObject* Sender);

    // The one-line progress display of a headless run in a terminal; null
    // (the default) shows none. The form does not own it.
    void SetProgress(TTerminalProgress* progress);

private:
    void SearchDirectory(const std::string& path);

    TTerminalProgress FNoProgress{false};
    TTerminalProgress* FProgress = &FNoProgress;
};

extern TMainForm1* MainForm1;

// Registers the classes the main window's form resource names.
void RegisterMainWindowClasses();
