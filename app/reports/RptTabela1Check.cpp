// The measuring report of Tabela 1: RptTabela1's sections without the page
// ranges and the group lines (no section changes height for it).
#include "RptTabela1Check.h"

#include "TabelaLayout.h"

namespace ostrelvia::reports {

namespace {

hv::report::Report& Definir(hv::report::Report& report)
{
    report.Data().SetName(L"AdoTab1");
    MontarCabecalhos(report,
                     {L"Tabela 1 - Massa específica a 20 °C e Teor alcoólico %m/m",
                      L"A interseção entre a massa específica lida e a temperatura de ensaio fornece na primeira "
                      L"linha a massa específica a 20 °C e na segunda linha o teor alcoólico %m/m",
                      L"Massa específica lida kg/m³", L"Temperatura de ensaio °C"},
                     false, false);
    MontarDetalheTabela1(report, L"0.0", true);
    MontarRodape(report);
    return report;
}

} // namespace

RptTabela1Check::RptTabela1Check() : medida_(Definir(report_), L"FldMassa1") {}

} // namespace ostrelvia::reports
