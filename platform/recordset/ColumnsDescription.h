// ColumnsDescription: the rowset's columns as OLE DB describes them: the
// bookmark column at ordinal 0, then one column per field in append order.
#pragma once

#include <windows.h>
#include <oledb.h>

#include <vector>

namespace hv::recordset {

class Table;

class ColumnsDescription {
public:
    // The stored type of every ordinal (DBTYPE_UI4 for the bookmark).
    static std::vector<DBTYPE> Types(const Table& table);
    static HRESULT GetColumnInfo(const Table& table, bool writable, DBORDINAL* count, DBCOLUMNINFO** info,
                                 OLECHAR** strings);
    static HRESULT MapColumnIDs(const Table& table, DBORDINAL count, const DBID ids[], DBORDINAL ordinals[]);
};

} // namespace hv::recordset
