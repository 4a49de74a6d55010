// Tabela 2's report definition.
#include "RptTabela2.h"

#include "TabelaLayout.h"

namespace ostrelvia::reports {

namespace {

hv::report::Report& Definir(hv::report::Report& report)
{
    report.Data().SetName(L"AdoTab2");
    report.SetDocumentName(L"Tabela 2 - Fator de correção de volume para 20 °C");
    MontarCabecalhos(report,
                     {L"Tabela 2 - Fator de correção de volume para 20 °C",
                      L"A interseção entre a massa específica a 20 °C e a temperatura de estocagem fornece o "
                      L"fator de correção de volume para 20 °C",
                      L"Massa específica a 20 °C (kg/m³)", L"Temperatura de estocagem °C"},
                     true, true);
    MontarDetalheTabela2(report, L"0.0", L"0.0000");
    MontarRodape(report);
    return report;
}

} // namespace

RptTabela2::RptTabela2() : faixa_(Definir(report_), true) {}

} // namespace ostrelvia::reports
