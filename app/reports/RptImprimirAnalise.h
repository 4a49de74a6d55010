// The printout of the day's analyses ("Impressão de analises"): the company
// and the sampling date in the page header, the column headings repeated on
// every page, one line per analysis, a closing rule, "Pag:" n "/" N.
#pragma once

#include "Report.h"

namespace ostrelvia::reports {

class RptImprimirAnalise {
public:
    RptImprimirAnalise();
    RptImprimirAnalise(const RptImprimirAnalise&) = delete;
    RptImprimirAnalise& operator=(const RptImprimirAnalise&) = delete;

    hv::report::DataControl& AdoRel() { return report_.Data(); }
    hv::report::ReportControl& LblEmpresa() { return report_.Control(L"LblEmpresa"); }
    hv::report::ReportControl& LblCabecalho() { return report_.Control(L"LblCabecalho"); }
    // Runs over AdoRel's recordset and opens the preview.
    void Show() { report_.Show(); }
    hv::report::Report& Relatorio() { return report_; }

private:
    hv::report::Report report_;
};

} // namespace ostrelvia::reports
