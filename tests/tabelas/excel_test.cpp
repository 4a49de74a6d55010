// The tables' workbook against the registered spreadsheet stand-in: the
// tables come from the real generation, the workbook is read back through the
// application (the test keeps a reference to it). Sheets, frame, heading
// blocks, the temperature row, records with rounded values and empty cells for
// Null, stripes running on into Tabela 2, and the roads by which the output
// ends: done, cancelled, failed before and after the workbook exists.
#include <doctest/doctest.h>

#include "CalculoTabelaRapido.h"
#include "ExcelApplication.h"
#include "FormTabelas.h"
#include "FormsTestSupport.h"
#include "FrameworkTestSupport.h"
#include "GeradorTabelas.h"
#include "MessageYield.h"
#include "MontaExcel.h"
#include "MousePointer.h"
#include "ProgressoTabelas.h"
#include "RoundTiesToEven.h"
#include "TabelasTestSupport.h"
#include "../spreadsheet/SheetTestSupport.h"

#include <functional>

using formstest::MsgBoxScript;
using formstest::Narrow;
using hv::automation::AutomationError;
using hv::automation::LateArg;
using hv::automation::LateObject;
using hv::recordset::Recordset;
using namespace tabelastest;

namespace {

void Registrado()
{
    static const bool feito = RunRegsvr32On(WindowsPathOf(HV_SPREADSHEET_DLL), L"/s") == 0;
    REQUIRE(feito);
}

// Generated tables (fast road, the workbook's layout).
struct Tabelas
{
    EntregaTeste entrega;

    explicit Tabelas(const CamposTabelas& campos)
    {
        struct Nada : AcompanhamentoGeracao {
            void IniciarTabela(long) override {}
            bool CelulaFeita(long) override { return false; }
        } nada;
        CalculoTabelaRapido calculo;
        REQUIRE(GeradorTabelas(calculo, nada).Gerar(campos, ModoTabela::Planilha, entrega));
    }
    Recordset& T1() { return *entrega.tabela1; }
    Recordset& T2() { return *entrega.tabela2; }
};

struct Fixture
{
    ScratchFolder pasta;
    FormTabelas form;
    std::unique_ptr<ProgressoTabelas> progresso;
    bool bGerandoTabela = false;
    std::unique_ptr<MontaExcel> monta;
    LateObject excel;              // the last application made, kept for reading back
    bool falharCriacao = false;
    std::function<void(int)> aoPausar;   // runs at each yield, with its count
    int pausas = 0;
    bool gerandoNasPausas = true;
    hv::forms::YieldHandler anterior;

    Fixture()
    {
        Registrado();
        form.Show();
        progresso = std::make_unique<ProgressoTabelas>(
            std::vector<ProgressoTabelas::Barra>{{*form.LblBarra, *form.LblPronto, *form.lblPerc}});
        monta = std::make_unique<MontaExcel>(form.Controles(), *progresso, bGerandoTabela);
        monta->DefinirIntervaloPausas(0);
        ostrelvia::TrocaCriadorExcel([this] {
            if (falharCriacao)
                throw AutomationError(REGDB_E_CLASSNOTREG, L"Excel.Application não está registrado.");
            excel = LateObject::Create(L"Excel.Application");
            return excel;
        });
        anterior = hv::forms::SetYieldHandler([this] {
            ++pausas;
            gerandoNasPausas = gerandoNasPausas && bGerandoTabela;
            if (aoPausar)
                aoPausar(pausas);
            formstest::PumpMessages();
        });
        // As the generation leaves them while the workbook is written.
        form.SetMousePointer(hv::forms::PointerHourglass);
        form.CmdGerarTabMassa->SetEnabled(false);
        form.CmdImprTabMassa->SetEnabled(false);
        form.CmdCancTabMassa->SetVisible(true);
    }
    ~Fixture()
    {
        hv::forms::SetYieldHandler(std::move(anterior));
        ostrelvia::TrocaCriadorExcel(nullptr);
        excel.Reset();
        form.Unload();
    }

    FimMontagem Montar(Recordset& t1, Recordset& t2) { return monta->sMontaExcel(t1, t2); }

