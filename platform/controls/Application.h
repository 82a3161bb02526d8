// SPDX-License-Identifier: MIT
#pragma once
// TApplication: the application object. It owns components created with it as
// owner (destroyed by DestroyComponents), runs the event loop and gives the standard
// report for exceptions that reach the event loop.
//
// HandleException (called inside a catch block) calls OnException when it is set;
// otherwise it records the report (LastExceptionMessage, ExceptionCount) and, when
// ShowExceptionDialogs is on, shows the message in a message box. The dialogs are
// off on the offscreen platform, so tests read the recorded message.
//
// OnModalShown is called with each form that ShowModal has just shown, before the
// modal loop waits for the first event: tests and scripted runs act on dialogs there.

#include "platform/controls/Component.h"

#include <functional>

namespace fw {

class TWinControl;

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception_ptr& aError)>;
using TModalShownEvent = std::function<void(TWinControl* aForm)>;

class TApplication : public TComponent {
    FW_CLASS(TApplication, TComponent)
public:
    TApplication();
    ~TApplication() override;

    // Makes sure the GUI application exists (it is also made on first use of a
    // window, a timer or the event loop). Tests that draw text without windows call
    // it instead of making an application object of their own.
    void Initialize();
    // Handles every event that is waiting, then returns.
    void ProcessMessages();
    // Waits for at least one event and handles what is waiting.
    void HandleMessage();
    // Handles events until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Clears the terminated flag so that Run can be used again (tests).
    void ResetTerminated() { FTerminated = false; }

    // The standard report of the exception being handled; call it inside a catch.
    void HandleException(TObject* aSender);
    // The report of one exception: the message box or the recorded message.
    void ShowException(const String& aClassName, const String& aMessage);
    const String& LastExceptionMessage() const { return FLastExceptionMessage; }
    const String& LastExceptionClass() const { return FLastExceptionClass; }
    int32_t ExceptionCount() const { return FExceptionCount; }
    void ClearLastException();
    bool ShowExceptionDialogs() const;
    void SetShowExceptionDialogs(bool aShow) { FShowDialogs = aShow ? 1 : 0; }

    TExceptionEvent OnException;
    TModalShownEvent OnModalShown;
    // Called by ShowModal once the form is shown.
    void ModalShown(TWinControl* aForm);

    const String& Title() const { return FTitle; }
    void SetTitle(const String& aTitle) { FTitle = aTitle; }
    // The form whose closing ends Run (the first form shown by Run's caller).
    TWinControl* MainForm() const { return FMainForm; }
    void SetMainForm(TWinControl* aForm);

protected:
    void Notification(TComponent* aComponent, TOperation aOperation) override;

private:
    bool FTerminated = false;
    String FLastExceptionMessage;
    String FLastExceptionClass;
    int32_t FExceptionCount = 0;
    int FShowDialogs = -1;
    String FTitle = "Quire";
    TWinControl* FMainForm = nullptr;
};

// The text the standard report shows a person: aMessage with a full stop added when
// its last character sorts after '.' (a letter, a digit); a message that ends in a
// quote, a bracket or a full stop is shown as it is.
String ExceptionReportText(const String& aMessage);

// The application object; it exists for the whole run of the program.
extern TApplication* const Application;

} // namespace fw
