#pragma once
// TButton: a push button. It paints a plain raised face (with a dark rim
// when it is the Default button) and clicks when pressed and released with
// the left button inside it, when its caption's hot key is typed, and, as
// Default or Cancel button, on Enter or Esc.
// ModalResult is kept for forms; this layer has no modal forms, so a click
// does nothing with it beyond OnClick.
// FIXME: the caption is not drawn yet; the graphics layer's text drawing
// (Pango) is not available to controls at this point.

#include "platform/controls/TWinControl.h"

class TButton : public TWinControl {
    RUPINAKO_CLASS(TButton)
    RUPINAKO_MESSAGES(TButton)
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }

protected:
    void PaintWindow(TCanvas& canvas) override;

private:
    void CMDialogChar(TMessage& m);
    void CMDialogKey(TMessage& m);
    void CMTextChanged(TMessage& m);
    bool CanClick() const { return Enabled() && IsShowing(); }

    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
};
