// HvCell: the cell's settings, sizes, selection, element and appearance
// members, and the editor-selection members that work while it is edited.
#include "HvCell.h"

#include "HvAppearance.h"
#include "HvLayout.h"
#include "OwnedElementLookup.h"

#include <algorithm>
#include <string>

namespace {

constexpr HRESULT UnavailableAtDesignTime = static_cast<HRESULT>(0x800A018A);  // string 10501
constexpr WORD UnavailableAtDesignTimeString = 10501;
constexpr UINT PassedClickMessage = 0x5C5;
constexpr int EditTextLimit = 8192;

bool ValidSetting(LONG value) { return value >= 0 && value <= 2; }

// Drops pending selection and passed-on click messages of the editor, so a
// click passed on at activation cannot undo a selection set now.
void DropPendingSelection(HWND editor)
{
    MSG msg;
    while (PeekMessageW(&msg, editor, EM_SETSEL, EM_SETSEL, PM_REMOVE)) {
    }
    while (PeekMessageW(&msg, editor, PassedClickMessage, PassedClickMessage, PM_REMOVE)) {
    }
}

} // namespace

LONG HvCell::ResolvedActivation() { return std::max(activation_, row_->ResolveActivation()); }

bool HvCell::IsTabStop()
{
    const LONG setting = tabStop_ != hvTabStopDefault ? tabStop_ : column_->TabStop();
    return setting != hvTabStopFalse;
}

LONG HvCell::DefaultHorizontalAlignment()
{
    const VARTYPE type = column_->ValueType();
    const bool numeric = (type >= VT_I2 && type <= VT_DATE) || type == VT_DECIMAL || type == VT_I8 || type == 131;
    return numeric && !column_->HasValueList() ? 3 : 1;
}

STDMETHODIMP HvCell::get_Column(IHvColumn** out)
{
    if (!IsActive())
        return NotActiveError();
    if (!out)
        return E_INVALIDARG;
    *out = column_->ColumnInterface();
    if (*out)
        (*out)->AddRef();
    return S_OK;
}

STDMETHODIMP HvCell::get_Row(IHvRow** out)
{
    if (!IsActive())
        return NotActiveError();
    if (!out)
        return E_INVALIDARG;
    *out = row_->RowInterface();
    if (*out)
        (*out)->AddRef();
    return S_OK;
}

STDMETHODIMP HvCell::get_DataChanged(VARIANT_BOOL* out)
{
    if (!IsActive())
        return NotActiveError();
    if (!out)
        return E_INVALIDARG;
    *out = (state_ & DataChangedBit) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP HvCell::get_Activation(Constants_Activation* out)
{
    if (!IsActive())
        return NotActiveError();
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_Activation>(activation_);
    return S_OK;
}

STDMETHODIMP HvCell::put_Activation(Constants_Activation value)
{
    if (!IsActive())
        return NotActiveError();
    if (!ValidSetting(value))
        return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    if (activation_ != value) {
        activation_ = value;
        NotifySubscribers(1081, 0);
    }
    return S_OK;
}

STDMETHODIMP HvCell::get_TabStop(Constants_TabStop* out)
{
    if (!IsActive())
        return NotActiveError();
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_TabStop>(tabStop_);
    return S_OK;
}

STDMETHODIMP HvCell::put_TabStop(Constants_TabStop value)
{
    if (!IsActive())
        return NotActiveError();
    if (!ValidSetting(value))
        return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    if (tabStop_ != value) {
        tabStop_ = value;
        NotifySubscribers(-516, 0);
    }
    return S_OK;
}

STDMETHODIMP HvCell::get_Height(float* out)
{
    if (!IsActive())
        return NotActiveError();
    if (!out)
        return E_INVALIDARG;
    const LONG height = row_->LevelHeight(column_->Level());
    *out = height < 1 ? 0.0f : grid_->PixelsToUnitsY(height - grid_->CellSpacing(this));
    return S_OK;
}

STDMETHODIMP HvCell::get_Width(float* out)
{
    if (!IsActive())
        return NotActiveError();
    if (!out)
        return E_INVALIDARG;
    const LONG extent = column_->Extent();
    *out = extent < 1 ? 0.0f : grid_->PixelsToUnitsX(extent - grid_->CellSpacing(this));
    return S_OK;
}

STDMETHODIMP HvCell::get_Selected(VARIANT_BOOL* out)
{
    if (!IsActive())
        return NotActiveError();
    if (!out)
        return E_INVALIDARG;
    *out = (state_ & SelectedBit) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP HvCell::put_Selected(VARIANT_BOOL value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        const bool select = value != VARIANT_FALSE;
        if (((state_ & SelectedBit) != 0) == select)
            return S_OK;
        return grid_->SelectCell(this, select);
    });
}

