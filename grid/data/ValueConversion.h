// ValueConversion: between a column's one-column buffer and the VARIANT that
// clients see, and the VARTYPE a column's values take.
#pragma once

#include <windows.h>
#include <oledb.h>

class ColumnInfo;
class ConversionService;

// The VARTYPE of the values of a column of that (effective) type; VT_EMPTY
// for columns whose values are not shown.
VARTYPE ClientTypeOf(DBTYPE type);

// After a successful GetData into the zeroed buffer.
HRESULT BufferToVariant(const ColumnInfo& column, const BYTE* buffer, ConversionService* service, VARIANT* value);

// Fills a zeroed buffer of the column's buffer size. `keep` receives what
// the buffer points into (a BSTR handed to the provider) and must be
// cleared by the caller after the provider call.
HRESULT VariantToBuffer(const ColumnInfo& column, const VARIANT& value, ConversionService* service, BYTE* buffer,
                        VARIANT* keep);
