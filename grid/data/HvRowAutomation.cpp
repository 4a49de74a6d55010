// HvRow: the members of IHvRow. Each checks liveness first, raises its
// errors through the row's automation base and announces a change with the
// property's dispatch identifier.
#include "HvRow.h"

#include "HvCell.h"
#include "HvCells.h"
#include "RowBandSeam.h"
#include "RowDataSeam.h"

#include <cmath>
#include <oledberr.h>

namespace {

constexpr DISPID kActivationId = 1081;
constexpr DISPID kAppearanceId = -520;
constexpr DISPID kAutoPreviewHiddenId = 1180;
constexpr DISPID kCellAppearanceId = 1263;
constexpr DISPID kDescriptionId = 1182;
constexpr DISPID kExpandOnLoadId = 1284;
constexpr DISPID kExpansionIndicatorId = 2207;
constexpr DISPID kFixedHeightId = 1184;
constexpr DISPID kHiddenId = 1127;
constexpr DISPID kRowSelectorAppearanceId = 1051;
constexpr DISPID kSpacingBeforeId = 1259;
constexpr DISPID kSpacingAfterId = 1260;

// The cells made so far: an unbound cell keeps its value itself, and the
// row's commit or undo reaches it there.
template <class Each>
void ForEachMadeCell(HvCells* cells, Each each)
{
    if (!cells)
        return;
    const std::vector<HvKeyedItem*> items = cells->Items();
    for (HvKeyedItem* item : items)
        if (auto* cell = dynamic_cast<HvCell*>(item))
            each(cell);
}

constexpr HRESULT kEndOfRowset = static_cast<HRESULT>(0x800A9C48);
constexpr WORD kEndOfRowsetString = 3001;
constexpr HRESULT kBookmarkNotFound = static_cast<HRESULT>(0x800A9C4C);
constexpr WORD kBookmarkNotFoundString = 4003;
constexpr HRESULT kNotParentBand = static_cast<HRESULT>(0x800A9C4F);
constexpr WORD kNotParentBandString = 4006;
constexpr HRESULT kNotBound = static_cast<HRESULT>(0x800A9C50);
constexpr WORD kNotBoundString = 4007;
constexpr HRESULT kNoParent = static_cast<HRESULT>(0x800A9C51);
constexpr WORD kNoParentString = 4008;
constexpr HRESULT kNotInEvent = static_cast<HRESULT>(0x800A9C59);
constexpr WORD kNotInEventString = 4015;
constexpr HRESULT kTooManySelected = static_cast<HRESULT>(0x800A9C5E);
constexpr WORD kTooManySelectedString = 6005;
constexpr HRESULT kOtherBandSelected = static_cast<HRESULT>(0x800A9C6E);
constexpr WORD kOtherBandSelectedString = 6012;

bool IsMissing(const VARIANT* argument)
{
    return !argument || (V_VT(argument) == VT_ERROR && V_ERROR(argument) == DISP_E_PARAMNOTFOUND) ||
           V_VT(argument) == VT_EMPTY;
}

// An optional argument as a number (fallback when missing); false when it
// cannot be converted.
bool OptionalLong(const VARIANT* argument, LONG fallback, LONG* value)
{
    *value = fallback;
    if (IsMissing(argument))
        return true;
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(argument), 0, VT_I4)))
        return false;
    *value = V_I4(&converted);
    return true;
}

} // namespace

template <class TEnum>
HRESULT HvRow::PutEnum(LONG& stored, DISPID id, TEnum value, LONG last)
{
    const LONG number = static_cast<LONG>(value);
    if (number < 0 || number > last)
        return Invalid();
    if (number != stored) {
        stored = number;
        NotifySubscribers(id, 0);
    }
    return S_OK;
}

HRESULT HvRow::PutAppearanceValue(AppearanceRef& ref, DISPID id, const VARIANT& value)
{
    bool changed = false;
    const HRESULT hr = ref.PutValue(value, &changed);
    if (FAILED(hr))
        return hr;
    if (changed)
        NotifySubscribers(id, 0);
    return S_OK;
}

HRESULT HvRow::PutSpacing(LONG& stored, DISPID id, float value)
{
    LONG pixels = -1;
    if (value >= 0)
        pixels = band_ ? band_->UnitsToPixelsY(value) : static_cast<LONG>(value);
    if (pixels == stored)
        return S_OK;
    stored = pixels;
    NotifySubscribers(id, 0);
    return S_OK;
}

