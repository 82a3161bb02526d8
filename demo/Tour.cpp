// SPDX-License-Identifier: MIT
#include "Tour.h"

#include "AboutBox.h"
#include "DemoErrors.h"
#include "DemoForm.h"
#include "RecordList.h"

#include "quire/inplace/PropEdit.h"
#include "quire/inplace/PropSelection.h"

#include "platform/controls/Application.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/db/SqlQuery.h"
#include "platform/qt/InputSimulator.h"
#include "platform/qt/WindowImage.h"
#include "platform/rtl/DateUtils.h"
#include "platform/stdctrls/DateTimePicker.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace demo {

namespace {

namespace fs = std::filesystem;
using Input = fw::TInputSimulator;

const fw::String NewTitle = "Анна Каренина";
const fw::TDateTime NewBorrowDate = fw::EncodeDate(2025, 5, 9);

fw::TPoint Center(const fw::TControl& aControl) {
    return fw::TPoint{aControl.Width() / 2, aControl.Height() / 2};
}

// The first component of class T that aOwner owns, searched depth first.
template <class T> T* FindOwned(fw::TComponent& aOwner, std::function<bool(T&)> aMatch = {}) {
    for (int32_t i = 0; i < aOwner.ComponentCount(); ++i) {
        fw::TComponent* component = aOwner.Components(i);
        if (component->InheritsFrom(T::StaticClass())) {
            T& candidate = static_cast<T&>(*component);
            if (!aMatch || aMatch(candidate))
                return &candidate;
        }
        if (T* found = FindOwned<T>(*component, aMatch))
            return found;
    }
    return nullptr;
}

class TTour {
public:
    TTour(TDemoForm& aForm, TDemoData& aData, fw::HMODULE aPackage, fw::String aFolder)
        : FForm(aForm), FData(aData), FPackage(aPackage), FFolder(std::move(aFolder)) {}

    void Run() {
        Opened();
        EditText();
        PickBoolean();
        ChangeDate();
        Post();
        Scroll();
        ChooseSeveral();
        DragDivider();
        About();
        CheckSaved();
    }

private:
    TDemoForm& FForm;
    TDemoData& FData;
    fw::HMODULE FPackage;
    fw::String FFolder;
    int32_t FStep = 0;

    quire::TQuire& Box() { return *FForm.Box(); }
    fw::TDataSet& Table() { return *FData.Table; }
    fw::TCustomEdit& EditField() { return *Box().FSelection->FEdit; }

    void Expect(bool aCondition, const fw::String& aWhat) {
        if (!aCondition)
            throw EDemoError("tour step " + std::to_string(FStep + 1) + ": " + aWhat);
    }

