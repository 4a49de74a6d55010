// RowHandleTable: the reference counts of a rowset's row handles. A handle
// is the record's slot + 1; it is valid while the consumer holds a
// reference or while the rowset holds it for the length of a notification.
#pragma once

#include <windows.h>
#include <oledb.h>

#include <cstdint>
#include <unordered_map>

namespace hv::recordset {

class RowHandleTable {
public:
    static HROW HandleOf(uint32_t slot) { return static_cast<HROW>(slot) + 1; }
    static uint32_t SlotOf(HROW row) { return static_cast<uint32_t>(row - 1); }

    bool IsValid(HROW row) const;
    // A reference for a fetched row; true when the row had none before.
    bool Fetched(uint32_t slot);
    // A further consumer reference on a valid handle; false when invalid.
    bool AddRef(HROW row, DBREFCOUNT& count);
    // Drops one consumer reference; false when the consumer held none.
    // `released` tells that the consumer's last reference went.
    bool Release(HROW row, DBREFCOUNT& count, bool& released);
    // The rowset's own hold during a notification.
    void Hold(uint32_t slot);
    void Unhold(uint32_t slot);
    // Handles the consumer holds at least one reference on.
    size_t HeldRows() const { return heldRows_; }
    long Outstanding() const { return outstanding_; }
    bool IsHeld(uint32_t slot) const;

private:
    struct Entry {
        DBREFCOUNT refs = 0;
        DBREFCOUNT holds = 0;
    };
    void Drop(std::unordered_map<uint32_t, Entry>::iterator it);
    std::unordered_map<uint32_t, Entry> entries_;
    size_t heldRows_ = 0;
    long outstanding_ = 0;
};

} // namespace hv::recordset
