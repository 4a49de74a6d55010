// HvColumn: the members of IHvColumn.
#include "HvColumn.h"

#include "ColumnBandSeam.h"
#include "ColumnErrors.h"
#include "ColumnInfoSeam.h"
#include "ColumnLayoutSeam.h"
#include "GridBandSeam.h"
#include "HvColumns.h"
#include "HvGroup.h"
#include "HvGroupCols.h"
#include "HvGroups.h"
#include "HvHeader.h"
#include "HvSelectedCols.h"
#include "HvValueList.h"
#include "HvValueLists.h"
#include "LayoutUnitsSeam.h"
#include "SelectionBandSeam.h"
#include "Units.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr DISPID kAutoEditId = 1108;
constexpr DISPID kAutoSizeEditId = 1109;
constexpr DISPID kButtonDisplayStyleId = 1111;
constexpr DISPID kCaseId = 1112;
constexpr DISPID kColSpanId = 1100;
constexpr DISPID kDataTypeId = 1115;
constexpr DISPID kActivationId = 1081;
constexpr DISPID kFieldLenId = 1117;
constexpr DISPID kGroupId = 1120;
constexpr DISPID kLockedWidthId = 1118;
constexpr DISPID kMaskClipModeId = 2142;
constexpr DISPID kMaskDataModeId = 2143;
constexpr DISPID kMaskDisplayModeId = 2149;
constexpr DISPID kMaskInputId = 2145;
constexpr DISPID kMaxWidthId = 1022;
constexpr DISPID kMinWidthId = 2157;
constexpr DISPID kNullableId = 1125;
constexpr DISPID kPromptCharId = 1129;
constexpr DISPID kProportionalResizeId = 1119;
constexpr DISPID kSortIndicatorId = 1131;
constexpr DISPID kStyleId = 1132;
constexpr DISPID kTabStopId = -516;
constexpr DISPID kValueListId = 1133;
constexpr DISPID kVertScrollBarId = 1134;
constexpr DISPID kCellMultiLineId = 1189;
constexpr DISPID kReferenceColumnId = 1107;

bool IsMissing(const VARIANT& value)
{
    return V_VT(&value) == VT_EMPTY || V_VT(&value) == VT_NULL ||
           (V_VT(&value) == VT_ERROR && V_ERROR(&value) == DISP_E_PARAMNOTFOUND);
}

bool IsAcceptedDataType(LONG type)
{
    return type == 0 || (type >= 2 && type <= 12) || type == 14 || type == 17 || type == 20 ||
           (type >= 128 && type <= 131) || (type >= 133 && type <= 135);
}

// A size in container units that may be converted to pixels.
bool IsValidSize(float value)
{
    return std::isfinite(value) && value >= 0 && value < 2147483648.0f;
}

} // namespace

// --- helpers ---------------------------------------------------------------------

HRESULT HvColumn::PutNibble(BYTE& field, bool high, LONG value, LONG maximum, DISPID dispid)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        if (value < 0 || value > maximum)
            return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        if (GetNibble(field, high) == value)
            return S_OK;
        field = high ? static_cast<BYTE>((field & 0x0F) | (value << 4))
                     : static_cast<BYTE>((field & 0xF0) | value);
        if (dispid == kMaskClipModeId || dispid == kMaskDataModeId || dispid == kCellMultiLineId)
            ApplyMaskSettings();
        NotifySubscribers(dispid, 0);
        return S_OK;
    });
}

HRESULT HvColumn::PutFlag(BYTE flag, VARIANT_BOOL value, DISPID dispid, bool ignoreForChapter)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        if (ignoreForChapter && GetChildBand())
            return S_OK;
        const bool set = value != VARIANT_FALSE;
        if (((settings_.flags & flag) != 0) == set)
            return S_OK;
        settings_.flags = set ? static_cast<BYTE>(settings_.flags | flag) : static_cast<BYTE>(settings_.flags & ~flag);
        NotifySubscribers(dispid, 0);
        return S_OK;
    });
}

HRESULT HvColumn::LevelCopyForward(HvColumn** source)
{
    *source = this;
    if (!levelCopy_)
        return S_OK;
    if (!record_ || !record_->source)
        return E_FAIL;
    *source = record_->source;
    return S_OK;
}

