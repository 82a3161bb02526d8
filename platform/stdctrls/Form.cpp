// SPDX-License-Identifier: MIT
#include "platform/stdctrls/Form.h"

#include "platform/controls/Application.h"
#include "platform/controls/Backend.h"
#include "platform/controls/ControlErrors.h"
#include "platform/controls/Deliver.h"
#include "platform/controls/Screen.h"
#include "platform/controls/SystemState.h"

#include <algorithm>
#include <vector>

namespace fw {

FW_IMPLEMENT_CLASS(TForm)

namespace {

std::vector<TForm*>& LiveForms() {
    static std::vector<TForm*> forms;
    return forms;
}

TForm*& ActiveFormPointer() {
    static TForm* form = nullptr;
    return form;
}

bool IsLive(TForm* aForm) {
    auto& forms = LiveForms();
    return std::find(forms.begin(), forms.end(), aForm) != forms.end();
}

} // namespace

TForm* GetParentForm(TControl* aControl) {
    if (aControl == nullptr) {
        return nullptr;
    }
    TControl* top = aControl;
    while (top->Parent() != nullptr) {
        top = top->Parent();
    }
    return dynamic_cast<TForm*>(top);
}

TForm* ActiveForm() {
    return ActiveFormPointer();
}

TForm::TForm(TComponent* aOwner) : TCustomControl(aOwner) {
    Initialize();
}

TForm::TForm(TComponent* aOwner, int32_t) : TCustomControl(aOwner) {
    Initialize();
}

void TForm::Initialize() {
    LiveForms().push_back(this);
    SetVisible(false);
    SetBounds(0, 0, 320, 240);
    SetParentFont(false);
    SetColor(clBtnFace);
}

TForm::~TForm() {
    if (OnDestroy) {
        DeliverCall(this, [this] { OnDestroy(this); });
    }
    auto& forms = LiveForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (ActiveFormPointer() == this) {
        ActiveFormPointer() = nullptr;
    }
    for (TForm* form : forms) {
        if (form->FActivatedFrom == this) {
            form->FActivatedFrom = nullptr;
        }
    }
    DestroyHandle();
}

void TForm::CreateParams(TCreateParams& aParams) {
    TCustomControl::CreateParams(aParams);
    aParams.Style &= ~(WS_CHILD | WS_TABSTOP);
    aParams.Style |= WS_CLIPCHILDREN;
    aParams.WndParent = nullptr;
    switch (FBorderStyle) {
    case bsNone:
        aParams.Style |= WS_POPUP;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        aParams.Style |= WS_CAPTION | WS_THICKFRAME | WS_SYSMENU;
        break;
    default:
        aParams.Style |= WS_CAPTION | WS_SYSMENU;
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) {
        aParams.ExStyle |= WS_EX_TOOLWINDOW;
    }
}

void TForm::SetBorderStyle(TFormBorderStyle aStyle) {
    if (aStyle != FBorderStyle) {
        FBorderStyle = aStyle;
        RecreateWnd();
    }
}

void TForm::SetActiveControl(TWinControl* aControl) {
    if (aControl != nullptr && Showing()) {
        aControl->SetFocus();
    } else {
        SetFocusedControl(aControl);
    }
}

bool TForm::Showing() const {
    return Visible() && HandleAllocated() && WindowHandle()->IsVisible();
}

void TForm::ApplyPosition() {
    TControl* center = nullptr;
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter: {
        SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(),
                  Height());
        return;
    }
    case poMainFormCenter:
        center = Application->MainForm();
        break;
    case poOwnerFormCenter:
        center = dynamic_cast<TForm*>(Owner());
        break;
    default:
        return;
    }
    if (center == nullptr || center == this || !center->Visible()) {
        SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(),
                  Height());
        return;
    }
    SetBounds(center->Left() + (center->Width() - Width()) / 2,
              center->Top() + (center->Height() - Height()) / 2, Width(), Height());
}