#define HV_ROW_GETTER(out, body)                                                                                      \
    if (!(out))                                                                                                      \
        return E_INVALIDARG;                                                                                         \
    return Guard([&]() -> HRESULT {                                                                                  \
        if (!IsActive())                                                                                             \
            return NotActiveError();                                                                                 \
        body                                                                                                         \
    })

#define HV_ROW_SETTER(body)                                                                                           \
    return Guard([&]() -> HRESULT {                                                                                  \
        if (!IsActive())                                                                                             \
            return NotActiveError();                                                                                 \
        body                                                                                                         \
    })

// --- simple settings ---------------------------------------------------------

STDMETHODIMP HvRow::get_Activation(Constants_Activation* out)
{
    HV_ROW_GETTER(out, *out = static_cast<Constants_Activation>(activation_); return S_OK;);
}

STDMETHODIMP HvRow::put_Activation(Constants_Activation value)
{
    HV_ROW_SETTER(return PutEnum(activation_, kActivationId, value, hvActivationDisabled););
}

STDMETHODIMP HvRow::get_ExpandChildRowsOnLoad(Constants_ExpandOnLoad* out)
{
    HV_ROW_GETTER(out, *out = static_cast<Constants_ExpandOnLoad>(expandOnLoad_); return S_OK;);
}

STDMETHODIMP HvRow::put_ExpandChildRowsOnLoad(Constants_ExpandOnLoad value)
{
    HV_ROW_SETTER(return PutEnum(expandOnLoad_, kExpandOnLoadId, value, hvExpandOnLoadNo););
}

STDMETHODIMP HvRow::get_ExpansionIndicator(Constants_ExpansionIndicator* out)
{
    HV_ROW_GETTER(out, *out = static_cast<Constants_ExpansionIndicator>(expansionIndicator_); return S_OK;);
}

STDMETHODIMP HvRow::put_ExpansionIndicator(Constants_ExpansionIndicator value)
{
    HV_ROW_SETTER({
        const LONG before = expansionIndicator_;
        const HRESULT hr = PutEnum(expansionIndicator_, kExpansionIndicatorId, value, hvExpansionIndicatorHide);
        if (SUCCEEDED(hr) && before != expansionIndicator_ && band_)
            band_->MarkRowsDirty();
        return hr;
    });
}

STDMETHODIMP HvRow::get_FixedHeight(Constants_FixedHeight* out)
{
    HV_ROW_GETTER(out, *out = static_cast<Constants_FixedHeight>(fixedHeight_); return S_OK;);
}

STDMETHODIMP HvRow::put_FixedHeight(Constants_FixedHeight value)
{
    HV_ROW_SETTER(return PutEnum(fixedHeight_, kFixedHeightId, value, hvFixedHeightFalse););
}

STDMETHODIMP HvRow::get_AutoPreviewHidden(VARIANT_BOOL* out)
{
    HV_ROW_GETTER(out, *out = (flags_ & FlagAutoPreviewHidden) ? VARIANT_TRUE : VARIANT_FALSE; return S_OK;);
}

