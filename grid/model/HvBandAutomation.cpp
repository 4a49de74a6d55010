// HvBand: the IHvBand automation members, the band's own and resolved
// overrides, and the band's answers as owner of its add-new box button.
#include "HvBand.h"

#include "AppearanceData.h"
#include "BandElementLookup.h"
#include "BandGridSeam.h"
#include "BandLayoutSeam.h"
#include "BandsLayoutSeam.h"
#include "CellClickActionHandler.h"
#include "GridColumnSeam.h"
#include "HvBands.h"
#include "HvColumn.h"
#include "HvColumns.h"
#include "HvGroups.h"
#include "HvOverride.h"
#include "HvOverrides.h"
#include "HvSelectableItem.h"
#include "HvSortedCols.h"
#include "OverrideLayoutSeam.h"
#include "OwnedElementSeam.h"
#include "LayoutRegionsSeam.h"
#include "UIRefresh.h"

#include <cmath>

namespace {

constexpr HRESULT kColumnNotFound = static_cast<HRESULT>(0x800A9C6C); // string 4037
constexpr WORD kColumnNotFoundString = 4037;
constexpr HRESULT kNoAddContext = static_cast<HRESULT>(0x800A9C65);   // string 4027
constexpr WORD kNoAddContextString = 4027;
constexpr HRESULT kOtherBand = static_cast<HRESULT>(0x800A9C4D);      // string 4004
constexpr WORD kOtherBandString = 4004;
constexpr HRESULT kDesignTime = static_cast<HRESULT>(0x800A018A);     // string 10501
constexpr WORD kDesignTimeString = 10501;

// Band notices.
enum : DISPID {
    kAddButtonCaptionId = 1025,
    kAddButtonToolTipId = 1026,
    kAutoPreviewEnabledId = 1028,
    kAutoPreviewFieldId = 1029,
    kAutoPreviewMaxLinesId = 1030,
    kOverrideId = 1031,
    kColHeaderLinesId = 1033,
    kColHeadersVisibleId = 1034,
    kExpandableId = 1038,
    kGroupHeaderLinesId = 1042,
    kGroupHeadersVisibleId = 1043,
    kLevelCountId = 1047,
    kScrollTipFieldId = 1053,
    kHiddenId = 1127,
};

// Element type of the add-new box's row button.
constexpr LONG kAddNewRowButton = 6600;

HRESULT CopyOut(const CDualString& text, BSTR* out)
{
    if (!out)
        return E_INVALIDARG;
    CDualString copy(text);
    *out = copy.AllocSysString();
    return *out || text.IsEmpty() ? S_OK : E_OUTOFMEMORY;
}

bool SameText(const CDualString& text, BSTR value)
{
    const CDualString other(value ? value : L"");
    return text.Compare(other.c_str()) == 0;
}

} // namespace

// --- strings ----------------------------------------------------------------

STDMETHODIMP HvBand::get_AddButtonCaption(BSTR* out)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        return CopyOut(addButtonCaption_, out);
    });
}

STDMETHODIMP HvBand::put_AddButtonCaption(BSTR value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (!SameText(addButtonCaption_, value)) {
            addButtonCaption_.AssignWide(value ? value : L"");
            NotifySubscribers(kAddButtonCaptionId, 0);
            UIRefresh::RefreshElementAt(this, nullptr, nullptr, false);
        }
        return S_OK;
    });
}

STDMETHODIMP HvBand::get_AddButtonToolTipText(BSTR* out)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        return CopyOut(addButtonToolTip_, out);
    });
}

STDMETHODIMP HvBand::put_AddButtonToolTipText(BSTR value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (!SameText(addButtonToolTip_, value)) {
            addButtonToolTip_.AssignWide(value ? value : L"");
            NotifySubscribers(kAddButtonToolTipId, 0);
        }
        return S_OK;
    });
}

