// RowsetProperties: answers IRowsetInfo::GetProperties from the values a
// rowset reports, with the property sets and statuses of the OLE DB rules.
#pragma once

#include <windows.h>
#include <oledb.h>

#include <vector>

namespace hv::recordset {

class RowsetProperties {
public:
    struct Value {
        DBPROPID id;
        VARTYPE vt;   // VT_BOOL or VT_I4
        LONG value;   // for VT_BOOL: nonzero is true
    };

    static HRESULT Answer(const std::vector<Value>& values, ULONG setCount, const DBPROPIDSET sets[],
                          ULONG* outCount, DBPROPSET** outSets);
};

} // namespace hv::recordset