void TForm::VisibleChanged() {
    if (!Visible()) {
        bool wasActive = FActive || (HandleAllocated() && WindowHandle()->IsActive());
        TCustomControl::VisibleChanged();
        DoHide();
        if (wasActive && IsLive(FActivatedFrom) && FActivatedFrom->Showing()) {
            FActivatedFrom->WindowHandle()->Activate();
        }
        return;
    }
    HandleNeeded();
    ApplyPosition();
    // A window that holds the mouse would keep every move and press made on the new
    // one (a pop-up opened from a press handler).
    ReleaseCapture();
    TForm* previous = ActiveFormPointer();
    FActivatedFrom = previous != this ? previous : nullptr;
    TCustomControl::VisibleChanged();
    WindowHandle()->Activate();
    DoShow();
}

TModalResult TForm::ShowModal() {
    if (Visible() || FModal) {
        throw EInvalidOperation("Cannot make a visible window modal (" + ClassName() + ")");
    }
    ReleaseCapture();
    FModalResult = mrNone;
    HandleNeeded();
    WindowHandle()->SetModal(true);
    FModal = true;
    auto finish = [this] {
        FModal = false;
        SetVisible(false);
        if (HandleAllocated()) {
            WindowHandle()->SetModal(false);
        }
    };
    // Code run by the loop may destroy the form (Release, its owner going): the run
    // then ends with mrCancel without touching the form again.
    TForm* form = this;
    try {
        Show();
        // Let the window system finish showing the form before anyone acts on it.
        Application->ProcessMessages();
        if (IsLive(form)) {
            Application->ModalShown(this);
        }
        for (;;) {
            if (!IsLive(form)) {
                return mrCancel;
            }
            if (Application->Terminated()) {
                FModalResult = mrCancel;
            }
            if (FModalResult != mrNone) {
                CloseModal();
                if (FModalResult != mrNone) {
                    break;
                }
            }
            Application->HandleMessage();
        }
    } catch (...) {
        if (IsLive(form)) {
            finish();
        }
        throw;
    }
    finish();
    return FModalResult;
}

void TForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone) {
        FModalResult = mrNone;
    }
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) {
        OnCloseQuery(this, canClose);
    }
    return canClose;
}

void TForm::Close() {
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) {
        return;
    }
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) {
        return;
    }
    if (Application->MainForm() == this) {
        Application->Terminate();
    } else if (action == caFree) {
        Release();
    } else {
        Hide();
    }
}

void TForm::Release() {
    Hide();
    TForm* form = this;
    backend::PostCall([form] {
        if (IsLive(form)) {
            delete form;
        }
    });
}

void TForm::DoClose(TCloseAction& aAction) {
    if (OnClose) {
        OnClose(this, aAction);
    }
}

void TForm::Activate() {
    if (OnActivate) {
        OnActivate(this);
    }
}

void TForm::Deactivate() {
    if (OnDeactivate) {
        OnDeactivate(this);
    }
}

void TForm::DoShow() {
    if (OnShow) {
        OnShow(this);
    }
}

void TForm::DoHide() {
    if (OnHide) {
        OnHide(this);
    }
}

void TForm::Paint() {
    if (OnPaint) {
        OnPaint(this);
    }
}

void TForm::Dispatch(TMessage& aMessage) {
    switch (aMessage.Msg) {
    case WM_ACTIVATE:
        WMActivate(aMessage);
        break;
    case WM_CLOSE:
        WMClose(aMessage);
        break;
    default:
        TCustomControl::Dispatch(aMessage);
        break;
    }
}

void TForm::WMActivate(TMessage& aMessage) {
    bool active = LoWord(aMessage.WParam) != WA_INACTIVE;
    DefaultHandler(aMessage);
    if (active == FActive) {
        return;
    }
    FActive = active;
    if (active) {
        ActiveFormPointer() = this;
        Activate();
    } else {
        if (ActiveFormPointer() == this) {
            ActiveFormPointer() = nullptr;
        }
        Deactivate();
    }
}

void TForm::WMClose(TMessage&) {
    Close();
}

} // namespace fw
