// Tabela 1's report definition.
#include "RptTabela1.h"

#include "TabelaLayout.h"

namespace ostrelvia::reports {

namespace {

hv::report::Report& Definir(hv::report::Report& report)
{
    report.Data().SetName(L"AdoTab1");
    report.SetDocumentName(L"Tabela 1 - Massa a 20 °C e Teor Alcoólico");
    MontarCabecalhos(report,
                     {L"Tabela 1 - Massa específica a 20 °C e Teor alcoólico %m/m",
                      L"A interseção entre a massa específica lida e a temperatura de ensaio fornece a massa "
                      L"específica a 20 °C na primeira linha e o teor alcoólico %m/m na segunda linha.",
                      L"Massa específica lida (kg/m³)", L"Temperatura de ensaio °C"},
                     true, true);
    MontarDetalheTabela1(report, L"0.00", false);
    MontarRodape(report);
    return report;
}

} // namespace

RptTabela1::RptTabela1() : faixa_(Definir(report_), false) {}

} // namespace ostrelvia::reports
