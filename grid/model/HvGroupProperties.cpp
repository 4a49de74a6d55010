// HvGroup: the members of IHvGroup and the group's persistence.
#include "HvGroup.h"

#include "ColumnBandSeam.h"
#include "ColumnErrors.h"
#include "ColumnLayoutSeam.h"
#include "GridBandSeam.h"
#include "HvGroupCols.h"
#include "HvGroups.h"
#include "HvHeader.h"
#include "LayoutCategories.h"
#include "LayoutUnitsSeam.h"
#include "SelectionControlSeam.h"
#include "StreamText.h"
#include "Units.h"

#include <algorithm>
#include <cmath>

namespace {

double ToUnitsX(ColumnLayoutSeam* layout, LONG pixels)
{
    LayoutUnitsSeam* units = layout ? layout->Units() : nullptr;
    return units ? units->PixelsToUnitsX(pixels) : PixelsToTwipsX(pixels);
}

LONG ToPixelsX(ColumnLayoutSeam* layout, float value)
{
    LayoutUnitsSeam* units = layout ? layout->Units() : nullptr;
    return units ? units->UnitsToPixelsX(value) : TwipsToPixelsX(static_cast<int>(value));
}

} // namespace

STDMETHODIMP HvGroup::get_CellAppearance(IHvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        return cellAppearance_.QueryAppearance(out);
    });
}

STDMETHODIMP HvGroup::putref_CellAppearance(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    return put_CellAppearance(*value);
}

STDMETHODIMP HvGroup::put_CellAppearance(VARIANT value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        bool changed = false;
        hr = cellAppearance_.PutValue(value, &changed);
        if (SUCCEEDED(hr) && changed)
            NotifySubscribers(CellAppearanceId, 0);
        return hr;
    });
}

STDMETHODIMP HvGroup::get_Band(IHvBand** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        GridBandSeam* band = band_ ? band_->GridBand() : nullptr;
        if (!band || !band->BandItem())
            return S_OK;
        return band->BandItem()->QueryItemInterface(reinterpret_cast<IDispatch**>(out));
    });
}

