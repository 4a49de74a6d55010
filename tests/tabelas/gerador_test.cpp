// The two tables as records: counts of rows and columns, groups of 13
// columns and page marks when printed, the correction factor table's rows and
// cells, cancel and failures. The output is a test hand-off that keeps the
// recordsets, which are read back.
#include <doctest/doctest.h>

#include "Calc_Alc.h"
#include "ComRef.h"
#include "CalculoTabelaLiteral.h"
#include "CalculoTabelaRapido.h"
#include "FalhaGeracao.h"
#include "GeradorTabelas.h"
#include "TabelasTestSupport.h"

#include <bit>
#include <cstdint>
#include <vector>

using hv::recordset::Recordset;
using namespace tabelastest;

namespace {

class AcompanhamentoTeste : public AcompanhamentoGeracao
{
public:
    std::vector<long> totais;
    long ultimaPosicao = 0;
    long celulas = 0;
    long cancelarNaCelula = -1;   // cells counted over both tables

    void IniciarTabela(long total) override { totais.push_back(total); }
    bool CelulaFeita(long posicao) override
    {
        ultimaPosicao = posicao;
        return ++celulas == cancelarNaCelula;
    }
};

struct Execucao
{
    CalculoTabelaRapido calculo;
    AcompanhamentoTeste acompanhamento;
    EntregaTeste entrega;

    bool Gerar(const CamposTabelas& campos, ModoTabela modo)
    {
        GeradorTabelas gerador(calculo, acompanhamento);
        return gerador.Gerar(campos, modo, entrega);
    }
    Recordset& T1() { return *entrega.tabela1; }
    Recordset& T2() { return *entrega.tabela2; }
};

std::wstring N(const wchar_t* nome, long i) { return nome + std::to_wstring(i); }

} // namespace

TEST_CASE("printed, -20..50 by 0.5 gives 141 columns in 11 groups; the last holds 45.0 .. 50.0")
{
    Execucao e;
    e.entrega.capacidade1 = e.entrega.capacidade2 = {40, 50};
    REQUIRE(e.Gerar(Faixas(850, 850, 0, -20, 50, 0.5), ModoTabela::Impressao));
    Recordset& t1 = e.T1();
    CHECK(t1.FieldCount() == 4 + 3 * 13);
    CHECK(t1.RecordCount() == 11);
    CHECK(e.acompanhamento.totais.at(0) == 141);
    Ir(t1, 0);
    CHECK(Valor(t1, L"TEMP1") == -20.0);
    CHECK(Valor(t1, L"TEMP13") == -14.0);
    Ir(t1, 10);
    CHECK(Valor(t1, L"TEMP1") == 45.0);
    CHECK(Valor(t1, L"TEMP11") == 50.0);
    CHECK_FALSE(Valor(t1, L"TEMP12"));
    CHECK_FALSE(Valor(t1, L"TEOR12"));
    CHECK(Valor(t1, L"MASSA_ESP") == 850.0);
    CHECK(e.entrega.capacidadesPedidas == 2);
}

