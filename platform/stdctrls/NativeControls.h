// SPDX-License-Identifier: MIT
#pragma once
// The native windows of the standard controls that Qt widgets carry (internal to
// the framework layer; implemented in platform/qt). A window made by one of the
// factories below is a TNativeWindow that also implements the control's interface
// (reach it with dynamic_cast). Their notifications reach the
// control as messages: CN_COMMAND with EN_CHANGE (text changed, by the user or the
// program) or BN_CLICKED (button pressed) in the high word of WParam.

#include "platform/controls/NativeWindow.h"
#include "platform/controls/WinControl.h"
#include "platform/rtl/Types.h"

#include <memory>

namespace fw {

// DTN_DATETIMECHANGE in the high word of a picker's CN_COMMAND.
constexpr uint32_t DTN_DATETIMECHANGE = 0x0D00;

class TNativeEdit {
public:
    virtual ~TNativeEdit() = default;
    virtual void SetReadOnly(bool aReadOnly) = 0;
    virtual void SetFrame(bool aFrame) = 0;
    virtual void SetHideSelection(bool aHide) = 0;
    virtual void SelectAll() = 0;
    virtual int32_t SelStart() const = 0;
    virtual int32_t SelLength() const = 0;
    virtual void SetSelection(int32_t aStart, int32_t aLength) = 0;
    virtual void SetMaxLength(int32_t aMaxLength) = 0;
};

class TNativeButton {
public:
    virtual ~TNativeButton() = default;
    virtual void SetDefault(bool aDefault) = 0;
};

enum class TPickerKind { Date, Time };

class TNativeDateTimePicker {
public:
    virtual ~TNativeDateTimePicker() = default;
    virtual void SetKind(TPickerKind aKind) = 0;
    virtual void SetDateTime(TDateTime aValue) = 0;
    virtual TDateTime DateTime() const = 0;
};

namespace backend {
// aMultiLine: a memo (QPlainTextEdit) instead of a one-line edit (QLineEdit).
std::unique_ptr<TNativeWindow> CreateEditWindow(TWinControl& aControl, const TCreateParams& aParams,
                                                bool aMultiLine);
std::unique_ptr<TNativeWindow> CreateButtonWindow(TWinControl& aControl,
                                                  const TCreateParams& aParams);
std::unique_ptr<TNativeWindow> CreateDateTimePickerWindow(TWinControl& aControl,
                                                          const TCreateParams& aParams);
} // namespace backend

} // namespace fw
