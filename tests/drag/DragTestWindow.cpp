// Helpers of the drag tests.
#include "DragTestWindow.h"

DragTestWindow::DragTestWindow(int x, int y, int width, int height)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"HvDragTestGrid";
    RegisterClassW(&wc);
    m_window = CreateWindowExW(WS_EX_TOOLWINDOW, L"HvDragTestGrid", L"", WS_POPUP | WS_VISIBLE, x, y, width,
                               height, nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(m_window);
}

DragTestWindow::~DragTestWindow()
{
    DestroyWindow(m_window);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

COLORREF ScreenPixel(int x, int y, COLORREF expected)
{
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        GdiFlush();
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, x, y);
        ReleaseDC(nullptr, screen);
        if (colour == expected || GetTickCount() - start >= 2000)
            return colour;
        Sleep(20);
    }
}
