// The measuring twin of RptTabela1: the same page geometry, run without
// being shown over numbered rows, to tell how many Tabela 1 rows fit on the
// first printed page and on the pages that follow.
#pragma once

#include "RelatorioMedida.h"

namespace ostrelvia::reports {

class RptTabela1Check : public RelatorioMedida {
public:
    RptTabela1Check();
    hv::report::DataControl& AdoTab1() { return Relatorio().Data(); }
};

} // namespace ostrelvia::reports
