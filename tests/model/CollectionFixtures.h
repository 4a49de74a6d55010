// Collections and items made for the tests of the collection machinery: an
// item with a key, a stream form and a publisher, and a collection of each
// storage family whose hooks record what they are told.
#pragma once

#include "ChangePublisher.h"
#include "DualObject.h"
#include "DualString.h"
#include "HvCollectionItem.h"
#include "HvCollectionObject.h"
#include "HvKeyedItem.h"
#include "HvListCollection.h"
#include "HvVectorCollection.h"
#include "SubscriptionLink.h"

#include <Tavelle.h>

#include <functional>
#include <string>
#include <vector>

class TestItem final : public CDualObject<IHvObjectBase>,
                       public HvKeyedItem,
                       public HvCollectionItem,
                       public ChangePublisher {
public:
    static TestItem* Create(const CDualString* key, ChangeSubscriber* collection);
    static int live;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }

    STDMETHODIMP _GetObjectPointer(long* pointer) override { return GetObjectPointer(this, pointer); }
    STDMETHODIMP get_TagVariant(VARIANT* value) override { return VariantInit(value), S_OK; }
    STDMETHODIMP put_TagVariant(VARIANT) override { return S_OK; }
    STDMETHODIMP putref_TagVariant(VARIANT*) override { return S_OK; }
    STDMETHODIMP IsSameAs(IDispatch* other, VARIANT_BOOL* result) override
    {
        *result = CAutomationObject::IsSameAs(other);
        return S_OK;
    }

    const CDualString* GetKey() override { return &key_; }
    const IID* GetInterfaceId() override { return &IID_IHvObjectBase; }
    CAutomationObject* GetItemObject() override { return this; }

    STDMETHODIMP Save(IStream* stream, LONG arg) override;
    STDMETHODIMP Load(IStream* stream, LONG arg) override;

    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    int KindCode() const override { return 99; }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }

    CDualString key_;
    LONG value = 0;
    std::function<void()> onDestroy;

private:
    TestItem(const CDualString* key, ChangeSubscriber* collection);
    ~TestItem() override;
    SubscriptionLink link_; // the collection's subscription to this item
};

inline ITypeInfo* CollectionTypeInfo();

// What the hooks were told, in order.
struct HookLog {
    std::vector<std::string> calls;
    HRESULT removeAnswer = S_OK;
    bool notifyEach = false;
    HRESULT clearAnswer = S_OK;
};

// Indexed: the collection keeps a key index (vector storage only).
template <class TStorage, bool Indexed = false>
class TestCollection final : public HvCollectionObject<IHvCollectionBaseWithClear, TStorage> {
    using Base = HvCollectionObject<IHvCollectionBaseWithClear, TStorage>;

public:
    static TestCollection* Create(bool keys = true, bool readOnly = false)
    {
        return new TestCollection(keys, readOnly);
    }

    bool SupportsKeys() const override { return keys_; }
    bool IndexesKeys() const override { return Indexed; }
    bool IsReadOnly() const override { return readOnly_; }
    HRESULT CreateItem(HvKeyedItem** out, const CDualString* key, LONG arg) override
    {
        if (!out)
            return E_INVALIDARG;
        log.calls.push_back("create " + std::string(key ? key->c_str() : "-") + " " + std::to_string(arg));
        *out = TestItem::Create(key, this);
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT BeforeRemoveItem(HvKeyedItem* item) override
    {
        log.calls.push_back("before-remove " + std::string(item->GetKey()->c_str()));
        return log.removeAnswer;
    }
    HRESULT BeforeClear(bool force, LONG silent, bool* notifyEach) override
    {
        log.calls.push_back("before-clear " + std::to_string(force) + std::to_string(silent));
        *notifyEach = log.notifyEach;
        return log.clearAnswer;
    }
    void OnItemRemoved(HvKeyedItem* item, bool, LONG, bool fromClear) override
    {
        log.calls.push_back("removed " + std::string(item->GetKey()->c_str()) + (fromClear ? " clear" : ""));
    }
    void OnItemAdded(HvKeyedItem* item, LONG index, LONG) override
    {
        log.calls.push_back("added " + std::string(item->GetKey()->c_str()) + " " + std::to_string(index));
    }
    void OnCleared(bool, LONG) override { log.calls.push_back("cleared"); }

    HRESULT InternalQueryInterface(REFIID iid, void** out) override
    {
        if (out && IsEqualIID(iid, IID_IHvCollectionBaseWithClear)) {
            *out = static_cast<IHvCollectionBaseWithClear*>(this);
            CUnknownObject::AddRef();
            return S_OK;
        }
        return Base::InternalQueryInterface(iid, out);
    }

    // Late binding goes through the collection interface's own type
    // information, whatever the record of the object type names.
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        ITypeInfo* info = CollectionTypeInfo();
        return info ? info->GetIDsOfNames(names, count, ids) : E_FAIL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override
    {
        ITypeInfo* info = CollectionTypeInfo();
        if (!info)
            return E_FAIL;
        SetErrorInfo(0, nullptr);
        return info->Invoke(static_cast<IHvCollectionBaseWithClear*>(this), id, flags, params, result, exception,
                            argumentError);
    }

    HookLog log;
    bool readOnly_ = false;

private:
    TestCollection(bool keys, bool readOnly) : Base(ObjectType::Appearances, 1200, 9, false), keys_(keys)
    {
        readOnly_ = readOnly;
    }
    bool keys_;
};

// The vtable half of IHvCollectionBaseWithClear from the embedded library.
inline ITypeInfo* CollectionTypeInfo()
{
    static ITypeInfo* cached = [] {
        wchar_t path[MAX_PATH];
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        ITypeLib* library = nullptr;
        ITypeInfo* dispatch = nullptr;
        ITypeInfo* vtable = nullptr;
        if (SUCCEEDED(LoadTypeLib(path, &library))) {
            if (SUCCEEDED(library->GetTypeInfoOfGuid(IID_IHvCollectionBaseWithClear, &dispatch))) {
                HREFTYPE ref = 0;
                if (SUCCEEDED(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)))
                    dispatch->GetRefTypeInfo(ref, &vtable);
                dispatch->Release();
            }
            library->Release();
        }
        return vtable; // kept for the process
    }();
    return cached;
}

using VectorCollection = TestCollection<HvVectorCollection>;
using ListCollection = TestCollection<HvListCollection>;
using IndexedCollection = TestCollection<HvVectorCollection, true>;
