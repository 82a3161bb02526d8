// SPDX-License-Identifier: MIT
#include "EditorTestSupport.h"

#include "quire/editors/DatePropEditors.h"
#include "quire/editors/FormDateTime.h"
#include "quire/editors/TextPropEditor.h"
#include "quire/values/QuireStrings.h"
#include "quire/values/SubPropList.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>

namespace quire {
namespace {

using test::Settings;
using test::TWatchedProp;

TEST(TextEditor, ShowsThePlaceholderWhateverTheLines) {
    auto editor = fw::New<TTextPropEditor>();
    TWatchedProp<TTextProp> prop;
    EXPECT_EQ(editor->GetValue(prop.get()), "(Text)");
    static_cast<TTextProp*>(prop.get())->Lines().Add("first line");
    EXPECT_EQ(editor->GetValue(prop.get()), "(Text)");
    editor->SetValue(prop.get(), "typed");
    EXPECT_EQ(static_cast<TTextProp*>(prop.get())->Lines().Count(), 1);
    EXPECT_EQ(prop.Changes, 0);
    EXPECT_EQ(editor->GetAttributes(),
              (TPropEditorAttributes{peaDialog, peaMultiSelect, peaReadOnly}));

    ResStrings().Replace({{SText, "Texte"}});
    EXPECT_EQ(editor->GetValue(prop.get()), "(Texte)");
    ResStrings().Reset();
}

class DateEditors : public ::testing::Test {
protected:
    fw::TFormatSettingsScope FScope{Settings('.')};
    std::unique_ptr<TPropEditor> FDateTime = fw::New<TDateTimePropEditor>();
    std::unique_ptr<TPropEditor> FDate = fw::New<TDatePropEditor>();
    std::unique_ptr<TPropEditor> FTime = fw::New<TTimePropEditor>();
};

TEST_F(DateEditors, ShowTheirPartsOfTheValue) {
    TWatchedProp<TDateTimeProp> prop;
    prop->SetFloatValue(36526.75);
    EXPECT_EQ(FDateTime->GetValue(prop.get()), "01.01.2000 18:00:00");
    EXPECT_EQ(FDate->GetValue(prop.get()), "01.01.2000");
    EXPECT_EQ(FTime->GetValue(prop.get()), "18:00:00");
    prop->SetFloatValue(36526.0);
    EXPECT_EQ(FDateTime->GetValue(prop.get()), "01.01.2000") << "no time at exactly midnight";
}

TEST_F(DateEditors, ReadText) {
    TWatchedProp<TDateTimeProp> prop;
    FDateTime->SetValue(prop.get(), "02.01.2000 06:00:00");
    EXPECT_DOUBLE_EQ(prop->GetFloatValue(), 36527.25);
    TWatchedProp<TDateProp> date;
    FDate->SetValue(date.get(), "02.01.2000");
    EXPECT_EQ(date->GetFloatValue(), 36527.0);
    TWatchedProp<TTimeProp> time;
    FTime->SetValue(time.get(), "18:00:00");
    EXPECT_DOUBLE_EQ(time->GetFloatValue(), 0.75);
    EXPECT_EQ(prop.Changes + date.Changes + time.Changes, 3);
    FDate->SetValue(date.get(), "02.01.2000");
    EXPECT_EQ(date.Changes, 1) << "the same date: no change";
    FDateTime->SetValue(prop.get(), "1. 1.2000 18:00");
    EXPECT_DOUBLE_EQ(prop->GetFloatValue(), 36526.75) << "blanks inside the date";
}

TEST_F(DateEditors, BadTextRaisesAndLeavesTheValue) {
    TWatchedProp<TDateTimeProp> prop;
    prop->SetFloatValue(36526.75);
    prop.Changes = 0;
    for (const char* bad : {"", "tomorrow", "32.01.2000", "01.01.2000 25:00:00", "525.02.2024",
                            "260.6", "269.02.2024 10:00"})
        EXPECT_THROW(FDateTime->SetValue(prop.get(), bad), fw::EConvertError) << bad;
    EXPECT_THROW(FDate->SetValue(prop.get(), "13.13.2000"), fw::EConvertError);
    EXPECT_THROW(FDate->SetValue(prop.get(), "525.02.2024"), fw::EConvertError);
    EXPECT_THROW(FTime->SetValue(prop.get(), "12:61"), fw::EConvertError);
    EXPECT_EQ(prop->GetFloatValue(), 36526.75);
    EXPECT_EQ(prop.Changes, 0);
}

TEST_F(DateEditors, Attributes) {
    EXPECT_EQ(FDateTime->GetAttributes(), (TPropEditorAttributes{peaMultiSelect, peaReadOnly}));
    const TPropEditorAttributes dialog{peaDialog, peaMultiSelect, peaReadOnly};
    EXPECT_EQ(FDate->GetAttributes(), dialog);
    EXPECT_EQ(FTime->GetAttributes(), dialog);
    struct TPlainDTEditor : TDTPropEditor {
        void PrepareForm(TFormDateTime*, fw::TDateTime) override {}
    };
    EXPECT_EQ(fw::New<TPlainDTEditor>()->GetAttributes(), dialog);
}

// The date-time row's children, held by the test as a row would hold them.
class DateTimeSubProps : public DateEditors {
protected:
    void SetUp() override {
        TPropInfoList info;
        FDateTime->GetSubPropsInfo(&info);
        for (int32_t i = 0; i < info.Count(); ++i) {
            FChildren.push_back(fw::CreateAs<TProp>(info.GetPropClass(i)));
            FSubProps.Add(info[i], FChildren.back().get());
        }
    }
    TProp* Child(int32_t aIndex) { return FChildren[static_cast<size_t>(aIndex)].get(); }

