// SPDX-License-Identifier: MIT
#include "quire/inplace/PickList.h"

#include "platform/controls/Application.h"
#include "platform/controls/ControlErrors.h"
#include "platform/controls/SystemState.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/controls/WinApi.h"

#include <algorithm>

namespace quire {

FW_IMPLEMENT_CLASS(TPickListForm)

TPickListForm* PickListForm = nullptr;

namespace {

// True while a showing waits for the user.
bool PickListWaiting = false;

class TWaitingScope {
public:
    TWaitingScope() { PickListWaiting = true; }
    ~TWaitingScope() { PickListWaiting = false; }
    TWaitingScope(const TWaitingScope&) = delete;
    TWaitingScope& operator=(const TWaitingScope&) = delete;
};

// Rows of aRowHeight that fit in aRoom pixels after the 2 border pixels, at most
// aCount and at least one.
int32_t FittingRows(int32_t aRoom, int32_t aRowHeight, int32_t aCount) {
    return std::max(1, std::min((aRoom - 2) / aRowHeight, aCount));
}

// Shows the form and processes messages until it has a result, the form is gone or
// the application ends. Answers whether the form is still the shared one.
bool WaitForChoice(TPickListForm* aForm) {
    aForm->Show();
    aForm->SetModalResult(fw::mrNone);
    // Let the window system finish showing the list before anyone acts on it.
    fw::Application->ProcessMessages();
    if (PickListForm == aForm) {
        fw::Application->ModalShown(aForm);
    }
    while (PickListForm == aForm && aForm->ModalResult() == fw::mrNone &&
           !fw::Application->Terminated()) {
        fw::Application->HandleMessage();
    }
    return PickListForm == aForm;
}

} // namespace

TPickListForm::TPickListForm(fw::TComponent* aOwner) : fw::TForm(aOwner, 0) {
    SetBorderStyle(fw::bsNone);
    ListBox = fw::CreateOwned<fw::TListBox>(this);
    ListBox->SetParent(this);
    ListBox->SetAlign(fw::alClient);
    ListBox->SetCtl3D(false);
    OnDeactivate = [this](fw::TObject* aSender) { FormDeactivate(aSender); };
    // Runs in TForm's destructor, when this class's part is gone: it uses nothing of
    // it, only the address.
    OnDestroy = [self = this](fw::TObject*) {
        if (PickListForm == self) {
            PickListForm = nullptr;
        }
    };
    ListBox->OnDrawItem = [this](fw::TWinControl* aControl, int32_t aIndex, const fw::TRect& aRect,
                                 fw::TOwnerDrawState aState) {
        ListBoxDrawItem(aControl, aIndex, aRect, aState);
    };
    ListBox->OnKeyDown = [this](fw::TObject* aSender, uint16_t& aKey, fw::TShiftState aShift) {
        ListBoxKeyDown(aSender, aKey, aShift);
    };
    ListBox->OnMouseUp = [this](fw::TObject* aSender, fw::TMouseButton aButton,
                                fw::TShiftState aShift, int32_t aX,
                                int32_t aY) { ListBoxMouseUp(aSender, aButton, aShift, aX, aY); };
}

void TPickListForm::FormDeactivate(fw::TObject*) {
    SetModalResult(fw::mrCancel);
}

void TPickListForm::ListBoxKeyDown(fw::TObject*, uint16_t& Key, fw::TShiftState Shift) {
    switch (Key) {
    case fw::VK_RETURN:
    case fw::VK_SPACE:
        SetModalResult(fw::mrOk);
        Key = 0;
        break;
    case fw::VK_ESCAPE:
        SetModalResult(fw::mrCancel);
        Key = 0;
        break;
    case fw::VK_UP:
    case fw::VK_DOWN:
        if (Shift.Contains(fw::ssAlt)) {
            SetModalResult(fw::mrOk);
            Key = 0;
        }
        break;
    default:
        break;
    }
}

void TPickListForm::ListBoxMouseUp(fw::TObject*, fw::TMouseButton, fw::TShiftState, int32_t,
                                   int32_t) {
    SetModalResult(fw::mrOk);
}

void TPickListForm::ListBoxDrawItem(fw::TWinControl*, int32_t Index, const fw::TRect& Rect,
                                    fw::TOwnerDrawState State) {
    if (FPaintItemProc) {
        FPaintItemProc(ListBox->Items()->Get(Index), ListBox->Canvas(), Rect, State);
    }
}

bool ShowPickList(const fw::TRect& aRect, fw::String& aValue, const fw::TStrings& aList,
                  const TPaintItemProc& aPaintItemProc) {
    if (PickListWaiting) {
        throw fw::EInvalidOperation("ShowPickList: a pick list is already open (one at a time); "
                                    "the list for \"" +
                                    aValue + "\" is not shown");
    }
    TWaitingScope waiting;
    if (PickListForm == nullptr) {
        PickListForm = fw::CreateOwned<TPickListForm>(fw::Application);
    }
    TPickListForm* form = PickListForm;
    fw::TListBox* list = form->ListBox;
    form->FPaintItemProc = aPaintItemProc;
    int32_t width = aRect.Width();
    if (aPaintItemProc) {
        list->SetStyle(fw::lbOwnerDrawFixed);
    } else {
        width = CalcPickListWidth(aRect.Width(), *list->Font(), aList);
        list->SetStyle(fw::lbStandard);
    }
    const int32_t rowHeight = list->ItemHeight();
    const int32_t count = aList.Count();
    fw::TRect up;
    fw::TRect down;
    int32_t upRows = 0;
    int32_t downRows = 0;
    CalcDropUpRect(aRect.Right, aRect.Top, rowHeight, width, count, up, upRows);
    CalcDropDownRect(aRect.Right, aRect.Bottom, rowHeight, width, count, down, downRows);
    const fw::TRect& place = downRows < 4 && count >= 4 ? up : down;
    form->SetBounds(place.Left, place.Top, place.Width(), place.Height());
    list->Items()->Assign(aList);
    list->SetItemIndex(list->Items()->IndexOf(aValue));

    bool alive = true;
    try {
        alive = WaitForChoice(form);
    } catch (...) {
        if (PickListForm == form) {
            form->Hide();
        }
        throw;
    }
    if (!alive) {
        return false;
    }
    const bool chosen = form->ModalResult() == fw::mrOk && list->ItemIndex() >= 0;
    if (chosen) {
        aValue = list->Items()->Get(list->ItemIndex());
    }
    form->Hide();
    return chosen;
}

void GetWorkArea(fw::TRect& aRect) {
    fw::SystemParametersInfo(fw::SPI_GETWORKAREA, 0, &aRect, 0);
}

int32_t CalcPickListWidth(int32_t aMinWidth, const fw::TFont& aFont, const fw::TStrings& aList) {
    fw::HDC dc = fw::GetDC(nullptr);
    fw::TCanvas canvas;
    int32_t width = aMinWidth;
    try {
        canvas.SetHandle(dc);
        canvas.SetFont(aFont);
        for (int32_t i = 0; i < aList.Count(); ++i) {
            width = std::max(width, canvas.TextWidth(aList.Get(i)) + 8);
        }
    } catch (...) {
        canvas.SetHandle(nullptr);
        fw::ReleaseDC(nullptr, dc);
        throw;
    }
    canvas.SetHandle(nullptr);
    fw::ReleaseDC(nullptr, dc);
    return width;
}

void FitRectToWorkArea(fw::TRect& aRect) {
    fw::TRect area;
    GetWorkArea(area);
    int32_t dx = 0;
    int32_t dy = 0;
    if (aRect.Right > area.Right) {
        dx = area.Right - aRect.Right;
    }
    if (aRect.Left + dx < area.Left) {
        dx = area.Left - aRect.Left;
    }
    if (aRect.Bottom > area.Bottom) {
        dy = area.Bottom - aRect.Bottom;
    }
    if (aRect.Top + dy < area.Top) {
        dy = area.Top - aRect.Top;
    }
    aRect = fw::Rect(aRect.Left + dx, aRect.Top + dy, aRect.Right + dx, aRect.Bottom + dy);
}

void CalcDropDownRect(int32_t aRight, int32_t aTop, int32_t aRowHeight, int32_t aWidth,
                      int32_t aCount, fw::TRect& aRect, int32_t& aRows) {
    fw::TRect area;
    GetWorkArea(area);
    aRows = FittingRows(area.Bottom - aTop, aRowHeight, aCount);
    aRect = fw::Rect(aRight - aWidth, aTop, aRight, aTop + aRows * aRowHeight + 2);
    FitRectToWorkArea(aRect);
}

void CalcDropUpRect(int32_t aRight, int32_t aBottom, int32_t aRowHeight, int32_t aWidth,
                    int32_t aCount, fw::TRect& aRect, int32_t& aRows) {
    fw::TRect area;
    GetWorkArea(area);
    aRows = FittingRows(aBottom - area.Top, aRowHeight, aCount);
    aRect = fw::Rect(aRight - aWidth, aBottom - (aRows * aRowHeight + 2), aRight, aBottom);
    FitRectToWorkArea(aRect);
}

} // namespace quire
