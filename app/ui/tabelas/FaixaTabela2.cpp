// The range walk of the correction factor table.
#include "FaixaTabela2.h"

#include "RoundTiesToEven.h"

#include <cmath>

namespace {

constexpr double kMenorMassa20 = 772.0;
constexpr double kMaiorMassa20 = 999.5;
// The walk ends within ten tenths; the bound only guards against a value
// that is no number.
constexpr int kPassosMaximos = 20;

double Fracao(double v)
{
    return RoundTiesToEven(v - std::floor(v), 1);
}

} // namespace

ExtremosMassa20 FaixaTabela2(const ExtremosMassa20& extremos)
{
    ExtremosMassa20 r = extremos;
    if (r.menor != 1000.0) {
        r.menor = RoundTiesToEven(r.menor, 1);
        for (int i = 0; i < kPassosMaximos && Fracao(r.menor) != 0.5 && Fracao(r.menor) != 1.0; ++i)
            r.menor = r.menor - 0.1;
        if (r.menor < kMenorMassa20)
            r.menor = kMenorMassa20;
    }
    if (r.maior != -1000.0) {
        r.maior = RoundTiesToEven(r.maior, 1);
        for (int i = 0; i < kPassosMaximos && Fracao(r.maior) != 0.5 && Fracao(r.maior) != 0.0; ++i)
            r.maior = r.maior + 0.1;
        if (r.maior > kMaiorMassa20)
            r.maior = kMaiorMassa20;
    }
    return r;
}
