// SPDX-License-Identifier: MIT
#include "SoakRun.h"

#include "quire/box/Quire.h"
#include "quire/box/RecordSnapshot.h"
#include "quire/editors/EditTextForm.h"
#include "quire/editors/FormDateTime.h"
#include "quire/editors/PropEditorRegistry.h"
#include "quire/inplace/PickList.h"
#include "quire/inplace/PropEdit.h"
#include "quire/inplace/PropSelection.h"

#include "platform/controls/Application.h"
#include "platform/controls/SystemState.h"
#include "platform/controls/Timer.h"
#include "platform/controls/VirtualKeys.h"
#include "platform/db/DataSource.h"
#include "platform/db/DbTestSupport.h"
#include "platform/db/Field.h"
#include "platform/db/SqlQuery.h"
#include "platform/db/SqlTable.h"
#include "platform/qt/InputSimulator.h"
#include "platform/qt/QtWindow.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/Form.h"
#include "quire/values/PropKinds.h"

#include <QApplication>

#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>

namespace soak {

namespace {

using Input = fw::TInputSimulator;
using quire::TPropEditInfo;
using quire::TQuire;

struct TSoakFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The first failed check of the action. Checks that run inside the box's calls out
// (the host's handler, the modal hook) raise through the framework's report, which
// would swallow them, so the run reads this after every action.
std::string& PendingFailure() {
    static std::string failure;
    return failure;
}

void Check(bool aCondition, const std::string& aWhat) {
    if (!aCondition) {
        if (PendingFailure().empty()) {
            PendingFailure() = aWhat;
        }
        throw TSoakFailure(aWhat);
    }
}

fw::TFormatSettings SoakSettings() {
    fw::TFormatSettings settings;
    settings.DecimalSeparator = ',';
    settings.ThousandSeparator = ' ';
    settings.DateSeparator = '.';
    settings.TimeSeparator = ':';
    settings.ShortDateFormat = "dd/mm/yyyy";
    settings.LongTimeFormat = "hh:nn:ss";
    return settings;
}

// Equal values; dates and times within a millisecond (the database keeps no finer).
bool SameValue(const fw::Variant& aFirst, const fw::Variant& aSecond) {
    if (aFirst.VarType() == fw::varDate && aSecond.VarType() == fw::varDate) {
        return std::fabs(aFirst.AsDateTime() - aSecond.AsDateTime()) < 1.0 / 86400000;
    }
    return aFirst == aSecond;
}

std::string Show(const fw::Variant& aValue) {
    if (aValue.IsNull()) {
        return "NULL";
    }
    if (aValue.IsEmpty()) {
        return "(empty)";
    }
    return std::string(fw::VarTypeName(aValue.VarType())) + " " + aValue.AsString();
}

fw::TButton* ButtonOf(fw::TWinControl& aParent, const fw::String& aCaption) {
    for (int32_t i = 0; i < aParent.ControlCount(); ++i) {
        if (auto* button = dynamic_cast<fw::TButton*>(aParent.Controls(i))) {
            if (button->Caption() == aCaption) {
                return button;
            }
        }
        if (auto* inner = dynamic_cast<fw::TWinControl*>(aParent.Controls(i))) {
            if (fw::TButton* found = ButtonOf(*inner, aCaption)) {
                return found;
            }
        }
    }
    return nullptr;
}

struct TKey {
    uint16_t Key;
    fw::TShiftState Shift;
};

const TKey kKeys[] = {
    {fw::VK_RETURN, {}},
    {fw::VK_RETURN, {}},
    {fw::VK_ESCAPE, {}},
    {fw::VK_TAB, {}},
    {fw::VK_UP, {}},
    {fw::VK_DOWN, {}},
    {fw::VK_DOWN, {}},
    {fw::VK_PRIOR, {}},
    {fw::VK_NEXT, {}},
    {fw::VK_HOME, {}},
    {fw::VK_END, {}},
    {fw::VK_BACK, {}},
    {fw::VK_RETURN, {fw::ssCtrl}},
    {fw::VK_DOWN, {fw::ssAlt}},
    {fw::VK_UP, {fw::ssAlt}},
};

class TSoakRun {
public:
    TSoakRun() {
        fw::SetTickCount(1000000);
        fw::SetDoubleClickTime(500);
        fw::Application->SetShowExceptionDialogs(false);
        fw::Application->ClearLastException();
        CreateDatabase();
        FReader = Connect();
        FTable = fw::New<fw::TSqlTable>();
        FTable->SetConnection(FDb.get());
        FTable->SetTableName("soak");
        FSource = fw::New<fw::TDataSource>();
        FSource->SetDataSet(FTable.get());
        FForm = fw::New<fw::TForm>(nullptr, 0);
        FForm->SetBounds(40, 40, 420, 320);
        FBox = fw::CreateOwned<TQuire>(FForm.get());
        FBox->SetBounds(10, 10, 300, 150);
        FBox->SetParent(FForm.get());
        FBox->SetDataSource(FSource.get());
        FBox->SetOnPropChange([this](fw::TObject*, const fw::String& aName, quire::TProp*,
                                     int32_t) { HostHandler(aName); });
        fw::Application->OnModalShown = [this](fw::TWinControl* aForm) { ActOnModal(*aForm); };
        FForm->Show();
        FTable->Open();
        fw::Application->ProcessMessages();
        ReadDatabase(); // the column names
        FStored = ReadDatabase(&FStoredForms);
    }
    ~TSoakRun() {
        fw::Application->OnModalShown = nullptr;
        FDialogForm.reset();
        FForm.reset();
        FSource.reset();
        FTable.reset();
        fw::Application->ProcessMessages();
        fw::ReleaseCapture();
    }