HRESULT HvBand::PutFieldName(CDualString& field, BSTR value, DISPID dispid)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (SameText(field, value))
            return S_OK;
        CDualString name(value ? value : L"");
        if (!name.IsEmpty() && (!columns_ || !columns_->FindColumnByKey(&name)))
            return Raise(kColumnNotFound, kColumnNotFoundString);
        field.Assign(name);
        NotifySubscribers(dispid, 0);
        return S_OK;
    });
}

STDMETHODIMP HvBand::get_AutoPreviewField(BSTR* out)
{
    return Guard([&]() -> HRESULT { return IsActive() ? CopyOut(autoPreviewField_, out) : NotActiveError(); });
}

STDMETHODIMP HvBand::put_AutoPreviewField(BSTR value)
{
    return PutFieldName(autoPreviewField_, value, kAutoPreviewFieldId);
}

STDMETHODIMP HvBand::get_ScrollTipField(BSTR* out)
{
    return Guard([&]() -> HRESULT { return IsActive() ? CopyOut(scrollTipField_, out) : NotActiveError(); });
}

STDMETHODIMP HvBand::put_ScrollTipField(BSTR value)
{
    return PutFieldName(scrollTipField_, value, kScrollTipFieldId);
}

STDMETHODIMP HvBand::get_Key(BSTR* out)
{
    return Guard([&]() -> HRESULT { return IsActive() ? CopyOut(key_, out) : NotActiveError(); });
}

// --- flags and counts -------------------------------------------------------

HRESULT HvBand::PutFlag(BYTE flag, VARIANT_BOOL value, DISPID dispid)
{
    if (!IsActive())
        return NotActiveError();
    const BYTE wanted = value ? flag : 0;
    if ((flags_ & flag) == wanted)
        return S_OK;
    flags_ = static_cast<BYTE>((flags_ & ~flag) | wanted);
    NotifySubscribers(dispid, 0);
    return S_OK;
}

#define HV_BAND_FLAG_GET(Name, Flag)                                  \
    STDMETHODIMP HvBand::get_##Name(VARIANT_BOOL* out)                \
    {                                                                 \
        if (!out)                                                     \
            return E_INVALIDARG;                                      \
        if (!IsActive())                                              \
            return NotActiveError();                                  \
        *out = (flags_ & (Flag)) ? VARIANT_TRUE : VARIANT_FALSE;      \
        return S_OK;                                                  \
    }

HV_BAND_FLAG_GET(AutoPreviewEnabled, FlagAutoPreview)
HV_BAND_FLAG_GET(ColHeadersVisible, FlagColHeaders)
HV_BAND_FLAG_GET(Expandable, FlagExpandable)
HV_BAND_FLAG_GET(GroupHeadersVisible, FlagGroupHeaders)
HV_BAND_FLAG_GET(Hidden, FlagHidden)

#undef HV_BAND_FLAG_GET

STDMETHODIMP HvBand::put_AutoPreviewEnabled(VARIANT_BOOL value)
{
    return Guard([&] { return PutFlag(FlagAutoPreview, value, kAutoPreviewEnabledId); });
}

STDMETHODIMP HvBand::put_ColHeadersVisible(VARIANT_BOOL value)
{
    return Guard([&] {
        const HRESULT hr = PutFlag(FlagColHeaders, value, kColHeadersVisibleId);
        return hr;
    });
}

STDMETHODIMP HvBand::put_Expandable(VARIANT_BOOL value)
{
    // Existing row objects would be collapsed first; they belong to the
    // row layer, which collapses its rows when it hears the notice.
    return Guard([&] { return PutFlag(FlagExpandable, value, kExpandableId); });
}

STDMETHODIMP HvBand::put_GroupHeadersVisible(VARIANT_BOOL value)
{
    return Guard([&] { return PutFlag(FlagGroupHeaders, value, kGroupHeadersVisibleId); });
}

