// HvHeaders: the headers a column scroll region shows, as visible-header
// objects that the region makes; rebuilt whenever what the region shows
// changes.
#pragma once

#include "HvViewCollection.h"

#include <Tavelle.h>

class VisibleHeaderSource;

class HvHeaders final : public HvViewCollection<IHvHeaders> {
public:
    // A new empty collection with one reference; owner (the region) is not
    // owned.
    static HRESULT Create(void* owner, HvHeaders** out);

    // IHvHeaders
    STDMETHODIMP get_Item(long index, IHvHeader** out) override;

    // Refills the collection with a new visible header per entry of source;
    // an entry for which none is made is skipped.
    HRESULT Rebuild(VisibleHeaderSource& source);

private:
    explicit HvHeaders(void* owner);
    ~HvHeaders() override = default;
};