    void Run(const TAction& aAction) {
        FAction = &aAction;
        const int32_t reportsBefore = fw::Application->ExceptionCount();
        NoteEditedRow();
        Perform(aAction);
        fw::Application->ProcessMessages();
        if (!PendingFailure().empty()) {
            throw TSoakFailure(PendingFailure());
        }
        NoteEditedRow();
        FResult.Reports += fw::Application->ExceptionCount() - reportsBefore;
        CheckInvariants();
    }

    TRunResult& Result() { return FResult; }

private:
    // --- the database -----------------------------------------------------------------

    std::unique_ptr<fw::TSqlConnection> Connect() {
        auto db = fw::New<fw::TSqlConnection>();
        db->SetDatabaseName(FDir.File("soak.db"));
        db->Open();
        return db;
    }

    void CreateDatabase() {
        FDb = Connect();
        FDb->ExecSQL("CREATE TABLE soak (id INTEGER PRIMARY KEY, s VARCHAR(40),"
                     " short VARCHAR(10) CHECK (length(short) <= 10 AND instr(short, '!') = 0),"
                     " sm SMALLINT CHECK (sm >= -500), i INTEGER, w WORD, f DOUBLE PRECISION,"
                     " b BOOLEAN, d DATE, t TIME, dt TIMESTAMP, m TEXT, big BIGINT, data BLOB,"
                     " long VARCHAR(400), tz TIMESTAMP, price NUMERIC(10,2))");
        // A long VARCHAR holding more than a one-line row's 250 bytes, 64-bit values,
        // date-times stored with a zone suffix, and exact decimals, one of them with
        // more decimals than the column's scale (SQLite does not enforce it).
        std::string longText;
        for (int i = 0; i < 20; ++i) {
            longText += "Длинная строка ";
        }
        const std::string rows[] = {
            "'Лампа', 'lamp', 3, 120, 7, 2.5, 1, '2024-02-29', '13:45:30', '2000-01-01 18:00:00',"
            " 'first\nsecond', 9000000000, X'00FF', '" +
                longText + "', '2024-03-15T10:00:00+02:00', 1490.5",
            "'Стол', 'стол', -2, 70000, 0, 0.25, 0, '1899-12-29', '06:00:00', '1899-12-29 "
            "06:00:00',"
            " '', -1, NULL, 'short', '2024-06-01 08:30:00Z', 0.1",
            "NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,"
            " NULL, NULL",
            "'x', '', 0, -2147483648, 65535, -1e300, 1, '0001-01-01', '00:00:00',"
            " '9999-12-31 23:59:59', 'only', -4294967296, X'', '" +
                std::string(300, 'w') + "', '1999-12-31 23:59:59.500-05:30', -99999999.99",
            "'Ёж & Co', 'ёж', 32767, 2147483647, 1, 1e-300, 0, '2024-12-31', '23:59:59',"
            " '2024-03-31 02:30:00', 'a\nb\n', 5, NULL, '', '2024-10-27T01:30:00Z', 1.005",
        };
        for (const std::string& row : rows) {
            FDb->ExecSQL("INSERT INTO soak (s, short, sm, i, w, f, b, d, t, dt, m, big, data,"
                         " long, tz, price) VALUES (" +
                         row + ")");
        }
    }

    using TRecords = std::map<std::string, std::vector<fw::Variant>>;
    using TForms = std::map<std::string, std::vector<std::string>>;

