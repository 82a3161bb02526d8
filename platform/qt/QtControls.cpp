// SPDX-License-Identifier: MIT
// The Qt windows of the standard controls: edits and memos, buttons and date-time
// pickers. Their widgets' signals become CN_COMMAND notifications for the control.

#include "platform/controls/Deliver.h"
#include "platform/qt/ForeignWindow.h"
#include "platform/qt/QtWindow.h"
#include "platform/rtl/AnsiStrings.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/stdctrls/NativeControls.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include <cmath>

namespace fw::qt {

namespace {

void Notify(TQtWindow& aWindow, uint32_t aCode) {
    TMessage message{CN_COMMAND, MakeLong(0, static_cast<uint16_t>(aCode)), 0, 0};
    aWindow.DeliverMessage(message);
}

QWidget* ParentWidget(const TCreateParams& aParams) {
    return WidgetOfHandle(aParams.WndParent);
}

template <class Widget> Widget* MakeWidget(const TCreateParams& aParams) {
    auto* widget = new Widget();
    ApplyWindowStyle(widget, aParams, ParentWidget(aParams));
    widget->setGeometry(aParams.X, aParams.Y, std::max(0, aParams.Width),
                        std::max(0, aParams.Height));
    return widget;
}

// The selection colours of a field that hides its selection while unfocused.
void ApplySelectionLook(QWidget* aWidget, bool aHide) {
    QPalette palette = aWidget->palette();
    QPalette standard = QApplication::palette(aWidget);
    if (aHide) {
        palette.setColor(QPalette::Inactive, QPalette::Highlight,
                         palette.color(QPalette::Inactive, QPalette::Base));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         palette.color(QPalette::Inactive, QPalette::Text));
    } else {
        palette.setColor(QPalette::Inactive, QPalette::Highlight,
                         standard.color(QPalette::Active, QPalette::Highlight));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         standard.color(QPalette::Active, QPalette::HighlightedText));
    }
    aWidget->setPalette(palette);
}

// --- one-line edit ---------------------------------------------------------------------

class TQtLineEditWindow final : public TQtWindow, public TNativeEdit {
public:
    TQtLineEditWindow(TWinControl& aControl, THostWidget<QLineEdit>* aWidget,
                      const TCreateParams& aParams)
        : TQtWindow(aControl, aWidget, aWidget, aParams), FEdit(aWidget) {
        QObject::connect(aWidget, &QLineEdit::textChanged, aWidget,
                         [this, aWidget](const QString&) {
                             if (aWidget->Window == this) {
                                 Notify(*this, EN_CHANGE);
                             }
                         });
    }

    void SetText(const String& aText) override {
        FText = aText;
        FEdit->setText(ToQString(aText));
    }
    String Text() const override { return FromQString(FEdit->text()); }
    void SetReadOnly(bool aReadOnly) override { FEdit->setReadOnly(aReadOnly); }
    void SetFrame(bool aFrame) override { FEdit->setFrame(aFrame); }
    void SetHideSelection(bool aHide) override {
        FHideSelection = aHide;
        ApplySelectionLook(FEdit, aHide);
    }
    void SetColor(TColor aColor) override {
        TQtWindow::SetColor(aColor);
        ApplySelectionLook(FEdit, FHideSelection);
    }
    void SelectAll() override { FEdit->selectAll(); }
    int32_t SelStart() const override {
        return FEdit->hasSelectedText() ? FEdit->selectionStart() : FEdit->cursorPosition();
    }
    int32_t SelLength() const override {
        return static_cast<int32_t>(FEdit->selectedText().size());
    }
    void SetSelection(int32_t aStart, int32_t aLength) override {
        FEdit->setSelection(aStart, aLength);
    }
    void SetMaxLength(int32_t aMaxLength) override {
        FEdit->setMaxLength(aMaxLength > 0 ? aMaxLength : 32767);
    }

private:
    QLineEdit* FEdit;
    bool FHideSelection = true;
};

// --- memo -------------------------------------------------------------------------------

class TQtMemoWindow final : public TQtWindow, public TNativeEdit {
public:
    TQtMemoWindow(TWinControl& aControl, THostWidget<QPlainTextEdit>* aWidget,
                  const TCreateParams& aParams)
        : TQtWindow(aControl, aWidget, aWidget, aParams), FMemo(aWidget) {
        QObject::connect(aWidget, &QPlainTextEdit::textChanged, aWidget, [this, aWidget] {
            if (aWidget->Window == this && !FSettingText) {
                Notify(*this, EN_CHANGE);
            }
        });
    }

