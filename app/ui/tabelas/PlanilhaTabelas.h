// PlanilhaTabelas: the formats of the tables' sheets in the spreadsheet
// application: the frame of a sheet, the heading blocks over ten temperature
// columns, the temperature row, and each record's row header and value cells,
// striped in two colours. Each selects its range on the active sheet and sets
// the formats on the application's selection. A span of cells takes the same
// formats as each of its cells would.
#pragma once

#include <LateObject.h>

#include <string>

namespace planilha {

using hv::automation::LateObject;

// The cell's A1 address (column 1 is A).
std::wstring Endereco(long linha, long coluna);

// Font of the whole sheet, the merged corner A1:A3, the row header's title in
// A4:A5, the row heights of rows 1 to 5 and the width of column A.
void sPreparaPlan(const LateObject& oExcel, short iTab);
// The heading block over columns iCol .. iCol + 9, rows 1 to 4.
void sExcelCabec(const LateObject& oExcel, long iCol, short iTab);
// The temperature cells of row iLin, columns iCol .. iColFim.
void sPintaTemp(const LateObject& oExcel, long iLin, long iCol, long iColFim);
// The row header (column A) of the record at row iLin.
void sPintaMassa(const LateObject& oExcel, long iLin, short iCor, short iTab);
// The value cells of the record at row iLin, columns iCol .. iColFim.
void sPintaMassaTeor(const LateObject& oExcel, long iLin, long iCol, long iColFim, short iCor, short iTab);

} // namespace planilha
