// BandRowBinding: a band's view of its rowset binding (BandBindingSeam) and
// the owner of the binding's row model (its RowRecordStore).
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
    void AddListeners(HvBandRowsetListener* rows, HvBandRowPositionListener* position) override;
    void RemoveListeners(HvBandRowsetListener* rows, HvBandRowPositionListener* position) override;
    void Configure(bool expandRowsOnLoad, bool outOfView, LONG fetchRows) override;
    void ReleaseHeldRows() override;
    // Adding rows goes through the row objects: not served here yet.
    HRESULT AddRow(IHvRow* parent, IHvRow** out) override;

private:
    RowsetBinding& binding_; // one reference
    RowRecordStore store_;
};
