// CellEditor: entering and leaving edit mode, the value text, and committing
// the editor's text to the cell.
#include "CellEditor.h"

#include "EditColumnSeam.h"
#include "HvCell.h"
#include "InputMask.h"

#include <commctrl.h>

namespace {

// The grid window of the grid whose cell is in edit mode; shared by every
// grid of the process (all run on the one user-interface thread).
HWND g_editOwner = nullptr;

constexpr LONG IllegalDataValueString = 6006;
constexpr LONG UpdateOnCellChange = 1;
constexpr LONG CheckBoxConversionFlags = 1;
constexpr LONG TextConversionFlags = 17;

class Variant {
public:
    Variant() { VariantInit(&v); }
    ~Variant() { VariantClear(&v); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT v;
};

// Holds the control, and the cell, across client code.
class EditHold {
public:
    EditHold(EditorHost* host, HvCell* cell) : host_(host), cell_(cell)
    {
        host_->AddRefControl();
        cell_->AddRef();
    }
    ~EditHold()
    {
        cell_->Release();
        host_->ReleaseControl();
    }
    EditHold(const EditHold&) = delete;
    EditHold& operator=(const EditHold&) = delete;

private:
    EditorHost* host_;
    HvCell* cell_;
};

bool IsListStyle(LONG style)
{
    return style == hvStyleDropDown || style == hvStyleDropDownList || style == hvStyleDropDownValidate;
}

bool MayEdit(LONG style)
{
    return style != hvStyleDefault && style != hvStyleButton;
}

bool IsEmptyInput(const VARIANT& value)
{
    return value.vt == VT_EMPTY || value.vt == VT_NULL || (value.vt == VT_BSTR && SysStringLen(value.bstrVal) == 0);
}

bool SameValue(const VARIANT& a, const VARIANT& b, LCID locale)
{
    return a.vt == b.vt && VarCmp(const_cast<VARIANT*>(&a), const_cast<VARIANT*>(&b), locale, 0) ==
                               static_cast<HRESULT>(VARCMP_EQ);
}

std::wstring FromBstr(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

} // namespace

CellEditor::CellEditor(EditorHost* host) : host_(host), edit_(*this), calendar_(*this), dropDowns_(*this) {}

CellEditor::~CellEditor()
{
    dropDowns_.Reset();
    calendar_.Destroy();
    edit_.Destroy();
    if (g_editOwner && g_editOwner == host_->GridWindow())
        g_editOwner = nullptr;
}

HWND CellEditor::EditOwner()
{
    if (g_editOwner && !IsWindow(g_editOwner))
        g_editOwner = nullptr;
    return g_editOwner;
}

HvCell* CellEditor::EditingCell()
{
    HvCell* cell = host_->ActiveCell();
    return cell && cell->IsActive() && cell->IsInEditMode() ? cell : nullptr;
}

LONG CellEditor::StyleOf(HvCell* cell)
{
    EditColumnSeam* column = host_->ColumnOf(cell);
    return column ? column->Style() : static_cast<LONG>(hvStyleDefault);
}

bool CellEditor::IsCursorOnButton(HvCell* cell)
{
    RECT button{};
    if (!host_->GetCellButtonRect(cell, &button))
        return false;
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(host_->GridWindow(), &cursor);
    return PtInRect(&button, cursor) != FALSE;
}

// --- entering ------------------------------------------------------------------

bool CellEditor::RefuseEntry(HvCell* cell, bool byMouse, LONG style)
{
    if (!MayEdit(style) || host_->ActiveCell() != cell)
        return true;
    if (cell->ResolvedActivation() == hvActivationDisabled || !host_->IsFocusInControl())
        return true;
    if (byMouse && style == hvStyleEditButton && IsCursorOnButton(cell))
        return true;
    // Only one grid of the process edits: the other one leaves first.
    if (HWND owner = EditOwner()) {
        SendMessageW(owner, LeaveEditMessage, 0, 0);
        if (EditOwner())
            return true;
    }
    return false;
}

// Answers true when edit mode was not entered (or the cell died on the way).
bool CellEditor::EnterEditMode(HvCell* cell, bool byMouse, bool keepCalendarText)
{
    if (!cell || !cell->IsActive())
        return true;
    if (cell->IsInEditMode())
        return host_->ActiveCell() != cell;
    const LONG style = StyleOf(cell);
    if (RefuseEntry(cell, byMouse, style))
        return true;

    EditHold hold(host_, cell);
    host_->ClearAllSelections();
    if (host_->FireBeforeEnterEditMode() || !cell->IsActive() || host_->ActiveCell() != cell)
        return true;

    cell->SetInEditMode(true);
    g_editOwner = host_->GridWindow();
    pendingValue_.Clear();
    activatedByMouse_ = false;
    if (!keepText_ && (style != hvStyleDropDownCalendar || !(keepCalendarText || calendarTextLoaded_)))
        editText_.clear();
    host_->BringCellIntoView(cell);
    SetUpEditorForStyle(cell, style, byMouse, keepCalendarText);
    if (cell->IsActive() && cell->IsInEditMode())
        SelectFromDropDown(cell);
    host_->FireAfterEnterEditMode();
    return !cell->IsActive();
}

void CellEditor::SetUpEditorForStyle(HvCell* cell, LONG style, bool byMouse, bool keepCalendarText)
{
    switch (style) {
    case hvStyleHTML:
        // No HTML document host on this platform: the cell edits without a window.
        return;
    case hvStyleDropDownList:
        if (byMouse) {
            std::wstring text;
            if (GetValueText(cell, &text))
                editText_ = text;
            dropDowns_.DropDownIfClosed(cell);
        }
        return;
    case hvStyleCheckBox:
        return;
    case hvStyleDropDownCalendar:
        if (byMouse && IsCursorOnButton(cell))
            return;
        if (!keepCalendarText && !calendarTextLoaded_) {
            BSTR text = nullptr;
            if (SUCCEEDED(cell->GetValueAsString(&text)))
                editText_ = FromBstr(text);
            SysFreeString(text);
        }
        SetUpEditWindow(cell, byMouse, false);
        return;
    default:
        SetUpEditWindow(cell, byMouse, false);
        return;
    }
}

void CellEditor::SelectFromDropDown(HvCell* cell)
{
    CValueListDropDown* list = dropDowns_.Get(cell);
    if (!list)
        return;
    std::wstring text;
    GetValueText(cell, &text);
    dropDowns_.AutoCompleteText(&text);
    list->SetCell(cell);
    Variant value;
    if (list->GetCurSel() != -1 && list->GetSelectedItem(nullptr, &value.v))
        SetPendingValue(cell, value.v);
}

// --- leaving -------------------------------------------------------------------

bool CellEditor::CancelledExit()
{
    if (calendar_.IsVisible()) {
        dropDowns_.Close(host_->ActiveCell());
        return true;
    }
    if (edit_.IsVisible()) {
        // Keeps the MDI child that holds the grid the active one.
        if (HWND client = FindWindowExW(GetActiveWindow(), nullptr, L"MDIClient", nullptr))
            SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(GetParent(host_->GridWindow())), 0);
        SetFocus(edit_.Handle());
    }
    return true;
}

void CellEditor::HideEditors(LONG style)
{
    if (calendar_.IsVisible())
        calendar_.Hide();
    else if (style != hvStyleCheckBox)
        edit_.Hide();
}

bool CellEditor::TakeText(LONG style, std::wstring* text)
{
    if (style == hvStyleDropDownList || style == hvStyleCheckBox) {
        // Nothing chosen or toggled: there is no text to take.
        *text = editText_;
        return !editText_.empty();
    }
    if (style == hvStyleDropDownCalendar && calendar_.IsVisible())
        return calendar_.SelectedDateText(text);
    *text = edit_.Text();
    return true;
}

bool CellEditor::CommitText(HvCell* cell, const std::wstring& text)
{
    EditColumnSeam* column = host_->ColumnOf(cell);
    BSTR typed = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!typed)
        return false;
    Variant value;
    const HRESULT parsed = column->ParseEditText(typed, &value.v);
    if (parsed == E_FAIL) {
        // Not an entry of a validating list: fine only when nothing changed.
        VariantClear(&value.v);
        value.v.vt = VT_BSTR;
        value.v.bstrVal = typed;
        Variant stored;
        if (SUCCEEDED(cell->ReadStoredValue(&stored.v))) {
            Variant storedText;
            if (stored.v.vt == VT_NULL || stored.v.vt == VT_EMPTY)
                storedText.v.vt = VT_BSTR, storedText.v.bstrVal = SysAllocString(L"");
            else
                VariantChangeTypeEx(&storedText.v, &stored.v, host_->Locale(), TextConversionFlags, VT_BSTR);
            if (SameValue(storedText.v, value.v, host_->Locale()) || SameValue(stored.v, value.v, host_->Locale()))
                return true;
        }
        std::wstring message = host_->DialogString(IllegalDataValueString);
        if (message.empty())
            message = L"Illegal data value";
        host_->ReportDataError(cell, E_FAIL, message, &value.v);
        return false;
    }
    SysFreeString(typed);
    HRESULT hr = parsed;
    bool reported = false;
    if (SUCCEEDED(hr)) {
        InputMask* mask = column->Mask();
        if (mask && mask->IsMaskEngineReady())
            mask->ApplyMaskModeToValue(&value.v, column->MaskDataMode());
        hr = CommitEditValue(cell, value.v, &reported);
    }
    // A refused put was reported by the put itself; the editor reports
    // only what it found on its own (a text that does not convert).
    if (FAILED(hr) && !reported && cell->IsActive())
        host_->ReportUpdateError(cell, hr, &value.v);
    return SUCCEEDED(hr);
}

