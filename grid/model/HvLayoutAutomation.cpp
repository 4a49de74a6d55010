// HvLayout: the members of IHvLayout and the operations beyond the type
// library that the grid calls.
#include "HvLayout.h"

#include "AlphaBlendBinding.h"
#include "HvAppearance.h"
#include "HvAppearances.h"
#include "HvBands.h"
#include "HvColScrollRegions.h"
#include "HvOverride.h"
#include "HvOverrides.h"
#include "HvRowScrollRegions.h"
#include "HvValueLists.h"
#include "LayoutGridSeam.h"
#include "LayoutPartsSeam.h"

namespace {

template <class T>
HRESULT HandOut(T* object, T** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = object;
    if (object)
        object->AddRef();
    return S_OK;
}

template <class TInterface, class TObject>
HRESULT HandOutAs(TObject* object, TInterface** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!object)
        return E_OUTOFMEMORY;
    *out = static_cast<TInterface*>(object);
    (*out)->AddRef();
    return S_OK;
}

const VARIANT& Deref(const VARIANT& value)
{
    if (value.vt == (VT_VARIANT | VT_BYREF) && value.pvarVal)
        return *value.pvarVal;
    return value;
}

} // namespace

// ---------------------------------------------------------------------------
// IHvBase, IHvObjectBase

STDMETHODIMP HvLayout::_GetObjectPointer(long* pointer)
{
    return ObjectPointerMember(static_cast<IHvLayout*>(this), pointer);
}

STDMETHODIMP HvLayout::get_TagVariant(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    VariantInit(value);
    if (!IsActive())
        return NotActiveError();
    return tag_.GetValue(value);
}

STDMETHODIMP HvLayout::put_TagVariant(VARIANT value)
{
    if (!IsActive())
        return NotActiveError();
    return tag_.SetValue(value);
}

STDMETHODIMP HvLayout::putref_TagVariant(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    return tag_.SetValueRef(value);
}

void HvLayout::OnVariantValueChanged(DWORD)
{
    NotifySubscribers(39, 0);
}

STDMETHODIMP HvLayout::IsSameAs(IDispatch* other, VARIANT_BOOL* result)
{
    return IsSameAsMember(other, result);
}

// ---------------------------------------------------------------------------
// Collections and objects

STDMETHODIMP HvLayout::get_AddNewBox(IHvAddNewBox** out)
{
    return Active([&]() -> HRESULT {
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        LayoutAddNewBoxSeam* box = GetAddNewBox(true);
        if (!box)
            return E_OUTOFMEMORY;
        return HandOut(box->Interface(), out);
    });
}

STDMETHODIMP HvLayout::get_Appearances(IHvAppearances** out)
{
    return Active([&] { return HandOutAs<IHvAppearances>(appearances_, out); });
}

STDMETHODIMP HvLayout::get_Bands(IHvBands** out)
{
    return Active([&]() -> HRESULT {
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        if (grid_ && grid_->IsAlive() && bands_ && bands_->ItemCount() == 0) {
            HRESULT hr = grid_->BindDataSource();
            if (FAILED(hr))
                return hr;
        }
        return HandOutAs<IHvBands>(bands_, out);
    });
}

STDMETHODIMP HvLayout::get_ColScrollRegions(IHvColScrollRegions** out)
{
    return Active([&] { return HandOutAs<IHvColScrollRegions>(colScrollRegions_, out); });
}

STDMETHODIMP HvLayout::get_RowScrollRegions(IHvRowScrollRegions** out)
{
    return Active([&] { return HandOutAs<IHvRowScrollRegions>(rowScrollRegions_, out); });
}

STDMETHODIMP HvLayout::get_Overrides(IHvOverrides** out)
{
    return Active([&] { return HandOutAs<IHvOverrides>(overrides_, out); });
}

STDMETHODIMP HvLayout::get_ValueLists(IHvValueLists** out)
{
    return Active([&] { return HandOutAs<IHvValueLists>(GetValueLists(true), out); });
}

STDMETHODIMP HvLayout::get_Override(IHvOverride** out)
{
    return Active([&] { return HandOutAs<IHvOverride>(GetOverride(true), out); });
}