    // Saves the window, with aPopup (a pick list, a dialog) drawn where it lies.
    void Picture(const fw::String& aName, const fw::String& aCaption,
                 fw::TWinControl* aPopup = nullptr) {
        fw::Application->ProcessMessages();
        Expect(fw::Application->ExceptionCount() == 0,
               "the window reported \"" + fw::Application->LastExceptionMessage() + "\"");
        ++FStep;
        fw::String number(FStep < 10 ? 1 : 0, '0');
        number += std::to_string(FStep) + "-";
        const fw::String file = (fs::path(FFolder) / (number + aName + ".png")).string();
        fw::TBitmap window;
        fw::CaptureWindow(FForm, window);
        if (aPopup == nullptr) {
            window.SaveToFile(file);
        } else {
            fw::TBitmap popup;
            fw::CaptureWindow(*aPopup, popup);
            const fw::TPoint main = FForm.ClientOrigin();
            const fw::TPoint over = aPopup->ClientOrigin();
            const int32_t left = std::min(main.X, over.X);
            const int32_t top = std::min(main.Y, over.Y);
            fw::TBitmap picture;
            picture.SetSize(std::max(main.X + window.Width(), over.X + popup.Width()) - left,
                            std::max(main.Y + window.Height(), over.Y + popup.Height()) - top);
            picture.Canvas().Brush().SetColor(fw::RGB(0, 128, 128));
            picture.Canvas().FillRect(fw::Rect(0, 0, picture.Width(), picture.Height()));
            picture.Canvas().Draw(main.X - left, main.Y - top, window);
            picture.Canvas().Draw(over.X - left, over.Y - top, popup);
            // A frame, as the window system would draw one.
            picture.Canvas().Brush().SetColor(fw::RGB(64, 64, 64));
            const fw::TRect frame =
                fw::Rect(over.X - left - 1, over.Y - top - 1, over.X - left + popup.Width() + 1,
                         over.Y - top + popup.Height() + 1);
            for (const fw::TRect& edge :
                 {fw::Rect(frame.Left, frame.Top, frame.Right, frame.Top + 1),
                  fw::Rect(frame.Left, frame.Bottom - 1, frame.Right, frame.Bottom),
                  fw::Rect(frame.Left, frame.Top, frame.Left + 1, frame.Bottom),
                  fw::Rect(frame.Right - 1, frame.Top, frame.Right, frame.Bottom)})
                picture.Canvas().FillRect(edge);
            picture.SaveToFile(file);
        }
        std::printf("  %s  %s\n", fs::path(file).filename().c_str(), aCaption.c_str());
        std::fflush(stdout);
    }

    int32_t Row(const fw::String& aName) {
        const int32_t index = Box().Items()->IndexOf(aName);
        Expect(index >= 0, "the box has no row " + aName);
        return index;
    }
    fw::TPoint NamePoint(int32_t aIndex) {
        const fw::TRect item = Box().ItemRect(aIndex);
        return fw::TPoint{24, (item.Top + item.Bottom) / 2};
    }
    void Select(const fw::String& aName) {
        const int32_t index = Row(aName);
        Input::Click(Box(), NamePoint(index));
        Expect(Box().ItemIndex() == index, "a click on " + aName + " did not select it");
    }

    // Runs aAction; aOnModal acts on the first modal form it opens. A form that
    // aOnModal leaves open, or that it fails on, is cancelled so that the tour never
    // waits for a person.
    bool WithModal(const std::function<void()>& aAction,
                   const std::function<void(fw::TForm&)>& aOnModal, const fw::String& aWhat) {
        bool shown = false;
        bool leftOpen = false;
        std::exception_ptr error;
        fw::Application->OnModalShown = [&](fw::TWinControl* aForm) {
            if (shown)
                return;
            shown = true;
            auto& form = static_cast<fw::TForm&>(*aForm);
            try {
                aOnModal(form);
            } catch (...) {
                error = std::current_exception();
            }
            fw::Application->ProcessMessages();
            if (form.Visible() && form.ModalResult() == fw::mrNone) {
                leftOpen = error == nullptr;
                form.SetModalResult(fw::mrCancel);
                form.Close();
            }
        };
        aAction();
        fw::Application->OnModalShown = nullptr;
        fw::Application->ProcessMessages();
        if (error)
            std::rethrow_exception(error);
        Expect(!leftOpen, aWhat + " stayed open");
        return shown;
    }

    void Opened() {
        Expect(Box().Items()->Count() == 9,
               "the sample shows " + std::to_string(Box().Items()->Count()) + " rows instead of 9");
        Picture("opened", "the sample catalogue, record 1 of 5: one row per field");
    }

    void EditText() {
        Select("Title");
        fw::TCustomEdit& edit = EditField();
        Input::Key(edit, 'A', {fw::ssCtrl});
        Input::Type(edit, NewTitle);
        Input::Key(edit, fw::VK_RETURN);
        Expect(Table().FieldByName("Title").AsString() == NewTitle,
               "the typed title did not reach the field");
        Expect(Table().State() == fw::dsEdit, "the record is not in edit state");
        Picture("text-edited", "a new title typed in place and committed with Enter");
    }

