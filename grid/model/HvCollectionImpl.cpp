// HvCollectionImpl: the default behaviour of every collection operation.
#include "HvCollectionImpl.h"

#include "StoredStateRead.h"

#include "AutomationObject.h"
#include "CollectionBlob.h"
#include "DualString.h"
#include "EnumObject.h"
#include "HvCollectionItem.h"
#include "HvKeyedItem.h"
#include "MemoryStream.h"

#include <cmath>
#include <new>

// {8B1D4E72-2C5A-4F93-B7E0-61A9D3C58F21}
extern "C" const IID IID_HvCollectionImpl = {0x8b1d4e72, 0x2c5a, 0x4f93, {0xb7, 0xe0, 0x61, 0xa9, 0xd3, 0xc5, 0x8f, 0x21}};

namespace {

constexpr USHORT kChangeFlags = VARIANT_NOVALUEPROP | VARIANT_LOCALBOOL;

bool IsMissing(const VARIANT* value)
{
    if (!value)
        return true;
    const VARTYPE type = V_VT(value);
    return type == VT_EMPTY || type == VT_NULL || type == VT_ERROR;
}

bool IsObjectType(VARTYPE type)
{
    return type == VT_DISPATCH || type == VT_UNKNOWN || type == (VT_DISPATCH | VT_BYREF) ||
           type == (VT_UNKNOWN | VT_BYREF);
}

// A text that converts to a number would be taken for a position.
bool LooksLikeNumber(BSTR text)
{
    VARIANT copy;
    VariantInit(&copy);
    V_VT(&copy) = VT_BSTR;
    V_BSTR(&copy) = text;
    VARIANT number;
    VariantInit(&number);
    const bool numeric = SUCCEEDED(VariantChangeType(&number, &copy, kChangeFlags, VT_R4));
    VariantClear(&number);
    return numeric;
}

HRESULT ReadLong(IStream* stream, LONG* value)
{
    ULONG read = 0;
    HRESULT hr = stream->Read(value, 4, &read);
    if (FAILED(hr))
        return hr;
    return read == 4 ? S_OK : HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);
}

HRESULT WriteLong(IStream* stream, LONG value)
{
    ULONG written = 0;
    HRESULT hr = stream->Write(&value, 4, &written);
    if (FAILED(hr))
        return hr;
    return written == 4 ? S_OK : STG_E_MEDIUMFULL;
}

// Clears the busy flag however the operation ends.
class BusyScope {
public:
    explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& flag_;
};

} // namespace

STDMETHODIMP HvCollectionImpl::QueryInterface(REFIID iid, void** out)
{
    return base_.ForwardQueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) HvCollectionImpl::AddRef()
{
    return base_.AddRef();
}

STDMETHODIMP_(ULONG) HvCollectionImpl::Release()
{
    return base_.Release();
}

HRESULT HvCollectionImpl::GetFirstIndex(LONG* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = FirstIndex();
    return S_OK;
}

HRESULT HvCollectionImpl::CreateItem(HvKeyedItem** out, const CDualString*, LONG)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return E_FAIL;
}

HRESULT HvCollectionImpl::RaiseError(HRESULT result, WORD stringId, DWORD helpContext)
{
    return base_.Exception(result, stringId, helpContext);
}

HRESULT HvCollectionImpl::BeforeRemoveItem(HvKeyedItem*)
{
    return S_OK;
}

HRESULT HvCollectionImpl::BeforeClear(bool, LONG, bool* notifyEach)
{
    if (notifyEach)
        *notifyEach = false;
    return S_OK;
}

void HvCollectionImpl::OnItemRemoved(HvKeyedItem*, bool, LONG, bool) {}
void HvCollectionImpl::OnItemAdded(HvKeyedItem*, LONG, LONG) {}
void HvCollectionImpl::OnCleared(bool, LONG) {}

HRESULT HvCollectionImpl::SaveExtra(IStream*, LONG)
{
    return S_OK;
}

HRESULT HvCollectionImpl::LoadExtra(IStream*, LONG, LONG)
{
    return S_OK;
}

HRESULT HvCollectionImpl::GetCount(LONG* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = ItemCount();
    return S_OK;
}

