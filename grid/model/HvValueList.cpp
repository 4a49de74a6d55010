// HvValueList: styles, appearance, items collection, look-ups and
// persistence of a value list.
#include "HvValueList.h"

#include "HvAppearance.h"
#include "HvLayoutHost.h"
#include "HvValueListItem.h"
#include "HvValueListItems.h"
#include "HvValueLists.h"
#include "StreamText.h"
#include "SubscriptionLink.h"
#include "ValueListCategories.h"
#include "ValueListDropDownSeam.h"
#include "ValueListLayoutSeam.h"

#include <new>

namespace {

constexpr BYTE kMaxDisplayStyle = 5;

bool IsMissing(const VARIANT& value)
{
    return V_VT(&value) == VT_EMPTY || (V_VT(&value) == VT_ERROR && V_ERROR(&value) == DISP_E_PARAMNOTFOUND);
}

// An optional number argument: false when one is given that is no number.
bool OptionalLong(const VARIANT& value, LONG* number, bool* given)
{
    *given = !IsMissing(value);
    if (!*given)
        return true;
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&value), VARIANT_NOVALUEPROP, VT_I4)))
        return false;
    *number = V_I4(&converted);
    return true;
}

} // namespace

HvValueList::HvValueList(ValueListLayoutSeam* layout, HvValueLists* collection, const CDualString* key)
    : HvObjectBaseImpl(ObjectType::HvValueList), layout_(layout), collection_(collection)
{
    if (key)
        key_.Assign(*key);
    appearance_.Init(layout_ ? layout_->Host() : nullptr, layout_ ? layout_->Appearances() : nullptr, this);
    collectionLink_.reset(new SubscriptionLink(collection));
    itemsLink_.reset(new SubscriptionLink(this));
    if (collection)
        collectionLink_->RelinkSubscription(this);
}

HvValueList::~HvValueList()
{
    Deactivate();
    DropItems();
    collectionLink_.reset();
    itemsLink_.reset();
    DetachAllSubscribers();
}

HRESULT HvValueList::Create(ValueListLayoutSeam* layout, HvValueLists* collection, const CDualString* key,
                            HvValueList** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvValueList(layout, collection, key);
        return S_OK;
    });
}

HvValueList* HvValueList::FromObject(IUnknown* object)
{
    return dynamic_cast<HvValueList*>(HvKeyedItem::FromObject(object));
}

HRESULT HvValueList::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && IsEqualIID(iid, IID_HvCollectionItem)) {
        *out = static_cast<HvCollectionItem*>(this);
    } else if (out && IsEqualIID(iid, IID_HvPropertyQuery)) {
        *out = static_cast<HvPropertyQuery*>(this);
    } else {
        return CDualObject::InternalQueryInterface(iid, out);
    }
    CUnknownObject::AddRef();
    return S_OK;
}

void HvValueList::ReleaseReferences()
{
    LeaveCollection();
    if (itemsLink_)
        itemsLink_->Unlink();
    appearance_.Detach();
    if (items_)
        items_->Deactivate();
    layout_ = nullptr;
}

void HvValueList::LeaveCollection()
{
    if (collectionLink_)
        collectionLink_->Unlink();
    collection_ = nullptr;
}

// The collection and its items may outlive the list in a client's hands:
// they forget it before it lets them go.
void HvValueList::DropItems()
{
    if (itemsLink_)
        itemsLink_->Unlink();
    if (!items_)
        return;
    HvValueListItems* items = items_;
    items_ = nullptr;
    items->DetachFromList();
    items->Release();
}

HvValueListItems* HvValueList::GetValueListItems(bool create)
{
    if (items_ || !create || !IsActive())
        return items_;
    HvValueListItems* made = nullptr;
    if (FAILED(HvValueListItems::Create(layout_, this, &made)))
        return nullptr;
    items_ = made;
    itemsLink_->RelinkSubscription(items_);
    return items_;
}

// --- properties ------------------------------------------------------------

