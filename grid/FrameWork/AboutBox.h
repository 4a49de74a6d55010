// The control's About box: ShowAboutBox puts dialog 1000 on screen for the
// control's AboutBox method. How the dialog is shown and ended, and how its
// link is opened, are replaceable so that tests run it without a modal loop
// and without starting a browser.
#pragma once

#include <windows.h>

#include <string>

class CControlEmbedding;

// The dialog's run: show makes dialog IDD_HV_ABOUT of module with procedure
// under owner and returns its result (default: modal, DialogBoxParamW); end
// closes it with a result (default: EndDialog).
struct AboutBoxDisplay {
    INT_PTR (*show)(HINSTANCE module, HWND owner, DLGPROC procedure);
    BOOL (*end)(HWND dialog, INT_PTR result);
};

// Replaces the display; a null member restores that member's default.
// Returns the display in force before.
AboutBoxDisplay SetAboutBoxDisplay(AboutBoxDisplay display);

// Opens the link target; same parameters as ShellExecuteW.
using AboutBoxShellExecute = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
// Replaces the function that opens the link (null restores ShellExecuteW);
// returns the one in force before.
AboutBoxShellExecute SetAboutBoxShellExecute(AboutBoxShellExecute function);

// Shows the About box from the control's resource module (the library's
// without a control), owned by the foreground window when that window
// belongs to the calling thread. A control's container
// is held modal while the box is up. The control is not owned.
void ShowAboutBox(CControlEmbedding* control);

// Ends the dialog through the display in force.
BOOL EndAboutBox(HWND dialog, INT_PTR result);
// Opens target through the function in force.
void OpenAboutBoxLink(const std::wstring& target);

// The texts the About box fills in: the version and build numbers from the
// library's version resource ("1.00", "0075"), the product name and notice
// line from the string table of resources; each falls back to the module's
// fixed text when its resource is missing.
struct AboutBoxTexts {
    std::wstring product;
    std::wstring version;
    std::wstring build;
    std::wstring notice;
};
AboutBoxTexts ReadAboutBoxTexts(HINSTANCE resources);
