// SPDX-License-Identifier: MIT
#include "quire/inplace/PropSelection.h"

#include "quire/box/Quire.h"
#include "quire/inplace/PickList.h"
#include "quire/inplace/PropButton.h"
#include "quire/inplace/PropEdit.h"

#include "platform/controls/SystemState.h"
#include "platform/graphics/Gdi.h"
#include "platform/graphics/Rects.h"
#include "platform/rtl/AnsiStrings.h"

namespace quire {

FW_IMPLEMENT_CLASS(TPropSelection)

TPropSelection::TPropSelection(fw::TComponent* aOwner)
    : fw::TCustomControl(aOwner), FBitmap(std::make_unique<fw::TBitmap>()) {
    SetParentColor(true);
    FBitmap->SetSize(Width(), Height());
    FEdit = fw::CreateOwned<TPropEdit>(this);
    FEdit->FSelection = this;
    FEdit->SetParent(this);
    FEdit->SetVisible(true);
    FEdit->SetBorderStyle(fw::bsNone);
    FEdit->SetHideSelection(false);
    FEdit->SetParentFont(true);
    FEdit->SetParentColor(true);
    FButton = fw::CreateOwned<TPropButton>(this);
    FButton->SetParent(this);
    FButton->SetVisible(true);
    FButton->OnClick = [this](fw::TObject* aSender) { PropButtonClick(aSender); };
    FButton->SetParentColor(true);
}

TPropSelection::~TPropSelection() = default;

// --- layout and painting -------------------------------------------------------------------

void TPropSelection::Realign() {
    if (FEditInfo == nullptr || FBox == nullptr) {
        return;
    }
    fw::TRect inner = ClientRect();
    fw::InflateRect(&inner, -2, -2);
    fw::TCanvas& canvas = FBitmap->Canvas();
    canvas.SetFont(*FBox->Font());
    const int32_t step = canvas.TextWidth(" +");

    FIndentRect = inner;
    FIndentRect.Right = inner.Left + step * (FEditInfo->GetLevel() + 1);
    FNameRect = inner;
    FNameRect.Left = FIndentRect.Right;
    FNameRect.Right = FBox->FDividerPos + 1;

    FButtonRect = inner;
    FButtonRect.Top += 1;
    FButtonRect.Bottom -= 1;
    if (FEditInfo->IsLookupable() || FEditInfo->IsEditable()) {
        FButtonRect.Left = inner.Right - (ButtonGlyphWidth() + 6);
        FButtonRect.Right = inner.Right - 1;
    } else {
        FButtonRect.Left = FButtonRect.Right;
    }

    FEditRect = inner;
    FEditRect.Top += 1;
    FEditRect.Left = FNameRect.Right + 4;
    FEditRect.Right = FButtonRect.Left;

    FEdit->SetBoundsRect(FEditRect);
    FEdit->SetVisible(!FBox->FReadOnly);
    PlaceButton();
    Invalidate();
}

void TPropSelection::AlignControls(fw::TControl* aControl, fw::TRect& aRect) {
    fw::TCustomControl::AlignControls(aControl, aRect);
    Realign();
}

void TPropSelection::Paint() {
    fw::TRect r = ClientRect();
    FBitmap->SetSize(r.Width(), r.Height());
    fw::TCanvas& canvas = FBitmap->Canvas();
    const fw::TColor boxColor = FBox ? FBox->Color() : Color();
    canvas.Brush().SetStyle(fw::bsSolid);
    canvas.Brush().SetColor(boxColor);
    canvas.FillRect(r);
    if (FBox) {
        canvas.SetFont(*FBox->Font());
    }
    canvas.Pen().SetStyle(fw::psSolid);

    fw::DrawEdge(canvas.Handle(), &r, fw::BDR_SUNKENOUTER, fw::BF_RECT);
    fw::InflateRect(&r, -2, -2);
    canvas.Pen().SetColor(fw::clBtnShadow);
    canvas.MoveTo(FNameRect.Right, r.Top);
    canvas.LineTo(FNameRect.Right, r.Bottom);
    canvas.Pen().SetColor(fw::clBtnHighlight);
    canvas.MoveTo(FNameRect.Right + 1, r.Top);
    canvas.LineTo(FNameRect.Right + 1, r.Bottom);

    fw::SetBkColor(canvas.Handle(), fw::ColorToRGB(boxColor));
    if (FEditInfo != nullptr && FBox != nullptr) {
        PaintRow(canvas, r);
    }
    fw::BitBlt(Canvas()->Handle(), 0, 0, FBitmap->Width(), FBitmap->Height(), canvas.Handle(), 0, 0,
               fw::SRCCOPY);
}

void TPropSelection::PaintRow(fw::TCanvas& aCanvas, fw::TRect aRect) {
    const fw::TColor textColor = FBox->Font()->Color();
    aCanvas.Font().SetColor(FEditInfo->FAllEqual ? textColor : fw::clBtnShadow);
    DrawTextVCenter(&aCanvas, FNameRect, 1, FEditInfo->FName);
    aCanvas.Font().SetColor(textColor);
    if (FEditInfo->IsExpandable()) {
        aRect = FNameRect;
        aRect.Top += 1;
        aRect.Right = FNameRect.Left;
        aRect.Left = aRect.Right - aCanvas.TextWidth("+");
        DrawTextVCenter(&aCanvas, aRect, 0, FEditInfo->FExpanded ? "-" : "+");
    }
    if (FBox->FReadOnly && FEditInfo->FAllEqual) {
        fw::TRect value = fw::Rect(FNameRect.Right + 4, aRect.Top, Width() - 2, aRect.Bottom);
        FEditInfo->FEditor->PaintValue(FEditInfo->GetValue(), &aCanvas, value, {});
    }
}

void TPropSelection::UpdatePropName() {
    if (HandleAllocated()) {
        Repaint();
    }
}

// --- the row ---------------------------------------------------------------------------------

void TPropSelection::SetEditInfo(TPropEditInfo* aEditInfo) {
    if (aEditInfo == FEditInfo) {
        return;
    }
    SetValueToProp();
    FEditInfo = aEditInfo;
    if (FEditInfo != nullptr) {
        UpdateButtonType();
        GetValueFromProp();
        FEdit->SetReadOnly(FEditInfo->IsReadOnly());
        Invalidate();
    } else {
        FEdit->SetVisible(false);
    }
    SetVisible(FEditInfo != nullptr);
    Realign();
}

void TPropSelection::GetValueFromProp() {
    if (FEditInfo == nullptr) {
        return;
    }
    FEdit->SetText(FEditInfo->GetValue());
    FEdit->SelectAll();
    FEdit->FTextChanged = false;
    TPropEditorAttributes attributes = FEditInfo->FEditor->GetAttributes();
    if (attributes.Contains(peaReadOnly) && attributes.Contains(peaPaint)) {
        Invalidate();
    }
}

void TPropSelection::SetValueToProp() {
    if (FEditInfo == nullptr || !FEdit->FTextChanged) {
        return;
    }
    TRowsInUse inUse(FBox);
    TPropEditInfo* row = FEditInfo;
    const uint64_t generation = FBox != nullptr ? FBox->RowsGeneration() : 0;
    try {
        row->SetValue(FEdit->Text());
        FEdit->FTextChanged = false;
    } catch (...) {
        // Back to the row whose text failed, showing what it holds; the caller's
        // move to another row is abandoned by the rethrow. Rows rebuilt meanwhile
        // have put the strip on a row of their own.
        if (FBox != nullptr && FBox->RowsGeneration() == generation) {
            FBox->SetItemIndex(row->FListIndex);
        }
        GetValueFromProp();
        throw;
    }
}

void TPropSelection::SetRowValue(TPropEditInfo& aRow, const fw::String& aText) {
    aRow.SetValue(aText);
    GetValueFromProp();
}

bool TPropSelection::LookupValues(fw::TStringList& aValues) {
    FEditInfo->FEditor->GetPropLookupValues(FEditInfo->FProps.get(), &aValues);
    return aValues.Count() > 0;
}

void TPropSelection::Edit() {
    if (FEditInfo == nullptr) {
        return;
    }
    if (FEditInfo->IsEditable()) {
        EditInDialog();
        return;
    }
    if (!FEditInfo->IsLookupable()) {
        return;
    }
    fw::TStringList values;
    if (!LookupValues(values)) {
        return;
    }
    const fw::String current = FEditInfo->GetValue();
    int32_t next = 0;
    for (int32_t i = 0; i < values.Count(); ++i) {
        if (fw::AnsiCompareText(values.Get(i), current) == 0) {
            next = i + 1;
            break;
        }
    }
    if (next >= values.Count()) {
        next = 0;
    }
    SetRowValue(*FEditInfo, values.Get(next));
}

void TPropSelection::EditInDialog() {
    TRowsInUse inUse(FBox);
    TPropEditInfo* row = FEditInfo;
    const TRowPlace place = FBox->RowPlaceOf(row);
    row->Edit();
    if (FBox->RowsGeneration() == place.Generation || !row->FChanged) {
        return;
    }
    // The rows were rebuilt while the dialog waited: the value chosen reaches the
    // row of the same place, if the data set is still on the same record.
    if (TPropEditInfo* again = FBox->FindRow(place)) {
        again->SetProps(row->FProps.get());
    }
}

void TPropSelection::PropButtonClick(fw::TObject*) {
    if (FEditInfo != nullptr && FEditInfo->IsLookupable()) {
        Lookup();
    } else {
        Edit();
    }
}

// --- button and pick list --------------------------------------------------------------------

int32_t TPropSelection::ButtonGlyphWidth() const {
    return FButton->CalcWidth();
}

void TPropSelection::UpdateButtonType() {
    FButton->SetButtonType(FEditInfo->IsLookupable() ? pbtLookup : pbtEdit);
}

void TPropSelection::PlaceButton() {
    FButton->SetBoundsRect(FButtonRect);
    FButton->SetVisible(Visible() && !FBox->FReadOnly);
}

void TPropSelection::Lookup() {
    if (FEditInfo == nullptr) {
        return;
    }
    const fw::TPoint topLeft = ClientToScreen(fw::TPoint{FEditRect.Left, FEditRect.Top});
    const fw::TPoint bottomRight =
        ClientToScreen(fw::TPoint{FButtonRect.Right, FButtonRect.Bottom});
    fw::TStringList values;
    if (!LookupValues(values)) {
        return;
    }
    fw::String value = FEditInfo->GetValue();
    // The editor paints the list's items while it waits: the rows are held.
    TRowsInUse inUse(FBox);
    const TRowPlace place = FBox->RowPlaceOf(FEditInfo);
    TPropEditor* editor = FEditInfo->FEditor.get();
    TPaintItemProc paint;
    if (editor->GetAttributes().Contains(peaPaint)) {
        paint = std::bind_front(&TPropEditor::PaintValue, editor);
    }
    const fw::TRect area = fw::Rect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y);
    if (!ShowPickList(area, value, values, paint)) {
        return;
    }
    // The wait may have rebuilt the rows or moved the data set.
    if (TPropEditInfo* row = FBox->FindRow(place)) {
        SetRowValue(*row, value);
    }
}

