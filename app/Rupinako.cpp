// The entry function: sets up the application object, creates the main
// window from its form resource and runs the message loop, whose first
// activation of the window carries out the whole batch run.
//
// Exit status: 0 when the run ended normally (also after "no pictures" or
// the usage text), 1 when an exception ended start-up or the batch run.

#include <cstdio>
#include <cstring>

#include "app/MainWindow1.h"
#include "app/TTerminalProgress.h"
#include "platform/controls/TApplication.h"
#include "platform/display/DisplayFactory.h"
#include "platform/rtl/CommandLine.h"
#include "platform/rtl/Exception.h"

namespace {

const char* const ApplicationTitle = "ルピナコ１：１";

const char* const UsageText =
    "Usage: rupinako [FOLDER...]\n"
    "Makes 6 x 6 contact sheets of the BMP and JPEG pictures in each FOLDER and\n"
    "its sub-folders, and saves them as JPEG files beside the folder, named\n"
    "\"１：１ルピナ ～ FOLDER_N.jpg\". Without a display, or with\n"
    "RUPINAKO_HEADLESS=1, it runs without a window.\n"
    "\n"
    "  --help     show this text and exit\n"
    "  --version  show the version and exit\n";

// --help and --version count only as the one and only argument.
bool AnswerInformationRequest(int argc, char** argv)
{
    if (argc != 2)
        return false;
    if (std::strcmp(argv[1], "--help") == 0) {
        std::fputs(UsageText, stdout);
        return true;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("rupinako %s\n", RUPINAKO_VERSION);
        return true;
    }
    return false;
}

}

int main(int argc, char** argv)
{
    SetCommandLine(argc, argv);
    if (AnswerInformationRequest(argc, argv))
        return 0;

    SetDisplayBackEnd(CreateDisplayBackEnd());
    RegisterMainWindowClasses();
    TTerminalProgress progress(Display().IsHeadless() && TTerminalProgress::StandardErrorIsTerminal());

    // An exception that ends the batch run is shown by the application's
    // standard display. A window stays open until the user closes it; a
    // headless run has nobody to close it, so it ends there.
    bool failed = false;
    Application->OnException = TExceptionEvent::FromFunction([&](TObject*, const Exception& e) {
        progress.Clear();
        failed = true;
        Application->ShowException(e);
        if (Display().IsHeadless())
            Application->Terminate();
    });

    try {
        Application->Initialize();
        Application->SetTitle(ApplicationTitle);
        Application->CreateForm<TMainForm1>(MainForm1);
        MainForm1->SetProgress(&progress);
        Application->Run();
    } catch (const Exception& e) {
        progress.Clear();
        Application->ShowException(e);
        failed = true;
    } catch (...) {
        Application->ShowException(Exception());
        failed = true;
    }
    return failed ? 1 : 0;
}