    // Text set by the program is announced by the control itself, not by the widget.
    void SetText(const String& aText) override {
        FText = aText;
        FSettingText = true;
        FMemo->setPlainText(ToQString(aText));
        FSettingText = false;
    }
    String Text() const override { return FromQString(FMemo->toPlainText()); }
    void SetReadOnly(bool aReadOnly) override { FMemo->setReadOnly(aReadOnly); }
    void SetFrame(bool aFrame) override {
        FMemo->setFrameShape(aFrame ? QFrame::StyledPanel : QFrame::NoFrame);
    }
    void SetHideSelection(bool aHide) override { ApplySelectionLook(FMemo, aHide); }
    void SelectAll() override { FMemo->selectAll(); }
    int32_t SelStart() const override { return FMemo->textCursor().selectionStart(); }
    int32_t SelLength() const override {
        QTextCursor cursor = FMemo->textCursor();
        return cursor.selectionEnd() - cursor.selectionStart();
    }
    void SetSelection(int32_t aStart, int32_t aLength) override {
        QTextCursor cursor = FMemo->textCursor();
        cursor.setPosition(aStart);
        cursor.setPosition(aStart + aLength, QTextCursor::KeepAnchor);
        FMemo->setTextCursor(cursor);
    }
    void SetMaxLength(int32_t) override {}

private:
    QPlainTextEdit* FMemo;
    bool FSettingText = false;
};

// --- button -----------------------------------------------------------------------------

class TQtButtonWindow final : public TQtWindow, public TNativeButton {
public:
    TQtButtonWindow(TWinControl& aControl, THostWidget<QPushButton>* aWidget,
                    const TCreateParams& aParams)
        : TQtWindow(aControl, aWidget, aWidget, aParams), FButton(aWidget) {
        QObject::connect(aWidget, &QPushButton::clicked, aWidget, [this, aWidget] {
            if (aWidget->Window == this) {
                Notify(*this, BN_CLICKED);
            }
        });
    }

    void SetText(const String& aText) override {
        FText = aText;
        FButton->setText(ToQString(aText));
    }
    void SetDefault(bool aDefault) override { FButton->setDefault(aDefault); }

private:
    QPushButton* FButton;
};

// --- date-time picker ---------------------------------------------------------------

// The picker works in UTC: a TDateTime is a wall-clock value without a zone, and in
// local time the hour that daylight saving time skips does not exist (Qt would
// refuse or move it).
QDateTime ToQDateTime(TDateTime aValue) {
    TDateParts date = DecodeDate(aValue);
    TTimeParts time = DecodeTime(aValue);
    return QDateTime(QDate(date.Year, date.Month, date.Day),
                     QTime(time.Hour, time.Minute, time.Second, time.MSec), Qt::UTC);
}

TDateTime FromQDateTime(const QDateTime& aValue) {
    QDate date = aValue.date();
    QTime time = aValue.time();
    return ComposeDateTime(EncodeDate(date.year(), date.month(), date.day()),
                           EncodeTime(time.hour(), time.minute(), time.second(), time.msec()));
}

