// HvValueLists: adding, look-ups, membership hooks and copying of the
// layout's value lists.
#include "HvValueLists.h"

#include "DualString.h"
#include "HvValueList.h"
#include "ValueListCategories.h"

#include <new>
#include <vector>

namespace {

constexpr DISPID kAddId = 2001;
constexpr DISPID kRemoveId = 2002;
constexpr DISPID kClearId = -554;

} // namespace

HvValueLists::HvValueLists(ValueListLayoutSeam* layout)
    : HvCollectionObject(ObjectType::ValueLists, OwnerPropertyId, ObjectType::ValueLists, false), layout_(layout)
{
}

HvValueLists::~HvValueLists()
{
    Deactivate();
}

HRESULT HvValueLists::Create(ValueListLayoutSeam* layout, HvValueLists** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvValueLists(layout);
        return S_OK;
    });
}

void HvValueLists::ReleaseReferences()
{
    DeactivateAllItems();
    layout_ = nullptr;   // a client may keep the collection after its layout
}

STDMETHODIMP HvValueLists::get_Item(VARIANT index, IHvValueList** out)
{
    return Guard([&] { return Item(&index, reinterpret_cast<IDispatch**>(out)); });
}

STDMETHODIMP HvValueLists::Add(VARIANT key, IHvValueList** out)
{
    return Guard([&] { return AddByKey(key, reinterpret_cast<IDispatch**>(out)); });
}

HvValueList* HvValueLists::ValueListAt(LONG index) const
{
    return dynamic_cast<HvValueList*>(GetVectorItemAt(index));
}

HvValueList* HvValueLists::FindValueList(const CDualString& key) const
{
    return key.IsEmpty() ? nullptr : dynamic_cast<HvValueList*>(FindVectorItemByKey(&key));
}

LONG HvValueLists::IndexOfValueList(const HvValueList* list) const
{
    return list ? CollectionIndexOf(list) : -1;
}

HRESULT HvValueLists::CreateItem(HvKeyedItem** out, const CDualString* key, LONG)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    HvValueList* list = nullptr;
    HRESULT hr = HvValueList::Create(layout_, this, key, &list);
    if (SUCCEEDED(hr))
        *out = list;
    return hr;
}

HRESULT HvValueLists::Load(IStream* stream, LONG arg)
{
    if (IncludesValueLists(arg))
        return HvVectorCollection::Load(stream, arg);
    HvValueLists* scratch = nullptr;
    HRESULT hr = Create(layout_, &scratch);
    if (FAILED(hr))
        return hr;
    hr = scratch->HvVectorCollection::Load(stream, arg);
    scratch->Deactivate();
    scratch->Release();
    return hr;
}

HRESULT HvValueLists::BeforeClear(bool, LONG, bool* notifyEach)
{
    if (notifyEach)
        *notifyEach = false;
    // Lists that clients still hold stop telling this collection.
    for (HvKeyedItem* entry : Items())
        if (HvValueList* list = dynamic_cast<HvValueList*>(entry))
            list->LeaveCollection();
    return S_OK;
}

void HvValueLists::OnItemAdded(HvKeyedItem*, LONG, LONG)
{
    NotifySubscribers(kAddId, 0);
}

void HvValueLists::OnItemRemoved(HvKeyedItem* entry, bool, LONG silent, bool)
{
    if (HvValueList* list = dynamic_cast<HvValueList*>(entry))
        list->LeaveCollection();
    if (!silent)
        NotifySubscribers(kRemoveId, 0);
}

void HvValueLists::OnCleared(bool, LONG silent)
{
    if (!silent)
        NotifySubscribers(kClearId, 0);
}

bool HvValueLists::HasDataForCategories(LONG categories) const
{
    return IncludesValueLists(categories) && ItemCount() > 0;
}

HRESULT HvValueLists::CopyFrom(HvValueLists& source, LONG categories)
{
    if (!IncludesValueLists(categories) || &source == this)
        return S_OK;
    return CopyItemsFrom<HvValueList>(source.Items(), categories, [&](HvValueList& from, HvValueList** copy) {
        return HvValueList::Create(layout_, this, from.GetKey(), copy);
    });
}

HvCollectionImpl* HvValueLists::CreateScratch()
{
    HvValueLists* scratch = nullptr;
    return SUCCEEDED(Create(layout_, &scratch)) ? scratch : nullptr;
}