STDMETHODIMP HvCell::get_DroppedDown(VARIANT_BOOL* out)
{
    if (!IsActive())
        return NotActiveError();
    if (!out)
        return E_INVALIDARG;
    *out = column_->IsDropDownShowing(this) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP HvCell::put_DroppedDown(VARIANT_BOOL value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (value == VARIANT_FALSE)
            return column_->CloseDropDown(this);
        return IsEditable() ? column_->DropDown(this) : S_OK;
    });
}

STDMETHODIMP HvCell::get_Appearance(IHvAppearance** out)
{
    if (!IsActive())
        return NotActiveError();
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] { return appearance_.QueryAppearance(out); });
}

STDMETHODIMP HvCell::putref_Appearance(VARIANT* value)
{
    if (!IsActive())
        return NotActiveError();
    if (!value)
        return E_INVALIDARG;
    return put_Appearance(*value);
}

STDMETHODIMP HvCell::put_Appearance(VARIANT value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        bool changed = false;
        HRESULT hr = appearance_.PutValue(value, &changed);
        if (SUCCEEDED(hr) && changed) {
            grid_->RefreshCellElement(this);
            NotifySubscribers(-520, 0);
        }
        return hr;
    });
}

// The appearance the cell holds changed: its element draws it anew.
void HvCell::OnChange(const ChangeNotice* notice)
{
    HvAppearance* appearance = appearance_.GetAppearance();
    if (!notice || !IsActive() || !appearance || notice->publisher != static_cast<ChangePublisher*>(appearance))
        return;
    grid_->RefreshCellElement(this);
    NotifySubscribers(-520, reinterpret_cast<std::intptr_t>(notice));
}

STDMETHODIMP HvCell::GetUIElement(VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out)
{
    if (!IsActive())
        return NotActiveError();
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] { return grid_->GetCellElement(this, rowRegion, colRegion, out); });
}

STDMETHODIMP HvCell::Refresh()
{
    if (!IsActive())
        return NotActiveError();
    Guard([&] { return grid_->RefreshCellElement(this); });
    return S_OK;
}

STDMETHODIMP HvCell::ResolveAppearance(VARIANT* rowRegion, IHvAppearance** out)
{
    if (!IsActive())
        return NotActiveError();
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] { return grid_->ResolveCellAppearance(this, rowRegion, out); });
}

HWND HvCell::EditorWindow()
{
    HWND editor = grid_->EditWindow();
    return editor && IsWindow(editor) ? editor : nullptr;
}

STDMETHODIMP HvCell::GetText(VARIANT* mode, BSTR* out)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        // An omitted mode arrives as VT_ERROR and means raw text.
        LONG maskMode = hvMaskModeRaw;
        if (mode && mode->vt != VT_ERROR && mode->vt != VT_EMPTY) {
            VARIANT number;
            VariantInit(&number);
            if (FAILED(VariantChangeType(&number, mode, 0, VT_I4)) || number.lVal < hvMaskModeRaw ||
                number.lVal > hvMaskModeIncludeLiteralsWithPadding)
                return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
            maskMode = number.lVal;
        }
        VARIANT text;
        VariantInit(&text);
        HWND editor = EditorWindow();
        if (IsInEditMode() && editor && IsWindowVisible(editor)) {
            std::wstring buffer(EditTextLimit / sizeof(wchar_t), L'\0');
            const int length = GetWindowTextW(editor, buffer.data(), static_cast<int>(buffer.size()));
            text.vt = VT_BSTR;
            text.bstrVal = SysAllocStringLen(buffer.data(), static_cast<UINT>(length));
            if (!text.bstrVal)
                return E_OUTOFMEMORY;
        } else {
            BSTR value = nullptr;
            HRESULT hr = grid_->GetValueText(this, &value);
            if (FAILED(hr))
                return hr;
            text.vt = VT_BSTR;
            text.bstrVal = value ? value : SysAllocString(L"");
        }
        column_->ApplyMaskModeToValue(&text, maskMode);
        if (text.vt != VT_BSTR) {
            VariantClear(&text);
            *out = SysAllocString(L"");
            return *out ? S_OK : E_OUTOFMEMORY;
        }
        *out = text.bstrVal;
        return S_OK;
    });
}

HRESULT HvCell::CheckEditSelection(bool get)
{
    if (!IsActive())
        return NotActiveError();
    if (get && grid_->IsDesignMode())
        return Exception(UnavailableAtDesignTime, UnavailableAtDesignTimeString);
    if (!IsInEditMode() || !EditorWindow())
        return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    return S_OK;
}