STDMETHODIMP HvValueList::get_ValueListItems(IHvValueListItems** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        HvValueListItems* items = GetValueListItems(true);
        if (!items)
            return IsActive() ? E_OUTOFMEMORY : NotActiveError();
        return items->QueryInterface(IID_IHvValueListItems, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvValueList::get_Key(BSTR* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = key_.AllocSysString();
    return *out || key_.IsEmpty() ? S_OK : E_OUTOFMEMORY;
}

LONG HvValueList::GetIndex() const
{
    return collection_ ? collection_->IndexOfValueList(this) : -1;
}

STDMETHODIMP HvValueList::get_Index(long* out)
{
    if (!out)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    *out = GetIndex();
    return S_OK;
}

STDMETHODIMP HvValueList::get_SortStyle(Constants_ValueListSortStyle* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_ValueListSortStyle>(sortStyle_);
    return S_OK;
}

// Not range-tested: any value but 0 sorts, 2 descending, others ascending.
STDMETHODIMP HvValueList::put_SortStyle(Constants_ValueListSortStyle value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        const BYTE style = static_cast<BYTE>(static_cast<int>(value) & 0xFF);
        if (style == sortStyle_)
            return S_OK;
        sortStyle_ = style;
        if (items_)
            items_->MarkUnsorted();
        NotifySubscribers(SortStyleId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvValueList::get_DisplayStyle(Constants_ValueListDisplayStyle* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_ValueListDisplayStyle>(displayStyle_);
    return S_OK;
}

STDMETHODIMP HvValueList::put_DisplayStyle(Constants_ValueListDisplayStyle value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        const int style = static_cast<int>(value);
        if (style < 0 || style > kMaxDisplayStyle)
            return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        if (style == displayStyle_)
            return S_OK;
        displayStyle_ = static_cast<BYTE>(style);
        // The items are sorted by the text they show, which the style decides.
        if (items_)
            items_->MarkUnsorted();
        NotifySubscribers(DisplayStyleId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvValueList::get_Appearance(IHvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        return appearance_.QueryAppearance(out);
    });
}

STDMETHODIMP HvValueList::putref_Appearance(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    return Guard([&] { return PutAppearanceValue(*value); });
}

STDMETHODIMP HvValueList::put_Appearance(VARIANT value)
{
    return Guard([&] { return PutAppearanceValue(value); });
}

HRESULT HvValueList::PutAppearanceValue(const VARIANT& value)
{
    if (!IsActive())
        return NotActiveError();
    bool changed = false;
    HRESULT hr = appearance_.PutValue(value, &changed);
    if (SUCCEEDED(hr) && changed)
        NotifySubscribers(AppearanceId, 0);
    return hr;
}

STDMETHODIMP HvValueList::IsValueProperty(DISPID dispid, VARIANT_BOOL* result)
{
    if (!result)
        return E_INVALIDARG;
    *result = dispid != AppearanceId ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP HvValueList::IsAppearanceProperty(DISPID dispid, VARIANT_BOOL* result)
{
    if (!result)
        return E_INVALIDARG;
    *result = dispid == AppearanceId ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

// --- notices ---------------------------------------------------------------

void HvValueList::OnChange(const ChangeNotice* notice)
{
    if (!notice || !IsActive())
        return;
    const std::intptr_t inner = reinterpret_cast<std::intptr_t>(notice);
    HvAppearance* appearance = appearance_.GetAppearance();
    if (appearance && notice->publisher == static_cast<ChangePublisher*>(appearance))
        NotifySubscribers(AppearanceId, inner);
    else if (items_ && notice->publisher == static_cast<ChangePublisher*>(items_))
        NotifySubscribers(ValueListItemsId, inner);
}

bool HvValueList::OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t)
{
    HvAppearance* appearance = appearance_.GetAppearance();
    if (!appearance || static_cast<ChangePublisher*>(appearance) != from)
        return true;
    // The reference takes the new appearance itself; its own link moves.
    const bool changed = appearance_.SetAppearance(dynamic_cast<HvAppearance*>(to));
    NotifySubscribers(AppearanceId, 0);
    return !changed;
}

// --- look-ups --------------------------------------------------------------

HRESULT HvValueList::SortedItems(HvValueListItems** out)
{
    *out = GetValueListItems(true);
    if (!*out)
        return E_OUTOFMEMORY;
    (*out)->EnsureSorted();
    return S_OK;
}

HRESULT HvValueList::FindText(BSTR text, const VARIANT& startIndex, bool prefix, IHvValueListItem** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!IsActive())
        return NotActiveError();
    LONG start = 0;
    bool given = false;
    if (!OptionalLong(startIndex, &start, &given))
        return E_INVALIDARG;
    HvValueListItems* items = nullptr;
    HRESULT hr = SortedItems(&items);
    if (FAILED(hr))
        return hr;
    return items->FindItemByText(text, given ? &start : nullptr, prefix, out);
}

STDMETHODIMP HvValueList::FindByTextPartial(BSTR text, VARIANT startIndex, IHvValueListItem** out)
{
    return Guard([&] { return FindText(text, startIndex, true, out); });
}

STDMETHODIMP HvValueList::FindByTextExact(BSTR text, VARIANT startIndex, IHvValueListItem** out)
{
    return Guard([&] { return FindText(text, startIndex, false, out); });
}

STDMETHODIMP HvValueList::FindByDataValue(VARIANT* criterion, IHvValueListItem** out)
{
    if (!criterion || !out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        HvValueListItems* items = nullptr;
        HRESULT hr = SortedItems(&items);
        if (FAILED(hr))
            return hr;
        return items->FindItemByValue(criterion, out);
    });
}

STDMETHODIMP HvValueList::Find(VARIANT* criteria, VARIANT compare, VARIANT startIndex, IHvValueListItem** out)
{
    if (!criteria || !out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        LONG mode = 0;
        bool given = false;
        if (!OptionalLong(compare, &mode, &given))
            return E_INVALIDARG;
        if (mode == 2)
            return FindByDataValue(criteria, out);
        if (mode != 0 && mode != 1)
            return E_INVALIDARG;
        VARIANT text;
        VariantInit(&text);
        HRESULT hr = VariantCopyInd(&text, criteria);
        if (FAILED(hr))
            return E_INVALIDARG;
        if (V_VT(&text) != VT_BSTR) {
            VariantClear(&text);
            return E_INVALIDARG;
        }
        hr = FindText(V_BSTR(&text), startIndex, mode == 1, out);
        VariantClear(&text);
        return hr;
    });
}

HRESULT HvValueList::FindItemByText(BSTR text, IHvValueListItem** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        HvValueListItems* items = nullptr;
        HRESULT hr = SortedItems(&items);
        if (FAILED(hr))
            return hr;
        switch (displayStyle_) {
        case 1:
        case 2: {
            VARIANT criterion;
            VariantInit(&criterion);
            V_VT(&criterion) = VT_BSTR;
            V_BSTR(&criterion) = text; // borrowed
            return items->FindItemByValue(&criterion, out);
        }
        case 3:
        case 4:
            return items->FindItemByText(text, nullptr, false, out);
        case 0:
            if (SysStringLen(text) > 0)
                return items->FindItemByDataValueOrText(text, out);
            break;
        default:
            break;
        }
        return Exception(ItemNotFound, ItemNotFoundString);
    });
}