// Answers false when edit mode was left normally (or was not on); true when
// the exit was cancelled, discarded, the cell died, or the text could not be
// committed and edit mode was entered again.
bool CellEditor::ExitEditMode(HvCell* cell, bool discard, bool force)
{
    if (!cell || !cell->IsActive() || !cell->IsInEditMode())
        return false;
    struct ExitingFlag {
        bool& flag;
        ~ExitingFlag() { flag = false; }
    } exiting{exitingEditMode};
    exitingEditMode = true;
    EditHold hold(host_, cell);

    if (host_->FireBeforeExitEditMode() && !force)
        return CancelledExit();
    if (!cell->IsActive())
        return true;
    cell->SetInEditMode(false);
    if (g_editOwner == host_->GridWindow())
        g_editOwner = nullptr;

    const LONG style = StyleOf(cell);
    if (edit_.HasFocus())
        host_->SetControlFocus();
    CValueListDropDown* list = dropDowns_.Get(cell);
    if (list || style == hvStyleDropDownCalendar) {
        const bool listFocused = list && list->IsCreated() && GetFocus() == list->Window();
        if (list)
            list->ShowDropDown(false);
        if (listFocused)
            host_->SetControlFocus();
    }
    host_->FireAfterExitEditMode();
    if (!cell->IsActive())
        return true;
    if (style == hvStyleHTML)
        return false;
    if (discard) {
        if (calendar_.IsVisible())
            calendar_.Hide();
        else if (style != hvStyleCheckBox)
            edit_.Hide();
        else
            editText_.clear();
        host_->MarkCellChanged(cell);
        return true;
    }

    std::wstring text;
    const bool taken = TakeText(style, &text);
    const std::wstring typed = edit_.Text();
    const bool committed = !taken || CommitText(cell, text);
    if (!cell->IsActive())
        return true;
    HideEditors(style);
    calendarTextLoaded_ = false;
    host_->MarkCellChanged(cell);
    if (!committed) {
        if (force)
            return false;
        EnterAgainWithText(cell, typed);
        return true;
    }
    if (host_->UpdateMode() == UpdateOnCellChange && !host_->IsAddRow(cell)) {
        // A row the data source refuses (reported on the row's road) keeps
        // the cell in edit mode with what was typed, as a refused value does.
        if (FAILED(host_->UpdateRow(cell)) && !force && cell->IsActive() && host_->ActiveCell() == cell) {
            EnterAgainWithText(cell, typed);
            return true;
        }
    }
    return false;
}

