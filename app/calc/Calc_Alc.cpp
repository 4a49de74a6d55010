// Calc_Alc: the density polynomial and its bisection inverse, the input
// checks with their error texts, and the results of an analysis.
#include "Calc_Alc.h"

#include "BissecaoTeor.h"
#include "LimitesCalculo.h"
#include "RoundTiesToEven.h"

#include <cmath>

namespace {

using namespace limites;

constexpr double kMassaEtanol20 = 789.24;   // pure ethanol at 20 degrees C, kg/m3

struct InputTexts
{
    const wchar_t* missing;
    const wchar_t* notNumeric;
    const wchar_t* outOfRange;
};

const InputTexts kTextsMassa = {
    L"ERR-001 - Não foi atribuído nenhum conteúdo a massa lida!",
    L"ERR-002 - O conteúdo atribuído a massa lida não é válido!",
    L"ERR-003 - Massa específica lida fora do intervalo de 771,92 até 999,84!",
};

const InputTexts kTextsTempEnsaio = {
    L"ERR-004 - Não foi atribuído nenhum conteúdo a temperatura de ensaio!",
    L"ERR-005 - O conteúdo atribuído a temperatura de ensaio não é válido!",
    L"ERR-006 - Temperatura de ensaio fora do intervalo de -20 °C até 50 °C!",
};

const InputTexts kTextsTempEstocagem = {
    L"ERR-007 - Não foi atribuído nenhum conteúdo a temperatura de estocagem!",
    L"ERR-008 - O conteúdo atribuído a temperatura de estocagem não é válido!",
    L"ERR-009 - Temperatura de estocagem fora do intervalo de -20 °C até 50 °C!",
};

// Sets error to the text that fits the reading (empty when valid).
bool CheckInput(const NumericReading& reading, double low, double high,
                const InputTexts& texts, std::wstring& error)
{
    switch (reading.kind) {
    case InputKind::Missing:
        error = texts.missing;
        return false;
    case InputKind::NotNumeric:
        error = texts.notNumeric;
        return false;
    case InputKind::Numeric:
        break;
    }
    if (!Within(reading.value, low, high)) {
        error = texts.outOfRange;
        return false;
    }
    error.clear();
    return true;
}

} // namespace

Calc_Alc::Calc_Alc()
{
    ChecarMassaLida(ReadNumericInput(m_massaLida));
    ChecarTempEnsaio(ReadNumericInput(m_tempEnsaio));
    ChecarTempEstocagem(ReadNumericInput(m_tempEstocagem));
}

// ---- density model ---------------------------------------------------------
// Every power goes through the general power function of two doubles and
// x = p/100 - 0.5 is formed again for each term: the tables were computed so,
// and a shortcut (repeated products, a hoisted x) changes the last bits.

double Calc_Alc::fSomaTermosA(double p) const
{
    double soma = m_coef.A[1];
    for (int k = 2; k <= 12; ++k) {
        const double x = p / 100.0 - 0.5;
        soma = soma + std::pow(x, static_cast<double>(k - 1)) * m_coef.A[k];
    }
    return soma;
}

double Calc_Alc::fSomaTermosB(double t) const
{
    double soma = 0.0;
    for (int k = 1; k <= 6; ++k) {
        const double tau = t - 20.0;
        soma = soma + std::pow(tau, static_cast<double>(k)) * m_coef.B[k];
    }
    return soma;
}

double Calc_Alc::fSomaTermosC(double p, double t) const
{
    double soma = 0.0;
    for (int i = 1; i <= 5; ++i) {
        for (int k = 1; k <= m_coef.m[i]; ++k) {
            const double x = p / 100.0 - 0.5;
            const double tau = t - 20.0;
            soma = soma + (std::pow(x, static_cast<double>(k)) * m_coef.C[i][k])
                              * std::pow(tau, static_cast<double>(i));
        }
    }
    return soma;
}

double Calc_Alc::fMassaPorTeor(double p, double t) const
{
    ++m_avaliacoesMassa;
    return (fSomaTermosB(t) + fSomaTermosA(p)) + fSomaTermosC(p, t);
}

double Calc_Alc::fTeorPorMassa(double t, double massa) const
{
    return BissecaoTeor(
        massa, [&](double p) { return fMassaPorTeor(p, t); },
        [](int, double largura) { return IntervaloFechado(largura); });
}

// ---- table functions -------------------------------------------------------

