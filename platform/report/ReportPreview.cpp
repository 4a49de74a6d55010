// The preview window: its tool row, page turning and zoom.
#include "ReportPreview.h"

#include <algorithm>
#include <iterator>

#include "CommandButton.h"
#include "Label.h"
#include "PageView.h"
#include "PrinterOutput.h"
#include "Report.h"
#include "Twips.h"

namespace hv::report {

namespace {

constexpr int kZooms[] = {25, 50, 75, 100, 125, 150, 200, 300};
constexpr int kRowTop = 60;
constexpr int kRowHeight = 360;
constexpr int kViewTop = kRowTop + kRowHeight + 60;

} // namespace

ReportPreview::ReportPreview(const Report& report) : report_(report) {}

void ReportPreview::Open()
{
    page_ = 1;
    Show(forms::ShowMode::Modeless);
    Refresh();
}

long ReportPreview::CurrentPage() const
{
    return page_;
}

void ReportPreview::GoTo(long page)
{
    page_ = std::clamp<long>(page, 1, std::max<long>(1, report_.PageCount()));
    Refresh();
}

int ReportPreview::Zoom() const
{
    return zoom_;
}

void ReportPreview::SetZoom(int percent)
{
    zoom_ = percent;
    Refresh();
}

std::wstring ReportPreview::PageText() const
{
    return std::to_wstring(page_) + L" / " + std::to_wstring(report_.PageCount());
}

forms::CommandButton* ReportPreview::Button(PreviewCommand command) const
{
    return buttons_[static_cast<size_t>(command)];
}

void ReportPreview::CreateControls()
{
    SetCaption(report_.DocumentName());
    const int screenHeight = forms::PixelsToTwipsY(GetSystemMetrics(SM_CYMAXIMIZED));
    Move(600, 300, 11000, std::min(15600, std::max(6000, screenHeight - 600)));
    AddButton(PreviewCommand::First, 120, 480, L"|<");
    AddButton(PreviewCommand::Previous, 630, 480, L"<");
    pageLabel_ = &Add<forms::Label>(forms::TwipsRect{1200, kRowTop + 60, 1300, kRowHeight - 60});
    AddButton(PreviewCommand::Next, 2550, 480, L">");
    AddButton(PreviewCommand::Last, 3060, 480, L">|");
    AddButton(PreviewCommand::ZoomOut, 3900, 480, L"-");
    zoomLabel_ = &Add<forms::Label>(forms::TwipsRect{4450, kRowTop + 60, 700, kRowHeight - 60});
    AddButton(PreviewCommand::ZoomIn, 5160, 480, L"+");
    AddButton(PreviewCommand::Print, 6000, 1300, L"Imprimir");
    view_ = &Add<PageView>(forms::TwipsRect{0, kViewTop, ScaleWidth(), std::max(0, ScaleHeight() - kViewTop)},
                           report_);
    view_->KeyDown = [this](UINT key) { return PageKey(key); };
    view_->SetTabIndex(0);
}

void ReportPreview::AddButton(PreviewCommand command, int left, int width, const wchar_t* caption)
{
    auto& button = Add<forms::CommandButton>(forms::TwipsRect{left, kRowTop, width, kRowHeight}, caption);
    button.SetTabIndex(1 + static_cast<int>(command));
    button.Click = [this, command] { Run(command); };
    buttons_[static_cast<size_t>(command)] = &button;
}

void ReportPreview::Form_Load()
{
    // The preview may be sized and maximised like any document window.
    const LONG_PTR style = GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    SetWindowLongPtrW(Hwnd(), GWL_STYLE, style | WS_THICKFRAME | WS_MAXIMIZEBOX);
    SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    PlaceView();
    Button(PreviewCommand::Print)->SetEnabled(PrinterAvailable());
}

void ReportPreview::Form_Unload(bool&)
{
    buttons_.fill(nullptr);
    pageLabel_ = nullptr;
    zoomLabel_ = nullptr;
    view_ = nullptr;
}

LRESULT ReportPreview::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SIZE && view_)
        PlaceView();
    return Form::HandleMessage(hwnd, msg, wParam, lParam);
}

void ReportPreview::PlaceView()
{
    if (view_)
        view_->Move(0, kViewTop, ScaleWidth(), std::max(0, ScaleHeight() - kViewTop));
}

void ReportPreview::Run(PreviewCommand command)
{
    switch (command) {
    case PreviewCommand::First: GoTo(1); break;
    case PreviewCommand::Previous: GoTo(page_ - 1); break;
    case PreviewCommand::Next: GoTo(page_ + 1); break;
    case PreviewCommand::Last: GoTo(report_.PageCount()); break;
    case PreviewCommand::ZoomOut: StepZoom(-1); break;
    case PreviewCommand::ZoomIn: StepZoom(1); break;
    case PreviewCommand::Print: report_.Print(Hwnd()); break;
    case PreviewCommand::Count: break;
    }
}

bool ReportPreview::PageKey(UINT key)
{
    switch (key) {
    case VK_PRIOR: GoTo(page_ - 1); return true;
    case VK_NEXT: GoTo(page_ + 1); return true;
    case VK_HOME: GoTo(1); return true;
    case VK_END: GoTo(report_.PageCount()); return true;
    default: return false;
    }
}

void ReportPreview::StepZoom(int direction)
{
    const int* at = std::find(std::begin(kZooms), std::end(kZooms), zoom_);
    if (at == std::end(kZooms))
        at = std::lower_bound(std::begin(kZooms), std::end(kZooms), zoom_);
    const int index = static_cast<int>(at - std::begin(kZooms)) + direction;
    if (index >= 0 && index < static_cast<int>(std::size(kZooms)))
        SetZoom(kZooms[index]);
}

void ReportPreview::Refresh()
{
    if (!IsLoaded())
        return;
    SetCaption(report_.DocumentName());
    if (pageLabel_)
        pageLabel_->SetCaption(PageText());
    if (zoomLabel_)
        zoomLabel_->SetCaption(std::to_wstring(zoom_) + L"%");
    const long count = report_.PageCount();
    Button(PreviewCommand::First)->SetEnabled(page_ > 1);
    Button(PreviewCommand::Previous)->SetEnabled(page_ > 1);
    Button(PreviewCommand::Next)->SetEnabled(page_ < count);
    Button(PreviewCommand::Last)->SetEnabled(page_ < count);
    Button(PreviewCommand::ZoomOut)->SetEnabled(zoom_ > kZooms[0]);
    Button(PreviewCommand::ZoomIn)->SetEnabled(zoom_ < kZooms[std::size(kZooms) - 1]);
    if (view_) {
        view_->SetZoom(zoom_);
        view_->SetPage(page_);
        // A button that has just been disabled leaves the keys to the page.
        HWND focus = GetFocus();
        if (focus && IsChild(Hwnd(), focus) && !IsWindowEnabled(focus))
            view_->SetFocus();
    }
}

} // namespace hv::report
