// CalculoTabela: the table functions of the calculation as the table
// generation calls them, cell after cell over fixed temperature columns. Every
// result is the very double (or Null) that Calc_Alc's function of the same
// name gives for the same arguments.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

class CalculoTabela
{
public:
    virtual ~CalculoTabela() = default;

    // The temperature columns (degrees C) that the calls below name by index.
    virtual void DefinirTemperaturas(const std::vector<double>& temperaturas) = 0;

    // Teor_Alcoolico(massa, temperature of column coluna).
    virtual std::optional<double> Teor_Alcoolico(double massa, std::size_t coluna) = 0;
    // Teor_Alcoolico(massa, 20).
    virtual std::optional<double> Teor_Alcoolico20(double massa) = 0;
    // Massa_Especifica(inpm, 20).
    virtual std::optional<double> Massa_Especifica20(double inpm) = 0;
    // Fator_Correcao(inpm, temperature of column coluna).
    virtual std::optional<double> Fator_Correcao(double inpm, std::size_t coluna) = 0;
};
