// SPDX-License-Identifier: MIT
#include "platform/controls/Application.h"

#include "platform/controls/Backend.h"
#include "platform/controls/Deliver.h"
#include "platform/controls/WinControl.h"
#include "platform/rtl/Exceptions.h"

namespace fw {

FW_IMPLEMENT_CLASS(TApplication)

namespace {
// Never destroyed: windows may still be released after main returns, and the
// toolkit's own shutdown order is not ours to rely on. DestroyComponents frees what
// the application owns.
TApplication* CreateApplicationObject() {
    return new TApplication();
}
} // namespace

TApplication* const Application = CreateApplicationObject();

TApplication::TApplication() = default;
TApplication::~TApplication() = default;

void TApplication::Initialize() {
    backend::EnsureApplication();
}

void TApplication::ProcessMessages() {
    backend::EnsureApplication();
    backend::ProcessEvents();
}

void TApplication::HandleMessage() {
    backend::EnsureApplication();
    backend::WaitAndProcessEvents();
}

void TApplication::Run() {
    backend::EnsureApplication();
    while (!FTerminated) {
        HandleMessage();
    }
}

void TApplication::Terminate() {
    FTerminated = true;
    backend::WakeUp();
}

void TApplication::HandleException(TObject* aSender) {
    std::exception_ptr error = std::current_exception();
    if (!error) {
        return;
    }
    // A copy runs: the handler may clear or replace OnException.
    if (TExceptionEvent handler = OnException) {
        handler(aSender, error);
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        ShowException(e.ClassName(), e.Message());
    } catch (const std::exception& e) {
        ShowException("std::exception", e.what());
    } catch (...) {
        ShowException("", "Unknown exception");
    }
}

void TApplication::ShowException(const String& aClassName, const String& aMessage) {
    FLastExceptionClass = aClassName;
    FLastExceptionMessage = aMessage;
    ++FExceptionCount;
    if (ShowExceptionDialogs()) {
        backend::ShowMessageBox(FTitle, ExceptionReportText(aMessage));
    }
}

String ExceptionReportText(const String& aMessage) {
    if (aMessage.empty() || static_cast<unsigned char>(aMessage.back()) <= '.') {
        return aMessage;
    }
    return aMessage + '.';
}

void TApplication::ClearLastException() {
    FLastExceptionClass.clear();
    FLastExceptionMessage.clear();
    FExceptionCount = 0;
}

bool TApplication::ShowExceptionDialogs() const {
    if (FShowDialogs >= 0) {
        return FShowDialogs == 1;
    }
    return backend::HasInteractiveDisplay();
}

void TApplication::ModalShown(TWinControl* aForm) {
    // A copy runs: a one-shot hook clears OnModalShown while it runs.
    if (TModalShownEvent hook = OnModalShown) {
        DeliverCall(aForm, [&] { hook(aForm); });
    }
}

void TApplication::SetMainForm(TWinControl* aForm) {
    if (FMainForm != nullptr) {
        RemoveFreeNotification(FMainForm);
    }
    FMainForm = aForm;
    if (aForm != nullptr) {
        FreeNotification(aForm);
    }
}

void TApplication::Notification(TComponent* aComponent, TOperation aOperation) {
    TComponent::Notification(aComponent, aOperation);
    if (aOperation == opRemove && aComponent == FMainForm) {
        FMainForm = nullptr;
    }
}

} // namespace fw
