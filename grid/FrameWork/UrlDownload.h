// Asynchronous download of the data named by a URL for a control: the data
// and the progress reach the control's OnUrlDataAvailable and OnUrlProgress
// with the tag the caller chose, on the control's thread, while the
// container's message loop runs.
#pragma once

#include <windows.h>

class CControlBase;

// Starts the download. Through the container's bind host when it has one
// (throughBindHost: the bind host also makes the moniker), else through the
// URL library directly; throughBindHost without a bind host is
// E_NOINTERFACE. Returns the first failure or the bind's result (normally
// MK_S_ASYNCHRONOUS or S_OK); the data follows through the callbacks.
HRESULT StartUrlDownload(CControlBase* control, DWORD tag, LPCWSTR url, bool throughBindHost);
