// The measuring report of Tabela 1: RptTabela1's sections without the page
// ranges and the group lines (no section changes height for it), Line8 in
// the detail, the engine's default document name.
#include "RptTabela1Check.h"

namespace ostrelvia::reports {

namespace {

constexpr DesenhoTabela kDesenho{
    1, L"AdoTab1", nullptr,
    L"Tabela 1 - Massa específica a 20 °C e Teor alcoólico %m/m",
    L"A interseção entre a massa específica lida e a temperatura de ensaio fornece na primeira linha a massa "
    L"específica a 20 °C e na segunda linha o teor alcoólico %m/m",
    L"Massa específica lida kg/m³", L"Temperatura de ensaio °C",
    false, false, L"0.0", L"0.0"};

} // namespace

RptTabela1Check::RptTabela1Check() : RelatorioMedida(kDesenho, L"FldMassa1") {}

} // namespace ostrelvia::reports
