// The eight checks of the range fields.
#include "ValidacaoTabelas.h"

#include "MsgBox.h"

namespace {

constexpr double kMassaMin = 771.92;
constexpr double kMassaMax = 999.84;
constexpr double kTempMin = -20.0;
constexpr double kTempMax = 50.0;

void Adicionar(std::wstring& texto, const wchar_t* mensagem)
{
    texto += mensagem;
    texto += L"\r\n";
}

bool Fora(double v, double min, double max)
{
    return v < min || v > max;
}

// A bound: missing, or outside its range.
void ChecarExtremo(std::wstring& texto, const std::optional<double>& valor, double min, double max,
                   const wchar_t* naoInformado, const wchar_t* foraDaFaixa)
{
    if (!valor)
        Adicionar(texto, naoInformado);
    else if (Fora(*valor, min, max))
        Adicionar(texto, foraDaFaixa);
}

// A step: missing, negative, or zero between two filled, different ends.
void ChecarIncremento(std::wstring& texto, const std::optional<double>& inc, const std::optional<double>& ini,
                      const std::optional<double>& fim, const wchar_t* naoInformado, const wchar_t* invalido,
                      const wchar_t* zero)
{
    if (!inc)
        Adicionar(texto, naoInformado);
    else if (*inc < 0)
        Adicionar(texto, invalido);
    else if (ini && fim && *inc == 0 && *fim != *ini)
        Adicionar(texto, zero);
}

} // namespace

std::wstring MensagensValidacao(const CamposTabelas& c)
{
    std::wstring texto;
    ChecarExtremo(texto, c.massaIni, kMassaMin, kMassaMax, L"Massa específica inicial não informada!",
                  L"Massa específica inicial kg/m³ deve estar entre 771,92 e 999,84!");
    ChecarExtremo(texto, c.massaFim, kMassaMin, kMassaMax, L"Massa específica final não informada!",
                  L"Massa específica final kg/m³ deve estar entre 771,92 e 999,84!");
    if (c.massaIni && c.massaFim && *c.massaIni > *c.massaFim)
        Adicionar(texto, L"Massa específica inicial kg/m³ maior que massa específica final kg/m³!");
    ChecarIncremento(texto, c.massaInc, c.massaIni, c.massaFim,
                     L"Incremento de massa específica kg/m³ não informado!",
                     L"Incremento de massa específica kg/m³ invalido!",
                     L"Incremento de massa específica kg/m³ deve ser maior que zero!");
    ChecarExtremo(texto, c.tempIni, kTempMin, kTempMax, L"Temperatura inicial °C não informada!",
                  L"Temperatura inicial °C deve estar entre -20 °C e 50 °C!");
    ChecarExtremo(texto, c.tempFim, kTempMin, kTempMax, L"Temperatura final °C não informada!",
                  L"Temperatura final °C deve estar entre -20 °C e 50 °C!");
    if (c.tempIni && c.tempFim && *c.tempIni > *c.tempFim)
        Adicionar(texto, L"Temperatura inicial °C maior que Temperatura final °C!");
    ChecarIncremento(texto, c.tempInc, c.tempIni, c.tempFim, L"Incremento da temperatura °C não informado!",
                     L"Incremento da temperatura °C invalido!",
                     L"Incremento da temperatura °C deve ser maior que zero!");
    return texto;
}

bool fValidaDadosMassa(const CamposTabelas& campos)
{
    const std::wstring texto = MensagensValidacao(campos);
    if (texto.empty())
        return true;
    hv::forms::MsgBox(texto, hv::forms::MsgOkOnly + hv::forms::MsgCritical);
    return false;
}