STDMETHODIMP HvBand::put_Hidden(VARIANT_BOOL value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        const bool hide = value != VARIANT_FALSE;
        if (((flags_ & FlagHidden) != 0) == hide)
            return S_OK;
        if (hide && layout_) {
            if (BandGridSeam* grid = layout_->Grid()) {
                const HRESULT hr = grid->MoveActivationOutOf(this);
                if (FAILED(hr))
                    return hr;
            }
        }
        flags_ = static_cast<BYTE>(hide ? flags_ | FlagHidden : flags_ & ~FlagHidden);
        UpdateBinding();
        if (layout_)
            layout_->BandsSide()->MarkRowScrollRegionsDirty();
        NotifySubscribers(kHiddenId, 0);
        return S_OK;
    });
}

HRESULT HvBand::PutLines(SHORT* field, short value, DISPID dispid)
{
    if (!IsActive())
        return NotActiveError();
    if (value < 1 || value > 10)
        return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    if (*field == value)
        return S_OK;
    *field = value;
    InvalidateHeaderHeights();
    NotifySubscribers(dispid, 0);
    return S_OK;
}

#define HV_BAND_SHORT_GET(Name, Field)             \
    STDMETHODIMP HvBand::get_##Name(short* out)    \
    {                                              \
        if (!out)                                  \
            return E_INVALIDARG;                   \
        if (!IsActive())                           \
            return NotActiveError();               \
        *out = Field;                              \
        return S_OK;                               \
    }

HV_BAND_SHORT_GET(AutoPreviewMaxLines, autoPreviewMaxLines_)
HV_BAND_SHORT_GET(ColHeaderLines, colHeaderLines_)
HV_BAND_SHORT_GET(GroupHeaderLines, groupHeaderLines_)
HV_BAND_SHORT_GET(LevelCount, levelCount_)

#undef HV_BAND_SHORT_GET

STDMETHODIMP HvBand::put_ColHeaderLines(short value)
{
    return Guard([&] { return PutLines(&colHeaderLines_, value, kColHeaderLinesId); });
}

STDMETHODIMP HvBand::put_GroupHeaderLines(short value)
{
    return Guard([&] { return PutLines(&groupHeaderLines_, value, kGroupHeaderLinesId); });
}

STDMETHODIMP HvBand::put_AutoPreviewMaxLines(short value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (value < 0)
            return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        if (autoPreviewMaxLines_ != value) {
            autoPreviewMaxLines_ = value;
            NotifySubscribers(kAutoPreviewMaxLinesId, 0);
        }
        return S_OK;
    });
}

STDMETHODIMP HvBand::put_LevelCount(short value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (value < 1)
            return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        if (levelCount_ == value)
            return S_OK;
        levelCount_ = value;
        // Groups re-level their columns that stand on a level now gone.
        if (groups_)
            groups_->AnyGroupTest();
        rowHeightValid_ = false;
        syncRowHeight_ = 0;
        resetMark_ = ++version_;
        if (layout_) {
            BandsLayoutSeam* bands = layout_->BandsSide();
            bands->MarkRowScrollRegionsDirty();
            bands->SetColumnMetricsDirty(true);
            bands->DirtyRootUIElement(true, true);
        }
        NotifySubscribers(kLevelCountId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvBand::get_Index(short* out)
{
    if (!out)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    HvBands* bands = layout_ ? layout_->Bands() : nullptr;
    *out = bands ? static_cast<short>(bands->PositionOf(this)) : -1;
    return S_OK;
}

// --- objects ----------------------------------------------------------------

STDMETHODIMP HvBand::get_Columns(IHvColumns** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!IsActive())
        return NotActiveError();
    if (!columns_)
        return E_OUTOFMEMORY;
    return columns_->QueryInterface(IID_IHvColumns, reinterpret_cast<void**>(out));
}

STDMETHODIMP HvBand::get_Groups(IHvGroups** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!IsActive())
        return NotActiveError();
    HvGroups* groups = GetGroups(true);
    if (!groups)
        return E_OUTOFMEMORY;
    return groups->QueryInterface(IID_IHvGroups, reinterpret_cast<void**>(out));
}

