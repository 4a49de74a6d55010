// HvSelected: the grid's view of what is selected: the selected rows, cells
// and columns. The control keeps one live instance for its Selected
// property; the selection code builds read-only instances that describe a
// would-be selection and frozen copies (snapshots) to compare selections.
#pragma once

#include "HvObjectBaseImpl.h"

#include <Tavelle.h>

class GridGroupSeam;
class HvSelectableItem;
class HvSelectedCells;
class HvSelectedCols;
class HvSelectedRows;
class SelectedControlSeam;

class HvSelected final : public HvObjectBaseImpl<IHvSelected>
{
public:
    // What AddItem is given (the selectable object's own kind).
    enum ItemKind : LONG { RowItem = 0, CellItem = 1, ColumnItem = 2, GroupItem = 99 };

    // A new instance with one reference, or null. control is not referenced.
    static HvSelected* Create(SelectedControlSeam* control, bool readOnly);

    // IHvSelected
    STDMETHODIMP get_Cells(IHvSelectedCells** out) override;
    STDMETHODIMP get_Columns(IHvSelectedCols** out) override;
    STDMETHODIMP get_Rows(IHvSelectedRows** out) override;
    STDMETHODIMP ClearAll() override;

    // Put together a would-be selection: hold the collection (or none) and
    // give it this object's read-only and snapshot flags.
    void SetCells(HvSelectedCells* cells);
    void SetColumns(HvSelectedCols* columns);
    void SetRows(HvSelectedRows* rows);

    // Adds a row, cell or column (kind 0, 1, 2); rows and cells exclude
    // each other, columns stay beside either. Other kinds do nothing.
    HRESULT AddItem(HvSelectableItem* item, LONG kind, bool clearFirst);
    // Adds every column of the group to the columns.
    HRESULT AddGroup(GridGroupSeam* group, bool clearFirst);

    // A read-only frozen copy holding snapshots of this object's
    // collections, with one reference; null when it cannot be made.
    HvSelected* CreateSnapshot();
    // Cells, rows and columns are pairwise the same selection.
    bool IsSameSelection(const HvSelected& other) const;

    bool IsReadOnly() const { return readOnly_; }
    bool IsSnapshot() const { return snapshot_; }
    // The held collections (not referenced), null until first needed.
    HvSelectedCells* Cells() const { return cells_; }
    HvSelectedCols* Columns() const { return columns_; }
    HvSelectedRows* Rows() const { return rows_; }

    HRESULT InternalQueryInterface(REFIID iid, void** out) override;
    void ReleaseReferences() override;

private:
    HvSelected(SelectedControlSeam* control, bool readOnly);
    ~HvSelected() override;

    // The collection, made on first use; E_OUTOFMEMORY when it cannot be.
    HRESULT EnsureCells();
    HRESULT EnsureColumns();
    HRESULT EnsureRows();
    void CopyFlagsToCollections();

    SelectedControlSeam* control_;
    HvSelectedCols* columns_ = nullptr;
    HvSelectedCells* cells_ = nullptr;
    HvSelectedRows* rows_ = nullptr;
    bool snapshot_ = false;
    bool readOnly_;
};
