// SPDX-License-Identifier: MIT
#pragma once
// Helpers for editor tests: properties that count their change notifications, and
// editors created the way rows create them.

#include "quire/editors/PropEditor.h"
#include "quire/values/PropKinds.h"

#include "platform/rtl/FormatSettings.h"

#include <memory>

namespace quire::test {

// A property of class T with a counter of its change notifications.
template <class T> struct TWatchedProp {
    std::unique_ptr<TProp> Prop = fw::New<T>();
    int Changes = 0;
    TWatchedProp() {
        Prop->FOnChange = [this](fw::TObject*) { ++Changes; };
    }
    TProp* operator->() const { return Prop.get(); }
    TProp* get() const { return Prop.get(); }
};

template <class T = TPropEditor> std::unique_ptr<T> CreateEditor(fw::TClass aClass) {
    return fw::CreateAs<T>(aClass);
}

// Settings with the given decimal separator, day-month-year dates with "." and
// 24-hour times.
inline fw::TFormatSettings Settings(char aDecimalSeparator) {
    fw::TFormatSettings settings;
    settings.DecimalSeparator = aDecimalSeparator;
    settings.ThousandSeparator = aDecimalSeparator == ',' ? '.' : ',';
    settings.DateSeparator = '.';
    settings.TimeSeparator = ':';
    settings.ShortDateFormat = "dd/mm/yyyy";
    settings.LongTimeFormat = "hh:nn:ss";
    return settings;
}

} // namespace quire::test
