// The button "Exportar MS-Excel®" of the main form end to end: the day's
// list, the date of the form, the registered spreadsheet stand-in and the
// workbook handed over as a file.
#include <doctest/doctest.h>

#include <string>

#include "ExcelApplication.h"
#include "FrameworkTestSupport.h"
#include "FrmMainFixture.h"
#include "../spreadsheet/SheetTestSupport.h"

using hv::automation::LateArg;
using hv::automation::LateObject;

namespace {

void RegistraPlanilha()
{
    static const bool feito = RunRegsvr32On(WindowsPathOf(HV_SPREADSHEET_DLL), L"/s") == 0;
    REQUIRE(feito);
}

// Adds one analysis to the form's list as the grid would (sample and density).
void fAcrescenta(hv::recordset::Recordset& lista, const wchar_t* amostra, double massa)
{
    REQUIRE(lista.AddNew() == S_OK);
    REQUIRE(lista.SetValue(L"AMOSTRA", LateArg(amostra).Get()) == S_OK);
    REQUIRE(lista.SetValue(L"ME", LateArg(massa).Get()) == S_OK);
    REQUIRE(lista.Update() == S_OK);
}

// Keeps the application the export creates, to read its sheet afterwards.
struct GuardaExcel {
    LateObject excel;
    ostrelvia::CriadorExcel anterior = ostrelvia::TrocaCriadorExcel([this] {
        excel = LateObject::Create(L"Excel.Application");
        return excel;
    });
    ~GuardaExcel() { ostrelvia::TrocaCriadorExcel(std::move(anterior)); }
};

} // namespace

TEST_CASE("the export button: an empty list is refused, a list becomes a workbook with the form's date")
{
    RegistraPlanilha();
    ScratchFolder saida;
    FrmMainFixture f;
    f.Lanca(L"05/03/2026");
    f.caixas.shown.clear();

    f.form->CmdExpExcel->Click();
    REQUIRE(f.caixas.shown.size() == 1);
    CHECK(f.caixas.shown[0].text == L"Não existem amostras para a Exportação!");
    CHECK(f.caixas.shown[0].style == 64);
    CHECK(saida.Files().empty());

    f.caixas.shown.clear();
    hv::recordset::Recordset& lista = *f.form->RstAnalise;
    fAcrescenta(lista, L"A1", 812.5);
    fAcrescenta(lista, L"A2", 850.0);
    REQUIRE(lista.MoveFirst() == S_OK);
    {
        GuardaExcel guarda;
        f.form->CmdExpExcel->Click();
        CHECK(f.caixas.shown.empty());
        CHECK(f.form->MousePointer() == 0);
        REQUIRE(guarda.excel);
        const LateArg data = guarda.excel.Object(L"Cells", {3, 1}).Value(L"Value");
        REQUIRE(data.Type() == VT_R8);
        CHECK(V_R8(&data.Get()) == 46086);  // 5 March 2026
        const LateArg amostra = guarda.excel.Object(L"Cells", {3, 2}).Value(L"Value");
        REQUIRE(amostra.Type() == VT_BSTR);
        CHECK(std::wstring(V_BSTR(&amostra.Get())) == L"A2");
    }
    CHECK(saida.Files().size() == 1);
    LateArg atual;
    REQUIRE(lista.GetValue(L"AMOSTRA", atual.Put()) == S_OK);
    CHECK(std::wstring(V_BSTR(&atual.Get())) == L"A1");
}
