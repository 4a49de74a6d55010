// The page area of the preview: one page on grey at the chosen zoom, with
// scroll bars when it is larger than the view. It draws through the report's
// page routine into an off-screen bitmap, then onto the window.
#pragma once

#include <functional>

#include "Control.h"
#include "WindowHandler.h"

namespace hv::report {

class Report;

class PageView : public forms::Control, public forms::WindowHandler {
public:
    // The report is not owned; it outlives its preview.
    PageView(forms::Container& parent, const forms::TwipsRect& place, const Report& report);

    long CurrentPage() const { return page_; }
    void SetPage(long page);
    int Zoom() const { return zoom_; }
    void SetZoom(int percent);
    // The page's rectangle in the view's client pixels, as last laid out.
    RECT PageRect() const;

    // Keys the view does not use itself (page keys go to the preview).
    std::function<bool(UINT key)> KeyDown;

protected:
    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc, const RECT& client) const;
    SIZE PagePixels() const;
    void UpdateScrollBars();
    void Scroll(int bar, int code, int amount = 0);
    void ScrollTo(int x, int y);

    const Report& report_;
    long page_ = 1;
    int zoom_ = 75;
    int scrollX_ = 0;
    int scrollY_ = 0;
};

} // namespace hv::report