    // Every record by its key, read through the second connection; with aForms also
    // every column as SQLite spells what it stores (its type and exact text, as
    // quote() gives them), in the same query.
    TRecords ReadDatabase(TForms* aForms = nullptr) {
        std::string quoted;
        if (aForms != nullptr) {
            for (const fw::String& column : FColumns) {
                quoted += ", quote(\"" + column + "\")";
            }
        }
        auto query = fw::New<fw::TSqlQuery>();
        query->SetConnection(FReader.get());
        query->SetSQL("SELECT *" + quoted + " FROM soak ORDER BY id");
        query->Open();
        const int32_t columns =
            aForms != nullptr ? static_cast<int32_t>(FColumns.size()) : query->FieldCount();
        TRecords records;
        for (; !query->Eof(); query->Next()) {
            std::vector<fw::Variant> values;
            for (int32_t i = 0; i < columns; ++i) {
                values.push_back(query->Fields(i).AsVariant());
            }
            const std::string key = values[0].AsString();
            if (aForms != nullptr) {
                std::vector<std::string> spelled;
                for (int32_t i = columns; i < query->FieldCount(); ++i) {
                    spelled.push_back(query->Fields(i).AsString());
                }
                (*aForms)[key] = std::move(spelled);
            }
            records[key] = std::move(values);
        }
        if (FColumns.empty()) {
            for (int32_t i = 0; i < query->FieldCount(); ++i) {
                FColumns.push_back(query->Fields(i).FieldName());
            }
        }
        return records;
    }

    // A date-time text that ends in a zone ('Z' or an offset such as +02:00), as quote()
    // spells it.
    static bool HasZoneSuffix(const std::string& aForm) {
        if (aForm.size() < 2 || aForm.front() != '\'' || aForm.back() != '\'') {
            return false;
        }
        const std::string text = aForm.substr(1, aForm.size() - 2);
        const bool dateTime = text.size() >= 19 && std::isdigit(text[0]) != 0 && text[4] == '-' &&
                              text[7] == '-' && text[13] == ':';
        if (!dateTime) {
            return false;
        }
        if (text.back() == 'Z') {
            return true;
        }
        const std::size_t sign = text.find_last_of("+-");
        return sign != std::string::npos && sign > 10 && text.find(':') < sign;
    }

    // A column whose value no post changed is stored exactly as before: same type, same
    // text (a zone suffix, a 64-bit integer, a long text are never rewritten). A changed
    // date-time that had a zone suffix keeps one.
    void CompareStoredForms(const std::string& aWhen, const TForms& aForms) {
        for (const auto& [key, spelled] : FStoredForms) {
            auto found = aForms.find(key);
            if (found == aForms.end()) {
                continue; // reported by the value check
            }
            for (std::size_t c = 0; c < spelled.size(); ++c) {
                if (key == FPostedKey && FPostedColumns.count(c) > 0) {
                    Check(!HasZoneSuffix(spelled[c]) || found->second[c] == "NULL" ||
                              HasZoneSuffix(found->second[c]),
                          aWhen + ": record " + key + " column " + FColumns[c] + " was " +
                              spelled[c] + ", is written without its zone as " + found->second[c]);
                    continue;
                }
                Check(found->second[c] == spelled[c], aWhen + ": record " + key + " column " +
                                                          FColumns[c] +
                                                          " kept its value, yet is stored as " +
                                                          found->second[c] + ", not " + spelled[c]);
            }
        }
        FStoredForms = aForms;
        FPostedKey.clear();
        FPostedColumns.clear();
    }

    void NotePostedColumns(const std::string& aKey, const std::vector<fw::Variant>& aFields) {
        FPostedKey = aKey;
        const std::vector<fw::Variant>& before = FStored[aKey];
        for (std::size_t c = 0; c < aFields.size() && c < before.size(); ++c) {
            if (!SameValue(aFields[c], before[c])) {
                FPostedColumns.insert(c);
            }
        }
    }

    void CompareDatabase(const std::string& aWhen) {
        ++FResult.DatabaseChecks;
        TForms forms;
        const TRecords stored = ReadDatabase(&forms);
        Check(stored.size() == FStored.size(),
              aWhen + ": the table has " + std::to_string(stored.size()) + " records, not " +
                  std::to_string(FStored.size()));
        for (const auto& [key, values] : FStored) {
            auto found = stored.find(key);
            Check(found != stored.end(), aWhen + ": record " + key + " is gone");
            for (std::size_t c = 0; c < values.size(); ++c) {
                Check(SameValue(found->second[c], values[c]),
                      aWhen + ": record " + key + " column " + FColumns[c] + " holds " +
                          Show(found->second[c]) + ", the model says " + Show(values[c]));
            }
        }
        FStored = stored;
        CompareStoredForms(aWhen, forms);
    }

