// FaixaTabela: the rows or the columns of a table, counted in whole units of
// their field (hundredths of kg/m3, tenths of degrees C) so that counting and
// stepping are exact: value k is (start + k * step) / scale, never a sum of
// steps that drifts and drops the last value.
#pragma once

class FaixaTabela
{
public:
    static constexpr int kCentesimos = 100;   // densities
    static constexpr int kDecimos = 10;       // temperatures

    // The range start..end by step, each rounded to the field's unit.
    FaixaTabela(double inicio, double fim, double passo, int escala);

    // (end - start) / step + 1 by integer division; one value when the step is
    // 0; none when the end lies before the start.
    long Contagem() const;
    double Valor(long k) const;
    // A step that rounds to nothing between two different ends.
    bool PassoNulo() const { return m_passo <= 0 && m_fim != m_inicio; }

private:
    long long m_inicio;
    long long m_fim;
    long long m_passo;
    int m_escala;
};
