// HvSelectedCols: the grid's selected columns, found also by column key.
#pragma once

#include "HvColumnListCollection.h"
#include "HvSelectionCollection.h"

#include <Tavelle.h>

class GridGroupSeam;

class HvSelectedCols final : public HvSelectionCollection<IHvSelectedCols, HvColumnListCollection> {
public:
    // A new empty collection for layout (not owned), with one reference.
    static HvSelectedCols* Create(SelectionLayoutSeam* layout, bool readOnly);

    // IHvSelectedCols
    STDMETHODIMP get_Item(VARIANT index, IHvColumn** out) override;
    STDMETHODIMP Add(IHvColumn* column) override;

    // Internal operations of the selection object, bands and strategies.
    HRESULT SelectColumn(HvSelectableItem* column, bool check) { return SelectItem(column, check); }
    // Appends every column of the group (with check, those not listed yet).
    HRESULT SelectColumnsOf(GridGroupSeam* group, bool check);
    // Removes every column of the group that is listed.
    HRESULT DeselectColumnsOf(GridGroupSeam* group);
    // A read-only copy (snapshot flag set) that the caller owns, or null.
    HvSelectedCols* CreateSnapshot();

protected:
    Kind SelectionKind() const override { return ColumnKind; }
    const IID& ItemInterface() const override { return IID_IHvColumn; }

private:
    HvSelectedCols(SelectionLayoutSeam* layout, bool readOnly);
    ~HvSelectedCols() override = default;

    // The group's columns in order (none without a list); false when the
    // collection or the group is no longer active.
    bool GroupColumns(GridGroupSeam* group, std::vector<HvKeyedItem*>& columns);
};