#define HV_GET_FLAG(name, flag)                                          \
    STDMETHODIMP HvColumn::get_##name(VARIANT_BOOL* out)                  \
    {                                                                    \
        if (!out)                                                        \
            return E_INVALIDARG;                                         \
        *out = (settings_.flags & (flag)) ? VARIANT_TRUE : VARIANT_FALSE; \
        return S_OK;                                                     \
    }

#define HV_NIBBLE(name, type, field, high, maximum, dispid)                             \
    STDMETHODIMP HvColumn::get_##name(type* out)                                        \
    {                                                                                   \
        if (!out)                                                                       \
            return E_INVALIDARG;                                                        \
        *out = static_cast<type>(GetNibble(settings_.field, high));                     \
        return S_OK;                                                                    \
    }                                                                                   \
    STDMETHODIMP HvColumn::put_##name(type value)                                       \
    {                                                                                   \
        return PutNibble(settings_.field, high, static_cast<LONG>(value), maximum, dispid); \
    }

HV_GET_FLAG(AutoEdit, FlagAutoEdit)
HV_GET_FLAG(LockedWidth, FlagLockedWidth)
HV_GET_FLAG(ProportionalResize, FlagProportionalResize)
HV_GET_FLAG(VertScrollBar, FlagVertScrollBar)

STDMETHODIMP HvColumn::put_AutoEdit(VARIANT_BOOL value) { return PutFlag(FlagAutoEdit, value, kAutoEditId, false); }
STDMETHODIMP HvColumn::put_LockedWidth(VARIANT_BOOL value) { return PutFlag(FlagLockedWidth, value, kLockedWidthId, true); }
STDMETHODIMP HvColumn::put_ProportionalResize(VARIANT_BOOL value)
{
    return PutFlag(FlagProportionalResize, value, kProportionalResizeId, false);
}
STDMETHODIMP HvColumn::put_VertScrollBar(VARIANT_BOOL value) { return PutFlag(FlagVertScrollBar, value, kVertScrollBarId, false); }

HV_NIBBLE(AutoSizeEdit, Constants_AutoSizeEdit, autoSizeEditActivation, false, 1, kAutoSizeEditId)
HV_NIBBLE(ButtonDisplayStyle, Constants_ButtonDisplayStyle, cellMultiLineButtonStyle, true, 3, kButtonDisplayStyleId)
HV_NIBBLE(Case, Constants_Case, caseClipMode, false, 2, kCaseId)
HV_NIBBLE(MaskClipMode, Constants_MaskMode, caseClipMode, true, 4, kMaskClipModeId)
HV_NIBBLE(MaskDataMode, Constants_MaskMode, dataDisplayMode, false, 4, kMaskDataModeId)
HV_NIBBLE(MaskDisplayMode, Constants_MaskMode, dataDisplayMode, true, 4, kMaskDisplayModeId)
HV_NIBBLE(Nullable, Constants_Nullable, nullableSortIndicator, false, 2, kNullableId)
HV_NIBBLE(TabStop, Constants_TabStop, tabStop, false, 2, kTabStopId)
HV_NIBBLE(CellMultiLine, Constants_CellMultiLine, cellMultiLineButtonStyle, false, 2, kCellMultiLineId)

// --- objects -------------------------------------------------------------------

STDMETHODIMP HvColumn::get_CellAppearance(IHvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        HvColumn* source = nullptr;
        HRESULT hr = LevelCopyForward(&source);
        if (FAILED(hr))
            return hr;
        return source->cellAppearance_.QueryAppearance(out);
    });
}

STDMETHODIMP HvColumn::putref_CellAppearance(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    return put_CellAppearance(*value);
}

STDMETHODIMP HvColumn::put_CellAppearance(VARIANT value)
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

STDMETHODIMP HvColumn::get_Band(IHvBand** out)
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

STDMETHODIMP HvColumn::get_Header(IHvHeader** out)
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

// --- state ---------------------------------------------------------------------

STDMETHODIMP HvColumn::get_Hidden(VARIANT_BOOL* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = IsHiddenItem() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP HvColumn::put_Hidden(VARIANT_BOOL value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        if (GetChildBand())
            return S_OK;
        const bool hidden = value != VARIANT_FALSE;
        if (((settings_.flags & FlagHidden) != 0) == hidden)
            return S_OK;
        settings_.flags = hidden ? static_cast<BYTE>(settings_.flags | FlagHidden)
                                 : static_cast<BYTE>(settings_.flags & ~FlagHidden);
        explicitWidth_ = 0;
        NotifySubscribers(HiddenId, 0);
        if (group_)
            group_->UpdateWidthFromColumns(false, false, false);
        return S_OK;
    });
}

