// The preview window: it opens at the first page, turns pages by its
// buttons and keys, zooms, offers printing only with a printer, and paints
// the page it shows (probed through WM_PRINTCLIENT into a memory DC).
#include <doctest/doctest.h>

#include <string>

#include <windows.h>

#include "CommandButton.h"
#include "PageGeometry.h"
#include "PageView.h"
#include "PrinterOutput.h"
#include "Report.h"
#include "ReportPreview.h"
#include "ReportTestSupport.h"

using namespace hv::report;
using reporttest::AddRow;
using reporttest::MakeRecordset;
using reporttest::Narrow;

namespace {

void Pump()
{
    MSG msg;
    for (int guard = 0; guard < 100000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++guard) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Define(Report& report, int records)
{
    report.SetDocumentName(L"Prévia de teste");
    auto& header = report.AddSection(SectionKind::PageHeader, L"PageHeader", 1000);
    header.Add(ReportControl::Label(L"Label1", Box{0, 0, 6000, 300}, L"Título"));
    auto& detail = report.AddSection(SectionKind::Detail, L"Detail", 3000);
    detail.Add(ReportControl::Field(L"FldValor", Box{0, 0, 8000, 2400}, L"N", L"0", TextStyle{720, true}));
    report.AddSection(SectionKind::PageFooter, L"PageFooter", 500);
    auto rs = MakeRecordset({{L"N"}});
    for (int i = 1; i <= records; ++i)
        AddRow(*rs, {static_cast<double>(i)});
    report.Data().SetRecordset(rs);
}

void Click(ReportPreview& preview, PreviewCommand command)
{
    SendMessageW(preview.Button(command)->Hwnd(), BM_CLICK, 0, 0);
    Pump();
}

bool Enabled(ReportPreview& preview, PreviewCommand command)
{
    return IsWindowEnabled(preview.Button(command)->Hwnd()) != FALSE;
}

std::string WindowText(HWND hwnd)
{
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return Narrow(text);
}

// The view's painting, as a checksum of a memory bitmap.
unsigned long long PaintedSum(PageView& view)
{
    RECT client{};
    GetClientRect(view.Hwnd(), &client);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(view.Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    unsigned long long sum = 0;
    for (int y = 0; y < client.bottom; y += 3)
        for (int x = 0; x < client.right; x += 3)
            sum = sum * 31 + GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return sum;
}

} // namespace

TEST_CASE("the preview turns pages, zooms and repaints what it shows")
{
    Report report;
    Define(report, 12);  // four to a page: three pages
    report.Show();
    ReportPreview* preview = report.Preview();
    REQUIRE(preview);
    REQUIRE(preview->IsLoaded());
    Pump();
    CHECK(IsWindowVisible(preview->Hwnd()));
    CHECK(WindowText(preview->Hwnd()) == "Prévia de teste");
    CHECK(Narrow(preview->PageText()) == "1 / 3");
    CHECK_FALSE(Enabled(*preview, PreviewCommand::First));
    CHECK_FALSE(Enabled(*preview, PreviewCommand::Previous));
    CHECK(Enabled(*preview, PreviewCommand::Print) == PrinterAvailable());
    // Without a printer the print road says so instead of asking (with one,
    // the print dialog would wait for a user).
    if (!PrinterAvailable())
        CHECK_FALSE(report.Print(preview->Hwnd()));
    PageView& view = *preview->View();
    const auto first = PaintedSum(view);

    Click(*preview, PreviewCommand::Next);
    CHECK(preview->CurrentPage() == 2);
    CHECK(view.CurrentPage() == 2);
    CHECK(Narrow(preview->PageText()) == "2 / 3");
    CHECK(PaintedSum(view) != first);
    Click(*preview, PreviewCommand::Last);
    CHECK(view.CurrentPage() == 3);
    CHECK_FALSE(Enabled(*preview, PreviewCommand::Next));
    CHECK_FALSE(Enabled(*preview, PreviewCommand::Last));
    Click(*preview, PreviewCommand::Previous);
    CHECK(view.CurrentPage() == 2);
    Click(*preview, PreviewCommand::First);
    CHECK(view.CurrentPage() == 1);
    CHECK(PaintedSum(view) == first);

    // Page keys on the page view.
    SendMessageW(view.Hwnd(), WM_KEYDOWN, VK_NEXT, 0);
    CHECK(view.CurrentPage() == 2);
    SendMessageW(view.Hwnd(), WM_KEYDOWN, VK_END, 0);
    CHECK(view.CurrentPage() == 3);
    SendMessageW(view.Hwnd(), WM_KEYDOWN, VK_HOME, 0);
    CHECK(view.CurrentPage() == 1);

    // Zoom: a larger page on screen.
    const int before = view.Zoom();
    const RECT small = view.PageRect();
    Click(*preview, PreviewCommand::ZoomIn);
    CHECK(view.Zoom() > before);
    const RECT large = view.PageRect();
    CHECK(large.right - large.left > small.right - small.left);
    Click(*preview, PreviewCommand::ZoomOut);
    CHECK(view.Zoom() == before);

    // A new run with other data: the same window, back at page 1.
    report.Data().SetRecordset(MakeRecordset({{L"N"}}));
    Click(*preview, PreviewCommand::Last);
    report.Show();
    CHECK(report.Preview() == preview);
    CHECK(Narrow(preview->PageText()) == "1 / 1");

    // Closed by the user, shown again by the next Show.
    SendMessageW(preview->Hwnd(), WM_CLOSE, 0, 0);
    Pump();
    CHECK_FALSE(preview->IsLoaded());
    report.Show();
    CHECK(preview->IsLoaded());
    CHECK(Narrow(preview->PageText()) == "1 / 1");
}
