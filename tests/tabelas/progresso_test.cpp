// The progress display on real labels: start, steps, end, the table counter.
#include <doctest/doctest.h>

#include "FormTabelas.h"
#include "FormsTestSupport.h"
#include "ProgressoTabelas.h"

using formstest::Narrow;
using tabelastest::FormTabelas;

namespace {

struct Fixture
{
    FormTabelas form;
    std::unique_ptr<ProgressoTabelas> progresso;

    Fixture()
    {
        form.Load();
        progresso = std::make_unique<ProgressoTabelas>(
            std::vector<ProgressoTabelas::Barra>{{*form.LblBarra, *form.LblPronto, *form.lblPerc}});
    }
    std::string Legenda() const { return Narrow(form.lblPerc->Caption()); }
};

} // namespace

TEST_CASE("a step shows the stage and the rounded percentage and grows the bar")
{
    Fixture f;
    ProgressoTabelas& p = *f.progresso;
    p.sProgresso(0, 0, 100, true);
    CHECK(f.form.LblBarra->Visible());
    CHECK(f.form.LblPronto->Visible());
    CHECK(f.form.lblPerc->Visible());
    CHECK(f.Legenda() == "0 %");
    CHECK(f.form.lblPerc->Top() == f.form.LblBarra->Top() + 60);
    CHECK(f.form.lblPerc->Left() == 120 + 13470 / 2 - 3600 / 2);
    CHECK(f.form.LblPronto->Top() == f.form.LblBarra->Top() + 30);
    CHECK(f.form.LblPronto->Left() == f.form.LblBarra->Left() + 35);
    CHECK(f.form.LblPronto->Height() == 300);
    CHECK(f.form.LblPronto->Width() == 0);

    p.sProgresso(0, 45, 0, true);
    CHECK(f.Legenda() == "Gerando a Tabela 1 na memória -> 45 %");
    CHECK(f.form.LblPronto->Width() == 6030);
    p.sProgresso(0, 100, 0, true);
    CHECK(f.Legenda() == "Gerando a Tabela 1 na memória -> 100 %");
    CHECK(f.form.LblPronto->Width() == 13400);

    p.sProgresso(0, 0, 8, true);
    p.sProgresso(0, 1, 0, false);   // 12.5 % rounds to the even 12
    CHECK(f.Legenda() == "Montando a Tabela 2 no Excel -> 12 %");
    p.sProgresso(0, 3, 0, false);   // 37.5 % to 38
    CHECK(f.Legenda() == "Montando a Tabela 2 no Excel -> 38 %");
}

TEST_CASE("each start names the next table, 1, 2 and 1 again; the end hides and resets")
{
    Fixture f;
    ProgressoTabelas& p = *f.progresso;
    std::vector<short> tabelas;
    for (int i = 0; i < 3; ++i) {
        p.sProgresso(0, 0, 10, true);
        tabelas.push_back(p.Tabela());
    }
    CHECK(tabelas == std::vector<short>{1, 2, 1});
    p.sProgresso(0, 5, 0, true);
    p.sProgresso(0, -1, 0, true);
    CHECK_FALSE(f.form.LblBarra->Visible());
    CHECK_FALSE(f.form.LblPronto->Visible());
    CHECK_FALSE(f.form.lblPerc->Visible());
    CHECK(f.Legenda() == "0 %");
    CHECK(f.form.LblPronto->Width() == 0);
    CHECK(p.Tabela() == 0);
    CHECK(p.Total() == 0);
    p.sProgresso(0, 0, 10, true);
    CHECK(p.Tabela() == 1);
}

TEST_CASE("a table of no cells shows 0 % and no bar")
{
    Fixture f;
    ProgressoTabelas& p = *f.progresso;
    p.sProgresso(0, 0, 0, true);
    p.sProgresso(0, 1, 0, true);
    CHECK(f.Legenda() == "Gerando a Tabela 1 na memória -> 0 %");
    CHECK(f.form.LblPronto->Width() == 0);
    CHECK_THROWS_AS(p.sProgresso(1, 0, 10, true), std::out_of_range);   // a display that does not exist
}
