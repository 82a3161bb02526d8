// SPDX-License-Identifier: MIT
#include "quire/values/PropKinds.h"
#include "quire/values/QuireStrings.h"

#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>

namespace quire {
namespace {

// Counts the change notifications of one property.
struct TChangeCounter {
    int Count = 0;
    fw::TObject* LastSender = nullptr;
    void Attach(TProp& aProp) {
        aProp.FOnChange = [this](fw::TObject* aSender) {
            ++Count;
            LastSender = aSender;
        };
    }
};

template <class T> std::unique_ptr<T> Make() {
    return fw::New<T>();
}

TEST(PropKinds, NewPropertiesHoldTheirZeroValue) {
    EXPECT_EQ(Make<TBooleanProp>()->GetAsVariant(), fw::Variant(false));
    EXPECT_EQ(Make<TSmallintProp>()->GetAsVariant(), fw::Variant(0));
    EXPECT_EQ(Make<TLongintProp>()->GetAsVariant(), fw::Variant(0));
    EXPECT_EQ(Make<TStringProp>()->GetAsVariant(), fw::Variant(""));
    EXPECT_EQ(Make<TDoubleProp>()->GetAsVariant(), fw::Variant(0.0));
    EXPECT_EQ(Make<TDateTimeProp>()->GetAsVariant(), fw::Variant::FromDateTime(0));
    EXPECT_EQ(Make<TTextProp>()->Lines().Count(), 0);
    const std::array<std::pair<std::unique_ptr<TProp>, int32_t>, 5> sizes{{
        {Make<TBooleanProp>(), 1},
        {Make<TSmallintProp>(), 2},
        {Make<TStringProp>(), 251},
        {Make<TDateProp>(), 8},
        {Make<TTextProp>(), 0},
    }};
    for (const auto& [prop, size] : sizes) {
        EXPECT_EQ(prop->FSize, size) << prop->ClassName();
    }
}

TEST(PropKinds, ClassTreeIsTheRegistryContract) {
    EXPECT_EQ(TDateProp::StaticClass()->ClassParent(), TDateTimeProp::StaticClass());
    EXPECT_EQ(TTimeProp::StaticClass()->ClassParent(), TDateTimeProp::StaticClass());
    EXPECT_EQ(TTextProp::StaticClass()->ClassParent(), TProp::StaticClass());
    EXPECT_EQ(fw::CreateAs<TProp>(TTimeProp::StaticClass())->ClassName(), "TTimeProp");
    EXPECT_EQ(fw::CreateAs<TProp>(TTextProp::StaticClass())->FSize, 0);
}

TEST(ChangeRule, SetValueStoresAndNotifiesOnlyOnARealChange) {
    auto prop = Make<TLongintProp>();
    TChangeCounter changes;
    changes.Attach(*prop);
    int32_t value = 0;
    EXPECT_FALSE(prop->SetValue(&value));
    EXPECT_EQ(changes.Count, 0);
    value = 7;
    EXPECT_TRUE(prop->SetValue(&value));
    EXPECT_EQ(changes.Count, 1);
    EXPECT_EQ(changes.LastSender, prop.get());
    EXPECT_EQ(prop->GetAsVariant(), fw::Variant(7));
    EXPECT_FALSE(prop->SetValue(&value));
    EXPECT_EQ(changes.Count, 1);

    int32_t buffer = 7;
    EXPECT_FALSE(prop->GetValue(&buffer)) << "buffer already equal";
    buffer = 1;
    EXPECT_TRUE(prop->GetValue(&buffer));
    EXPECT_EQ(buffer, 7);
}

TEST(ChangeRule, NotificationSeesTheNewValue) {
    auto prop = Make<TDoubleProp>();
    double seen = -1;
    prop->FOnChange = [&](fw::TObject* aSender) {
        seen = static_cast<TProp*>(aSender)->GetFloatValue();
    };
    prop->SetFloatValue(2.5);
    EXPECT_EQ(seen, 2.5);
}

TEST(ChangeRule, AssignComparesFirstAndRefusesAnotherKind) {
    auto target = Make<TStringProp>();
    auto source = Make<TStringProp>();
    TChangeCounter changes;
    changes.Attach(*target);
    target->Assign(source.get());
    EXPECT_EQ(changes.Count, 0);
    source->SetAsVariant("abc");
    target->Assign(source.get());
    EXPECT_EQ(changes.Count, 1);
    EXPECT_EQ(target->Text(), "abc");
    target->Assign(source.get());
    EXPECT_EQ(changes.Count, 1);

    auto date = Make<TDateProp>();
    auto dateTime = Make<TDateTimeProp>();
    date->SetAsVariant(fw::Variant::FromDateTime(5));
    dateTime->Assign(date.get());
    EXPECT_EQ(dateTime->Value(), 5) << "kinds of the same storage assign";
    auto smallint = Make<TSmallintProp>();
    EXPECT_THROW(smallint->Assign(target.get()), fw::Exception);

    // The base class is an ancestor of every kind but holds no value to copy.
    auto base = fw::CreateAs<TProp>(TProp::StaticClass());
    EXPECT_THROW(target->Assign(base.get()), fw::Exception);
    EXPECT_THROW(Make<TTextProp>()->Assign(base.get()), fw::Exception);
    EXPECT_EQ(target->Text(), "abc");
}

TEST(ChangeRule, DirectVariantWritesDoNotNotifyExceptTheStringKind) {
    auto integer = Make<TLongintProp>();
    auto text = Make<TStringProp>();
    TChangeCounter integerChanges;
    TChangeCounter textChanges;
    integerChanges.Attach(*integer);
    textChanges.Attach(*text);
    integer->SetAsVariant(5);
    EXPECT_EQ(integer->GetAsVariant(), fw::Variant(5));
    EXPECT_EQ(integerChanges.Count, 0);
    text->SetAsVariant("ABC");
    text->SetAsVariant("abc");
    text->SetAsVariant("abc");
    EXPECT_EQ(textChanges.Count, 2) << "letter case is a change; the same text is not";
}

TEST(SmallintProp, KeepsTheLowSixteenBitsWithoutRangeCheck) {
    auto prop = Make<TSmallintProp>();
    prop->SetOrdValue(70000);
    EXPECT_EQ(prop->GetAsVariant(), fw::Variant(4464));
    prop->SetOrdValue(-1);
    EXPECT_EQ(prop->GetOrdValue(), 65535) << "ordinal reads are not sign-extended";
    EXPECT_EQ(prop->GetAsVariant(), fw::Variant(-1));
    TChangeCounter changes;
    changes.Attach(*prop);
    prop->SetAsVariant(40000);
    EXPECT_EQ(prop->GetAsVariant(), fw::Variant(-25536));
    EXPECT_EQ(changes.Count, 0);
    EXPECT_THROW(prop->SetAsVariant("forty"), fw::EVariantTypeCastError);
    EXPECT_EQ(prop->GetAsVariant(), fw::Variant(-25536)) << "a failed conversion stores nothing";
}

TEST(RawAccessors, RaiseForKindsTooLargeNamingClassAndOperation) {
    auto text = Make<TStringProp>();
    try {
        text->GetOrdValue();
        FAIL() << "no exception";
    } catch (const fw::Exception& e) {
        EXPECT_EQ(e.Message(), "TStringProp.GetOrdValue: Размер свойства > 4");
    }
    try {
        text->SetFloatValue(1);
        FAIL() << "no exception";
    } catch (const fw::Exception& e) {
        EXPECT_EQ(e.Message(), "TStringProp.SetFloatValue: Размер свойства > 8");
    }
    auto number = Make<TDoubleProp>();
    EXPECT_THROW(number->GetOrdValue(), fw::Exception);
    EXPECT_THROW(number->SetOrdValue(1), fw::Exception);
    number->SetFloatValue(-0.5);
    EXPECT_EQ(number->GetFloatValue(), -0.5);
    auto flag = Make<TBooleanProp>();
    flag->SetOrdValue(1);
    EXPECT_EQ(flag->GetAsVariant(), fw::Variant(true));
    EXPECT_THROW(Make<TTextProp>()->SetOrdValue(1), fw::Exception) << "a list is not a byte block";
}

TEST(DoubleProp, PositiveAndNegativeZeroAreEqual) {
    auto prop = Make<TDoubleProp>();
    TChangeCounter changes;
    changes.Attach(*prop);
    prop->SetFloatValue(-0.0);
    EXPECT_EQ(changes.Count, 0);
}

TEST(DoubleProp, ANaNIsReplacedAndReplacesLikeAnyOtherValue) {
    const double nan = std::nan("");
    auto prop = Make<TDoubleProp>();
    TChangeCounter changes;
    changes.Attach(*prop);
    prop->SetFloatValue(nan);
    EXPECT_TRUE(std::isnan(prop->GetFloatValue()));
    prop->SetFloatValue(nan);
    EXPECT_EQ(changes.Count, 1) << "the same NaN again is no change";
    prop->SetFloatValue(5);
    EXPECT_EQ(prop->GetFloatValue(), 5);
    EXPECT_EQ(changes.Count, 2);
    auto date = Make<TDateTimeProp>();
    date->SetFloatValue(nan);
    EXPECT_TRUE(std::isnan(date->Value()));
}

TEST(StringProp, CutsAtTwoHundredFiftyBytesOnACharacterBoundary) {
    auto prop = Make<TStringProp>();
    prop->SetAsVariant(fw::String(300, 'x'));
    EXPECT_EQ(prop->Text(), fw::String(250, 'x'));
    // 249 ASCII bytes and a two-byte letter: the letter would straddle the limit.
    prop->SetAsVariant(fw::String(249, 'a') + "яz");
    EXPECT_EQ(prop->Text(), fw::String(249, 'a'));
    prop->SetAsVariant(fw::String(125, '\0') + "я");
    EXPECT_EQ(prop->FSize, 251);
    const auto* stored = static_cast<const TStringPropValue*>(prop->FValue);
    EXPECT_EQ(stored->Len, 127) << "bytes, embedded zeros included";
    // Bytes that start no character are cut like characters of their own.
    prop->SetAsVariant(fw::String(320, '\xB0'));
    EXPECT_EQ(prop->Text(), fw::String(250, '\xB0'));
    prop->SetAsVariant(fw::String(248, 'a') + "\xE2\x82\xAC");
    EXPECT_EQ(prop->Text(), fw::String(248, 'a')) << "the euro sign would straddle the limit";
}

TEST(TextProp, ComparesLineByLineExactly) {
    auto prop = Make<TTextProp>();
    fw::TStringList same;
    same.SetText("one\ntwo\n");
    prop->SetAsVariant("one\ntwo");
    EXPECT_EQ(prop->CompareValue(&same), 0);
    fw::TStringList otherCase;
    otherCase.SetText("one\nTWO\n");
    EXPECT_NE(prop->CompareValue(&otherCase), 0);
    fw::TStringList extraLine;
    extraLine.SetText("one\ntwo\n\n");
    EXPECT_NE(prop->CompareValue(&extraLine), 0);
    TChangeCounter changes;
    changes.Attach(*prop);
    EXPECT_TRUE(prop->SetValue(&otherCase));
    EXPECT_EQ(prop->Lines()[1], "TWO");
    EXPECT_EQ(changes.Count, 1);
}

TEST(TextProp, TakesTheLinesOfASortedListButNotItsSorting) {
    fw::TStringList sorted;
    sorted.SetSorted(true);
    sorted.Add("b");
    sorted.Add("a");
    auto prop = Make<TTextProp>();
    EXPECT_TRUE(prop->SetValue(&sorted));
    EXPECT_EQ(prop->GetAsVariant(), fw::Variant("a\nb"));
    prop->SetAsVariant("z\ny\ny");
    EXPECT_EQ(prop->GetAsVariant(), fw::Variant("z\ny\ny")) << "lines kept as given";
}

TEST(TextProp, MemoTextRoundTripsThroughVariantsExactly) {
    for (const char* text : {"", "one line", "a\nb", "a\nb\n", "\n", "a\n\n\nb", "crlf\r\nkept\r\n",
                             "ends with two\n\n"}) {
        auto prop = Make<TTextProp>();
        prop->SetAsVariant(fw::String(text));
        EXPECT_EQ(prop->GetAsVariant(), fw::Variant(fw::String(text))) << text;
    }
    auto prop = Make<TTextProp>();
    prop->SetAsVariant("x\ny");
    auto copy = Make<TTextProp>();
    copy->Assign(prop.get());
    EXPECT_EQ(copy->GetAsVariant(), fw::Variant("x\ny"))
        << "an edited text writes its text back, never an empty value";
}

TEST(DateTimeProp, StoresTheDoubleOfDatesAndText) {
    auto prop = Make<TDateTimeProp>();
    prop->SetAsVariant(fw::Variant::FromDateTime(45000.5));
    EXPECT_EQ(prop->Value(), 45000.5);
    prop->SetAsVariant(3);
    EXPECT_EQ(prop->GetAsVariant(), fw::Variant::FromDateTime(3));
    EXPECT_EQ(prop->GetFloatValue(), 3);
}

// Text is a number of days when it reads as one in the format settings, a date
// otherwise.
TEST(DateTimeProp, TakesNumericTextAsDaysAndOtherTextAsADate) {
    fw::TFormatSettings settings;
    settings.DecimalSeparator = '.';
    settings.DateSeparator = '.';
    settings.ShortDateFormat = "dd/mm/yyyy";
    settings.LongTimeFormat = "hh:nn:ss";
    auto prop = Make<TDateTimeProp>();
    {
        fw::TFormatSettingsScope scope(settings);
        prop->SetAsVariant("3.5");
        EXPECT_EQ(prop->Value(), 3.5) << "not the 3rd of May";
        prop->SetAsVariant("-1.25");
        EXPECT_EQ(prop->Value(), -1.25);
        prop->SetAsVariant("01.01.2000 18:00:00");
        EXPECT_EQ(prop->Value(), 36526.75);
        EXPECT_THROW(prop->SetAsVariant("tomorrow"), fw::Exception);
        EXPECT_EQ(prop->Value(), 36526.75);
        // Days past the calendar's years 1 to 9999 are no date either.
        for (const char* days : {"1e308", "2958466", "-693594", "1e-371x"}) {
            EXPECT_THROW(prop->SetAsVariant(days), fw::Exception) << days;
        }
        EXPECT_EQ(prop->Value(), 36526.75);
        prop->SetAsVariant("1e-371");
        EXPECT_EQ(prop->Value(), 0.0);
    }
    settings.DecimalSeparator = ',';
    fw::TFormatSettingsScope scope(settings);
    prop->SetAsVariant("2,25");
    EXPECT_EQ(prop->Value(), 2.25);
    prop->SetAsVariant("28.12.1899");
    EXPECT_EQ(prop->Value(), -2.0);
}

TEST(FindPropValue, FirstCaseInsensitiveMatchWins) {
    int date = 1;
    int time = 2;
    int again = 3;
    const fw::String names[] = {"Date", "Time", "DATE"};
    void* const values[] = {&date, &time, &again};
    EXPECT_EQ(FindPropValue("date", names, values), &date);
    EXPECT_EQ(FindPropValue("TIME", names, values), &time);
    EXPECT_EQ(FindPropValue("Name", names, values), nullptr);
    EXPECT_EQ(FindPropValue("Date", {}, {}), nullptr);
    void* const tooFew[] = {&date};
    EXPECT_THROW(FindPropValue("time", names, tooFew), fw::EListError);
}

TEST(CompareBytes, UnsignedBytesUpToTheCount) {
    const unsigned char low[] = {1, 2, 0x7F};
    const unsigned char high[] = {1, 2, 0x80};
    EXPECT_EQ(CompareBytes(low, high, 3), -1);
    EXPECT_EQ(CompareBytes(high, low, 3), 1);
    EXPECT_EQ(CompareBytes(low, high, 2), 0);
    EXPECT_EQ(CompareBytes(low, high, 0), 0);
    EXPECT_EQ(CompareBytes(low, high, -4), 0);
}

TEST(ResourceStrings, DefaultsAndTranslation) {
    EXPECT_EQ(LoadResString(SDate), "Date");
    EXPECT_EQ(LoadResString(STrue), "True");
    ResStrings().Replace({{SDate, "Дата"}, {STrue, "Да"}});
    EXPECT_EQ(LoadResString(SDate), "Дата");
    EXPECT_EQ(LoadResString(SFalse), "False");
    ResStrings().Reset();
    EXPECT_EQ(LoadResString(STrue), "True");
}

} // namespace
} // namespace quire