bool HvCollectionImpl::ToIndex(const VARIANT& value, LONG* index)
{
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeType(&number, const_cast<VARIANT*>(&value), kChangeFlags, VT_R4)))
        return false;
    const double truncated = std::trunc(static_cast<double>(V_R4(&number)));
    if (!std::isfinite(truncated) || truncated < -2147483648.0 || truncated > 2147483647.0)
        return false;
    *index = static_cast<LONG>(truncated);
    return true;
}

HRESULT HvCollectionImpl::Add(VARIANT* key, VARIANT* index, IDispatch** out, LONG arg)
{
    if (IsReadOnly())
        return RaiseError(CollectionError::ReadOnly, CollectionError::ReadOnlyString);
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;

    BSTR keyText = nullptr;
    if (!IsMissing(key)) {
        if (V_VT(key) == VT_BSTR)
            keyText = V_BSTR(key);
        else if (V_VT(key) == (VT_BSTR | VT_BYREF))
            keyText = V_BSTRREF(key) ? *V_BSTRREF(key) : nullptr;
        else
            return RaiseError(CollectionError::KeyNotString, CollectionError::KeyNotStringString);
    }

    LONG position = 0;
    const LONG* at = nullptr;
    if (!IsMissing(index)) {
        if (V_VT(index) == VT_I4) {
            position = V_I4(index);
        } else if (V_VT(index) == VT_UI4 && V_UI4(index) <= 0x7FFFFFFF) {
            position = static_cast<LONG>(V_UI4(index));
        } else if (V_VT(index) == VT_UI4 || !ToIndex(*index, &position)) {
            return RaiseError(CollectionError::BadIndex, CollectionError::BadIndexString, 1);
        }
        at = &position;
    }
    return AddInternal(keyText, at, out, arg);
}

HRESULT HvCollectionImpl::AddByKey(BSTR* key, VARIANT index, IDispatch** out, LONG arg)
{
    VARIANT keyValue;
    VariantInit(&keyValue);
    if (key && *key) {
        V_VT(&keyValue) = VT_BSTR;
        V_BSTR(&keyValue) = *key; // borrowed: not cleared here
    } else {
        V_VT(&keyValue) = VT_ERROR;
        V_ERROR(&keyValue) = DISP_E_PARAMNOTFOUND;
    }
    return Add(&keyValue, &index, out, arg);
}

HRESULT HvCollectionImpl::AddUnkeyed(VARIANT* index)
{
    if (IsReadOnly())
        return RaiseError(CollectionError::ReadOnly, CollectionError::ReadOnlyString);
    VARIANT missing;
    VariantInit(&missing);
    V_VT(&missing) = VT_ERROR;
    V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
    IDispatch* added = nullptr;
    HRESULT hr = Add(&missing, index, &added, 0);
    if (added)
        added->Release();
    return hr;
}

HRESULT HvCollectionImpl::AddInternal(BSTR key, const LONG* index, IDispatch** out, LONG arg)
{
    if (IsReadOnly())
        return RaiseError(CollectionError::ReadOnly, CollectionError::ReadOnlyString);
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;

    CDualString keyString;
    const CDualString* itemKey = nullptr;
    if (SupportsKeys()) {
        if (!key || SysStringLen(key) == 0) {
            if (KeyRequired())
                return RaiseError(CollectionError::KeyNotString, CollectionError::KeyNotStringString);
        } else {
            if (LooksLikeNumber(key))
                return RaiseError(CollectionError::KeyNotString, CollectionError::KeyNotStringString);
            keyString.AssignWide(key);
            if (VectorCollectionHasDuplicateKey(&keyString, nullptr))
                return RaiseError(CollectionError::DuplicateKey, CollectionError::DuplicateKeyString);
            itemKey = &keyString;
        }
    }

    // A position the insertion would refuse is refused before anything is
    // made: making some items has effects of its own (a group's header).
    if (index && *index >= 0) {
        const LONG position = *index - FirstIndex();
        if (position < 0 || position > ItemCount())
            return RaiseError(CollectionError::BadIndex, CollectionError::BadIndexString);
    }
    HvKeyedItem* item = nullptr;
    HRESULT hr = CreateItem(&item, itemKey, arg);
    if (FAILED(hr))
        return hr;
    if (!item)
        return E_FAIL;
    hr = InsertItem(index ? *index : -1, item, false, arg);
    if (FAILED(hr)) {
        item->ReleaseItem();
        return hr;
    }
    return item->QueryItemInterface(out);
}

