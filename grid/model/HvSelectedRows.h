// HvSelectedRows: the grid's selected rows.
#pragma once

#include "HvListCollection.h"
#include "HvSelectionCollection.h"

#include <Tavelle.h>

class HvSelectedRows final : public HvSelectionCollection<IHvSelectedRows, HvListCollection> {
public:
    // A new empty collection for layout (not owned), with one reference.
    static HvSelectedRows* Create(SelectionLayoutSeam* layout, bool readOnly);

    // IHvSelectedRows
    STDMETHODIMP get_Item(long index, IHvRow** out) override;
    STDMETHODIMP Add(IHvRow* row) override;

    // Internal operations of the selection object, bands and strategies.
    HRESULT SelectRow(HvSelectableItem* row, bool check) { return SelectItem(row, check); }
    HRESULT DeselectRow(HvSelectableItem* row) { return DeselectItem(row); }
    // A read-only copy (snapshot flag set) that the caller owns, or null.
    HvSelectedRows* CreateSnapshot();

    // HvCollectionImpl
    bool SupportsKeys() const override { return false; }

protected:
    Kind SelectionKind() const override { return RowKind; }
    const IID& ItemInterface() const override { return IID_IHvRow; }

private:
    HvSelectedRows(SelectionLayoutSeam* layout, bool readOnly);
    ~HvSelectedRows() override = default;
};
