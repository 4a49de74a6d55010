// Calc_Alc: the alcoholometric calculation of one analysis (density read, test
// and storage temperatures in; densities, alcohol contents and the volume
// correction factor out) and the density/content functions that table
// generation calls. It never raises an error to its caller: a bad input
// leaves an error text, and a result that cannot be computed is Null.
#pragma once

#include "DensityCoefficients.h"
#include "NumericInput.h"
#include "OwnedVariant.h"

#include <cstdint>
#include <string>

class Calc_Alc
{
public:
    Calc_Alc();

    // Density in kg/m3 of a mixture of INPM % m/m at Temperatura degrees C,
    // unrounded; Null unless 0 <= INPM <= 100 and -20 <= Temperatura <= 50.
    OwnedVariant Massa_Especifica(double INPM, double Temperatura) const;
    // Content in % m/m of a mixture of that density at Temperatura, unrounded;
    // Null outside 771.92..999.84 kg/m3 and -20..50 degrees C, and Null when the
    // density lies at or beyond pure water or pure ethanol.
    OwnedVariant Teor_Alcoolico(double Massa_Especifica, double Temperatura) const;
    // Volume correction factor to 20 degrees C, 4 decimals; same ranges as
    // Massa_Especifica.
    OwnedVariant Fator_Correcao(double INPM, double Temperatura) const;

    std::wstring Erro_Massa() const { return m_erroMassa; }
    std::wstring Erro_Temp_Ensaio() const { return m_erroTempEnsaio; }
    std::wstring Erro_Temp_Estoque() const { return m_erroTempEstoque; }

    // Inputs: each assignment keeps a copy, checks it and recomputes the results.
    OwnedVariant MassaLida() const { return m_massaLida; }
    void MassaLida(const VARIANT& value);
    OwnedVariant TempEnsaio() const { return m_tempEnsaio; }
    void TempEnsaio(const VARIANT& value);
    OwnedVariant TempEstocagem() const { return m_tempEstocagem; }
    void TempEstocagem(const VARIANT& value);

    // Results: Null or a double. They follow the inputs, so assigning them
    // changes nothing.
    OwnedVariant MassaEst() const { return m_massaEst; }
    void MassaEst(const VARIANT&) {}
    OwnedVariant Massa20() const { return m_massa20; }
    void Massa20(const VARIANT&) {}
    OwnedVariant Teor() const { return m_teor; }
    void Teor(const VARIANT&) {}
    OwnedVariant Teor20() const { return m_teor20; }
    void Teor20(const VARIANT&) {}
    OwnedVariant FatorCorrecao() const { return m_fatorCorrecao; }
    void FatorCorrecao(const VARIANT&) {}

    // A flag kept for the caller; nothing here consults it.
    bool GerarErro() const { return m_gerarErro; }
    void GerarErro(bool value) { m_gerarErro = value; }

    // True while any of the three inputs is missing or invalid.
    bool temErro() const { return !(m_bMassaValida && m_bTempEnsaioValida && m_bTempEstocagemValida); }
    void temErro(bool) {}

private:
    friend struct Calc_AlcTestAccess;

    // The density model: pure functions of their arguments and the tables.
    double fSomaTermosA(double p) const;
    double fSomaTermosB(double t) const;
    double fSomaTermosC(double p, double t) const;
    double fMassaPorTeor(double p, double t) const;
    double fTeorPorMassa(double t, double massa) const;

    void ChecarMassaLida(const NumericReading& reading);
    void ChecarTempEnsaio(const NumericReading& reading);
    void ChecarTempEstocagem(const NumericReading& reading);
    void Recalcular();
    void AnularResultados();

    OwnedVariant m_massaLida = OwnedVariant::Null();
    bool m_bMassaValida = false;
    std::wstring m_erroMassa;
    OwnedVariant m_tempEnsaio = OwnedVariant::Null();
    bool m_bTempEnsaioValida = false;
    std::wstring m_erroTempEnsaio;
    OwnedVariant m_tempEstocagem = OwnedVariant::Null();
    bool m_bTempEstocagemValida = false;
    std::wstring m_erroTempEstoque;

    OwnedVariant m_massaEst = OwnedVariant::Null();
    OwnedVariant m_massa20 = OwnedVariant::Null();
    OwnedVariant m_teor = OwnedVariant::Null();
    OwnedVariant m_teor20 = OwnedVariant::Null();
    OwnedVariant m_fatorCorrecao = OwnedVariant::Null();

    bool m_gerarErro = false;

    DensityCoefficients m_coef;

    // How many times the density polynomial has been evaluated; a measure for
    // the tests of the inverse, with no bearing on any result.
    mutable std::uint64_t m_avaliacoesMassa = 0;
};
