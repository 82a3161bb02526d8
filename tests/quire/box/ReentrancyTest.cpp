// SPDX-License-Identifier: MIT
// Hosts that act on the data set or the box while the box is calling out: an
// OnPropChange handler that posts, refreshes, cancels, moves, rebuilds the rows or
// raises; a pick list or a dialog during whose wait the data set is refreshed, moved
// or closed, or the error report refreshes it. Run under the sanitizers too: no row
// is used after it is freed, and no value reaches another record.

#include "BoxFixture.h"

#include "quire/box/RecordSnapshot.h"
#include "quire/editors/FormDateTime.h"
#include "quire/inplace/PickList.h"

#include "platform/controls/Application.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/db/Field.h"
#include "platform/rtl/DateUtils.h"
#include "platform/stdctrls/Button.h"

#include <gtest/gtest.h>

#include <functional>

namespace quire::test {
namespace {

using fw::Application;

class Reentrancy : public BoxFixture {
protected:
    void SetUp() override {
        BoxFixture::SetUp();
        ShowSample();
    }
    void TearDown() override {
        Application->OnModalShown = nullptr;
        Application->OnException = nullptr;
        BoxFixture::TearDown();
    }
    // Types aText into the row aName and commits it with Enter.
    void Commit(const std::string& aName, const std::string& aText) {
        ClickRow(aName);
        Input::Type(Edit(), aText);
        Input::Key(Edit(), fw::VK_RETURN);
    }
    fw::Variant Field(const std::string& aName) { return Table->FieldByName(aName).AsVariant(); }
    // On the pick list, once shown: aAct, then the entry aChoice accepted with Enter.
    void PickAfter(std::function<void()> aAct, const std::string& aChoice) {
        Application->OnModalShown = [aAct, aChoice](fw::TWinControl* aForm) {
            auto& list = *dynamic_cast<TPickListForm&>(*aForm).ListBox;
            aAct();
            list.SetItemIndex(list.Items()->IndexOf(aChoice));
            Input::Key(list, fw::VK_RETURN);
        };
    }
    // On the date dialog, once shown: aAct, then aDigits typed and OK.
    void DateAfter(std::function<void()> aAct, const std::string& aDigits) {
        Application->OnModalShown = [aAct, aDigits](fw::TWinControl* aForm) {
            auto& dialog = dynamic_cast<TFormDateTime&>(*aForm);
            aAct();
            Input::Type(*dialog.Picker, aDigits);
            Input::Key(*dialog.Picker, fw::VK_RETURN);
        };
    }
};

enum class THost { Posts, Refreshes, Cancels, RebuildsTheRows, ClearsTheRows };

class HandlerRebuilds : public Reentrancy, public ::testing::WithParamInterface<THost> {};

INSTANTIATE_TEST_SUITE_P(Hosts, HandlerRebuilds,
                         ::testing::Values(THost::Posts, THost::Refreshes, THost::Cancels,
                                           THost::RebuildsTheRows, THost::ClearsTheRows));

// The second field of the record: the handler finds the data set in edit state.
TEST_P(HandlerRebuilds, TheTypedValueStillReachesTheSameRecord) {
    Box->SetOnPropChange([this](fw::TObject*, const fw::String& aName, TProp*, int32_t) {
        if (aName != "total") {
            return;
        }
        switch (GetParam()) {
        case THost::Posts:
            Table->Post();
            break;
        case THost::Refreshes:
            Table->Refresh();
            break;
        case THost::Cancels:
            Table->Cancel();
            break;
        case THost::RebuildsTheRows:
            Box->NewProps(RecordToProps(*Table).get());
            break;
        case THost::ClearsTheRows:
            Box->ClearList();
            break;
        }
    });
    Commit("qty", "7");
    Commit("total", "99");
    EXPECT_EQ(Application->ExceptionCount(), 0) << Application->LastExceptionMessage();
    EXPECT_EQ(Field("total").AsInteger(), 99);
    EXPECT_EQ(Field("qty").AsInteger(), GetParam() == THost::Cancels ? 3 : 7);
    if (GetParam() != THost::ClearsTheRows) {
        EXPECT_EQ(Row("total")->GetValue(), "99");
        EXPECT_EQ(Box->ItemIndex(), ItemOf("total"));
        EXPECT_EQ(Edit().Text(), "99");
    }
    Table->Post();
    EXPECT_EQ(Stored("total", "Lamp").AsInteger(), 99);
}

TEST_F(Reentrancy, AHandlerThatMovesToAnotherRecordGetsNothingWrittenThere) {
    Box->SetOnPropChange([this](fw::TObject*, const fw::String& aName, TProp*, int32_t) {
        if (aName == "total") {
            Table->Next();
        }
    });
    Commit("qty", "7");
    Commit("total", "99");
    EXPECT_EQ(Field("name").AsString(), "Стол");
    EXPECT_EQ(Field("total").AsInteger(), 70000);
    EXPECT_EQ(Table->State(), fw::dsBrowse);
    EXPECT_EQ(Edit().Text(), "70000");
    EXPECT_EQ(Stored("total", "Lamp").AsInteger(), 120);
    EXPECT_EQ(Stored("qty", "Lamp").AsInteger(), 7); // posted by the move
}

TEST_F(Reentrancy, AHandlerThatRaisesLeavesRowAndStripShowingTheField) {
    bool postFirst = false;
    Box->SetOnPropChange([&](fw::TObject*, const fw::String& aName, TProp*, int32_t) {
        if (aName != "total") {
            return;
        }
        if (postFirst) {
            Table->Post();
        }
        throw fw::Exception("no totals today");
    });
    Commit("qty", "7");
    for (bool post : {false, true}) {
        postFirst = post;
        Application->ClearLastException();
        Commit("total", post ? "98" : "99");
        EXPECT_EQ(Application->LastExceptionMessage(), "no totals today") << post;
        EXPECT_EQ(Field("total").AsInteger(), 120) << post;
        EXPECT_EQ(Row("total")->GetValue(), "120") << post;
        EXPECT_EQ(Edit().Text(), "120") << post;
    }
    Table->Post();
    EXPECT_EQ(Stored("total", "Lamp").AsInteger(), 120);
    EXPECT_EQ(Stored("qty", "Lamp").AsInteger(), 7);
}

TEST_F(Reentrancy, APickListChoiceReachesItsRecordAfterARebuildAndNoOtherRecord) {
    ClickRow("active");
    PickAfter([this] { Table->Refresh(); }, "False");
    Input::Key(Edit(), fw::VK_DOWN, {fw::ssAlt});
    EXPECT_FALSE(Field("active").AsBoolean());
    EXPECT_EQ(Edit().Text(), "False");
    Table->Post();
    // The data set moves on while the list waits: the choice is dropped.
    PickAfter([this] { Table->Next(); }, "True");
    Input::Key(Edit(), fw::VK_DOWN, {fw::ssAlt});
    EXPECT_EQ(Field("name").AsString(), "Стол");
    EXPECT_FALSE(Field("active").AsBoolean());
    EXPECT_EQ(Table->State(), fw::dsBrowse);
    EXPECT_FALSE(Stored("active", "Lamp").AsBoolean());
    // The error report refreshes while the list waits: the choice still counts.
    Application->OnException = [this](fw::TObject*, const std::exception_ptr&) {
        Table->Refresh();
    };
    PickAfter([] {}, "True");
    const auto accept = Application->OnModalShown;
    Application->OnModalShown = [accept](fw::TWinControl* aForm) {
        accept(aForm);
        throw fw::Exception("reported while the list waits");
    };
    Input::Key(Edit(), fw::VK_DOWN, {fw::ssAlt});
    EXPECT_TRUE(Field("active").AsBoolean());
    EXPECT_EQ(Edit().Text(), "True");
    // Closed while the list waits: nothing to write into.
    PickAfter([this] { Table->Close(); }, "False");
    Input::Key(Edit(), fw::VK_DOWN, {fw::ssAlt});
    EXPECT_FALSE(Table->Active());
    EXPECT_EQ(Box->Count(), 0);
}

TEST_F(Reentrancy, ADialogChoiceReachesItsRecordAfterARebuildAndNoOtherRecord) {
    const auto openDate = [this] {
        Box->ExpandItem(ItemOf("stamp"));
        ClickRow("Date");
        Input::Key(Edit(), fw::VK_RETURN, {fw::ssCtrl});
    };
    DateAfter([this] { Table->Refresh(); }, "28121899");
    openDate();
    EXPECT_EQ(Field("stamp").AsDateTime(), fw::EncodeDate(1899, 12, 28) - 0.75);
    // A handler that posts when the dialog's value arrives.
    Box->SetOnPropChange(
        [this](fw::TObject*, const fw::String&, TProp*, int32_t) { Table->Post(); });
    DateAfter([] {}, "27121899");
    openDate();
    EXPECT_EQ(Field("stamp").AsDateTime(), fw::EncodeDate(1899, 12, 27) - 0.75);
    Table->Post();
    EXPECT_EQ(Stored("stamp", "Lamp").AsDateTime(), fw::EncodeDate(1899, 12, 27) - 0.75);
    Box->SetOnPropChange(nullptr);
    // Moved on, then closed, while the dialog waits: nothing is written.
    DateAfter([this] { Table->Next(); }, "01012001");
    openDate();
    EXPECT_EQ(Field("name").AsString(), "Стол");
    EXPECT_EQ(Table->State(), fw::dsBrowse);
    EXPECT_EQ(Field("stamp").AsDateTime(), -1.25);
    DateAfter([this] { Table->Close(); }, "01012001");
    openDate();
    EXPECT_FALSE(Table->Active());
    EXPECT_EQ(Box->Count(), 0);
}

} // namespace
} // namespace quire::test
