// BandRowBinding: a band's view of its rowset binding (BandBindingSeam) and
// the owner of the binding's row model (its RowRecordStore). On its own it
// hears no notices and adds no rows: the band's row side (BandRowSource)
// does.
#pragma once

#include "RowRecordStore.h"

#include <BandBindingSeam.h>

#include <memory>

class RowsetBinding;

class BandRowBinding : public BandBindingSeam {
public:
    // Holds a reference on the binding and installs the row model on it.
    explicit BandRowBinding(RowsetBinding& binding);
    virtual ~BandRowBinding();
    BandRowBinding(const BandRowBinding&) = delete;
    BandRowBinding& operator=(const BandRowBinding&) = delete;

    RowsetBinding& Binding() const { return binding_; }
    RowRecordStore& Rows() { return store_; }

    bool IsUnavailable() override;
    LONG RowCount() override;
    void AddListeners() override {}
    void RemoveListeners() override {}
    ColumnInfoSeam* ColumnInfoAt(LONG index) override;
    void Configure(bool expandRowsOnLoad, bool outOfView, LONG fetchRows) override;
    // New keys reorder the loaded lists of the binding's rows.
    void SetSortColumns(const SortColumn* columns, size_t count) override;
    // The rows kept by the top-level list and by the binding's held-row list.
    void ReleaseHeldRows() override;
    // No row objects without a band: E_FAIL.
    HRESULT AddRow(IHvRow* parent, IHvRow** out) override;

protected:
    // The rows of the binding's lists were put in another order.
    virtual void OnRowOrderChanged() {}

private:
    RowsetBinding& binding_; // one reference
    RowRecordStore store_;
};
