// Table: the records shared by a recordset, its clones and the rowsets over
// it. Records live in slots that are never reused, so a slot number names one
// record for the table's whole life (it is the rowset's bookmark and row
// handle); the table's order is the list of live slots, always ascending.
#pragma once

#include "CellValue.h"
#include "ColumnStore.h"
#include "Field.h"
#include "NotificationRound.h"
#include "TableObserver.h"
#include "TestSwitches.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace hv::recordset {

class Table {
public:
    static constexpr size_t npos = static_cast<size_t>(-1);

    // Schema (only while the table has no slot).
    HRESULT AppendField(const std::wstring& name, FieldType type, long definedSize, long attributes);
    HRESULT AppendChapter(const std::wstring& name, std::shared_ptr<Table> child,
                          size_t parentKey, size_t childKey);
    size_t FieldCount() const { return fields_.size(); }
    const Field& FieldAt(size_t i) const { return fields_[i]; }
    // Case-insensitive lookup; npos when there is no such field.
    size_t FindField(std::wstring_view name) const;
    // The table of a database the records stand for, as the rowset's
    // extended column attributes name it; empty when none.
    void SetBaseTableName(std::wstring name) { baseTableName_ = std::move(name); }
    const std::wstring& BaseTableName() const { return baseTableName_; }

    // Records.
    size_t Count() const { return order_.size(); }
    uint32_t SlotAt(size_t position) const { return order_[position]; }
    const std::vector<uint32_t>& Order() const { return order_; }
    uint32_t SlotCount() const { return slotCount_; }
    bool IsLive(uint32_t slot) const;
    // Position of a live slot in the order, npos for any other.
    size_t PositionOf(uint32_t slot) const;
    // Position of the first live slot at or after `slot` (Count() when none).
    size_t LowerBound(uint32_t slot) const;
    // Makes storage for at least `records` slots; E_OUTOFMEMORY when it cannot.
    HRESULT Reserve(size_t records);
    // A new slot with every value null, not yet in the order.
    HRESULT NewSlot(uint32_t& slot);
    // Puts a slot into the order (at its place, slots being ascending) or
    // takes it out; the slot's values stay.
    HRESULT Link(uint32_t slot);
    void Unlink(uint32_t slot);

    // Values.
    CellValue GetCell(uint32_t slot, size_t field) const;
    void SetCell(uint32_t slot, size_t field, const CellValue& value);
    const ColumnStore& Column(size_t field) const { return columns_[field]; }
    // Changes whenever records or values change (for caches over the table).
    uint64_t Version() const { return version_; }

    // Observers (not owned; they remove themselves before they go).
    void AddObserver(TableObserver* observer);
    void RemoveObserver(TableObserver* observer);
    // Senders for a notification round, one per kind of change.
    NotificationRound::Sender RecordsSender(DBREASON reason, std::vector<uint32_t> slots);
    NotificationRound::Sender FieldsSender(uint32_t slot, std::vector<size_t> fields);

    // The switches every rowset over this table obeys (shared with the table
    // that replaces it when its recordset is closed).
    TestSwitches& Switches() const { return *switches_; }
    void ShareSwitches(const Table& other) { switches_ = other.switches_; }

private:
    std::shared_ptr<TestSwitches> switches_ = std::make_shared<TestSwitches>();
    std::vector<Field> fields_;
    std::wstring baseTableName_;
    std::vector<ColumnStore> columns_;
    std::vector<uint32_t> order_;
    std::vector<uint32_t> unlinked_; // bit per slot: not in the order
    uint32_t slotCount_ = 0;
    uint64_t version_ = 0;
    std::vector<TableObserver*> observers_;
};

} // namespace hv::recordset
