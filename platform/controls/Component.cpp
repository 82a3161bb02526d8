// SPDX-License-Identifier: MIT
#include "platform/controls/Component.h"

#include "platform/rtl/AnsiStrings.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace fw {

FW_IMPLEMENT_CLASS(TComponent)

TComponent::TComponent(TComponent* aOwner) {
    if (aOwner != nullptr) {
        aOwner->InsertComponent(this);
    }
}

TComponent::~TComponent() {
    Destroying();
    // Tell everyone who asked; a component may unregister others while being told.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& theirs = other->FFreeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner != nullptr) {
        FOwner->RemoveComponent(this);
    }
}

TComponent* TComponent::Components(int32_t aIndex) const {
    if (aIndex < 0 || aIndex >= ComponentCount()) {
        throw EListError("List index out of bounds (" + IntToStr(aIndex) + ")");
    }
    return FComponents[static_cast<size_t>(aIndex)];
}

TComponent* TComponent::FindComponent(const String& aName) const {
    if (aName.empty()) {
        return nullptr;
    }
    for (TComponent* component : FComponents) {
        if (AnsiCompareText(component->Name(), aName) == 0) {
            return component;
        }
    }
    return nullptr;
}

void TComponent::SetDesigning(bool aDesigning) {
    if (aDesigning) {
        FComponentState.Include(csDesigning);
    } else {
        FComponentState.Exclude(csDesigning);
    }
    for (TComponent* component : FComponents) {
        component->SetDesigning(aDesigning);
    }
}

void TComponent::FreeNotification(TComponent* aComponent) {
    if (aComponent == nullptr || aComponent == this) {
        return;
    }
    auto addTo = [](std::vector<TComponent*>& list, TComponent* component) {
        if (std::find(list.begin(), list.end(), component) == list.end()) {
            list.push_back(component);
        }
    };
    addTo(FFreeNotifies, aComponent);
    addTo(aComponent->FFreeNotifies, this);
}

void TComponent::RemoveFreeNotification(TComponent* aComponent) {
    if (aComponent == nullptr) {
        return;
    }
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), aComponent),
                        FFreeNotifies.end());
    auto& theirs = aComponent->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::InsertComponent(TComponent* aComponent) {
    if (aComponent->FOwner != nullptr) {
        aComponent->FOwner->RemoveComponent(aComponent);
    }
    Insert(aComponent);
    if (FComponentState.Contains(csDesigning)) {
        aComponent->SetDesigning(true);
    }
    Notification(aComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* aComponent) {
    Notification(aComponent, opRemove);
    Remove(aComponent);
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        Remove(last);
        delete last;
    }
}

void TComponent::Destroying() {
    if (FComponentState.Contains(csDestroying)) {
        return;
    }
    FComponentState.Include(csDestroying);
    for (TComponent* component : FComponents) {
        component->Destroying();
    }
}

void TComponent::Notification(TComponent* aComponent, TOperation aOperation) {
    if (aOperation == opRemove) {
        RemoveFreeNotification(aComponent);
    }
    for (TComponent* component : FComponents) {
        if (component != aComponent) {
            component->Notification(aComponent, aOperation);
        }
    }
}

void TComponent::Insert(TComponent* aComponent) {
    FComponents.push_back(aComponent);
    aComponent->FOwner = this;
}

void TComponent::Remove(TComponent* aComponent) {
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), aComponent),
                      FComponents.end());
    aComponent->FOwner = nullptr;
}

} // namespace fw