void HvLayout::ReplaceOverride(HvOverride* replacement)
{
    if (replacement == override_)
        return;
    overrideLink_.Unlink();
    HvOverride* old = override_;
    override_ = replacement;
    if (override_) {
        override_->AddRef();
        overrideLink_.RelinkSubscription(override_);
    }
    if (old)
        old->Release();
    cellClickStrategy_.reset();
    cellSelectStrategy_.reset();
    rowSelectStrategy_.reset();
    colSelectStrategy_.reset();
    NotifySubscribers(0x407, 0);
}

HRESULT HvLayout::PutOverrideValue(const VARIANT& argument)
{
    const VARIANT& value = Deref(argument);
    HvOverride* found = nullptr;
    if ((value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) && value.punkVal) {
        found = HvOverride::FromObject(value.punkVal);
    } else if (value.vt == VT_BSTR && overrides_) {
        CDualString key(value.bstrVal ? value.bstrVal : L"");
        found = overrides_->FindOverride(key);
    } else if (overrides_) {
        VARIANT number;
        VariantInit(&number);
        if (SUCCEEDED(VariantChangeTypeEx(&number, const_cast<VARIANT*>(&value), 1024, 0, VT_I4)))
            found = overrides_->OverrideAt(number.lVal);
    }
    if (!found || found->IsResolved())
        return Invalid();
    ReplaceOverride(found);
    return S_OK;
}

STDMETHODIMP HvLayout::put_Override(VARIANT value)
{
    return Active([&] { return PutOverrideValue(value); });
}

STDMETHODIMP HvLayout::putref_Override(VARIANT* value)
{
    return Active([&]() -> HRESULT {
        if (!value)
            return Invalid();
        return PutOverrideValue(*value);
    });
}

// ---------------------------------------------------------------------------
// Appearances

HRESULT HvLayout::PutAppearanceRef(AppearanceRef& ref, const VARIANT& value, DISPID dispid)
{
    bool changed = false;
    HRESULT hr = ref.PutValue(value, &changed);
    if (FAILED(hr))
        return hr;
    captionHeight_ = 0;
    if (changed && dispid == DISPID_APPEARANCE)
        backgroundPicture_ = -1;
    if (changed && (dispid != DISPID_APPEARANCE || IsCurrentLayout() || !grid_)) {
        DirtyRootUIElement(true, true);
        NotifySubscribers(dispid, 0);
    }
    return S_OK;
}

STDMETHODIMP HvLayout::get_Appearance(IHvAppearance** out)
{
    return Active([&] { return appearance_.QueryAppearance(out); });
}

STDMETHODIMP HvLayout::put_Appearance(VARIANT value)
{
    return Active([&] { return PutAppearanceRef(appearance_, value, DISPID_APPEARANCE); });
}

STDMETHODIMP HvLayout::putref_Appearance(VARIANT* value)
{
    return Active([&]() -> HRESULT {
        if (!value)
            return Invalid();
        return PutAppearanceRef(appearance_, *value, DISPID_APPEARANCE);
    });
}

STDMETHODIMP HvLayout::get_CaptionAppearance(IHvAppearance** out)
{
    return Active([&] { return captionAppearance_.QueryAppearance(out); });
}

STDMETHODIMP HvLayout::put_CaptionAppearance(VARIANT value)
{
    return Active([&] { return PutAppearanceRef(captionAppearance_, value, 0x4E3); });
}

STDMETHODIMP HvLayout::putref_CaptionAppearance(VARIANT* value)
{
    return Active([&]() -> HRESULT {
        if (!value)
            return Invalid();
        return PutAppearanceRef(captionAppearance_, *value, 0x4E3);
    });
}

// ---------------------------------------------------------------------------
// Filters

template <class TFilter>
HRESULT HvLayout::GetFilter(TFilter* held, TFilter** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (IsDesignMode())
        return RaiseError(LayoutError::DesignTime, LayoutError::DesignTimeString);
    return HandOut(held, out);
}

template <class TFilter>
HRESULT HvLayout::PutFilter(TFilter*& held, IUnknown* value, REFIID iid, DISPID dispid)
{
    TFilter* filter = nullptr;
    if (value && (FAILED(value->QueryInterface(iid, reinterpret_cast<void**>(&filter))) || !filter))
        return Invalid();
    TFilter* old = held;
    held = filter;
    if (old)
        old->Release();
    NotifySubscribers(dispid, 0);
    return S_OK;
}

STDMETHODIMP HvLayout::get_DrawFilter(IHvTVDrawFilter** out)
{
    return Active([&] { return GetFilter(drawFilter_, out); });
}

