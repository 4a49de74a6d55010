// HvOverrides: creation, look-ups and copying of the layout's named overrides.
#include "HvOverrides.h"

#include "HvOverride.h"

HvOverrides::HvOverrides(OverrideLayoutSeam* layout)
    : HvCollectionObject(ObjectType::Overrides, OwnerPropertyId, HvOverride::Kind, false), layout_(layout)
{
}

HRESULT HvOverrides::Create(OverrideLayoutSeam* layout, HvOverrides** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvOverrides(layout);
        return S_OK;
    });
}

STDMETHODIMP HvOverrides::get_Item(VARIANT index, IHvOverride** out)
{
    return Guard([&] { return Item(&index, reinterpret_cast<IDispatch**>(out)); });
}

STDMETHODIMP HvOverrides::Add(VARIANT key, IHvOverride** out)
{
    return Guard([&] { return AddByKey(key, reinterpret_cast<IDispatch**>(out)); });
}

HvOverride* HvOverrides::OverrideAt(LONG index) const
{
    return dynamic_cast<HvOverride*>(GetVectorItemAt(index));
}

HvOverride* HvOverrides::FindOverride(const CDualString& key) const
{
    return dynamic_cast<HvOverride*>(FindVectorItemByKey(&key));
}

LONG HvOverrides::IndexOfOverride(const HvOverride* item) const
{
    return item ? CollectionIndexOf(item) : -1;
}

HRESULT HvOverrides::CreateItem(HvKeyedItem** out, const CDualString* key, LONG)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    HvOverride* created = nullptr;
    HRESULT hr = HvOverride::Create(layout_, static_cast<ChangeSubscriber*>(this), key, &created);
    if (SUCCEEDED(hr))
        *out = created;
    return hr;
}

bool HvOverrides::HasDataForCategories(LONG categories) const
{
    return (categories & OverrideCollectionCategory) && ItemCount() > 0;
}

void HvOverrides::ReleaseReferences()
{
    DeactivateAllItems();
    layout_ = nullptr;   // a client may keep the collection after its layout
}

HRESULT HvOverrides::CopyFrom(HvOverrides& source)
{
    if (&source == this)
        return S_OK;
    const std::vector<HvKeyedItem*> items = source.Items();
    for (HvKeyedItem* item : items) {
        HvOverride* from = dynamic_cast<HvOverride*>(item);
        if (!from)
            continue;
        const CDualString* key = from->GetKey();
        if (key && !key->IsEmpty()) {
            if (HvOverride* old = FindOverride(*key))
                RemoveCollectionItem(old);
        }
        HvOverride* copy = nullptr;
        HRESULT hr = HvOverride::Create(layout_, static_cast<ChangeSubscriber*>(this), key, &copy);
        if (FAILED(hr))
            return hr;
        hr = copy->CopyAll(*from, 0);
        if (SUCCEEDED(hr))
            hr = AppendLoadedItem(copy);
        if (FAILED(hr)) {
            copy->Deactivate();
            copy->Release();
            return hr;
        }
    }
    return S_OK;
}

HvCollectionImpl* HvOverrides::CreateScratch()
{
    HvOverrides* scratch = nullptr;
    return SUCCEEDED(Create(layout_, &scratch)) ? scratch : nullptr;
}
