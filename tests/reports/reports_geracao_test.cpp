// Print mode of the table generation, end to end: the tab's run measures the
// pages with the measuring reports, builds both tables and shows both
// previews; every printed page holds what the generation put on it.
#include <doctest/doctest.h>

#include <memory>
#include <string>
#include <vector>

#include "EntregaRelatorios.h"
#include "FormTabelas.h"
#include "FormsTestSupport.h"
#include "GeracaoTabelas.h"
#include "MessageYield.h"
#include "MousePointer.h"
#include "RelatoriosTabelas.h"
#include "ReportPreview.h"
#include "ReportTestSupport.h"
#include "ReportsTestSupport.h"

using namespace ostrelvia::reports;
using formstest::MsgBoxScript;
using hv::report::PageModel;
using reportstest::ConferirPaginas;
using reporttest::ItemsNamed;
using reporttest::Narrow;
using reporttest::TextOf;

namespace {

struct Fixture {
    tabelastest::FormTabelas form;
    RelatoriosTabelas relatorios;
    std::unique_ptr<ProgressoTabelas> progresso;
    std::unique_ptr<GeracaoTabelas> geracao;
    hv::forms::YieldHandler pausa;

    Fixture()
    {
        pausa = hv::forms::SetYieldHandler([] { formstest::PumpMessages(); });
        form.Show();
        form.TxtEmpresaAbv->SetCaption(L"Usina Santa Rita");
        progresso = std::make_unique<ProgressoTabelas>(
            std::vector<ProgressoTabelas::Barra>{{*form.LblBarra, *form.LblPronto, *form.lblPerc}});
        geracao = std::make_unique<GeracaoTabelas>(
            form.Controles(), *progresso,
            [this](ModoTabela) { return std::make_unique<EntregaRelatorios>(*form.TxtEmpresaAbv, relatorios); },
            [] { return false; });
        geracao->DefinirIntervaloPausas(1000);
        form.CmdImprTabMassa->Click = [this] { geracao->CmdImprTabMassa_Click(); };
    }
    ~Fixture()
    {
        relatorios.Descarregar();
        form.Unload();
        hv::forms::SetYieldHandler(std::move(pausa));
    }

    void Imprimir(double massaIni, double massaFim, double massaInc, double tempIni, double tempFim, double tempInc)
    {
        form.Preencher(massaIni, massaFim, massaInc, tempIni, tempFim, tempInc);
        SendMessageW(form.CmdImprTabMassa->Hwnd(), BM_CLICK, 0, 0);
        formstest::PumpMessages();
    }

    hv::report::Report& Tabela1() { return relatorios.Tabela1().Relatorio(); }
    hv::report::Report& Tabela2() { return relatorios.Tabela2().Relatorio(); }
};

bool Visivel(hv::report::Report& report)
{
    return report.Preview() && report.Preview()->IsLoaded() && IsWindowVisible(report.Preview()->Hwnd());
}

} // namespace

TEST_CASE("print mode shows both previews; each page names its density and temperature range")
{
    Fixture f;
    MsgBoxScript caixas;
    // Six densities and -20 to 50 by 0.5: eleven column pages of one printed page each.
    f.Imprimir(780.25, 790.50, 2.05, -20, 50, 0.5);
    CHECK(caixas.shown.empty());
    REQUIRE(Visivel(f.Tabela1()));
    REQUIRE(Visivel(f.Tabela2()));
    REQUIRE(f.Tabela1().PageCount() == 11);
    const PageModel primeira = f.Tabela1().Page(1);
    CHECK(Narrow(TextOf(primeira, L"LblCabMassa")) == "780,25 - 790,50");
    CHECK(Narrow(TextOf(primeira, L"LblCabTemp")) == "-20,0 - -14,0");
    CHECK(Narrow(TextOf(primeira, L"LblEmpresa")) == "Usina Santa Rita");
    const PageModel ultima = f.Tabela1().Page(11);
    CHECK(Narrow(TextOf(ultima, L"LblCabTemp")) == "45,0 - 50,0");
    CHECK(Narrow(TextOf(ultima, L"FldTemp11")) == "50,0");
    CHECK(TextOf(ultima, L"FldTemp12").empty());
    // Tabela 1: the density at 20 °C over the content, both "0.0"; at -20 °C
    // the lightest densities have no content (empty cells).
    CHECK(ItemsNamed(primeira, L"FldMassa1")[0]->text.empty());
    const auto massa = ItemsNamed(ultima, L"FldMassa1");
    const auto teor = ItemsNamed(ultima, L"FldTeor1");
    REQUIRE(massa.size() == 6);
    CHECK(massa[0]->box.Bottom() <= teor[0]->box.top);
    CHECK(massa[0]->text.find(L',') == massa[0]->text.size() - 2);
    CHECK(teor[0]->text.find(L',') == teor[0]->text.size() - 2);
    CHECK(Narrow(TextOf(f.Tabela2().Page(1), L"LblEmpresa")) == "Usina Santa Rita");
    CHECK(Narrow(f.Tabela1().Preview()->PageText()) == "1 / 11");
}

