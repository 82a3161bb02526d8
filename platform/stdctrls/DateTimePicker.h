// SPDX-License-Identifier: MIT
#pragma once
// TDateTimePicker: a date or time field on Qt's date and time edits.
//
// DateTime holds the whole value (days since 30 December 1899 and the time of day as
// a fraction). Kind dtkDate shows and edits the date, dtkTime the time of day; the
// other part of DateTime stays as it was. Date and Time read the whole value; SetDate
// replaces the date part and SetTime the time part. OnChange runs when the user
// changes the value. The date kind shows FormatSettings().ShortDateFormat, the time
// kind LongTimeFormat, as they are when the window is made or the kind is set.

#include "platform/controls/WinControl.h"

namespace fw {

enum class TDateTimeKind { dtkDate, dtkTime };
using enum TDateTimeKind;

class TDateTimePicker : public TWinControl {
    FW_CLASS(TDateTimePicker, TWinControl)
public:
    explicit TDateTimePicker(TComponent* aOwner = nullptr);

    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind aKind);
    TDateTime DateTime() const;
    void SetDateTime(TDateTime aValue);
    TDateTime Date() const { return DateTime(); }
    void SetDate(TDateTime aValue);
    TDateTime Time() const { return DateTime(); }
    void SetTime(TDateTime aValue);

    TNotifyEvent OnChange;
    virtual void Change();

    void Dispatch(TMessage& aMessage) override;

protected:
    std::unique_ptr<TNativeWindow> CreateNativeWindow(const TCreateParams& aParams) override;
    void InitializeWnd() override;
    void DestroyWnd() override;

private:
    TDateTimeKind FKind = dtkDate;
    TDateTime FDateTime = 0;
};

} // namespace fw
