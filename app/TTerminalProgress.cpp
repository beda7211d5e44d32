#include "app/TTerminalProgress.h"

#include <cstdio>
#include <unistd.h>

bool TTerminalProgress::StandardErrorIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}

void TTerminalProgress::SetFolder(const std::string& folder)
{
    FFolder = folder;
    Draw();
}

void TTerminalProgress::PicturePlaced()
{
    ++FPictures;
    Draw();
}

void TTerminalProgress::SheetWritten()
{
    ++FSheets;
    Draw();
}

void TTerminalProgress::Draw()
{
    if (!FEnabled)
        return;
    // Carriage return and erase-to-end-of-line redraw the same line.
    std::fprintf(stderr, "\r\033[K%s: %d 枚の画像, %d 枚のシート", FFolder.c_str(), FPictures, FSheets);
    std::fflush(stderr);
    FShown = true;
}

void TTerminalProgress::Clear()
{
    if (!FEnabled || !FShown)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    FShown = false;
}