    std::vector<fw::Variant> FieldValues() {
        std::vector<fw::Variant> values;
        for (int32_t i = 0; i < FTable->FieldCount(); ++i) {
            values.push_back(FTable->Fields(i).AsVariant());
        }
        return values;
    }

    std::string CurrentKey() { return FTable->FieldByName("id").AsVariant().AsString(); }

    // A call of the host that may post (aPosts) or cancels; the database is checked
    // against the model afterwards. aRethrow passes the data set's refusal on (a
    // handler's post).
    void HostCall(const std::function<void()>& aCall, bool aPosts, bool aRethrow = false) {
        const bool editing = FTable->State() == fw::dsEdit;
        const bool modified = FTable->Modified();
        const std::string key = CurrentKey();
        const std::vector<fw::Variant> fields = FieldValues();
        std::exception_ptr refusal;
        try {
            aCall();
        } catch (const fw::EDatabaseError&) {
            refusal = std::current_exception();
        }
        if (refusal) {
            ++FResult.RefusedPosts;
            Check(FTable->State() == fw::dsEdit, "a refused post left edit state");
            Check(FieldValues() == fields, "a refused post changed the fields");
        } else {
            if (editing && modified && aPosts) {
                NotePostedColumns(key, fields);
                FStored[key] = fields;
                ++FResult.Posts;
            }
            // A handler's post leaves the columns edited before it allowed to differ:
            // the value that called the handler is written after it.
            if (!aRethrow) {
                FEdited.clear();
            }
        }
        CompareDatabase(aPosts ? "after a post" : "after a cancel");
        if (refusal && aRethrow) {
            std::rethrow_exception(refusal);
        }
    }

    void HostHandler(const fw::String& aName) {
        ++FHandlerCalls;
        if (FHandlerMode == 1 && FHandlerCalls % 2 == 0) {
            HostCall([this] { FTable->Post(); }, true, true);
        }
        if (FHandlerMode == 2 && FHandlerCalls % 3 == 0) {
            throw fw::Exception("the host refuses " + aName);
        }
    }

    // --- the modal hook -------------------------------------------------------------------

    void ActOnModal(fw::TWinControl& aForm) {
        ++FResult.Modals;
        const TAction& action = *FAction;
        if (&aForm == FDialog) {
            ActInDialog(action);
            return;
        }
        if (auto* list = dynamic_cast<quire::TPickListForm*>(&aForm)) {
            fw::TListBox& box = *list->ListBox;
            if (action.B % 4 == 1) {
                Input::Wheel(box, fw::TPoint{5, 5}, fw::TPoint{0, -15}, fw::TPoint{0, -6});
            }
            const bool choose = action.Accept && box.Items()->Count() > 0;
            if (FDialog != nullptr) {
                FDialogPickShown = true;
                FDialogPick = choose ? box.Items()->Get(action.Choice % box.Items()->Count()) : "";
            }
            if (choose) {
                box.SetItemIndex(action.Choice % box.Items()->Count());
                Input::Key(box, fw::VK_RETURN);
            } else {
                Input::Key(box, fw::VK_ESCAPE);
            }
            return;
        }
        if (auto* dates = dynamic_cast<quire::TFormDateTime*>(&aForm)) {
            std::string digits;
            for (char c : action.Text) {
                if (c >= '0' && c <= '9') {
                    digits += c;
                }
            }
            Input::Type(*dates->Picker, digits);
            Input::Key(*dates->Picker, action.Accept ? fw::VK_RETURN : fw::VK_ESCAPE);
            return;
        }
        if (auto* text = dynamic_cast<quire::TEditTextForm*>(&aForm)) {
            Input::Type(*text->TextMemo, action.Text);
            fw::TButton* button = ButtonOf(aForm, action.Accept ? "OK" : "Cancel");
            Check(button != nullptr, "the text dialog has no OK or Cancel button");
            Input::Click(*button, fw::TPoint{5, 5});
            return;
        }
        if (auto* form = dynamic_cast<fw::TForm*>(&aForm)) {
            form->SetModalResult(fw::mrCancel);
        }
        Check(false, "an unexpected modal form: " + aForm.ClassName());
    }

    // --- actions --------------------------------------------------------------------------

