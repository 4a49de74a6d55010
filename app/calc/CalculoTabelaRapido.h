// CalculoTabelaRapido: the table functions with the arithmetic of Calc_Alc,
// bit for bit, at a fraction of its cost. Each distinct power is computed once:
// the powers of the content term once per evaluation of the density, those of
// the temperature term (and the temperature-only sum) once per column for the
// whole run. The same power calls and the same order of every product and sum
// as Calc_Alc (no Horner scheme, no chains of products: they change last
// bits).
#pragma once

#include "CalculoTabela.h"
#include "DensityCoefficients.h"

#include <array>

class CalculoTabelaRapido : public CalculoTabela
{
public:
    CalculoTabelaRapido();

    void DefinirTemperaturas(const std::vector<double>& temperaturas) override;
    std::optional<double> Teor_Alcoolico(double massa, std::size_t coluna) override;
    std::optional<double> Teor_Alcoolico20(double massa) override;
    std::optional<double> Massa_Especifica20(double inpm) override;
    std::optional<double> Fator_Correcao(double inpm, std::size_t coluna) override;

private:
    // What the density needs of one temperature.
    struct Temperatura
    {
        double t = 0.0;
        std::array<double, 7> potencias{};   // (t - 20)^i, i 1..6
        double somaB = 0.0;                   // the terms in the temperature only
    };
    // The powers x^k, k 1..11, of x = content / 100 - 0.5.
    using PotenciasTeor = std::array<double, 12>;

    Temperatura Preparar(double t) const;
    static void Potencias(double p, PotenciasTeor& x);
    double Massa(const PotenciasTeor& x, const Temperatura& t) const;
    double MassaPorTeor(double p, const Temperatura& t) const;
    std::optional<double> Teor(double massa, const Temperatura& t) const;
    bool Fechado(int passo, double largura) const;
    const PotenciasTeor& PotenciasDaLinha(double inpm);

    DensityCoefficients m_coef;
    std::vector<Temperatura> m_colunas;
    Temperatura m_20;

    // The bisection's closing test, by step: the width it was asked about and
    // its answer. The widths repeat from search to search.
    struct Fechamento
    {
        double largura = -1.0;
        bool fechado = false;
    };
    mutable std::array<Fechamento, 64> m_fechamentos{};

    // The powers of the last content asked for a correction factor and its
    // density at 20 degrees C: a row of factors keeps one content.
    double m_inpmLinha = -1.0;
    PotenciasTeor m_potenciasLinha{};
    double m_massa20Linha = 0.0;
};
