// HvSelectedCells: the grid's selected cells. Besides each cell the list
// holds one reference on the cell's row, so a row stays alive while any of
// its cells is selected (in the live selection or in a snapshot of it).
#pragma once

#include "HvListCollection.h"
#include "HvSelectionCollection.h"

#include <Tavelle.h>

#include <utility>
#include <vector>

class HvSelectedCells final : public HvSelectionCollection<IHvSelectedCells, HvListCollection> {
public:
    // A new empty collection for layout (not owned), with one reference.
    static HvSelectedCells* Create(SelectionLayoutSeam* layout, bool readOnly);

    // IHvSelectedCells
    STDMETHODIMP get_Item(long index, IHvCell** out) override;
    STDMETHODIMP Add(IHvCell* cell) override;

    // Internal operations of the selection object, bands and strategies.
    HRESULT SelectCell(HvSelectableItem* cell, bool check) { return SelectItem(cell, check); }
    // A read-only copy (snapshot flag set) that the caller owns, or null.
    HvSelectedCells* CreateSnapshot();
    // Same object; against a null selection true when this one is empty;
    // else the same number of cells, each of this one also in other.
    bool IsSameSelection(const HvSelectedCells* other) const;
    static bool IsSameSelection(const HvSelectedCells* a, const HvSelectedCells* b);

    // HvCollectionImpl
    bool SupportsKeys() const override { return false; }
    HRESULT BeforeClear(bool force, LONG silent, bool* notifyEach) override;
    void OnItemAdded(HvKeyedItem* item, LONG index, LONG arg) override;
    void OnItemRemoved(HvKeyedItem* item, bool force, LONG silent, bool fromClear) override;

protected:
    Kind SelectionKind() const override { return CellKind; }
    const IID& ItemInterface() const override { return IID_IHvCell; }

private:
    HvSelectedCells(SelectionLayoutSeam* layout, bool readOnly);
    ~HvSelectedCells() override;

    // {cell, the row referenced for it}: the row named when the cell came
    // in is the one let go when it leaves.
    std::vector<std::pair<HvKeyedItem*, HvKeyedItem*>> rowRefs_;
};
