// HvGroups: making groups through the band, their removal, and copying
// another band's groups.
#include "HvGroups.h"

#include "DualString.h"
#include "GridBandSeam.h"
#include "GridGroupSeam.h"
#include "HvGroupCols.h"
#include "HvKeyedItem.h"
#include "HvPersistParticipant.h"
#include "LayoutCategories.h"

#include <algorithm>
#include <vector>

namespace {

constexpr DISPID kAddId = 2001;
constexpr DISPID kRemoveId = 2002;
constexpr DISPID kClearId = -554;

bool IsMissing(const VARIANT& value)
{
    const VARTYPE type = V_VT(&value);
    return type == VT_EMPTY || type == VT_NULL || type == VT_ERROR;
}

// Sets the flag for the life of a copy, however it ends.
class CopyingScope {
public:
    explicit CopyingScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~CopyingScope() { flag_ = false; }
    CopyingScope(const CopyingScope&) = delete;
    CopyingScope& operator=(const CopyingScope&) = delete;

private:
    bool& flag_;
};

} // namespace

HvGroups::HvGroups(GridBandSeam* band, bool readOnly)
    : HvCollectionObject(ObjectType::Groups, OwnerPropertyId, ObjectType::Groups, true), band_(band),
      readOnly_(readOnly)
{
}

HvGroups::~HvGroups()
{
    Deactivate();
}

HRESULT HvGroups::Create(GridBandSeam* band, bool readOnly, HvGroups** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvGroups(band, readOnly);
        return S_OK;
    });
}

void HvGroups::ReleaseReferences()
{
    DeactivateAllItems();
}

GridGroupSeam* HvGroups::GroupAt(LONG position) const
{
    return dynamic_cast<GridGroupSeam*>(ItemAtPosition(position));
}

// --- hooks ------------------------------------------------------------------

HRESULT HvGroups::CreateItem(HvKeyedItem** out, const CDualString* key, LONG)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!band_)
        return E_FAIL;
    GridGroupSeam* group = nullptr;
    HRESULT hr = band_->CreateGroup(this, key, &group);
    if (FAILED(hr))
        return hr;
    if (!group)
        return E_FAIL;
    hr = band_->AppendGroupHeader(group);
    if (FAILED(hr)) {
        group->GroupItem()->ReleaseItem();
        return hr;
    }
    *out = group->GroupItem();
    return S_OK;
}

HRESULT HvGroups::InsertItem(LONG index, HvKeyedItem* item, bool addRef, LONG arg)
{
    const HRESULT hr = HvVectorCollection::InsertItem(index, item, addRef, arg);
    if (FAILED(hr) && band_)
        if (GridGroupSeam* group = dynamic_cast<GridGroupSeam*>(item))
            band_->RemoveGroupHeader(group);
    return hr;
}

HRESULT HvGroups::BeforeClear(bool, LONG, bool* notifyEach)
{
    *notifyEach = true;
    return S_OK;
}

void HvGroups::OnItemAdded(HvKeyedItem*, LONG, LONG)
{
    if (!copying_)
        NotifySubscribers(kAddId, 0);
}

void HvGroups::OnItemRemoved(HvKeyedItem* item, bool, LONG silent, bool)
{
    if (silent)
        return;
    GridGroupSeam* group = dynamic_cast<GridGroupSeam*>(item);
    if (!group)
        return;
    if (HvGroupCols* columns = group->GetGroupCols(false))
        columns->Clear();
    if (band_)
        band_->RemoveGroupHeader(group);
    CAutomationObject::Deactivate(item->GetItemObject());
}

void HvGroups::OnChange(const ChangeNotice* notice)
{
    if (!copying_)
        HvCollectionObject::OnChange(notice);
}

// --- dispatch ---------------------------------------------------------------

STDMETHODIMP HvGroups::get_Item(VARIANT index, IHvGroup** out)
{
    return Guard([&] { return Item(&index, reinterpret_cast<IDispatch**>(out)); });
}

