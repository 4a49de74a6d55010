// HvCell: value road, settings and editor-selection members of a cell.
#include "HvCell.h"

#include "ObjectInfo.h"

#include <new>

namespace {

constexpr HRESULT CantSetInEditMode = static_cast<HRESULT>(0x800A9C6F);  // string 4039
constexpr WORD CantSetInEditModeString = 4039;
constexpr HRESULT ReadOnlyInEvent = static_cast<HRESULT>(0x800A9C58);    // string 4014
constexpr WORD ReadOnlyInEventString = 4014;
constexpr DISPID BeforeCellUpdateEvent = 1023;
constexpr DISPID InitializeRowEvent = 1057;
constexpr LONG StyleDropDownList = 5;

struct VariantHolder {
    VARIANT v;
    VariantHolder() { VariantInit(&v); }
    ~VariantHolder() { VariantClear(&v); }
    VariantHolder(const VariantHolder&) = delete;
    VariantHolder& operator=(const VariantHolder&) = delete;
};

// Holds the grid control referenced while an event runs the client's code.
class ControlHold {
public:
    explicit ControlHold(CellGridHost* grid) : grid_(grid) { grid_->AddRefControl(); }
    ~ControlHold() { grid_->ReleaseControl(); }
    ControlHold(const ControlHold&) = delete;
    ControlHold& operator=(const ControlHold&) = delete;

private:
    CellGridHost* grid_;
};

} // namespace

HRESULT HvCell::Create(CellRowHost* row, CellColumnHost* column, CellGridHost* grid, HvCell** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!row || !column || !grid)
        return E_INVALIDARG;
    try {
        *out = new HvCell(row, column, grid);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HvCell::HvCell(CellRowHost* row, CellColumnHost* column, CellGridHost* grid)
    : HvObjectBaseImpl(ObjectType::HvCell), row_(row), column_(column), grid_(grid)
{
    appearance_.Init(row->CellAppearanceHost(), row->CellAppearances(), this);
}

HvCell::~HvCell()
{
    Deactivate();
    appearance_.Detach();
    DetachAllSubscribers();
    if (IUnknown* row = heldRow_) {
        heldRow_ = nullptr;
        row->Release();
    }
}

void HvCell::OnSharedChange(bool shared)
{
    if (shared) {
        if (!heldRow_ && IsActive()) {
            heldRow_ = row_->RowInterface();
            if (heldRow_)
                heldRow_->AddRef();
        }
        return;
    }
    // A cell that has ended keeps its row until it goes itself.
    if (!heldRow_ || !IsActive())
        return;
    IUnknown* row = heldRow_;
    heldRow_ = nullptr;
    row->Release();
}

void HvCell::Detach()
{
    Deactivate();
    appearance_.Detach();
    ReleaseAllSubscribers(0);
}

HRESULT HvCell::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && (IsEqualIID(iid, IID_IHvCell) || IsEqualIID(iid, IID_IHvObjectBase) || IsEqualIID(iid, IID_IHvBase))) {
        *out = static_cast<IHvCell*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CDualObject::InternalQueryInterface(iid, out);
}

const CDualString* HvCell::GetKey() { return IsActive() ? column_->Key() : nullptr; }

// --- IHvObjectBase ---------------------------------------------------------

STDMETHODIMP HvCell::get_TagVariant(VARIANT* value)
{
    if (!IsActive())
        return NotActiveError();
    return HvObjectBaseImpl::get_TagVariant(value);
}

STDMETHODIMP HvCell::put_TagVariant(VARIANT value)
{
    if (!IsActive())
        return NotActiveError();
    return HvObjectBaseImpl::put_TagVariant(value);
}

STDMETHODIMP HvCell::putref_TagVariant(VARIANT* value)
{
    if (!IsActive())
        return NotActiveError();
    return HvObjectBaseImpl::putref_TagVariant(value);
}

STDMETHODIMP HvCell::IsSameAs(IDispatch* other, VARIANT_BOOL* result)
{
    if (!IsActive())
        return NotActiveError();
    return HvObjectBaseImpl::IsSameAs(other, result);
}

// --- Value road ------------------------------------------------------------

void HvCell::FilterAfterGet(VARIANT* value)
{
    IHvTVDataFilter* filter = grid_->DataFilter();
    if (filter && grid_->CanFireEvents())
        filter->AfterGetValue(hvGetValueContextReserved, static_cast<IHvCell*>(this), value);
}

HRESULT HvCell::ReadBound(VARIANT* out, bool original)
{
    if (!row_->HasRowData())
        return E_FAIL;
    HRESULT hr = original ? row_->GetRowOriginalValue(column_->DataIndex(), out)
                          : row_->GetRowValue(column_->DataIndex(), out);
    if (SUCCEEDED(hr))
        FilterAfterGet(out);
    return hr;
}