    LateObject Plan(int n) const { return excel.Object(L"Sheets", {n}); }
    static LateObject Celula(const LateObject& plan, long linha, long coluna)
    {
        return plan.Object(L"Cells", {linha, coluna});
    }
    static LateArg Valor(const LateObject& plan, long linha, long coluna)
    {
        return Celula(plan, linha, coluna).Value(L"Value");
    }
    static long Inteiro(const LateArg& v)
    {
        VARIANT r;
        VariantInit(&r);
        REQUIRE(VariantChangeType(&r, const_cast<VARIANT*>(&v.Get()), 0, VT_I4) == S_OK);
        return r.lVal;
    }
    static double Numero(const LateArg& v)
    {
        VARIANT r;
        VariantInit(&r);
        REQUIRE(VariantChangeType(&r, const_cast<VARIANT*>(&v.Get()), 0, VT_R8) == S_OK);
        return r.dblVal;
    }
    static std::wstring Texto(const LateArg& v)
    {
        REQUIRE(v.Type() == VT_BSTR);
        return V_BSTR(&v.Get());
    }
    static long Cor(const LateObject& plan, long linha, long coluna)
    {
        return Inteiro(Celula(plan, linha, coluna).Object(L"Interior").Value(L"Color"));
    }
    static long Tema(const LateObject& plan, long linha, long coluna)
    {
        return Inteiro(Celula(plan, linha, coluna).Object(L"Interior").Value(L"ThemeColor"));
    }

    // The form as the output leaves it after a cancel or a failure.
    void ChecarRestaurado()
    {
        CHECK(form.MousePointer() == hv::forms::PointerDefault);
        CHECK(form.CmdGerarTabMassa->Enabled());
        CHECK(form.CmdImprTabMassa->Enabled());
        CHECK_FALSE(form.CmdCancTabMassa->Visible());
        CHECK(form.CmdCancTabMassa->Tag().empty());
        CHECK_FALSE(form.LblBarra->Visible());
        CHECK_FALSE(bGerandoTabela);
    }
};

std::optional<double> Campo(Recordset& rs, long registro, const std::wstring& nome)
{
    Ir(rs, registro);
    return Valor(rs, nome);
}

} // namespace

