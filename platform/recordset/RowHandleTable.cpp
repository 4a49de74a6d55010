// Row handle reference counts.
#include "RowHandleTable.h"

namespace hv::recordset {

bool RowHandleTable::IsValid(HROW row) const
{
    return row != DB_NULL_HROW && entries_.count(SlotOf(row)) != 0;
}

bool RowHandleTable::IsHeld(uint32_t slot) const
{
    auto it = entries_.find(slot);
    return it != entries_.end() && it->second.refs > 0;
}

bool RowHandleTable::Fetched(uint32_t slot)
{
    Entry& e = entries_[slot];
    ++outstanding_;
    if (e.refs++ == 0) {
        ++heldRows_;
        return true;
    }
    return false;
}

bool RowHandleTable::AddRef(HROW row, DBREFCOUNT& count)
{
    if (row == DB_NULL_HROW)
        return false;
    auto it = entries_.find(SlotOf(row));
    if (it == entries_.end())
        return false;
    if (it->second.refs++ == 0)
        ++heldRows_;
    ++outstanding_;
    count = it->second.refs;
    return true;
}

bool RowHandleTable::Release(HROW row, DBREFCOUNT& count, bool& released)
{
    released = false;
    if (row == DB_NULL_HROW)
        return false;
    auto it = entries_.find(SlotOf(row));
    if (it == entries_.end() || it->second.refs == 0)
        return false;
    count = --it->second.refs;
    --outstanding_;
    if (count == 0) {
        --heldRows_;
        released = true;
        Drop(it);
    }
    return true;
}

void RowHandleTable::Hold(uint32_t slot)
{
    ++entries_[slot].holds;
}

void RowHandleTable::Unhold(uint32_t slot)
{
    auto it = entries_.find(slot);
    if (it == entries_.end() || it->second.holds == 0)
        return;
    --it->second.holds;
    Drop(it);
}

void RowHandleTable::Drop(std::unordered_map<uint32_t, Entry>::iterator it)
{
    if (it->second.refs == 0 && it->second.holds == 0)
        entries_.erase(it);
}

} // namespace hv::recordset
