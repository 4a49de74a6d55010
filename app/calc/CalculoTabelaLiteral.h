// CalculoTabelaLiteral: the table functions straight through Calc_Alc, one
// call per cell as an analysis computes them. The reference the fast road is
// measured and checked against.
#pragma once

#include "CalculoTabela.h"

class Calc_Alc;

class CalculoTabelaLiteral : public CalculoTabela
{
public:
    explicit CalculoTabelaLiteral(const Calc_Alc& calc) : m_calc(calc) {}

    void DefinirTemperaturas(const std::vector<double>& temperaturas) override;
    std::optional<double> Teor_Alcoolico(double massa, std::size_t coluna) override;
    std::optional<double> Teor_Alcoolico20(double massa) override;
    std::optional<double> Massa_Especifica20(double inpm) override;
    std::optional<double> Fator_Correcao(double inpm, std::size_t coluna) override;

private:
    const Calc_Alc& m_calc;   // not owned; outlives this object
    std::vector<double> m_temperaturas;
};
