#pragma once
// TButton: a push button on a Qt push button. A press (mouse or keyboard) runs
// Click: when ModalResult is not mrNone it sets the parent form's ModalResult (which
// ends a modal run), then OnClick runs.

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
    TModalResult FModalResult = mrNone;
    bool FDefault = false;
    bool FCancel = false;
};

} // namespace fw