void CellEditor::EnterAgainWithText(HvCell* cell, const std::wstring& typed)
{
    // The user goes on from what was typed, still changed.
    keptText_ = typed;
    keepText_ = true;
    const std::wstring kept = editText_;
    EnterEditMode(cell, false, false);
    keepText_ = false;
    if (cell->IsActive() && cell->IsInEditMode()) {
        if (editText_.empty())
            editText_ = kept;
        cell->SetDataChanged(-1);
    }
}

void CellEditor::CommitIfEditing(HvCell* cell)
{
    if (!cell || !cell->IsActive())
        return;
    if (cell->IsInEditMode())
        ExitEditMode(cell, false, false);
    else
        EnterEditMode(cell, false, false);
    if (cell->IsActive())
        host_->MarkCellChanged(cell);
}

bool CellEditor::LeaveEditUnlessInDropDown(HWND newFocus)
{
    HvCell* cell = EditingCell();
    if (!cell)
        return false;
    if (CValueListDropDown* list = dropDowns_.Get(cell)) {
        HWND combo = list->Window();
        if (newFocus && (newFocus == combo || IsChild(combo, newFocus) || newFocus == list->ListWindow()))
            return false;
    }
    const bool refused = ExitEditMode(cell, false, false);
    if (refused && EditingCell() == cell && edit_.IsVisible())
        SetFocus(edit_.Handle());
    return refused;
}

