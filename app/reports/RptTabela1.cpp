// Tabela 1's report design.
#include "RptTabela1.h"

namespace ostrelvia::reports {

namespace {

constexpr DesenhoTabela kDesenho{
    1, L"AdoTab1", L"Tabela 1 - Massa a 20 °C e Teor Alcoólico",
    L"Tabela 1 - Massa específica a 20 °C e Teor alcoólico %m/m",
    L"A interseção entre a massa específica lida e a temperatura de ensaio fornece a massa específica a 20 °C "
    L"na primeira linha e o teor alcoólico %m/m na segunda linha.",
    L"Massa específica lida (kg/m³)", L"Temperatura de ensaio °C",
    true, true, L"0.00", L"0.0"};

} // namespace

RptTabela1::RptTabela1() : RelatorioTabela(kDesenho, false) {}

} // namespace ostrelvia::reports