HRESULT HvCell::ReadValue(VARIANT* out)
{
    VariantInit(out);
    if (column_->IsBound()) {
        if (!row_->HasRowData())
            return E_FAIL;
        if (column_->IsChapter()) {
            IUnknown* rows = nullptr;
            HRESULT hr = column_->ChildRows(row_, &rows);
            IDispatch* dispatch = nullptr;
            if (SUCCEEDED(hr) && rows)
                hr = rows->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
            if (rows)
                rows->Release();
            if (FAILED(hr) || !dispatch)
                return E_FAIL;
            out->vt = VT_DISPATCH;
            out->pdispVal = dispatch;
            return S_OK;
        }
        return ReadBound(out, false);
    }
    HRESULT hr = hasOwnValue_ ? ownValue_.GetValue(out) : S_OK;
    if (FAILED(hr))
        return hr;
    const VARTYPE type = column_->ValueType();
    if (grid_->HasRowsetBinding(this) && type != VT_EMPTY && out->vt != type && out->vt != VT_EMPTY && out->vt != VT_NULL) {
        // A value that cannot take the column's type is handed back as stored.
        VariantChangeType(out, out, 17, type);
    }
    return S_OK;
}

STDMETHODIMP HvCell::get_Value(VARIANT* out)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (!out)
            return E_INVALIDARG;
        return ReadValue(out);
    });
}

STDMETHODIMP HvCell::putref_Value(VARIANT* value)
{
    if (!IsActive())
        return NotActiveError();
    if (!value)
        return E_INVALIDARG;
    VariantHolder copy;
    HRESULT hr = VariantCopyInd(&copy.v, value);
    if (FAILED(hr))
        return hr;
    return put_Value(copy.v);
}

STDMETHODIMP HvCell::put_Value(VARIANT value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (!grid_->HasGridControl())
            return E_FAIL;
        if (IsInEditMode())
            return Exception(CantSetInEditMode, CantSetInEditModeString);
        if (column_->IsChapter())
            return S_OK;
        if (!grid_->HasEventGate())
            return E_FAIL;
        if (grid_->IsEventFiring(BeforeCellUpdateEvent))
            return Exception(ReadOnlyInEvent, ReadOnlyInEventString);

        VariantHolder newValue;
        HRESULT hr = VariantCopyInd(&newValue.v, &value);
        if (FAILED(hr))
            return hr;
        {
            VariantHolder current;
            if (SUCCEEDED(ReadValue(&current.v))) {
                if (current.v.vt == VT_NULL && newValue.v.vt == VT_NULL)
                    return S_OK;
                if (current.v.vt == newValue.v.vt && current.v.vt != VT_NULL &&
                    VarCmp(&current.v, &newValue.v, grid_->Locale(), 0) == static_cast<HRESULT>(VARCMP_EQ))
                    return S_OK;
            }
        }

        ControlHold hold(grid_);
        AddRef();
        struct SelfRelease {
            HvCell* cell;
            ~SelfRelease() { cell->Release(); }
        } selfRelease{this};

        if (grid_->FireBeforeCellUpdate(this, &newValue.v) || !IsActive())
            return S_OK;
        hr = WriteValue(newValue.v);
        if (FAILED(hr)) {
            // Reported once, here; the caller learns of the refusal.
            grid_->ReportUpdateError(this, hr, &newValue.v);
            return hr;
        }
        if (column_->IsBound() || !grid_->IsEventFiring(InitializeRowEvent))
            SetDataChanged(-1);
        grid_->FireAfterCellUpdate(this);
        return S_OK;
    });
}

HRESULT HvCell::WriteValue(VARIANT value)
{
    if (column_->IsBound()) {
        if (!row_->HasRowData())
            return E_FAIL;
        VariantHolder filtered;
        HRESULT hr = VariantCopyInd(&filtered.v, &value);
        if (FAILED(hr))
            return hr;
        IHvTVDataFilter* filter = grid_->DataFilter();
        if (filter && grid_->CanFireEvents())
            filter->BeforeSetValue(static_cast<IHvCell*>(this), &filtered.v);
        return row_->SetRowValue(column_->DataIndex(), &filtered.v);
    }
    VariantHolder stored;
    HRESULT hr = VariantCopyInd(&stored.v, &value);
    if (FAILED(hr))
        return hr;
    const VARTYPE type = column_->ValueType();
    if (grid_->HasRowsetBinding(this) && type != VT_EMPTY && stored.v.vt != type && stored.v.vt != VT_NULL) {
        if (FAILED(VariantChangeType(&stored.v, &stored.v, 17, type)))
            return E_FAIL;
    }
    hr = ownValue_.SetValue(stored.v);
    if (SUCCEEDED(hr))
        hasOwnValue_ = true;
    return hr;
}

