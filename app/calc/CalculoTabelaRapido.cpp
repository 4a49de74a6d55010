// The fast road of the table functions: Calc_Alc's density formula with each
// power computed once where Calc_Alc computes it again.
#include "CalculoTabelaRapido.h"

#include "BissecaoTeor.h"
#include "LimitesCalculo.h"
#include "RoundTiesToEven.h"

#include <cmath>

using namespace limites;

CalculoTabelaRapido::CalculoTabelaRapido() : m_20(Preparar(20.0)) {}

void CalculoTabelaRapido::DefinirTemperaturas(const std::vector<double>& temperaturas)
{
    m_colunas.clear();
    m_colunas.reserve(temperaturas.size());
    for (double t : temperaturas)
        m_colunas.push_back(Preparar(t));
}

CalculoTabelaRapido::Temperatura CalculoTabelaRapido::Preparar(double t) const
{
    Temperatura r;
    r.t = t;
    const double tau = t - 20.0;
    for (int i = 1; i <= 6; ++i)
        r.potencias[i] = std::pow(tau, static_cast<double>(i));
    double soma = 0.0;
    for (int k = 1; k <= 6; ++k)
        soma = soma + r.potencias[k] * m_coef.B[k];
    r.somaB = soma;
    return r;
}

void CalculoTabelaRapido::Potencias(double p, PotenciasTeor& x)
{
    const double base = p / 100.0 - 0.5;
    for (int k = 1; k <= 11; ++k)
        x[k] = std::pow(base, static_cast<double>(k));
}

// (B(t) + A(p)) + C(p, t), each sum in Calc_Alc's order.
double CalculoTabelaRapido::Massa(const PotenciasTeor& x, const Temperatura& t) const
{
    double somaA = m_coef.A[1];
    for (int k = 2; k <= 12; ++k)
        somaA = somaA + x[k - 1] * m_coef.A[k];
    double somaC = 0.0;
    for (int i = 1; i <= 5; ++i) {
        for (int k = 1; k <= m_coef.m[i]; ++k)
            somaC = somaC + (x[k] * m_coef.C[i][k]) * t.potencias[i];
    }
    return (t.somaB + somaA) + somaC;
}

double CalculoTabelaRapido::MassaPorTeor(double p, const Temperatura& t) const
{
    PotenciasTeor x;
    Potencias(p, x);
    return Massa(x, t);
}

bool CalculoTabelaRapido::Fechado(int passo, double largura) const
{
    if (passo < 0 || passo >= static_cast<int>(m_fechamentos.size()))
        return IntervaloFechado(largura);
    Fechamento& f = m_fechamentos[static_cast<size_t>(passo)];
    if (f.largura != largura) {
        f.largura = largura;
        f.fechado = IntervaloFechado(largura);
    }
    return f.fechado;
}

std::optional<double> CalculoTabelaRapido::Teor(double massa, const Temperatura& t) const
{
    if (!MassaValida(massa) || !TemperaturaValida(t.t))
        return std::nullopt;
    const double p = BissecaoTeor(
        massa, [&](double teor) { return MassaPorTeor(teor, t); },
        [&](int passo, double largura) { return Fechado(passo, largura); });
    if (p == -1.0)
        return std::nullopt;
    return p;
}

std::optional<double> CalculoTabelaRapido::Teor_Alcoolico(double massa, std::size_t coluna)
{
    return Teor(massa, m_colunas.at(coluna));
}

std::optional<double> CalculoTabelaRapido::Teor_Alcoolico20(double massa)
{
    return Teor(massa, m_20);
}

std::optional<double> CalculoTabelaRapido::Massa_Especifica20(double inpm)
{
    if (!TeorValido(inpm))
        return std::nullopt;
    return MassaPorTeor(inpm, m_20);
}

const CalculoTabelaRapido::PotenciasTeor& CalculoTabelaRapido::PotenciasDaLinha(double inpm)
{
    if (inpm != m_inpmLinha) {
        Potencias(inpm, m_potenciasLinha);
        m_massa20Linha = Massa(m_potenciasLinha, m_20);
        m_inpmLinha = inpm;
    }
    return m_potenciasLinha;
}

std::optional<double> CalculoTabelaRapido::Fator_Correcao(double inpm, std::size_t coluna)
{
    const Temperatura& t = m_colunas.at(coluna);
    if (!TeorValido(inpm) || !TemperaturaValida(t.t))
        return std::nullopt;
    const PotenciasTeor& x = PotenciasDaLinha(inpm);
    return RoundTiesToEven(Massa(x, t) / m_massa20Linha, 4);
}