STDMETHODIMP HvGroup::get_Header(IHvHeader** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (!header_)
            CreateHeader(nullptr);
        return header_->QueryInterface(IID_IHvHeader, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvGroup::get_Hidden(VARIANT_BOOL* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = (flags_ & FlagHidden) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP HvGroup::put_Hidden(VARIANT_BOOL value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        const bool hidden = value != VARIANT_FALSE;
        if (((flags_ & FlagHidden) != 0) == hidden)
            return S_OK;
        flags_ ^= FlagHidden;
        NotifySubscribers(HiddenId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvGroup::get_Index(short* out)
{
    if (!out)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    *out = static_cast<short>(GetIndex());
    return S_OK;
}

STDMETHODIMP HvGroup::get_Key(BSTR* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = CDualString(key_).AllocSysString();
    return *out || key_.IsEmpty() ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP HvGroup::get_Selected(VARIANT_BOOL* out)
{
    if (!out)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    ColumnLayoutSeam* layout = ItemLayout();
    if (layout && layout->IsDesignMode())
        return RaiseError(ColumnError::DesignTime, ColumnError::DesignTimeString);
    *out = IsSelectedItem() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP HvGroup::put_Selected(VARIANT_BOOL value)
{
    return Guard([&]() -> HRESULT {
        ColumnLayoutSeam* layout = ItemLayout();
        if (layout && layout->IsDesignMode())
            return RaiseError(ColumnError::DesignTime, ColumnError::DesignTimeString);
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        if (!band_)
            return E_FAIL;
        ControlHold hold(HvColumnGroupImpl::GridControl());
        hr = band_->SelectGroup(this, value != VARIANT_FALSE, true);
        if (hr == ColumnError::SelectedInOtherBand)
            return RaiseError(ColumnError::SelectedInOtherBand, ColumnError::SelectedInOtherBandString);
        return hr;
    });
}

STDMETHODIMP HvGroup::get_Width(float* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = 0;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        const LONG pixels = record_ ? record_->width : GetDefaultWidth();
        *out = static_cast<float>(ToUnitsX(ItemLayout(), pixels));
        return S_OK;
    });
}

STDMETHODIMP HvGroup::put_Width(float value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        HRESULT hr = CheckNotReadOnlyInEvent();
        if (FAILED(hr))
            return hr;
        if (!std::isfinite(value) || value < 0 || value >= 2147483648.0f)
            return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        LONG pixels = ToPixelsX(ItemLayout(), value);
        if (record_) {
            pixels = std::max(pixels, record_->minWidth);
            if (record_->maxWidth > record_->minWidth)
                pixels = std::min(pixels, record_->maxWidth);
            record_->width = pixels;
            return S_OK;
        }
        return RecalcWidth(pixels, false, true, true, true);
    });
}

STDMETHODIMP HvGroup::get_Columns(IHvGroupCols** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        HvGroupCols* list = GetGroupCols(true);
        if (!list)
            return levelCopy_ ? S_OK : E_OUTOFMEMORY;
        return list->QueryInterface(IID_IHvGroupCols, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvGroup::IsValueProperty(DISPID dispid, VARIANT_BOOL* result)
{
    if (!result)
        return E_INVALIDARG;
    *result = dispid == HeaderId || dispid == CellAppearanceId ? VARIANT_FALSE : VARIANT_TRUE;
    return S_OK;
}

STDMETHODIMP HvGroup::IsAppearanceProperty(DISPID dispid, VARIANT_BOOL* result)
{
    if (!result)
        return E_INVALIDARG;
    *result = dispid == CellAppearanceId ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

// --- persistence -------------------------------------------------------------------

STDMETHODIMP HvGroup::Save(IStream* stream, LONG arg)
{
    return Guard([&] { return SaveToStream(stream, arg); });
}

STDMETHODIMP HvGroup::Load(IStream* stream, LONG arg)
{
    return Guard([&] { return LoadFromStream(stream, arg); });
}

bool HvGroup::HasData(DWORD code, LONG categories)
{
    if (!HoldsAllOf(categories, GroupsCategory))
        return false;
    switch (code) {
    case CodeWidth:
        return ownWidth_ != 0 || (flags_ & FlagHidden);
    case CodeCellAppearance:
        return cellAppearance_.IsSet();
    case CodeColumns:
        return groupCols_ && groupCols_->ItemCount() > 0;
    case CodeHeader:
        return header_ && header_->HasAnyCategoryData(categories);
    case CodeKey:
        return !key_.IsEmpty();
    case CodeTag:
        return !tag_.IsEmpty();
    default:
        return false;
    }
}

HRESULT HvGroup::Save(DWORD code, IStream* stream, LONG categories)
{
    switch (code) {
    case CodeWidth: {
        ColumnLayoutSeam* layout = ItemLayout();
        WidthBlock block;
        block.width = layout ? layout->FixedPixelsToTwipsX(ownWidth_) : PixelsToTwipsX(ownWidth_);
        block.flags = flags_;
        return WriteBytes(stream, &block, sizeof block);
    }
    case CodeCellAppearance:
        return cellAppearance_.SaveToStream(stream, false, 0);
    case CodeColumns:
        return groupCols_ ? groupCols_->Save(stream, categories) : E_FAIL;
    case CodeHeader:
        return header_ ? header_->SaveToStream(stream, categories) : E_FAIL;
    case CodeKey:
        return WriteStringToStream(stream, key_);
    case CodeTag:
        return tag_.SaveToStream(stream);
    default:
        return S_OK;
    }
}

HRESULT HvGroup::Load(DWORD code, IStream* stream, LONG categories)
{
    if (!HoldsAllOf(categories, GroupsCategory))
        return S_OK;
    switch (code) {
    case CodeWidth: {
        WidthBlock block;
        HRESULT hr = ReadBytes(stream, &block, sizeof block);
        if (FAILED(hr))
            return hr;
        ColumnLayoutSeam* layout = ItemLayout();
        ownWidth_ = layout ? layout->FixedTwipsToPixelsX(block.width) : TwipsToPixelsX(block.width);
        flags_ = block.flags;
        return S_OK;
    }
    case CodeCellAppearance:
        return cellAppearance_.LoadFromStream(stream, 0);
    case CodeColumns: {
        HvGroupCols* list = GetGroupCols(true);
        return list ? list->LoadColumnList(stream, categories) : E_OUTOFMEMORY;
    }
    case CodeHeader:
        return header_ ? header_->LoadFromStream(stream, categories) : E_FAIL;
    case CodeKey:
        HvKeyedItem::KeyChanged();
        return ReadStringFromStream(stream, key_);
    case CodeTag:
        return tag_.LoadFromStream(stream);
    default:
        return S_OK;
    }
}

void HvGroup::Reset(DWORD code, LONG categories)
{
    switch (code) {
    case CodeWidth:
        ownWidth_ = 0;
        flags_ = 0;
        break;
    case CodeCellAppearance:
        cellAppearance_.ReleaseAppearance();
        break;
    case CodeColumns:
        if (groupCols_)
            groupCols_->Clear();
        ReleaseGroupCols();
        break;
    case CodeHeader:
        if (header_)
            header_->ResetAll(categories);
        break;
    case CodeKey:
        HvKeyedItem::EmptyKey(key_);
        break;
    case CodeTag:
        tag_.Clear();
        break;
    default:
        break;
    }
}

HRESULT HvGroup::CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories)
{
    HvGroup* other = dynamic_cast<HvGroup*>(&source);
    if (!other)
        return E_FAIL;
    if (!HoldsAllOf(categories, GroupsCategory))
        return S_OK;
    switch (code) {
    case CodeWidth:
        ownWidth_ = other->ownWidth_;
        flags_ = other->flags_;
        return S_OK;
    case CodeCellAppearance:
        return cellAppearance_.Assign(other->cellAppearance_);
    case CodeColumns: {
        if (!other->groupCols_)
            return S_OK;
        HvGroupCols* list = GetGroupCols(true);
        return list ? list->CopyFrom(*other->groupCols_) : E_OUTOFMEMORY;
    }
    case CodeHeader:
        return header_ && other->header_ ? header_->CopyAll(*other->header_, categories) : S_OK;
    case CodeKey:
        HvKeyedItem::CopyKey(key_, other->key_);
        return S_OK;
    case CodeTag:
        return tag_.Copy(other->tag_);
    default:
        return S_OK;
    }
}
