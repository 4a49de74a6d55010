// FaixaTabela2: the densities at 20 degrees C that the correction factor table
// covers, from the smallest and the largest that the first table produced:
// widened to half units (x.0 or x.5 kg/m3) and kept within 772.0 .. 999.5.
#pragma once

struct ExtremosMassa20
{
    double menor = 1000.0;    // no density at 20 degrees C seen yet
    double maior = -1000.0;

    void Incluir(double massa20)
    {
        if (massa20 < menor)
            menor = massa20;
        if (massa20 > maior)
            maior = massa20;
    }
};

// The smallest is rounded to one decimal and lowered by tenths until its
// fraction rounds to .5 or to a whole unit; the largest rounded and raised
// until its fraction rounds to .5 or to 0. Either left untouched when the
// first table gave no density at 20 degrees C. The arithmetic is that of
// doubles, step by step, so the ends carry its small errors (799.99999...).
ExtremosMassa20 FaixaTabela2(const ExtremosMassa20& extremos);
