// The fast road of the table functions gives Calc_Alc's own results, bit for
// bit, Null where Calc_Alc gives Null, over a grid of densities and every
// temperature of a full-range table.
#include <doctest/doctest.h>

#include "Calc_Alc.h"
#include "CalculoTabelaLiteral.h"
#include "CalculoTabelaRapido.h"

#include <bit>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

std::vector<double> Temperaturas()
{
    std::vector<double> t;
    for (int k = 0; k <= 140; ++k)
        t.push_back((-200 + 5 * k) / 10.0);   // -20 .. 50 by 0.5
    return t;
}

// 100 densities across the whole domain and a little beyond both ends.
std::vector<double> Massas()
{
    std::vector<double> d;
    for (int k = 0; k < 98; ++k)
        d.push_back((77190 + 233 * k) / 100.0);
    d.push_back(999.84);
    d.push_back(999.85);
    return d;
}

bool Iguais(const std::optional<double>& a, const std::optional<double>& b)
{
    if (a.has_value() != b.has_value())
        return false;
    return !a || std::bit_cast<std::uint64_t>(*a) == std::bit_cast<std::uint64_t>(*b);
}

} // namespace

TEST_CASE("the fast road gives every table cell bit-identical to the literal road")
{
    const Calc_Alc calc;
    CalculoTabelaLiteral literal(calc);
    CalculoTabelaRapido rapido;
    const std::vector<double> temperaturas = Temperaturas();
    literal.DefinirTemperaturas(temperaturas);
    rapido.DefinirTemperaturas(temperaturas);

    int celulas = 0, nulas = 0, diferentes = 0;
    for (double d : Massas()) {
        // A row of the correction factors: one content at 20 degrees C.
        const std::optional<double> w20 = literal.Teor_Alcoolico20(d);
        if (!Iguais(w20, rapido.Teor_Alcoolico20(d)))
            ++diferentes;
        for (size_t c = 0; c < temperaturas.size(); ++c) {
            ++celulas;
            const std::optional<double> w = literal.Teor_Alcoolico(d, c);
            if (!Iguais(w, rapido.Teor_Alcoolico(d, c))) {
                ++diferentes;
                continue;
            }
            if (!w) {
                ++nulas;
                continue;
            }
            if (!Iguais(literal.Massa_Especifica20(*w), rapido.Massa_Especifica20(*w)))
                ++diferentes;
            if (w20 && !Iguais(literal.Fator_Correcao(*w20, c), rapido.Fator_Correcao(*w20, c)))
                ++diferentes;
        }
    }
    CHECK(celulas == 100 * 141);
    CHECK(nulas > 0);                 // the ends of the domain are covered
    CHECK(nulas < celulas / 4);
    CHECK(diferentes == 0);
}

TEST_CASE("the fast road keeps Calc_Alc's domain: Null outside it")
{
    const Calc_Alc calc;
    CalculoTabelaLiteral literal(calc);
    CalculoTabelaRapido rapido;
    const std::vector<double> temperaturas = {-20.1, -20.0, 50.0, 50.1};
    literal.DefinirTemperaturas(temperaturas);
    rapido.DefinirTemperaturas(temperaturas);
    for (double d : {771.91, 771.92, 850.0, 999.84, 999.85}) {
        for (size_t c = 0; c < temperaturas.size(); ++c) {
            CAPTURE(d);
            CAPTURE(temperaturas[c]);
            CHECK(Iguais(literal.Teor_Alcoolico(d, c), rapido.Teor_Alcoolico(d, c)));
        }
    }
    for (double w : {-0.1, 0.0, 45.5, 100.0, 100.1}) {
        CAPTURE(w);
        CHECK(Iguais(literal.Massa_Especifica20(w), rapido.Massa_Especifica20(w)));
        for (size_t c = 0; c < temperaturas.size(); ++c)
            CHECK(Iguais(literal.Fator_Correcao(w, c), rapido.Fator_Correcao(w, c)));
    }
    CHECK_FALSE(rapido.Teor_Alcoolico(850.0, 0).has_value());
    CHECK(rapido.Teor_Alcoolico(850.0, 1).has_value());
}
