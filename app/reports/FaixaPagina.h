// The density and temperature ranges that the page headers of the table
// reports show: read from the record that starts the report and from each
// record that starts a printed page (MASSA_DE set), and written into
// LblCabMassa ("#0.00 - #0.00") and LblCabTemp ("#0.0 - #0.0") in the
// user's locale when a page header is formatted.
#pragma once

#include "Report.h"

namespace ostrelvia::reports {

class FaixaPagina {
public:
    // Binds the three handlers of the report. `somenteComRegistros`: read
    // nothing while the recordset holds no record (Tabela 2 may be empty).
    FaixaPagina(hv::report::Report& report, bool somenteComRegistros);
    FaixaPagina(const FaixaPagina&) = delete;
    FaixaPagina& operator=(const FaixaPagina&) = delete;

    double MassaDe() const { return dMassaDe; }
    double MassaAte() const { return dMassaAte; }
    double TempDe() const { return dTempDe; }
    double TempAte() const { return dTempAte; }

private:
    void ActiveReport_ReportStart();
    void Detail_Format();
    void PageHeader_Format();
    void LerFaixa();
    bool TemRegistros() const;
    bool InicioDePagina() const;

    hv::report::Report& report_;  // not owned: the report object holds both
    bool somenteComRegistros_;
    double dMassaDe = 0;
    double dMassaAte = 0;
    double dTempDe = 0;
    double dTempAte = 0;
};

} // namespace ostrelvia::reports
