// SPDX-License-Identifier: MIT
#include "platform/rtl/StringList.h"
#include "platform/rtl/AnsiStrings.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

class TTracked : public fw::TObject {
    FW_CLASS(TTracked, fw::TObject)
public:
    explicit TTracked(int& aAlive) : FAlive(aAlive) { ++FAlive; }
    ~TTracked() override { --FAlive; }

private:
    int& FAlive;
};
FW_IMPLEMENT_ABSTRACT_CLASS(TTracked)

std::vector<fw::String> Names(const fw::TStrings& aList) {
    std::vector<fw::String> names;
    for (int32_t i = 0; i < aList.Count(); ++i) {
        names.push_back(aList[i]);
    }
    return names;
}

TEST(AnsiCompare, FoldsCaseInEveryScriptAndOrdersByCollation) {
    EXPECT_EQ(fw::AnsiCompareText("date", "DATE"), 0);
    EXPECT_EQ(fw::AnsiCompareText("дата", "ДАТА"), 0);
    EXPECT_EQ(fw::AnsiCompareText("Ёлка", "ёЛКА"), 0);
    EXPECT_LT(fw::AnsiCompareText("apple", "Banana"), 0);
    EXPECT_LT(fw::AnsiCompareText("ёлка", "Ягода"), 0) << "ё sorts with е, not after я";
    // Which script comes first is the locale's choice (a Russian collation puts
    // Cyrillic first); either way the order is one order.
    EXPECT_NE(fw::AnsiCompareText("Zebra", "ягода"), 0);
    EXPECT_EQ(fw::AnsiCompareText("Zebra", "ягода"), -fw::AnsiCompareText("ягода", "Zebra"));
    EXPECT_NE(fw::AnsiCompareStr("abc", "ABC"), 0);
    EXPECT_EQ(fw::AnsiCompareStr("abc", "abc"), 0);
    EXPECT_EQ(fw::AnsiCompareStr("b", "a"), 1);
    EXPECT_EQ(fw::AnsiCompareStr("a", "b"), -1);
}

TEST(AnsiCompare, TextsDifferingInMoreThanLetterCaseAreNotTheSame) {
    using namespace std::string_literals;
    // The collation skips control characters; the texts must still differ.
    const std::pair<fw::String, fw::String> cases[] = {{"True\x00"s, "True"},
                                                       {"\x01"
                                                        "False",
                                                        "False"},
                                                       {"Tr\x07ue", "True"},
                                                       {"\x14Red", "Red"}};
    for (const auto& [odd, plain] : cases) {
        EXPECT_FALSE(fw::AnsiSameText(odd, plain)) << plain;
        EXPECT_EQ(fw::AnsiCompareText(odd, plain), -fw::AnsiCompareText(plain, odd)) << plain;
    }
    EXPECT_TRUE(fw::AnsiSameText("tRuE", "True"));
    // Bytes that are not UTF-8 all read as one replacement character.
    EXPECT_FALSE(fw::AnsiSameText("a\xB0", "a\xB1"));
    EXPECT_TRUE(fw::AnsiSameText("A\xB0", "A\xB0"));
}

TEST(Utf8Truncate, NeverSplitsACharacter) {
    EXPECT_EQ(fw::Utf8Truncate("abc", 5), "abc");
    EXPECT_EQ(fw::Utf8Truncate("abcdef", 3), "abc");
    // "я" is two bytes: a cut at 3 would split the second one.
    EXPECT_EQ(fw::Utf8Truncate("яя", 3), "я");
    EXPECT_EQ(fw::Utf8Truncate("a€", 3), "a") << "three-byte character dropped whole";
    EXPECT_EQ(fw::Utf8Truncate("a€", 4), "a€");
}

TEST(Utf8Truncate, StrayContinuationBytesAreCharactersOfTheirOwn) {
    EXPECT_EQ(fw::Utf8Truncate(fw::String(320, '\xB0'), 250), fw::String(250, '\xB0'));
    // A lead byte more than three bytes back cannot start the character at the cut.
    const fw::String stray = "\xC3" + fw::String(5, '\xB0');
    EXPECT_EQ(fw::Utf8Truncate(stray, 4), stray.substr(0, 4));
    // A two-byte lead followed by strays: the cut is past its character.
    EXPECT_EQ(fw::Utf8Truncate("\xC3\xA9\xB0\xB0", 3), "\xC3\xA9\xB0");
    EXPECT_EQ(fw::Utf8Truncate("ab\xF0\x9F\x98\x80", 5), "ab") << "four-byte character whole";
}