STDMETHODIMP HvRow::put_AutoPreviewHidden(VARIANT_BOOL value)
{
    HV_ROW_SETTER({
        const bool hide = value != VARIANT_FALSE;
        if (hide == ((flags_ & FlagAutoPreviewHidden) != 0))
            return S_OK;
        flags_ ^= FlagAutoPreviewHidden;
        NotifySubscribers(kAutoPreviewHiddenId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvRow::get_Description(BSTR* out)
{
    if (out)
        *out = nullptr;
    HV_ROW_GETTER(out, {
        *out = description_.AllocSysString();
        return *out || description_.IsEmpty() ? S_OK : E_OUTOFMEMORY;
    });
}

STDMETHODIMP HvRow::put_Description(BSTR value)
{
    HV_ROW_SETTER({
        description_.AssignWide(value ? value : L"");
        NotifySubscribers(kDescriptionId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvRow::get_Type(Constants_RowType* out)
{
    HV_ROW_GETTER(out, *out = static_cast<Constants_RowType>(type_); return S_OK;);
}

STDMETHODIMP HvRow::get_DataChanged(VARIANT_BOOL* out)
{
    HV_ROW_GETTER(out, *out = HasDataChanged() ? VARIANT_TRUE : VARIANT_FALSE; return S_OK;);
}

STDMETHODIMP HvRow::get_RowSpacingBefore(float* out)
{
    HV_ROW_GETTER(out, {
        *out = spacingBefore_ < 0 || !band_ ? static_cast<float>(spacingBefore_) : band_->PixelsToUnitsY(spacingBefore_);
        return S_OK;
    });
}

STDMETHODIMP HvRow::put_RowSpacingBefore(float value)
{
    HV_ROW_SETTER(return PutSpacing(spacingBefore_, kSpacingBeforeId, value););
}

STDMETHODIMP HvRow::get_RowSpacingAfter(float* out)
{
    HV_ROW_GETTER(out, {
        *out = spacingAfter_ < 0 || !band_ ? static_cast<float>(spacingAfter_) : band_->PixelsToUnitsY(spacingAfter_);
        return S_OK;
    });
}

STDMETHODIMP HvRow::put_RowSpacingAfter(float value)
{
    HV_ROW_SETTER(return PutSpacing(spacingAfter_, kSpacingAfterId, value););
}

// --- appearances ---------------------------------------------------------------

STDMETHODIMP HvRow::get_Appearance(IHvAppearance** out)
{
    if (out)
        *out = nullptr;
    HV_ROW_GETTER(out, return appearance_.QueryAppearance(out););
}

STDMETHODIMP HvRow::putref_Appearance(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    return put_Appearance(*value);
}

STDMETHODIMP HvRow::put_Appearance(VARIANT value)
{
    HV_ROW_SETTER(return PutAppearanceValue(appearance_, kAppearanceId, value););
}

STDMETHODIMP HvRow::get_CellAppearance(IHvAppearance** out)
{
    if (out)
        *out = nullptr;
    HV_ROW_GETTER(out, return cellAppearance_.QueryAppearance(out););
}

STDMETHODIMP HvRow::putref_CellAppearance(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    return put_CellAppearance(*value);
}

STDMETHODIMP HvRow::put_CellAppearance(VARIANT value)
{
    HV_ROW_SETTER(return PutAppearanceValue(cellAppearance_, kCellAppearanceId, value););
}

STDMETHODIMP HvRow::get_RowSelectorAppearance(IHvAppearance** out)
{
    if (out)
        *out = nullptr;
    HV_ROW_GETTER(out, return rowSelectorAppearance_.QueryAppearance(out););
}

STDMETHODIMP HvRow::putref_RowSelectorAppearance(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    return put_RowSelectorAppearance(*value);
}

STDMETHODIMP HvRow::put_RowSelectorAppearance(VARIANT value)
{
    HV_ROW_SETTER(return PutAppearanceValue(rowSelectorAppearance_, kRowSelectorAppearanceId, value););
}

// --- band, bookmark, cells -------------------------------------------------------

STDMETHODIMP HvRow::get_Band(IHvBand** out)
{
    if (out)
        *out = nullptr;
    HV_ROW_GETTER(out, return band_ ? band_->QueryBand(out) : E_FAIL;);
}

STDMETHODIMP HvRow::get_Bookmark(VARIANT bookmarkTemplate, VARIANT* out)
{
    if (out)
        VariantInit(out);
    HV_ROW_GETTER(out, {
        if (!data_)
            return S_OK;
        return data_->GetBookmarkValue(V_VT(&bookmarkTemplate), out);
    });
}

STDMETHODIMP HvRow::get_Cells(IHvCells** out)
{
    if (out)
        *out = nullptr;
    HV_ROW_GETTER(out, {
        HvCells* cells = GetCells();
        if (!cells)
            return E_OUTOFMEMORY;
        return cells->QueryInterface(IID_IHvCells, reinterpret_cast<void**>(out));
    });
}

// --- expansion, height, hidden, selection -----------------------------------------

STDMETHODIMP HvRow::get_Expanded(VARIANT_BOOL* out)
{
    HV_ROW_GETTER(out, *out = IsExpanded() ? VARIANT_TRUE : VARIANT_FALSE; return S_OK;);
}

STDMETHODIMP HvRow::put_Expanded(VARIANT_BOOL value)
{
    HV_ROW_SETTER({
        const bool expand = value != VARIANT_FALSE;
        if (expand == IsExpanded())
            return S_OK;
        return SetExpanded(expand, true, true);
    });
}

STDMETHODIMP HvRow::get_Height(float* out)
{
    HV_ROW_GETTER(out, {
        const LONG pixels = GetHeight();
        *out = band_ ? band_->PixelsToUnitsY(pixels) : static_cast<float>(pixels);
        return S_OK;
    });
}

STDMETHODIMP HvRow::put_Height(float value)
{
    HV_ROW_SETTER({
        // Not a number and infinity are no heights either.
        if (!(value >= 0) || !std::isfinite(value))
            return Invalid();
        if (!band_)
            return E_FAIL;
        return band_->ResizeRow(this, band_->UnitsToPixelsY(value));
    });
}

STDMETHODIMP HvRow::get_Hidden(VARIANT_BOOL* out)
{
    HV_ROW_GETTER(out, *out = IsHidden() ? VARIANT_TRUE : VARIANT_FALSE; return S_OK;);
}

STDMETHODIMP HvRow::put_Hidden(VARIANT_BOOL value)
{
    HV_ROW_SETTER({
        const bool hide = value != VARIANT_FALSE;
        if (hide == ((flags_ & FlagHidden) != 0))
            return S_OK;
        if (hide && IsSelected()) {
            put_Selected(VARIANT_FALSE);
            // A row the selection keeps stays visible.
            if (IsSelected())
                return S_OK;
        }
        if (hide) {
            flags_ |= FlagHidden;
            EnsureReferenced();
        } else {
            flags_ &= static_cast<BYTE>(~FlagHidden);
        }
        if (data_ && band_ && band_->IsCurrentLayout())
            data_->SetHidden(hide);
        if (band_)
            band_->MarkRowsDirty();
        NotifySubscribers(kHiddenId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvRow::get_Selected(VARIANT_BOOL* out)
{
    HV_ROW_GETTER(out, *out = IsSelected() ? VARIANT_TRUE : VARIANT_FALSE; return S_OK;);
}

STDMETHODIMP HvRow::put_Selected(VARIANT_BOOL value)
{
    HV_ROW_SETTER({
        if (!band_)
            return E_FAIL;
        if (!band_->ExitEditMode())
            return S_OK;
        const bool select = value != VARIANT_FALSE;
        if (select == IsSelected())
            return S_OK;
        const HRESULT hr = band_->SelectRow(this, select);
        if (hr == kTooManySelected)
            return Exception(kTooManySelected, kTooManySelectedString);
        if (hr == kOtherBandSelected)
            return Exception(kOtherBandSelected, kOtherBandSelectedString);
        if (SUCCEEDED(hr) && IsSelected())
            band_->SetSelectionPivot(this);
        return hr;
    });
}

STDMETHODIMP HvRow::CollapseAll()
{
    HV_ROW_SETTER(return band_ ? band_->ExpandAll(this, false) : E_FAIL;);
}

STDMETHODIMP HvRow::ExpandAll()
{
    HV_ROW_SETTER(return band_ ? band_->ExpandAll(this, true) : E_FAIL;);
}

// --- related rows ------------------------------------------------------------

STDMETHODIMP HvRow::GetParent(VARIANT* band, IHvRow** out)
{
    if (out)
        *out = nullptr;
    HV_ROW_GETTER(out, {
        RowBandSeam* wanted = nullptr;
        if (!IsMissing(band) && band_) {
            const HRESULT hr = band_->BandFromVariant(band, &wanted);
            if (FAILED(hr))
                return hr;
        }
        if (!parent_)
            return wanted ? Exception(kNotParentBand, kNotParentBandString) : Exception(kNoParent, kNoParentString);
        if (wanted && parent_->band_ != wanted) {
            const HRESULT hr = parent_->GetParent(band, out);
            if (FAILED(hr)) {
                // The ancestor raised it; raise it again as this row's.
                return wanted ? Exception(kNotParentBand, kNotParentBandString) : hr;
            }
            return hr;
        }
        return parent_->QueryInterface(IID_IHvRow, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvRow::HasParent(VARIANT* band, VARIANT_BOOL* out)
{
    if (out)
        *out = VARIANT_FALSE;
    HV_ROW_GETTER(out, {
        RowBandSeam* wanted = nullptr;
        if (!IsMissing(band) && band_) {
            const HRESULT hr = band_->BandFromVariant(band, &wanted);
            if (FAILED(hr))
                return hr;
        }
        if (!parent_)
            return wanted ? Exception(kNotParentBand, kNotParentBandString) : S_OK;
        if (!wanted || parent_->band_ == wanted) {
            *out = VARIANT_TRUE;
            return S_OK;
        }
        const HRESULT hr = parent_->HasParent(band, out);
        return FAILED(hr) ? Exception(kNotParentBand, kNotParentBandString) : hr;
    });
}

STDMETHODIMP HvRow::HasNextSibling(VARIANT* spanBands, VARIANT_BOOL* out)
{
    if (out)
        *out = VARIANT_FALSE;
    HV_ROW_GETTER(out, {
        if (!data_)
            return S_OK;
        LONG span = 0;
        if (!OptionalLong(spanBands, 0, &span))
            return DISP_E_TYPEMISMATCH;
        bool has = data_->HasNextSibling(false);
        if (!has && span != 0)
            has = data_->HasNextSiblingSpanningBands(false);
        *out = has ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

STDMETHODIMP HvRow::HasPrevSibling(VARIANT* spanBands, VARIANT_BOOL* out)
{
    if (out)
        *out = VARIANT_FALSE;
    HV_ROW_GETTER(out, {
        if (!data_)
            return S_OK;
        LONG span = 0;
        if (!OptionalLong(spanBands, 0, &span))
            return DISP_E_TYPEMISMATCH;
        bool has = data_->HasPrevSibling(false);
        if (!has && span != 0)
            has = data_->HasPrevSiblingSpanningBands(false);
        *out = has ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

STDMETHODIMP HvRow::HasChild(VARIANT* band, VARIANT_BOOL* out)
{
    if (out)
        *out = VARIANT_FALSE;
    HV_ROW_GETTER(out, {
        if (!data_ || !band_)
            return S_OK;
        if (IsMissing(band)) {
            *out = data_->HasChildRows(false) ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        }
        RowBandSeam* wanted = nullptr;
        HRESULT hr = band_->BandFromVariant(band, &wanted);
        if (FAILED(hr))
            return hr;
        bool has = false;
        hr = band_->HasChildRowIn(this, wanted, &has);
        if (FAILED(hr))
            return hr;
        *out = has ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}

STDMETHODIMP HvRow::GetChild(Constants_ChildRow child, VARIANT* band, IHvRow** out)
{
    if (out)
        *out = nullptr;
    HV_ROW_GETTER(out, {
        if (child < hvChildRowFirst || child > hvChildRowLast)
            return Invalid();
        if (!data_ || !band_)
            return Exception(kNotBound, kNotBoundString);
        RowBandSeam* wanted = nullptr;
        if (!IsMissing(band)) {
            const HRESULT hr = band_->BandFromVariant(band, &wanted);
            if (FAILED(hr))
                return hr;
        }
        const HRESULT hr = band_->GetChildRow(this, child, wanted, out);
        if (hr == DB_S_ENDOFROWSET || (SUCCEEDED(hr) && !*out))
            return Exception(kEndOfRowset, kEndOfRowsetString);
        return hr;
    });
}

STDMETHODIMP HvRow::GetChildFromBookmark(VARIANT bookmark, VARIANT* band, IHvRow** out)
{
    if (out)
        *out = nullptr;
    HV_ROW_GETTER(out, {
        if (!data_ || !band_)
            return Exception(kNotBound, kNotBoundString);
        RowBandSeam* wanted = nullptr;
        if (!IsMissing(band)) {
            const HRESULT hr = band_->BandFromVariant(band, &wanted);
            if (FAILED(hr))
                return hr;
        }
        const HRESULT hr = band_->GetChildRowByBookmark(this, bookmark, wanted, out);
        if (SUCCEEDED(hr) && !*out)
            return Exception(kBookmarkNotFound, kBookmarkNotFoundString);
        return hr;
    });
}

STDMETHODIMP HvRow::GetSibling(Constants_SiblingRow sibling, VARIANT* spanBands, IHvRow** out)
{
    if (out)
        *out = nullptr;
    HV_ROW_GETTER(out, {
        if (sibling < hvSiblingRowFirst || sibling > hvSiblingRowPrevious)
            return Invalid();
        if (!data_ || !band_)
            return Exception(kNotBound, kNotBoundString);
        LONG spanValue = 0;
        if (!OptionalLong(spanBands, 0, &spanValue))
            return DISP_E_TYPEMISMATCH;
        const bool span = spanValue != 0;
        const HRESULT hr = band_->GetSiblingRow(this, sibling, span, out);
        if (hr == DB_S_ENDOFROWSET || (SUCCEEDED(hr) && !*out))
            return Exception(kEndOfRowset, kEndOfRowsetString);
        return hr;
    });
}

STDMETHODIMP HvRow::GetUIElement(VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out)
{
    if (out)
        *out = nullptr;
    HV_ROW_GETTER(out, return band_ ? band_->GetRowElement(this, rowRegion, colRegion, out) : S_OK;);
}

STDMETHODIMP HvRow::ResolveAppearance(VARIANT* rowRegion, IHvAppearance** out)
{
    if (out)
        *out = nullptr;
    HV_ROW_GETTER(out, return band_ ? band_->ResolveRowAppearance(this, rowRegion, out) : E_FAIL;);
}

// --- refresh, commit, cancel, delete -------------------------------------------

STDMETHODIMP HvRow::Refresh(VARIANT* action)
{
    HV_ROW_SETTER({
        LONG what = hvRefreshDisplay;
        if (!OptionalLong(action, hvRefreshDisplay, &what))
            return DISP_E_TYPEMISMATCH;
        if (what < hvRefreshDisplay || what > hvRefetchAndFireInitializeRow || !band_)
            return S_OK;
        band_->RefreshRow(this);
        if (what != hvRefreshDisplay && band_->CanFireEvents()) {
            flags_ |= FlagInitializing;
            band_->FireInitializeRow(this);
            flags_ &= static_cast<BYTE>(~FlagInitializing);
        }
        return S_OK;
    });
}

STDMETHODIMP HvRow::Update()
{
    HV_ROW_SETTER({
        if (band_ && band_->IsInitializeRowFiring())
            return Exception(kNotInEvent, kNotInEventString);
        if (!HasDataChanged())
            return S_OK;
        // The events may let every other reference go.
        CUnknownObject::AddRef();
        struct Hold {
            HvRow* row;
            ~Hold() { row->CUnknownObject::Release(); }
        } hold{this};
        const bool events = band_ && band_->CanFireEvents();
        if (events && band_->FireBeforeRowUpdate(this))
            return S_OK;
        if (!IsActive())
            return NotActiveError();
        const HRESULT hr = data_ ? data_->Update() : S_OK;
        if (FAILED(hr)) {
            if (band_)
                band_->ReportRowError(this, hr);
            if (type_ == hvRowTypeAddRow && data_ && band_) {
                band_->ReleaseHeldRow(data_);
                data_->Undo();
                flags_ &= static_cast<BYTE>(~FlagDataChanged);
                band_->MarkRowsDirty();
            }
            return hr;
        }
        if (type_ == hvRowTypeAddRow)
            type_ = hvRowTypeBound;
        ForEachMadeCell(cells_, [](HvCell* cell) {
            cell->CommitOwnValue();
            cell->SetDataChanged(0);
        });
        SetDataChanged(VARIANT_FALSE);
        if (events) {
            band_->FireAfterRowUpdate(this);
            flags_ |= FlagInitializing;
            band_->FireInitializeRow(this);
            flags_ &= static_cast<BYTE>(~FlagInitializing);
        }
        return S_OK;
    });
}

STDMETHODIMP HvRow::CancelUpdate()
{
    HV_ROW_SETTER({
        if (!HasDataChanged())
            return S_OK;
        CUnknownObject::AddRef();
        struct Hold {
            HvRow* row;
            ~Hold() { row->CUnknownObject::Release(); }
        } hold{this};
        const bool events = band_ && band_->CanFireEvents();
        if (events && band_->FireBeforeRowCancelUpdate(this))
            return S_OK;
        if (!IsActive())
            return NotActiveError();
        if (data_) {
            const HRESULT hr = data_->Undo();
            if (FAILED(hr)) {
                if (band_)
                    band_->ReportRowError(this, hr);
                return hr;
            }
        }
        ForEachMadeCell(cells_, [](HvCell* cell) {
            cell->RestoreOwnValue();
            cell->SetDataChanged(0);
        });
        if (band_)
            band_->RefreshRow(this);
        SetDataChanged(VARIANT_FALSE);
        if (events)
            band_->FireAfterRowCancelUpdate(this);
        if (type_ == hvRowTypeAddRow) {
            if (band_)
                band_->MarkRowsDirty();
            Deactivate();
        }
        return S_OK;
    });
}

STDMETHODIMP HvRow::Delete()
{
    HV_ROW_SETTER(return band_ ? band_->DeleteRowWithPrompt(this) : E_FAIL;);
}