STDMETHODIMP HvLayout::put_DrawFilter(IHvTVDrawFilter* value)
{
    return Active([&] { return PutFilter(drawFilter_, value, IID_IHvTVDrawFilter, 0x501); });
}

STDMETHODIMP HvLayout::putref_DrawFilter(IHvTVDrawFilter* value)
{
    return put_DrawFilter(value);
}

STDMETHODIMP HvLayout::get_DataFilter(IHvTVDataFilter** out)
{
    return Active([&] { return GetFilter(dataFilter_, out); });
}

STDMETHODIMP HvLayout::put_DataFilter(IHvTVDataFilter* value)
{
    return Active([&] { return PutFilter(dataFilter_, value, IID_IHvTVDataFilter, 0x51d); });
}

STDMETHODIMP HvLayout::putref_DataFilter(IHvTVDataFilter* value)
{
    return put_DataFilter(value);
}

STDMETHODIMP HvLayout::get_SortFilter(IHvTVSortFilter** out)
{
    return Active([&] { return GetFilter(sortFilter_, out); });
}

STDMETHODIMP HvLayout::put_SortFilter(IHvTVSortFilter* value)
{
    return Active([&] { return PutFilter(sortFilter_, value, IID_IHvTVSortFilter, 0x89d); });
}

STDMETHODIMP HvLayout::putref_SortFilter(IHvTVSortFilter* value)
{
    return put_SortFilter(value);
}

// ---------------------------------------------------------------------------
// Plain settings

HRESULT HvLayout::PutByte(BYTE& field, LONG value, LONG low, LONG high, DISPID dispid)
{
    if (value < low || value > high)
        return Invalid();
    if (field == value)
        return S_OK;
    field = static_cast<BYTE>(value);
    NotifySubscribers(dispid, 0);
    return S_OK;
}

STDMETHODIMP HvLayout::get_AlphaBlendEnabled(VARIANT_BOOL* out)
{
    if (!out)
        return E_INVALIDARG;
    bool enabled = (flags_ & FlagAlphaBlend) != 0;
    if (enabled && !IsDesignMode())
        enabled = IsAlphaBlendAvailable();
    *out = enabled ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP HvLayout::put_AlphaBlendEnabled(VARIANT_BOOL value)
{
    return Active([&]() -> HRESULT {
        const bool enabled = value != VARIANT_FALSE;
        if (enabled == ((flags_ & FlagAlphaBlend) != 0))
            return S_OK;
        flags_ = static_cast<BYTE>(enabled ? flags_ | FlagAlphaBlend : flags_ & ~FlagAlphaBlend);
        DirtyRootUIElement(false, false);
        NotifySubscribers(0x87b, 0);
        return S_OK;
    });
}

STDMETHODIMP HvLayout::get_BorderStyle(Constants_BorderStyle* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_BorderStyle>(borderStyle_);
    return S_OK;
}

STDMETHODIMP HvLayout::put_BorderStyle(Constants_BorderStyle value)
{
    return Active([&] { return PutByte(borderStyle_, value, 0, 9, DISPID_BORDERSTYLE); });
}

STDMETHODIMP HvLayout::get_BorderStyleCaption(Constants_BorderStyle* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_BorderStyle>(borderStyleCaption_);
    return S_OK;
}

STDMETHODIMP HvLayout::put_BorderStyleCaption(Constants_BorderStyle value)
{
    return Active([&]() -> HRESULT {
        const BYTE before = borderStyleCaption_;
        HRESULT hr = PutByte(borderStyleCaption_, value, 0, 9, 0x89e);
        if (SUCCEEDED(hr) && before != borderStyleCaption_) {
            captionHeight_ = 0;
            DirtyRootUIElement(true, true);
        }
        return hr;
    });
}

STDMETHODIMP HvLayout::get_Caption(BSTR* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = caption_.AllocSysString();
    return S_OK;
}

STDMETHODIMP HvLayout::put_Caption(BSTR value)
{
    return Active([&]() -> HRESULT {
        caption_.AssignWide(value ? value : L"");
        captionHeight_ = 0;
        DirtyRootUIElement(true, true);
        NotifySubscribers(DISPID_CAPTION, 0);
        return S_OK;
    });
}

STDMETHODIMP HvLayout::get_Enabled(VARIANT_BOOL* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = IsEnabled() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP HvLayout::put_Enabled(VARIANT_BOOL value)
{
    return Active([&]() -> HRESULT {
        const bool enabled = value != VARIANT_FALSE;
        if (enabled == IsEnabled())
            return S_OK;
        flags_ = static_cast<BYTE>(enabled ? flags_ | FlagEnabled : flags_ & ~FlagEnabled);
        HWND window = GetGridWindow();
        if (IsCurrentLayout() && !IsDesignMode() && window) {
            EnableWindow(window, enabled);
            for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                EnableWindow(child, enabled);
            DirtyRootUIElement(true, true);
        }
        NotifySubscribers(DISPID_ENABLED, 0);
        return S_OK;
    });
}

STDMETHODIMP HvLayout::get_EstimatedRows(long* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = estimatedRows_;
    return S_OK;
}

STDMETHODIMP HvLayout::put_EstimatedRows(long value)
{
    return Active([&]() -> HRESULT {
        if (value < 0)
            return Invalid();
        if (value != estimatedRows_) {
            estimatedRows_ = value;
            NotifySubscribers(0x4ab, 0);
        }
        return S_OK;
    });
}

STDMETHODIMP HvLayout::get_Font(IFontDisp** out)
{
    return Active([&]() -> HRESULT {
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        BuildFont();
        IFontDisp* font = font_.GetFontDisp();
        if (!font)
            return E_UNEXPECTED;
        *out = font; // GetFontDisp hands out a reference of its own
        return S_OK;
    });
}

STDMETHODIMP HvLayout::putref_Font(IFontDisp* value)
{
    return Active([&]() -> HRESULT {
        if (!value)
            return Invalid();
        IFont* font = nullptr;
        if (FAILED(value->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font))) || !font)
            return Invalid();
        ConnectFont(font); // the connection keeps the reference
        flags_ |= FlagUserFont;
        captionHeight_ = 0;
        ResetBandMetrics();
        NotifySubscribers(DISPID_FONT, 0);
        return S_OK;
    });
}

