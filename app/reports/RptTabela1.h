// The print preview of Tabela 1 ("Massa específica a 20 °C e Teor alcoólico
// %m/m"): per density read and test temperature, the density at 20 °C over
// the alcohol content, thirteen temperature columns to a page, each page
// headed by its density and temperature ranges.
#pragma once

#include "RelatorioTabela.h"

namespace ostrelvia::reports {

class RptTabela1 : public RelatorioTabela {
public:
    RptTabela1();
    hv::report::DataControl& AdoTab1() { return Relatorio().Data(); }
};

} // namespace ostrelvia::reports
