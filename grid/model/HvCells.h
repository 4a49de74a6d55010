// HvCells: the cells of one row, one slot per column of the row's band
// (slot p belongs to the column at position p). A slot stays empty until
// its cell is first asked for; the slot holds the cell's only reference.
#pragma once

#include "HvCollectionObject.h"
#include "HvVectorCollection.h"

#include <Tavelle.h>

class CDualString;
class CellRowSeam;
class GridBandSeam;
class GridColumnSeam;
class HvColumns;

class HvCells final : public HvCollectionObject<IHvCells, HvVectorCollection> {
public:
    // The row's Cell property.
    static constexpr DISPID OwnerPropertyId = 1276;

    // A new collection with one reference for row's cells; row is not owned.
    static HRESULT Create(CellRowSeam* row, HvCells** out);

    // IHvCells
    STDMETHODIMP get__NewEnum(IUnknown** out) override;
    STDMETHODIMP get_Item(VARIANT index, IHvCell** out) override;

    // The cell at a column position, made on first use. The pointer is
    // borrowed: the slot keeps the reference.
    HRESULT GetCellAt(LONG position, HvKeyedItem** out);
    HRESULT GetCellByColumnId(GridColumnSeam* column, HvKeyedItem** out);
    HRESULT GetCellByColumnKey(const CDualString* key, HvKeyedItem** out);
    // Appends empty slots up to the band's column count.
    void EnsureSlots();
    // Follows a change of the band's column set.
    void SyncWithColumns();

    CellRowSeam* Row() const { return row_; }

    // HvCollectionImpl
    bool SupportsKeys() const override { return true; }

private:
    explicit HvCells(CellRowSeam* row);
    // The cells the collection lets go end with it.
    ~HvCells() override;

    GridBandSeam* Band() const;
    LONG BandColumnCount() const;
    // Each cell in the slot of its own column.
    bool SlotsMatchColumns(HvColumns& columns) const;
    // Fills an empty slot with a new cell for column.
    HRESULT FillSlot(LONG position, GridColumnSeam* column, HvKeyedItem** out);

    CellRowSeam* row_;  // not owned
};