TEST_CASE("column counts and groups follow the user's grid of temperatures")
{
    SUBCASE("the workbook, -20..50 by 0.1: 701 columns in one record, ending at 50.0")
    {
        Execucao e;
        REQUIRE(e.Gerar(Faixas(850, 850, 0, -20, 50, 0.1), ModoTabela::Planilha));
        CHECK(e.T1().FieldCount() == 4 + 3 * 701);
        CHECK(e.T1().RecordCount() == 1);
        Ir(e.T1(), 0);
        CHECK(Valor(e.T1(), L"TEMP701") == 50.0);
        CHECK(Valor(e.T1(), L"TEMP351") == 15.0);
        CHECK(e.T2().FieldCount() == 4 + 2 * 701);
        CHECK(e.entrega.capacidadesPedidas == 0);   // the workbook never splits
    }
    SUBCASE("printed by 1.0: groups of 13 steps")
    {
        Execucao e;
        e.entrega.capacidade1 = e.entrega.capacidade2 = {40, 50};
        REQUIRE(e.Gerar(Faixas(850, 850, 0, -20, 50, 1.0), ModoTabela::Impressao));
        REQUIRE(e.T1().RecordCount() == 6);
        Ir(e.T1(), 1);
        CHECK(Valor(e.T1(), L"TEMP1") == -7.0);
        Ir(e.T1(), 5);
        CHECK(Valor(e.T1(), L"TEMP1") == 45.0);
        CHECK(Valor(e.T1(), L"TEMP6") == 50.0);
        CHECK_FALSE(Valor(e.T1(), L"TEMP7"));
    }
    SUBCASE("exactly 13 columns: one group; 14: two")
    {
        for (auto [fim, grupos] : {std::pair{26.0, 1L}, std::pair{26.5, 2L}}) {
            Execucao e;
            e.entrega.capacidade1 = e.entrega.capacidade2 = {40, 50};
            REQUIRE(e.Gerar(Faixas(850, 851, 0.5, 20, fim, 0.5), ModoTabela::Impressao));
            CHECK(e.T1().RecordCount() == 3 * grupos);
        }
    }
    SUBCASE("772.0 .. 999.5 by 0.1: 2,276 rows")
    {
        Execucao e;
        REQUIRE(e.Gerar(Faixas(772.0, 999.5, 0.1, 20, 20, 0), ModoTabela::Planilha));
        CHECK(e.T1().RecordCount() == 2276);
        Ir(e.T1(), 2275);
        CHECK(Valor(e.T1(), L"MASSA_ESP") == 999.5);
    }
}

TEST_CASE("one density and one temperature with steps 0: one cell, and Tabela 2 is not empty")
{
    Execucao e;
    REQUIRE(e.Gerar(Faixas(850, 850, 0, 20, 20, 0), ModoTabela::Planilha));
    CHECK(e.T1().RecordCount() == 1);
    CHECK(e.acompanhamento.totais.at(0) == 1);
    REQUIRE(e.T2().RecordCount() == 1);
    Ir(e.T2(), 0);
    CHECK(Valor(e.T2(), L"MASSA_20") == 849.5);
    CHECK(Valor(e.T2(), L"FATOR1") == 1.0);
}

TEST_CASE("printed pages: capacities 3 then 5 mark the first row of every page, in every group")
{
    Execucao e;
    e.entrega.capacidade1 = {3, 5};
    e.entrega.capacidade2 = {3, 5};
    // 14 densities, 14 temperatures: two groups of columns.
    REQUIRE(e.Gerar(Faixas(800.0, 801.3, 0.1, 20, 26.5, 0.5), ModoTabela::Impressao));
    Recordset& t1 = e.T1();
    REQUIRE(t1.RecordCount() == 28);
    struct Marca {
        long registro;
        double de, ate;
    };
    const std::vector<Marca> marcas = {{0, 800.0, 800.2},  {3, 800.3, 800.7},  {8, 800.8, 801.2},
                                       {13, 801.3, 801.3}, {14, 800.0, 800.4}, {19, 800.5, 800.9},
                                       {24, 801.0, 801.3}};
    size_t proxima = 0;
    for (long r = 0; r < 28; ++r) {
        CAPTURE(r);
        Ir(t1, r);
        CHECK(Texto(t1, L"PULA_PAGINA") == L"S");
        if (proxima < marcas.size() && marcas[proxima].registro == r) {
            CHECK(Valor(t1, L"MASSA_DE") == marcas[proxima].de);
            CHECK(Valor(t1, L"MASSA_ATE") == marcas[proxima].ate);
            ++proxima;
        } else {
            CHECK_FALSE(Valor(t1, L"MASSA_DE"));
            CHECK_FALSE(Valor(t1, L"MASSA_ATE"));
        }
    }
    CHECK(proxima == marcas.size());
}

TEST_CASE("in the workbook only the first row carries the table's first and last density")
{
    Execucao e;
    REQUIRE(e.Gerar(Faixas(800.0, 801.3, 0.1, 20, 26.5, 0.5), ModoTabela::Planilha));
    Recordset& t1 = e.T1();
    REQUIRE(t1.RecordCount() == 14);
    Ir(t1, 0);
    CHECK(Valor(t1, L"MASSA_DE") == 800.0);
    CHECK(Valor(t1, L"MASSA_ATE") == 801.3);
    for (long r = 1; r < 14; ++r) {
        Ir(t1, r);
        CHECK_FALSE(Valor(t1, L"MASSA_DE"));
    }
}

