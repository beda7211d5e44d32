#pragma once
// TCustomForm: a top-level window of the program and the pixels it shows.
//
// Client buffer: the form owns one 32-bit 0x00RRGGBB buffer of its client
// size, rows top to bottom. It is the window's picture: painting writes into
// it and Display().Present shows it 1 : 1, so "the screen" under the form is
// this buffer and nothing else. Canvas() draws on it directly.
//
// Painting: Invalidate (or a child's) collects an area that the
// application's idle step paints and presents; Repaint paints the whole
// client area now (the form colour, then every visible child in z-order),
// presents it when the window is shown, and lets the back end answer the
// desktop. A child's Repaint does the same for its own rectangle.
//
// Window: Handle() is the back end's window id, created on first use (the
// headless back end has ids too) with the caption, client size, BorderStyle,
// FormStyle and Position of that moment; it is destroyed with the form.
// Size: the client size is what counts (ClientWidth/ClientHeight); Width and
// Height add a nominal frame for the BorderStyle, and the layout stays at
// design pixels whatever PixelsPerInch and TextHeight say.
//
// Activation: the active form is the one that last got the focus from
// another form of the program or from none. Showing a form gives it the
// focus. OnActivate fires when a form becomes the active form; focus that
// comes back from a box (which is not a form) or from another program does
// not change the active form, so it fires nothing.
//
// Close hides the form; closing the application's main form terminates the
// application, which ends Run.
//
// Creating a form from its resource: C++ cannot reach a derived class's
// fields from inside a base constructor, so TForm(owner) makes an empty form
// and a derived form's constructor calls InitInheritedComponent() as the
// first statement of its body. That reads the RCDATA resource named after
// the class in upper case ("TMAINFORM1"), which sets the form's properties,
// creates its components and binds its published fields and handlers.
// Failure there raises what form reading raises (EResNotFound, EReadError...).

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/controls/DisplayBackEnd.h"
#include "platform/controls/TWinControl.h"

class TCanvas;
class TControlScrollBar;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter
};

const TIdentTable& BorderStyleIdents();
const TIdentTable& FormStyleIdents();
const TIdentTable& PositionIdents();

class TCustomForm : public TWinControl {
    RUPINAKO_CLASS(TCustomForm)
    RUPINAKO_MESSAGES(TCustomForm)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value) { FFormStyle = value; }
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }

    TRect ClientRect() const override;
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    void SetBounds(int left, int top, int width, int height) override;
    TPoint ClientOrigin() const override;

    TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool value) { FOldCreateOrder = value; }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int value) { FPixelsPerInch = value; }
    int TextHeight() const { return FTextHeight; }
    void SetTextHeight(int value) { FTextHeight = value; }

    void SetVisible(bool value) override;
    // Makes the form visible and gives it the focus.
    void Show();
    void Close();
    bool Active() const { return FActive; }
    bool Showing() const override { return Visible(); }

    TWindowId Handle();
    bool HandleAllocated() const { return FHandle != 0; }

    // The client-area canvas over the client buffer.
    TCanvas* Canvas();
    const std::uint32_t* ClientPixels() const { return FPixels.data(); }

    void Invalidate() override;
    void Repaint() override;
    void InvalidateArea(const TRect& area) override;
    void PaintAreaNow(const TRect& area) override;
    bool ClientSurface(TPixelSurface& surface, TPoint& origin) const override;
    // Paints what was invalidated and presents it; false when nothing was.
    bool PaintInvalidated();
    // Shows the client buffer in the window again (after an expose).
    void Present();

    // The form gets the focus (from showing, or from the window system).
    void FocusReceived();

    static TCustomForm* ActiveForm();
    static const std::vector<TCustomForm*>& AllForms();
    static TCustomForm* FindForm(TWindowId window);

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

protected:
    virtual void Activate();
    virtual void Deactivate();
    void InitInheritedComponent();

private:
    void CMTextChanged(TMessage& m);
    TSize FrameSize() const;
    void ResizeBuffer();

    TFormBorderStyle FBorderStyle = bsSizeable;
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    std::unique_ptr<TControlScrollBar> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar> FVertScrollBar;
    bool FOldCreateOrder = false;
    int FPixelsPerInch = 96;
    int FTextHeight = 12;
    bool FActive = false;
    TWindowId FHandle = 0;
    std::vector<std::uint32_t> FPixels;
    int FBufferWidth = 0;
    int FBufferHeight = 0;
    std::unique_ptr<TCanvas> FCanvas;
    TRect FInvalid;
};