    int32_t RowOf(int32_t aValue) { return aValue % FBox->Count(); }
    fw::TPoint NamePoint(int32_t aIndex) {
        const fw::TRect rect = FBox->ItemRect(aIndex);
        return fw::TPoint{12, rect.Top + rect.Height() / 2};
    }
    fw::TPoint ValuePoint(int32_t aIndex) {
        const fw::TRect rect = FBox->ItemRect(aIndex);
        return fw::TPoint{std::max(0, FBox->FDividerPos) + 20, rect.Top + rect.Height() / 2};
    }
    // A row's point when it is within the box's client area.
    bool Visible(const fw::TPoint& aPoint) {
        return aPoint.Y > 0 && aPoint.Y < FBox->ClientHeight() && aPoint.X < FBox->ClientWidth();
    }
    quire::TPropEdit& Edit() { return *FBox->FSelection->FEdit; }

    // A host's expand or collapse first commits a changed text: a text its row refuses
    // stops the call with the refusal, the fields keep their values and the edit field
    // shows the row's value again.
    void ExpandOrCollapse(int32_t aIndex) {
        const bool typed = Edit().FTextChanged;
        const std::vector<fw::Variant> fields = FieldValues();
        try {
            if (FBox->GetEditInfo(aIndex)->FExpanded) {
                FBox->CollapseItem(aIndex);
            } else {
                FBox->ExpandItem(aIndex);
            }
        } catch (const fw::Exception& refusal) {
            Check(typed, "expanding a row with no text typed raised: " + refusal.Message());
            Check(FieldValues() == fields, "a text refused on expanding changed the fields");
            Check(!Edit().FTextChanged, "a text refused on expanding stays in the edit field");
        }
    }
    bool EditShown() {
        return FBox->FSelection->Visible() && Edit().Visible() && Edit().HandleAllocated();
    }

    void Perform(const TAction& aAction) {
        switch (aAction.Kind) {
        case TActionKind::ClickName:
        case TActionKind::ClickValue:
        case TActionKind::DoubleClick:
            Click(aAction);
            break;
        case TActionKind::DragDivider: {
            const int32_t y = 8;
            Input::Drag(*FBox, fw::TPoint{FBox->FDividerPos + 1, y},
                        fw::TPoint{aAction.B % std::max(1, FBox->ClientWidth()), y});
            break;
        }
        case TActionKind::Type:
            if (EditShown()) {
                Input::Type(Edit(), aAction.Text);
                // Every third typing is committed with Enter at once.
                if (aAction.B % 3 == 0 && CanCheckCommit()) {
                    CommitWithEnter();
                }
            }
            break;
        case TActionKind::Key:
            PressKey(aAction);
            break;
        case TActionKind::Wheel:
            Wheel(aAction);
            break;
        case TActionKind::Expand:
            if (FBox->Count() > 0) {
                ExpandOrCollapse(RowOf(aAction.A));
            }
            break;
        case TActionKind::Resize:
            Resize(aAction);
            break;
        case TActionKind::Move:
            HostCall([&] { Move(aAction.A % 5); }, true);
            break;
        case TActionKind::Post:
            HostCall([this] { FTable->Post(); }, true);
            break;
        case TActionKind::Cancel:
            HostCall([this] { FTable->Cancel(); }, false);
            break;
        case TActionKind::HandlerMode:
            FHandlerMode = aAction.A % 3;
            break;
        case TActionKind::ModalBox:
            ModalBox();
            break;
        }
    }

    void Click(const TAction& aAction) {
        if (FBox->Count() == 0) {
            return;
        }
        const int32_t index = RowOf(aAction.A);
        const bool onName = aAction.Kind == TActionKind::ClickName ||
                            (aAction.Kind == TActionKind::DoubleClick && aAction.B % 2 == 0);
        const fw::TPoint point = onName ? NamePoint(index) : ValuePoint(index);
        if (!Visible(point)) {
            return;
        }
        if (aAction.Kind == TActionKind::DoubleClick) {
            Input::DoubleClick(*FBox, point);
        } else {
            Input::Click(*FBox, point);
        }
    }

    void PressKey(const TAction& aAction) {
        const TKey& key = kKeys[static_cast<std::size_t>(aAction.A) % std::size(kKeys)];
        if (!EditShown()) {
            if (FBox->Count() > 0) {
                Input::Key(*FBox, key.Key, key.Shift);
            }
            return;
        }
        if (key.Key == fw::VK_RETURN && key.Shift.Empty() && CanCheckCommit()) {
            CommitWithEnter();
            return;
        }
        Input::Key(Edit(), key.Key, key.Shift);
    }

