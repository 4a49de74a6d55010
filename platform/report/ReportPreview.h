// The preview of a report's pages: a modeless window with a tool row (first,
// previous, next and last page, "n / N", zoom out and in with the zoom in
// force, print) over the page view. Printing is offered only where a
// printer is installed. Page Up, Page Down, Home and End turn pages.
#pragma once

#include <array>
#include <string>

#include "Form.h"

namespace hv::forms {
class CommandButton;
class Label;
} // namespace hv::forms

namespace hv::report {

class PageView;
class Report;

enum class PreviewCommand { First, Previous, Next, Last, ZoomOut, ZoomIn, Print, Count };

class ReportPreview : public forms::Form {
public:
    // The report owns its preview and outlives it.
    explicit ReportPreview(const Report& report);

    // Shows the window (modeless) at the first page of the report's last run.
    void Open();

    long CurrentPage() const;
    void GoTo(long page);
    int Zoom() const;
    void SetZoom(int percent);
    // The page counter as shown, e.g. "2 / 5".
    std::wstring PageText() const;

    // The window's parts while it is loaded (nullptr otherwise).
    forms::CommandButton* Button(PreviewCommand command) const;
    PageView* View() const { return view_; }

protected:
    void CreateControls() override;
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void AddButton(PreviewCommand command, int left, int width, const wchar_t* caption);
    void Run(PreviewCommand command);
    bool PageKey(UINT key);
    void StepZoom(int direction);
    void Refresh();
    void PlaceView();

    const Report& report_;
    long page_ = 1;
    int zoom_ = 75;
    std::array<forms::CommandButton*, static_cast<size_t>(PreviewCommand::Count)> buttons_{};
    forms::Label* pageLabel_ = nullptr;
    forms::Label* zoomLabel_ = nullptr;
    PageView* view_ = nullptr;
};

} // namespace hv::report