STDMETHODIMP HvLayout::put_Font(IFontDisp* value)
{
    return putref_Font(value);
}

STDMETHODIMP HvLayout::get_InterBandSpacing(float* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<float>(PixelsToUnitsY(interBandSpacing_));
    return S_OK;
}

STDMETHODIMP HvLayout::put_InterBandSpacing(float value)
{
    return Active([&]() -> HRESULT {
        if (!(value >= 0) || value > 2147483520.0f)
            return Invalid();
        const LONG pixels = UnitsToPixelsY(value);
        if (pixels != interBandSpacing_) {
            interBandSpacing_ = pixels;
            DirtyRootUIElement(true, true);
            NotifySubscribers(0x868, 0);
        }
        return S_OK;
    });
}

STDMETHODIMP HvLayout::get_MaxColScrollRegions(short* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = maxColScrollRegions_;
    return S_OK;
}

STDMETHODIMP HvLayout::put_MaxColScrollRegions(short value)
{
    return Active([&]() -> HRESULT {
        if (value < 1)
            return Invalid();
        if (colScrollRegions_ && value < colScrollRegions_->ItemCount())
            return RaiseError(LayoutError::MaxColRegions, LayoutError::MaxColRegionsString);
        if (value != maxColScrollRegions_) {
            maxColScrollRegions_ = value;
            NotifySubscribers(0x83c, 0);
        }
        return S_OK;
    });
}

STDMETHODIMP HvLayout::get_MaxRowScrollRegions(short* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = maxRowScrollRegions_;
    return S_OK;
}

STDMETHODIMP HvLayout::put_MaxRowScrollRegions(short value)
{
    return Active([&]() -> HRESULT {
        if (value < 1)
            return Invalid();
        if (rowScrollRegions_ && value < rowScrollRegions_->ItemCount())
            return RaiseError(LayoutError::MaxRowRegions, LayoutError::MaxRowRegionsString);
        if (value != maxRowScrollRegions_) {
            maxRowScrollRegions_ = value;
            NotifySubscribers(0x83d, 0);
        }
        return S_OK;
    });
}

STDMETHODIMP HvLayout::get_RowConnectorColor(OLE_COLOR* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = rowConnectorColor_;
    return S_OK;
}