TEST_CASE("three densities by eleven temperatures: the two sheets, their frames, values and stripes")
{
    Tabelas tabelas(Faixas(850.0, 851.0, 0.5, 20, 25, 0.5));
    Fixture f;
    MsgBoxScript caixas;
    REQUIRE(f.Montar(tabelas.T1(), tabelas.T2()) == FimMontagem::Concluida);
    CHECK(caixas.shown.empty());
    CHECK(f.gerandoNasPausas);
    CHECK(f.pausas > 0);
    CHECK_FALSE(f.bGerandoTabela);
    CHECK(f.pasta.Files().size() == 1);   // handed to the user
    REQUIRE(f.excel);
    CHECK(f.Inteiro(f.excel.Object(L"ActiveWorkbook").Object(L"Sheets").Value(L"Count")) == 2);
    const LateObject t1 = f.Plan(1);
    const LateObject t2 = f.Plan(2);
    CHECK(f.Texto(t1.Value(L"Name")) == L"Tabela 1");
    CHECK(f.Texto(t2.Value(L"Name")) == L"Tabela 2");

    // The frame.
    CHECK(f.Celula(t1, 1, 1).Value(L"MergeCells").Get().boolVal == VARIANT_TRUE);
    CHECK(f.Tema(t1, 2, 1) == 1);
    CHECK(Narrow(f.Texto(f.Valor(t1, 4, 1))) == "Massa específica lida (kg/m³)");
    CHECK(Narrow(f.Texto(f.Valor(t2, 4, 1))) == "Massa específica a 20 °C (kg/m³)");
    CHECK(f.Cor(t1, 5, 1) == 65535);
    CHECK(f.Numero(f.Celula(t1, 2, 1).Value(L"RowHeight")) == 40.0);
    CHECK(f.Numero(f.Celula(t1, 1, 1).Value(L"ColumnWidth")) == 11.0);

    // Two heading blocks: B..K and L..U; row 5 painted up to U.
    for (long c : {2L, 12L}) {
        CAPTURE(c);
        CHECK(Narrow(f.Texto(f.Valor(t1, 1, c))) == "Instrução de uso");
        CHECK(Narrow(f.Texto(f.Valor(t1, 3, c))) == "Tabela 1 - Massa específica a 20 °C e Teor alcoólico %m/m");
        CHECK(Narrow(f.Texto(f.Valor(t1, 4, c))) == "Temperatura de ensaio °C");
        CHECK(f.Celula(t1, 1, c + 9).Value(L"MergeCells").Get().boolVal == VARIANT_TRUE);
        CHECK(f.Tema(t1, 3, c) == 9);
    }
    CHECK(f.Valor(t1, 1, 22).Type() == VT_EMPTY);
    CHECK(f.Numero(f.Valor(t1, 5, 2)) == 20.0);
    CHECK(f.Numero(f.Valor(t1, 5, 12)) == 25.0);
    CHECK(f.Valor(t1, 5, 13).Type() == VT_EMPTY);
    CHECK(f.Cor(t1, 5, 13) == 65535);
    CHECK(f.Cor(t1, 5, 21) == 65535);
    CHECK(f.Cor(t1, 5, 22) != 65535);

    // Records: two rows each, values rounded to one decimal, the density raw.
    for (long r = 0; r < 3; ++r) {
        CAPTURE(r);
        const long linha = 6 + 2 * r;
        CHECK(f.Numero(f.Valor(t1, linha, 1)) == *Campo(tabelas.T1(), r, L"MASSA_ESP"));
        CHECK(f.Celula(t1, linha, 1).Value(L"MergeCells").Get().boolVal == VARIANT_TRUE);
        CHECK(f.Celula(t1, linha, 2).Value(L"MergeCells").Get().boolVal == VARIANT_FALSE);
        for (long i = 1; i <= 11; ++i) {
            CHECK(f.Numero(f.Valor(t1, linha, 1 + i))
                  == RoundTiesToEven(*Campo(tabelas.T1(), r, L"MASSA" + std::to_wstring(i)), 1));
            CHECK(f.Numero(f.Valor(t1, linha + 1, 1 + i))
                  == RoundTiesToEven(*Campo(tabelas.T1(), r, L"TEOR" + std::to_wstring(i)), 1));
        }
        CHECK(f.Tema(t1, linha, 1) == (r % 2 == 0 ? 9 : 5));
        CHECK(f.Tema(t1, linha + 1, 12) == (r % 2 == 0 ? 9 : 5));
    }
    CHECK(f.Valor(t1, 12, 1).Type() == VT_EMPTY);

    // Tabela 2: one row each, four decimals; three records before it, so its
    // first row takes the second stripe.
    const long linhas2 = tabelas.T2().RecordCount();
    REQUIRE(linhas2 > 1);
    CHECK(f.Numero(f.Valor(t2, 6, 1)) == *Campo(tabelas.T2(), 0, L"MASSA_20"));
    CHECK(f.Numero(f.Valor(t2, 6, 12)) == RoundTiesToEven(*Campo(tabelas.T2(), 0, L"FATOR11"), 4));
    CHECK(f.Tema(t2, 6, 1) == 5);
    CHECK(f.Tema(t2, 7, 2) == 9);
    CHECK(f.Numero(f.Valor(t2, 5 + linhas2, 1)) == *Campo(tabelas.T2(), linhas2 - 1, L"MASSA_20"));
    CHECK(f.Valor(t2, 6 + linhas2, 1).Type() == VT_EMPTY);
    CHECK(Narrow(f.Texto(f.Valor(t2, 4, 2))) == "Temperatura de estocagem °C");
}

TEST_CASE("a Null value leaves its cell empty")
{
    Tabelas tabelas(Faixas(998.0, 998.5, 0.5, 20, 25, 5));
    REQUIRE_FALSE(Campo(tabelas.T1(), 1, L"MASSA1"));   // 998.5 at 20 degrees C: beyond water
    Fixture f;
    MsgBoxScript caixas;
    REQUIRE(f.Montar(tabelas.T1(), tabelas.T2()) == FimMontagem::Concluida);
    const LateObject t1 = f.Plan(1);
    CHECK(f.Valor(t1, 8, 2).Type() == VT_EMPTY);
    CHECK(f.Valor(t1, 9, 2).Type() == VT_EMPTY);
    CHECK(f.Tema(t1, 8, 2) == 5);   // formatted all the same
    CHECK(f.Valor(t1, 6, 2).Type() == VT_R8);
}