TEST_CASE("Tabela 2: every factor is the content at 20 degrees C corrected to the column's temperature")
{
    Execucao e;
    REQUIRE(e.Gerar(Faixas(849, 851, 0.5, 20, 50, 10), ModoTabela::Planilha));
    const Calc_Alc calc;
    Recordset& t2 = e.T2();
    REQUIRE(t2.RecordCount() > 0);
    Ir(t2, 0);
    CHECK(Valor(t2, L"MASSA_20") == 848.5);   // 849.0 at 20 degrees C, walked down to a half unit
    bool viu850 = false;
    for (long r = 0; r < t2.RecordCount(); ++r) {
        Ir(t2, r);
        const double d = *Valor(t2, L"MASSA_20");
        const OwnedVariant w = calc.Teor_Alcoolico(d, 20.0);
        for (long i = 1; i <= 4; ++i) {
            const double t = *Valor(t2, N(L"TEMP", i));
            CHECK(t == 10.0 + 10 * i);
            const std::optional<double> f = Valor(t2, N(L"FATOR", i));
            REQUIRE(f.has_value() == !w.IsNull());
            if (f)
                CHECK(std::bit_cast<std::uint64_t>(*f)
                      == std::bit_cast<std::uint64_t>(calc.Fator_Correcao(w.Get().dblVal, t).Get().dblVal));
        }
        if (d == 850.0) {
            viu850 = true;
            CHECK(Valor(t2, L"FATOR4") == 0.9683);
            // The analysis of 850 kg/m3 read at 20 degrees C, stored at 50.
            Calc_Alc analise;
            analise.MassaLida(OwnedVariant::Number(850));
            analise.TempEnsaio(OwnedVariant::Number(20));
            analise.TempEstocagem(OwnedVariant::Number(50));
            CHECK(analise.FatorCorrecao().Get().dblVal == 0.9683);
        }
    }
    CHECK(viu850);
}

TEST_CASE("a Tabela 1 without any density at 20 degrees C gives an empty Tabela 2, still handed on")
{
    Execucao e;
    REQUIRE(e.Gerar(Faixas(999.84, 999.84, 0, 20, 50, 10), ModoTabela::Planilha));
    Ir(e.T1(), 0);
    CHECK_FALSE(Valor(e.T1(), L"MASSA1"));
    CHECK_FALSE(Valor(e.T1(), L"TEOR4"));
    CHECK(e.T1().RecordCount() == 1);
    CHECK(e.T2().RecordCount() == 0);
    CHECK(e.acompanhamento.totais == std::vector<long>{4, 0});
    CHECK(e.entrega.entregas == 1);
}

TEST_CASE("the fast and the literal road generate the very same tables, 100 densities by 141 temperatures")
{
    const Calc_Alc calc;
    CalculoTabelaLiteral literal(calc);
    AcompanhamentoTeste acompanhamento;
    EntregaTeste referencia;
    GeradorTabelas(literal, acompanhamento).Gerar(Faixas(772, 999.7, 2.3, -20, 50, 0.5), ModoTabela::Planilha,
                                                  referencia);
    Execucao e;
    REQUIRE(e.Gerar(Faixas(772, 999.7, 2.3, -20, 50, 0.5), ModoTabela::Planilha));
    CHECK(e.T1().RecordCount() == 100);
    CHECK(e.T1().FieldCount() == 4 + 3 * 141);
    for (auto [a, b] : {std::pair{referencia.tabela1, e.entrega.tabela1},
                        std::pair{referencia.tabela2, e.entrega.tabela2}}) {
        REQUIRE(a->RecordCount() == b->RecordCount());
        REQUIRE(a->RecordCount() > 0);
        REQUIRE(a->FieldCount() == b->FieldCount());
        REQUIRE(a->MoveFirst() == S_OK);
        REQUIRE(b->MoveFirst() == S_OK);
        int diferentes = 0;
        for (; !a->IsEOF(); a->MoveNext(), b->MoveNext()) {
            for (long f = 0; f < a->FieldCount(); ++f) {
                VARIANT va, vb;
                REQUIRE(a->GetValue(f, &va) == S_OK);
                REQUIRE(b->GetValue(f, &vb) == S_OK);
                if (va.vt != vb.vt || (va.vt == VT_R8 && std::bit_cast<std::uint64_t>(va.dblVal)
                                                             != std::bit_cast<std::uint64_t>(vb.dblVal)))
                    ++diferentes;
                VariantClear(&va);
                VariantClear(&vb);
            }
        }
        CHECK(diferentes == 0);
    }
}

