#pragma once
// TControlScrollBar: a form's scroll bar settings (HorzScrollBar,
// VertScrollBar), owned by the form and streamed as "HorzScrollBar.Visible".
// Forms here never scroll: their layout is fixed at design pixels, so the
// settings are kept and written back but draw nothing.

#include "platform/classes/TPersistent.h"

class TControlScrollBar : public TPersistent {
    RUPINAKO_CLASS(TControlScrollBar)
public:
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    void Assign(TPersistent* source) override;

private:
    bool FVisible = true;
};
