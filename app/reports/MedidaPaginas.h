// What a measuring report records: the number of detail rows printed before
// page 2 and before page 3. The measuring recordset numbers its rows 1, 2,
// ... in the measured field, so the bound value of the first detail printed
// on a page, minus 1, is the number of rows before that page.
#pragma once

#include <string>

#include "Report.h"

namespace ostrelvia::reports {

class MedidaPaginas {
public:
    // Binds Detail_BeforePrint; `campo` is the field control that shows the
    // row number (FldMassa1 or FldFator1).
    MedidaPaginas(hv::report::Report& report, std::wstring campo);
    MedidaPaginas(const MedidaPaginas&) = delete;
    MedidaPaginas& operator=(const MedidaPaginas&) = delete;

    short iLinhasAntesPag2 = 0;
    short iLinhasAntesPag3 = 0;

private:
    void Detail_BeforePrint();
    short LinhasAntes();

    hv::report::Report& report_;  // not owned: the report object holds both
    std::wstring campo_;
};

} // namespace ostrelvia::reports
