#pragma once
// An object that can be assigned from another and streamed.
//
// Assign(source) copies source into this object. A class that knows how to
// take a given source overrides Assign; a class that knows how to copy itself
// into a given target overrides AssignTo. When neither does, Assign raises
// EConvertError naming both classes ("TFont を TBitmap に代入できません").

#include "platform/classes/TObject.h"

class TPersistent : public TObject {
    RUPINAKO_CLASS(TPersistent)
public:
    virtual void Assign(TPersistent* source);

protected:
    virtual void AssignTo(TPersistent* dest);
    // The object that owns this one for streaming (a component's owner, a
    // font's control); null by default.
    virtual TPersistent* GetOwner() { return nullptr; }
};
