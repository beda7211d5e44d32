#pragma once
// TSpeedButton: a windowless push button that can latch down as a member of
// a group.
//
// Groups: buttons under one parent with the same non-zero GroupIndex keep at
// most one member Down. A button announces itself to its parent's controls
// with CM_BUTTONPRESSED (WParam: its GroupIndex, LParam: the button) when
// its GroupIndex or AllowAllUp is written and when it becomes Down; every
// member of that group that is Down and sees an announcing button that is
// Down lets go, and every member takes the announcer's AllowAllUp. Any
// control may announce with a TSpeedButton as LParam (the shine buttons do,
// through a temporary one).
// Down: a button without a group never becomes Down; the Down member of a
// group without AllowAllUp cannot be released by writing false.
// Mouse: a left press and release inside clicks it; in a group the click
// toggles Down first (within the rules above). The caption is not drawn yet
// (FIXME: text drawing through Pango belongs to the graphics layer and has
// not reached controls); the face shows up, pressed or down.

#include "platform/controls/TGraphicControl.h"

class TSpeedButton : public TGraphicControl {
    RUPINAKO_CLASS(TSpeedButton)
    RUPINAKO_MESSAGES(TSpeedButton)
public:
    explicit TSpeedButton(TComponent* owner);

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    bool Down() const { return FDown; }
    void SetDown(bool value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value);

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void Announce();
    void CMButtonPressed(TMessage& m);
    void CMRepaintOnChange(TMessage& m);

    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FPressed = false;
};