HRESULT HvCollectionImpl::HandOut(HvKeyedItem* item, IDispatch** out)
{
    return item->QueryItemInterface(out);
}

HRESULT HvCollectionImpl::FindByObject(IUnknown* object, IDispatch** out, HvKeyedItem** item)
{
    HvKeyedItem* keyed = HvKeyedItem::FromObject(object);
    if (!keyed || CollectionIndexOf(keyed) < 0)
        return RaiseError(CollectionError::BadObject, CollectionError::BadObjectString);
    HRESULT hr = HandOut(keyed, out);
    if (FAILED(hr))
        return RaiseError(CollectionError::BadObject, CollectionError::BadObjectString);
    if (item)
        *item = keyed;
    return hr;
}

HRESULT HvCollectionImpl::FindItem(VARIANT* index, IDispatch** out, HvKeyedItem** item)
{
    if (!out || !index)
        return E_INVALIDARG;
    *out = nullptr;
    if (item)
        *item = nullptr;
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = VariantCopyInd(&value, index);
    if (FAILED(hr))
        return RaiseError(CollectionError::BadIndex, CollectionError::BadIndexString);

    HvKeyedItem* found = nullptr;
    const VARTYPE type = V_VT(&value);
    if (IsMissing(&value)) {
        hr = RaiseError(CollectionError::BadIndex, CollectionError::BadIndexString);
    } else if (type == VT_DISPATCH || type == VT_UNKNOWN) {
        hr = FindByObject(V_UNKNOWN(&value), out, item);
    } else if (type == VT_BSTR && !LooksLikeNumber(V_BSTR(&value))) {
        if (SupportsKeys() && SysStringLen(V_BSTR(&value)) > 0) {
            CDualString key(V_BSTR(&value));
            found = FindVectorItemByKey(&key);
        }
        hr = found ? HandOut(found, out) : E_FAIL;
        if (FAILED(hr))
            hr = RaiseError(CollectionError::BadIndex, CollectionError::BadIndexString);
    } else {
        LONG number = -1;
        if (!ToIndex(value, &number))
            number = -1;
        const LONG position = number - FirstIndex();
        if (number < 0 || position < 0 || position >= ItemCount() || !(found = ItemAtPosition(position)))
            hr = RaiseError(CollectionError::BadIndex, CollectionError::BadIndexString);
        else
            hr = HandOut(found, out);
    }
    if (SUCCEEDED(hr) && item && found)
        *item = found;
    VariantClear(&value);
    return hr;
}

HRESULT HvCollectionImpl::Item(VARIANT* index, IDispatch** out)
{
    if (!index || !out)
        return E_INVALIDARG;
    *out = nullptr;
    if (IsObjectType(V_VT(index)))
        return RaiseError(CollectionError::BadIndex, CollectionError::BadIndexString);
    return FindItem(index, out);
}

HRESULT HvCollectionImpl::Remove(VARIANT* index)
{
    if (IsReadOnly())
        return RaiseError(CollectionError::ReadOnly, CollectionError::ReadOnlyString);
    IDispatch* found = nullptr;
    HvKeyedItem* item = nullptr;
    HRESULT hr = FindItem(index, &found, &item);
    if (FAILED(hr))
        return hr;
    if (!found || !item) {
        if (found)
            found->Release();
        return RaiseError(CollectionError::BadIndex, CollectionError::BadIndexString);
    }
    hr = RemoveCollectionItem(item);
    found->Release();
    return hr;
}

std::vector<HvKeyedItem*> HvCollectionImpl::ItemsInOrder() const
{
    std::vector<HvKeyedItem*> items;
    const LONG count = ItemCount();
    items.reserve(static_cast<size_t>(count > 0 ? count : 0));
    for (LONG i = 0; i < count; ++i)
        items.push_back(ItemAtPosition(i));
    return items;
}

