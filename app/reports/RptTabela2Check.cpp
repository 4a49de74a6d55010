// The measuring report of Tabela 2: RptTabela2's layout with its own
// headings, every detail format "0.0" and the engine's default document name.
#include "RptTabela2Check.h"

namespace ostrelvia::reports {

namespace {

constexpr DesenhoTabela kDesenho{
    2, L"AdoTab2", nullptr,
    L"Tabela 2 - Fator de correção de volume para 20 °C",
    L"A interseção entre a massa específica a 20 °C e a temperatura de estocagem fornece o fator de correção "
    L"de volume para 20 °C",
    L"Massa específica a 20 °C kg/m³", L"Temperatura de ensaio °C",
    true, true, L"0.0", L"0.0"};

} // namespace

RptTabela2Check::RptTabela2Check() : RelatorioMedida(kDesenho, L"FldFator1") {}

} // namespace ostrelvia::reports