HRESULT HvValueList::AnyItemHasPicture(IHvValueListItem** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    HvValueListItems* items = GetValueListItems(true);
    if (!items)
        return E_OUTOFMEMORY;
    return items->FindItemWithPicture(out);
}

HRESULT HvValueList::AddItemsTo(ValueListDropDownSeam& dropDown)
{
    HvValueListItems* items = GetValueListItems(true);
    if (!items)
        return E_OUTOFMEMORY;
    dropDown.ResetContent();
    items->EnsureSorted();
    // The entries refer to the items: they are held while the list fills.
    items->AddRef();
    for (HvKeyedItem* entry : items->Items())
        if (HvValueListItem* item = dynamic_cast<HvValueListItem*>(entry))
            dropDown.AddItem(item);
    items->Release();
    return S_OK;
}

// --- persistence -----------------------------------------------------------

STDMETHODIMP HvValueList::Save(IStream* stream, LONG arg)
{
    return Guard([&] { return SaveToStream(stream, arg); });
}

STDMETHODIMP HvValueList::Load(IStream* stream, LONG arg)
{
    return Guard([&] { return LoadFromStream(stream, arg); });
}

bool HvValueList::HasData(DWORD code, LONG categories)
{
    if (!IncludesValueLists(categories))
        return false;
    switch (code) {
    case CodeStyles:
        return displayStyle_ != 0 || sortStyle_ != 0;
    case CodeKey:
        return !key_.IsEmpty();
    case CodeItems:
        return items_ && items_->HasDataForCategories(categories);
    case CodeTag:
        return !tag_.IsEmpty();
    case CodeAppearance:
        return appearance_.IsSet();
    default:
        return false;
    }
}

