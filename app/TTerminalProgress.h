#pragma once
// A one-line progress display on standard error, for runs in a terminal.
//
// Only when enabled (the program runs headless and standard error is a
// terminal) does it draw anything: the folder being searched, the pictures
// placed and the sheets written, redrawn in place on one line. Clear()
// removes the line, so that the summary or an error message starts on a
// clean line. Disabled, every call does nothing.

#include <string>

class TTerminalProgress {
public:
    explicit TTerminalProgress(bool enabled) : FEnabled(enabled) {}
    ~TTerminalProgress() { Clear(); }

    // True when standard error is a terminal.
    static bool StandardErrorIsTerminal();

    void SetFolder(const std::string& folder);
    void PicturePlaced();
    void SheetWritten();
    void Clear();

private:
    void Draw();

    bool FEnabled;
    bool FShown = false;
    std::string FFolder;
    int FPictures = 0;
    int FSheets = 0;
};
