// What the two table previews share: a report of the tables' layout whose
// page headers show each page's density and temperature ranges.
#pragma once

#include "FaixaPagina.h"
#include "Report.h"
#include "TabelaLayout.h"

namespace ostrelvia::reports {

class RelatorioTabela {
public:
    RelatorioTabela(const RelatorioTabela&) = delete;
    RelatorioTabela& operator=(const RelatorioTabela&) = delete;

    hv::report::ReportControl& LblEmpresa() { return report_.Control(L"LblEmpresa"); }
    // Runs over the data control's recordset and opens the preview.
    void Show() { report_.Show(); }
    hv::report::Report& Relatorio() { return report_; }

protected:
    // `somenteComRegistros`: the ranges are read only while the recordset
    // holds records (a table that may be empty).
    RelatorioTabela(const DesenhoTabela& desenho, bool somenteComRegistros);

private:
    hv::report::Report report_;
    FaixaPagina faixa_;
};

} // namespace ostrelvia::reports