HRESULT HvCollectionImpl::NewEnum(IUnknown** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    const std::vector<HvKeyedItem*> items = ItemsInOrder();
    const auto count = static_cast<LONG>(items.size());
    EnumElementArray snapshot(static_cast<ULONG>(count), sizeof(VARIANT), ClearVariantElement);
    if (snapshot.Count() != static_cast<ULONG>(count))
        return RaiseError(CollectionError::OperationFailed, CollectionError::OperationFailedString);
    for (LONG i = 0; i < count; ++i) {
        VARIANT* entry = static_cast<VARIANT*>(snapshot.At(static_cast<ULONG>(i)));
        VariantInit(entry);
        if (HvKeyedItem* item = items[static_cast<size_t>(i)]) {
            IDispatch* handed = nullptr;
            item->QueryItemInterface(&handed);
            V_VT(entry) = VT_DISPATCH;
            V_DISPATCH(entry) = handed;
        }
    }
    IUnknown* enumerator = nullptr;
    HRESULT hr = CEnumObject::Create(IID_IEnumVARIANT, std::move(snapshot), CopyVariantElement, nullptr,
                                     reinterpret_cast<void**>(&enumerator));
    if (SUCCEEDED(hr)) {
        hr = enumerator->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(out));
        enumerator->Release();
    }
    if (FAILED(hr))
        return RaiseError(CollectionError::OperationFailed, CollectionError::OperationFailedString);
    return S_OK;
}

HRESULT HvCollectionImpl::Save(IStream* stream, LONG arg)
{
    if (!stream)
        return E_INVALIDARG;
    // The items' many small writes go to memory first.
    return MemoryStream::SaveThrough(stream, [&](IStream* buffer) {
        const std::vector<HvKeyedItem*> items = ItemsInOrder();
        HRESULT hr = WriteLong(buffer, static_cast<LONG>(items.size()));
        if (SUCCEEDED(hr))
            hr = WriteLong(buffer, FormatVersion);
        for (size_t i = 0; SUCCEEDED(hr) && i < items.size(); ++i) {
            HvKeyedItem* item = items[i];
            HvCollectionItem* persist = nullptr;
            hr = item ? item->GetItemObject()->ForwardQueryInterface(IID_HvCollectionItem,
                                                                      reinterpret_cast<void**>(&persist))
                      : E_UNEXPECTED;
            if (SUCCEEDED(hr)) {
                hr = persist->Save(buffer, arg);
                persist->Release();
            }
        }
        return FAILED(hr) ? hr : SaveExtra(buffer, arg);
    });
}

HRESULT HvCollectionImpl::Load(IStream* stream, LONG arg)
{
    if (!stream)
        return E_INVALIDARG;
    return StoredStateRead::Run(
        stream,
        [&] {
            HvCollectionImpl* scratch = CreateScratch();
            if (!scratch)
                return S_OK;
            const HRESULT hr = scratch->LoadItems(stream, arg);
            scratch->ClearCollection(true, 1);
            scratch->Release();
            return hr;
        },
        [&] { return LoadItems(stream, arg); });
}

HRESULT HvCollectionImpl::LoadItems(IStream* stream, LONG arg)
{
    HRESULT hr = ClearCollection(true, 0);
    if (FAILED(hr))
        return hr;
    LONG count = 0;
    hr = ReadLong(stream, &count);
    if (FAILED(hr))
        return hr;
    if (count < 0 || count > MaxStreamItems)
        return E_FAIL;
    LONG version = 0;
    hr = ReadLong(stream, &version);
    if (FAILED(hr))
        return hr;
    for (LONG i = 0; i < count; ++i) {
        HvKeyedItem* item = nullptr;
        hr = CreateItem(&item, nullptr, 0);
        if (FAILED(hr))
            return hr;
        if (!item)
            return E_FAIL;
        hr = AppendLoadedItem(item);
        if (FAILED(hr)) {
            item->ReleaseItem();
            return hr;
        }
        HvCollectionItem* persist = nullptr;
        hr = item->GetItemObject()->ForwardQueryInterface(IID_HvCollectionItem, reinterpret_cast<void**>(&persist));
        if (FAILED(hr))
            return hr;
        hr = persist->Load(stream, arg);
        persist->Release();
        if (FAILED(hr))
            return hr;
    }
    return LoadExtra(stream, version, arg);
}

HRESULT HvCollectionImpl::SaveToPropertyBag(IPropertyBag* bag, LPCOLESTR name, LONG arg)
{
    if (!bag || !name)
        return E_INVALIDARG;
    BusyScope busy(busy_);
    if (ItemCount() < 1)
        return S_OK;
    return CollectionBlob::WriteEntry(bag, name, [&](IStream* stream) { return Save(stream, arg); });
}

