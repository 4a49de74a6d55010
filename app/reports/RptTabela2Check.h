// The measuring twin of RptTabela2: the same page geometry, run without
// being shown over numbered rows, to tell how many Tabela 2 rows fit on the
// first printed page and on the pages that follow.
#pragma once

#include "MedidaPaginas.h"
#include "Report.h"

namespace ostrelvia::reports {

class RptTabela2Check {
public:
    RptTabela2Check();
    RptTabela2Check(const RptTabela2Check&) = delete;
    RptTabela2Check& operator=(const RptTabela2Check&) = delete;

    hv::report::DataControl& AdoTab2() { return report_.Data(); }
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