STDMETHODIMP HvCell::get_SelLength(LONG* out)
{
    HRESULT hr = CheckEditSelection(true);
    if (FAILED(hr))
        return hr;
    if (!out)
        return E_INVALIDARG;
    DWORD start = 0, end = 0;
    SendMessageW(EditorWindow(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    *out = static_cast<LONG>(end - start);
    return S_OK;
}

STDMETHODIMP HvCell::put_SelLength(LONG value)
{
    HRESULT hr = CheckEditSelection(false);
    if (FAILED(hr))
        return hr;
    if (value < -1)
        return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    HWND editor = EditorWindow();
    DropPendingSelection(editor);
    DWORD start = 0, end = 0;
    SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (value == -1)
        SendMessageW(editor, EM_SETSEL, 0, -1);
    else
        SendMessageW(editor, EM_SETSEL, start, start + value);
    return S_OK;
}

STDMETHODIMP HvCell::get_SelStart(LONG* out)
{
    HRESULT hr = CheckEditSelection(true);
    if (FAILED(hr))
        return hr;
    if (!out)
        return E_INVALIDARG;
    DWORD start = 0, end = 0;
    SendMessageW(EditorWindow(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    *out = static_cast<LONG>(start);
    return S_OK;
}

STDMETHODIMP HvCell::put_SelStart(LONG value)
{
    HRESULT hr = CheckEditSelection(false);
    if (FAILED(hr))
        return hr;
    if (value < -1)
        return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    HWND editor = EditorWindow();
    DropPendingSelection(editor);
    SendMessageW(editor, EM_SETSEL, value, value);
    return S_OK;
}

STDMETHODIMP HvCell::get_SelText(BSTR* out)
{
    HRESULT hr = CheckEditSelection(true);
    if (FAILED(hr))
        return hr;
    if (!out)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        HWND editor = EditorWindow();
        DWORD start = 0, end = 0;
        SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const int length = GetWindowTextLengthW(editor);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        GetWindowTextW(editor, text.data(), length + 1);
        text.resize(static_cast<size_t>(length));
        start = std::min<DWORD>(start, text.size());
        end = std::min<DWORD>(std::max(start, end), text.size());
        *out = SysAllocStringLen(text.data() + start, end - start);
        return *out ? S_OK : E_OUTOFMEMORY;
    });
}

STDMETHODIMP HvCell::put_SelText(BSTR value)
{
    HRESULT hr = CheckEditSelection(false);
    if (FAILED(hr))
        return hr;
    HWND editor = EditorWindow();
    SendMessageW(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(value ? value : L""));
    // The grid treats this as a change of the editor text.
    if (HWND grid = GetParent(editor))
        SendMessageW(grid, WM_COMMAND, 0x50000, 0);
    return S_OK;
}

// --- HvSelectableItem --------------------------------------------------------

HvSelectableItem* HvCell::RowItem() { return IsActive() ? row_->RowSelectable() : nullptr; }

SelectionBandSeam* HvCell::OwnerBand()
{
    HvSelectableItem* row = RowItem();
    return row ? row->OwnerBand() : nullptr;
}

SelectionLayoutSeam* HvCell::Layout()
{
    HvSelectableItem* row = RowItem();
    return row ? row->Layout() : nullptr;
}

SelectionControlSeam* HvCell::GridControl()
{
    HvSelectableItem* row = RowItem();
    return row ? row->GridControl() : nullptr;
}

bool HvCell::MayActivate() { return IsActive() && ResolvedActivation() != hvActivationDisabled; }

LONG HvCell::Activate(bool enterEdit, LONG arg, LONG arg2)
{
    if (!IsActive() || IsInEditMode())
        return 1;
    return grid_->ActivateCell(this, enterEdit, arg, arg2);
}

bool HvCell::OnTextClick(OwnedElementSeam*)
{
    if (!IsActive())
        return false;
    if (!IsInEditMode())
        grid_->EnterEditMode(this, true);
    return true;
}

void HvCell::EnterEditMode()
{
    if (IsActive() && !IsInEditMode())
        grid_->EnterEditMode(this, false);
}

LayoutRegionsSeam* HvCell::GetShowingLayout()
{
    auto* layout = IsActive() ? dynamic_cast<HvLayout*>(Layout()) : nullptr;
    return layout && layout->Grid() ? layout : nullptr;
}

UIElementSeam* HvCell::GetUIElement(ScrollRegionSeam* rowRegion, ScrollRegionSeam* colRegion, int create)
{
    OwnedElementQuery query;
    query.type = 6000;
    query.cell = this;
    query.rowRegion = rowRegion;
    query.colRegion = colRegion;
    return FindOwnedElement(dynamic_cast<HvLayout*>(GetShowingLayout()), query, create != 0);
}