STDMETHODIMP HvLayout::put_RowConnectorColor(OLE_COLOR value)
{
    return Active([&]() -> HRESULT {
        const DWORD top = value >> 24;
        if (top != 0 && top != 0x80)
            return Invalid();
        if (value != rowConnectorColor_) {
            rowConnectorColor_ = value;
            DirtyRootUIElement(false, false);
            NotifySubscribers(0x87c, 0);
        }
        return S_OK;
    });
}

STDMETHODIMP HvLayout::get_RowConnectorStyle(Constants_ConnectorStyle* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_ConnectorStyle>(rowConnectorStyle_);
    return S_OK;
}

STDMETHODIMP HvLayout::put_RowConnectorStyle(Constants_ConnectorStyle value)
{
    return Active([&] { return PutByte(rowConnectorStyle_, value, 0, 7, 0x87d); });
}

STDMETHODIMP HvLayout::get_ScrollBars(Constants_ScrollBars* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_ScrollBars>(scrollBars_);
    return S_OK;
}

STDMETHODIMP HvLayout::put_ScrollBars(Constants_ScrollBars value)
{
    return Active([&] { return PutByte(scrollBars_, value, 0, 4, -535); });
}

STDMETHODIMP HvLayout::get_TabNavigation(Constants_TabNavigation* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_TabNavigation>(tabNavigation_);
    return S_OK;
}

STDMETHODIMP HvLayout::put_TabNavigation(Constants_TabNavigation value)
{
    return Active([&] { return PutByte(tabNavigation_, value, 0, 1, 0x83f); });
}

STDMETHODIMP HvLayout::get_TipDelay(long* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = tipDelay_;
    return S_OK;
}

STDMETHODIMP HvLayout::put_TipDelay(long value)
{
    return Active([&]() -> HRESULT {
        if (value < -1)
            return Invalid();
        if (value != tipDelay_) {
            tipDelay_ = value;
            NotifySubscribers(0x840, 0);
        }
        return S_OK;
    });
}

STDMETHODIMP HvLayout::get_ViewStyle(Constants_ViewStyle* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_ViewStyle>(viewStyle_);
    return S_OK;
}

STDMETHODIMP HvLayout::put_ViewStyle(Constants_ViewStyle value)
{
    return Active([&]() -> HRESULT {
        if (value < 0 || value > 1)
            return Invalid();
        if (value == viewStyle_)
            return S_OK;
        if (TestGridState(LayoutGridSeam::StateInitializeRow))
            return RaiseError(LayoutError::ReadOnlyInEvent, LayoutError::ReadOnlyInEventString);
        viewStyle_ = static_cast<BYTE>(value);
        viewStyleObject_.reset();
        if (bands_)
            bands_->UpdateAllBands();
        NotifySubscribers(0x842, 0);
        return S_OK;
    });
}

STDMETHODIMP HvLayout::get_ViewStyleBand(Constants_ViewStyleBand* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_ViewStyleBand>(viewStyleBand_);
    return S_OK;
}

STDMETHODIMP HvLayout::put_ViewStyleBand(Constants_ViewStyleBand value)
{
    return Active([&]() -> HRESULT {
        if (value < 0 || value > 1)
            return Invalid();
        if (value == viewStyleBand_)
            return S_OK;
        if (TestGridState(LayoutGridSeam::StateInitializeRow))
            return RaiseError(LayoutError::ReadOnlyInEvent, LayoutError::ReadOnlyInEventString);
        viewStyleBand_ = static_cast<BYTE>(value);
        viewStyleObject_.reset();
        NotifySubscribers(0x843, 0);
        return S_OK;
    });
}

STDMETHODIMP HvLayout::get_Grid(IDispatch** out)
{
    return Active([&]() -> HRESULT {
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        if (IsDesignMode())
            return RaiseError(LayoutError::DesignTime, LayoutError::DesignTimeString);
        if (!grid_ || !grid_->IsAlive())
            return S_OK;
        *out = grid_->GridDispatch();
        return S_OK;
    });
}

// ---------------------------------------------------------------------------
// Operations beyond the type library

HRESULT HvLayout::CollapseAll()
{
    return Active([&] { return bands_ ? bands_->ExpandCollapseAll(false) : S_OK; });
}

HRESULT HvLayout::ExpandAll()
{
    return Active([&] { return bands_ ? bands_->ExpandCollapseAll(true) : S_OK; });
}
