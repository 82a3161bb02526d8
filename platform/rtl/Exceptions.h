// SPDX-License-Identifier: MIT
#pragma once
// The framework's exception classes. Every error raised by the framework layer and
// the library derives from Exception and carries a message that names what was
// wrong and with which value.

#include "platform/rtl/Types.h"

#include <exception>
#include <utility>

namespace fw {

class Exception : public std::exception {
public:
    explicit Exception(String aMessage) : FMessage(std::move(aMessage)) {}

    const String& Message() const noexcept { return FMessage; }
    void SetMessage(String aMessage) { FMessage = std::move(aMessage); }
    const char* what() const noexcept override { return FMessage.c_str(); }
    // The class name as the framework's standard report shows it.
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    String FMessage;
};

#define FW_EXCEPTION_CLASS(Cls, Parent)                                                            \
    class Cls : public Parent {                                                                    \
        using Base = Parent;                                                                       \
                                                                                                   \
    public:                                                                                        \
        using Base::Base;                                                                          \
        const char* ClassName() const noexcept override { return #Cls; }                           \
    }

// Text that does not convert to a number, date or time.
FW_EXCEPTION_CLASS(EConvertError, Exception);
// An index outside a list's bounds, or a duplicate refused by a list.
FW_EXCEPTION_CLASS(EListError, Exception);
FW_EXCEPTION_CLASS(EStringListError, EListError);
FW_EXCEPTION_CLASS(EVariantError, Exception);
// A variant that cannot be converted to the requested type.
FW_EXCEPTION_CLASS(EVariantTypeCastError, EVariantError);
// A variant whose value does not fit the requested type.
FW_EXCEPTION_CLASS(EVariantOverflowError, EVariantError);
FW_EXCEPTION_CLASS(EOutOfMemory, Exception);
// A resource string id that the table does not hold.
FW_EXCEPTION_CLASS(EResNotFound, Exception);

} // namespace fw
