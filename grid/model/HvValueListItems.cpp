// HvValueListItems: adding items, the lazy sort, the look-ups the value list
// and the columns use, and copying.
#include "HvValueListItems.h"

#include "AppearanceData.h"
#include "ComparableValue.h"
#include "DualString.h"
#include "HvValueList.h"
#include "HvValueListItem.h"
#include "ValueListCategories.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

constexpr DISPID kAddId = 2001;
constexpr DISPID kRemoveId = 2002;
constexpr DISPID kClearId = -554;

bool IsMissing(const VARIANT& value)
{
    return V_VT(&value) == VT_EMPTY || (V_VT(&value) == VT_ERROR && V_ERROR(&value) == DISP_E_PARAMNOTFOUND);
}

} // namespace

HvValueListItems::HvValueListItems(ValueListLayoutSeam* layout, HvValueList* list)
    : HvCollectionObject(ObjectType::ValueListItems, OwnerPropertyId, ObjectType::ValueListItems, false),
      layout_(layout), list_(list)
{
}

HvValueListItems::~HvValueListItems()
{
    Deactivate();
}

HRESULT HvValueListItems::Create(ValueListLayoutSeam* layout, HvValueList* list, HvValueListItems** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvValueListItems(layout, list);
        return S_OK;
    });
}

void HvValueListItems::ReleaseReferences()
{
    DeactivateAllItems();
    list_ = nullptr;
    layout_ = nullptr;
}

void HvValueListItems::DetachFromList()
{
    list_ = nullptr;
    for (HvKeyedItem* entry : Items())
        if (HvValueListItem* item = dynamic_cast<HvValueListItem*>(entry))
            item->ForgetList();
}

HvValueListItem* HvValueListItems::ItemAt(LONG position) const
{
    return dynamic_cast<HvValueListItem*>(ItemAtPosition(position));
}

HRESULT HvValueListItems::HandOut(HvValueListItem* item, IHvValueListItem** out)
{
    return item->QueryInterface(IID_IHvValueListItem, reinterpret_cast<void**>(out));
}

// --- dispatch --------------------------------------------------------------

STDMETHODIMP HvValueListItems::get__NewEnum(IUnknown** out)
{
    return Guard([&] {
        EnsureSorted();
        return NewEnum(out);
    });
}

STDMETHODIMP HvValueListItems::get_Item(long index, IHvValueListItem** out)
{
    return Guard([&] {
        VARIANT position;
        VariantInit(&position);
        V_VT(&position) = VT_I4;
        V_I4(&position) = index;
        return Item(&position, reinterpret_cast<IDispatch**>(out));
    });
}

STDMETHODIMP HvValueListItems::Add(VARIANT* dataValue, VARIANT displayText, VARIANT index, IHvValueListItem** out)
{
    if (!dataValue || !out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        // A value no item can hold is refused before anything is added.
        VARIANT value;
        VariantInit(&value);
        if (FAILED(VariantCopyInd(&value, dataValue)) ||
            (V_VT(&value) != VT_EMPTY && ComparableValue::KindOf(value) == ComparableValue::None)) {
            VariantClear(&value);
            return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        }
        VARIANT text;
        VariantInit(&text);
        const bool hasText = !IsMissing(displayText);
        if (hasText && FAILED(VariantChangeType(&text, &displayText, VARIANT_NOVALUEPROP, VT_BSTR))) {
            VariantClear(&value);
            return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        }
        VARIANT noKey;
        VariantInit(&noKey);
        V_VT(&noKey) = VT_ERROR;
        V_ERROR(&noKey) = DISP_E_PARAMNOTFOUND;
        IDispatch* added = nullptr;
        HRESULT hr = HvCollectionImpl::Add(&noKey, &index, &added, 0);
        if (SUCCEEDED(hr) && added) {
            IHvValueListItem* item = static_cast<IHvValueListItem*>(added);
            item->put_DataValue(value);
            if (hasText)
                item->put_DisplayText(V_BSTR(&text));
            sorted_ = false;
            *out = item;
        }
        VariantClear(&text);
        VariantClear(&value);
        return hr;
    });
}

// --- hooks -----------------------------------------------------------------

HRESULT HvValueListItems::CreateItem(HvKeyedItem** out, const CDualString*, LONG)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    HvValueListItem* item = nullptr;
    HRESULT hr = HvValueListItem::Create(layout_, list_, this, &item);
    if (SUCCEEDED(hr))
        *out = item;
    return hr;
}

HRESULT HvValueListItems::Load(IStream* stream, LONG arg)
{
    HRESULT hr = HvVectorCollection::Load(stream, arg);
    // The loaded order is the stream's, not necessarily the list's.
    sorted_ = false;
    return hr;
}

HRESULT HvValueListItems::BeforeClear(bool, LONG, bool* notifyEach)
{
    if (notifyEach)
        *notifyEach = false;
    // Items that clients still hold stop telling this collection.
    for (HvKeyedItem* entry : Items())
        if (HvValueListItem* item = dynamic_cast<HvValueListItem*>(entry))
            item->LeaveCollection();
    return S_OK;
}

void HvValueListItems::OnItemAdded(HvKeyedItem*, LONG, LONG)
{
    sorted_ = false;
    NotifySubscribers(kAddId, 0);
}

void HvValueListItems::OnItemRemoved(HvKeyedItem* entry, bool, LONG silent, bool)
{
    if (HvValueListItem* item = dynamic_cast<HvValueListItem*>(entry))
        item->LeaveCollection();
    if (!silent)
        NotifySubscribers(kRemoveId, 0);
}

