// The checks of the six range fields: messages in the checks' order, one box.
#include <doctest/doctest.h>

#include "FormsTestSupport.h"
#include "TabelasTestSupport.h"
#include "ValidacaoTabelas.h"

#include <string>
#include <vector>

using formstest::MsgBoxScript;
using formstest::Narrow;
using tabelastest::Faixas;

namespace {

std::vector<std::wstring> Linhas(const std::wstring& texto)
{
    std::vector<std::wstring> linhas;
    size_t inicio = 0;
    for (size_t fim; (fim = texto.find(L"\r\n", inicio)) != std::wstring::npos; inicio = fim + 2)
        linhas.push_back(texto.substr(inicio, fim - inicio));
    CHECK(inicio == texto.size());   // every message ends with CR LF
    return linhas;
}

const CamposTabelas kValidos = Faixas(800, 900, 0.5, -20, 50, 0.5);

} // namespace

TEST_CASE("every failed check adds its message, in the checks' order")
{
    struct Caso {
        const char* nome;
        CamposTabelas campos;
        std::vector<std::wstring> esperado;
    };
    const std::optional<double> vazio;
    const std::vector<Caso> casos = {
        {"all empty", CamposTabelas{},
         {L"Massa específica inicial não informada!", L"Massa específica final não informada!",
          L"Incremento de massa específica kg/m³ não informado!", L"Temperatura inicial °C não informada!",
          L"Temperatura final °C não informada!", L"Incremento da temperatura °C não informado!"}},
        {"800 to 790, no step", CamposTabelas{800.0, 790.0, vazio, -20.0, 50.0, 0.5},
         {L"Massa específica inicial kg/m³ maior que massa específica final kg/m³!",
          L"Incremento de massa específica kg/m³ não informado!"}},
        {"density step 0, equal ends", CamposTabelas{850.0, 850.0, 0.0, -20.0, 50.0, 0.5}, {}},
        {"density step 0, different ends", CamposTabelas{800.0, 850.0, 0.0, -20.0, 50.0, 0.5},
         {L"Incremento de massa específica kg/m³ deve ser maior que zero!"}},
        {"density step 0, no start", CamposTabelas{vazio, 850.0, 0.0, -20.0, 50.0, 0.5},
         {L"Massa específica inicial não informada!"}},
        {"temperature step 0, equal ends", CamposTabelas{800.0, 850.0, 0.5, 20.0, 20.0, 0.0}, {}},
        {"temperature step 0, different ends", CamposTabelas{800.0, 850.0, 0.5, 20.0, 25.0, 0.0},
         {L"Incremento da temperatura °C deve ser maior que zero!"}},
        {"negative temperature step", CamposTabelas{800.0, 850.0, 0.5, 20.0, 25.0, -1.0},
         {L"Incremento da temperatura °C invalido!"}},
        {"negative density step", CamposTabelas{800.0, 850.0, -0.5, 20.0, 25.0, 1.0},
         {L"Incremento de massa específica kg/m³ invalido!"}},
        {"bounds accepted", CamposTabelas{771.92, 999.84, 0.01, -20.0, 50.0, 0.1}, {}},
        {"771,91 and 50,1", CamposTabelas{771.91, 999.85, 1.0, -20.1, 50.1, 0.1},
         {L"Massa específica inicial kg/m³ deve estar entre 771,92 e 999,84!",
          L"Massa específica final kg/m³ deve estar entre 771,92 e 999,84!",
          L"Temperatura inicial °C deve estar entre -20 °C e 50 °C!",
          L"Temperatura final °C deve estar entre -20 °C e 50 °C!"}},
        {"temperatures reversed", CamposTabelas{800.0, 850.0, 0.5, 30.0, 20.0, 0.5},
         {L"Temperatura inicial °C maior que Temperatura final °C!"}},
    };
    for (const Caso& caso : casos) {
        CAPTURE(caso.nome);
        const std::vector<std::wstring> linhas = Linhas(MensagensValidacao(caso.campos));
        REQUIRE(linhas.size() == caso.esperado.size());
        for (size_t i = 0; i < linhas.size(); ++i) {
            CAPTURE(i);
            CHECK(Narrow(linhas[i]) == Narrow(caso.esperado[i]));
        }
    }
}

TEST_CASE("refused fields show one critical box titled Atenção; valid fields show none")
{
    {
        MsgBoxScript caixas;
        CHECK_FALSE(fValidaDadosMassa(CamposTabelas{}));
        REQUIRE(caixas.shown.size() == 1);
        CHECK(caixas.shown[0].style == 16);
        CHECK(Narrow(caixas.shown[0].title) == "Atenção");
        CHECK(Linhas(caixas.shown[0].text).size() == 6);
    }
    MsgBoxScript caixas;
    CHECK(fValidaDadosMassa(kValidos));
    CHECK(caixas.shown.empty());
}