// --- mouse -------------------------------------------------------------------------------------

void TPropSelection::Dispatch(fw::TMessage& aMessage) {
    switch (aMessage.Msg) {
    case fw::WM_ERASEBKGND:
        aMessage.Result = 1;
        break;
    case fw::WM_LBUTTONDOWN:
        WMLButtonDown(aMessage);
        break;
    default:
        fw::TCustomControl::Dispatch(aMessage);
        break;
    }
}

bool TPropSelection::WithinDoubleClickOfBox() const {
    // Unsigned: the tick counter wraps, and a difference past 2^31 is still long ago.
    const uint32_t elapsed = fw::GetTickCount() - FBox->FMouseDownTime;
    return elapsed < fw::GetDoubleClickTime();
}

void TPropSelection::WMLButtonDown(fw::TMessage& aMessage) {
    if (FBox == nullptr) {
        return;
    }
    if (WithinDoubleClickOfBox()) {
        DblClick();
        return;
    }
    const int32_t x = fw::LParamX(aMessage.LParam) + Left();
    const int32_t y = fw::LParamY(aMessage.LParam) + Top();
    FBox->Perform(fw::WM_LBUTTONDOWN, aMessage.WParam, fw::PointToLParam(x, y));
}

void TPropSelection::DblClick() {
    if (FBox != nullptr) {
        FBox->DblClick();
    }
}

void TPropSelection::MouseMove(fw::TShiftState aShift, int32_t aX, int32_t aY) {
    if (FBox != nullptr) {
        SetCursor(FBox->IsDividerPos(aX) ? fw::crHSplit : fw::crDefault);
    }
    fw::TCustomControl::MouseMove(aShift, aX, aY);
}

void TPropSelection::MouseDown(fw::TMouseButton, fw::TShiftState, int32_t, int32_t) {}

} // namespace quire