    void PickBoolean() {
        Select("InStock");
        const bool before = Table().FieldByName("InStock").AsBoolean();
        const bool listed = WithModal(
            [&] { Input::Key(EditField(), fw::VK_DOWN, {fw::ssAlt}); },
            [&](fw::TForm& aList) {
                Picture("pick-list", "Alt+Down opens the pick list of the boolean row", &aList);
                fw::TWinControl* target = aList.ActiveControl();
                fw::TWinControl& keys = target != nullptr ? *target : aList;
                Input::Key(keys, before ? fw::VK_UP : fw::VK_DOWN);
                Input::Key(keys, fw::VK_RETURN);
            },
            "the pick list");
        Expect(listed, "Alt+Down on the boolean row opened no pick list");
        Expect(Table().FieldByName("InStock").AsBoolean() != before,
               "the value picked from the list did not reach the field");
        Picture("boolean-picked", "the other value picked from the list");
    }

    void ChangeDate() {
        const int32_t row = Row("LastBorrowed");
        Input::DoubleClick(Box(), NamePoint(row));
        Expect(Box().Items()->Count() == 11, "a double click did not expand the date-time row");
        Select("Date");
        const fw::TDateTime time = fw::TimeOf(Table().FieldByName("LastBorrowed").AsDateTime());
        const bool shown = WithModal(
            [&] { Input::Key(EditField(), fw::VK_RETURN, {fw::ssCtrl}); },
            [&](fw::TForm& aDialog) {
                auto* picker = FindOwned<fw::TDateTimePicker>(aDialog);
                Expect(picker != nullptr, "the date dialog has no date picker");
                picker->SetDate(NewBorrowDate);
                Picture("date-dialog", "Ctrl+Enter on the Date row opens its dialog", &aDialog);
                auto* ok = FindOwned<fw::TButton>(aDialog, [](fw::TButton& aButton) {
                    return aButton.ModalResult() == fw::mrOk;
                });
                Expect(ok != nullptr, "the date dialog has no OK button");
                Input::Click(*ok, Center(*ok));
            },
            "the date dialog");
        Expect(shown, "Ctrl+Enter on the Date row opened no dialog");
        const fw::TDateTime stored = Table().FieldByName("LastBorrowed").AsDateTime();
        Expect(fw::DateOf(stored) == NewBorrowDate && fw::TimeOf(stored) == time,
               "the date chosen in the dialog did not reach the date-time field");
        Picture("date-changed", "the new date, recombined with the time in the parent row");
    }

    void Post() {
        fw::TButton& post = *FForm.CommandButton(dcPost);
        Input::Click(post, Center(post));
        Expect(Table().State() == fw::dsBrowse, "Post left the record in edit state");
        Picture("posted", "Post writes the record; the status line shows Browse");
    }

    void Scroll() {
        fw::TButton& next = *FForm.CommandButton(dcNext);
        Input::Click(next, Center(next));
        Expect(Table().RecNo() == 2, "Next did not move to record 2");
        Picture("next-record", "Next: the rows are rebuilt for record 2");
        fw::TButton& last = *FForm.CommandButton(dcLast);
        Input::Click(last, Center(last));
        Expect(Table().RecNo() == 5, "Last did not move to record 5");
        Picture("last-record", "Last: record 5 of 5");
    }

    void ClickTitle(int32_t aRecNo, fw::TShiftState aShift = {}) {
        TRecordList& list = *FForm.RecordList();
        const fw::TRect item = list.ItemRect(aRecNo - 1);
        Input::Click(list, fw::TPoint{item.Left + 20, (item.Top + item.Bottom) / 2}, fw::mbLeft,
                     aShift);
    }

