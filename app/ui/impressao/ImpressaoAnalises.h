// Printing the day's analyses (the button "Imprimir" of the analysis frame):
// a clone of the list goes to the program's one analyses report, with the
// company's short name and the sampling date in its page header, and the
// report's preview opens. The list itself never moves.
#pragma once

#include <string>

#include <windows.h>
#include <oleauto.h>

namespace hv::forms {
class Form;
}
namespace hv::recordset {
class Recordset;
}
namespace ostrelvia::reports {
class RptImprimirAnalise;
}

// form: the form whose pointer shows the hourglass meanwhile; data: the
// sampling date (a date, or null); empresaAbv: the short company name.
// Says so and prints nothing when the list is empty; when the report cannot
// be made, says that instead.
void sImprimirAnalises(hv::forms::Form& form, const hv::recordset::Recordset& RstAnalise, const VARIANT& data,
                       const std::wstring& empresaAbv);

// The program's analyses report, made on first use and kept for the run.
ostrelvia::reports::RptImprimirAnalise& RptImprimirAnaliseDoPrograma();
