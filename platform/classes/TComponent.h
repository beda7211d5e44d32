#pragma once
// A component: a named object with an owner, the unit of form streaming.
//
// Ownership: a component created with an owner (new TFoo(owner)) is owned by
// it and deleted by it; the owner deletes its components in reverse order of
// their creation, after its own destructor body has run. Deleting an owned
// component yourself is allowed: it leaves its owner's list first. Owner()
// is a plain back-pointer.
//
// Name: unique among the components of one owner ("" is always allowed);
// SetName raises EComponentError for a duplicate or an invalid identifier.
// Tag is free for the program's own use.
// Loaded() runs after a form stream has set every property of the component.
//
// Streaming hooks: a component that lives inside another on a form (a
// control on its parent) answers HasParent() true and reports and takes that
// parent through GetParentComponent()/SetParentComponent(); the controls
// layer overrides them. GetChildren() lists the components a form stores
// inside this one; by default these are root's owned components whose parent
// is this one (or, for root itself, those without a parent), in creation order.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/classes/TPersistent.h"
#include "platform/rtl/Exception.h"

RUPINAKO_EXCEPTION(EComponentError, Exception);

enum TComponentStateFlag : unsigned { csLoading = 1, csReading = 2, csDestroying = 4, csDesigning = 8 };

class TComponent : public TPersistent {
    RUPINAKO_CLASS(TComponent)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const;
    TComponent* FindComponent(const std::string& name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    const std::string& Name() const { return FName; }
    virtual void SetName(const std::string& name);
    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }

    // A non-visual component's designer position, kept from its form as
    // Left and Top; it has no effect at run time.
    int DesignLeft() const { return FDesignLeft; }
    int DesignTop() const { return FDesignTop; }
    void SetDesignLeft(int left) { FDesignLeft = left; }
    void SetDesignTop(int top) { FDesignTop = top; }

    unsigned ComponentState() const { return FComponentState; }
    void SetComponentState(unsigned flags) { FComponentState |= flags; }
    void ClearComponentState(unsigned flags) { FComponentState &= ~flags; }

    // Called by form reading once every property is set; clears csLoading.
    virtual void Loaded();

    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* parent) { (void)parent; }
    using TGetChildProc = std::function<void(TComponent*)>;
    virtual void GetChildren(const TGetChildProc& proc, TComponent* root);

protected:
    TPersistent* GetOwner() override { return FOwner; }

private:
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::string FName;
    int FTag = 0;
    int FDesignLeft = 0;
    int FDesignTop = 0;
    unsigned FComponentState = 0;
};

// True for a valid component name: a letter or '_' and then letters, digits or '_'.
bool IsValidIdent(const std::string& name);
