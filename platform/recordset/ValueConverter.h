// ValueConverter: the provider's own conversions between the stored types
// (double, wide text, day, the 4-byte bookmark, the chapter handle) and the types
// a consumer binds, written into and read from the consumer's buffer with
// the value, length and status parts of its binding.
#pragma once

#include "CellValue.h"
#include "Field.h"

#include <windows.h>
#include <oledb.h>

namespace hv::recordset {

class ValueConverter {
public:
    // Column types this provider stores: DBTYPE_R8, DBTYPE_WSTR, DBTYPE_DBDATE,
    // DBTYPE_UI4 (bookmarks) and DBTYPE_HCHAPTER.
    static bool CanConvert(DBTYPE columnType, DBTYPE target);
    // Writes one value into the buffer and answers its status. Bookmark and
    // chapter columns pass their number in `handle` and ignore `cell`.
    static DBSTATUS Get(DBTYPE columnType, const CellValue& cell, ULONG handle,
                        const DBBINDING& binding, BYTE* data);
    // Reads one value for a field; `ignore` is set for DBSTATUS_S_IGNORE.
    static DBSTATUS Set(const Field& field, const DBBINDING& binding, const BYTE* data,
                        CellValue& out, bool& ignore);
};

} // namespace hv::recordset