HRESULT HvCollectionImpl::LoadFromPropertyBag(IPropertyBag* bag, IErrorLog* log, LPCOLESTR name, LONG arg)
{
    if (!bag || !name)
        return E_INVALIDARG;
    BusyScope busy(busy_);
    HRESULT hr = ClearCollection(true, 0);
    if (FAILED(hr))
        return hr;
    // An empty collection writes no entry: its absence loads as empty.
    hr = CollectionBlob::ReadEntry(bag, log, name, [&](IStream* stream) { return Load(stream, arg); });
    return hr == S_FALSE ? S_OK : hr;
}

bool HvCollectionImpl::IndexedLookup(const char* text, const std::vector<HvKeyedItem*>** out) const
{
    *out = nullptr;
    if (!IndexesKeys())
        return false;
    if (!keyIndex_.IsCurrent()) {
        try {
            if (!keyIndex_.Build(ItemsInOrder()))
                return false;
        } catch (const std::bad_alloc&) {
            keyIndex_.Drop();
            return false;
        }
    }
    return keyIndex_.Lookup(text, out);
}

HvKeyedItem* HvCollectionImpl::FindVectorItemByKey(const CDualString* key) const
{
    if (!key)
        return nullptr;
    // One indexed item is the answer; several are ordered by the walk below,
    // which finds the first in storage order.
    const std::vector<HvKeyedItem*>* candidates = nullptr;
    if (IndexedLookup(key->Text(), &candidates)) {
        if (!candidates)
            return nullptr;
        if (candidates->size() == 1) {
            HvKeyedItem* item = candidates->front();
            const CDualString* itemKey = item->GetKey();
            if (itemKey && KeysEqual(itemKey->Text(), key->Text()))
                return item;
        }
    }
    const LONG count = ItemCount();
    for (LONG i = 0; i < count; ++i) {
        HvKeyedItem* item = ItemAtPosition(i);
        if (!item)
            continue;
        const CDualString* itemKey = item->GetKey();
        if (itemKey && KeysEqual(itemKey->Text(), key->Text()))
            return item;
    }
    return nullptr;
}

LONG HvCollectionImpl::CollectionIndexOf(const HvKeyedItem* item) const
{
    const LONG position = item ? PositionOf(item) : -1;
    return position < 0 ? -1 : FirstIndex() + position;
}

bool HvCollectionImpl::VectorCollectionHasDuplicateKey(const CDualString* key, const HvKeyedItem* except) const
{
    if (!SupportsKeys() || !key || key->IsEmpty())
        return false;
    const std::vector<HvKeyedItem*>* candidates = nullptr;
    if (IndexedLookup(key->Text(), &candidates)) {
        if (!candidates)
            return false;
        bool stale = false;
        for (HvKeyedItem* item : *candidates) {
            if (item == except)
                continue;
            const CDualString* itemKey = item->GetKey();
            if (itemKey && KeysEqual(itemKey->Text(), key->Text()))
                return true;
            stale = true;
        }
        if (!stale)
            return false;
    }
    const LONG count = ItemCount();
    for (LONG i = 0; i < count; ++i) {
        HvKeyedItem* item = ItemAtPosition(i);
        if (!item || item == except)
            continue;
        const CDualString* itemKey = item->GetKey();
        if (itemKey && KeysEqual(itemKey->Text(), key->Text()))
            return true;
    }
    return false;
}

void HvCollectionImpl::DeactivateAllItems()
{
    const LONG count = ItemCount();
    for (LONG i = 0; i < count; ++i)
        if (HvKeyedItem* item = ItemAtPosition(i))
            CAutomationObject::Deactivate(item->GetItemObject());
}

HvCollectionImpl* HvCollectionImpl::FromObject(IUnknown* object)
{
    if (!object)
        return nullptr;
    HvCollectionImpl* collection = nullptr;
    if (FAILED(object->QueryInterface(IID_HvCollectionImpl, reinterpret_cast<void**>(&collection))))
        return nullptr;
    collection->Release(); // the object keeps its own references
    return collection;
}

bool HvCollectionImpl::KeysEqual(const char* a, const char* b)
{
    if (!a || !b)
        return a == b;
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a, -1, b, -1) == CSTR_EQUAL;
}
