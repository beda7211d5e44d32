#include "platform/display/HeadlessDisplay.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int IdYes = 6;
constexpr int IdNo = 7;

bool IsTerminal(std::FILE* stream)
{
    return stream && isatty(fileno(stream)) == 1;
}

void WriteLine(std::FILE* stream, const std::string& text)
{
    if (!stream)
        return;
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

std::string Trimmed(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

bool MeansYes(std::string answer)
{
    answer = Trimmed(answer);
    for (char& c : answer)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return answer == "y" || answer == "yes";
}

// Reads one line of any length; false at end of input with nothing read.
bool ReadLine(std::FILE* stream, std::string& line)
{
    line.clear();
    int c;
    while ((c = std::fgetc(stream)) != EOF) {
        if (c == '\n')
            return true;
        line.push_back(char(c));
    }
    return !line.empty();
}

}  // namespace

HeadlessDisplay::HeadlessDisplay(THeadlessStreams streams) : FStreams(streams) {}

TWindowId HeadlessDisplay::CreateFormWindow(const TWindowOptions& options)
{
    TWindowId id = FNextId++;
    FWindows[id].Options = options;
    return id;
}

void HeadlessDisplay::DestroyFormWindow(TWindowId window)
{
    FWindows.erase(window);
}

THeadlessWindow* HeadlessDisplay::Find(TWindowId window)
{
    auto it = FWindows.find(window);
    return it == FWindows.end() ? nullptr : &it->second;
}

const THeadlessWindow* HeadlessDisplay::FindWindow(TWindowId window) const
{
    auto it = FWindows.find(window);
    return it == FWindows.end() ? nullptr : &it->second;
}

void HeadlessDisplay::SetCaption(TWindowId window, const std::string& caption)
{
    if (THeadlessWindow* w = Find(window))
        w->Options.Caption = caption;
}

void HeadlessDisplay::ShowFormWindow(TWindowId window, bool visible)
{
    if (THeadlessWindow* w = Find(window))
        w->Visible = visible;
}

void HeadlessDisplay::Present(TWindowId window, const std::uint32_t* pixels, int width, int height)
{
    THeadlessWindow* w = Find(window);
    if (!w)
        return;
    if (!pixels || width <= 0 || height <= 0) {
        width = height = 0;
        pixels = nullptr;
    }
    w->Width = width;
    w->Height = height;
    w->Pixels.assign(pixels, pixels + size_t(width) * size_t(height));
    ++w->PresentCount;
}

void HeadlessDisplay::AcceptDroppedFiles(TWindowId window, bool accept)
{
    if (THeadlessWindow* w = Find(window))
        w->AcceptsDroppedFiles = accept;
}

void HeadlessDisplay::PushInput(const TInputEvent& event)
{
    {
        std::lock_guard<std::mutex> lock(FQueueLock);
        FQueue.push_back(event);
    }
    FQueueChanged.notify_one();
}

bool HeadlessDisplay::NextInput(TInputEvent& event, int timeoutMs)
{
    std::unique_lock<std::mutex> lock(FQueueLock);
    if (FQueue.empty() && timeoutMs > 0)
        FQueueChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !FQueue.empty(); });
    if (FQueue.empty())
        return false;
    event = std::move(FQueue.front());
    FQueue.pop_front();
    return true;
}

void HeadlessDisplay::MessageBox(const std::string&, const std::string& text)
{
    WriteLine(FStreams.Out, text);
}

void HeadlessDisplay::ErrorBox(const std::string& caption, const std::string& text)
{
    WriteLine(FStreams.Err, caption + ": " + text);
}

int HeadlessDisplay::Confirm(const std::string&, const std::string& text)
{
    std::string prompt = text + " (y/n) ";
    const char* autoAnswer = std::getenv("RUPINAKO_TEST_AUTOANSWER");
    if (autoAnswer && *autoAnswer) {
        WriteLine(FStreams.Out, prompt);
        return MeansYes(autoAnswer) ? IdYes : IdNo;
    }
    if (!IsTerminal(FStreams.In)) {
        WriteLine(FStreams.Out, prompt);
        return IdNo;
    }
    if (FStreams.Out) {
        std::fputs(prompt.c_str(), FStreams.Out);
        std::fflush(FStreams.Out);
    }
    std::string line;
    if (!ReadLine(FStreams.In, line)) {
        // End of input (Ctrl+D): end the prompt's line so the next output starts clean.
        WriteLine(FStreams.Out, "");
        return IdNo;
    }
    return MeansYes(line) ? IdYes : IdNo;
}

void HeadlessDisplay::Beep()
{
    if (IsTerminal(FStreams.Err)) {
        std::fputc('\a', FStreams.Err);
        std::fflush(FStreams.Err);
    }
}
