// The tab's table generation on a form of real controls: the three buttons,
// the cancel button over the start button during the run, cancel answered No
// and Yes, refusals, failures, and the form restored whatever ended the run.
// The output is a test hand-off.
#include <doctest/doctest.h>

#include "FalhaGeracao.h"
#include "FormTabelas.h"
#include "FormsTestSupport.h"
#include "GeracaoTabelas.h"
#include "MessageYield.h"
#include "MousePointer.h"
#include "TabelasTestSupport.h"

#include <functional>

using formstest::MsgBoxScript;
using formstest::Narrow;
using namespace tabelastest;
using namespace hv::forms;

namespace {

// Runs `acao` at the n-th yield of the run (1 on), then drains the queue.
class Pausas
{
public:
    Pausas()
    {
        m_anterior = SetYieldHandler([this] {
            ++contagem;
            if (contagem == quando && acao)
                acao();
            formstest::PumpMessages();
        });
    }
    ~Pausas() { SetYieldHandler(std::move(m_anterior)); }
    Pausas(const Pausas&) = delete;
    Pausas& operator=(const Pausas&) = delete;

    int contagem = 0;
    int quando = -1;
    std::function<void()> acao;

private:
    YieldHandler m_anterior;
};

struct Fixture
{
    FormTabelas form;
    std::unique_ptr<ProgressoTabelas> progresso;
    std::unique_ptr<GeracaoTabelas> geracao;
    EntregaTeste entrega;
    std::vector<ModoTabela> modos;
    bool temExcel = true;

    Fixture()
    {
        form.Show();
        progresso = std::make_unique<ProgressoTabelas>(
            std::vector<ProgressoTabelas::Barra>{{*form.LblBarra, *form.LblPronto, *form.lblPerc}});
        geracao = std::make_unique<GeracaoTabelas>(
            form.Controles(), *progresso,
            [this](ModoTabela modo) {
                modos.push_back(modo);
                return std::make_unique<Repasse>(entrega);
            },
            [this] { return temExcel; });
        geracao->DefinirIntervaloPausas(0);
        form.CmdGerarTabMassa->Click = [this] { geracao->CmdGerarTabMassa_Click(); };
        form.CmdImprTabMassa->Click = [this] { geracao->CmdImprTabMassa_Click(); };
        form.CmdCancTabMassa->Click = [this] { geracao->CmdCancTabMassa_Click(); };
        entrega.capacidade1 = entrega.capacidade2 = {40, 50};
        form.Preencher(849, 851, 0.5, 20, 50, 10);
    }
    ~Fixture() { form.Unload(); }

    void Clicar(CommandButton& botao) { SendMessageW(botao.Hwnd(), BM_CLICK, 0, 0); }

    // The form at rest: start buttons enabled, no cancel button, no progress.
    void ChecarRepouso()
    {
        CHECK(form.CmdGerarTabMassa->Enabled());
        CHECK(form.CmdImprTabMassa->Enabled());
        CHECK_FALSE(form.CmdCancTabMassa->Visible());
        CHECK(form.CmdCancTabMassa->Tag().empty());
        CHECK(form.MousePointer() == PointerDefault);
        CHECK_FALSE(form.LblBarra->Visible());
        CHECK_FALSE(form.lblPerc->Visible());
        CHECK(progresso->Tabela() == 0);
    }
};

} // namespace

TEST_CASE("while the tables are made the cancel button covers the start button and both are disabled")
{
    for (auto [modo, nome] : {std::pair{ModoTabela::Planilha, "workbook"}, std::pair{ModoTabela::Impressao, "print"}}) {
        CAPTURE(nome);
        Fixture f;
        CommandButton& inicio = modo == ModoTabela::Planilha ? *f.form.CmdGerarTabMassa : *f.form.CmdImprTabMassa;
        f.entrega.aoEntregar = [&] {
            CHECK(f.form.CmdCancTabMassa->Visible());
            CHECK(f.form.CmdCancTabMassa->Top() == inicio.Top());
            CHECK(f.form.CmdCancTabMassa->Left() == inicio.Left());
            CHECK(f.form.CmdCancTabMassa->MousePointer() == PointerArrow);
            CHECK_FALSE(f.form.CmdGerarTabMassa->Enabled());
            CHECK_FALSE(f.form.CmdImprTabMassa->Enabled());
            CHECK(f.form.MousePointer() == PointerHourglass);
            CHECK(f.form.LblBarra->Visible());
            CHECK(Narrow(f.form.lblPerc->Caption()) == "Gerando a Tabela 2 na memória -> 100 %");
            return true;
        };
        MsgBoxScript caixas;
        f.Clicar(inicio);
        CHECK(f.modos == std::vector<ModoTabela>{modo});
        CHECK(f.entrega.entregas == 1);
        CHECK(f.entrega.tabela1->RecordCount() == 5);
        CHECK(caixas.shown.empty());
        f.ChecarRepouso();
    }
}

