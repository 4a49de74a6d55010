// The system's box and beep for the error reports.
#include "ErrorAlerts.h"

void SystemErrorAlerts::ShowMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style)
{
    MessageBoxW(owner, text, caption, style);
}

void SystemErrorAlerts::Beep()
{
    MessageBeep(0xFFFFFFFF);
}

SystemErrorAlerts& SystemErrorAlerts::Instance()
{
    static SystemErrorAlerts alerts;
    return alerts;
}
