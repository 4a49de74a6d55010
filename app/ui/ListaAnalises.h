// The analysis list: the in-memory recordset of the day's analyses and the
// set-up of a grid that shows it (its data source, the columns' headings and
// widths, the data filter and three header lines), all through the grid's
// automation interface, so any host's grid can be set up alike.
#pragma once

#include <memory>

#include <Tavelle.h>

#include "ObjetoAutomacao.h"
#include "Recordset.h"

// A new, open, empty list with the eight analysis fields, all nullable.
// Throws ErroAutomacao when the recordset refuses.
std::unique_ptr<hv::recordset::Recordset> fCriaListaAnalises();

// Binds the grid to the list and sets up its first band's columns and the
// data filter. Throws ErroAutomacao when the grid refuses.
void sConfiguraGrade(const ObjetoAutomacao& grid, hv::recordset::Recordset& lista, IHvTVDataFilter* filtro);

// Makes the grid show the list as it now stands (binds it again).
void sReligaGrade(const ObjetoAutomacao& grid, hv::recordset::Recordset& lista);

// Throws ErroAutomacao for a failed recordset operation.
void fVerificaLista(HRESULT hr);