STDMETHODIMP HvColumn::get_Index(short* out)
{
    if (!out)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    *out = static_cast<short>(GetCollectionIndex());
    return S_OK;
}

STDMETHODIMP HvColumn::get_Key(BSTR* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (levelCopy_ && (!record_ || !record_->source))
            return E_FAIL;
        CDualString key(*GetKey());
        *out = key.AllocSysString();
        return *out || key.IsEmpty() ? S_OK : E_OUTOFMEMORY;
    });
}

STDMETHODIMP HvColumn::get_Selected(VARIANT_BOOL* out)
{
    if (!out)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    ColumnLayoutSeam* layout = ItemLayout();
    if (layout && layout->IsDesignMode())
        return RaiseError(ColumnError::DesignTime, ColumnError::DesignTimeString);
    *out = selected_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP HvColumn::put_Selected(VARIANT_BOOL value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        ColumnLayoutSeam* layout = ItemLayout();
        if (layout && layout->IsDesignMode())
            return RaiseError(ColumnError::DesignTime, ColumnError::DesignTimeString);
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        if (GetChildBand())
            return S_OK;
        SelectionBandSeam* band = OwnerBand();
        if (!band)
            return E_FAIL;
        hr = band->SelectColumn(this, value != VARIANT_FALSE, true);
        if (hr == ColumnError::SelectedInOtherBand)
            return RaiseError(ColumnError::SelectedInOtherBand, ColumnError::SelectedInOtherBandString);
        return hr;
    });
}

// --- widths --------------------------------------------------------------------

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

STDMETHODIMP HvColumn::get_Width(float* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = 0;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        *out = static_cast<float>(ToUnitsX(ItemLayout(), GetDefaultWidth()));
        return S_OK;
    });
}

STDMETHODIMP HvColumn::put_Width(float value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        HRESULT hr = CheckNotReadOnlyInEvent();
        if (FAILED(hr))
            return hr;
        if (GetChildBand())
            return S_OK;
        if (!IsValidSize(value))
            return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        const LONG pixels = ToPixelsX(ItemLayout(), value);
        if (record_) {
            record_->width = pixels;
            return S_OK;
        }
        return SetWidthInternal(pixels, true, true, true);
    });
}

STDMETHODIMP HvColumn::get_MaxWidth(float* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<float>(ToUnitsX(ItemLayout(), settings_.maxWidth));
    return S_OK;
}

STDMETHODIMP HvColumn::put_MaxWidth(float value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        if (GetChildBand())
            return S_OK;
        if (!IsValidSize(value))
            return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        ColumnLayoutSeam* layout = ItemLayout();
        const LONG pixels = ToPixelsX(layout, value);
        const bool twips = !layout || layout->ContainerUsesTwips();
        if ((twips && value > 0 && value < 120) ||
            (pixels > 0 && pixels < std::max<LONG>(settings_.minWidth, TwipsToPixelsX(120))))
            return RaiseError(ColumnError::MaxWidthTooSmall, ColumnError::MaxWidthTooSmallString);
        if (pixels == settings_.maxWidth)
            return S_OK;
        settings_.maxWidth = pixels;
        SetWidthInternal(GetDefaultWidth(), true, true, true);
        NotifySubscribers(kMaxWidthId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvColumn::get_MinWidth(float* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<float>(ToUnitsX(ItemLayout(), settings_.minWidth));
    return S_OK;
}

STDMETHODIMP HvColumn::put_MinWidth(float value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        if (!IsValidSize(value))
            return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        if (GetChildBand())
            return S_OK;
        ColumnLayoutSeam* layout = ItemLayout();
        const LONG pixels = ToPixelsX(layout, value);
        const bool twips = !layout || layout->ContainerUsesTwips();
        if ((twips && value > 0 && value < 120) || (pixels > 0 && pixels < TwipsToPixelsX(120)))
            return RaiseError(ColumnError::MinWidthTooSmall, ColumnError::MinWidthTooSmallString);
        if (settings_.maxWidth > 0 && pixels > settings_.maxWidth)
            return RaiseError(ColumnError::MinAboveMax, ColumnError::MinAboveMaxString);
        if (pixels == settings_.minWidth)
            return S_OK;
        const LONG old = settings_.minWidth;
        settings_.minWidth = pixels;
        hr = SetWidthInternal(std::max(pixels, GetDefaultWidth()), true, true, true);
        if (FAILED(hr)) {
            settings_.minWidth = old;
            return hr;
        }
        NotifySubscribers(kMinWidthId, 0);
        return S_OK;
    });
}

