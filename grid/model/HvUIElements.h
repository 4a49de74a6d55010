// HvUIElements: the child elements of a UI element, read-only for clients.
// Deactivating the collection deactivates every child it holds, so that a
// client that kept a child sees it is gone with its parent.
#pragma once

#include "HvViewCollection.h"

#include <Tavelle.h>

class HvUIElements final : public HvViewCollection<IHvUIElements> {
public:
    static constexpr LONG SaveVersion = 100;

    // A new empty collection with one reference; owner (the element) is not
    // owned.
    static HRESULT Create(void* owner, HvUIElements** out);

    // IHvUIElements
    STDMETHODIMP get_Item(VARIANT index, IHvUIElement** out) override;

    bool IsReadOnly() const override { return true; }

protected:
    void ReleaseReferences() override;

private:
    explicit HvUIElements(void* owner);
    ~HvUIElements() override;
};