TEST_CASE("rows split at the measured capacities, on every page of both tables")
{
    Fixture f;
    MsgBoxScript caixas;
    // 501 densities, thirteen columns: one column page.
    f.Imprimir(800, 850, 0.1, 20, 26, 0.5);
    CHECK(caixas.shown.empty());
    const std::vector<size_t> linhas1 = ConferirPaginas(f.Tabela1(), L"FldMassaEsp");
    REQUIRE(linhas1.size() == 19);
    CHECK(linhas1.front() == 25);
    for (size_t p = 1; p + 1 < linhas1.size(); ++p)
        CHECK(linhas1[p] == 27);
    CHECK(linhas1.back() == 501 - 25 - 27 * 17);
    const std::vector<size_t> linhas2 = ConferirPaginas(f.Tabela2(), L"FldMassa20");
    REQUIRE(linhas2.size() >= 2);
    CHECK(linhas2.front() == 44);
    for (size_t p = 1; p + 1 < linhas2.size(); ++p)
        CHECK(linhas2[p] == 48);
}

TEST_CASE("Tabela 2's factors print with four decimals")
{
    Fixture f;
    MsgBoxScript caixas;
    f.Imprimir(849, 851, 0.5, 20, 50, 10);
    bool achou = false;
    for (long p = 1; p <= f.Tabela2().PageCount(); ++p) {
        const PageModel page = f.Tabela2().Page(p);
        const auto linhas = ItemsNamed(page, L"FldMassa20");
        const auto fator50 = ItemsNamed(page, L"FldFator4");  // the fourth column: 50 °C
        CHECK(Narrow(TextOf(page, L"FldTemp4")) == "50,0");
        for (size_t i = 0; i < linhas.size(); ++i)
            if (linhas[i]->text == L"850,0") {
                CHECK(Narrow(fator50[i]->text) == "0,9683");
                achou = true;
            }
    }
    CHECK(achou);
}

TEST_CASE("an empty Tabela 2 is shown empty with zero ranges")
{
    Fixture f;
    MsgBoxScript caixas;
    // No content at 999.84 kg/m³: Tabela 1 all empty, so Tabela 2 has no row.
    f.Imprimir(999.84, 999.84, 0, 20, 50, 10);
    CHECK(caixas.shown.empty());
    REQUIRE(Visivel(f.Tabela2()));
    REQUIRE(f.Tabela2().PageCount() == 1);
    const PageModel page = f.Tabela2().Page(1);
    CHECK(ItemsNamed(page, L"FldMassa20").empty());
    CHECK(Narrow(TextOf(page, L"LblCabMassa")) == "0,00 - 0,00");
    CHECK(Narrow(TextOf(page, L"LblCabTemp")) == "0,0 - 0,0");
    CHECK(ItemsNamed(f.Tabela1().Page(1), L"FldMassaEsp").size() == 1);
    CHECK(TextOf(f.Tabela1().Page(1), L"FldMassa1").empty());
}

TEST_CASE("a report that fails ends the run with the generation's message")
{
    Fixture f;
    MsgBoxScript caixas;
    f.relatorios.Tabela1().Relatorio().FailNextRun(E_FAIL);
    f.Imprimir(849, 851, 0.5, 20, 50, 10);
    REQUIRE(caixas.shown.size() == 1);
    CHECK(Narrow(caixas.shown[0].text).rfind("Não foi possível gerar as tabelas: ", 0) == 0);
    CHECK(f.form.MousePointer() == hv::forms::PointerDefault);
    CHECK(f.form.CmdImprTabMassa->Enabled());
    CHECK_FALSE(Visivel(f.Tabela1()));
    // The next run shows them.
    f.Imprimir(849, 851, 0.5, 20, 50, 10);
    CHECK(Visivel(f.Tabela1()));
    CHECK(Visivel(f.Tabela2()));
}
