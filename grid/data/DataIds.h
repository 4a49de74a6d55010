// Identifiers of OLE DB, its conversion service and simple data binding that
// the import libraries of the tool chain do not define.
#pragma once

#include <windows.h>
#include <oledb.h>

extern const GUID kDbPropsetRowset;          // DBPROPSET_ROWSET
extern const GUID kDbColumnGuid;             // the GUID of the extended column attributes
extern const IID kIidDataSource;             // simple data source (getDataMember)
extern const CLSID kClsidConversionLibrary;  // CLSID_OLEDB_CONVERSIONLIBRARY
extern const IID kIidDataConvert;            // IDataConvert
