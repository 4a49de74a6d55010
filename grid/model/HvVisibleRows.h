// HvVisibleRows: the rows a row scroll region shows, as visible-row objects
// that the region makes; rebuilt whenever what the region shows changes.
#pragma once

#include "HvViewCollection.h"

#include <Tavelle.h>

class VisibleRowSource;

class HvVisibleRows final : public HvViewCollection<IHvVisibleRows> {
public:
    // A new empty collection with one reference; owner (the region) is not
    // owned.
    static HRESULT Create(void* owner, HvVisibleRows** out);

    // IHvVisibleRows
    STDMETHODIMP get_Item(long index, IHvRow** out) override;

    // Refills the collection with a new visible row per entry of source
    // (each made knowing the one made before it); the rows that stay
    // visible are kept alive across the rebuild.
    HRESULT Rebuild(VisibleRowSource& source);

private:
    explicit HvVisibleRows(void* owner);
    ~HvVisibleRows() override = default;
};