    // A changed text in a top-level row: Enter commits it into a field of its own.
    bool CanCheckCommit() {
        const TPropEditInfo* row = FBox->FSelection->FEditInfo;
        return Edit().FTextChanged && row != nullptr && row->FParent == nullptr;
    }

    // Enter on a changed text: the field ends with the text as the row's editor parses
    // it, or keeps its value and the refusal is reported.
    void CommitWithEnter() {
        ++FResult.Commits;
        TPropEditInfo* row = FBox->FSelection->FEditInfo;
        const fw::String name = row->FName;
        const fw::String text = Edit().Text();
        std::unique_ptr<quire::TProp> expected =
            fw::CreateAs<quire::TProp>(row->FProps->GetProp(0)->ClassType());
        expected->Assign(row->FProps->GetProp(0));
        bool parsed = true;
        try {
            auto editor =
                fw::CreateAs<quire::TPropEditor>(quire::GetPropEditorClass(expected->ClassType()));
            editor->SetValue(expected.get(), text);
        } catch (const fw::Exception&) {
            parsed = false;
        }
        const fw::Variant before = FTable->FieldByName(name).AsVariant();
        const std::string key = CurrentKey();
        const int32_t reports = fw::Application->ExceptionCount();
        Input::Key(Edit(), fw::VK_RETURN);
        Check(CurrentKey() == key, "Enter moved the data set");
        const fw::Variant after = FTable->FieldByName(name).AsVariant();
        auto stored = fw::CreateAs<quire::TProp>(expected->ClassType());
        if (auto* decimal = dynamic_cast<quire::TDecimalProp*>(stored.get())) {
            const fw::TField& field = FTable->FieldByName(name);
            decimal->SetLimits(field.Precision(), field.Scale());
        }
        if (!after.IsNull()) {
            stored->SetAsVariant(after);
        }
        const bool unchanged = SameValue(after, before);
        if (!parsed) {
            Check(unchanged,
                  "\"" + text + "\" does not convert, yet " + name + " became " + Show(after));
            return;
        }
        Check(stored->Compare(expected.get()) == 0 || unchanged,
              name + " holds " + Show(after) + " after Enter on \"" + text + "\", not as parsed");
        Check(stored->Compare(expected.get()) == 0 || fw::Application->ExceptionCount() > reports,
              name + " kept " + Show(before) + " after Enter on \"" + text + "\" without a report");
    }

    // A notch, a run of high-resolution steps (15 or 8 to 30 eighths of a degree, as
    // fine wheels and touchpads send), touchpad steps with pixel deltas, or a sideways
    // turn, which must change nothing.
    void Wheel(const TAction& aAction) {
        const int32_t sign = aAction.B % 2 == 0 ? 1 : -1;
        const fw::TPoint point{20, 20};
        const int32_t steps = 1 + aAction.B % 8;
        switch (aAction.A % 5) {
        case 0:
            Input::Wheel(*FBox, point, fw::TPoint{0, sign * 120});
            break;
        case 1:
            for (int32_t i = 0; i < steps; ++i) {
                Input::Wheel(*FBox, point, fw::TPoint{0, sign * 15});
            }
            break;
        case 2:
            for (int32_t i = 0; i < steps; ++i) {
                Input::Wheel(*FBox, point, fw::TPoint{0, sign * (8 + (aAction.B + i * 7) % 23)});
            }
            break;
        case 3:
            for (int32_t i = 0; i < steps; ++i) {
                Input::Wheel(*FBox, point, fw::TPoint{0, sign * 24}, fw::TPoint{0, sign * 12});
            }
            break;
        default: {
            const int32_t top = FBox->TopIndex();
            const int32_t selected = FBox->ItemIndex();
            Input::Wheel(*FBox, point, fw::TPoint{sign * 120, 0});
            Check(FBox->TopIndex() == top && FBox->ItemIndex() == selected,
                  "a sideways wheel turn moved the box");
            break;
        }
        }
    }