void CellEditor::OnLeaveEditMessage()
{
    if (HvCell* cell = EditingCell())
        ExitEditMode(cell, false, false);
}

bool CellEditor::OnCellPartPressed(HvCell* cell, CellPart part)
{
    if (!cell || !cell->IsActive())
        return false;
    const LONG style = StyleOf(cell);
    const bool editing = host_->ActiveCell() == cell && cell->IsInEditMode() && cell->IsEditable();
    EditHold hold(host_, cell);
    switch (part) {
    case CellPart::DropDownButton:
    case CellPart::CheckBox:
        if (!editing) {
            host_->ClickSelectCell(cell);
            if (!cell->IsActive() || host_->ActiveCell() != cell)
                return true;
            if (!cell->IsInEditMode())
                EnterEditMode(cell, true);
            if (EditingCell() != cell || !cell->IsEditable())
                return true;
        } else if (part == CellPart::DropDownButton) {
            dropDowns_.Toggle(cell);
            if ((style == hvStyleDropDown || style == hvStyleDropDownValidate) && edit_.IsVisible())
                SetFocus(edit_.Handle());
            return true;
        }
        if (part == CellPart::DropDownButton)
            dropDowns_.DropDownIfClosed(cell);
        else
            host_->ToggleCheckBox(cell);
        return true;
    case CellPart::CellButton:
        host_->FireClickCellButton(cell);
        return true;
    default:
        if (style == hvStyleDropDownList && editing) {
            dropDowns_.Toggle(cell);
            return true;
        }
        return false;
    }
}

// --- values ------------------------------------------------------------------

HRESULT CellEditor::CommitEditValue(HvCell* cell, const VARIANT& input, bool* reportedByPut)
{
    if (reportedByPut)
        *reportedByPut = false;
    if (!cell || !cell->IsActive())
        return E_FAIL;
    VARIANT_BOOL changed = VARIANT_FALSE;
    cell->get_DataChanged(&changed);
    if (changed == VARIANT_FALSE)
        return S_OK;
    Variant current;
    HRESULT hr = cell->get_Value(&current.v);
    if (FAILED(hr))
        return hr;
    if (SameValue(current.v, input, host_->Locale()))
        return S_OK;

    Variant value;
    hr = VariantCopy(&value.v, const_cast<VARIANT*>(&input));
    if (FAILED(hr))
        return hr;
    EditColumnSeam* column = host_->ColumnOf(cell);
    VARTYPE target = current.v.vt;
    const bool empty = IsEmptyInput(input);
    if (empty)
        target = column->EmptyValueType();
    else if (target == VT_EMPTY || target == VT_NULL)
        // A cell without a value takes the column's type (text stays text
        // where the column has none of its own).
        target = column->ValueType() == VT_EMPTY ? value.v.vt : column->ValueType();
    if (target == VT_NULL && empty) {
        // An empty entry in a column that takes nulls stores a null.
        VariantClear(&value.v);
        value.v.vt = VT_NULL;
    } else if (value.v.vt != target) {
        hr = VariantChangeTypeEx(&value.v, &value.v, host_->Locale(), TextConversionFlags, target);
        if (FAILED(hr))
            return hr;
    }
    hr = cell->put_Value(value.v);
    if (reportedByPut)
        *reportedByPut = FAILED(hr);
    return hr;
}