    void ChooseSeveral() {
        ClickTitle(2);
        Expect(Table().RecNo() == 2, "a click on the second title did not move to it");
        ClickTitle(3, {fw::ssCtrl});
        ClickTitle(4, {fw::ssCtrl});
        Expect(Box().SelectedRecords() == std::vector<int64_t>{2, 3, 4},
               "Ctrl+click on two more titles did not show three records");
        const auto agree = [&](const fw::String& aName) {
            return Box().GetEditInfo(Row(aName))->FAllEqual;
        };
        Expect(!agree("InStock") && !agree("Shelf") && !agree("Title"),
               "the rows of three different books agree");
        Picture("several-records", "three books chosen with Ctrl+click: rows whose books "
                                   "disagree show a grey name and no value");
        Select("InStock");
        Input::Type(EditField(), "True");
        Input::Key(EditField(), fw::VK_RETURN);
        std::vector<bool> inStock;
        Table().ForEachRecord(
            {2, 3, 4}, [&] { inStock.push_back(Table().FieldByName("InStock").AsBoolean()); });
        Expect(inStock == std::vector<bool>{true, true, true},
               "True typed into InStock did not reach all three books");
        Expect(agree("InStock"), "the InStock row does not show the common value");
        Picture("several-records-set", "True typed into InStock: written into all three books "
                                       "in one transaction");
        ClickTitle(5);
        Expect(Box().SelectedRecords().empty() && Table().RecNo() == 5,
               "a click on one title did not go back to a single record");
    }

    void DragDivider() {
        const int32_t from = Box().FDividerPos;
        const int32_t y = NamePoint(0).Y;
        Input::Pause(1000);
        Input::Drag(Box(), fw::TPoint{from, y}, fw::TPoint{from + 60, y});
        // The divider snaps to a whole percentage of the width.
        const int32_t snap = Box().ClientWidth() / 100 + 1;
        Expect(std::abs(Box().FDividerPos - (from + 60)) <= snap,
               "the divider did not follow the drag");
        Picture("divider-dragged", "the divider dragged 60 pixels to the right");
    }

    void About() {
        fw::TButton& about = *FForm.CommandButton(dcAbout);
        const bool shown = WithModal(
            [&] { Input::Click(about, Center(about)); },
            [&](fw::TForm& aBox) {
                const auto lines = static_cast<TAboutBox&>(aBox).Lines();
                Expect(std::find(lines.begin(), lines.end(), "Page \"Data Controls\"") !=
                           lines.end(),
                       "the About box does not show the package's palette page");
                Picture("about", "About: the package and the palette page it registered", &aBox);
                aBox.SetModalResult(fw::mrOk);
            },
            "the About box");
        Expect(shown, "the About button opened no About box");
    }

    // Reads the posted record back through a connection of its own.
    void CheckSaved() {
        fw::TSqlConnection connection;
        connection.SetDatabaseName(FData.Connection->DatabaseName());
        connection.Open();
        fw::TSqlQuery query;
        query.SetConnection(&connection);
        query.SetSQL("SELECT Title, LastBorrowed FROM Catalogue WHERE Id = 1");
        query.Open();
        Expect(query.Fields(0).AsString() == NewTitle,
               "the posted title is not in the database file");
        Expect(fw::DateOf(query.Fields(1).AsDateTime()) == NewBorrowDate,
               "the posted date is not in the database file");
        std::printf("  the posted record reads back from %s\n",
                    FData.Connection->DatabaseName().c_str());
    }
};

} // namespace

fw::String PrepareTourDatabase(const fw::String& aFolder) {
    fs::create_directories(aFolder);
    for (const auto& entry : fs::directory_iterator(aFolder))
        if (entry.path().extension() == ".png")
            fs::remove(entry.path());
    const fw::String path = (fs::path(aFolder) / "tour.db").string();
    fs::remove(path);
    CreateSampleDatabase(path);
    return path;
}

void RunTour(TDemoData& aData, fw::HMODULE aPackage, const fw::String& aFolder) {
    fw::Application->SetShowExceptionDialogs(false);
    TDemoForm form(aData, aPackage);
    form.Show();
    fw::Application->ProcessMessages();
    std::printf("quire-demo: the scripted tour; pictures in %s\n", aFolder.c_str());
    TTour(form, aData, aPackage, aFolder).Run();
}

} // namespace demo
