#include "platform/controls/TWinControl.h"

#include <algorithm>

#include "platform/graphics/TCanvas.h"

const TClassInfo& TWinControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TWinControl>("TWinControl", TControl::StaticClassInfo()).Build();
    return info;
}

const TMessageMap& TWinControl::StaticMessageMap()
{
    static const TMessageMap map = TMessageMapBuilder<TWinControl>(TControl::StaticMessageMap())
                                       .On(CM_DIALOGCHAR, &TWinControl::CMBroadcastToChildren)
                                       .On(CM_DIALOGKEY, &TWinControl::CMBroadcastToChildren)
                                       .Build();
    return map;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    MarkDestroying();
    // Topmost first; each child leaves these lists in its own destructor.
    while (!FWinControls.empty())
        delete FWinControls.back();
    while (!FControls.empty())
        delete FControls.back();
}

TControl* TWinControl::Controls(int index) const
{
    if (index < 0 || index >= ControlCount())
        throw EListError("control index out of range");
    const auto i = static_cast<std::size_t>(index);
    return i < FControls.size() ? FControls[i] : FWinControls[i - FControls.size()];
}

void TWinControl::InsertControl(TControl* control)
{
    if (!control || control == this || control->FParent == this)
        return;
    if (control->FParent)
        control->FParent->RemoveControl(control);
    (dynamic_cast<TWinControl*>(control) ? FWinControls : FControls).push_back(control);
    control->FParent = this;
    control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control)
{
    if (!control || control->FParent != this)
        return;
    control->Invalidate();
    for (auto* list : {&FControls, &FWinControls})
        list->erase(std::remove(list->begin(), list->end(), control), list->end());
    control->FParent = nullptr;
}

void TWinControl::Broadcast(TMessage& message)
{
    // By index: a handler may add or remove controls while this runs.
    for (int i = 0; i < ControlCount(); ++i) {
        Controls(i)->Dispatch(message);
        if (message.Result != 0)
            return;
    }
}

void TWinControl::CMBroadcastToChildren(TMessage& m)
{
    Broadcast(m);
}

bool TWinControl::Showing() const
{
    return Visible() && Parent() && Parent()->Showing();
}

TControl* TWinControl::ControlAtPos(TPoint point, bool allowDisabled, bool allowWinControls) const
{
    auto hit = [&](TControl* c) {
        return c->Visible() && (allowDisabled || c->Enabled()) && c->BoundsRect().Contains(point);
    };
    if (allowWinControls)
        for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
            if (hit(*it))
                return *it;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if (hit(*it))
            return *it;
    return nullptr;
}

void TWinControl::PaintOnSurface(const TPixelSurface& surface, TPoint origin, const TRect& clip)
{
    const TRect client = ClientRect();
    TRect area = IntersectRects(clip, Bounds(origin.X, origin.Y, client.Width(), client.Height()));
    if (area.IsEmpty())
        return;
    {
        TCanvas canvas;
        canvas.SetSurface(surface);
        canvas.SetOrigin(origin);
        TRect local = area;
        OffsetRect(local, -origin.X, -origin.Y);
        canvas.SetClipRect(local);
        PaintWindow(canvas);
    }
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible())
            continue;
        const TPoint childOrigin{origin.X + c->Left(), origin.Y + c->Top()};
        const TRect childClip = IntersectRects(area, Bounds(childOrigin.X, childOrigin.Y, c->Width(), c->Height()));
        if (!childClip.IsEmpty())
            c->PaintOnSurface(surface, childOrigin, childClip);
    }
}

void TWinControl::PaintWindow(TCanvas& canvas)
{
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
}

void TWinControl::InvalidateArea(const TRect& area)
{
    if (Parent() && !Destroying()) {
        TRect r = area;
        OffsetRect(r, Left(), Top());
        Parent()->InvalidateArea(IntersectRects(r, BoundsRect()));
    }
}

void TWinControl::PaintAreaNow(const TRect& area)
{
    if (Parent() && !Destroying()) {
        TRect r = area;
        OffsetRect(r, Left(), Top());
        Parent()->PaintAreaNow(IntersectRects(r, BoundsRect()));
    }
}

bool TWinControl::ClientSurface(TPixelSurface& surface, TPoint& origin) const
{
    if (!Parent() || !Parent()->ClientSurface(surface, origin))
        return false;
    origin.X += Left();
    origin.Y += Top();
    return true;
}
