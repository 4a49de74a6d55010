// Counting rows and columns, the pages of a printed table, and the range of
// the correction factor table.
#include <doctest/doctest.h>

#include "FaixaTabela.h"
#include "FaixaTabela2.h"
#include "PaginacaoTabela.h"

#include <cmath>
#include <vector>

TEST_CASE("ranges count exactly in field units and end on their last value")
{
    struct Caso {
        double inicio, fim, passo;
        int escala;
        long contagem;
        double ultimo;
    };
    const Caso casos[] = {
        {-20, 50, 0.1, FaixaTabela::kDecimos, 701, 50.0},      // repeated addition would stop at 49.9
        {-20, 50, 0.5, FaixaTabela::kDecimos, 141, 50.0},
        {-20, 50, 1.0, FaixaTabela::kDecimos, 71, 50.0},
        {20, 26, 0.5, FaixaTabela::kDecimos, 13, 26.0},
        {20, 20, 0.0, FaixaTabela::kDecimos, 1, 20.0},
        {20, 21, 0.4, FaixaTabela::kDecimos, 3, 20.8},         // the end is not on the grid
        {772.0, 999.5, 0.1, FaixaTabela::kCentesimos, 2276, 999.5},
        {771.92, 999.84, 0.01, FaixaTabela::kCentesimos, 22793, 999.84},
        {850, 850, 0, FaixaTabela::kCentesimos, 1, 850.0},
        {1000, -1000, 0.1, FaixaTabela::kCentesimos, 0, 0.0},   // no range at all
    };
    for (const Caso& c : casos) {
        CAPTURE(c.inicio);
        CAPTURE(c.passo);
        const FaixaTabela f(c.inicio, c.fim, c.passo, c.escala);
        CHECK(f.Contagem() == c.contagem);
        if (c.contagem > 0) {
            CHECK(f.Valor(0) == c.inicio);
            CHECK(f.Valor(c.contagem - 1) == c.ultimo);
        }
    }
    CHECK(FaixaTabela(771.92, 999.84, 0.01, 100).Valor(1) == 771.93);
    CHECK(FaixaTabela(20, 25, 0.04, 10).PassoNulo());
    CHECK_FALSE(FaixaTabela(20, 20, 0, 10).PassoNulo());
}

TEST_CASE("pages fill to the first capacity, then to the following one, across groups of columns")
{
    PaginacaoTabela paginacao(3, 5);
    const std::vector<PaginaTabela> grupo1 = paginacao.Paginas(14);
    REQUIRE(grupo1.size() == 4);
    const long esperado1[][2] = {{0, 2}, {3, 7}, {8, 12}, {13, 13}};
    for (size_t i = 0; i < grupo1.size(); ++i) {
        CHECK(grupo1[i].primeira == esperado1[i][0]);
        CHECK(grupo1[i].ultima == esperado1[i][1]);
    }
    // The next group starts a new page but keeps the following capacity.
    const std::vector<PaginaTabela> grupo2 = paginacao.Paginas(14);
    REQUIRE(grupo2.size() == 3);
    CHECK(grupo2[0].ultima == 4);
    CHECK(grupo2[2].primeira == 10);
    CHECK(grupo2[2].ultima == 13);

    // A group that ends exactly on a full page.
    PaginacaoTabela exata(3, 5);
    const std::vector<PaginaTabela> cheia = exata.Paginas(8);
    REQUIRE(cheia.size() == 2);
    CHECK(cheia[1].ultima == 7);

    // A first page never filled keeps the first capacity for the next group.
    PaginacaoTabela curta(10, 2);
    CHECK(curta.Paginas(4).size() == 1);
    CHECK(curta.Paginas(12).size() == 2);

    // Capacity 0: the workbook's one page per group.
    PaginacaoTabela planilha(0, 0);
    const std::vector<PaginaTabela> unica = planilha.Paginas(2276);
    REQUIRE(unica.size() == 1);
    CHECK(unica[0].ultima == 2275);
    CHECK(planilha.Paginas(0).empty());
}

TEST_CASE("the correction factor table's range walks to half units and stays within 772.0..999.5")
{
    struct Caso {
        double menor, maior;
        double esperadoMenor, esperadoMaior;
    };
    const Caso casos[] = {
        {800.04, 800.04, 799.5, 800.0},    // 800.0: a fraction of 0 does not stop the walk down
        {800.3, 800.2, 800.0, 800.5},      // down to just below 800.0, whose fraction rounds to 1
        {771.0, 999.9, 772.0, 999.5},      // clamped
        {812.46, 812.46, 812.5, 812.5},    // rounded onto a half unit: kept
        {812.34, 812.34, 812.0, 812.5},
    };
    for (const Caso& c : casos) {
        CAPTURE(c.menor);
        CAPTURE(c.maior);
        const ExtremosMassa20 e{c.menor, c.maior};
        const ExtremosMassa20 r = FaixaTabela2(e);
        CHECK(std::fabs(r.menor - c.esperadoMenor) < 1e-9);
        CHECK(std::fabs(r.maior - c.esperadoMaior) < 1e-9);
    }
    // The walk in doubles: 800.3 less three tenths is just below 800.0.
    ExtremosMassa20 e;
    e.Incluir(800.3);
    CHECK(FaixaTabela2(e).menor < 800.0);
    // Nothing seen: both ends untouched.
    const ExtremosMassa20 nada = FaixaTabela2(ExtremosMassa20{});
    CHECK(nada.menor == 1000.0);
    CHECK(nada.maior == -1000.0);
}
