// The measuring report of Tabela 2: RptTabela2's layout with its own
// headings and every detail format "0.0".
#include "RptTabela2Check.h"

#include "TabelaLayout.h"

namespace ostrelvia::reports {

namespace {

hv::report::Report& Definir(hv::report::Report& report)
{
    report.Data().SetName(L"AdoTab2");
    MontarCabecalhos(report,
                     {L"Tabela 2 - Fator de correção de volume para 20 °C",
                      L"A interseção entre a massa específica a 20 °C e a temperatura de estocagem fornece o "
                      L"fator de correção de volume para 20 °C",
                      L"Massa específica a 20 °C kg/m³", L"Temperatura de ensaio °C"},
                     true, true);
    MontarDetalheTabela2(report, L"0.0", L"0.0");
    MontarRodape(report);
    return report;
}

} // namespace

RptTabela2Check::RptTabela2Check() : medida_(Definir(report_), L"FldFator1") {}

} // namespace ostrelvia::reports
