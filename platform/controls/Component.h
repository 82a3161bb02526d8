// SPDX-License-Identifier: MIT
#pragma once
// TComponent: the owner tree and destruction notices.
//
// Ownership: a component created with an owner is destroyed by that owner (after
// the components created after it, last first), so code keeps raw, non-owning
// pointers to owned components; create them with CreateOwned. A component destroyed
// on its own (through its unique_ptr, or by its parent control) first leaves its
// owner's list. Components that asked for FreeNotification of each other hear
// Notification(aComponent, opRemove) when the other one is destroyed.

#include "platform/rtl/EnumSet.h"
#include "platform/rtl/Object.h"

#include <memory>
#include <utility>
#include <vector>

namespace fw {

enum class TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning };
using enum TComponentStateItem;
using TComponentState = TEnumSet<TComponentStateItem>;

enum class TOperation { opInsert, opRemove };
using enum TOperation;

class TComponent : public TObject {
    FW_CLASS(TComponent, TObject)
public:
    explicit TComponent(TComponent* aOwner = nullptr);
    ~TComponent() override;

    TComponent* Owner() const { return FOwner; }
    int32_t ComponentCount() const { return static_cast<int32_t>(FComponents.size()); }
    TComponent* Components(int32_t aIndex) const;
    // The owned component of that name (case ignored), or nullptr.
    TComponent* FindComponent(const String& aName) const;

    const String& Name() const { return FName; }
    void SetName(const String& aName) { FName = aName; }
    int32_t Tag() const { return FTag; }
    void SetTag(int32_t aTag) { FTag = aTag; }

    TComponentState ComponentState() const { return FComponentState; }
    // Puts the component (and the components it owns) into design state.
    void SetDesigning(bool aDesigning);

    // Asks for Notification(aComponent, opRemove) when aComponent is destroyed (and
    // tells aComponent the same about this one).
    void FreeNotification(TComponent* aComponent);
    void RemoveFreeNotification(TComponent* aComponent);

    void InsertComponent(TComponent* aComponent);
    void RemoveComponent(TComponent* aComponent);
    // Destroys the owned components, last created first.
    void DestroyComponents();
    // Marks the component (and what it owns) as being destroyed.
    void Destroying();

protected:
    // Called on the owner when a component is inserted into or removed from it, and
    // on every component that asked for a free notification of a destroyed one.
    virtual void Notification(TComponent* aComponent, TOperation aOperation);

private:
    void Insert(TComponent* aComponent);
    void Remove(TComponent* aComponent);

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    String FName;
    int32_t FTag = 0;
    TComponentState FComponentState;
};

// Creates a component that aOwner destroys: aOwner is passed as the first constructor
// argument and the answer is a non-owning pointer. AfterConstruction has run.
template <class T, class... Args> T* CreateOwned(TComponent* aOwner, Args&&... aArgs) {
    return New<T>(aOwner, std::forward<Args>(aArgs)...).release();
}

} // namespace fw