TEST_CASE("cancel answered No clears the mark and the run goes on; a later click asks again")
{
    Fixture f;
    Pausas pausas;
    pausas.quando = 3;
    pausas.acao = [&] { f.Clicar(*f.form.CmdCancTabMassa); };
    MsgBoxScript caixas({MsgNo});
    bool marcaNaEntrega = true;
    f.entrega.aoEntregar = [&] {
        marcaNaEntrega = !f.form.CmdCancTabMassa->Tag().empty();
        return true;
    };
    f.Clicar(*f.form.CmdImprTabMassa);
    REQUIRE(caixas.shown.size() == 1);
    CHECK(Narrow(caixas.shown[0].text) == "Deseja Realmente Cancelar a Geração das Tabelas ?");
    CHECK(caixas.shown[0].style == 292);
    CHECK(Narrow(caixas.shown[0].title) == "Atenção");
    CHECK(f.entrega.entregas == 1);
    CHECK_FALSE(marcaNaEntrega);
    f.ChecarRepouso();
}

TEST_CASE("cancel answered Yes ends the run: no output, focus to the first range field")
{
    Fixture f;
    Pausas pausas;
    pausas.quando = 25;   // in Tabela 2
    pausas.acao = [&] { f.Clicar(*f.form.CmdCancTabMassa); };
    MsgBoxScript caixas({MsgYes});
    f.form.CmdImprTabMassa->SetFocus();
    f.Clicar(*f.form.CmdGerarTabMassa);
    CHECK(caixas.shown.size() == 1);
    CHECK(f.entrega.entregas == 0);
    CHECK(f.form.TxtMassaIni->HasFocus());
    f.ChecarRepouso();
}

TEST_CASE("nothing starts without the spreadsheet application, nor with refused fields")
{
    SUBCASE("no spreadsheet application: the workbook button refuses, the print button does not ask")
    {
        Fixture f;
        f.temExcel = false;
        MsgBoxScript caixas;
        f.Clicar(*f.form.CmdGerarTabMassa);
        REQUIRE(caixas.shown.size() == 1);
        CHECK(caixas.shown[0].style == 64);
        CHECK(Narrow(caixas.shown[0].text)
              == "Não será possível gerar a tabela. É necessário ter um MS-Excel® instalado nesta máquina para "
                 "utilizar este recurso!");
        CHECK(f.modos.empty());
        f.Clicar(*f.form.CmdImprTabMassa);
        CHECK(f.modos == std::vector<ModoTabela>{ModoTabela::Impressao});
    }
    SUBCASE("refused fields: the checks' box, nothing generated, the fields kept")
    {
        Fixture f;
        f.form.TxtTempInc->SetValue(VARIANT{});   // emptied
        MsgBoxScript caixas;
        f.Clicar(*f.form.CmdImprTabMassa);
        REQUIRE(caixas.shown.size() == 1);
        CHECK(caixas.shown[0].style == 16);
        CHECK(Narrow(caixas.shown[0].text) == "Incremento da temperatura °C não informado!\r\n");
        CHECK(f.modos.empty());
        CHECK(f.form.TxtMassaIni->Value().dblVal == 849.0);
    }
}

TEST_CASE("a failure of the output or of a page measure shows its description, then the form is restored")
{
    SUBCASE("the output fails")
    {
        Fixture f;
        f.entrega.aoEntregar = []() -> bool { throw FalhaGeracao(L"a planilha recusou a operação."); };
        MsgBoxScript caixas;
        f.Clicar(*f.form.CmdGerarTabMassa);
        REQUIRE(caixas.shown.size() == 1);
        CHECK(caixas.shown[0].style == 16);
        CHECK(Narrow(caixas.shown[0].text) == "Não foi possível gerar as tabelas: a planilha recusou a operação.");
        f.ChecarRepouso();
    }
    SUBCASE("a page holds no row")
    {
        Fixture f;
        f.entrega.capacidade2 = {0, 0};
        MsgBoxScript caixas;
        f.Clicar(*f.form.CmdImprTabMassa);
        REQUIRE(caixas.shown.size() == 1);
        CHECK(Narrow(caixas.shown[0].text)
              == "Não foi possível gerar as tabelas: a página da Tabela 2 não comporta nenhuma linha.");
        CHECK(f.entrega.entregas == 0);
        f.ChecarRepouso();
    }
}
