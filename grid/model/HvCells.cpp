// HvCells: cells made on first use, look-ups by position, column and key,
// and the slots kept in line with the band's columns.
#include "HvCells.h"

#include <climits>

#include "CellRowSeam.h"
#include "DualString.h"
#include "GridBandSeam.h"
#include "GridColumnSeam.h"
#include "HvColumns.h"
#include "HvKeyedItem.h"

#include <algorithm>
#include <vector>

HvCells::HvCells(CellRowSeam* row)
    : HvCollectionObject(ObjectType::Cells, OwnerPropertyId, ObjectType::Cells, true), row_(row)
{
}

HvCells::~HvCells()
{
    // A cell a client still holds has no row to answer for any more.
    DeactivateAllItems();
}

HRESULT HvCells::Create(CellRowSeam* row, HvCells** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvCells(row);
        return S_OK;
    });
}

GridBandSeam* HvCells::Band() const
{
    return row_ ? row_->Band() : nullptr;
}

LONG HvCells::BandColumnCount() const
{
    GridBandSeam* band = Band();
    HvColumns* columns = band ? band->Columns() : nullptr;
    return columns ? columns->ItemCount() : 0;
}

HRESULT HvCells::FillSlot(LONG position, GridColumnSeam* column, HvKeyedItem** out)
{
    HvKeyedItem* cell = nullptr;
    if (!row_ || FAILED(row_->CreateCell(column, this, &cell)) || !cell)
        return E_OUTOFMEMORY;
    MutableItems()[static_cast<size_t>(position)] = cell;
    *out = cell;
    return S_OK;
}

HRESULT HvCells::GetCellAt(LONG position, HvKeyedItem** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (position < 0 || position >= ItemCount())
        return RaiseError(CollectionError::BadIndex, CollectionError::BadIndexString);
    if (HvKeyedItem* cell = ItemAtPosition(position)) {
        *out = cell;
        return S_OK;
    }
    if (!IsActive())
        return NotActiveError();
    GridBandSeam* band = Band();
    HvColumns* columns = band ? band->Columns() : nullptr;
    GridColumnSeam* column = columns ? columns->ColumnAt(position) : nullptr;
    if (!column)
        return E_FAIL;
    return FillSlot(position, column, out);
}

HRESULT HvCells::GetCellByColumnId(GridColumnSeam* column, HvKeyedItem** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    GridBandSeam* band = Band();
    HvColumns* columns = band ? band->Columns() : nullptr;
    const LONG position = columns ? columns->ColumnPosition(column) : -1;
    if (position < 0)
        return E_FAIL;
    return GetCellAt(position, out);
}

HRESULT HvCells::GetCellByColumnKey(const CDualString* key, HvKeyedItem** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    GridBandSeam* band = Band();
    HvColumns* columns = band ? band->Columns() : nullptr;
    GridColumnSeam* column = columns ? columns->FindColumnByKey(key) : nullptr;
    if (!column)
        return E_FAIL;
    return GetCellByColumnId(column, out);
}

void HvCells::EnsureSlots()
{
    const LONG wanted = BandColumnCount();
    if (ItemCount() < wanted)
        MutableItems().resize(static_cast<size_t>(wanted), nullptr);
}

bool HvCells::SlotsMatchColumns(HvColumns& columns) const
{
    // A column removed and another added keep the count: the slots are
    // right only when each cell belongs to the column at its place.
    const std::vector<HvKeyedItem*>& slots = Items();
    for (size_t position = 0; position < slots.size(); ++position)
        if (slots[position] && (!row_ || row_->ColumnOfCell(slots[position]) !=
                                             columns.ColumnAt(static_cast<LONG>(position))))
            return false;
    return true;
}

