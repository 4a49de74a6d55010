// The measuring twin of RptTabela2: the same page geometry, run without
// being shown over numbered rows, to tell how many Tabela 2 rows fit on the
// first printed page and on the pages that follow.
#pragma once

#include "RelatorioMedida.h"

namespace ostrelvia::reports {

class RptTabela2Check : public RelatorioMedida {
public:
    RptTabela2Check();
    hv::report::DataControl& AdoTab2() { return Relatorio().Data(); }
};

} // namespace ostrelvia::reports
