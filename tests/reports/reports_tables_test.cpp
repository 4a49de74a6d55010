// The table reports over table recordsets: the measuring twins measure the
// capacity the previews really have, every page starts where the generation
// put MASSA_DE and ends at MASSA_ATE, the page headers show each page's
// ranges, details print with their formats, an empty Tabela 2 shows zeros.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "PageGeometry.h"
#include "ReportTestSupport.h"
#include "ReportsTestSupport.h"
#include "RptImprimirAnalise.h"
#include "RptTabela1.h"
#include "RptTabela1Check.h"
#include "RptTabela2.h"
#include "RptTabela2Check.h"
#include "TabelaFixture.h"
#include "TabelaLayout.h"

using namespace ostrelvia::reports;
using hv::report::PageModel;
using reportstest::ConferirPaginas;
using reportstest::Faixa;
using reportstest::Grade;
using reportstest::MontarMedida;
using reportstest::MontarTabela;
using reporttest::FindItem;
using reporttest::ItemsNamed;
using reporttest::Narrow;
using reporttest::TextOf;

namespace {

struct Capacidades {
    int primeira;
    int seguinte;
};

template <class Check>
Capacidades Medir(Check& check, const std::wstring& campo)
{
    check.Relatorio().Data().SetRecordset(MontarMedida(campo));
    check.Run();
    return {check.iLinhasAntesPag2(), check.iLinhasAntesPag3() - check.iLinhasAntesPag2()};
}

} // namespace

TEST_CASE("the measuring reports measure the pages the previews print")
{
    RptTabela1Check check1;
    const Capacidades t1 = Medir(check1, L"MASSA1");
    CHECK(t1.primeira == 25);
    CHECK(t1.seguinte == 27);
    RptTabela2Check check2;
    const Capacidades t2 = Medir(check2, L"FATOR1");
    CHECK(t2.primeira == 44);
    CHECK(t2.seguinte == 48);

    // Three column pages of 90 rows: the page cuts fall where the capacities say.
    const Grade grade1{Faixa(800.0, 808.9, 0.1), Faixa(10.0, 23.0, 0.5), t1.primeira, t1.seguinte};
    RptTabela1 rpt1;
    rpt1.AdoTab1().SetRecordset(MontarTabela(1, grade1));
    rpt1.Relatorio().Run();
    // 90 rows: 25 + 27 + 27 + 11, then 27 + 27 + 27 + 9 on each later column page.
    CHECK(rpt1.Relatorio().PageCount() == 4 + 4 + 4);
    CHECK(ConferirPaginas(rpt1.Relatorio(), L"FldMassaEsp") ==
          std::vector<size_t>{25, 27, 27, 11, 27, 27, 27, 9, 27, 27, 27, 9});

    const Grade grade2{Faixa(800.0, 819.9, 0.1), Faixa(10.0, 16.0, 0.5), t2.primeira, t2.seguinte};
    RptTabela2 rpt2;
    rpt2.AdoTab2().SetRecordset(MontarTabela(2, grade2));
    rpt2.Relatorio().Run();
    CHECK(rpt2.Relatorio().PageCount() == 5);  // 200 rows: 44 + 48 + 48 + 48 + 12
    CHECK(ConferirPaginas(rpt2.Relatorio(), L"FldMassa20") == std::vector<size_t>{44, 48, 48, 48, 12});
}

TEST_CASE("page headers show the page's density and temperature ranges")
{
    // -20 to 50 by 0.5: eleven column pages, the last from 45.0 to 50.0.
    const Grade grade{Faixa(780.25, 790.50, 1.025), Faixa(-20.0, 50.0, 0.5), 25, 27};
    RptTabela1 rpt;
    rpt.AdoTab1().SetRecordset(MontarTabela(1, grade));
    rpt.LblEmpresa().SetCaption(L"Usina São João");
    rpt.Relatorio().Run();
    REQUIRE(rpt.Relatorio().PageCount() == 11);
    // The first header is right before any detail was formatted.
    const PageModel first = rpt.Relatorio().Page(1);
    CHECK(Narrow(TextOf(first, L"LblCabMassa")) == "780,25 - 790,50");
    CHECK(Narrow(TextOf(first, L"LblCabTemp")) == "-20,0 - -14,0");
    CHECK(Narrow(TextOf(first, L"LblEmpresa")) == "Usina São João");
    CHECK(Narrow(TextOf(first, L"Label15")) == "Tabela 1 - Massa específica a 20 °C e Teor alcoólico %m/m");
    CHECK(ItemsNamed(first, L"Label16").size() == 1);
    const PageModel last = rpt.Relatorio().Page(11);
    CHECK(Narrow(TextOf(last, L"LblCabTemp")) == "45,0 - 50,0");
    CHECK(Narrow(TextOf(last, L"LblCabMassa")) == "780,25 - 790,50");
    CHECK(Narrow(TextOf(last, L"FldTemp11")) == "50,0");
    CHECK(TextOf(last, L"FldTemp12").empty());
    CHECK(ItemsNamed(last, L"Label16").empty());  // the instructions print once
    CHECK(Narrow(TextOf(last, L"Field40") + L" / " + TextOf(last, L"Field41")) == "11 / 11");
    CHECK(Narrow(TextOf(last, L"LblEmpresa")) == "Usina São João");
    CHECK(Narrow(rpt.Relatorio().DocumentName()) == "Tabela 1 - Massa a 20 °C e Teor Alcoólico");
    CHECK(Narrow(rpt.LblEmpresa().DesignCaption()) == "Empresa Abreviada");
    // For the eye: the first and the last page.
    CHECK(rpt.Relatorio().SavePagePng(1, reporttest::OutputPath(L"tabela1_pag1.png"), 110));
    CHECK(rpt.Relatorio().SavePagePng(11, reporttest::OutputPath(L"tabela1_pag11.png"), 110));
}