HRESULT HvBand::EnsureSortedCols()
{
    if (sortedCols_)
        return S_OK;
    if (!layout_)
        return E_OUTOFMEMORY;
    sortedCols_ = HvSortedCols::Create(this, layout_->SelectionSide(), false);
    return sortedCols_ ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP HvBand::get_SortedCols(IHvSortedCols** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        HRESULT hr = EnsureSortedCols();
        if (FAILED(hr))
            return hr;
        return sortedCols_->QueryInterface(IID_IHvSortedCols, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvBand::get_Layout(IHvLayout** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!IsActive())
        return NotActiveError();
    if (!layout_)
        return E_FAIL;
    if (layout_->IsDesignMode())
        return Raise(kDesignTime, kDesignTimeString);
    return layout_->QueryLayout(out);
}

STDMETHODIMP HvBand::get_ParentColumn(IHvColumn** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!IsActive())
        return NotActiveError();
    if (!parent_ || !parentColumn_)
        return S_OK;
    return parentColumn_->ColumnItem()->QueryItemInterface(reinterpret_cast<IDispatch**>(out));
}

// --- overrides --------------------------------------------------------------

HRESULT HvBand::EnsureOverride()
{
    if (override_)
        return S_OK;
    if (!layout_)
        return E_OUTOFMEMORY;
    HRESULT hr = HvOverride::Create(layout_->OverrideSide(), nullptr, nullptr, &override_);
    if (FAILED(hr) || !override_)
        return FAILED(hr) ? hr : E_OUTOFMEMORY;
    overrideLink_.RelinkSubscription(override_);
    return S_OK;
}

void HvBand::DropOverride()
{
    overrideLink_.Unlink();
    if (override_) {
        HvOverride* old = override_;
        override_ = nullptr;
        old->Release();
    }
}

STDMETHODIMP HvBand::get_Override(IHvOverride** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        HRESULT hr = EnsureOverride();
        if (FAILED(hr))
            return hr;
        return override_->QueryInterface(IID_IHvOverride, reinterpret_cast<void**>(out));
    });
}

HRESULT HvBand::PutOverrideObject(HvOverride* replacement)
{
    if (replacement == override_)
        return S_OK;
    replacement->AddRef();
    overrideLink_.Unlink();
    if (override_)
        override_->Release();
    override_ = replacement;
    overrideLink_.RelinkSubscription(override_);
    rowHeightValid_ = rowLineValid_ = colHeaderLineValid_ = groupHeaderLineValid_ = false;
    NotifySubscribers(kOverrideId, 0);
    return S_OK;
}

STDMETHODIMP HvBand::put_Override(VARIANT value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        const VARIANT* v = &value;
        while (v->vt == (VT_VARIANT | VT_BYREF) && v->pvarVal)
            v = v->pvarVal;
        HvOverride* found = nullptr;
        if (v->vt == VT_DISPATCH || v->vt == VT_UNKNOWN) {
            found = v->punkVal ? HvOverride::FromObject(v->punkVal) : nullptr;
        } else if (HvOverrides* overrides = layout_ ? layout_->Overrides() : nullptr) {
            if (v->vt == VT_BSTR) {
                const CDualString key(v->bstrVal ? v->bstrVal : L"");
                found = overrides->FindOverride(key);
            } else {
                VARIANT index;
                VariantInit(&index);
                if (SUCCEEDED(VariantChangeType(&index, const_cast<VARIANT*>(v), 0, VT_I4)))
                    found = overrides->OverrideAt(index.lVal);
            }
        }
        if (!found || found->IsResolved())
            return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        return PutOverrideObject(found);
    });
}

STDMETHODIMP HvBand::putref_Override(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    return put_Override(*value);
}

