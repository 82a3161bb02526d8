// SPDX-License-Identifier: MIT
#pragma once
// TButton: a push button on a Qt push button. A press (mouse or keyboard) runs
// Click: when ModalResult is not mrNone it sets the parent form's ModalResult (which
// ends a modal run), then OnClick runs.
//
// Dialog keys (CM_DIALOGKEY, see TWinControl): Enter clicks the focused button, or
// the Default button when no button has the focus; Escape clicks the Cancel button.
// A button that cannot take the focus (hidden, disabled) takes neither.

#include "platform/controls/WinControl.h"

namespace fw {

using TModalResult = int32_t;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

class TButton : public TWinControl {
    FW_CLASS(TButton, TWinControl)
public:
    explicit TButton(TComponent* aOwner = nullptr);

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult aResult) { FModalResult = aResult; }
    bool Default() const { return FDefault; }
    void SetDefault(bool aDefault);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool aCancel) { FCancel = aCancel; }

    void Click() override;
    void Dispatch(TMessage& aMessage) override;

protected:
    std::unique_ptr<TNativeWindow> CreateNativeWindow(const TCreateParams& aParams) override;
    void InitializeWnd() override;

private:
    void CMDialogKey(TMessage& aMessage);
    // Enter is this button's: it has the focus, or it is the default button and no
    // other button has the focus.
    bool TakesEnter();

    TModalResult FModalResult = mrNone;
    bool FDefault = false;
    bool FCancel = false;
};

} // namespace fw
