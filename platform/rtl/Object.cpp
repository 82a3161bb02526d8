// SPDX-License-Identifier: MIT
#include "platform/rtl/Object.h"

#include "platform/rtl/Exceptions.h"

namespace fw {

TClass TObject::StaticClass() noexcept {
    static const TClassRecord record{"TObject", nullptr, nullptr};
    return &record;
}

TClass TObject::ClassType() const noexcept {
    return StaticClass();
}

String TObject::ClassName() const {
    return ClassType()->Name;
}

TClass TObject::ClassParent() const {
    return ClassType()->Parent;
}

bool TObject::InheritsFrom(TClass aClass) const {
    return ClassType()->InheritsFrom(aClass);
}

bool TClassRecord::InheritsFrom(TClass aClass) const {
    for (TClass current = this; current != nullptr; current = current->Parent) {
        if (current == aClass) {
            return true;
        }
    }
    return false;
}

std::unique_ptr<TObject> TClassRecord::Create() const {
    if (Factory == nullptr) {
        throw Exception("Class " + String(Name) + " cannot be created through its class reference");
    }
    return std::unique_ptr<TObject>(Factory());
}

TClass CheckClass(TClass aClass, TClass aBase) {
    if (aClass == nullptr) {
        throw Exception("No class given where a class derived from " + String(aBase->Name) +
                        " is needed");
    }
    if (!aClass->InheritsFrom(aBase)) {
        throw Exception("Class " + String(aClass->Name) + " does not derive from " +
                        String(aBase->Name));
    }
    return aClass;
}

} // namespace fw