TEST_CASE("an empty Tabela 2: its frame, one heading block over B..K, ten empty temperature cells")
{
    Tabelas tabelas(Faixas(999.84, 999.84, 0, 20, 50, 10));
    REQUIRE(tabelas.T2().RecordCount() == 0);
    Fixture f;
    MsgBoxScript caixas;
    REQUIRE(f.Montar(tabelas.T1(), tabelas.T2()) == FimMontagem::Concluida);
    CHECK(caixas.shown.empty());
    CHECK(f.pasta.Files().size() == 1);
    const LateObject t2 = f.Plan(2);
    CHECK(Narrow(f.Texto(f.Valor(t2, 1, 2))) == "Instrução de uso");
    CHECK(f.Celula(t2, 1, 11).Value(L"MergeCells").Get().boolVal == VARIANT_TRUE);
    CHECK(f.Celula(t2, 1, 12).Value(L"MergeCells").Get().boolVal == VARIANT_FALSE);
    for (long c = 2; c <= 11; ++c) {
        CHECK(f.Valor(t2, 5, c).Type() == VT_EMPTY);
        CHECK(f.Cor(t2, 5, c) == 65535);
    }
    CHECK(f.Cor(t2, 5, 12) != 65535);
    CHECK(f.Valor(t2, 6, 1).Type() == VT_EMPTY);
}

TEST_CASE("the output fails: an empty Tabela 1, or no application; nothing written, the form restored")
{
    SUBCASE("empty Tabela 1: the workbook is closed unsaved")
    {
        Tabelas tabelas(Faixas(850, 850, 0, 20, 20, 0));
        Recordset vazia;
        REQUIRE(vazia.AppendField(L"MASSA_DE", hv::recordset::FieldType::Double) == S_OK);
        for (const wchar_t* nome : {L"MASSA_ATE", L"PULA_PAGINA", L"MASSA_ESP", L"TEMP1", L"MASSA1", L"TEOR1"})
            REQUIRE(vazia.AppendField(nome, hv::recordset::FieldType::Double) == S_OK);
        REQUIRE(vazia.Open() == S_OK);
        Fixture f;
        MsgBoxScript caixas;
        CHECK(f.Montar(vazia, tabelas.T2()) == FimMontagem::Falhou);
        REQUIRE(caixas.shown.size() == 1);
        CHECK(Narrow(caixas.shown[0].text).starts_with("Não foi possível gerar as tabelas: "));
        CHECK(caixas.shown[0].style == 16);
        CHECK(f.pasta.Files().empty());
        f.ChecarRestaurado();
        CHECK(f.form.TxtMassaIni->HasFocus());
    }
    SUBCASE("the application cannot be made: only what exists is undone")
    {
        Tabelas tabelas(Faixas(850, 850, 0, 20, 20, 0));
        Fixture f;
        f.falharCriacao = true;
        MsgBoxScript caixas;
        CHECK(f.Montar(tabelas.T1(), tabelas.T2()) == FimMontagem::Falhou);
        REQUIRE(caixas.shown.size() == 1);
        CHECK(Narrow(caixas.shown[0].text)
              == "Não foi possível gerar as tabelas: Excel.Application não está registrado.");
        f.ChecarRestaurado();
    }
}

TEST_CASE("cancel while the workbook is written: No goes on and asks again at the next request; Yes discards")
{
    SUBCASE("No, then Yes")
    {
        Tabelas tabelas(Faixas(850.0, 852.0, 0.5, 20, 25, 0.5));
        Fixture f;
        f.aoPausar = [&](int n) {
            if (n == 2 || n == 6)
                f.form.CmdCancTabMassa->SetTag(L"C");
        };
        MsgBoxScript caixas({hv::forms::MsgNo, hv::forms::MsgYes});
        CHECK(f.Montar(tabelas.T1(), tabelas.T2()) == FimMontagem::Cancelada);
        REQUIRE(caixas.shown.size() == 2);
        CHECK(Narrow(caixas.shown[1].text) == "Deseja Realmente Cancelar a Geração das Tabelas ?");
        CHECK(caixas.shown[1].style == 292);
        CHECK(f.pasta.Files().empty());
        f.ChecarRestaurado();
        CHECK(f.form.TxtMassaIni->HasFocus());
    }
    SUBCASE("No only: the workbook is handed over")
    {
        Tabelas tabelas(Faixas(850.0, 852.0, 0.5, 20, 25, 0.5));
        Fixture f;
        f.aoPausar = [&](int n) {
            if (n == 3)
                f.form.CmdCancTabMassa->SetTag(L"C");
        };
        MsgBoxScript caixas({hv::forms::MsgNo});
        CHECK(f.Montar(tabelas.T1(), tabelas.T2()) == FimMontagem::Concluida);
        CHECK(caixas.shown.size() == 1);
        CHECK(f.form.CmdCancTabMassa->Tag().empty());
        CHECK(f.pasta.Files().size() == 1);
    }
}
