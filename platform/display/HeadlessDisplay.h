#pragma once
// The display back end with no window at all: batch runs without a desktop,
// and every test that does not need a real window.
//
// Windows are plain records (options, caption, visibility, drop-target flag
// and the last presented buffer), which tests read through FindWindow().
// Boxes talk to the standard streams:
//   - MessageBox prints its text as one line on the output stream;
//   - ErrorBox prints "<caption>: <text>" as one line on the error stream;
//   - Confirm prints "<question> (y/n) " on the output stream. When the input
//     stream is a terminal it reads one line and answers Yes (6) for "y" or
//     "yes" in any case, No (7) for anything else or end of input. When it is
//     not a terminal nothing can answer, so the line is ended and the answer
//     is No: a log still shows what was asked.
//   - Beep writes BEL to the error stream when that is a terminal, else nothing.
// Test hook: RUPINAKO_TEST_AUTOANSWER=yes|no in the environment answers every
// confirmation that way without reading anything (the question is still
// printed), so the program's Yes path can be tested end to end.
//
// Input: none ever arrives on its own. PushInput() queues an event (safe from
// another thread); NextInput() drains the queue and, when it is empty, waits
// up to timeoutMs for one.
//
// The streams are borrowed, never closed. Calls do not throw.

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/controls/DisplayBackEnd.h"

struct THeadlessStreams {
    std::FILE* Out = stdout;
    std::FILE* Err = stderr;
    std::FILE* In = stdin;
};

struct THeadlessWindow {
    TWindowOptions Options;        // as created; Options.Caption follows SetCaption
    bool Visible = false;
    bool AcceptsDroppedFiles = false;
    int PresentCount = 0;
    int Width = 0, Height = 0;     // of the last presented buffer
    std::vector<std::uint32_t> Pixels;  // the last presented buffer, Width × Height
};

class HeadlessDisplay : public DisplayBackEnd {
public:
    explicit HeadlessDisplay(THeadlessStreams streams = {});

    bool IsHeadless() const override { return true; }

    TWindowId CreateFormWindow(const TWindowOptions& options) override;
    void DestroyFormWindow(TWindowId window) override;
    void SetCaption(TWindowId window, const std::string& caption) override;
    void ShowFormWindow(TWindowId window, bool visible) override;
    void Present(TWindowId window, const std::uint32_t* pixels, int width, int height) override;
    void AcceptDroppedFiles(TWindowId window, bool accept) override;

    void AnswerDesktop() override {}
    bool NextInput(TInputEvent& event, int timeoutMs) override;

    void MessageBox(const std::string& caption, const std::string& text) override;
    int Confirm(const std::string& caption, const std::string& text) override;
    void ErrorBox(const std::string& caption, const std::string& text) override;
    void Beep() override;

    // For tests: the record of a live window, or null.
    const THeadlessWindow* FindWindow(TWindowId window) const;
    // For tests: queues an input event as if the desktop had sent it.
    void PushInput(const TInputEvent& event);

private:
    THeadlessWindow* Find(TWindowId window);

    THeadlessStreams FStreams;
    std::map<TWindowId, THeadlessWindow> FWindows;
    TWindowId FNextId = 1;

    std::mutex FQueueLock;
    std::condition_variable FQueueChanged;
    std::deque<TInputEvent> FQueue;
};
