// What the two measuring reports share: a table's layout, run without being
// shown over numbered rows, recording the rows printed before pages 2 and 3.
#pragma once

#include "MedidaPaginas.h"
#include "Report.h"
#include "TabelaLayout.h"

namespace ostrelvia::reports {

class RelatorioMedida {
public:
    RelatorioMedida(const RelatorioMedida&) = delete;
    RelatorioMedida& operator=(const RelatorioMedida&) = delete;

    // Formats every page without showing them.
    void Run() { report_.Run(); }
    short iLinhasAntesPag2() const { return medida_.iLinhasAntesPag2; }
    short iLinhasAntesPag3() const { return medida_.iLinhasAntesPag3; }
    hv::report::Report& Relatorio() { return report_; }

protected:
    // `campo`: the field control that numbers the rows.
    RelatorioMedida(const DesenhoTabela& desenho, const wchar_t* campo);

private:
    hv::report::Report report_;
    MedidaPaginas medida_;
};

} // namespace ostrelvia::reports