    // A modal dialog with a second box on the same data source while it is shown; the
    // modal hook acts in it (ActInDialog). A guard ends a dialog or pick list that takes
    // no input. The dialog is made once and shown again (making windows costs more
    // than the rest of the action).
    void ModalBox() {
        if (!FDialogForm) {
            FDialogForm = fw::New<fw::TForm>(nullptr, 0);
            FDialogForm->SetBounds(60, 60, 360, 260);
            FDialogBox = fw::CreateOwned<TQuire>(FDialogForm.get());
            FDialogBox->SetBounds(10, 10, 320, 200);
            FDialogBox->SetParent(FDialogForm.get());
        }
        fw::TForm* dialog = FDialogForm.get();
        FDialogBox->SetDataSource(FSource.get());
        bool stuck = false;
        fw::TTimer guard;
        guard.SetInterval(5000);
        guard.SetOnTimer([&](fw::TObject*) {
            stuck = true;
            if (quire::PickListForm != nullptr && quire::PickListForm->Visible()) {
                quire::PickListForm->SetModalResult(fw::mrCancel);
            }
            dialog->SetModalResult(fw::mrCancel);
        });
        FDialog = dialog;
        dialog->ShowModal();
        FDialog = nullptr;
        guard.SetEnabled(false);
        FDialogBox->SetDataSource(nullptr);
        Check(!stuck, "the modal dialog or its pick list took no input");
    }

    // In the dialog: a row's value clicked (the boolean row every other time, which has
    // a pick list), then its pick list opened with Alt+Down or text typed and
    // committed; the dialog then closes. A choice made in the pick list shows in the
    // row; a cancelled one leaves it.
    void ActInDialog(const TAction& aAction) {
        TQuire& box = *FDialogBox;
        if (box.Count() > 0) {
            const int32_t booleanRow = box.Items()->IndexOf("b");
            const int32_t index =
                aAction.B % 2 == 0 && booleanRow >= 0 ? booleanRow : aAction.A % box.Count();
            const fw::TRect rect = box.ItemRect(index);
            const fw::TPoint point{std::max(0, box.FDividerPos) + 20, rect.Top + rect.Height() / 2};
            if (point.Y > 0 && point.Y < box.ClientHeight()) {
                Input::Click(box, point);
                EditInDialog(box, aAction);
            }
        }
        FDialog->SetModalResult(aAction.Accept ? fw::mrOk : fw::mrCancel);
    }

    void EditInDialog(TQuire& aBox, const TAction& aAction) {
        quire::TPropSelection& strip = *aBox.FSelection;
        if (strip.FEditInfo == nullptr || !strip.Visible() || !strip.FEdit->Visible() ||
            !strip.FEdit->HandleAllocated()) {
            return;
        }
        const TPropEditInfo* row = strip.FEditInfo;
        FEdited.insert(row->FParent == nullptr ? row->FName : row->FParent->FName);
        quire::TPropEdit& edit = *strip.FEdit;
        if (aAction.B % 3 == 2) {
            Input::Type(edit, aAction.Text);
            Input::Key(edit, fw::VK_RETURN);
            return;
        }
        const fw::String before = edit.Text();
        FDialogPickShown = false;
        Input::Key(edit, fw::VK_DOWN, fw::TShiftState{fw::ssAlt});
        if (!FDialogPickShown || strip.FEdit != &edit || !edit.HandleAllocated()) {
            return;
        }
        const fw::String expected = FDialogPick.empty() ? before : FDialogPick;
        Check(edit.Text() == expected, "the pick list in a modal dialog: the row shows \"" +
                                           edit.Text() + "\", not \"" + expected + "\"");
        ++FResult.DialogPicks;
    }

    void Resize(const TAction& aAction) {
        try {
            FBox->SetBounds(10, 10, 120 + aAction.A % 280, 40 + aAction.B % 240);
        } catch (const fw::Exception&) {
            // A refused commit: a person's resize has it reported.
            ++FResult.Reports;
        }
    }

    void Move(int32_t aHow) {
        switch (aHow) {
        case 0:
            FTable->First();
            break;
        case 1:
            FTable->Prior();
            break;
        case 2:
            FTable->Next();
            break;
        case 3:
            FTable->Last();
            break;
        default:
            FTable->Refresh();
            break;
        }
    }

    // --- checks ---------------------------------------------------------------------------

    void NoteEditedRow() {
        for (TPropEditInfo* row = FBox->FSelection->FEditInfo; row != nullptr; row = row->FParent) {
            if (row->FParent == nullptr) {
                FEdited.insert(row->FName);
            }
        }
    }

    void CheckInvariants() {
        CheckStrip();
        if (!FTable->Active()) {
            return;
        }
        CheckRowsMatchFields();
        CheckUneditedColumns();
    }

