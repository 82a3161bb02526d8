// SPDX-License-Identifier: MIT
#pragma once
// TCustomEdit / TEdit: a one-line text field on a Qt line edit.
//
// Text, ReadOnly, BorderStyle (bsSingle: framed; bsNone: no frame), HideSelection
// (the selection is hidden while the field has no focus), MaxLength (0: no limit).
// Change (and OnChange) runs for every change of the text: typed, or set by the
// program (also without a window). Keys reach the field as WM_KEYDOWN / WM_CHAR;
// what its handlers leave to DefaultHandler is the line edit's own editing.

#include "platform/controls/WinControl.h"
#include "platform/stdctrls/BorderStyle.h"

namespace fw {

class TNativeEdit;

class TCustomEdit : public TWinControl {
    FW_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* aOwner = nullptr);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool aReadOnly);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle aStyle);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool aHide);
    int32_t MaxLength() const { return FMaxLength; }
    void SetMaxLength(int32_t aMaxLength);

    // Selects the whole text (when the window exists).
    void SelectAll();
    int32_t SelStart() const;
    int32_t SelLength() const;
    void SetSelStart(int32_t aStart);
    void SetSelLength(int32_t aLength);

    TNotifyEvent OnChange;
    virtual void Change();

    void Dispatch(TMessage& aMessage) override;

protected:
    std::unique_ptr<TNativeWindow> CreateNativeWindow(const TCreateParams& aParams) override;
    void InitializeWnd() override;
    void TextChanged() override;
    virtual bool IsMultiLine() const { return false; }
    TNativeEdit* NativeEdit() const;
    void CNCommand(TMessage& aMessage);

private:
    bool FReadOnly = false;
    TBorderStyle FBorderStyle = bsSingle;
    bool FHideSelection = true;
    int32_t FMaxLength = 0;
};

class TEdit : public TCustomEdit {
    FW_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* aOwner = nullptr) : TCustomEdit(aOwner) {}
};

} // namespace fw
