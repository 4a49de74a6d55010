// Tabela 2's report design.
#include "RptTabela2.h"

namespace ostrelvia::reports {

namespace {

constexpr DesenhoTabela kDesenho{
    2, L"AdoTab2", L"Tabela 2 - Fator de correção de volume para 20 °C",
    L"Tabela 2 - Fator de correção de volume para 20 °C",
    L"A interseção entre a massa específica a 20 °C e a temperatura de estocagem fornece o fator de correção "
    L"de volume para 20 °C",
    L"Massa específica a 20 °C (kg/m³)", L"Temperatura de estocagem °C",
    true, true, L"0.0", L"0.0000"};

} // namespace

RptTabela2::RptTabela2() : RelatorioTabela(kDesenho, true) {}

} // namespace ostrelvia::reports
