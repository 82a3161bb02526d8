// SPDX-License-Identifier: MIT
#include "quire/values/MultiPropList.h"
#include "quire/values/PropKinds.h"
#include "quire/values/SubPropList.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace quire {
namespace {

// A property kind that counts how many of its kind are alive.
class TCountedProp : public TLongintProp {
    FW_CLASS(TCountedProp, TLongintProp)
public:
    static inline int Alive = 0;
    ~TCountedProp() override { --Alive; }

protected:
    TCountedProp() { ++Alive; }
};
FW_IMPLEMENT_CLASS(TCountedProp)

std::unique_ptr<TProp> Longint(int32_t aValue) {
    auto prop = fw::New<TLongintProp>();
    prop->SetOrdValue(aValue);
    return prop;
}

TEST(PropList, AllEqualsAndIdentity) {
    TPropList list;
    EXPECT_TRUE(list.AllEquals());
    list.Add(Longint(1));
    EXPECT_TRUE(list.AllEquals());
    list.Add(Longint(2));
    list.Add(Longint(1));
    EXPECT_FALSE(list.AllEquals());
    TPropList other;
    other.Add(Longint(1));
    EXPECT_EQ(list.IndexOf(other.GetProp(0)), -1) << "identity, not value";
    EXPECT_EQ(list.IndexOf(list.GetProp(2)), 2);
    EXPECT_THROW(list.GetProp(3), fw::EListError);
}

TEST(PropList, OwnsItsProperties) {
    {
        TPropList list;
        list.Add(fw::CreateAs<TProp>(TCountedProp::StaticClass()));
        list.Add(fw::CreateAs<TProp>(TCountedProp::StaticClass()));
        EXPECT_EQ(TCountedProp::Alive, 2);
        list.Clear();
        EXPECT_EQ(TCountedProp::Alive, 0);
        list.Add(fw::CreateAs<TProp>(TCountedProp::StaticClass()));
    }
    EXPECT_EQ(TCountedProp::Alive, 0);
}

TEST(MultiPropList, KeepsDuplicateNamesInOrderAndFindsTheFirst) {
    TMultiPropList lists;
    TPropList* first = lists.AddList("Date", TDateProp::StaticClass(), 1);
    TPropList* second = lists.AddList("date", TDateProp::StaticClass(), 1);
    EXPECT_EQ(lists.GetCount(), 2);
    EXPECT_EQ(lists.GetName(1), "date");
    EXPECT_EQ(lists.FindListByName("DATE"), first);
    EXPECT_EQ(lists.GetList(1), second);
    EXPECT_EQ(lists.FindListByName("Time"), nullptr);
    try {
        lists.GetListByName("Время");
        FAIL() << "no exception";
    } catch (const fw::Exception& e) {
        EXPECT_EQ(e.Message(), "TMultiPropList.GetPropsByName: Не найдено имя свойства \"Время\"");
    }
    EXPECT_THROW(lists.GetName(2), fw::EListError);
}

TEST(MultiPropList, AddListMakesDistinctZeroProperties) {
    TMultiPropList lists;
    TPropList* list = lists.AddList("n", TLongintProp::StaticClass(), 3);
    ASSERT_EQ(list->GetCount(), 3);
    EXPECT_NE(list->GetProp(0), list->GetProp(1));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list->GetProp(i)->ClassType(), TLongintProp::StaticClass());
        EXPECT_EQ(list->GetProp(i)->GetOrdValue(), 0);
        EXPECT_FALSE(list->GetProp(i)->FOnChange);
    }
    EXPECT_EQ(lists.AddList("none", TLongintProp::StaticClass(), -1)->GetCount(), 0);
    EXPECT_THROW(lists.AddList("bad", TPropList::StaticClass(), 1), fw::Exception);
}

TEST(MultiPropList, ClearListsKeepsNamesClearDropsEverything) {
    {
        TMultiPropList lists;
        lists.AddList("a", TCountedProp::StaticClass(), 2);
        lists.AddList("b", TCountedProp::StaticClass(), 1);
        lists.ClearLists();
        EXPECT_EQ(TCountedProp::Alive, 0);
        EXPECT_EQ(lists.GetCount(), 2);
        EXPECT_EQ(lists.GetList(0)->GetCount(), 0);
        lists.AddList("c", TCountedProp::StaticClass(), 2);
        lists.Clear();
        EXPECT_EQ(lists.GetCount(), 0);
        EXPECT_EQ(TCountedProp::Alive, 0);
        lists.AddList("d", TCountedProp::StaticClass(), 2);
    }
    EXPECT_EQ(TCountedProp::Alive, 0) << "destroying the collection frees lists and properties";
}

TEST(MultiPropList, SortedCollectionKeepsEveryListItReceives) {
    TMultiPropList lists;
    lists.AddList("b", TCountedProp::StaticClass(), 1);
    lists.SetSorted(true);
    lists.AddList("a", TCountedProp::StaticClass(), 1);
    lists.AddList("B", TCountedProp::StaticClass(), 1);
    EXPECT_EQ(lists.GetCount(), 3);
    EXPECT_EQ(lists.GetName(0), "a");
    EXPECT_EQ(TCountedProp::Alive, 3);
    lists.Clear();
    EXPECT_EQ(TCountedProp::Alive, 0);
}

TEST(SubPropList, SortedByNameAndTheLastPropertyGivenWins) {
    auto date = fw::New<TDateProp>();
    auto time = fw::New<TTimeProp>();
    auto other = fw::New<TDateProp>();
    {
        TSubPropList subs;
        subs.Add("Time", time.get());
        subs.Add("Date", date.get());
        EXPECT_EQ(subs.GetName(0), "Date");
        EXPECT_EQ(subs.GetPropByName("date"), date.get());
        subs.Add("DATE", other.get());
        EXPECT_EQ(subs.GetCount(), 2);
        EXPECT_EQ(subs.GetName(0), "Date") << "the first spelling stays";
        EXPECT_EQ(subs.GetPropByName("Date"), other.get());
        try {
            subs.GetPropByName("Zone");
            FAIL() << "no exception";
        } catch (const fw::Exception& e) {
            EXPECT_EQ(e.Message(), "TSubPropList.GetPropByName: Не найдено имя свойства \"Zone\"");
        }
        subs.Clear();
        EXPECT_EQ(subs.GetCount(), 0);
        subs.Add("Date", date.get());
    }
    date->SetAsVariant(1.5);
    EXPECT_EQ(date->Value(), 1.5) << "the view never owned the properties";
}

} // namespace
} // namespace quire