    std::vector<std::unique_ptr<TProp>> FChildren;
    TSubPropList FSubProps;
};

TEST_F(DateTimeSubProps, AreDateThenTimeNamedByTheStringTable) {
    TPropInfoList info;
    FDateTime->GetSubPropsInfo(&info);
    ASSERT_EQ(info.Count(), 2);
    EXPECT_EQ(info[0], "Date");
    EXPECT_EQ(info.GetPropClass(0), TDateProp::StaticClass());
    EXPECT_EQ(info[1], "Time");
    EXPECT_EQ(info.GetPropClass(1), TTimeProp::StaticClass());
}

TEST_F(DateTimeSubProps, BothChildrenGetTheWholeValue) {
    TWatchedProp<TDateTimeProp> parent;
    parent->SetFloatValue(36526.75);
    FDateTime->SetSubProps(parent.get(), &FSubProps);
    EXPECT_EQ(std::memcmp(Child(0)->FValue, parent->FValue, 8), 0);
    EXPECT_EQ(std::memcmp(Child(1)->FValue, parent->FValue, 8), 0);
    EXPECT_EQ(FDate->GetValue(Child(0)), "01.01.2000");
    EXPECT_EQ(FTime->GetValue(Child(1)), "18:00:00");
}

TEST_F(DateTimeSubProps, ParentTakesTheDayOfDateAndTheTimeOfTime) {
    TWatchedProp<TDateTimeProp> parent;
    const struct {
        double Date, Time, Expected;
    } cases[] = {
        {36526.75, 12345.25, 36526.25}, // other parts of the children are ignored
        {36526.0, 0.5, 36526.5},
        // Before 30.12.1899 the time of day counts away from zero: -0.25 is
        // 30.12.1899 06:00, -1.5 is 29.12.1899 12:00.
        {36526.9, -0.25, 36526.25},
        {-1.5, 0.25, -1.25},
        {-1.25, 0.75, -1.75},
        {-2.0, 36526.75, -2.75},
        {-0.5, 0.25, 0.25},
    };
    for (const auto& c : cases) {
        Child(0)->SetFloatValue(c.Date);
        Child(1)->SetFloatValue(c.Time);
        FDateTime->GetSubProps(parent.get(), &FSubProps);
        EXPECT_DOUBLE_EQ(parent->GetFloatValue(), c.Expected) << c.Date << " " << c.Time;
    }
}

TEST_F(DateTimeSubProps, AMissingChildRaisesTheListsError) {
    TSubPropList onlyDate;
    onlyDate.Add("Date", Child(0));
    TWatchedProp<TDateTimeProp> parent;
    parent->SetFloatValue(1.5);
    parent.Changes = 0;
    EXPECT_THROW(FDateTime->GetSubProps(parent.get(), &onlyDate), fw::Exception);
    EXPECT_EQ(parent->GetFloatValue(), 1.5);
    EXPECT_EQ(parent.Changes, 0);
    // Pushing down stores nothing when one child is missing.
    Child(0)->SetFloatValue(7.0);
    EXPECT_THROW(FDateTime->SetSubProps(parent.get(), &onlyDate), fw::Exception);
    EXPECT_EQ(Child(0)->GetFloatValue(), 7.0);
}

// A child changed through its editor's text, then the parent recomposed, as the
// row tree does it.
TEST_F(DateTimeSubProps, ChildTextChangesItsPartOnlyAlsoBefore1900) {
    TWatchedProp<TDateTimeProp> parent;
    const struct {
        double Parent;
        int Child;
        const char* Text;
        double Expected;
    } cases[] = {
        {-1.25, 1, "18:00:00", -1.75},      // 29.12.1899 06:00 -> 18:00
        {36526.75, 0, "28.12.1899", -2.75}, // 01.01.2000 18:00 -> 28.12.1899
        {-2.75, 0, "01.01.2000", 36526.75},
        {-1.5, 1, "06:00:00", -1.25},
    };
    for (const auto& c : cases) {
        parent->SetFloatValue(c.Parent);
        FDateTime->SetSubProps(parent.get(), &FSubProps);
        (c.Child == 0 ? FDate : FTime)->SetValue(Child(c.Child), c.Text);
        FDateTime->GetSubProps(parent.get(), &FSubProps);
        EXPECT_DOUBLE_EQ(parent->GetFloatValue(), c.Expected) << c.Parent << " " << c.Text;
    }
}

} // namespace
} // namespace quire
