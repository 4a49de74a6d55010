// BissecaoTeor: the search of the content (% m/m) whose density, at a fixed
// temperature, is a given density. Shared by the analysis and by the fast road
// of the tables, so that both take exactly the same steps.
#pragma once

#include "RoundTiesToEven.h"

// Bisection on the content in 0..100: the density falls as the content rises.
// massaPorTeor(p) is the density of content p at the search's temperature;
// fechado(passo, largura) tells whether the interval, of width largura after
// step passo (from 0), is closed: the width rounds to 0 at twelve decimals.
// After n steps the width is exactly 100 / 2^n, so the search always ends
// after 48 evaluations. A content that rounds to 0 % or 100 % at four decimals
// means the density lies at or beyond pure water or pure ethanol: -1.
template <class MassaPorTeor, class Fechado>
double BissecaoTeor(double massa, MassaPorTeor&& massaPorTeor, Fechado&& fechado)
{
    double lo = 0.0;
    double hi = 100.0;
    double p = 100.0 / 2.0;
    for (int passo = 0;; ++passo) {
        const double r = massaPorTeor(p);
        if (r >= massa) {
            lo = p;
            p = p + (hi - p) / 2.0;
        } else {
            hi = p;
            p = p - (p - lo) / 2.0;
        }
        if (fechado(passo, hi - lo))
            break;
    }
    const double p4 = RoundTiesToEven(p, 4);
    if (p4 == 100.0 || p4 == 0.0)
        return -1.0;
    return p;
}

// The closing test itself.
inline bool IntervaloFechado(double largura)
{
    return RoundTiesToEven(largura, 12) == 0.0;
}