// The value the data source holds goes back as it is: the data filter sees
// values on their way between the source and the user, and this is neither.
HRESULT HvCell::RestoreStoredValue()
{
    VariantHolder stored;
    VariantHolder current;
    if (column_->IsBound()) {
        if (!row_->HasRowData())
            return E_FAIL;
        const LONG index = column_->DataIndex();
        HRESULT hr = row_->GetRowOriginalValue(index, &stored.v);
        if (FAILED(hr))
            return hr;
        if (SUCCEEDED(row_->GetRowValue(index, &current.v)) && SameStoredValue(current.v, stored.v))
            return S_OK;
        return row_->SetRowValue(index, &stored.v);
    }
    HRESULT hr = ReadStoredValue(&stored.v);
    if (FAILED(hr))
        return hr;
    if (SUCCEEDED(ReadValue(&current.v)) && SameStoredValue(current.v, stored.v))
        return S_OK;
    return WriteValue(stored.v);
}

bool HvCell::SameStoredValue(VARIANT& a, VARIANT& b)
{
    return (a.vt == VT_NULL && b.vt == VT_NULL) ||
           (a.vt == b.vt && VarCmp(&a, &b, grid_->Locale(), 0) == static_cast<HRESULT>(VARCMP_EQ));
}

HRESULT HvCell::ReadStoredValue(VARIANT* out)
{
    VariantInit(out);
    if (column_->IsBound())
        return ReadBound(out, true);
    return hasOwnValue_ ? ownOriginal_.GetValue(out) : S_OK;
}

STDMETHODIMP HvCell::get_OriginalValue(VARIANT* out)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (!out)
            return E_INVALIDARG;
        VariantInit(out);
        if (column_->IsBound() && !column_->IsChapter())
            return ReadBound(out, true);
        return ReadValue(out);
    });
}

void HvCell::SetDataChanged(LONG flag)
{
    const bool on = (flag & 1) != 0;
    if (((state_ & DataChangedBit) != 0) != on) {
        state_ ^= DataChangedBit;
        NotifySubscribers(1079, 0);
    }
    if (flag == -1)
        row_->SetRowDataChanged();
}

void HvCell::RestoreOwnValue()
{
    if (!column_->IsBound() && hasOwnValue_)
        ownValue_.Copy(ownOriginal_);
}

void HvCell::CommitOwnValue()
{
    if (!column_->IsBound() && hasOwnValue_)
        ownOriginal_.Copy(ownValue_);
}

void HvCell::SetInEditMode(bool on)
{
    editFlags_ = on ? (editFlags_ | EditModeBit) : (editFlags_ & ~EditModeBit);
}

void HvCell::SetSelectedBit(bool selected)
{
    if (((state_ & SelectedBit) != 0) == selected)
        return;
    state_ ^= SelectedBit;
    NotifySubscribers(-527, 0);
}

STDMETHODIMP HvCell::CancelUpdate()
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        ControlHold hold(grid_);
        AddRef();
        struct SelfRelease {
            HvCell* cell;
            ~SelfRelease() { cell->Release(); }
        } selfRelease{this};

        const bool gate = grid_->HasEventGate();
        if (gate && (grid_->FireBeforeCellCancelUpdate(this) || !IsActive()))
            return S_OK;
        cancelling_ = true;
        if (IsInEditMode())
            grid_->ExitEditMode(this, true, false);
        HRESULT hr = S_OK;
        if (state_ & DataChangedBit) {
            hr = RestoreStoredValue();
            if (FAILED(hr)) {
                // Nothing was given back: no After event for it.
                cancelling_ = false;
                return hr;
            }
            if (IsActive())
                SetDataChanged(0);
        }
        if (IsActive() && column_->ResolveStyle() == StyleDropDownList)
            grid_->RefreshCellElement(this);
        if (gate && IsActive())
            grid_->FireAfterCellCancelUpdate(this);
        cancelling_ = false;
        return hr;
    });
}

STDMETHODIMP HvCell::GetValueAsString(BSTR* out)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        VariantHolder value;
        HRESULT hr = ReadValue(&value.v);
        if (FAILED(hr))
            return hr;
        if (value.v.vt == VT_NULL)
            VariantClear(&value.v);
        hr = VariantChangeType(&value.v, &value.v, 17, VT_BSTR);
        if (FAILED(hr))
            return hr;
        *out = value.v.bstrVal;
        value.v.vt = VT_EMPTY;
        return S_OK;
    });
}

STDMETHODIMP HvCell::PutValueAsString(BSTR text)
{
    VARIANT value;
    value.vt = VT_BSTR;
    value.bstrVal = text;
    return put_Value(value);
}

bool HvCell::IsEditable()
{
    return IsActive() && ResolvedActivation() == hvActivationAllowEdit &&
           (column_->ResolveStyle() == hvStyleHTML || grid_->HasRowsetBinding(this));
}
