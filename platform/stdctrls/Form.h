// SPDX-License-Identifier: MIT
#pragma once
// TForm: a top-level window built in code.
//
// A new form is hidden, 320 x 240, in clBtnFace, with a sizeable border and its
// position as designed (Left, Top). Show makes it visible and the active window;
// Position poScreenCenter (or poDesktopCenter) centres it on the screen each time it
// is shown, poMainFormCenter / poOwnerFormCenter on that form when there is one.
// BorderStyle bsNone gives a window without frame and caption.
//
// ShowModal shows the form with input to all other windows blocked and runs a
// nested event loop until ModalResult is set (a button with a ModalResult, Close,
// code); then the form is hidden and the result returned. Application->OnModalShown
// is called once the form is shown. ShowModal on a visible form raises
// EInvalidOperation; a form destroyed during its modal run ends it with mrCancel.
//
// Activation: OnActivate runs when the form becomes the active window (Show, a
// press on it, activation by the window system); OnDeactivate when another form is
// activated, when the user presses outside it on another form, or when it is hidden.
// Hiding the active form activates the form that was active before it was shown.
// Close runs OnCloseQuery and OnClose (default action caHide) and hides the form;
// closing the application's main form terminates the application. OnDestroy runs
// when the form is destroyed, in TForm's destructor: the parts of a derived form
// class are already gone then, so the handler must not use them.

#include "platform/controls/CustomControl.h"
#include "platform/stdctrls/BorderStyle.h"
#include "platform/stdctrls/Button.h"

namespace fw {

enum class TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
using enum TPosition;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using enum TCloseAction;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TForm : public TCustomControl {
    FW_CLASS(TForm, TCustomControl)
public:
    // A form built in code; there are no form resources, so both constructors make
    // the same empty form (the second is the create-new construction).
    explicit TForm(TComponent* aOwner = nullptr);
    TForm(TComponent* aOwner, int32_t aDummy);
    ~TForm() override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle aStyle);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition aPosition) { FPosition = aPosition; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult aResult) { FModalResult = aResult; }
    bool Active() const { return FActive; }
    bool Modal() const { return FModal; }

    TWinControl* ActiveControl() const { return FocusedControl(); }
    void SetActiveControl(TWinControl* aControl);

    TModalResult ShowModal();
    void Close();
    bool CloseQuery();
    // Destroys the form once the message being handled is done.
    void Release();

    bool Showing() const override;

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void Dispatch(TMessage& aMessage) override;

protected:
    void CreateParams(TCreateParams& aParams) override;
    void VisibleChanged() override;
    void Paint() override;
    virtual void Activate();
    virtual void Deactivate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& aAction);

    void WMActivate(TMessage& aMessage);
    void WMClose(TMessage& aMessage);

private:
    void Initialize();
    void ApplyPosition();
    void CloseModal();

    TFormBorderStyle FBorderStyle = bsSizeable;
    TPosition FPosition = poDesigned;
    TModalResult FModalResult = mrNone;
    bool FActive = false;
    bool FModal = false;
    TForm* FActivatedFrom = nullptr;
};

// The form that aControl is on (its top-most parent, when that is a form).
TForm* GetParentForm(TControl* aControl);
// The form that is the active window, or nullptr.
TForm* ActiveForm();

} // namespace fw