// --- binding and text ------------------------------------------------------------

namespace {

HRESULT AllocString(const CDualString& text, BSTR* out)
{
    *out = CDualString(text).AllocSysString();
    return *out || text.IsEmpty() ? S_OK : E_OUTOFMEMORY;
}

} // namespace

STDMETHODIMP HvColumn::get_BaseColumnName(BSTR* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    HvColumn* source = nullptr;
    if (FAILED(LevelCopyForward(&source)))
        return E_FAIL;
    return AllocString(source->baseColumnName_, out);
}

STDMETHODIMP HvColumn::get_BaseTableName(BSTR* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    HvColumn* source = nullptr;
    if (FAILED(LevelCopyForward(&source)))
        return E_FAIL;
    return AllocString(source->baseTableName_, out);
}

STDMETHODIMP HvColumn::get_DataField(BSTR* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    HvColumn* source = nullptr;
    if (FAILED(LevelCopyForward(&source)))
        return E_FAIL;
    return AllocString(source->dataField_, out);
}

STDMETHODIMP HvColumn::get_ColSpan(short* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = settings_.colSpan;
    return S_OK;
}

STDMETHODIMP HvColumn::put_ColSpan(short value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        HRESULT hr = CheckNotReadOnlyInEvent();
        if (FAILED(hr))
            return hr;
        if (value < 1)
            return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        if (value == settings_.colSpan)
            return S_OK;
        settings_.colSpan = value;
        NotifySubscribers(kColSpanId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvColumn::get_DataType(Constants_DataType* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_DataType>(settings_.dataType);
    return S_OK;
}

STDMETHODIMP HvColumn::put_DataType(Constants_DataType value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        if (IsBound())
            return RaiseError(HvResult::ReadOnlyProperty, HvResult::ReadOnlyPropertyString);
        if (!IsAcceptedDataType(value))
            return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        if (value == settings_.dataType)
            return S_OK;
        settings_.dataType = value;
        NotifySubscribers(kDataTypeId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvColumn::get_Activation(Constants_Activation* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_Activation>(GetNibble(settings_.autoSizeEditActivation, true));
    return S_OK;
}

STDMETHODIMP HvColumn::put_Activation(Constants_Activation value)
{
    return PutNibble(settings_.autoSizeEditActivation, true, value, 2, kActivationId);
}

STDMETHODIMP HvColumn::get_FieldLen(long* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = IsBound() && info_ ? info_->Size() : settings_.fieldLen;
    return S_OK;
}

STDMETHODIMP HvColumn::put_FieldLen(long value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        if (IsBound())
            return RaiseError(HvResult::ReadOnlyProperty, HvResult::ReadOnlyPropertyString);
        if (value < 0)
            return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        if (value == settings_.fieldLen)
            return S_OK;
        settings_.fieldLen = value;
        NotifySubscribers(kFieldLenId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvColumn::get_MaskInput(BSTR* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    HvColumn* source = nullptr;
    if (FAILED(LevelCopyForward(&source)))
        return E_FAIL;
    return AllocString(source->maskInput_, out);
}

STDMETHODIMP HvColumn::put_MaskInput(BSTR value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        CDualString mask(value ? value : L"");
        if (maskInput_.Compare(mask.c_str()) == 0)
            return S_OK;
        maskInput_.Assign(mask);
        ApplyMaskSettings();
        NotifySubscribers(kMaskInputId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvColumn::get_PromptChar(BSTR* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (settings_.promptChar == 0)
        return S_OK;
    const wchar_t text[2] = {settings_.promptChar, 0};
    *out = SysAllocString(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP HvColumn::put_PromptChar(BSTR value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        if (!value || SysStringLen(value) != 1)
            return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        if (value[0] == settings_.promptChar)
            return S_OK;
        settings_.promptChar = value[0];
        ApplyMaskSettings();
        NotifySubscribers(kPromptCharId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvColumn::get_SortIndicator(Constants_SortIndicator* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_SortIndicator>(GetSortIndicator());
    return S_OK;
}

STDMETHODIMP HvColumn::put_SortIndicator(Constants_SortIndicator value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        if (value < 0 || value > 3)
            return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        if (value == GetSortIndicator())
            return S_OK;
        if (GetSortIndicator() == SortIndicatorDisabled)
            SetSortIndicator(SortIndicatorNone);
        if (!band_) {
            SetSortIndicator(value);
            return S_OK;
        }
        hr = band_->ChangeSort(this, value, false);
        if (hr == ColumnError::ReadOnlyInEvent)
            return RaiseError(ColumnError::ReadOnlyInEvent, ColumnError::ReadOnlyInEventString);
        return hr;
    });
}

STDMETHODIMP HvColumn::get_Style(Constants_Style* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_Style>(settings_.style);
    return S_OK;
}

STDMETHODIMP HvColumn::put_Style(Constants_Style value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        if (value < 0 || value > 9)
            return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        if (value == settings_.style)
            return S_OK;
        settings_.style = static_cast<BYTE>(value);
        NotifySubscribers(kStyleId, 0);
        return S_OK;
    });
}

// --- group and level -------------------------------------------------------------

STDMETHODIMP HvColumn::get_Group(IHvGroup** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (levelCopy_ && !record_)
            return E_FAIL;
        HvGroup* group = record_ ? record_->group : group_;
        if (!group)
            return S_OK;
        return group->QueryInterface(IID_IHvGroup, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvColumn::putref_Group(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    return put_Group(*value);
}

STDMETHODIMP HvColumn::put_Group(VARIANT value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        return PutGroupValue(value);
    });
}

HRESULT HvColumn::PutGroupValue(const VARIANT& value)
{
    GridBandSeam* band = band_ ? band_->GridBand() : nullptr;
    HvGroups* groups = band ? band->GetGroups(true) : nullptr;
    if (!groups)
        return E_OUTOFMEMORY;
    HvGroup* group = nullptr;
    if (!IsMissing(value)) {
        if (V_VT(&value) == VT_DISPATCH || V_VT(&value) == VT_UNKNOWN) {
            group = HvGroup::FromObject(V_UNKNOWN(&value));
            if (!group || group->HvColumnGroupImpl::Band() != band_)
                return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        } else {
            IHvGroup* found = nullptr;
            if (FAILED(groups->get_Item(value, &found)) || !found) {
                SetErrorInfo(0, nullptr);
                return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
            }
            group = HvGroup::FromObject(found);
            found->Release();
        }
    }
    return MoveToGroup(group, nullptr, -1);
}

STDMETHODIMP HvColumn::get_Level(short* out)
{
    if (!out)
        return E_INVALIDARG;
    if (levelCopy_ && !record_)
        return E_FAIL;
    *out = Level();
    return S_OK;
}

STDMETHODIMP HvColumn::put_Level(short value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        const SHORT levels = band_ ? band_->LevelCount() : 1;
        if (value < 0 || value >= std::max<SHORT>(levels, 1))
            return RaiseError(ColumnError::BadLevel, ColumnError::BadLevelString);
        if (!group_)
            return RaiseError(ColumnError::NotInGroup, ColumnError::NotInGroupString);
        if (value == settings_.level)
            return S_OK;
        ColumnLayoutSeam* layout = ItemLayout();
        if (!layout || !layout->CanFireEvents()) {
            SetLevel(value, true);
            return S_OK;
        }
        IHvSelectedCols* columns = nullptr;
        HvColumn* copy = MakeLevelCopy(hvPosMoved);
        if (!copy)
            return E_OUTOFMEMORY;
        copy->record_->level = value;
        const bool cancelled = FireBeforeMove(copy, hvPosMoved, &columns);
        if (!columns) {
            copy->Release();
            return E_OUTOFMEMORY;
        }
        if (!cancelled) {
            SetLevel(value, true);
            FireAfterMove(columns, hvPosMoved);
        }
        copy->Deactivate();
        static_cast<HvSelectedCols*>(columns)->ClearCollection(true, 1);
        columns->Release();
        copy->Release();
        return S_OK;
    });
}

bool HvColumn::FireBeforeMove(HvColumn* copy, Constants_PosChanged action, IHvSelectedCols** columns)
{
    *columns = nullptr;
    ColumnLayoutSeam* layout = ItemLayout();
    HvSelectedCols* made = layout ? HvSelectedCols::Create(layout->SelectionLayout(), true) : nullptr;
    if (!made)
        return true;
    if (FAILED(made->InsertItem(-1, copy, true, 0))) {
        made->Release();
        return true;
    }
    *columns = made;
    ReadOnlyInEventScope scope(this);
    return layout->FireBeforeColPosChanged(action, made);
}

void HvColumn::FireAfterMove(IHvSelectedCols* columns, Constants_PosChanged action)
{
    HvSelectedCols* list = static_cast<HvSelectedCols*>(columns);
    list->ClearCollection(true, 1);
    list->InsertItem(-1, this, true, 0);
    if (ColumnLayoutSeam* layout = ItemLayout())
        layout->FireAfterColPosChanged(action, columns);
}

// --- value list ------------------------------------------------------------------

STDMETHODIMP HvColumn::get_ValueList(IHvValueList** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        HvColumn* source = nullptr;
        HRESULT hr = LevelCopyForward(&source);
        if (FAILED(hr))
            return hr;
        if (!source->valueList_)
            return S_OK;
        return source->valueList_->QueryInterface(IID_IHvValueList, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvColumn::putref_ValueList(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    return put_ValueList(*value);
}

STDMETHODIMP HvColumn::put_ValueList(VARIANT value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        return PutValueListValue(value);
    });
}

HRESULT HvColumn::PutValueListValue(const VARIANT& value)
{
    HvValueList* list = nullptr;
    if (!IsMissing(value)) {
        if (V_VT(&value) == VT_DISPATCH || V_VT(&value) == VT_UNKNOWN) {
            list = HvValueList::FromObject(V_UNKNOWN(&value));
            if (!list)
                return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        } else {
            VARIANT text;
            VariantInit(&text);
            if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR)))
                return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
            CDualString key(V_BSTR(&text) ? V_BSTR(&text) : L"");
            VariantClear(&text);
            ColumnLayoutSeam* layout = ItemLayout();
            HvValueLists* lists = layout ? layout->ValueLists() : nullptr;
            list = lists ? lists->FindValueList(key) : nullptr;
            if (!list)
                return RaiseError(ColumnError::BadIndex, ColumnError::BadIndexString);
        }
    }
    if (list == valueList_)
        return S_OK;
    DropValueList();
    if (list) {
        list->AddRef();
        valueList_ = list;
        valueListLink_.RelinkSubscription(list);
    }
    NotifySubscribers(kValueListId, 0);
    return S_OK;
}

// --- hidden reference column ------------------------------------------------------

HRESULT STDMETHODCALLTYPE HvColumn::get_ReferenceColumn(IHvColumn** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        ColumnLayoutSeam* layout = ItemLayout();
        if (layout && layout->IsDesignMode())
            return RaiseError(ColumnError::DesignTime, ColumnError::DesignTimeString);
        HvColumn* source = nullptr;
        HRESULT hr = LevelCopyForward(&source);
        if (FAILED(hr))
            return hr;
        VARIANT value;
        VariantInit(&value);
        source->reference_.GetValue(&value);
        if (V_VT(&value) == VT_EMPTY)
            return S_OK;
        if (V_VT(&value) == VT_DISPATCH && V_DISPATCH(&value)) {
            hr = V_DISPATCH(&value)->QueryInterface(IID_IHvColumn, reinterpret_cast<void**>(out));
        } else {
            GridBandSeam* band = band_ ? band_->GridBand() : nullptr;
            HvColumns* columns = band ? band->Columns() : nullptr;
            hr = columns ? columns->get_Item(value, out) : E_FAIL;
        }
        VariantClear(&value);
        return hr;
    });
}

HRESULT STDMETHODCALLTYPE HvColumn::put_ReferenceColumn(VARIANT value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        if (V_VT(&value) == VT_DISPATCH || V_VT(&value) == VT_UNKNOWN) {
            HvColumn* column = HvColumn::FromObject(V_UNKNOWN(&value));
            if (!column || column->band_ != band_)
                return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        }
        hr = reference_.SetValue(value);
        if (SUCCEEDED(hr))
            NotifySubscribers(kReferenceColumnId, 0);
        return hr;
    });
}

// --- property kinds ----------------------------------------------------------------

STDMETHODIMP HvColumn::IsValueProperty(DISPID dispid, VARIANT_BOOL* result)
{
    if (!result)
        return E_INVALIDARG;
    *result = dispid == HeaderId || dispid == CellAppearanceId ? VARIANT_FALSE : VARIANT_TRUE;
    return S_OK;
}

STDMETHODIMP HvColumn::IsAppearanceProperty(DISPID dispid, VARIANT_BOOL* result)
{
    if (!result)
        return E_INVALIDARG;
    *result = dispid == CellAppearanceId ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}
