// Message boxes of the application, through one replaceable handler so that
// tests can script the answers instead of showing modal UI.
#pragma once

#include <functional>
#include <string>

#include <windows.h>

namespace hv::forms {

// Styles are the platform's MB_* flags: buttons + icon + default button.
enum MsgBoxStyle : int {
    MsgOkOnly = MB_OK,
    MsgYesNo = MB_YESNO,
    MsgCritical = MB_ICONHAND,
    MsgQuestion = MB_ICONQUESTION,
    MsgExclamation = MB_ICONEXCLAMATION,
    MsgInformation = MB_ICONINFORMATION,
    MsgDefaultButton2 = MB_DEFBUTTON2,
};

// Answers are the platform's ID* values.
enum MsgBoxResult : int {
    MsgOk = IDOK,
    MsgCancel = IDCANCEL,
    MsgYes = IDYES,
    MsgNo = IDNO,
};

// The application's caption for every message box.
inline constexpr const wchar_t* kMsgBoxTitle = L"Atenção";

using MsgBoxHandler =
    std::function<int(HWND owner, const std::wstring& text, int style, const std::wstring& title)>;

// Shows a message box (or asks the installed handler) and returns the answer.
int MsgBox(const std::wstring& text, int style = MsgOkOnly, const std::wstring& title = kMsgBoxTitle);

// Installs a handler (an empty one restores the platform's message box);
// returns the previous handler.
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);

} // namespace hv::forms