HRESULT HvValueList::Save(DWORD code, IStream* stream, LONG categories)
{
    switch (code) {
    case CodeStyles: {
        const BYTE styles[2] = {displayStyle_, sortStyle_};
        return WriteBytes(stream, styles, sizeof styles);
    }
    case CodeKey:
        return WriteStringToStream(stream, key_);
    case CodeItems:
        return items_ ? items_->Save(stream, categories) : E_FAIL;
    case CodeTag:
        return tag_.SaveToStream(stream);
    case CodeAppearance:
        return appearance_.SaveToStream(stream, AppearancesInline(categories), categories);
    default:
        return S_OK;
    }
}

// Without the value-list category everything is read into temporaries and
// thrown away, so that the stream stays in step.
HRESULT HvValueList::Load(DWORD code, IStream* stream, LONG categories)
{
    const bool keep = IncludesValueLists(categories);
    switch (code) {
    case CodeStyles: {
        BYTE styles[2] = {};
        HRESULT hr = ReadBytes(stream, styles, sizeof styles);
        if (FAILED(hr))
            return hr;
        if (styles[0] > kMaxDisplayStyle)
            return E_FAIL;
        if (keep) {
            displayStyle_ = styles[0];
            sortStyle_ = styles[1];
            if (items_)
                items_->MarkUnsorted();
        }
        return S_OK;
    }
    case CodeKey: {
        if (keep) {
            HvKeyedItem::KeyChanged();
            return ReadStringFromStream(stream, key_);
        }
        CDualString scratch;
        return ReadStringFromStream(stream, scratch);
    }
    case CodeItems: {
        if (keep) {
            HvValueListItems* items = GetValueListItems(true);
            return items ? items->Load(stream, categories) : E_OUTOFMEMORY;
        }
        HvValueListItems* scratch = nullptr;
        if (FAILED(HvValueListItems::Create(layout_, nullptr, &scratch)))
            return E_OUTOFMEMORY;
        HRESULT hr = scratch->Load(stream, categories);
        scratch->Deactivate();
        scratch->Release();
        return hr;
    }
    case CodeTag: {
        if (keep)
            return tag_.LoadFromStream(stream);
        CVariantValue scratch;
        return scratch.LoadFromStream(stream);
    }
    case CodeAppearance: {
        if (keep)
            return appearance_.LoadFromStream(stream, categories);
        AppearanceRef scratch;
        scratch.Init(layout_ ? layout_->Host() : nullptr, layout_ ? layout_->Appearances() : nullptr, nullptr);
        return scratch.LoadFromStream(stream, categories);
    }
    default:
        return S_OK;
    }
}

void HvValueList::Reset(DWORD code, LONG categories)
{
    if (!IncludesValueLists(categories))
        return;
    switch (code) {
    case CodeStyles:
        displayStyle_ = 0;
        sortStyle_ = 0;
        break;
    case CodeKey:
        HvKeyedItem::EmptyKey(key_);
        break;
    case CodeItems:
        DropItems();
        break;
    case CodeTag:
        tag_.Clear();
        break;
    case CodeAppearance:
        appearance_.ReleaseAppearance();
        break;
    default:
        break;
    }
}

HRESULT HvValueList::CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories)
{
    HvValueList* other = dynamic_cast<HvValueList*>(&source);
    if (!other)
        return E_FAIL;
    if (!IncludesValueLists(categories) || other == this)
        return S_OK;
    switch (code) {
    case CodeStyles:
        displayStyle_ = other->displayStyle_;
        sortStyle_ = other->sortStyle_;
        return S_OK;
    case CodeKey:
        HvKeyedItem::CopyKey(key_, other->key_);
        return S_OK;
    case CodeItems: {
        HvValueListItems* mine = GetValueListItems(true);
        HvValueListItems* theirs = other->GetValueListItems(true);
        if (!mine || !theirs)
            return E_OUTOFMEMORY;
        return mine->CopyFrom(*theirs, categories);
    }
    case CodeTag:
        return tag_.Copy(other->tag_);
    case CodeAppearance:
        return appearance_.Assign(other->appearance_);
    default:
        return S_OK;
    }
}

HRESULT HvValueList::LoadIntoScratch(IStream* stream, LONG categories)
{
    HvValueList* scratch = nullptr;
    HRESULT hr = Create(layout_, nullptr, nullptr, &scratch);
    if (FAILED(hr))
        return hr;
    hr = scratch->LoadFrame(stream, categories);
    scratch->Deactivate();
    scratch->Release();
    return hr;
}
