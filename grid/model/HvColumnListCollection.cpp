// HvColumnListCollection: list membership and look-ups, and the column-list
// stream form.
#include "HvColumnListCollection.h"

#include "DualString.h"
#include "GridBandSeam.h"
#include "GridColumnSeam.h"
#include "HvColumns.h"
#include "HvKeyedItem.h"
#include "HvPersistParticipant.h"
#include "StreamText.h"

namespace {

constexpr BYTE kBoundFlag = 1;
constexpr BYTE kKeyFlag = 2;

#pragma pack(push, 1)
struct ColumnRecord {
    SHORT position;
    LONG dataType;
    BYTE flags;
};
#pragma pack(pop)
static_assert(sizeof(ColumnRecord) == 7, "column-list records are 7 bytes before the key");

bool HasKey(GridColumnSeam* column)
{
    const CDualString* key = column->ColumnItem()->GetKey();
    return key && !key->IsEmpty();
}

// Finds the column a record names: by key first; when that finds none, an
// unbound column by its position after the bound ones, and a bound column
// by its position only when the record has no key.
GridColumnSeam* FindRecordColumn(HvColumns* columns, const ColumnRecord& record, const CDualString* key)
{
    if (!columns)
        return nullptr;
    if (key)
        if (GridColumnSeam* found = columns->FindColumnByKey(key))
            return found;
    if (!(record.flags & kBoundFlag))
        return columns->ColumnAt(static_cast<SHORT>(record.position + columns->EndOfFlaggedColumns()));
    return key ? nullptr : columns->ColumnAt(record.position);
}

} // namespace

LONG HvColumnListCollection::ListCollectionIndexOf(const HvKeyedItem* item) const
{
    LONG position = 0;
    for (const Node* node = First(); node; node = NextOf(node), ++position)
        if (node->item == item)
            return position;
    return -1;
}

HvKeyedItem* HvColumnListCollection::FindListItemByKey(const CDualString* key) const
{
    if (!key)
        return nullptr;
    for (const Node* node = First(); node; node = NextOf(node)) {
        const CDualString* itemKey = node->item ? node->item->GetKey() : nullptr;
        if (itemKey && KeysEqual(itemKey->Text(), key->Text()))
            return node->item;
    }
    return nullptr;
}

bool HvColumnListCollection::ListCollectionHasDuplicateKey(const CDualString* key, const HvKeyedItem* except) const
{
    if (!SupportsKeys() || !key || key->IsEmpty())
        return false;
    for (const Node* node = First(); node; node = NextOf(node)) {
        if (!node->item || node->item == except)
            continue;
        const CDualString* itemKey = node->item->GetKey();
        if (itemKey && KeysEqual(itemKey->Text(), key->Text()))
            return true;
    }
    return false;
}

GridColumnSeam* HvColumnListCollection::ColumnOf(const Node* node)
{
    return node ? dynamic_cast<GridColumnSeam*>(node->item) : nullptr;
}

GridColumnSeam* HvColumnListCollection::ColumnAtPosition(LONG position) const
{
    return dynamic_cast<GridColumnSeam*>(ItemAtPosition(position));
}

bool HvColumnListCollection::ContainsColumn(GridColumnSeam* column) const
{
    return column && ListCollectionIndexOf(column->ColumnItem()) >= 0;
}

HRESULT HvColumnListCollection::SaveColumnList(IStream* stream, GridBandSeam* band)
{
    if (!stream)
        return E_INVALIDARG;
    const LONG count = ItemCount();
    HRESULT hr = HvPersistParticipant::WriteBytes(stream, &count, sizeof count);
    const LONG boundCount = band && band->Columns() ? band->Columns()->EndOfFlaggedColumns() : 0;
    for (const Node* node = First(); node && SUCCEEDED(hr); node = NextOf(node)) {
        GridColumnSeam* column = ColumnOf(node);
        if (!column)
            return E_UNEXPECTED;
        ColumnRecord record{};
        LONG position = column->GetCollectionIndex();
        if (!column->IsBound())
            position -= boundCount;
        record.position = static_cast<SHORT>(position);
        record.dataType = column->DataType();
        const bool keyed = HasKey(column);
        record.flags = static_cast<BYTE>((column->IsBound() ? kBoundFlag : 0) | (keyed ? kKeyFlag : 0));
        hr = HvPersistParticipant::WriteBytes(stream, &record, sizeof record);
        if (SUCCEEDED(hr) && keyed)
            hr = WriteStringToStream(stream, *column->ColumnItem()->GetKey());
    }
    return hr;
}

HRESULT HvColumnListCollection::ReadColumnList(IStream* stream, GridBandSeam* band, GridGroupSeam* group)
{
    if (!stream)
        return E_INVALIDARG;
    HRESULT hr = ClearListCollection(true, 0);
    if (FAILED(hr))
        return hr;
    LONG count = 0;
    if (FAILED(HvPersistParticipant::ReadBytes(stream, &count, sizeof count)))
        count = 0;
    HvColumns* columns = band ? band->Columns() : nullptr;
    SHORT level = 0;
    for (LONG i = 0; i < count; ++i) {
        ColumnRecord record{};
        hr = HvPersistParticipant::ReadBytes(stream, &record, sizeof record);
        if (FAILED(hr))
            return hr;
        CDualString key;
        if (record.flags & kKeyFlag) {
            hr = ReadStringFromStream(stream, key);
            if (FAILED(hr))
                return hr;
        }
        const bool keyed = (record.flags & kKeyFlag) != 0;
        GridColumnSeam* column = FindRecordColumn(columns, record, keyed ? &key : nullptr);
        // A column that no longer exists, or one listed twice by a damaged
        // stream, is skipped.
        if (!column || ContainsColumn(column))
            continue;
        hr = InsertListCollectionItem(-1, column->ColumnItem(), true, 0);
        if (FAILED(hr))
            return hr;
        if (group) {
            column->SetGroup(group, level);
            level = column->Level();
        }
    }
    return S_OK;
}
