// Helpers of the view tests: a memory bitmap to draw into and read back,
// and the test control hosted by our container, the ordinary way or by
// quick activation.
#pragma once

#include "ControlBaseTestSupport.h"

#include <ocidl.h>

#include <functional>

// A 32-bit memory bitmap, white at first, selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height)
    {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        REQUIRE(dc_);
        REQUIRE(bitmap_);
        old_ = SelectObject(dc_, bitmap_);
        RECT all = {0, 0, width, height};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    // The pixel in device coordinates, whatever mapping the DC has.
    COLORREF At(int x, int y) const
    {
        SaveDC(dc_);
        SetMapMode(dc_, MM_TEXT);
        SetWindowOrgEx(dc_, 0, 0, nullptr);
        SetViewportOrgEx(dc_, 0, 0, nullptr);
        const COLORREF colour = GetPixel(dc_, x, y);
        RestoreDC(dc_, -1);
        return colour;
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

inline bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

constexpr COLORREF kWhite = RGB(255, 255, 255);

// The test control in our container: sited and initialised by Attach, by
// quick activation when quick is set.
struct ViewHost {
    // prepare: a last change to the container before the control comes.
    explicit ViewHost(bool quick = false, const hv::container::SiteOptions& options = {},
                      const std::function<void(hv::container::ControlHost&)>& prepare = {})
        : window(400, 300), host(window.Hwnd(), RECT{100, 50, 300, 150}, options)
    {
        host.SetQuickActivation(quick);
        if (prepare)
            prepare(host);
        IUnknown* made = TestControl::Create(nullptr);
        REQUIRE(made);
        attached = host.Attach(made);
        made->Release();
        control = TestControl::From(host.Control());
        REQUIRE(control);
    }

    template <class T>
    ComPtr<T> Query() const { return host.Query<T>(); }
    hv::container::CallLog& Log() const { return host.Log(); }

    SettingsGuard settings;
    hv::container::ContainerWindow window;
    hv::container::ControlHost host;
    HRESULT attached = E_FAIL;
    TestControl* control = nullptr;   // held by the host
};
