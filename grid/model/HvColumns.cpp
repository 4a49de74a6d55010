// HvColumns: adding and removing columns through the band, the column
// metrics the band asks for, and the category-driven save, load, reset and
// copy.
#include "HvColumns.h"

#include "BandsLayoutSeam.h"
#include "DualString.h"
#include "GridBandSeam.h"
#include "GridColumnSeam.h"
#include "HvKeyedItem.h"
#include "MemoryStream.h"
#include "HvPersistParticipant.h"
#include "LayoutCategories.h"

#include <algorithm>

namespace {

constexpr DISPID kAddId = 2001;
constexpr DISPID kRemoveId = 2002;
constexpr DISPID kClearUnboundId = 2004;
constexpr HRESULT kBoundColumnError = static_cast<HRESULT>(0x800A9C61);
constexpr WORD kBoundColumnString = 4022;
constexpr LONG kDropDownButtonWidth = 16;

bool IsMissing(const VARIANT& value)
{
    const VARTYPE type = V_VT(&value);
    return type == VT_EMPTY || type == VT_NULL || type == VT_ERROR;
}

bool IsDropDownStyle(LONG style)
{
    return style == 4 || style == 5 || style == 6 || style == 8;
}

// A caption given as any value that converts to text; empty when none.
HRESULT CaptionText(const VARIANT& caption, BSTR* out)
{
    *out = nullptr;
    if (IsMissing(caption))
        return S_OK;
    VARIANT text;
    VariantInit(&text);
    HRESULT hr = VariantChangeType(&text, const_cast<VARIANT*>(&caption), VARIANT_NOVALUEPROP, VT_BSTR);
    if (FAILED(hr))
        return hr;
    *out = V_BSTR(&text);
    return S_OK;
}

} // namespace

HvColumns::HvColumns(GridBandSeam* band)
    : HvCollectionObject(ObjectType::Columns, OwnerPropertyId, ObjectType::Columns, true), band_(band)
{
}

HvColumns::~HvColumns()
{
    Deactivate();
}

HRESULT HvColumns::Create(GridBandSeam* band, HvColumns** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvColumns(band);
        return S_OK;
    });
}

void HvColumns::ReleaseReferences()
{
    DeactivateAllItems();
}

bool HvColumns::IsGridOwnLayout() const
{
    return band_ && band_->Layout() && band_->Layout()->IsGridOwnLayout();
}

// --- look-ups ---------------------------------------------------------------

GridColumnSeam* HvColumns::ColumnAt(LONG position) const
{
    return dynamic_cast<GridColumnSeam*>(ItemAtPosition(position));
}

GridColumnSeam* HvColumns::FindColumnByKey(const CDualString* key) const
{
    if (!key || key->IsEmpty())
        return nullptr;
    return dynamic_cast<GridColumnSeam*>(FindVectorItemByKey(key));
}

LONG HvColumns::ColumnPosition(GridColumnSeam* column) const
{
    return column ? PositionOf(column->ColumnItem()) : -1;
}

HRESULT HvColumns::LookupColumn(VARIANT* index, GridColumnSeam** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    IDispatch* found = nullptr;
    HvKeyedItem* item = nullptr;
    HRESULT hr = FindItem(index, &found, &item);
    if (FAILED(hr))
        return hr;
    GridColumnSeam* column = dynamic_cast<GridColumnSeam*>(item);
    if (!column) {
        if (found)
            found->Release();
        return E_FAIL;
    }
    // The reference the look-up handed out stays with the caller.
    *out = column;
    return hr;
}

LONG HvColumns::EndOfFlaggedColumns() const
{
    const auto& items = Items();
    for (LONG i = static_cast<LONG>(items.size()); i > 0; --i) {
        GridColumnSeam* column = dynamic_cast<GridColumnSeam*>(items[static_cast<size_t>(i - 1)]);
        if (column && column->IsBound())
            return i;
    }
    return 0;
}

LONG HvColumns::GetMaxHeaderPictureHeight() const
{
    LONG tallest = 0;
    for (HvKeyedItem* item : Items())
        if (GridColumnSeam* column = dynamic_cast<GridColumnSeam*>(item))
            tallest = std::max(tallest, column->HeaderPictureHeight());
    return tallest;
}

LONG HvColumns::GetMaxHeaderFontHeight() const
{
    LONG tallest = 0;
    for (HvKeyedItem* item : Items())
        if (GridColumnSeam* column = dynamic_cast<GridColumnSeam*>(item))
            tallest = std::max(tallest, column->HeaderFontHeight());
    return tallest;
}

