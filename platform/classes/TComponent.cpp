#include "platform/classes/TComponent.h"

#include <algorithm>

#include "platform/classes/TypeInfo.h"

const TClassInfo& TComponent::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TComponent>("TComponent", TPersistent::StaticClassInfo())
                                       .Int("Tag", &TComponent::Tag, &TComponent::SetTag, 0)
                                       .Build();
    return info;
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    FComponentState |= csDestroying;
    // Newest first; each child leaves this list in its own destructor.
    while (!FComponents.empty())
        delete FComponents.back();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        throw EListError("component index out of range");
    return FComponents[static_cast<std::size_t>(index)];
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (c->Name() == name)
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->FOwner == this)
        return;
    if (!component->Name().empty() && FindComponent(component->Name()))
        throw EComponentError("A component named " + component->Name() + " already exists");
    if (component->FOwner)
        component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto it = std::find(FComponents.begin(), FComponents.end(), component);
    if (it == FComponents.end())
        return;
    FComponents.erase(it);
    component->FOwner = nullptr;
}

void TComponent::SetName(const std::string& name)
{
    if (name == FName)
        return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError("\"" + name + "\" is not a valid component name");
    if (FOwner && FOwner->FindComponent(name))
        throw EComponentError("A component named " + name + " already exists");
    FName = name;
}

void TComponent::Loaded()
{
    FComponentState &= ~csLoading;
}

void TComponent::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    if (!root)
        return;
    // Copy first: proc may be a writer that must not see the list change under it.
    std::vector<TComponent*> owned = root->FComponents;
    for (TComponent* c : owned) {
        TComponent* parent = c->HasParent() ? c->GetParentComponent() : nullptr;
        // A component that could have a parent but has none is stored under the root.
        if ((parent ? parent : root) == this && c != this)
            proc(c);
    }
}

bool IsValidIdent(const std::string& name)
{
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (name.empty() || !alpha(name[0]))
        return false;
    return std::all_of(name.begin(), name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}
