// HvAppearances: creation, membership hooks and copying of the layout's
// named appearances.
#include "HvAppearances.h"

#include "HvAppearance.h"

HvAppearances::HvAppearances(HvLayoutHost* owner)
    : HvCollectionObject(ObjectType::Appearances, OwnerPropertyId, HvAppearance::Kind, false), owner_(owner)
{
}

HRESULT HvAppearances::Create(HvLayoutHost* owner, HvAppearances** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvAppearances(owner);
        return S_OK;
    });
}

STDMETHODIMP HvAppearances::get_Item(VARIANT index, IHvAppearance** out)
{
    return Guard([&] { return Item(&index, reinterpret_cast<IDispatch**>(out)); });
}

STDMETHODIMP HvAppearances::Add(VARIANT key, IHvAppearance** out)
{
    return Guard([&] { return AddByKey(key, reinterpret_cast<IDispatch**>(out)); });
}

STDMETHODIMP HvAppearances::InternalAdd(VARIANT index)
{
    return Guard([&] { return IsActive() ? AddUnkeyed(&index) : NotActiveError(); });
}

HvAppearance* HvAppearances::AppearanceAt(LONG index) const
{
    return dynamic_cast<HvAppearance*>(GetVectorItemAt(index));
}

HvAppearance* HvAppearances::FindAppearance(const CDualString& key) const
{
    return dynamic_cast<HvAppearance*>(FindVectorItemByKey(&key));
}

LONG HvAppearances::IndexOfAppearance(const HvAppearance* appearance) const
{
    return appearance ? CollectionIndexOf(appearance) : -1;
}

HRESULT HvAppearances::CreateItem(HvKeyedItem** out, const CDualString* key, LONG)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    HvAppearance* appearance = nullptr;
    HRESULT hr = HvAppearance::Create(owner_, false, key, this, &appearance);
    if (SUCCEEDED(hr))
        *out = appearance;
    return hr;
}

HRESULT HvAppearances::BeforeClear(bool, LONG, bool* notifyEach)
{
    *notifyEach = true;
    return S_OK;
}

void HvAppearances::OnItemRemoved(HvKeyedItem* item, bool, LONG silent, bool)
{
    if (HvAppearance* appearance = dynamic_cast<HvAppearance*>(item))
        appearance->SetCollection(nullptr);
    if (!silent)
        NotifySubscribers(OwnerPropertyId, 0);
}

void HvAppearances::OnItemAdded(HvKeyedItem* item, LONG, LONG)
{
    if (HvAppearance* appearance = dynamic_cast<HvAppearance*>(item))
        appearance->SetCollection(this);
    NotifySubscribers(OwnerPropertyId, 0);
}

void HvAppearances::OnCleared(bool, LONG silent)
{
    if (!silent)
        NotifySubscribers(OwnerPropertyId, 0);
}

void HvAppearances::ReleaseReferences()
{
    DeactivateAllItems();
    ClearCollection(true, 1);
}

HRESULT HvAppearances::CopyFrom(HvAppearances& source)
{
    if (&source == this)
        return S_OK;
    const std::vector<HvKeyedItem*> items = source.Items();
    for (HvKeyedItem* item : items) {
        HvAppearance* from = dynamic_cast<HvAppearance*>(item);
        if (!from)
            continue;
        const CDualString* key = from->GetKey();
        HvAppearance* old = nullptr;
        if (key && !key->IsEmpty()) {
            old = FindAppearance(*key);
            if (old) {
                old->AddRef();
                RemoveCollectionItem(old);
            }
        }
        HvAppearance* copy = nullptr;
        HRESULT hr = HvAppearance::Create(owner_, false, key, this, &copy);
        if (SUCCEEDED(hr))
            hr = copy->CopyAll(*from, 0);
        if (SUCCEEDED(hr))
            hr = AppendLoadedItem(copy);
        if (FAILED(hr)) {
            if (copy)
                copy->Release();
            if (old)
                old->Release();
            return hr;
        }
        if (old) {
            // Every user of the old appearance moves to its copy.
            VARIANT replacement;
            VariantInit(&replacement);
            V_VT(&replacement) = VT_DISPATCH;
            V_DISPATCH(&replacement) = static_cast<IHvAppearance*>(copy);
            old->Replace(&replacement);
            old->Release();
        }
    }
    return S_OK;
}

HvCollectionImpl* HvAppearances::CreateScratch()
{
    HvAppearances* scratch = nullptr;
    return SUCCEEDED(Create(owner_, &scratch)) ? scratch : nullptr;
}
