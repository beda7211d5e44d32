#include "platform/controls/DisplayBackEnd.h"

#include <chrono>
#include <thread>

namespace {

// Stands in until a real back end is installed: windows are numbers, nothing
// is shown, no input ever arrives and the question is answered No.
class TSilentBackEnd final : public DisplayBackEnd {
public:
    bool IsHeadless() const override { return true; }
    TWindowId CreateFormWindow(const TWindowOptions&) override { return ++FLastWindow; }
    void DestroyFormWindow(TWindowId) override {}
    void SetCaption(TWindowId, const std::string&) override {}
    void ShowFormWindow(TWindowId, bool) override {}
    void Present(TWindowId, const std::uint32_t*, int, int) override {}
    void AcceptDroppedFiles(TWindowId, bool) override {}
    void AnswerDesktop() override {}
    bool NextInput(TInputEvent&, int timeoutMs) override
    {
        // Waiting like a real back end keeps an idle loop from spinning.
        if (timeoutMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
        return false;
    }
    void MessageBox(const std::string&, const std::string&) override {}
    int Confirm(const std::string&, const std::string&) override { return 7; }
    void ErrorBox(const std::string&, const std::string&) override {}
    void Beep() override {}

private:
    TWindowId FLastWindow = 0;
};

std::unique_ptr<DisplayBackEnd>& Installed()
{
    static std::unique_ptr<DisplayBackEnd> backEnd = std::make_unique<TSilentBackEnd>();
    return backEnd;
}

}

DisplayBackEnd& Display()
{
    return *Installed();
}

void SetDisplayBackEnd(std::unique_ptr<DisplayBackEnd> backEnd)
{
    Installed() = backEnd ? std::move(backEnd) : std::make_unique<TSilentBackEnd>();
}