    void CheckStrip() {
        quire::TPropSelection& strip = *FBox->FSelection;
        if (FBox->Count() == 0 || FBox->ItemIndex() < 0) {
            Check(!strip.Visible() || FBox->Count() > 0, "the strip shows over an empty box");
            return;
        }
        const int32_t index = FBox->ItemIndex();
        Check(strip.FEditInfo == FBox->GetEditInfo(index),
              "the strip edits another row than the selected " + FBox->Items()->Get(index));
        const fw::TRect item = FBox->ItemRect(index);
        const fw::TRect bounds = strip.BoundsRect();
        Check(bounds.Left == item.Left - 1 && bounds.Top == item.Top - 2 &&
                  bounds.Right == item.Right + 1 && bounds.Bottom == item.Bottom,
              "the strip lies at " + std::to_string(bounds.Left) + "," +
                  std::to_string(bounds.Top) + " " + std::to_string(bounds.Width()) +
                  " wide, the selected row " + FBox->Items()->Get(index) + " at " +
                  std::to_string(item.Top) + " " + std::to_string(item.Width()) + " wide");
    }

    void CheckRowsMatchFields() {
        const std::unique_ptr<quire::TMultiPropList> snapshot = quire::RecordToProps(*FTable);
        Check(static_cast<int32_t>(FBox->FRows.size()) == snapshot->GetCount(),
              "the box has " + std::to_string(FBox->FRows.size()) + " rows for " +
                  std::to_string(snapshot->GetCount()) + " fields");
        for (int32_t i = 0; i < snapshot->GetCount(); ++i) {
            const TPropEditInfo& row = *FBox->FRows[static_cast<std::size_t>(i)];
            Check(row.FName == snapshot->GetName(i),
                  "row " + row.FName + " stands for field " + snapshot->GetName(i));
            Check(row.FProps->GetProp(0)->Compare(snapshot->GetList(i)->GetProp(0)) == 0,
                  "row " + row.FName + " shows " +
                      row.FProps->GetProp(0)->GetAsVariant().AsString() + ", the field holds " +
                      Show(FTable->FieldByName(row.FName).AsVariant()));
        }
    }

    void CheckUneditedColumns() {
        auto stored = FStored.find(CurrentKey());
        Check(stored != FStored.end(), "the data set is on a record the database lacks");
        const bool browsing = FTable->State() == fw::dsBrowse;
        for (int32_t i = 0; i < FTable->FieldCount(); ++i) {
            const fw::TField& field = FTable->Fields(i);
            if (!browsing && FEdited.count(field.FieldName()) > 0) {
                continue;
            }
            Check(SameValue(field.AsVariant(), stored->second[static_cast<std::size_t>(i)]),
                  std::string(browsing ? "in browse state" : "nobody edited it, yet") + " field " +
                      field.FieldName() + " holds " + Show(field.AsVariant()) + ", stored " +
                      Show(stored->second[static_cast<std::size_t>(i)]));
        }
    }

    fw::TFormatSettingsScope FFormat{SoakSettings()};
    dbtest::TTempDir FDir;
    std::unique_ptr<fw::TSqlConnection> FDb;
    std::unique_ptr<fw::TSqlConnection> FReader;
    std::unique_ptr<fw::TSqlTable> FTable;
    std::unique_ptr<fw::TDataSource> FSource;
    std::unique_ptr<fw::TForm> FForm;
    TQuire* FBox = nullptr;
    TRecords FStored;
    TForms FStoredForms;
    // The record and columns the last post changed, until the next database check.
    std::string FPostedKey;
    std::set<std::size_t> FPostedColumns;
    // The modal dialog of ModalBox actions and its box; FDialog while it is shown.
    std::unique_ptr<fw::TForm> FDialogForm;
    TQuire* FDialogBox = nullptr;
    fw::TForm* FDialog = nullptr;
    // What the dialog's pick list was given: shown, and the entry chosen ("" cancelled).
    bool FDialogPickShown = false;
    fw::String FDialogPick;
    std::vector<fw::String> FColumns;
    std::set<fw::String> FEdited;
    int32_t FHandlerMode = 0;
    int32_t FHandlerCalls = 0;
    const TAction* FAction = nullptr;
    TRunResult FResult;
};

} // namespace

TRunResult RunActions(const std::vector<TAction>& aActions) {
    PendingFailure().clear();
    TSoakRun run;
    for (std::size_t i = 0; i < aActions.size(); ++i) {
        try {
            run.Run(aActions[i]);
            ++run.Result().Actions;
        } catch (const std::exception& e) {
            run.Result().Failure = "action " + std::to_string(i + 1) + " (" +
                                   FormatAction(aActions[i]) + "): " + e.what();
            break;
        }
    }
    return run.Result();
}

} // namespace soak