LONG HvColumns::GetDropDownButtonWidth() const
{
    for (HvKeyedItem* item : Items())
        if (GridColumnSeam* column = dynamic_cast<GridColumnSeam*>(item))
            if (IsDropDownStyle(column->ResolveStyle()))
                return kDropDownButtonWidth;
    return 0;
}

// --- dispatch ---------------------------------------------------------------

STDMETHODIMP HvColumns::get_Item(VARIANT index, IHvColumn** out)
{
    return Guard([&] { return Item(&index, reinterpret_cast<IDispatch**>(out)); });
}

STDMETHODIMP HvColumns::Add(VARIANT key, VARIANT caption, IHvColumn** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();   // the column would belong to a band that has gone
        VARIANT keyCopy;
        VariantInit(&keyCopy);
        if (FAILED(VariantCopyInd(&keyCopy, &key)))
            return RaiseError(CollectionError::KeyNotString, CollectionError::KeyNotStringString);
        CDualString keyText;
        if (!IsMissing(keyCopy)) {
            if (V_VT(&keyCopy) != VT_BSTR) {
                VariantClear(&keyCopy);
                return RaiseError(CollectionError::KeyNotString, CollectionError::KeyNotStringString);
            }
            keyText.AssignWide(V_BSTR(&keyCopy));
            LONG number = 0;
            if (!keyText.IsEmpty() && ToIndex(keyCopy, &number)) {
                VariantClear(&keyCopy);
                return RaiseError(CollectionError::KeyNotString, CollectionError::KeyNotStringString);
            }
        }
        VariantClear(&keyCopy);
        if (FindColumnByKey(&keyText))
            return RaiseError(CollectionError::DuplicateKey, CollectionError::DuplicateKeyString);
        if (!band_)
            return E_FAIL;

        GridColumnSeam* column = nullptr;
        HRESULT hr = band_->AddColumn(keyText.IsEmpty() ? nullptr : &keyText, &column);
        if (FAILED(hr))
            return hr;
        if (!column)
            return E_FAIL;
        BSTR captionText = nullptr;
        if (SUCCEEDED(CaptionText(caption, &captionText)) && captionText && SysStringLen(captionText) > 0)
            column->SetHeaderCaption(captionText);
        SysFreeString(captionText);
        NotifySubscribers(kAddId, 0);
        return column->ColumnItem()->QueryItemInterface(reinterpret_cast<IDispatch**>(out));
    });
}

STDMETHODIMP HvColumns::Remove(VARIANT index)
{
    return Guard([&]() -> HRESULT {
        IDispatch* found = nullptr;
        HRESULT hr = Item(&index, &found);
        if (FAILED(hr))
            return hr;
        GridColumnSeam* column = nullptr;
        if (found) {
            if (HvKeyedItem* item = HvKeyedItem::FromObject(found))
                column = dynamic_cast<GridColumnSeam*>(item);
        }
        if (!column) {
            if (found)
                found->Release();
            return E_FAIL;
        }
        if (column->IsBound()) {
            found->Release();
            return RaiseError(kBoundColumnError, kBoundColumnString);
        }
        hr = band_ ? band_->RemoveColumnHeader(column) : E_FAIL;
        found->Release();
        if (SUCCEEDED(hr))
            NotifySubscribers(kRemoveId, 0);
        return hr;
    });
}

HRESULT HvColumns::RemoveUnboundTail(bool* removed)
{
    *removed = false;
    while (band_ && ItemCount() > 0) {
        GridColumnSeam* last = ColumnAt(ItemCount() - 1);
        if (!last || last->IsBound())
            break;
        const LONG before = ItemCount();
        const HRESULT hr = band_->RemoveColumnHeader(last);
        // A band that refuses or keeps the column would loop for ever.
        if (FAILED(hr) || ItemCount() >= before)
            return FAILED(hr) ? hr : E_FAIL;
        *removed = true;
    }
    return S_OK;
}

STDMETHODIMP HvColumns::ClearUnbound()
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        bool removed = false;
        const HRESULT hr = RemoveUnboundTail(&removed);
        if (removed && IsGridOwnLayout())
            NotifySubscribers(kClearUnboundId, 0);
        return FAILED(hr) ? hr : S_OK;
    });
}

// --- persistence ------------------------------------------------------------

