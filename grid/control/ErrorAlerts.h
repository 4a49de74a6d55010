// ErrorAlerts: how the error reports reach the user: a task-modal message
// box over the grid window, or the simple beep. The control uses the
// system's; tests put their own in its place, since a box would block.
#pragma once

#include <windows.h>

class ErrorAlerts
{
public:
    virtual void ShowMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style) = 0;
    virtual void Beep() = 0;

protected:
    ~ErrorAlerts() = default;
};

// MessageBoxW and MessageBeep.
class SystemErrorAlerts final : public ErrorAlerts
{
public:
    void ShowMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style) override;
    void Beep() override;

    static SystemErrorAlerts& Instance();
};
