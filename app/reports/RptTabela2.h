// The print preview of Tabela 2 ("Fator de correção de volume para 20 °C"):
// per density at 20 °C and storage temperature, the volume correction
// factor, thirteen temperature columns to a page. It may be shown empty.
#pragma once

#include "FaixaPagina.h"
#include "Report.h"

namespace ostrelvia::reports {

class RptTabela2 {
public:
    RptTabela2();
    RptTabela2(const RptTabela2&) = delete;
    RptTabela2& operator=(const RptTabela2&) = delete;

    hv::report::DataControl& AdoTab2() { return report_.Data(); }
    hv::report::ReportControl& LblEmpresa() { return report_.Control(L"LblEmpresa"); }
    // Runs over AdoTab2's recordset and opens the preview.
    void Show() { report_.Show(); }
    hv::report::Report& Relatorio() { return report_; }

private:
    hv::report::Report report_;
    FaixaPagina faixa_;
};

} // namespace ostrelvia::reports
