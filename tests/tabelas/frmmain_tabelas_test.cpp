// Table generation on Ostrelvia's main form, end to end: the range fields
// typed on tab 2, the workbook button, the registered spreadsheet stand-in
// receiving the workbook; closing the form while the tables are computed asks
// to end the program, while the workbook is written it only raises the
// cancel mark.
#include <doctest/doctest.h>

#include "FrameworkTestSupport.h"
#include "FrmMainFixture.h"
#include "MessageYield.h"
#include "MousePointer.h"
#include "../spreadsheet/SheetTestSupport.h"

#include <functional>

using formstest::Narrow;
using formstest::PumpMessages;
using namespace hv::forms;

namespace {

void PlanilhaRegistrada()
{
    static const bool feito = RunRegsvr32On(WindowsPathOf(HV_SPREADSHEET_DLL), L"/s") == 0;
    REQUIRE(feito);
}

// Runs `acao` at the first yield to the message loop where `quando` holds,
// then drains the queue.
class Pausas
{
public:
    Pausas()
    {
        m_anterior = SetYieldHandler([this] {
            if (!feito && quando && quando()) {
                feito = true;
                acao();
            }
            PumpMessages();
        });
    }
    ~Pausas() { SetYieldHandler(std::move(m_anterior)); }
    Pausas(const Pausas&) = delete;
    Pausas& operator=(const Pausas&) = delete;

    std::function<bool()> quando;
    std::function<void()> acao;
    bool feito = false;

private:
    YieldHandler m_anterior;
};

struct Fixture : FrmMainFixture
{
    ScratchFolder planilhas;

    Fixture()
    {
        PlanilhaRegistrada();
        form->HvTab1->SetTab(2);
        PumpMessages();
        Digita(*form->TxtMassaIni, L"850");
        Digita(*form->TxtMassaFim, L"851");
        Digita(*form->TxtMassaInc, L"0,5");
        Digita(*form->TxtTempIni, L"20");
        Digita(*form->TxtTempFim, L"25");
        Digita(*form->TxtTempInc, L"0,5");
        form->Geracao()->DefinirIntervaloPausas(0);
    }

    void Gerar() { SendMessageW(form->CmdGerarTabMassa->Hwnd(), BM_CLICK, 0, 0); }

    void ChecarRepouso()
    {
        CHECK(form->CmdGerarTabMassa->Enabled());
        CHECK(form->CmdImprTabMassa->Enabled());
        CHECK_FALSE(form->CmdCancTabMassa->Visible());
        CHECK(form->CmdCancTabMassa->Tag().empty());
        CHECK(form->MousePointer() == PointerDefault);
        CHECK_FALSE(form->LblBarra->Visible());
        CHECK_FALSE(form->bGerandoTabela);
    }
};

} // namespace

TEST_CASE("the workbook button makes the workbook of both tables and leaves the tab at rest")
{
    Fixture f;
    formstest::MsgBoxScript caixas;
    CHECK_FALSE(f.form->CmdCancTabMassa->Visible());
    CHECK_FALSE(f.form->LblBarra->Visible());
    bool gerando = false;
    std::wstring legenda;
    Pausas pausas;
    pausas.quando = [&] { return f.form->bGerandoTabela; };
    pausas.acao = [&] {
        gerando = f.form->bGerandoTabela;
        legenda = f.form->lblPerc->Caption();
    };
    f.Gerar();
    CHECK(caixas.shown.empty());
    CHECK(gerando);
    CHECK(Narrow(legenda).starts_with("Montando a Tabela "));
    CHECK(f.planilhas.Files().size() == 1);
    f.ChecarRepouso();
}

TEST_CASE("closing the form while the workbook is written only raises the cancel mark; Yes discards it")
{
    Fixture f;
    formstest::MsgBoxScript caixas({MsgYes});   // the load's messages aside
    Pausas pausas;
    pausas.quando = [&] { return f.form->bGerandoTabela; };
    bool gerando = false;
    pausas.acao = [&] {
        gerando = f.form->bGerandoTabela;
        SendMessageW(f.form->Hwnd(), WM_CLOSE, 0, 0);
    };
    f.Gerar();
    CHECK(gerando);
    REQUIRE(caixas.shown.size() == 1);   // no "Deseja encerrar o sistema ?"
    CHECK(Narrow(caixas.shown[0].text) == "Deseja Realmente Cancelar a Geração das Tabelas ?");
    CHECK(f.form->IsLoaded());
    CHECK(f.planilhas.Files().empty());
    f.ChecarRepouso();
    CHECK(f.form->TxtMassaIni->HasFocus());
}

TEST_CASE("closing the form while the tables are computed asks to end the program; No goes on")
{
    Fixture f;
    formstest::MsgBoxScript caixas({MsgNo});
    Pausas pausas;
    int n = 0;
    pausas.quando = [&] { return ++n == 5; };   // Tabela 1, in memory
    pausas.acao = [&] { SendMessageW(f.form->Hwnd(), WM_CLOSE, 0, 0); };
    f.Gerar();
    REQUIRE(caixas.shown.size() == 1);
    CHECK(Narrow(caixas.shown[0].text) == "Deseja encerrar o sistema ?");
    CHECK(f.form->IsLoaded());
    CHECK(f.planilhas.Files().size() == 1);
    f.ChecarRepouso();
}

TEST_CASE("closing the form while the tables are computed, Yes ends the program and the run with it")
{
    // The close arrives at the fifth yield: printed, while Tabela 1's pages
    // are measured; in the workbook, among Tabela 1's cells.
    bool impressao = false;
    SUBCASE("the workbook button") {}
    SUBCASE("the print button") { impressao = true; }
    Fixture f;
    formstest::MsgBoxScript caixas({MsgYes});
    {
        Pausas pausas;
        int n = 0;
        pausas.quando = [&] { return ++n == 5; };
        pausas.acao = [&] { SendMessageW(f.form->Hwnd(), WM_CLOSE, 0, 0); };
        SendMessageW((impressao ? f.form->CmdImprTabMassa : f.form->CmdGerarTabMassa)->Hwnd(), BM_CLICK, 0, 0);
    }
    REQUIRE(caixas.shown.size() == 1);
    CHECK(Narrow(caixas.shown[0].text) == "Deseja encerrar o sistema ?");
    CHECK_FALSE(f.form->IsLoaded());
    CHECK_FALSE(f.form->bGerandoTabela);
    CHECK(f.planilhas.Files().empty());
    CHECK_FALSE(FindWindowW(nullptr, L"Tabela 1 - Massa a 20 °C e Teor Alcoólico"));
    MSG fim;
    CHECK(PeekMessageW(&fim, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));   // the end, for the program's loop
}

TEST_CASE("the print button shows the tables' previews and leaves the tab at rest")
{
    Fixture f;
    formstest::MsgBoxScript caixas;
    SendMessageW(f.form->CmdImprTabMassa->Hwnd(), BM_CLICK, 0, 0);
    PumpMessages();
    CHECK(caixas.shown.empty());
    CHECK(f.planilhas.Files().empty());
    CHECK(FindWindowW(nullptr, L"Tabela 1 - Massa a 20 °C e Teor Alcoólico"));
    CHECK(FindWindowW(nullptr, L"Tabela 2 - Fator de correção de volume para 20 °C"));
    f.ChecarRepouso();
}