TEST(StringList, UnsortedKeepsOrderAndFindsCaseInsensitively) {
    fw::TStringList list;
    list.Add("Date");
    list.Add("Time");
    list.Add("date");
    EXPECT_EQ(list.IndexOf("DATE"), 0);
    EXPECT_EQ(list.IndexOf("ВРЕМЯ"), -1);
    list.Add("время");
    EXPECT_EQ(list.IndexOf("ВРЕМЯ"), 3);
    list.Insert(1, "Name");
    EXPECT_EQ(Names(list), (std::vector<fw::String>{"Date", "Name", "Time", "date", "время"}));
    list.Delete(0);
    EXPECT_EQ(list[0], "Name");
}

TEST(StringList, SortedInsertsInOrderAndObeysTheDuplicatesRule) {
    fw::TStringList list;
    list.SetSorted(true);
    for (const char* name : {"Time", "date", "Alpha", "Zulu"}) {
        list.Add(name);
    }
    EXPECT_EQ(Names(list), (std::vector<fw::String>{"Alpha", "date", "Time", "Zulu"}));
    int32_t index = -1;
    EXPECT_TRUE(list.Find("TIME", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find("Beta", index));
    EXPECT_EQ(index, 1) << "the place where the name would go";

    EXPECT_EQ(list.Add("DATE"), 1) << "dupIgnore answers the present entry";
    EXPECT_EQ(list.Count(), 4);
    list.SetDuplicates(fw::dupError);
    EXPECT_THROW(list.Add("zulu"), fw::EStringListError);
    list.SetDuplicates(fw::dupAccept);
    list.Add("zulu");
    EXPECT_EQ(list.Count(), 5);
    EXPECT_THROW(list.Insert(0, "x"), fw::EStringListError);
}

TEST(StringList, ObjectSlotsCarryObjectsClassesAndIntegersWithoutCasts) {
    int alive = 0;
    fw::TStringList list;
    auto tracked = std::make_unique<TTracked>(alive);
    list.AddObject("object", tracked.get());
    list.AddObject("class", fw::TStringList::StaticClass());
    list.AddObject("integer", 42);
    EXPECT_EQ(list.GetObject(0).As<TTracked>(), tracked.get());
    EXPECT_EQ(list.GetObject(1).Class(), fw::TStringList::StaticClass());
    EXPECT_EQ(list.GetObject(2).Integer(), 42);
    EXPECT_EQ(list.GetObject(2).Object(), nullptr) << "an integer is not an object";
    EXPECT_EQ(list.IndexOfObject(42), 2);
    EXPECT_EQ(list.IndexOfObject(tracked.get()), 0);
    list.Clear();
    EXPECT_EQ(alive, 1) << "a list that does not own its objects leaves them alone";
}

TEST(StringList, OwningListFreesObjectsOnDeleteReplaceClearAndDestruction) {
    int alive = 0;
    {
        fw::TStringList list(true);
        list.AddObject("a", new TTracked(alive));
        list.AddObject("b", new TTracked(alive));
        list.AddObject("c", new TTracked(alive));
        list.Delete(0);
        EXPECT_EQ(alive, 2);
        list.PutObject(0, new TTracked(alive));
        EXPECT_EQ(alive, 2) << "the replaced object is freed";
        fw::TStringList copy;
        EXPECT_THROW(list.Assign(copy), fw::EStringListError);
    }
    EXPECT_EQ(alive, 0);
}

TEST(StringList, IndexErrorsNameTheIndex) {
    fw::TStringList list;
    list.Add("one");
    try {
        list.Get(3);
        FAIL() << "no exception";
    } catch (const fw::EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    EXPECT_THROW(list.Delete(-1), fw::EListError);
    EXPECT_THROW(list.Insert(2, "x"), fw::EListError);
    EXPECT_NO_THROW(list.Insert(1, "x"));
}

TEST(StringList, TextJoinsWithLineFeedsAndSplitsEveryLineBreakKind) {
    fw::TStringList list;
    list.SetText("one\r\ntwo\rthree\nfour\n");
    EXPECT_EQ(Names(list), (std::vector<fw::String>{"one", "two", "three", "four"}));
    EXPECT_EQ(list.GetText(), "one\ntwo\nthree\nfour\n");
    list.SetText("a\n\nb");
    EXPECT_EQ(list.Count(), 3);
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, AssignCopiesStringsObjectsAndSortingAndNotifies) {
    fw::TStringList source;
    source.SetSorted(true);
    source.AddObject("b", 2);
    source.AddObject("a", 1);
    fw::TStringList target;
    int changes = 0;
    target.OnChange = [&](fw::TObject*) { ++changes; };
    target.Add("old");
    target.Assign(source);
    EXPECT_TRUE(target.Sorted());
    EXPECT_EQ(Names(target), (std::vector<fw::String>{"a", "b"}));
    EXPECT_EQ(target.GetObject(1).Integer(), 2);
    EXPECT_GT(changes, 0);
}

} // namespace
