// Shared record storage.
#include "Table.h"

#include "RecordsetErrors.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace hv::recordset {

HRESULT Table::AppendField(const std::wstring& name, FieldType type, long definedSize, long attributes)
{
    if (slotCount_ != 0 || name.empty() || FindField(name) != npos || definedSize < 0)
        return kIllegalOperation;
    if (!HoldsNumber(type) && type != FieldType::WideString)
        return kIllegalOperation;
    try {
        fields_.emplace_back(name, type, definedSize, attributes);
        columns_.emplace_back(type);
    } catch (const std::bad_alloc&) {
        if (fields_.size() > columns_.size())
            fields_.pop_back();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT Table::AppendChapter(const std::wstring& name, std::shared_ptr<Table> child,
                             size_t parentKey, size_t childKey)
{
    if (slotCount_ != 0 || name.empty() || FindField(name) != npos || !child
        || parentKey >= fields_.size() || childKey >= child->FieldCount()
        || fields_[parentKey].Type() != child->FieldAt(childKey).Type()
        || fields_[parentKey].Type() == FieldType::Chapter)
        return kIllegalOperation;
    try {
        Field field(name, FieldType::Chapter, 0, 0);
        field.SetChapter(std::move(child), parentKey, childKey);
        fields_.push_back(std::move(field));
        columns_.emplace_back(FieldType::Chapter);
    } catch (const std::bad_alloc&) {
        if (fields_.size() > columns_.size())
            fields_.pop_back();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

size_t Table::FindField(std::wstring_view name) const
{
    for (size_t i = 0; i < fields_.size(); ++i) {
        const std::wstring& n = fields_[i].Name();
        if (CompareStringOrdinal(n.data(), static_cast<int>(n.size()), name.data(),
                                 static_cast<int>(name.size()), TRUE) == CSTR_EQUAL)
            return i;
    }
    return npos;
}

bool Table::IsLive(uint32_t slot) const
{
    return slot < slotCount_ && (unlinked_[slot >> 5] & (1u << (slot & 31))) == 0;
}

size_t Table::LowerBound(uint32_t slot) const
{
    return static_cast<size_t>(std::lower_bound(order_.begin(), order_.end(), slot) - order_.begin());
}

size_t Table::PositionOf(uint32_t slot) const
{
    if (!IsLive(slot))
        return npos;
    auto it = std::lower_bound(order_.begin(), order_.end(), slot);
    return static_cast<size_t>(it - order_.begin());
}

HRESULT Table::Reserve(size_t records)
{
    // Refuse at once what could never fit a 32-bit address space, rather
    // than filling memory before failing.
    double bytesPerRecord = 4.25;
    for (const auto& f : fields_)
        bytesPerRecord += HoldsNumber(f.Type()) ? 8.125 : f.Type() == FieldType::WideString ? 24.125 : 0;
    if (records > 0xFFFFFFF0u || static_cast<double>(records) * bytesPerRecord > 3.0e9)
        return E_OUTOFMEMORY;
    try {
        const uint32_t n = static_cast<uint32_t>(records);
        order_.reserve(records);
        unlinked_.reserve((records + 31) / 32);
        for (auto& column : columns_)
            column.Grow(n);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::length_error&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT Table::NewSlot(uint32_t& slot)
{
    if (slotCount_ >= 0xFFFFFFF0u)
        return E_OUTOFMEMORY;
    try {
        const uint32_t s = slotCount_;
        for (auto& column : columns_)
            column.Grow(s + 1);
        if ((s >> 5) >= unlinked_.size())
            unlinked_.push_back(0);
        if (order_.size() == order_.capacity())
            order_.reserve(order_.size() + order_.size() / 2 + 16);
        unlinked_[s >> 5] |= 1u << (s & 31);
        for (auto& column : columns_)
            column.SetNull(s);
        slotCount_ = s + 1;
        slot = s;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::length_error&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT Table::Link(uint32_t slot)
{
    if (slot >= slotCount_ || IsLive(slot))
        return E_UNEXPECTED;
    try {
        auto it = std::lower_bound(order_.begin(), order_.end(), slot);
        order_.insert(it, slot);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    unlinked_[slot >> 5] &= ~(1u << (slot & 31));
    ++version_;
    return S_OK;
}

void Table::Unlink(uint32_t slot)
{
    const size_t pos = PositionOf(slot);
    if (pos == npos)
        return;
    order_.erase(order_.begin() + static_cast<ptrdiff_t>(pos));
    unlinked_[slot >> 5] |= 1u << (slot & 31);
    ++version_;
}

CellValue Table::GetCell(uint32_t slot, size_t field) const
{
    CellValue v;
    const ColumnStore& c = columns_[field];
    if (fields_[field].Type() == FieldType::Chapter || c.IsNull(slot))
        return v;
    v.isNull = false;
    if (HoldsNumber(c.Type()))
        v.number = c.GetDouble(slot);
    else
        v.text = c.GetText(slot);
    return v;
}

void Table::SetCell(uint32_t slot, size_t field, const CellValue& value)
{
    ColumnStore& c = columns_[field];
    if (value.isNull)
        c.SetNull(slot);
    else if (HoldsNumber(c.Type()))
        c.SetDouble(slot, value.number);
    else if (c.Type() == FieldType::WideString)
        c.SetText(slot, value.text);
    ++version_;
}

void Table::AddObserver(TableObserver* observer)
{
    observers_.push_back(observer);
}

void Table::RemoveObserver(TableObserver* observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

NotificationRound::Sender Table::RecordsSender(DBREASON reason, std::vector<uint32_t> slots)
{
    return [this, reason, slots = std::move(slots)](DBEVENTPHASE phase, bool cantDeny) {
        HRESULT answer = S_OK;
        // A copy: an observer may come or go while it is being told.
        const std::vector<TableObserver*> observers = observers_;
        for (TableObserver* o : observers) {
            if (std::find(observers_.begin(), observers_.end(), o) == observers_.end())
                continue;
            if (o->OnRecordsChange(reason, phase, cantDeny, slots.data(), slots.size()) == S_FALSE && !cantDeny)
                answer = S_FALSE;
            if (answer == S_FALSE)
                break;
        }
        return answer;
    };
}

NotificationRound::Sender Table::FieldsSender(uint32_t slot, std::vector<size_t> fields)
{
    return [this, slot, fields = std::move(fields)](DBEVENTPHASE phase, bool cantDeny) {
        HRESULT answer = S_OK;
        const std::vector<TableObserver*> observers = observers_;
        for (TableObserver* o : observers) {
            if (std::find(observers_.begin(), observers_.end(), o) == observers_.end())
                continue;
            if (o->OnFieldsChange(slot, fields.data(), fields.size(), phase, cantDeny) == S_FALSE && !cantDeny)
                answer = S_FALSE;
            if (answer == S_FALSE)
                break;
        }
        return answer;
    };
}

} // namespace hv::recordset
