#include "platform/controls/TApplication.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "platform/controls/Accelerators.h"
#include "platform/controls/TCustomForm.h"
#include "platform/controls/TMessage.h"
#include "platform/controls/TTimer.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/CommandLine.h"

// Never deleted: forms owned by it may outlive everything else at exit, and
// their windows must not be torn down after the display back end is gone.
TApplication* Application = new TApplication(nullptr);

namespace {

class TSteadyClock final : public TApplicationClock {
public:
    std::int64_t Now() override
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

// The longest the idle step waits for input, so that a timer started from
// outside the loop is not late by more than this.
constexpr int MaxIdleWaitMs = 50;

// A form's deepest visible child under a client point (enabled unless
// allowDisabled), or the form itself.
TControl* DeepControlAt(TCustomForm* form, TPoint client, bool allowDisabled)
{
    TControl* found = form;
    TWinControl* container = form;
    TPoint p = client;
    while (container) {
        TControl* child = container->ControlAtPos(p, allowDisabled);
        if (!child)
            break;
        found = child;
        p = {p.X - child->Left(), p.Y - child->Top()};
        container = dynamic_cast<TWinControl*>(child);
    }
    return found;
}

std::string ProgramName()
{
    std::string name = ParamStr(0);
    const auto slash = name.rfind('/');
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

}

const TClassInfo& TApplication::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TApplication>("TApplication", TComponent::StaticClassInfo()).Build();
    return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner), FClock(std::make_unique<TSteadyClock>()) {}

TApplication::~TApplication()
{
    // The forms go first, while this object can still hear them leave.
    while (ComponentCount() > 0)
        delete Components(ComponentCount() - 1);
    FMainForm = nullptr;
}

std::int64_t TApplication::Now()
{
    return FClock->Now();
}

TPoint TApplication::CursorPos()
{
    return FCursor ? FCursor->CursorPos() : FLastCursor;
}

short TApplication::KeyState(int virtualKey) const
{
    if (virtualKey < 0 || virtualKey >= static_cast<int>(FKeys.size()))
        return 0;
    return FKeys[static_cast<std::size_t>(virtualKey)] ? static_cast<short>(0x8000) : 0;
}

void TApplication::Run()
{
    if (!FMainForm)
        return;
    try {
        FMainForm->Show();
    } catch (...) {
        HandleException(this);
    }
    while (!FTerminated)
        HandleMessage();
}

void TApplication::HandleMessage()
{
    if (!ProcessMessage())
        Idle();
}

void TApplication::ProcessMessages()
{
    while (ProcessMessage()) {
    }
    FireTimers();
    try {
        PaintInvalidatedForms();
    } catch (...) {
        HandleException(this);
    }
}

bool TApplication::ProcessMessage()
{
    TInputEvent event;
    if (!Display().NextInput(event, 0))
        return false;
    try {
        Route(event);
    } catch (...) {
        HandleException(this);
    }
    FireTimers();
    return true;
}

void TApplication::FireTimers()
{
    try {
        TTimer::FireDueTimers(Now());
    } catch (...) {
        HandleException(this);
    }
}

void TApplication::Idle()
{
    try {
        UpdateMouseControl();
    } catch (...) {
        HandleException(this);
    }
    FireTimers();
    try {
        PaintInvalidatedForms();
    } catch (...) {
        HandleException(this);
    }
    if (FTerminated)
        return;
    std::int64_t wait = TTimer::TimeToNextTimer(Now());
    if (wait < 0 || wait > MaxIdleWaitMs)
        wait = MaxIdleWaitMs;
    TInputEvent event;
    if (wait > 0 && Display().NextInput(event, static_cast<int>(wait))) {
        try {
            Route(event);
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::PaintInvalidatedForms()
{
    // By index: painting may create or destroy forms.
    for (std::size_t i = 0; i < TCustomForm::AllForms().size(); ++i)
        TCustomForm::AllForms()[i]->PaintInvalidated();
}

void TApplication::TrackKeys(const TInputEvent& event)
{
    auto set = [this](int vk, bool down) { FKeys[static_cast<std::size_t>(vk)] = down; };
    switch (event.Kind) {
    case TInputKind::MouseMove:
    case TInputKind::MouseDown:
    case TInputKind::MouseUp:
        set(VK_SHIFT, event.Shift & ssShift);
        set(VK_MENU, event.Shift & ssAlt);
        set(VK_CONTROL, event.Shift & ssCtrl);
        if (event.Kind != TInputKind::MouseMove) {
            const bool down = event.Kind == TInputKind::MouseDown;
            if (event.Button == 1)
                set(VK_LBUTTON, down);
            else if (event.Button == 2)
                set(VK_MBUTTON, down);
            else if (event.Button == 3)
                set(VK_RBUTTON, down);
        }
        break;
    case TInputKind::KeyDown:
    case TInputKind::KeyUp:
        if (event.Key < FKeys.size())
            set(static_cast<int>(event.Key), event.Kind == TInputKind::KeyDown);
        break;
    case TInputKind::FocusOut:
        // Keys released while another window has the focus never reach us.
        FKeys.fill(false);
        break;
    default:
        break;
    }
}

std::uintptr_t TApplication::MouseKeyFlags() const
{
    std::uintptr_t flags = 0;
    if (KeyState(VK_LBUTTON) < 0)
        flags |= MK_LBUTTON;
    if (KeyState(VK_RBUTTON) < 0)
        flags |= MK_RBUTTON;
    if (KeyState(VK_MBUTTON) < 0)
        flags |= MK_MBUTTON;
    if (KeyState(VK_SHIFT) < 0)
        flags |= MK_SHIFT;
    if (KeyState(VK_CONTROL) < 0)
        flags |= MK_CONTROL;
    return flags;
}

void TApplication::Route(const TInputEvent& event)
{
    TrackKeys(event);
    TCustomForm* form = TCustomForm::FindForm(event.Window);
    switch (event.Kind) {
    case TInputKind::MouseMove:
    case TInputKind::MouseDown:
    case TInputKind::MouseUp:
        if (form)
            RouteMouse(form, event);
        break;
    case TInputKind::KeyDown:
        if (!form)
            form = TCustomForm::ActiveForm();
        if (form && (event.Key == VK_RETURN || event.Key == VK_ESCAPE))
            form->Perform(CM_DIALOGKEY, event.Key, 0);
        break;
    case TInputKind::Char:
        if (!form)
            form = TCustomForm::ActiveForm();
        if (form) {
            if (const char32_t code = FirstCodePoint(event.Text))
                form->Perform(CM_DIALOGCHAR, code, 0);
        }
        break;
    case TInputKind::CloseRequest:
        if (form)
            form->Close();
        break;
    case TInputKind::Expose:
        if (form) {
            form->PaintInvalidated();
            form->Present();
        }
        break;
    case TInputKind::FocusIn:
        if (form)
            form->FocusReceived();
        break;
    case TInputKind::KeyUp:
    case TInputKind::FocusOut:
        break;
    }
}

void TApplication::RouteMouse(TCustomForm* form, const TInputEvent& event)
{
    const TPoint screen = form->ClientToScreen({event.X, event.Y});
    FLastCursor = screen;
    FCursorKnown = true;

    TControl* target = CaptureControl();
    if (!target)
        target = DeepControlAt(form, {event.X, event.Y}, false);
    const TPoint local = target->ScreenToClient(screen);

    unsigned msg = WM_MOUSEMOVE;
    if (event.Kind == TInputKind::MouseDown) {
        const bool timedDouble = FLastDownControl == target && FLastDownButton == event.Button &&
                                 Now() - FLastDownTime <= DoubleClickTime &&
                                 std::abs(screen.X - FLastDownPos.X) <= 4 && std::abs(screen.Y - FLastDownPos.Y) <= 4;
        const bool isDouble = (target->ControlStyle() & csDoubleClicks) && (event.DoubleClick || timedDouble);
        // A double click ends the sequence: the next press starts a new one.
        FLastDownControl = isDouble ? nullptr : target;
        FLastDownTime = Now();
        FLastDownPos = screen;
        FLastDownButton = event.Button;
        switch (event.Button) {
        case 2: msg = isDouble ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN; break;
        case 3: msg = isDouble ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN; break;
        default: msg = isDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN; break;
        }
    } else if (event.Kind == TInputKind::MouseUp) {
        switch (event.Button) {
        case 2: msg = WM_MBUTTONUP; break;
        case 3: msg = WM_RBUTTONUP; break;
        default: msg = WM_LBUTTONUP; break;
        }
    }
    target->Perform(msg, MouseKeyFlags(), MakeMouseLParam(local.X, local.Y));
}

TControl* TApplication::FindControlAt(TPoint screen, bool allowDisabled)
{
    // The active form lies above the others.
    auto hit = [&](TCustomForm* form) -> TControl* {
        if (!form || !form->Visible())
            return nullptr;
        const TPoint client = form->ScreenToClient(screen);
        if (!form->ClientRect().Contains(client))
            return nullptr;
        return DeepControlAt(form, client, allowDisabled);
    };
    if (TControl* c = hit(TCustomForm::ActiveForm()))
        return c;
    const auto& forms = TCustomForm::AllForms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if (TControl* c = hit(*it))
            return c;
    return nullptr;
}

void TApplication::UpdateMouseControl()
{
    if (!FCursor && !FCursorKnown)
        return;
    TControl* now = FindControlAt(CursorPos(), true);
    if (now == FMouseControl)
        return;
    TControl* old = FMouseControl;
    FMouseControl = now;
    if (old)
        old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<std::intptr_t>(old));
    // The leave handler may have destroyed the new control (which clears FMouseControl).
    if (now && FMouseControl == now)
        now->Perform(CM_MOUSEENTER, 0, reinterpret_cast<std::intptr_t>(now));
}

void TApplication::ControlDestroying(TControl* control)
{
    if (FMouseControl == control)
        FMouseControl = nullptr;
    if (FLastDownControl == control)
        FLastDownControl = nullptr;
}

void TApplication::FormDestroying(TCustomForm* form)
{
    if (FMainForm == form)
        FMainForm = nullptr;
}

void TApplication::HandleException(TObject* sender)
{
    std::exception_ptr error = std::current_exception();
    if (!error)
        return;
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        // The silent exception.
    } catch (const Exception& e) {
        if (Assigned(OnException))
            OnException(sender, e);
        else
            ShowException(e);
    } catch (const std::exception& e) {
        const Exception wrapped(e.what());
        if (Assigned(OnException))
            OnException(sender, wrapped);
        else
            ShowException(wrapped);
    } catch (...) {
        const Exception wrapped;
        if (Assigned(OnException))
            OnException(sender, wrapped);
        else
            ShowException(wrapped);
    }
}

std::string TApplication::ExceptionText(const std::string& message)
{
    std::string text = message;
    const std::size_t last = AnsiLastChar(text);
    // The first byte of the last character decides, as unsigned bytes: a
    // multi-byte character always sorts after ".".
    if (last != std::string::npos && static_cast<unsigned char>(text[last]) > static_cast<unsigned char>('.'))
        text += '.';
    return text;
}

void TApplication::ShowException(const Exception& e)
{
    Display().ErrorBox(FTitle.empty() ? ProgramName() : FTitle, ExceptionText(e.Message()));
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags)
{
    const std::string& title = caption.empty() ? (FTitle.empty() ? ProgramName() : FTitle) : caption;
    if (flags & MB_ICONSTOP) {
        Display().ErrorBox(title, text);
        return IDOK;
    }
    if ((flags & 0x0F) == MB_YESNO)
        return Display().Confirm(title, text) == IDYES ? IDYES : IDNO;
    Display().MessageBox(title, text);
    return IDOK;
}