TEST_CASE("details: Tabela 1 density over content, Tabela 2 factors, nulls empty")
{
    const Grade grade{Faixa(850.0, 851.0, 0.5), Faixa(20.0, 26.0, 0.5), 25, 27};
    RptTabela1 rpt1;
    rpt1.AdoTab1().SetRecordset(MontarTabela(1, grade, {12}));
    rpt1.Relatorio().Run();
    const PageModel page1 = rpt1.Relatorio().Page(1);
    const auto massa = ItemsNamed(page1, L"FldMassa1");
    const auto teor = ItemsNamed(page1, L"FldTeor1");
    REQUIRE(massa.size() == 3);
    REQUIRE(teor.size() == 3);
    CHECK(massa[0]->box.left == teor[0]->box.left);
    CHECK(massa[0]->box.Bottom() <= teor[0]->box.top);
    CHECK(Narrow(massa[0]->text) == "850,2");  // 850.2 through "0.0"
    CHECK(Narrow(teor[0]->text) == "70,0");
    CHECK(Narrow(ItemsNamed(page1, L"FldMassaEsp")[1]->text) == "850,50");
    CHECK(Narrow(ItemsNamed(page1, L"FldTemp13")[0]->text) == "26,0");
    CHECK(ItemsNamed(page1, L"FldMassa13")[0]->text.empty());
    CHECK(ItemsNamed(page1, L"FldTeor13")[0]->text.empty());

    RptTabela2 rpt2;
    rpt2.AdoTab2().SetRecordset(MontarTabela(2, grade, {0}));
    rpt2.Relatorio().Run();
    const PageModel page2 = rpt2.Relatorio().Page(1);
    CHECK(Narrow(ItemsNamed(page2, L"FldFator2")[0]->text) == "1,0021");
    CHECK(ItemsNamed(page2, L"FldFator1")[0]->text.empty());
    CHECK(Narrow(ItemsNamed(page2, L"FldMassa20")[0]->text) == "850,0");
    CHECK(Narrow(TextOf(page2, L"Label19")) == "Temperatura de estocagem °C");
    CHECK(Narrow(rpt2.Relatorio().DocumentName()) == "Tabela 2 - Fator de correção de volume para 20 °C");
}

TEST_CASE("an empty Tabela 2 shows one page without rows and zero ranges")
{
    RptTabela2 rpt;
    rpt.AdoTab2().SetRecordset(MontarTabela(2, Grade{{}, Faixa(20.0, 26.0, 0.5), 44, 48}));
    rpt.Relatorio().Run();
    REQUIRE(rpt.Relatorio().PageCount() == 1);
    const PageModel page = rpt.Relatorio().Page(1);
    CHECK(ItemsNamed(page, L"FldMassa20").empty());
    CHECK(ItemsNamed(page, L"FldTemp1").empty());
    CHECK(Narrow(TextOf(page, L"LblCabMassa")) == "0,00 - 0,00");
    CHECK(Narrow(TextOf(page, L"LblCabTemp")) == "0,0 - 0,0");
    CHECK(Narrow(TextOf(page, L"Field40") + L" / " + TextOf(page, L"Field41")) == "1 / 1");
}

// Written for the check by other programs (pages_through_pdf.sh runs it; it is
// skipped otherwise, so that two runs never write the files at once):
// the first page of a Tabela 1 and of the day's printout as metafiles.
TEST_CASE("pages written for other programs" * doctest::skip())
{
    const Grade grade{Faixa(780.25, 790.50, 1.025), Faixa(-20.0, 50.0, 0.5), 25, 27};
    RptTabela1 tabela;
    tabela.AdoTab1().SetRecordset(MontarTabela(1, grade));
    tabela.LblEmpresa().SetCaption(L"Usina São João");
    tabela.Relatorio().Run();
    CHECK(tabela.Relatorio().SavePageEmf(1, reporttest::OutputPath(L"tabela1_pag1.emf")));

    auto analises = reporttest::MakeRecordset({{L"AMOSTRA", hv::recordset::FieldType::WideString},
                                               {L"ME"}, {L"TEMP_ENS"}, {L"TEMP_EST"}, {L"ME20"},
                                               {L"GRAU"}, {L"GRAU20"}, {L"FATOR"}});
    reporttest::AddRow(*analises, {std::wstring(L"Tanque 3"), 812.5, 25.0, 30.0, 816.3, 93.4, 95.2, 0.9967});
    RptImprimirAnalise impressao;
    impressao.AdoRel().SetRecordset(analises);
    impressao.LblEmpresa().SetCaption(L"Usina São João");
    impressao.LblCabecalho().SetCaption(L"Data da Amostragem: 05/03/2026");
    impressao.Relatorio().Run();
    CHECK(impressao.Relatorio().SavePageEmf(1, reporttest::OutputPath(L"analises_pag1.emf")));
}
