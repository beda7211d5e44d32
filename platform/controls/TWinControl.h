#pragma once
// TWinControl: a control that holds other controls and draws itself and them.
//
// Children: Controls(i) lists the windowless children first and the windowed
// ones after them, each group in z-order (later ones lie above earlier ones),
// which is also the order they are painted in. InsertControl puts a control
// on top of its group; RemoveControl takes it off without deleting it.
// A parent deletes the children it still holds when it is destroyed (before
// their owner would), so no child is ever left pointing at a dead parent.
//
// Broadcast sends a message to every child in Controls order and stops at the
// first one that answers a non-zero Result. CM_DIALOGCHAR and CM_DIALOGKEY
// arriving here are broadcast the same way, so an accelerator reaches the
// windowless controls of a form.
//
// Showing: visible, and the parent showing too (a form: its window is shown).
//
// Painting: PaintOnSurface paints the control's own face (PaintWindow: its
// Color by default), then every visible child over it, clipped to the
// control's client area. Paint requests travel up to the form that holds the
// pixels (InvalidateArea, PaintAreaNow, ClientSurface).

#include <vector>

#include "platform/controls/TControl.h"

class TCanvas;

class TWinControl : public TControl {
    RUPINAKO_CLASS(TWinControl)
    RUPINAKO_MESSAGES(TWinControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
    // EListError for an index out of range.
    TControl* Controls(int index) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void Broadcast(TMessage& message);

    virtual bool Showing() const;

    // The topmost child that contains point (client coordinates) and is
    // visible (and enabled unless allowDisabled); null when none.
    TControl* ControlAtPos(TPoint point, bool allowDisabled, bool allowWinControls = true) const;

    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int value) { FTabOrder = value; }

    void PaintOnSurface(const TPixelSurface& surface, TPoint origin, const TRect& clip) override;

    // Paint requests for an area of this control's client coordinates; they
    // go up to the form, which holds the pixels.
    virtual void InvalidateArea(const TRect& area);
    virtual void PaintAreaNow(const TRect& area);
    // The surface this control's client area lies on, and where its client
    // point (0, 0) is on it; false when no form holds it.
    virtual bool ClientSurface(TPixelSurface& surface, TPoint& origin) const;

protected:
    // Draws the control's own face; the default fills it with Color.
    virtual void PaintWindow(TCanvas& canvas);

private:
    void CMBroadcastToChildren(TMessage& m);

    std::vector<TControl*> FControls;      // windowless, bottom first
    std::vector<TControl*> FWinControls;   // windowed, bottom first
    int FTabOrder = -1;
};
