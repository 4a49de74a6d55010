// Identifiers of OLE DB and simple data binding that the import libraries
// of this tool chain do not define.
#pragma once

#include <windows.h>
#include <oledb.h>
#include <msdatsrc.h>

namespace hv::recordset {

extern const GUID kPropsetRowset;          // DBPROPSET_ROWSET
extern const GUID kSpecialColumn;          // DBCOL_SPECIALCOL (bookmark column id)
extern const GUID kColumnAttributes;       // DBCIDGUID (the columns rowset's column ids)
extern const IID kIidDataSource;           // DataSource
extern const IID kIidDataSourceListener;   // DataSourceListener

} // namespace hv::recordset
