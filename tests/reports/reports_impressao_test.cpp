// The day's printout: an empty list is refused, the analyses print one line
// each in list order through their formats, the header carries the date and
// the company, the list never moves, a second print reuses the report, a
// failing report is reported and the pointer comes back. Then the
// main form's button over the form's own list.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "FrmMainFixture.h"
#include "ImpressaoAnalises.h"
#include "MousePointer.h"
#include "PageGeometry.h"
#include "ReportPreview.h"
#include "ReportTestSupport.h"
#include "RptImprimirAnalise.h"

using formstest::MsgBoxScript;
using hv::report::Box;
using hv::report::kPageMargin;
using hv::report::PageModel;
using reporttest::AddRow;
using reporttest::FindItem;
using reporttest::ItemsNamed;
using reporttest::MakeRecordset;
using reporttest::Narrow;
using reporttest::TextOf;

namespace {

using hv::recordset::FieldType;

std::shared_ptr<hv::recordset::Recordset> Analises()
{
    return MakeRecordset({{L"AMOSTRA", FieldType::WideString},
                          {L"ME"},
                          {L"TEMP_ENS"},
                          {L"TEMP_EST"},
                          {L"ME20"},
                          {L"GRAU"},
                          {L"GRAU20"},
                          {L"FATOR"}});
}

VARIANT Data(WORD dia, WORD mes, WORD ano)
{
    SYSTEMTIME st{};
    st.wYear = ano;
    st.wMonth = mes;
    st.wDay = dia;
    VARIANT v;
    v.vt = VT_DATE;
    SystemTimeToVariantTime(&st, &v.dblVal);
    return v;
}

class FormImpressao : public hv::forms::Form {};

std::wstring Sample(const hv::recordset::Recordset& rs)
{
    VARIANT v;
    VariantInit(&v);
    REQUIRE(rs.GetValue(L"AMOSTRA", &v) == S_OK);
    std::wstring text = v.vt == VT_BSTR ? v.bstrVal : L"";
    VariantClear(&v);
    return text;
}

hv::report::Report& Relatorio()
{
    return RptImprimirAnaliseDoPrograma().Relatorio();
}

} // namespace

