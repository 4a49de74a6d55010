// The main form's analysis tab as the screen shows it, with two analyses in
// the list, saved as FrmMain_tab1.png (and the other two tabs as FrmMain_tab0.png and
// FrmMain_tab2.png) beside the test executable (to be
// looked at; the test checks only that it was written). It reads the screen,
// so it runs alone.
#include <doctest/doctest.h>

#include "FrmMainFixture.h"
#include "PngFile.h"

using formstest::PumpMessages;

TEST_CASE("a picture of the analysis tab with two analyses")
{
    FrmMainFixture f;
    f.Lanca(L"31/01/2024");
    f.LancaAnalise(L"A1", L"850", L"20", L"25");
    f.LancaAnalise(L"D'Ávila", L"812,5", L"25", L"30");
    for (int i = 0; i < 5; ++i) {
        PumpMessages();
        Sleep(50);
    }
    CHECK(formstest::SaveWindowPng(f.form->Hwnd(), formstest::ExecutableFolder() + L"FrmMain_tab1.png"));
    for (int aba : {0, 2}) {
        f.form->HvTab1->SetTab(aba);
        PumpMessages();
        Sleep(50);
        PumpMessages();
        const std::wstring nome = L"FrmMain_tab" + std::to_wstring(aba) + L".png";
        CHECK(formstest::SaveWindowPng(f.form->Hwnd(), formstest::ExecutableFolder() + nome));
    }
}
