#include "platform/controls/TControlScrollBar.h"

#include "platform/classes/TypeInfo.h"

const TClassInfo& TControlScrollBar::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TControlScrollBar>("TControlScrollBar", TPersistent::StaticClassInfo())
            .Bool("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible, true)
            .Build();
    return info;
}

void TControlScrollBar::Assign(TPersistent* source)
{
    if (auto* bar = dynamic_cast<TControlScrollBar*>(source)) {
        FVisible = bar->FVisible;
        return;
    }
    TPersistent::Assign(source);
}