bool CellEditor::GetValueText(HvCell* cell, std::wstring* text)
{
    text->clear();
    if (!cell || !cell->IsActive())
        return false;
    EditColumnSeam* column = host_->ColumnOf(cell);
    const LONG style = column ? column->Style() : static_cast<LONG>(hvStyleDefault);
    const bool editing = cell->IsInEditMode();
    if (editing && !pendingValue_.IsEmpty() && IsListStyle(style)) {
        BSTR shown = nullptr;
        if (column->LookupValueListItem(*pendingValue_.Value(), &shown)) {
            *text = FromBstr(shown);
            SysFreeString(shown);
            return true;
        }
    }
    if (editing && (style == hvStyleCheckBox || style == hvStyleDropDownCalendar) && !editText_.empty()) {
        *text = editText_;
        return true;
    }
    Variant value;
    if (FAILED(cell->get_Value(&value.v)))
        return false;
    BSTR shown = nullptr;
    if (column && column->LookupValueListItem(value.v, &shown)) {
        *text = FromBstr(shown);
        SysFreeString(shown);
        return true;
    }
    if (value.v.vt == VT_NULL)
        VariantClear(&value.v);
    const LONG flags = style == hvStyleCheckBox ? CheckBoxConversionFlags : TextConversionFlags;
    if (FAILED(VariantChangeTypeEx(&value.v, &value.v, host_->Locale(), static_cast<USHORT>(flags), VT_BSTR)))
        return false;
    *text = FromBstr(value.v.bstrVal);
    const LONG textCase = column ? column->Case() : 0;
    if (textCase == 1 && !text->empty())
        CharLowerBuffW(text->data(), static_cast<DWORD>(text->size()));
    else if (textCase == 2 && !text->empty())
        CharUpperBuffW(text->data(), static_cast<DWORD>(text->size()));
    return true;
}

void CellEditor::SetEditText(HvCell* cell, const std::wstring& text)
{
    editText_ = text;
    if (cell && cell->IsActive())
        host_->MarkCellChanged(cell);
}

void CellEditor::SetPendingValue(HvCell* cell, const VARIANT& value)
{
    if (!cell || !cell->IsActive() || !cell->IsInEditMode())
        return;
    if (value.vt == VT_EMPTY)
        pendingValue_.Clear();
    else
        pendingValue_.SetValue(value);
    host_->MarkCellChanged(cell);
}

// --- the EDIT window ---------------------------------------------------------

void CellEditor::SetUpEditWindow(HvCell* cell, bool byMouse, bool repositionOnly)
{
    if (!repositionOnly)
        UpdateWindow(host_->GridWindow());
    RECT rect{};
    if (!host_->GetCellTextRect(cell, &rect) || IsRectEmpty(&rect))
        return;
    EditColumnSeam* column = host_->ColumnOf(cell);
    EditorLook look;
    host_->ResolveEditorLook(cell, &look);
    const LONG alignment = look.alignment ? look.alignment : cell->DefaultHorizontalAlignment();
    const LONG style = column->Style();
    const bool singleLine = style != hvStyleEdit && style != hvStyleEditButton;
    HWND window = edit_.Create(alignment, rect, singleLine, cell, look.font);
    if (!window)
        return;
    edit_.SetColors(look.backColor, look.foreColor);
    const RECT& screen = edit_.ScreenRect();
    MoveWindow(window, screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top, TRUE);
    const LONG type = column->DataType();
    const bool text = type == 8 || type == 129 || type == 130;
    SendMessageW(window, EM_LIMITTEXT, text ? static_cast<WPARAM>(column->FieldLen()) : 0, 0);
    if (!repositionOnly) {
        std::wstring value;
        if (keepText_ ? (value = keptText_, true) : GetValueText(cell, &value)) {
            edit_.SetText(value);
            if (IsListStyle(style) || style == hvStyleDropDownCalendar) {
                PostMessageW(window, EM_SETSEL, 0, -1);
            } else if (!singleLine) {
                const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
                if (byMouse && (GetAsyncKeyState(button) & 0x8000)) {
                    activatedByMouse_ = true;
                    POINT cursor{};
                    GetCursorPos(&cursor);
                    ScreenToClient(window, &cursor);
                    PostMessageW(window, PassedClickMessage, 0, MAKELPARAM(cursor.x, cursor.y));
                } else if (!value.empty()) {
                    PostMessageW(window, EM_SETSEL, 0, static_cast<LPARAM>(value.size()));
                }
            }
        }
    }
    if (look.font) {
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(look.font), FALSE);
        SendMessageW(window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 1));
    }
    if (!repositionOnly) {
        edit_.Show();
        SetFocus(window);
    }
}