STDMETHODIMP HvBand::ResolveOverride(IHvOverride** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (!resolved_) {
            HRESULT hr = HvOverride::CreateResolved(&resolvedSide_, &resolved_);
            if (FAILED(hr) || !resolved_)
                return FAILED(hr) ? hr : E_OUTOFMEMORY;
        }
        return resolved_->QueryInterface(IID_IHvOverride, reinterpret_cast<void**>(out));
    });
}

OverrideLayoutSeam* HvBand::ResolvedView::Layout()
{
    return band_->layout_ ? band_->layout_->OverrideSide() : nullptr;
}

void HvBand::ResolvedView::ResolveAppearance(AppearanceData& block, AppearanceRequest& request)
{
    band_->ResolveBandAppearance(block, request);
}

void HvBand::ResolveBandAppearance(AppearanceData& block, AppearanceRequest& request)
{
    // The band override's slots for the part and state, most specific first;
    // the layout continues with its own override and defaults. A pass for
    // an editing, active or selected state takes that state's slots only:
    // the plain ones come in the caller's later pass, after the object's
    // own appearances.
    int slots[5] = {-1, -1, -1, -1, -1};
    int count = 0;
    const BYTE* state = request.state;
    const bool stateOnly = state[AppearanceRequest::EditCell] || state[AppearanceRequest::ActiveCell] ||
                           state[AppearanceRequest::ActiveRow] || state[AppearanceRequest::Selected];
    switch (request.part) {
    case AppearanceRequest::Header:
        slots[count++] = 4;
        break;
    case AppearanceRequest::Cell:
        if (state[AppearanceRequest::EditCell])
            slots[count++] = 3;
        if (state[AppearanceRequest::ActiveCell])
            slots[count++] = 1;
        if (state[AppearanceRequest::ActiveRow])
            slots[count++] = 0;
        if (state[AppearanceRequest::Selected])
            slots[count++] = 7;
        if (!stateOnly)
            slots[count++] = 2;
        break;
    case AppearanceRequest::Row:
        if (state[AppearanceRequest::RowSelector])
            slots[count++] = 9;
        if (state[AppearanceRequest::Selected])
            slots[count++] = 8;
        if (state[AppearanceRequest::ActiveRow])
            slots[count++] = 0;
        if (!stateOnly)
            slots[count++] = state[AppearanceRequest::Alternate] ? 6 : 5;
        break;
    default:
        break;
    }
    if (override_) {
        for (int i = 0; i < count && request.resolvedMask != request.requestMask; ++i) {
            AppearanceRef* ref = override_->GetAppearanceRef(slots[i]);
            const AppearanceData* data = ref ? ref->GetAppearanceData() : nullptr;
            if (data) {
                std::uint32_t resolved = request.resolvedMask;
                AppearanceData::ResolveAppearance(block, *data, request.requestMask, &resolved);
                request.resolvedMask = resolved;
            }
        }
    }
    if (layout_ && request.resolvedMask != request.requestMask)
        layout_->ResolveLayoutAppearance(block, request);
}

// --- rows -------------------------------------------------------------------

STDMETHODIMP HvBand::AddNew(IHvRow** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        BandGridSeam* grid = layout_ ? layout_->Grid() : nullptr;
        if (parent_ && (!grid || !grid->ActiveRowLeadsToBand(parent_)))
            return Raise(kNoAddContext, kNoAddContextString);
        if (!binding_)
            return E_FAIL;
        const HRESULT added = binding_->AddRow(nullptr, out);
        // The new row is activated as a click on it would be: its first
        // cell for CellSelect, and into edit mode for Edit.
        if (SUCCEEDED(added) && *out)
            if (CellClickActionHandler* handler = CellClickActionHandler::FromStrategy(GetCellClickStrategy()))
                handler->ActivateRow(dynamic_cast<HvSelectableItem*>(*out));
        return added;
    });
}

