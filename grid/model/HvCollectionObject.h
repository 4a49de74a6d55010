// HvCollectionObject: the parts every collection object is made of: its dual
// interface and automation base, the publisher through which it tells its
// watchers about changes, the subscriber through which it hears its items,
// and a storage family. It implements the dispatch methods that all
// collection interfaces share and re-publishes each item's notice under the
// dispatch identifier of the owner property that returns the collection.
#pragma once

#include "ChangePublisher.h"
#include "ChangeSubscriber.h"
#include "DualObject.h"
#include "HvCollectionImpl.h"

#include <new>
#include <vector>

template <class TInterface, class TStorage>
class HvCollectionObject : public CDualObject<TInterface>,
                           public TStorage,
                           public ChangePublisher,
                           public ChangeSubscriber {
    using Dual = CDualObject<TInterface>;

public:
    // IUnknown is reached through the dual interface.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return Dual::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return Dual::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return Dual::Release(); }

    // Shared dispatch methods. Save the object pointer, which a collection
    // no longer active refuses, they answer from the storage whether or not
    // the collection is still active.
    STDMETHODIMP _GetObjectPointer(long* pointer)
    {
        return this->ObjectPointerMember(static_cast<TInterface*>(this), pointer);
    }
    STDMETHODIMP get__NewEnum(IUnknown** out)
    {
        return Guard([&] { return this->NewEnum(out); });
    }
    STDMETHODIMP get_Count(long* out)
    {
        return Guard([&] { return this->GetCount(reinterpret_cast<LONG*>(out)); });
    }
    STDMETHODIMP Remove(VARIANT index)
    {
        return Guard([&] { return TStorage::Remove(&index); });
    }
    STDMETHODIMP Clear()
    {
        return Guard([&] { return this->ClearCollection(false, 0); });
    }

    HRESULT InternalQueryInterface(REFIID iid, void** out) override
    {
        if (out && IsEqualIID(iid, IID_HvCollectionImpl)) {
            *out = static_cast<HvCollectionImpl*>(this);
            CUnknownObject::AddRef();
            return S_OK;
        }
        return Dual::InternalQueryInterface(iid, out);
    }

    // ChangePublisher
    int KindCode() const override { return kindCode_; }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }

    // ChangeSubscriber: an item's notice goes on to the collection's watchers.
    void OnChange(const ChangeNotice* notice) override
    {
        NotifySubscribers(republishId_, reinterpret_cast<std::intptr_t>(notice));
    }
    bool OnTransfer(ChangePublisher*, ChangePublisher*, std::intptr_t) override { return followsTransfers_; }
    unsigned long AddRefSubscriber() override { return CUnknownObject::AddRef(); }
    unsigned long ReleaseSubscriber() override { return CUnknownObject::Release(); }

    DISPID RepublishId() const { return republishId_; }

protected:
    // republishId: the owner property's dispatch identifier; kindCode: the
    // publisher kind; followsTransfers: the answer to publisher transfers.
    HvCollectionObject(int objectType, DISPID republishId, int kindCode, bool followsTransfers)
        : Dual(nullptr, objectType), TStorage(static_cast<CAutomationObject&>(*this)), republishId_(republishId),
          kindCode_(kindCode), followsTransfers_(followsTransfers)
    {
    }

    ~HvCollectionObject() override
    {
        this->ClearCollection(true, 1);
        DetachAllSubscribers();
    }

    // Add of a keyed collection: the key is a string, or missing (empty,
    // null or an omitted argument) for an item without one.
    HRESULT AddByKey(VARIANT& key, IDispatch** out)
    {
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        // The new item would belong to a layout that has gone.
        if (!this->IsActive())
            return this->NotActiveError();
        VARIANT copy;
        VariantInit(&copy);
        HRESULT hr = VariantCopyInd(&copy, &key);
        if (FAILED(hr))
            return hr;
        BSTR text = nullptr;
        const VARTYPE type = V_VT(&copy);
        if (type == VT_BSTR) {
            text = V_BSTR(&copy);
        } else if (type != VT_EMPTY && type != VT_NULL && type != VT_ERROR) {
            VariantClear(&copy);
            return this->RaiseError(CollectionError::KeyNotString, CollectionError::KeyNotStringString);
        }
        hr = this->AddInternal(text, nullptr, out, 0);
        VariantClear(&copy);
        return hr;
    }

    // Makes the collection hold copies of the TItem members of items:
    // make(from, &copy) creates each copy, which then takes from's data of
    // the categories. The first failure ends the copy.
    template <class TItem, class TMake>
    HRESULT CopyItemsFrom(std::vector<HvKeyedItem*> items, LONG categories, TMake make)
    {
        HRESULT hr = Clear();
        if (FAILED(hr))
            return hr;
        try {
            this->MutableItems().reserve(items.size());
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
        for (HvKeyedItem* entry : items) {
            TItem* from = dynamic_cast<TItem*>(entry);
            if (!from)
                continue;
            TItem* copy = nullptr;
            hr = make(*from, &copy);
            if (FAILED(hr))
                return hr;
            hr = copy->CopyAll(*from, categories);
            if (SUCCEEDED(hr))
                hr = this->AppendLoadedItem(copy);
            if (FAILED(hr)) {
                copy->Deactivate();
                copy->Release();
                return hr;
            }
        }
        return S_OK;
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
    DISPID republishId_;
    int kindCode_;
    bool followsTransfers_;
};