TEST_CASE("progress counts every cell of each table; a confirmed cancel stops at once")
{
    SUBCASE("complete")
    {
        Execucao e;
        REQUIRE(e.Gerar(Faixas(849, 851, 0.5, 20, 50, 10), ModoTabela::Planilha));
        REQUIRE(e.acompanhamento.totais.size() == 2);
        CHECK(e.acompanhamento.totais[0] == 5 * 4);
        CHECK(e.acompanhamento.totais[1] == 4 * e.T2().RecordCount());
        CHECK(e.acompanhamento.ultimaPosicao == e.acompanhamento.totais[1]);
    }
    SUBCASE("in Tabela 1")
    {
        Execucao e;
        e.acompanhamento.cancelarNaCelula = 7;
        CHECK_FALSE(e.Gerar(Faixas(849, 851, 0.5, 20, 50, 10), ModoTabela::Planilha));
        CHECK(e.acompanhamento.celulas == 7);
        CHECK(e.entrega.entregas == 0);
    }
    SUBCASE("in Tabela 2")
    {
        Execucao e;
        e.acompanhamento.cancelarNaCelula = 21;
        e.entrega.capacidade1 = e.entrega.capacidade2 = {40, 50};
        CHECK_FALSE(e.Gerar(Faixas(849, 851, 0.5, 20, 50, 10), ModoTabela::Impressao));
        CHECK(e.acompanhamento.totais.size() == 2);
        CHECK(e.entrega.entregas == 0);
    }
}

TEST_CASE("a printed page that holds no row is a failure, never a counter that cannot match")
{
    for (auto [c1, c2] : {std::pair{CapacidadePaginas{0, 5}, CapacidadePaginas{3, 5}},
                          std::pair{CapacidadePaginas{3, -2}, CapacidadePaginas{3, 5}},
                          std::pair{CapacidadePaginas{3, 5}, CapacidadePaginas{3, 0}}}) {
        Execucao e;
        e.entrega.capacidade1 = c1;
        e.entrega.capacidade2 = c2;
        CHECK_THROWS_AS(e.Gerar(Faixas(849, 851, 0.5, 20, 50, 10), ModoTabela::Impressao), FalhaGeracao);
        CHECK(e.entrega.entregas == 0);
    }
}

TEST_CASE("a component's failure reads as its own description, its code, or the lack of memory")
{
    const auto descricao = [](HRESULT hr) {
        try {
            FalhaGeracao::Verificar(hr, L"O conjunto de registros");
        } catch (const FalhaGeracao& falha) {
            return falha.Descricao();
        }
        return std::wstring(L"(no failure)");
    };
    CHECK(descricao(S_FALSE) == L"(no failure)");
    CHECK(descricao(E_OUTOFMEMORY) == L"memória insuficiente.");
    CHECK(descricao(E_FAIL) == L"O conjunto de registros falhou (erro 80004005).");

    // The description the component left is taken, and taken only once.
    hv::recordset::ComRef<ICreateErrorInfo> criar;
    REQUIRE(CreateErrorInfo(criar.Put()) == S_OK);
    criar->SetDescription(const_cast<LPOLESTR>(L"O campo não existe."));
    hv::recordset::ComRef<IErrorInfo> info;
    REQUIRE(criar->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(info.Put())) == S_OK);
    SetErrorInfo(0, info.Get());
    CHECK(descricao(E_INVALIDARG) == L"O campo não existe.");
    CHECK(descricao(E_INVALIDARG) == L"O conjunto de registros falhou (erro 80070057).");
}