void AppendLiteral(QString& aFormat, const QString& aText) {
    QString quoted = aText;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    aFormat += QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// The framework's date or time format (the tokens FormatDateTime reads: d, m, yy,
// yyyy, h, n, s, z, AM/PM, "/" and ":" for the separators, quoted text) as a Qt
// display format, so the picker shows what DateToStr and TimeToStr write.
QString QtDisplayFormat(const String& aFormat) {
    const TFormatSettings& settings = FormatSettings();
    const bool twelveHour = AnsiLowerCase(aFormat).find("am/pm") != String::npos;
    QString format;
    std::size_t i = 0;
    while (i < aFormat.size()) {
        const char c = aFormat[i];
        const char lower = static_cast<char>(c | 0x20);
        if (c == '\'' || c == '"') {
            const std::size_t close = aFormat.find(c, i + 1);
            AppendLiteral(format,
                          ToQString(aFormat.substr(i + 1, close == String::npos ? String::npos
                                                                                : close - i - 1)));
            i = close == String::npos ? aFormat.size() : close + 1;
            continue;
        }
        if (lower == 'a' && AnsiSameText(aFormat.substr(i, 5), "am/pm")) {
            format += QStringLiteral("AP");
            i += 5;
            continue;
        }
        if (c == '/' || c == ':') {
            AppendLiteral(format, QString(QLatin1Char(c == '/' ? settings.DateSeparator
                                                               : settings.TimeSeparator)));
            ++i;
            continue;
        }
        std::size_t run = 1;
        if (lower >= 'a' && lower <= 'z') {
            while (i + run < aFormat.size() && (aFormat[i + run] | 0x20) == lower) {
                ++run;
            }
        }
        const bool two = run >= 2;
        switch (lower) {
        case 'd':
            format += two ? QStringLiteral("dd") : QStringLiteral("d");
            break;
        case 'm':
            format += two ? QStringLiteral("MM") : QStringLiteral("M");
            break;
        case 'y':
            format += run >= 3 ? QStringLiteral("yyyy") : QStringLiteral("yy");
            break;
        case 'h':
            format += twelveHour ? (two ? QStringLiteral("hh") : QStringLiteral("h"))
                                 : (two ? QStringLiteral("HH") : QStringLiteral("H"));
            break;
        case 'n':
            format += two ? QStringLiteral("mm") : QStringLiteral("m");
            break;
        case 's':
            format += two ? QStringLiteral("ss") : QStringLiteral("s");
            break;
        case 'z':
            format += run >= 3 ? QStringLiteral("zzz") : QStringLiteral("z");
            break;
        default:
            AppendLiteral(format, ToQString(aFormat.substr(i, run)));
            break;
        }
        i += run;
    }
    return format;
}

class TQtDateTimePickerWindow final : public TQtWindow, public TNativeDateTimePicker {
public:
    TQtDateTimePickerWindow(TWinControl& aControl, THostWidget<QDateTimeEdit>* aWidget,
                            const TCreateParams& aParams)
        : TQtWindow(aControl, aWidget, aWidget, aParams), FEdit(aWidget) {
        FEdit->setTimeSpec(Qt::UTC);
        SetFullRange();
        QObject::connect(aWidget, &QDateTimeEdit::dateTimeChanged, aWidget,
                         [this, aWidget](const QDateTime&) {
                             if (aWidget->Window == this && !FSetting) {
                                 Notify(*this, DTN_DATETIMECHANGE);
                             }
                         });
    }

    void SetKind(TPickerKind aKind) override {
        FSetting = true;
        const QDateTime value = FEdit->dateTime();
        if (aKind == TPickerKind::Time) {
            FEdit->setCalendarPopup(false);
            FEdit->setDisplayFormat(QtDisplayFormat(FormatSettings().LongTimeFormat));
        } else {
            FEdit->setDisplayFormat(QtDisplayFormat(FormatSettings().ShortDateFormat));
            FEdit->setCalendarPopup(true);
        }
        // Qt narrows the range to the day shown and drops the time of day when a time
        // format gives way to a date format: the picker keeps both.
        SetFullRange();
        FEdit->setDateTime(value);
        FSetting = false;
    }
    void SetDateTime(TDateTime aValue) override {
        FSetting = true;
        FEdit->setDateTime(ToQDateTime(aValue));
        FSetting = false;
    }
    TDateTime DateTime() const override { return FromQDateTime(FEdit->dateTime()); }

private:
    // The years the framework's dates hold. (QDateTimeEdit's own minimum date is in
    // year 100, but the range it is given is taken as it is.)
    void SetFullRange() { FEdit->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31)); }

    QDateTimeEdit* FEdit;
    bool FSetting = false;
};

} // namespace

} // namespace fw::qt

namespace fw::backend {

std::unique_ptr<TNativeWindow> CreateEditWindow(TWinControl& aControl, const TCreateParams& aParams,
                                                bool aMultiLine) {
    if (aMultiLine) {
        auto* widget = qt::MakeWidget<qt::THostWidget<QPlainTextEdit>>(aParams);
        return std::make_unique<qt::TQtMemoWindow>(aControl, widget, aParams);
    }
    auto* widget = qt::MakeWidget<qt::THostWidget<QLineEdit>>(aParams);
    return std::make_unique<qt::TQtLineEditWindow>(aControl, widget, aParams);
}

std::unique_ptr<TNativeWindow> CreateButtonWindow(TWinControl& aControl,
                                                  const TCreateParams& aParams) {
    auto* widget = qt::MakeWidget<qt::THostWidget<QPushButton>>(aParams);
    return std::make_unique<qt::TQtButtonWindow>(aControl, widget, aParams);
}

std::unique_ptr<TNativeWindow> CreateDateTimePickerWindow(TWinControl& aControl,
                                                          const TCreateParams& aParams) {
    auto* widget = qt::MakeWidget<qt::THostWidget<QDateTimeEdit>>(aParams);
    return std::make_unique<qt::TQtDateTimePickerWindow>(aControl, widget, aParams);
}

} // namespace fw::backend