HRESULT HvBand::ExpandAllBands(bool expand)
{
    HRESULT hr = ExpandRows(expand, true, 0);
    if (FAILED(hr))
        return hr;
    HvBands* bands = layout_ ? layout_->Bands() : nullptr;
    for (LONG i = 0; bands; ++i) {
        GridBandSeam* band = bands->BandAt(i);
        if (!band)
            break;
        HvBand* child = dynamic_cast<HvBand*>(band);
        if (child && child->parent_ == this) {
            hr = child->ExpandAllBands(expand);
            if (FAILED(hr))
                return hr;
        }
    }
    return S_OK;
}

STDMETHODIMP HvBand::Collapse()
{
    return Guard([&]() -> HRESULT { return IsActive() ? ExpandRows(false, false, 0) : NotActiveError(); });
}

STDMETHODIMP HvBand::CollapseAll()
{
    return Guard([&]() -> HRESULT { return IsActive() ? ExpandAllBands(false) : NotActiveError(); });
}

STDMETHODIMP HvBand::Expand()
{
    return Guard([&]() -> HRESULT { return IsActive() ? ExpandRows(true, false, 0) : NotActiveError(); });
}

STDMETHODIMP HvBand::ExpandAll()
{
    return Guard([&]() -> HRESULT { return IsActive() ? ExpandAllBands(true) : NotActiveError(); });
}

// --- origin and extent ------------------------------------------------------

HRESULT HvBand::BandPosition(VARIANT* origin, LONG* pixels, bool extent)
{
    LONG kind = hvBandOriginPreRowArea;
    if (origin && origin->vt != VT_ERROR && origin->vt != VT_EMPTY) {
        VARIANT value;
        VariantInit(&value);
        if (FAILED(VariantChangeType(&value, origin, 0, VT_I4)))
            return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        kind = value.lVal;
        if (kind < hvBandOriginPreRowArea || kind > hvBandOriginRowCellArea)
            return Raise(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    }
    if (layout_)
        layout_->EnsureMetrics();
    LONG shift = 0;
    if (kind >= hvBandOriginRowSelector)
        shift += ExpansionIndicatorWidth();
    if (kind == hvBandOriginRowCellArea)
        shift += RowSelectorWidth();
    *pixels = extent ? extent_ - shift : origin_ + shift;
    return S_OK;
}

STDMETHODIMP HvBand::GetExtent(VARIANT* origin, float* out)
{
    if (!out)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        LONG pixels = 0;
        HRESULT hr = BandPosition(origin, &pixels, true);
        if (FAILED(hr))
            return hr;
        *out = static_cast<float>(layout_ ? layout_->OverrideSide()->PixelsToUnitsX(pixels) : pixels);
        return S_OK;
    });
}

STDMETHODIMP HvBand::GetOrigin(VARIANT* origin, float* out)
{
    if (!out)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        LONG pixels = 0;
        HRESULT hr = BandPosition(origin, &pixels, false);
        if (FAILED(hr))
            return hr;
        *out = static_cast<float>(layout_ ? layout_->OverrideSide()->PixelsToUnitsX(pixels) : pixels);
        return S_OK;
    });
}

// --- the band's button in the add-new box -----------------------------------

namespace {

bool IsAddNewButton(OwnedElementSeam* element)
{
    return element && element->OwnerContext() == HvUIElementOwner::ContextAddNewButton;
}

} // namespace

LayoutRegionsSeam* HvBand::GetShowingLayout()
{
    return layout_ && layout_->Grid() ? dynamic_cast<LayoutRegionsSeam*>(layout_) : nullptr;
}

UIElementSeam* HvBand::GetUIElement(ScrollRegionSeam*, ScrollRegionSeam*, int)
{
    BandElementFinder finder = BandElementLookup();
    return finder && IsActive() && GetShowingLayout() ? finder(*this) : nullptr;
}

