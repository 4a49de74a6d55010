// Deferred changes of a rowset.
#include "PendingChanges.h"

namespace hv::recordset {

DBPENDINGSTATUS PendingChanges::StatusOf(uint32_t slot) const
{
    auto it = rows_.find(slot);
    return it == rows_.end() ? static_cast<DBPENDINGSTATUS>(DBPENDINGSTATUS_UNCHANGED) : it->second.status;
}

void PendingChanges::MarkNew(uint32_t slot)
{
    rows_[slot].status = DBPENDINGSTATUS_NEW;
}

void PendingChanges::MarkChanged(uint32_t slot, std::vector<CellValue> originals)
{
    Row& r = rows_[slot];
    if (r.status == DBPENDINGSTATUS_NEW || r.status == DBPENDINGSTATUS_CHANGED)
        return;
    r.status = DBPENDINGSTATUS_CHANGED;
    r.originals = std::move(originals);
}

void PendingChanges::MarkDeleted(uint32_t slot, std::vector<CellValue> originals)
{
    Row& r = rows_[slot];
    if (r.status != DBPENDINGSTATUS_CHANGED)
        r.originals = std::move(originals);
    r.status = DBPENDINGSTATUS_DELETED;
}

const std::vector<CellValue>* PendingChanges::Originals(uint32_t slot) const
{
    auto it = rows_.find(slot);
    if (it == rows_.end() || it->second.status == DBPENDINGSTATUS_NEW)
        return nullptr;
    return &it->second.originals;
}

std::vector<uint32_t> PendingChanges::Rows(DBPENDINGSTATUS mask) const
{
    std::vector<uint32_t> out;
    for (const auto& [slot, row] : rows_)
        if (row.status & mask)
            out.push_back(slot);
    return out;
}

} // namespace hv::recordset
