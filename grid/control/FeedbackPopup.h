// FeedbackPopup: the borderless tool popups that give feedback during a
// header drag (the drag image and the drop guide). Each object registers
// its window class once (own device context, button-face background), and
// its window procedure hands WM_PAINT to the object kept in the window's
// user data.
#pragma once

#include <windows.h>

class FeedbackPopup
{
public:
    FeedbackPopup(const wchar_t* className, const wchar_t* windowName, WNDPROC procedure);
    ~FeedbackPopup();
    FeedbackPopup(const FeedbackPopup&) = delete;
    FeedbackPopup& operator=(const FeedbackPopup&) = delete;

    // Makes the window at (0, 0) with the size when none exists, with
    // owner as its user data; false when it cannot be made.
    bool Create(int width, int height, void* owner);
    HWND Window() const { return m_window; }

    // The object of a window made by Create, or null.
    template <class T>
    static T* OwnerOf(HWND window)
    {
        return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    // Paints through paint(dc, rcPaint) on WM_PAINT when an owner is attached;
    // every message then goes to the default procedure.
    template <class T, class TPaint>
    static LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, TPaint paint)
    {
        T* self = OwnerOf<T>(window);
        if (self && message == WM_PAINT) {
            PAINTSTRUCT ps;
            if (HDC dc = BeginPaint(window, &ps)) {
                paint(self, dc, ps.rcPaint);
                EndPaint(window, &ps);
            }
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

private:
    const wchar_t* m_className;
    const wchar_t* m_windowName;
    WNDPROC m_procedure;
    HINSTANCE m_instance = nullptr;
    HWND m_window = nullptr;
    bool m_classRegistered = false;
};