LONG HvBand::GetState(OwnedElementSeam* element)
{
    if (!IsAddNewButton(element))
        return 0;
    LONG state = pressed_ ? static_cast<LONG>(StatePressed) : 0;
    const bool designMode = layout_ && layout_->IsDesignMode();
    if (!designMode && !CanAddNew(true))
        state |= StateDisabled;
    return state;
}

bool HvBand::OnMouseDown(OwnedElementSeam* element)
{
    if (!IsAddNewButton(element) || !layout_ || layout_->IsDesignMode() || !CanPress(element))
        return false;
    if (layout_->AddNewButtonBorderStyle() == 0) {
        OwnedElementSeam* button = element->FindEnclosing(kAddNewRowButton);
        pressed_ = button && button->BeginPress();
    } else {
        DoAddNew();
    }
    return false;
}

void HvBand::OnPressEnter(OwnedElementSeam* element)
{
    if (!IsAddNewButton(element) || !layout_ || layout_->IsDesignMode())
        return;
    OwnedElementSeam* button = element->FindEnclosing(kAddNewRowButton);
    if (!button)
        return;
    if (!button->IsPressed()) {
        if (BandGridSeam* grid = layout_->Grid())
            grid->HideToolTip();
    } else {
        pressed_ = true;
    }
}

void HvBand::OnPressLeave(OwnedElementSeam* element)
{
    if (!IsAddNewButton(element))
        return;
    pressed_ = false;
    if (layout_ && element->FindEnclosing(kAddNewRowButton))
        if (BandGridSeam* grid = layout_->Grid())
            grid->HideToolTip();
}

HCURSOR HvBand::GetCursor(OwnedElementSeam* element)
{
    if (!IsAddNewButton(element) || !layout_)
        return nullptr;
    return layout_->AddNewButtonCursor();
}

void HvBand::AdjustPictureRect(OwnedElementSeam* element, RECT* rect)
{
    AdjustTextRect(element, rect);
}

void HvBand::AdjustTextRect(OwnedElementSeam* element, RECT* rect)
{
    if (IsAddNewButton(element) && rect && pressed_ && layout_ && layout_->AddNewButtonBorderStyle() == 0)
        OffsetRect(rect, 2, 2);
}

bool HvBand::GetText(OwnedElementSeam* element, CDualString& text)
{
    if (!IsAddNewButton(element))
        return false;
    GetAddButtonText(text);
    return !text.IsEmpty();
}

void HvBand::OnClick(OwnedElementSeam* element)
{
    if (!layout_ || layout_->IsDesignMode())
        return;
    pressed_ = false;
    if (CanPress(element))
        DoAddNew();
}

void HvBand::OnCancel(OwnedElementSeam*)
{
    pressed_ = false;
}

bool HvBand::CanPress(OwnedElementSeam*)
{
    return CanAddNew(true);
}

void HvBand::DoAddNew()
{
    IHvRow* row = nullptr;
    if (SUCCEEDED(AddNew(&row)) && row)
        row->Release();
}

// --- sorting ----------------------------------------------------------------

HRESULT HvBand::AddSortedColumn(GridColumnSeam* column, bool descending)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (!column || GetColumnPosition(column) < 0)
            return Raise(kOtherBand, kOtherBandString);
        HRESULT hr = EnsureSortedCols();
        if (FAILED(hr))
            return hr;
        return sortedCols_->ApplyColumnSort(column, descending ? SortIndicatorDescending : SortIndicatorAscending,
                                            false, true);
    });
}

HRESULT HvBand::ChangeSort(HvColumn* column, LONG indicator, bool clearOthers)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        GridColumnSeam* seam = column;
        if (!seam || GetColumnPosition(seam) < 0)
            return Raise(kOtherBand, kOtherBandString);
        HRESULT hr = EnsureSortedCols();
        if (FAILED(hr))
            return hr;
        return sortedCols_->ApplyColumnSort(seam, indicator, clearOthers, true);
    });
}
