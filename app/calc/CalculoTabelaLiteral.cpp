// The table functions through Calc_Alc's own members.
#include "CalculoTabelaLiteral.h"

#include "Calc_Alc.h"

namespace {

std::optional<double> Valor(const OwnedVariant& v)
{
    if (v.Type() != VT_R8)
        return std::nullopt;
    return v.Get().dblVal;
}

} // namespace

void CalculoTabelaLiteral::DefinirTemperaturas(const std::vector<double>& temperaturas)
{
    m_temperaturas = temperaturas;
}

std::optional<double> CalculoTabelaLiteral::Teor_Alcoolico(double massa, std::size_t coluna)
{
    return Valor(m_calc.Teor_Alcoolico(massa, m_temperaturas.at(coluna)));
}

std::optional<double> CalculoTabelaLiteral::Teor_Alcoolico20(double massa)
{
    return Valor(m_calc.Teor_Alcoolico(massa, 20.0));
}

std::optional<double> CalculoTabelaLiteral::Massa_Especifica20(double inpm)
{
    return Valor(m_calc.Massa_Especifica(inpm, 20.0));
}

std::optional<double> CalculoTabelaLiteral::Fator_Correcao(double inpm, std::size_t coluna)
{
    return Valor(m_calc.Fator_Correcao(inpm, m_temperaturas.at(coluna)));
}
