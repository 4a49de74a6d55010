// HvViewCollection: the form shared by the collections that list objects
// owned elsewhere (visible headers and rows, child UI elements, selections,
// sort columns). They never create an item: their owner hands items in and
// the list holds one reference on each. Count, enumeration and Item answer
// whether or not the collection is still active.
#pragma once

#include "DualObject.h"
#include "HvKeyedItem.h"
#include "HvListCollection.h"

#include <new>

namespace ViewCollectionError {
constexpr HRESULT InvalidIndex = static_cast<HRESULT>(0x800AA21D);
constexpr WORD InvalidIndexString = 1005; // "Invalid Index value was passed in"
} // namespace ViewCollectionError

template <class TInterface>
class HvViewCollection : public CDualObject<TInterface>, public HvListCollection {
    using Dual = CDualObject<TInterface>;

public:
    // IUnknown is reached through the dual interface.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return Dual::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return Dual::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return Dual::Release(); }

    STDMETHODIMP _GetObjectPointer(long* pointer) override
    {
        return this->ObjectPointerMember(static_cast<TInterface*>(this), pointer);
    }
    STDMETHODIMP get__NewEnum(IUnknown** out) override
    {
        return Guard([&] { return NewEnum(out); });
    }
    STDMETHODIMP get_Count(long* out) override
    {
        return Guard([&] { return GetCount(reinterpret_cast<LONG*>(out)); });
    }

    // Empties the list, releasing every item.
    HRESULT ClearObjectListCollection(bool force, LONG silent) { return ClearListCollection(force, silent); }
    void* Owner() const { return owner_; }

    // HvCollectionImpl: count, version, the items, the extra data.
    HRESULT Save(IStream* stream, LONG arg) override
    {
        if (!stream)
            return E_INVALIDARG;
        const LONG header[2] = {ItemCount(), saveVersion_};
        ULONG written = 0;
        HRESULT hr = stream->Write(header, sizeof header, &written);
        if (SUCCEEDED(hr) && written != sizeof header)
            hr = STG_E_MEDIUMFULL;
        for (const Node* node = First(); SUCCEEDED(hr) && node; node = NextOf(node))
            hr = SaveItem(node->item, stream, arg);
        return FAILED(hr) ? hr : SaveExtra(stream, arg);
    }
    bool SupportsKeys() const override { return false; }

protected:
    // owner is neither owned nor referenced; saveVersion is the version
    // written by Save.
    HvViewCollection(int objectType, void* owner, LONG saveVersion)
        : Dual(nullptr, objectType), HvListCollection(static_cast<CAutomationObject&>(*this)), owner_(owner),
          saveVersion_(saveVersion)
    {
    }
    ~HvViewCollection() override { ClearListCollection(true, 1); }

    // Item by a plain position: 1005 when there is none; otherwise the item
    // queried for iid.
    HRESULT ItemByPosition(long index, REFIID iid, void** out)
    {
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        HvKeyedItem* item = index < 0 || index >= ItemCount() ? nullptr : ItemAtPosition(index);
        if (!item)
            return RaiseError(ViewCollectionError::InvalidIndex, ViewCollectionError::InvalidIndexString);
        return item->GetItemObject()->ForwardQueryInterface(iid, out);
    }

    // Every COM method ends here: no exception crosses the interface.
    template <class TBody>
    static HRESULT Guard(TBody body) noexcept
    {
        try {
            return body();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

private:
    static HRESULT SaveItem(HvKeyedItem* item, IStream* stream, LONG arg);

    void* owner_;
    LONG saveVersion_;
};

#include "HvCollectionItem.h"

template <class TInterface>
HRESULT HvViewCollection<TInterface>::SaveItem(HvKeyedItem* item, IStream* stream, LONG arg)
{
    HvCollectionItem* persist = nullptr;
    HRESULT hr = item ? item->GetItemObject()->ForwardQueryInterface(IID_HvCollectionItem,
                                                                      reinterpret_cast<void**>(&persist))
                      : E_UNEXPECTED;
    if (FAILED(hr))
        return hr;
    hr = persist->Save(stream, arg);
    persist->Release();
    return hr;
}