HRESULT HvColumns::Save(IStream* stream, LONG categories)
{
    if (!stream)
        return E_INVALIDARG;
    const auto& items = Items();
    // Without the unbound columns only the leading bound ones go, and the
    // count written is the number of records that follow.
    LONG count = static_cast<LONG>(items.size());
    if (!HoldsAllOf(categories, UnboundColumnsCategory)) {
        count = 0;
        for (HvKeyedItem* item : items) {
            GridColumnSeam* column = dynamic_cast<GridColumnSeam*>(item);
            if (!column || !column->IsBound())
                break;
            ++count;
        }
    }
    // The columns' many small writes go to memory first.
    return MemoryStream::SaveThrough(stream, [&](IStream* buffer) {
        HRESULT hr = HvPersistParticipant::WriteBytes(buffer, &count, sizeof count);
        const LONG version = FormatVersion;
        if (SUCCEEDED(hr))
            hr = HvPersistParticipant::WriteBytes(buffer, &version, sizeof version);
        for (LONG i = 0; i < count && SUCCEEDED(hr); ++i) {
            GridColumnSeam* column = ColumnAt(i);
            hr = column ? column->Participant()->SaveToStream(buffer, categories) : E_UNEXPECTED;
        }
        return hr;
    });
}

HRESULT HvColumns::Load(IStream* stream, LONG categories)
{
    if (!stream)
        return E_INVALIDARG;
    HRESULT hr = ClearCollection(true, 0);
    if (FAILED(hr))
        return hr;
    LONG count = 0;
    hr = HvPersistParticipant::ReadBytes(stream, &count, sizeof count);
    if (FAILED(hr))
        return hr;
    if (count < 0 || count > MaxStreamItems)
        return E_FAIL;
    LONG version = 0;
    hr = HvPersistParticipant::ReadBytes(stream, &version, sizeof version);
    if (FAILED(hr))
        return hr;
    if (!band_ && count > 0)
        return E_FAIL;
    for (LONG i = 0; i < count; ++i) {
        GridColumnSeam* column = nullptr;
        hr = band_->AddColumn(nullptr, &column);
        if (SUCCEEDED(hr) && !column)
            hr = E_FAIL;
        if (SUCCEEDED(hr))
            hr = column->Participant()->LoadFromStream(stream, categories);
        if (FAILED(hr))
            return hr;
    }
    if (!HoldsAllOf(categories, UnboundColumnsCategory))
        ClearUnbound();
    return S_OK;
}

HRESULT HvColumns::ResetForCategories(LONG categories)
{
    if (!(EffectiveCategories(categories) & BandsCategory))
        return S_OK;
    if (IsGridOwnLayout()) {
        ClearUnbound();
        for (HvKeyedItem* item : std::vector<HvKeyedItem*>(Items()))
            if (GridColumnSeam* column = dynamic_cast<GridColumnSeam*>(item))
                column->Participant()->ResetAll(categories);
        return S_OK;
    }
    DeactivateAllItems();
    ClearCollection(true, 0);
    return S_OK;
}

HRESULT HvColumns::CopyFrom(HvColumns& source, LONG categories)
{
    if (&source == this)
        return S_OK;
    const std::vector<HvKeyedItem*> sourceItems = source.Items();
    if (!IsGridOwnLayout()) {
        ClearCollection(true, 0);
        for (HvKeyedItem* item : sourceItems) {
            GridColumnSeam* from = dynamic_cast<GridColumnSeam*>(item);
            if (!from || !band_)
                continue;
            GridColumnSeam* copy = nullptr;
            HRESULT hr = band_->AddColumn(item->GetKey(), &copy);
            if (SUCCEEDED(hr) && copy)
                hr = copy->Participant()->CopyAll(*from->Participant(), categories);
            if (FAILED(hr))
                return hr;
        }
        return S_OK;
    }
    if (sourceItems.empty())
        return ResetForCategories(categories);
    for (HvKeyedItem* item : sourceItems) {
        GridColumnSeam* from = dynamic_cast<GridColumnSeam*>(item);
        if (!from)
            continue;
        GridColumnSeam* match = nullptr;
        for (HvKeyedItem* mine : Items()) {
            GridColumnSeam* column = dynamic_cast<GridColumnSeam*>(mine);
            if (column && column->IsSameKey(from)) {
                match = column;
                break;
            }
        }
        if (!match && !from->IsBound() && band_) {
            HRESULT hr = band_->AddColumn(item->GetKey(), &match);
            if (FAILED(hr))
                return hr;
        }
        if (match) {
            HRESULT hr = match->Participant()->CopyAll(*from->Participant(), categories);
            if (FAILED(hr))
                return hr;
        }
    }
    return S_OK;
}

bool HvColumns::AnyColumnHasCategoryData(LONG categories) const
{
    for (HvKeyedItem* item : Items())
        if (GridColumnSeam* column = dynamic_cast<GridColumnSeam*>(item))
            if (column->Participant()->HasAnyCategoryData(categories))
                return true;
    return false;
}
