// TableObserver: what a rowset over a table hears of every change, in the
// phases of the OLE DB notification protocol. A deniable phase is vetoed by
// answering S_FALSE.
#pragma once

#include <windows.h>
#include <oledb.h>

#include <cstddef>
#include <cstdint>

namespace hv::recordset {

class TableObserver {
public:
    virtual HRESULT OnRecordsChange(DBREASON reason, DBEVENTPHASE phase, bool cantDeny,
                                    const uint32_t* slots, size_t count) = 0;
    virtual HRESULT OnFieldsChange(uint32_t slot, const size_t* fields, size_t count,
                                   DBEVENTPHASE phase, bool cantDeny) = 0;

protected:
    ~TableObserver() = default;
};

} // namespace hv::recordset