void CellEditor::RepositionEditWindow(HvCell* cell)
{
    if (!cell || !cell->IsActive() || !cell->IsInEditMode())
        return;
    RECT rect{};
    if (!host_->GetCellTextRect(cell, &rect) || IsRectEmpty(&rect)) {
        RECT empty{};
        edit_.SetRect(empty);
        return;
    }
    SetUpEditWindow(cell, false, true);
}

// --- notifications from the grid window ----------------------------------------

void CellEditor::OnEditTextChanged()
{
    if (settingText) {
        settingText = false;
        return;
    }
    HvCell* cell = EditingCell();
    if (!cell)
        return;
    cell->SetDataChanged(-1);
    host_->FireCellChange(cell);
}

void CellEditor::OnCalendarSelect()
{
    if (settingText)
        return;
    HvCell* cell = EditingCell();
    std::wstring text;
    if (!cell || !calendar_.SelectedDateText(&text))
        return;
    // The same day reported twice (moved, then picked) is taken once.
    if (calendarTextLoaded_ && text == editText_)
        return;
    SetEditText(cell, text);
    calendarTextLoaded_ = true;
    cell->SetDataChanged(-1);
    host_->FireCellListSelect(cell);
}

bool CellEditor::ForwardEditorMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC deliver)
{
    if (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK) {
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        MapWindowPoints(window, host_->GridWindow(), &point, 1);
        lParam = MAKELPARAM(point.x, point.y);
    }
    return host_->ForwardEditorMessage(window, message, wParam, lParam, deliver) && message != WM_CANCELMODE;
}

LRESULT CellEditor::DetachEditorWindow(HWND window, WNDPROC old, WPARAM wParam, LPARAM lParam)
{
    RemovePropW(window, HvEditWindow::ControlProperty);
    RemovePropW(window, HvEditWindow::ParentProperty);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    return CallWindowProcW(old, window, WM_NCDESTROY, wParam, lParam);
}

bool CellEditor::OnGridCommand(WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(lParam);
    if (!window)
        return false;
    if (window == edit_.Handle()) {
        switch (HIWORD(wParam)) {
        case EN_CHANGE:
            OnEditTextChanged();
            break;
        case EN_UPDATE:
            edit_.GrowToText();
            break;
        case EN_SETFOCUS:
            PassFocusToMask(WM_SETFOCUS);
            break;
        case EN_KILLFOCUS:
            if (!exitingEditMode)
                PassFocusToMask(WM_KILLFOCUS);
            break;
        default:
            break;
        }
        return true;
    }
    if (!CSimpleDropDown::FromWindow(window))
        return false;
    CSimpleDropDown::OnCommand(HIWORD(wParam), window);
    return true;
}

void CellEditor::PassFocusToMask(UINT message)
{
    HvCell* cell = host_->ActiveCell();
    EditColumnSeam* column = cell ? host_->ColumnOf(cell) : nullptr;
    InputMask* mask = column ? column->Mask() : nullptr;
    if (!mask)
        return;
    const bool old = settingText;
    settingText = true;
    LRESULT ignored = 0;
    mask->MaskProcessMessage(message, reinterpret_cast<WPARAM>(edit_.Handle()), 0, &ignored);
    settingText = old;
}

bool CellEditor::OnGridNotify(const NMHDR* header)
{
    if (!header || header->hwndFrom != calendar_.Handle())
        return false;
    // A day picked, or the selection moved (picking the day already
    // selected sends only the first).
    if (header->code == MCN_SELECT || header->code == MCN_SELCHANGE)
        OnCalendarSelect();
    return true;
}

bool CellEditor::OnOwnerDraw(UINT message, LPARAM lParam, LRESULT* result)
{
    CSimpleDropDown* list = CSimpleDropDown::FromWindow(host_->GridWindow());
    if (!list)
        return false;
    if (message == WM_MEASUREITEM)
        *result = list->OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    else if (message == WM_DRAWITEM)
        *result = list->OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    else
        return false;
    return true;
}
