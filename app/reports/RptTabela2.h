// The print preview of Tabela 2 ("Fator de correção de volume para 20 °C"):
// per density at 20 °C and storage temperature, the volume correction
// factor, thirteen temperature columns to a page. It may be shown empty.
#pragma once

#include "RelatorioTabela.h"

namespace ostrelvia::reports {

class RptTabela2 : public RelatorioTabela {
public:
    RptTabela2();
    hv::report::DataControl& AdoTab2() { return Relatorio().Data(); }
};

} // namespace ostrelvia::reports