TEST_CASE("the day's printout: refusal, lines and formats, header, reuse, failure")
{
    FormImpressao form;
    form.Show();
    MsgBoxScript caixas;
    auto rs = Analises();
    const VARIANT data = Data(5, 3, 2026);

    SUBCASE("an empty list prints nothing")
    {
        sImprimirAnalises(form, *rs, data, L"Usina");
        REQUIRE(caixas.shown.size() == 1);
        CHECK(Narrow(caixas.shown[0].text) == "Não existem amostras para a impressão!");
        CHECK(caixas.shown[0].style == (MB_OK | MB_ICONINFORMATION));
        CHECK(Narrow(caixas.shown[0].title) == "Atenção");
        CHECK((!Relatorio().Preview() || !Relatorio().Preview()->IsLoaded()));
    }

    SUBCASE("three analyses, then a second print with other data")
    {
        AddRow(*rs, {std::wstring(L"A1"), 812.5, 25.0, 30.0, 816.3, 93.4, 95.2, 0.99674});
        AddRow(*rs, {std::wstring(L"D'Ávila"), 850.0, 20.0, 25.0, 850.0, 77.3, 83.3, 0.9949});
        AddRow(*rs, {std::wstring(L"B7"), 900.0, 20.0, 20.0, std::monostate{}, std::monostate{}, std::monostate{},
                     std::monostate{}});
        // The list stands on its second record; the printout must not move it.
        REQUIRE(rs->MoveFirst() == S_OK);
        REQUIRE(rs->MoveNext() == S_OK);
        sImprimirAnalises(form, *rs, data, L"");
        CHECK(caixas.shown.empty());
        CHECK(Narrow(Sample(*rs)) == "D'Ávila");
        CHECK(form.MousePointer() == hv::forms::PointerDefault);
        REQUIRE(Relatorio().PageCount() == 1);
        REQUIRE(Relatorio().Preview());
        CHECK(Relatorio().Preview()->IsLoaded());
        CHECK(Narrow(Relatorio().DocumentName()) == "Impressão de analises");
        const PageModel page = Relatorio().Page(1);
        CHECK(Narrow(TextOf(page, L"LblCabecalho")) == "Data da Amostragem: 05/03/2026");
        CHECK(TextOf(page, L"LblEmpresa").empty());
        const auto amostras = ItemsNamed(page, L"FldAmostras");
        REQUIRE(amostras.size() == 3);
        CHECK(Narrow(amostras[0]->text) == "A1");
        CHECK(Narrow(amostras[1]->text) == "D'Ávila");
        CHECK(Narrow(amostras[2]->text) == "B7");
        const std::vector<std::pair<const wchar_t*, const char*>> primeira{
            {L"FldME", "812,50"},   {L"FldTempEnsaio", "25,0"}, {L"FldTempEstoque", "30,0"}, {L"FldME20", "816,3"},
            {L"FldGrau", "93,4"},   {L"FldGrau20", "95,2"},     {L"FldFator", "0,9967"}};
        for (const auto& [campo, texto] : primeira) {
            CAPTURE(Narrow(campo));
            CHECK(Narrow(ItemsNamed(page, campo)[0]->text) == texto);
            CHECK(ItemsNamed(page, campo)[2]->text.empty() == (std::wstring(campo) != L"FldME" &&
                                                                 std::wstring(campo) != L"FldTempEnsaio" &&
                                                                 std::wstring(campo) != L"FldTempEstoque"));
        }
        // The layout in twips, from the page's margins.
        const int cabecalho = kPageMargin;
        CHECK(FindItem(page, L"LblEmpresa")->box == Box{kPageMargin + 2580, cabecalho, 6264, 454});
        CHECK(FindItem(page, L"LblCabecalho")->box == Box{kPageMargin + 2778, cabecalho + 482, 5924, 397});
        CHECK(ItemsNamed(page, L"FldME")[0]->box.left == kPageMargin + 2205);
        CHECK(ItemsNamed(page, L"FldFator")[0]->box.left == kPageMargin + 8835);
        CHECK(ItemsNamed(page, L"FldME")[1]->box.top - ItemsNamed(page, L"FldME")[0]->box.top == 285);
        CHECK(Narrow(TextOf(page, L"LblTitTEMP_ENS3")) == "(ºC)");
        CHECK(Narrow(TextOf(page, L"LblTitME3")) == "(kg/m3)");
        CHECK(Narrow(TextOf(page, L"Label16") + L" " + TextOf(page, L"Field1") + L" " + TextOf(page, L"Label17") +
                     L" " + TextOf(page, L"Field2")) == "Pag: 1 / 1");
        CHECK(Relatorio().SavePagePng(1, reporttest::OutputPath(L"analises_pag1.png"), 110));

        auto outra = Analises();
        AddRow(*outra, {std::wstring(L"Z9"), 790.0, 21.0, 22.0, 789.0, 95.0, 96.5, 1.001});
        hv::report::Report* antes = &Relatorio();
        sImprimirAnalises(form, *outra, Data(6, 3, 2026), L"Destilaria Boa Vista");
        CHECK(&Relatorio() == antes);
        const PageModel segunda = Relatorio().Page(1);
        CHECK(ItemsNamed(segunda, L"FldAmostras").size() == 1);
        CHECK(Narrow(TextOf(segunda, L"LblCabecalho")) == "Data da Amostragem: 06/03/2026");
        CHECK(Narrow(TextOf(segunda, L"LblEmpresa")) == "Destilaria Boa Vista");
    }

    SUBCASE("a report that fails is reported and the pointer comes back")
    {
        AddRow(*rs, {std::wstring(L"A1"), 812.5, 25.0, 30.0, 816.3, 93.4, 95.2, 0.99674});
        Relatorio().FailNextRun(E_OUTOFMEMORY);
        sImprimirAnalises(form, *rs, data, L"Usina");
        REQUIRE(caixas.shown.size() == 1);
        CHECK(Narrow(caixas.shown[0].text) == "Não foi possível gerar o relatório!");
        CHECK(caixas.shown[0].style == (MB_OK | MB_ICONINFORMATION));
        CHECK(form.MousePointer() == hv::forms::PointerDefault);
    }
    if (Relatorio().Preview())
        Relatorio().Preview()->Unload();
    form.Unload();
}

TEST_CASE("the main form's button prints the form's list with its date and company")
{
    FrmMainFixture f;
    REQUIRE(f.form->RstAnalise);
    f.Lanca(L"05/03/2026");
    f.form->TxtEmpresaAbv->SetCaption(L"Usina Modelo");
    // Typed as the laboratory types them: the grid's rows and the list.
    f.LancaAnalise(L"A1", L"812,5", L"25", L"30");
    f.LancaAnalise(L"A2", L"850", L"20", L"25");
    const ObjetoAutomacao grade = f.form->fGrid();
    grade.AtribuiReferencia(L"ActiveRow", f.Linhas()[0].Get());
    REQUIRE(f.Celula(grade.Objeto(L"ActiveRow"), L"AMOSTRA") == L"A1");
    f.caixas.shown.clear();
    SendMessageW(f.form->CmdImprimir->Hwnd(), BM_CLICK, 0, 0);
    formstest::PumpMessages();
    CHECK(f.caixas.shown.empty());
    REQUIRE(Relatorio().PageCount() == 1);
    const PageModel page = Relatorio().Page(1);
    CHECK(Narrow(TextOf(page, L"LblEmpresa")) == "Usina Modelo");
    CHECK(Narrow(TextOf(page, L"LblCabecalho")) == "Data da Amostragem: 05/03/2026");
    const auto amostras = ItemsNamed(page, L"FldAmostras");
    REQUIRE(amostras.size() == 2);
    CHECK(Narrow(amostras[0]->text) == "A1");
    CHECK(Narrow(ItemsNamed(page, L"FldME")[1]->text) == "850,00");
    CHECK(Narrow(ItemsNamed(page, L"FldFator")[1]->text) == "0,9949");
    CHECK(f.form->MousePointer() == hv::forms::PointerDefault);
    // The printout read a copy: the grid's active row has not moved.
    CHECK(f.Celula(grade.Objeto(L"ActiveRow"), L"AMOSTRA") == L"A1");
    CHECK(f.Linhas().size() == 2);
    Relatorio().Preview()->Unload();
}
