#include "platform/controls/TCustomForm.h"

#include <algorithm>

#include "platform/classes/TReader.h"
#include "platform/controls/ControlClasses.h"
#include "platform/controls/TApplication.h"
#include "platform/controls/TControlScrollBar.h"
#include "platform/graphics/TCanvas.h"

namespace {

std::vector<TCustomForm*>& FormList()
{
    static std::vector<TCustomForm*> forms;
    return forms;
}

TCustomForm* gActiveForm = nullptr;

struct TFrame {
    int Border;
    int Caption;
};

// Nominal window frames: they place the client area on the screen and give
// Width and Height; the client size itself is exact.
TFrame FrameOf(TFormBorderStyle style)
{
    switch (style) {
    case bsNone: return {0, 0};
    case bsSingle:
    case bsDialog: return {3, 19};
    case bsSizeable: return {4, 19};
    case bsToolWindow: return {3, 16};
    case bsSizeToolWin: return {4, 16};
    }
    return {0, 0};
}

TRect UnionRects(const TRect& a, const TRect& b)
{
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

}

const TIdentTable& BorderStyleIdents()
{
    static const TIdentTable idents = {{bsNone, "bsNone"},       {bsSingle, "bsSingle"},
                                       {bsSizeable, "bsSizeable"}, {bsDialog, "bsDialog"},
                                       {bsToolWindow, "bsToolWindow"}, {bsSizeToolWin, "bsSizeToolWin"}};
    return idents;
}

const TIdentTable& FormStyleIdents()
{
    static const TIdentTable idents = {
        {fsNormal, "fsNormal"}, {fsMDIChild, "fsMDIChild"}, {fsMDIForm, "fsMDIForm"}, {fsStayOnTop, "fsStayOnTop"}};
    return idents;
}

const TIdentTable& PositionIdents()
{
    static const TIdentTable idents = {{poDesigned, "poDesigned"},
                                       {poDefault, "poDefault"},
                                       {poDefaultPosOnly, "poDefaultPosOnly"},
                                       {poDefaultSizeOnly, "poDefaultSizeOnly"},
                                       {poScreenCenter, "poScreenCenter"},
                                       {poDesktopCenter, "poDesktopCenter"},
                                       {poMainFormCenter, "poMainFormCenter"},
                                       {poOwnerFormCenter, "poOwnerFormCenter"}};
    return idents;
}

const TClassInfo& TCustomForm::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomForm>("TCustomForm", TWinControl::StaticClassInfo()).Build();
    return info;
}

const TMessageMap& TCustomForm::StaticMessageMap()
{
    static const TMessageMap map = TMessageMapBuilder<TCustomForm>(TWinControl::StaticMessageMap())
                                       .On(CM_TEXTCHANGED, &TCustomForm::CMTextChanged)
                                       .Build();
    return map;
}

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner), FHorzScrollBar(std::make_unique<TControlScrollBar>()),
      FVertScrollBar(std::make_unique<TControlScrollBar>()), FCanvas(std::make_unique<TCanvas>())
{
    FormList().push_back(this);
    // Hidden until shown; the visibility flag is set directly so that no
    // window is made for a form nobody shows.
    TControl::SetVisible(false);
    SetBounds(0, 0, 320, 240);
}

TCustomForm::~TCustomForm()
{
    MarkDestroying();
    if (gActiveForm == this)
        gActiveForm = nullptr;
    auto& forms = FormList();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (Application)
        Application->FormDestroying(this);
    if (FHandle)
        Display().DestroyFormWindow(FHandle);
    FHandle = 0;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    const TRect client = ClientRect();
    FBorderStyle = value;
    const TSize frame = FrameSize();
    SetBounds(Left(), Top(), client.Width() + frame.cx, client.Height() + frame.cy);
}

TSize TCustomForm::FrameSize() const
{
    const TFrame f = FrameOf(FBorderStyle);
    return {2 * f.Border, 2 * f.Border + f.Caption};
}

TRect TCustomForm::ClientRect() const
{
    const TSize frame = FrameSize();
    return {0, 0, std::max(Width() - frame.cx, 0), std::max(Height() - frame.cy, 0)};
}

void TCustomForm::SetClientWidth(int value)
{
    SetBounds(Left(), Top(), std::max(value, 0) + FrameSize().cx, Height());
}

void TCustomForm::SetClientHeight(int value)
{
    SetBounds(Left(), Top(), Width(), std::max(value, 0) + FrameSize().cy);
}

void TCustomForm::SetBounds(int left, int top, int width, int height)
{
    TWinControl::SetBounds(left, top, width, height);
    ResizeBuffer();
}

TPoint TCustomForm::ClientOrigin() const
{
    const TFrame f = FrameOf(FBorderStyle);
    return {Left() + f.Border, Top() + f.Border + f.Caption};
}

void TCustomForm::ResizeBuffer()
{
    const TRect client = ClientRect();
    if (client.Width() == FBufferWidth && client.Height() == FBufferHeight)
        return;
    FBufferWidth = client.Width();
    FBufferHeight = client.Height();
    FPixels.assign(static_cast<std::size_t>(FBufferWidth) * static_cast<std::size_t>(FBufferHeight),
                   ColorToPixelWord(Color()));
    FInvalid = client;
    // FIXME: a window that already exists keeps its first client size; the
    // back-end interface has no resize, and the program's form never resizes.
}

