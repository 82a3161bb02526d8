// SPDX-License-Identifier: MIT
#pragma once
// Objects and class references.
//
// Every class of the framework and of the library that is created through a class
// reference declares its class record with FW_CLASS(Class, Parent) in its body and
// FW_IMPLEMENT_CLASS(Class) (or FW_IMPLEMENT_ABSTRACT_CLASS for classes without a
// no-argument constructor) in its source file. A class record carries the class
// name, the parent record and a factory: the virtual constructor.
//
// Objects made through a class record or fw::New get AfterConstruction called once
// the most derived constructor has run, so construction steps that must dispatch
// virtually (a property allocating its kind's storage) go there.

#include "platform/rtl/Types.h"

#include <memory>
#include <type_traits>
#include <utility>

namespace fw {

struct TClassRecord;
using TClass = const TClassRecord*;

struct ClassAccess;

class TObject {
public:
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    static TClass StaticClass() noexcept;
    virtual TClass ClassType() const noexcept;

    String ClassName() const;
    TClass ClassParent() const;
    bool InheritsFrom(TClass aClass) const;

protected:
    TObject() = default;
    // Runs after the most derived constructor when the object is made through
    // its class record or fw::New.
    virtual void AfterConstruction() {}

    friend struct ClassAccess;
};

struct TClassRecord {
    const char* Name;
    TClass Parent;
    TObject* (*Factory)();

    String ClassName() const { return Name; }
    TClass ClassParent() const { return Parent; }
    bool InheritsFrom(TClass aClass) const;
    // The virtual constructor. Raises Exception for a class without a factory.
    std::unique_ptr<TObject> Create() const;
};

struct ClassAccess {
    template <class T, class... Args> static std::unique_ptr<T> Make(Args&&... aArgs) {
        std::unique_ptr<T> object(new T(std::forward<Args>(aArgs)...));
        object->AfterConstruction();
        return object;
    }
    template <class T> static TObject* Factory() { return Make<T>().release(); }
};

// Creates an object with its constructor and AfterConstruction.
template <class T, class... Args> std::unique_ptr<T> New(Args&&... aArgs) {
    return ClassAccess::Make<T>(std::forward<Args>(aArgs)...);
}

// Answers aClass; raises Exception naming both classes when aClass is null or
// does not derive from aBase.
TClass CheckClass(TClass aClass, TClass aBase);

// Creates an object of aClass, which must be T or derived from T.
template <class T> std::unique_ptr<T> CreateAs(TClass aClass) {
    const TClass checked = CheckClass(aClass, T::StaticClass());
    return std::unique_ptr<T>(static_cast<T*>(checked->Create().release()));
}

} // namespace fw

#define FW_CLASS(Cls, Parent)                                                                      \
public:                                                                                            \
    using inherited = Parent;                                                                      \
    static ::fw::TClass StaticClass() noexcept;                                                    \
    ::fw::TClass ClassType() const noexcept override;                                              \
                                                                                                   \
private:                                                                                           \
    friend struct ::fw::ClassAccess;

#define FW_IMPLEMENT_CLASS_WITH(Cls, FactoryFn)                                                    \
    ::fw::TClass Cls::StaticClass() noexcept {                                                     \
        static const ::fw::TClassRecord record{#Cls, Cls::inherited::StaticClass(), FactoryFn};    \
        return &record;                                                                            \
    }                                                                                              \
    ::fw::TClass Cls::ClassType() const noexcept {                                                 \
        return StaticClass();                                                                      \
    }

#define FW_IMPLEMENT_CLASS(Cls) FW_IMPLEMENT_CLASS_WITH(Cls, &::fw::ClassAccess::Factory<Cls>)
#define FW_IMPLEMENT_ABSTRACT_CLASS(Cls) FW_IMPLEMENT_CLASS_WITH(Cls, nullptr)
