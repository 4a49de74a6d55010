// FeedbackPopup: class registration, creation and destruction of a drag
// feedback popup.
#include "FeedbackPopup.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

FeedbackPopup::FeedbackPopup(const wchar_t* className, const wchar_t* windowName, WNDPROC procedure)
    : m_className(className), m_windowName(windowName), m_procedure(procedure)
{
}

FeedbackPopup::~FeedbackPopup()
{
    if (m_window) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
    if (m_classRegistered)
        UnregisterClassW(m_className, m_instance);
}

bool FeedbackPopup::Create(int width, int height, void* owner)
{
    if (m_window)
        return true;
    m_instance = reinterpret_cast<HINSTANCE>(&__ImageBase);
    if (!m_classRegistered) {
        WNDCLASSW wc = {};
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = m_procedure;
        wc.cbWndExtra = 4;
        wc.hInstance = m_instance;
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = m_className;
        // Another tracker of the module may hold the class: it stays that
        // tracker's to unregister.
        if (RegisterClassW(&wc))
            m_classRegistered = true;
        else if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return false;
    }
    m_window = CreateWindowExW(WS_EX_TOOLWINDOW, m_className, m_windowName, WS_POPUP, 0, 0, width, height,
                               GetDesktopWindow(), nullptr, m_instance, nullptr);
    if (!m_window)
        return false;
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return true;
}