void HvValueListItems::OnCleared(bool, LONG silent)
{
    if (!silent)
        NotifySubscribers(kClearId, 0);
}

void HvValueListItems::OnChange(const ChangeNotice* notice)
{
    if (notice && (notice->what == HvValueListItem::DisplayTextId || notice->what == HvValueListItem::DataValueId))
        sorted_ = false;
    HvCollectionObject::OnChange(notice);
}

// --- order -----------------------------------------------------------------

void HvValueListItems::EnsureSorted()
{
    if (sorted_ || !list_)
        return;
    const BYTE sortStyle = list_->SortStyleValue();
    if (sortStyle == 0 || list_->DisplayStyleValue() == HvValueList::DisplayStylePicture || ItemCount() < 2)
        return;
    struct Entry {
        CDualString text;
        HvKeyedItem* item;
    };
    std::vector<Entry> entries;
    entries.reserve(Items().size());
    for (HvKeyedItem* entry : Items()) {
        Entry sortEntry{CDualString(), entry};
        if (HvValueListItem* item = dynamic_cast<HvValueListItem*>(entry))
            item->GetText(sortEntry.text);
        entries.push_back(sortEntry);
    }
    const bool descending = sortStyle == HvValueList::SortStyleDescending;
    std::stable_sort(entries.begin(), entries.end(), [descending](const Entry& a, const Entry& b) {
        const int order = a.text.CompareNoCase(b.text.Text());
        return descending ? order > 0 : order < 0;
    });
    std::vector<HvKeyedItem*>& storage = MutableItems();
    for (size_t i = 0; i < entries.size(); ++i)
        storage[i] = entries[i].item;
    sorted_ = true;
}

HvValueListItem* HvValueListItems::GetItemAt(LONG index)
{
    EnsureSorted();
    return dynamic_cast<HvValueListItem*>(GetVectorItemAt(index));
}

LONG HvValueListItems::IndexOfItem(const HvValueListItem* item)
{
    EnsureSorted();
    return item ? CollectionIndexOf(item) : -1;
}

// --- look-ups --------------------------------------------------------------

HRESULT HvValueListItems::FindItemByValue(VARIANT* value, IHvValueListItem** out)
{
    if (!out || !value)
        return E_INVALIDARG;
    *out = nullptr;
    VARIANT copy;
    VariantInit(&copy);
    HRESULT hr = VariantCopyInd(&copy, value);
    if (FAILED(hr))
        return hr;
    ComparableValue criterion(copy);
    const VARTYPE type = V_VT(&copy);
    VariantClear(&copy);
    const LONG count = ItemCount();
    for (LONG i = 0; i < count; ++i) {
        HvValueListItem* item = ItemAt(i);
        if (item && item->MatchesValue(criterion, type))
            return HandOut(item, out);
    }
    return S_OK;
}

HRESULT HvValueListItems::FindItemWithPicture(IHvValueListItem** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    const LONG count = ItemCount();
    for (LONG i = 0; i < count; ++i) {
        HvValueListItem* item = ItemAt(i);
        const AppearanceData* data = item ? item->Appearance().GetAppearanceData() : nullptr;
        if (data && data->HasPicture())
            return HandOut(item, out);
    }
    return S_OK;
}

HRESULT HvValueListItems::FindItemByText(BSTR text, const LONG* start, bool prefix, IHvValueListItem** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    const LONG count = ItemCount();
    LONG from = start ? *start : 0;
    if (from >= count)
        return RaiseError(CollectionError::BadIndex, CollectionError::BadIndexString);
    if (from < 0)
        from = 0;
    // A null BSTR is the empty text.
    const CDualString given(static_cast<const wchar_t*>(text));
    for (LONG i = from; i < count; ++i) {
        HvValueListItem* item = ItemAt(i);
        if (!item)
            continue;
        const CDualString& shown = item->DisplayText();
        bool matches = false;
        if (!prefix || shown.Length() == given.Length())
            matches = shown.CompareNoCase(given.Text()) == 0;
        else if (shown.Length() > given.Length())
            matches = CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, shown.c_str(), given.Length(),
                                     given.c_str(), given.Length()) == CSTR_EQUAL;
        if (matches)
            return HandOut(item, out);
    }
    return S_OK;
}

HRESULT HvValueListItems::FindItemByDataValueOrText(BSTR text, IHvValueListItem** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    const CDualString given(static_cast<const wchar_t*>(text));
    const LONG count = ItemCount();
    for (LONG i = 0; i < count; ++i) {
        HvValueListItem* item = ItemAt(i);
        if (!item)
            continue;
        if (item->DisplayText().Compare(given.Text()) == 0)
            return HandOut(item, out);
        CDualString valueText;
        item->GetDataValueText(valueText);
        if (valueText.Compare(given.Text()) == 0)
            return HandOut(item, out);
    }
    return S_OK;
}

// --- layout copy -----------------------------------------------------------

bool HvValueListItems::HasDataForCategories(LONG categories) const
{
    return IncludesValueLists(categories) && ItemCount() > 0;
}

HRESULT HvValueListItems::CopyFrom(HvValueListItems& source, LONG categories)
{
    if (!IncludesValueLists(categories) || &source == this)
        return S_OK;
    HRESULT hr = CopyItemsFrom<HvValueListItem>(source.Items(), categories,
                                                [&](HvValueListItem&, HvValueListItem** copy) {
                                                    return HvValueListItem::Create(layout_, list_, this, copy);
                                                });
    if (FAILED(hr))
        return hr;
    sorted_ = source.sorted_;
    return S_OK;
}
