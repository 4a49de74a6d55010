// HvHeaders: look-up and rebuilding of a column region's visible headers.
#include "HvHeaders.h"

#include "VisibleItemSeam.h"

HvHeaders::HvHeaders(void* owner) : HvViewCollection(ObjectType::HvHeaders, owner, 0) {}

HRESULT HvHeaders::Create(void* owner, HvHeaders** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvHeaders(owner);
        return S_OK;
    });
}

STDMETHODIMP HvHeaders::get_Item(long index, IHvHeader** out)
{
    return Guard([&] { return ItemByPosition(index, IID_IHvHeader, reinterpret_cast<void**>(out)); });
}

HRESULT HvHeaders::Rebuild(VisibleHeaderSource& source)
{
    HRESULT hr = ClearObjectListCollection(false, 0);
    if (FAILED(hr))
        return hr;
    const LONG count = source.EntryCount();
    for (LONG entry = 0; entry < count; ++entry) {
        HvKeyedItem* header = source.CreateVisibleHeader(entry);
        if (!header)
            continue;
        hr = InsertListCollectionItem(-1, header, false, 0);
        if (FAILED(hr)) {
            header->ReleaseItem();
            return hr;
        }
    }
    return S_OK;
}
