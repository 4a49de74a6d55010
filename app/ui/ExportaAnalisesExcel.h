// ExportaAnalisesExcel: the day's analyses copied into a new workbook of
// the spreadsheet application, one row each under three-line headings, the
// sheet formatted and the application handed to the user visible (the
// workbook stays open and unsaved; the application is not told to quit).
// The export reads a clone of the recordset, so its position and the
// grid's current row stay as they are.
#pragma once

#include <Recordset.h>

#include <oaidl.h>

namespace hv::forms {
class Form;
}

namespace ostrelvia {

// The work of CmdExpExcel_Click: `rstAnalise` the analysis list, `data` the
// value of the date field (written into column A of every row), `form` the
// form whose mouse pointer shows the hourglass meanwhile. Refusals (no
// spreadsheet application, an empty list) and a failure midway are told in
// a message box.
void sExportaAnalisesExcel(const hv::recordset::Recordset& rstAnalise, const VARIANT& data, hv::forms::Form& form);

} // namespace ostrelvia
