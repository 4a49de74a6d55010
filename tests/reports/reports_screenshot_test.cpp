// The Tabela 1 preview on the screen: saved as PNG pictures beside the test
// program for the eye (first page, then the next page after a click), and
// the page shown on the screen changes with the navigation.
#include <doctest/doctest.h>

#include <vector>

#include <windows.h>

#include "CommandButton.h"
#include "FormsTestSupport.h"
#include "PageView.h"
#include "PngFile.h"
#include "ReportPreview.h"
#include "RptTabela1.h"
#include "TabelaFixture.h"

using namespace ostrelvia::reports;
using reportstest::Faixa;
using reportstest::Grade;

namespace {

// The page view's pixels as the screen shows them.
std::vector<COLORREF> Screen(HWND view)
{
    RECT r{};
    GetClientRect(view, &r);
    HDC dc = GetDC(view);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; y += 4)
        for (int x = 0; x < r.right; x += 4)
            pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(view, dc);
    return pixels;
}

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        formstest::PumpMessages();
        Sleep(50);
    }
}

} // namespace

TEST_CASE("the Tabela 1 preview on the screen")
{
    RptTabela1 rpt;
    rpt.AdoTab1().SetRecordset(reportstest::MontarTabela(1, Grade{Faixa(800.0, 860.0, 0.5), Faixa(20.0, 26.0, 0.5), 25, 27}));
    rpt.LblEmpresa().SetCaption(L"Usina São João");
    rpt.Show();
    hv::report::ReportPreview& preview = *rpt.Relatorio().Preview();
    preview.Move(300, 300, 12000, 13500);
    SetForegroundWindow(preview.Hwnd());
    Settle();
    HWND view = preview.View()->Hwnd();
    const auto first = Screen(view);
    CHECK(formstest::SaveWindowPng(preview.Hwnd(), formstest::ExecutableFolder() + L"preview_tabela1.png"));
    SendMessageW(preview.Button(hv::report::PreviewCommand::Next)->Hwnd(), BM_CLICK, 0, 0);
    Settle();
    CHECK(preview.View()->CurrentPage() == 2);
    CHECK(Screen(view) != first);
    CHECK(formstest::SaveWindowPng(preview.Hwnd(), formstest::ExecutableFolder() + L"preview_tabela1_pag2.png"));
    preview.Unload();
}