void TCustomForm::SetVisible(bool value)
{
    if (value == Visible())
        return;
    TControl::SetVisible(value);
    if (value) {
        Display().ShowFormWindow(Handle(), true);
        PaintAreaNow(ClientRect());
        FocusReceived();
    } else {
        if (FHandle)
            Display().ShowFormWindow(FHandle, false);
        if (gActiveForm == this) {
            gActiveForm = nullptr;
            FActive = false;
            Deactivate();
        }
    }
}

void TCustomForm::Show()
{
    SetVisible(true);
    FocusReceived();
}

void TCustomForm::Close()
{
    if (Application && Application->MainForm() == this)
        Application->Terminate();
    SetVisible(false);
}

void TCustomForm::FocusReceived()
{
    if (gActiveForm == this || !Visible())
        return;
    TCustomForm* previous = gActiveForm;
    gActiveForm = this;
    if (previous) {
        previous->FActive = false;
        previous->Deactivate();
    }
    FActive = true;
    Activate();
}

void TCustomForm::Activate()
{
    Perform(CM_ACTIVATE, 0, 0);
    if (Assigned(OnActivate))
        OnActivate(this);
}

void TCustomForm::Deactivate()
{
    Perform(CM_DEACTIVATE, 0, 0);
    if (Assigned(OnDeactivate))
        OnDeactivate(this);
}

TWindowId TCustomForm::Handle()
{
    if (!FHandle) {
        TWindowOptions options;
        options.Caption = Caption();
        options.ClientWidth = ClientRect().Width();
        options.ClientHeight = ClientRect().Height();
        options.StayOnTop = FFormStyle == fsStayOnTop;
        options.ToolWindow = FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin;
        options.FixedSize = FBorderStyle != bsSizeable && FBorderStyle != bsSizeToolWin;
        options.Centred = FPosition == poScreenCenter || FPosition == poDesktopCenter ||
                          FPosition == poMainFormCenter || FPosition == poOwnerFormCenter;
        FHandle = Display().CreateFormWindow(options);
    }
    return FHandle;
}

void TCustomForm::CMTextChanged(TMessage&)
{
    if (FHandle)
        Display().SetCaption(FHandle, Caption());
}

TCanvas* TCustomForm::Canvas()
{
    FCanvas->SetSurface(FPixels.empty() ? nullptr : FPixels.data(), FBufferWidth, FBufferHeight);
    FCanvas->SetOrigin({0, 0});
    FCanvas->ResetClipRect();
    return FCanvas.get();
}

bool TCustomForm::ClientSurface(TPixelSurface& surface, TPoint& origin) const
{
    surface = TPixelSurface{};
    if (!FPixels.empty()) {
        surface.Bits = reinterpret_cast<std::uint8_t*>(const_cast<std::uint32_t*>(FPixels.data()));
        surface.Width = FBufferWidth;
        surface.Height = FBufferHeight;
        surface.Stride = static_cast<std::ptrdiff_t>(FBufferWidth) * 4;
        surface.BitsPerPixel = 32;
    }
    origin = {0, 0};
    return true;
}

void TCustomForm::Invalidate()
{
    InvalidateArea(ClientRect());
}

void TCustomForm::InvalidateArea(const TRect& area)
{
    if (Destroying())
        return;
    FInvalid = UnionRects(FInvalid, IntersectRects(area, ClientRect()));
}

void TCustomForm::PaintAreaNow(const TRect& area)
{
    if (Destroying())
        return;
    const TRect client = ClientRect();
    const TRect r = IntersectRects(area, client);
    if (!r.IsEmpty()) {
        TPixelSurface surface;
        TPoint origin;
        ClientSurface(surface, origin);
        PaintOnSurface(surface, origin, r);
        // What was asked to be painted inside r is done now.
        if (!FInvalid.IsEmpty() && IntersectRects(FInvalid, r) == FInvalid)
            FInvalid = {};
    }
    if (Visible()) {
        Present();
        Display().AnswerDesktop();
    }
}

void TCustomForm::Repaint()
{
    PaintAreaNow(ClientRect());
}

bool TCustomForm::PaintInvalidated()
{
    if (FInvalid.IsEmpty())
        return false;
    const TRect r = FInvalid;
    FInvalid = {};
    TPixelSurface surface;
    TPoint origin;
    ClientSurface(surface, origin);
    PaintOnSurface(surface, origin, r);
    if (Visible())
        Present();
    return true;
}

void TCustomForm::Present()
{
    if (FHandle && Visible() && !FPixels.empty())
        Display().Present(FHandle, FPixels.data(), FBufferWidth, FBufferHeight);
}

TCustomForm* TCustomForm::ActiveForm()
{
    return gActiveForm;
}

const std::vector<TCustomForm*>& TCustomForm::AllForms()
{
    return FormList();
}

TCustomForm* TCustomForm::FindForm(TWindowId window)
{
    for (TCustomForm* f : FormList())
        if (f->FHandle == window && window != 0)
            return f;
    return nullptr;
}

void TCustomForm::InitInheritedComponent()
{
    RegisterControlClasses();
    std::string name = ClassName();
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    ReadComponentResource(this, name);
}