OwnedVariant Calc_Alc::Massa_Especifica(double INPM, double Temperatura) const
{
    if (!Within(INPM, kTeorMin, kTeorMax) || !Within(Temperatura, kTempMin, kTempMax))
        return OwnedVariant::Null();
    return OwnedVariant::Number(fMassaPorTeor(INPM, Temperatura));
}

OwnedVariant Calc_Alc::Teor_Alcoolico(double Massa_Especifica, double Temperatura) const
{
    if (!Within(Massa_Especifica, kMassaMin, kMassaMax) || !Within(Temperatura, kTempMin, kTempMax))
        return OwnedVariant::Null();
    const double p = fTeorPorMassa(Temperatura, Massa_Especifica);
    if (p == -1.0)
        return OwnedVariant::Null();
    return OwnedVariant::Number(p);
}

OwnedVariant Calc_Alc::Fator_Correcao(double INPM, double Temperatura) const
{
    if (!Within(INPM, kTeorMin, kTeorMax) || !Within(Temperatura, kTempMin, kTempMax))
        return OwnedVariant::Null();
    const double fator = fMassaPorTeor(INPM, Temperatura) / fMassaPorTeor(INPM, 20.0);
    return OwnedVariant::Number(RoundTiesToEven(fator, 4));
}

// ---- inputs ----------------------------------------------------------------

void Calc_Alc::MassaLida(const VARIANT& value)
{
    const bool copied = m_massaLida.Assign(value);
    ChecarMassaLida(copied ? ReadNumericInput(m_massaLida) : NumericReading{InputKind::NotNumeric});
    Recalcular();
}

void Calc_Alc::TempEnsaio(const VARIANT& value)
{
    const bool copied = m_tempEnsaio.Assign(value);
    ChecarTempEnsaio(copied ? ReadNumericInput(m_tempEnsaio) : NumericReading{InputKind::NotNumeric});
    Recalcular();
}

void Calc_Alc::TempEstocagem(const VARIANT& value)
{
    const bool copied = m_tempEstocagem.Assign(value);
    ChecarTempEstocagem(copied ? ReadNumericInput(m_tempEstocagem) : NumericReading{InputKind::NotNumeric});
    Recalcular();
}

void Calc_Alc::ChecarMassaLida(const NumericReading& reading)
{
    m_bMassaValida = CheckInput(reading, kMassaMin, kMassaMax, kTextsMassa, m_erroMassa);
}

void Calc_Alc::ChecarTempEnsaio(const NumericReading& reading)
{
    m_bTempEnsaioValida = CheckInput(reading, kTempMin, kTempMax, kTextsTempEnsaio, m_erroTempEnsaio);
}

void Calc_Alc::ChecarTempEstocagem(const NumericReading& reading)
{
    m_bTempEstocagemValida = CheckInput(reading, kTempMin, kTempMax, kTextsTempEstocagem,
                                        m_erroTempEstoque);
}

// ---- results ---------------------------------------------------------------

void Calc_Alc::AnularResultados()
{
    m_massaEst = OwnedVariant::Null();
    m_massa20 = OwnedVariant::Null();
    m_teor = OwnedVariant::Null();
    m_teor20 = OwnedVariant::Null();
    m_fatorCorrecao = OwnedVariant::Null();
}

// The content is found once and every result derived from it; each result
// depends only on the three inputs, so this equals computing them one by one.
void Calc_Alc::Recalcular()
{
    if (temErro()) {
        AnularResultados();
        return;
    }
    // Read afresh: a text converts under the locale in force now.
    const NumericReading d = ReadNumericInput(m_massaLida);
    const NumericReading te = ReadNumericInput(m_tempEnsaio);
    const NumericReading ts = ReadNumericInput(m_tempEstocagem);
    if (d.kind != InputKind::Numeric || te.kind != InputKind::Numeric || ts.kind != InputKind::Numeric) {
        AnularResultados();   // a text that no longer reads under the current locale
        return;
    }
    const double p = fTeorPorMassa(te.value, d.value);
    if (p == -1.0) {
        AnularResultados();
        return;
    }
    const double rhoS = fMassaPorTeor(p, ts.value);
    const double rho20 = fMassaPorTeor(p, 20.0);
    m_massaEst = OwnedVariant::Number(RoundTiesToEven(rhoS, 1));
    m_massa20 = OwnedVariant::Number(RoundTiesToEven(rho20, 1));
    m_teor = OwnedVariant::Number(RoundTiesToEven(p, 1));
    m_teor20 = OwnedVariant::Number(RoundTiesToEven((rho20 * p) / kMassaEtanol20, 1));
    m_fatorCorrecao = OwnedVariant::Number(RoundTiesToEven(rhoS / rho20, 4));
}
