// Helpers of the in-place tests: message pumping, window geometry and class
// names, and the site's call log read as an ordered list.
#pragma once

#include "ControlBaseTestSupport.h"

#include <string>
#include <vector>

// Dispatches every message waiting for this thread (paints included).
inline void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The window's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND window)
{
    RECT area{};
    GetWindowRect(window, &area);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

// The log's text in UTF-8, for failure messages.
inline std::string LogText(const hv::container::CallLog& log)
{
    std::string text;
    for (wchar_t c : log.Text())
        text += c < 0x80 ? static_cast<char>(c) : '?';
    return text;
}

inline bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

inline std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

// True when the entries occur in the log in this order (others may lie
// between them).
inline bool InOrder(const hv::container::CallLog& log, const std::vector<std::wstring>& entries)
{
    size_t at = 0;
    for (const std::wstring& entry : log.Entries())
        if (at < entries.size() && entry == entries[at])
            ++at;
    return at == entries.size();
}

// The window class the control's record names.
inline std::wstring ControlInfoClassName()
{
    return GetControlObjectInfo().windowClassName;
}

// A child window procedure that records the characters it is given.
inline std::vector<WPARAM> g_delivered;
inline LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR) {
        g_delivered.push_back(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
