// SPDX-License-Identifier: MIT
#include "quire/editors/PropEditorRegistry.h"

#include "quire/editors/DatePropEditors.h"
#include "quire/editors/EnumPropEditors.h"
#include "quire/editors/ScalarPropEditors.h"
#include "quire/editors/TextPropEditor.h"
#include "quire/values/PropKinds.h"

#include <memory>

namespace quire {

namespace {

class TRegPropEditor : public fw::TObject {
    FW_CLASS(TRegPropEditor, fw::TObject)
public:
    TRegPropEditor(const fw::String& aName, TPropClass aPropClass, TPropEditorClass aEditorClass)
        : FName(aName), FPropClass(aPropClass), FEditorClass(aEditorClass) {}

    fw::String FName;
    TPropClass FPropClass;
    TPropEditorClass FEditorClass;
};

using TRegPropEditors = std::vector<std::unique_ptr<TRegPropEditor>>;

// The registry while the library is loaded; owns its records.
std::unique_ptr<TRegPropEditors>& RegPropEditors() {
    static std::unique_ptr<TRegPropEditors> registry;
    return registry;
}

int32_t& LoadCount() {
    static int32_t count = 0;
    return count;
}

// Parent steps from aRegistered up to aQueried, or -1 when aQueried is not aRegistered
// or one of its ancestors.
int32_t InheritanceDistance(TPropClass aQueried, TPropClass aRegistered) {
    int32_t distance = 0;
    for (fw::TClass current = aRegistered; current != nullptr; current = current->ClassParent()) {
        if (current == aQueried)
            return distance;
        ++distance;
    }
    return -1;
}

// Frees every record, in list order, then the list.
void FreeRegPropEditors() {
    auto& registry = RegPropEditors();
    if (!registry)
        return;
    for (auto& record : *registry)
        record.reset();
    registry.reset();
}

// Loading the library runs its start-up; unloading runs the shut-down.
struct TEditorsUnitLoader {
    TEditorsUnitLoader() { InitializeEditorsUnit(); }
    ~TEditorsUnitLoader() { FinalizeEditorsUnit(); }
};
const TEditorsUnitLoader EditorsUnitLoader;

} // namespace

FW_IMPLEMENT_ABSTRACT_CLASS(TRegPropEditor)

void RegisterPropEditor(const fw::String& aName, TPropClass aPropClass,
                        TPropEditorClass aEditorClass) {
    auto& registry = RegPropEditors();
    if (!registry)
        throw EPropEditor(
            "RegisterPropEditor: the editor registry does not exist (library not started), cannot "
            "register \"" +
            aName + "\"");
    registry->push_back(std::make_unique<TRegPropEditor>(aName, aPropClass, aEditorClass));
}

TPropEditorClass GetPropEditorClass(TPropClass aPropClass) {
    const auto& registry = RegPropEditors();
    if (!registry)
        return nullptr;
    TPropEditorClass result = nullptr;
    int32_t best = 0;
    for (const auto& record : *registry) {
        const int32_t distance = InheritanceDistance(aPropClass, record->FPropClass);
        if (distance == -1)
            continue;
        if (result == nullptr || distance < best) {
            result = record->FEditorClass;
            best = distance;
        }
    }
    return result;
}

void RegisterStdProps() {
    RegisterPropEditor("", TBooleanProp::StaticClass(), TBooleanPropEditor::StaticClass());
    RegisterPropEditor("", TSmallintProp::StaticClass(), TSmallintPropEditor::StaticClass());
    RegisterPropEditor("", TLongintProp::StaticClass(), TLongintPropEditor::StaticClass());
    RegisterPropEditor("", TStringProp::StaticClass(), TStringPropEditor::StaticClass());
    RegisterPropEditor("", TDoubleProp::StaticClass(), TDoublePropEditor::StaticClass());
    RegisterPropEditor("", TTextProp::StaticClass(), TTextPropEditor::StaticClass());
    RegisterPropEditor("", TDateProp::StaticClass(), TDatePropEditor::StaticClass());
    RegisterPropEditor("", TTimeProp::StaticClass(), TTimePropEditor::StaticClass());
    RegisterPropEditor("", TDateTimeProp::StaticClass(), TDateTimePropEditor::StaticClass());
    RegisterPropEditor("", TWordProp::StaticClass(), TWordPropEditor::StaticClass());
    RegisterPropEditor("", TLargeintProp::StaticClass(), TLargeintPropEditor::StaticClass());
    RegisterPropEditor("", TDecimalProp::StaticClass(), TDecimalPropEditor::StaticClass());
}

void InitializeEditorsUnit() {
    if (LoadCount()++ != 0)
        return;
    RegPropEditors() = std::make_unique<TRegPropEditors>();
    RegisterStdProps();
}

void FinalizeEditorsUnit() {
    if (LoadCount() == 0 || --LoadCount() != 0)
        return;
    FreeRegPropEditors();
}

std::vector<TRegPropEditorInfo> RegisteredPropEditors() {
    std::vector<TRegPropEditorInfo> result;
    if (const auto& registry = RegPropEditors())
        for (const auto& record : *registry)
            result.push_back({record->FName, record->FPropClass, record->FEditorClass});
    return result;
}

} // namespace quire
