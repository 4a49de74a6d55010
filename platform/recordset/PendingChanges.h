// PendingChanges: the rows of a rowset in deferred update mode that carry
// changes not yet transmitted, with the values they had before.
#pragma once

#include "CellValue.h"

#include <windows.h>
#include <oledb.h>

#include <cstdint>
#include <map>
#include <vector>

namespace hv::recordset {

class PendingChanges {
public:
    DBPENDINGSTATUS StatusOf(uint32_t slot) const;
    bool IsPending(uint32_t slot) const { return rows_.count(slot) != 0; }
    void MarkNew(uint32_t slot);
    void MarkChanged(uint32_t slot, std::vector<CellValue> originals);
    // A deleted row keeps the originals of an earlier change.
    void MarkDeleted(uint32_t slot, std::vector<CellValue> originals);
    // The values before the first change, or null for an unchanged or new row.
    const std::vector<CellValue>* Originals(uint32_t slot) const;
    void Forget(uint32_t slot) { rows_.erase(slot); }
    // Pending rows whose status is in the mask, in row order.
    std::vector<uint32_t> Rows(DBPENDINGSTATUS mask) const;
    size_t Count() const { return rows_.size(); }

private:
    struct Row {
        DBPENDINGSTATUS status = DBPENDINGSTATUS_UNCHANGED;
        std::vector<CellValue> originals;
    };
    std::map<uint32_t, Row> rows_;
};

} // namespace hv::recordset
