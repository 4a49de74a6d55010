// The measuring twin of RptTabela1: the same page geometry, run without
// being shown over numbered rows, to tell how many Tabela 1 rows fit on the
// first printed page and on the pages that follow.
#pragma once

#include "MedidaPaginas.h"
#include "Report.h"

namespace ostrelvia::reports {

class RptTabela1Check {
public:
    RptTabela1Check();
    RptTabela1Check(const RptTabela1Check&) = delete;
    RptTabela1Check& operator=(const RptTabela1Check&) = delete;

    hv::report::DataControl& AdoTab1() { return report_.Data(); }
    // Formats every page without showing them.
    void Run() { report_.Run(); }
    short iLinhasAntesPag2() const { return medida_.iLinhasAntesPag2; }
    short iLinhasAntesPag3() const { return medida_.iLinhasAntesPag3; }
    hv::report::Report& Relatorio() { return report_; }

private:
    hv::report::Report report_;
    MedidaPaginas medida_;
};

} // namespace ostrelvia::reports