STDMETHODIMP HvGroups::Add(VARIANT key, VARIANT index, VARIANT caption, IHvGroup** out)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();   // the group would belong to a band that has gone
        IDispatch* added = nullptr;
        HRESULT hr = HvVectorCollection::Add(&key, &index, &added, 0);
        if (out)
            *out = reinterpret_cast<IHvGroup*>(added);
        else if (added)
            added->Release();
        if (FAILED(hr) || !added || IsMissing(caption))
            return hr;
        VARIANT text;
        VariantInit(&text);
        if (SUCCEEDED(VariantChangeType(&text, &caption, VARIANT_NOVALUEPROP, VT_BSTR)) && V_BSTR(&text) &&
            SysStringLen(V_BSTR(&text)) > 0) {
            if (GridGroupSeam* group = dynamic_cast<GridGroupSeam*>(HvKeyedItem::FromObject(added)))
                group->SetHeaderCaption(V_BSTR(&text));
        }
        VariantClear(&text);
        return hr;
    });
}

STDMETHODIMP HvGroups::Remove(VARIANT index)
{
    return Guard([&] {
        const HRESULT hr = HvVectorCollection::Remove(&index);
        NotifySubscribers(kRemoveId, 0);
        return hr;
    });
}

STDMETHODIMP HvGroups::Clear()
{
    return Guard([&] {
        const HRESULT hr = ClearCollection(false, 0);
        NotifySubscribers(kClearId, 0);
        return hr;
    });
}

// --- layout work ------------------------------------------------------------

HRESULT HvGroups::CopyFrom(HvGroups& source, LONG categories)
{
    if (&source == this)
        return S_OK;
    HRESULT hr = ClearCollection(true, 0);
    if (FAILED(hr) || source.ItemCount() == 0)
        return hr;
    CopyingScope copying(copying_);
    const std::vector<HvKeyedItem*> items = source.Items();
    for (HvKeyedItem* item : items) {
        GridGroupSeam* from = dynamic_cast<GridGroupSeam*>(item);
        if (!from)
            continue;
        VARIANT key;
        VariantInit(&key);
        const CDualString* sourceKey = item->GetKey();
        if (sourceKey && !sourceKey->IsEmpty()) {
            CDualString keyText(*sourceKey);
            V_VT(&key) = VT_BSTR;
            V_BSTR(&key) = keyText.AllocSysString();
        }
        VARIANT missing;
        VariantInit(&missing);
        V_VT(&missing) = VT_ERROR;
        V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
        IHvGroup* added = nullptr;
        hr = Add(key, missing, missing, &added);
        VariantClear(&key);
        GridGroupSeam* copy = added ? dynamic_cast<GridGroupSeam*>(HvKeyedItem::FromObject(added)) : nullptr;
        if (SUCCEEDED(hr))
            hr = copy ? copy->Participant()->CopyAll(*from->Participant(), categories) : E_FAIL;
        if (added)
            added->Release();
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

bool HvGroups::HasDataForCategories(LONG categories) const
{
    return HoldsAllOf(categories, GroupsCategory) && ItemCount() > 0;
}

bool HvGroups::AnyGroupTest()
{
    bool any = false;
    for (HvKeyedItem* item : std::vector<HvKeyedItem*>(Items()))
        if (GridGroupSeam* group = dynamic_cast<GridGroupSeam*>(item))
            any = group->RemoveFromBand() || any;
    return any;
}

LONG HvGroups::GetMaxHeaderPictureHeight() const
{
    LONG tallest = 0;
    for (HvKeyedItem* item : Items())
        if (GridGroupSeam* group = dynamic_cast<GridGroupSeam*>(item))
            tallest = std::max(tallest, group->HeaderPictureHeight());
    return tallest;
}

LONG HvGroups::GetMaxHeaderFontHeight() const
{
    LONG tallest = 0;
    for (HvKeyedItem* item : Items())
        if (GridGroupSeam* group = dynamic_cast<GridGroupSeam*>(item))
            tallest = std::max(tallest, group->HeaderFontHeight());
    return tallest;
}
