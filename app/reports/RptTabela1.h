// The print preview of Tabela 1 ("Massa específica a 20 °C e Teor alcoólico
// %m/m"): per density read and test temperature, the density at 20 °C over
// the alcohol content, thirteen temperature columns to a page, each page
// headed by its density and temperature ranges.
#pragma once

#include "FaixaPagina.h"
#include "Report.h"

namespace ostrelvia::reports {

class RptTabela1 {
public:
    RptTabela1();
    RptTabela1(const RptTabela1&) = delete;
    RptTabela1& operator=(const RptTabela1&) = delete;

    hv::report::DataControl& AdoTab1() { return report_.Data(); }
    hv::report::ReportControl& LblEmpresa() { return report_.Control(L"LblEmpresa"); }
    // Runs over AdoTab1's recordset and opens the preview.
    void Show() { report_.Show(); }
    hv::report::Report& Relatorio() { return report_; }

private:
    hv::report::Report report_;
    FaixaPagina faixa_;
};

} // namespace ostrelvia::reports
