// SPDX-License-Identifier: MIT
#include "platform/qt/KeyMap.h"

#include "platform/controls/Messages.h"
#include "platform/controls/SystemState.h"
#include "platform/controls/VirtualKeys.h"

#include <array>
#include <utility>

namespace fw::qt {

namespace {

constexpr std::array<std::pair<int, uint16_t>, 27> kSpecialKeys{{
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},       {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},  {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},      {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},     {Qt::Key_PageUp, VK_PRIOR},  {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},     {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},           {Qt::Key_Right, VK_RIGHT},   {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE}, {Qt::Key_Plus, 0xBB},
    {Qt::Key_Minus, 0xBD},         {Qt::Key_Comma, 0xBC},       {Qt::Key_Period, 0xBE},
    {Qt::Key_Slash, 0xBF},         {Qt::Key_Semicolon, 0xBA},   {Qt::Key_Menu, VK_APPS},
}};

} // namespace

uint16_t VirtualKeyFromQt(int aQtKey) {
    if ((aQtKey >= Qt::Key_A && aQtKey <= Qt::Key_Z) ||
        (aQtKey >= Qt::Key_0 && aQtKey <= Qt::Key_9)) {
        return static_cast<uint16_t>(aQtKey);
    }
    if (aQtKey >= Qt::Key_F1 && aQtKey <= Qt::Key_F24) {
        return static_cast<uint16_t>(VK_F1 + (aQtKey - Qt::Key_F1));
    }
    for (const auto& [qtKey, virtualKey] : kSpecialKeys) {
        if (qtKey == aQtKey) {
            return virtualKey;
        }
    }
    return 0;
}

int QtKeyFromVirtualKey(uint16_t aVirtualKey) {
    if ((aVirtualKey >= 'A' && aVirtualKey <= 'Z') || (aVirtualKey >= '0' && aVirtualKey <= '9')) {
        return aVirtualKey;
    }
    if (aVirtualKey >= VK_F1 && aVirtualKey < VK_F1 + 24) {
        return Qt::Key_F1 + (aVirtualKey - VK_F1);
    }
    for (const auto& [qtKey, virtualKey] : kSpecialKeys) {
        if (virtualKey == aVirtualKey) {
            return qtKey;
        }
    }
    return 0;
}

namespace {

// The first character of aText as a code point (a surrogate pair joined); 0 for none.
char32_t FirstCodePoint(const QString& aText) {
    if (aText.isEmpty()) {
        return 0;
    }
    if (aText.size() > 1 && aText.at(0).isHighSurrogate() && aText.at(1).isLowSurrogate()) {
        return QChar::surrogateToUcs4(aText.at(0), aText.at(1));
    }
    return aText.at(0).unicode();
}

bool IsPrintable(char32_t aCode) {
    return aCode >= 32 && aCode != 127;
}

// A key pressed with Alt is a shortcut (Alt+F) unless it typed a character the key
// does not give by itself: AltGr where the platform reports it as Ctrl+Alt, and
// Option+key, which report Alt and come with the character they made.
bool IsAltCharacter(const QKeyEvent& aEvent, char32_t aCode) {
    if (!IsPrintable(aCode)) {
        return false;
    }
    if (aEvent.modifiers() & Qt::ControlModifier) {
        return true;
    }
    // Qt's key codes of Latin-1 keys are their upper-case characters.
    return QChar::toUpper(aCode) != static_cast<char32_t>(aEvent.key());
}

} // namespace

char32_t CharFromKeyEvent(const QKeyEvent& aEvent) {
    Qt::KeyboardModifiers modifiers = aEvent.modifiers();
    if (modifiers & Qt::AltModifier) {
        char32_t code = FirstCodePoint(aEvent.text());
        return IsAltCharacter(aEvent, code) ? code : 0;
    }
    bool control = (modifiers & Qt::ControlModifier) != 0;
    int key = aEvent.key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return control ? 10 : 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    default:
        break;
    }
    if (control) {
        return key >= Qt::Key_A && key <= Qt::Key_Z ? static_cast<char32_t>(key - Qt::Key_A + 1)
                                                    : 0;
    }
    char32_t code = FirstCodePoint(aEvent.text());
    return IsPrintable(code) ? code : 0;
}

void SyncModifierKeys(Qt::KeyboardModifiers aModifiers) {
    SetKeyDown(VK_SHIFT, (aModifiers & Qt::ShiftModifier) != 0);
    SetKeyDown(VK_CONTROL, (aModifiers & Qt::ControlModifier) != 0);
    SetKeyDown(VK_MENU, (aModifiers & Qt::AltModifier) != 0);
}

void SyncMouseButtons(Qt::MouseButtons aButtons) {
    SetKeyDown(VK_LBUTTON, (aButtons & Qt::LeftButton) != 0);
    SetKeyDown(VK_RBUTTON, (aButtons & Qt::RightButton) != 0);
    SetKeyDown(VK_MBUTTON, (aButtons & Qt::MiddleButton) != 0);
}

Qt::KeyboardModifiers CurrentModifiers() {
    Qt::KeyboardModifiers modifiers;
    if (GetAsyncKeyState(VK_SHIFT) < 0) {
        modifiers |= Qt::ShiftModifier;
    }
    if (GetAsyncKeyState(VK_CONTROL) < 0) {
        modifiers |= Qt::ControlModifier;
    }
    if (GetAsyncKeyState(VK_MENU) < 0) {
        modifiers |= Qt::AltModifier;
    }
    return modifiers;
}

uint32_t MouseKeys(Qt::MouseButtons aButtons, Qt::KeyboardModifiers aModifiers) {
    uint32_t keys = 0;
    if (aButtons & Qt::LeftButton) {
        keys |= MK_LBUTTON;
    }
    if (aButtons & Qt::RightButton) {
        keys |= MK_RBUTTON;
    }
    if (aButtons & Qt::MiddleButton) {
        keys |= MK_MBUTTON;
    }
    if (aModifiers & Qt::ShiftModifier) {
        keys |= MK_SHIFT;
    }
    if (aModifiers & Qt::ControlModifier) {
        keys |= MK_CONTROL;
    }
    return keys;
}

Qt::MouseButtons MouseButtonsFromKeys(uint32_t aKeys) {
    Qt::MouseButtons buttons;
    if (aKeys & MK_LBUTTON) {
        buttons |= Qt::LeftButton;
    }
    if (aKeys & MK_RBUTTON) {
        buttons |= Qt::RightButton;
    }
    if (aKeys & MK_MBUTTON) {
        buttons |= Qt::MiddleButton;
    }
    return buttons;
}

Qt::CursorShape QtCursorShape(TCursor aCursor) {
    switch (aCursor) {
    case crNone:
        return Qt::BlankCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
        return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag:
        return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
        return Qt::ForbiddenCursor;
    case crHSplit:
        return Qt::SplitHCursor;
    case crVSplit:
        return Qt::SplitVCursor;
    case crAppStart:
        return Qt::BusyCursor;
    case crHelpPoint:
        return Qt::WhatsThisCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace fw::qt