void HvCells::SyncWithColumns()
{
    GridBandSeam* band = Band();
    HvColumns* columns = band ? band->Columns() : nullptr;
    const LONG n = columns ? columns->ItemCount() : 0;
    const LONG m = ItemCount();
    if (m == 0 || (m == n && SlotsMatchColumns(*columns)))
        return;
    if (n == 0) {
        // The cells of the columns that are gone end with them.
        DeactivateAllItems();
        ClearCollection(true, 0);
        return;
    }
    // Cells of columns that are gone are ended and removed; the others
    // move to their columns' new positions, so that no slot is left
    // holding the cell of another column.
    for (HvKeyedItem* cell : std::vector<HvKeyedItem*>(Items())) {
        if (!cell)
            continue;
        GridColumnSeam* column = row_ ? row_->ColumnOfCell(cell) : nullptr;
        if (!column || columns->ColumnPosition(column) < 0) {
            CAutomationObject::Deactivate(cell->GetItemObject());
            RemoveVectorCollectionItem(cell);
        }
    }
    std::vector<HvKeyedItem*> slots(static_cast<size_t>(n), nullptr);
    for (HvKeyedItem* cell : Items()) {
        if (!cell)
            continue;
        const LONG position = columns->ColumnPosition(row_->ColumnOfCell(cell));
        if (position < n && !slots[static_cast<size_t>(position)]) {
            slots[static_cast<size_t>(position)] = cell;
        } else {
            // A second cell for one column: only the first is kept.
            CAutomationObject::Deactivate(cell->GetItemObject());
            cell->ReleaseItem();
        }
    }
    MutableItems().swap(slots);
}

// --- dispatch ---------------------------------------------------------------

STDMETHODIMP HvCells::get_Item(VARIANT index, IHvCell** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        // A column added since the cells were made has a cell too.
        SyncWithColumns();
        GridBandSeam* band = Band();
        HvColumns* columns = band ? band->Columns() : nullptr;
        LONG position = -1;
        const VARTYPE type = V_VT(&index);
        if (type == VT_BSTR || type == (VT_BSTR | VT_BYREF)) {
            BSTR text = type == VT_BSTR ? V_BSTR(&index) : (V_BSTRREF(&index) ? *V_BSTRREF(&index) : nullptr);
            CDualString key(text ? text : L"");
            GridColumnSeam* column = columns ? columns->FindColumnByKey(&key) : nullptr;
            position = column ? columns->ColumnPosition(column) : -1;
        } else {
            // A position that does not fit in 16 bits names no column; it is
            // not cut down to one that does.
            LONG number = -1;
            if (ToIndex(index, &number) && number >= 0 && number <= SHRT_MAX)
                position = number;
        }
        GridColumnSeam* column = columns && position >= 0 ? columns->ColumnAt(position) : nullptr;
        if (position < 0 || position >= ItemCount() || !column)
            return RaiseError(CollectionError::BadIndex, CollectionError::BadIndexString);
        HvKeyedItem* cell = ItemAtPosition(position);
        if (!cell) {
            if (!IsActive())
                return NotActiveError();
            HRESULT hr = FillSlot(position, column, &cell);
            if (FAILED(hr))
                return hr;
        }
        return cell->QueryItemInterface(reinterpret_cast<IDispatch**>(out));
    });
}

STDMETHODIMP HvCells::get__NewEnum(IUnknown** out)
{
    return Guard([&]() -> HRESULT {
        GridBandSeam* band = Band();
        HvColumns* columns = band ? band->Columns() : nullptr;
        const LONG count = std::min(BandColumnCount(), ItemCount());
        for (LONG position = 0; position < count; ++position) {
            if (ItemAtPosition(position))
                continue;
            GridColumnSeam* column = columns ? columns->ColumnAt(position) : nullptr;
            if (!column)
                return E_UNEXPECTED;
            HvKeyedItem* cell = nullptr;
            HRESULT hr = FillSlot(position, column, &cell);
            if (FAILED(hr))
                return hr;
        }
        return NewEnum(out);
    });
}
