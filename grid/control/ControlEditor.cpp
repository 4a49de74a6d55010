// ControlEditor: what the cell editor asks of the grid control.
#include "ControlEditor.h"

#include "ButtonPressSink.h"
#include "ColumnEditFace.h"
#include "ErrorReporter.h"
#include "DataErrorInfo.h"
#include "EventEnableMask.h"
#include "HvAutoSizeEdit.h"
#include "HvColumn.h"
#include "HvGridUIElement.h"
#include "HvLayout.h"
#include "HvTavelle.h"
#include "InputDispatcher.h"
#include "OleColor.h"
#include "ScrollRegionItem.h"

#include <olectl.h>

namespace {

constexpr ULONG CellElement = 6000;
constexpr ULONG EditButtonElement = 6200;
constexpr ULONG DropDownButtonElement = 6300;
constexpr ULONG TextElement = 10000;

IDispatch* DispatchOf(HvCell* cell) { return cell ? static_cast<IHvCell*>(cell) : nullptr; }

HvRow* RowOf(HvCell* cell) { return cell ? dynamic_cast<HvRow*>(cell->RowItem()) : nullptr; }

HvColumn* ColumnObjectOf(HvCell* cell)
{
    IHvColumn* column = nullptr;
    if (!cell || FAILED(cell->get_Column(&column)) || !column)
        return nullptr;
    HvColumn* object = HvColumn::FromObject(column);
    column->Release();
    return object;
}

CAutomationObject* RegionObject(ScrollRegionItem* region) { return region ? region->GetItemObject() : nullptr; }

} // namespace

ControlEditor::ControlEditor(HvTavelle& control) : control_(control), editor_(this)
{
    // Cell buttons and the add-new box's buttons take the mouse while held.
    ButtonPressSink::InstallHooks();
}

ControlEditor::~ControlEditor()
{
    for (auto& entry : faces_)
        entry.first->Release();
}

// --- the control -----------------------------------------------------------------

HWND ControlEditor::GridWindow() { return control_.ControlWindow(); }

IUnknown* ControlEditor::ControlObject() { return control_.ControlUnknown(); }

HvCell* ControlEditor::ActiveCell() { return control_.GetActiveCell(); }

bool ControlEditor::IsFocusInControl() { return control_.IsFocusInControl(); }

bool ControlEditor::CanFireEvents() { return control_.CanFireEvents(); }

void ControlEditor::AddRefControl() { control_.AddRefControl(); }

void ControlEditor::ReleaseControl() { control_.ReleaseControl(); }

void ControlEditor::ClearAllSelections() { control_.ClearAllSelections(); }

void ControlEditor::SetControlFocus() { control_.SetControlFocus(TRUE); }

std::wstring ControlEditor::DialogString(LONG id) { return control_.DialogString(static_cast<int>(id)); }

LONG ControlEditor::UpdateMode() { return control_.UpdateMode(); }

LCID ControlEditor::Locale() { return control_.ValueLocale(); }

// --- events -------------------------------------------------------------------

bool ControlEditor::FireBeforeEnterEditMode()
{
    EventEnableMask* gate = control_.Gate();
    return gate && gate->Fire_BeforeEnterEditMode();
}

void ControlEditor::FireAfterEnterEditMode()
{
    if (EventEnableMask* gate = control_.Gate())
        gate->Fire_AfterEnterEditMode();
}

bool ControlEditor::FireBeforeExitEditMode()
{
    EventEnableMask* gate = control_.Gate();
    return gate && gate->Fire_BeforeExitEditMode();
}

void ControlEditor::FireAfterExitEditMode()
{
    if (EventEnableMask* gate = control_.Gate())
        gate->Fire_AfterExitEditMode();
}

void ControlEditor::FireCellChange(HvCell* cell)
{
    if (EventEnableMask* gate = control_.Gate())
        gate->Fire_CellChange(DispatchOf(cell));
}

void ControlEditor::FireCellListSelect(HvCell* cell)
{
    if (EventEnableMask* gate = control_.Gate())
        gate->Fire_CellListSelect(DispatchOf(cell));
}

bool ControlEditor::FireBeforeCellListDropDown(HvCell* cell)
{
    EventEnableMask* gate = control_.Gate();
    return gate && gate->Fire_BeforeCellListDropDown(DispatchOf(cell));
}

void ControlEditor::FireAfterCellListCloseUp(HvCell* cell)
{
    if (EventEnableMask* gate = control_.Gate())
        gate->Fire_AfterCellListCloseUp(DispatchOf(cell));
}

void ControlEditor::FireClickCellButton(HvCell* cell)
{
    EventEnableMask* gate = control_.Gate();
    if (!gate)
        return;
    control_.AddRefControl();
    gate->Fire_ClickCellButton(DispatchOf(cell));
    control_.ReleaseControl();
}

bool ControlEditor::FireBeforeAutoSizeEdit(AutoSizeLimits* limits)
{
    HvLayout* layout = control_.Layout();
    HvAutoSizeEdit* sizes = layout ? layout->GetAutoSizeEdit() : nullptr;
    if (!sizes)
        return true;
    EventEnableMask* gate = control_.Gate();
    const bool cancelled = gate && gate->Fire_BeforeAutoSizeEdit(sizes);
    sizes->SetCancelled(cancelled);
    limits->startWidth = sizes->StartWidthPixels();
    limits->startHeight = sizes->StartHeightPixels();
    limits->maxWidth = sizes->MaxWidthPixels();
    limits->maxHeight = sizes->MaxHeightPixels();
    return cancelled;
}

// --- the cell's elements and look ----------------------------------------------------

bool ControlEditor::CellElementRect(HvCell* cell, ULONG type, RECT* rect)
{
    SetRectEmpty(rect);
    HvGridUIElement* root = control_.GetRootElement(false);
    if (!root || !cell)
        return false;
    DescendantQuery query{};
    query.type = type;
    query.cell = cell;
    query.rowScrollRegion = RegionObject(control_.GetActiveRowScrollRegion());
    query.colScrollRegion = RegionObject(control_.GetActiveColScrollRegion(false));
    HvUIElement* element = root->GetDescendant(query);
    if (!element)
        return false;
    *rect = element->GetRectDisplayed();
    return !IsRectEmpty(rect);
}

bool ControlEditor::GetCellTextRect(HvCell* cell, RECT* rect)
{
    return CellElementRect(cell, TextElement, rect) || CellElementRect(cell, CellElement, rect);
}

bool ControlEditor::GetCellButtonRect(HvCell* cell, RECT* rect)
{
    return CellElementRect(cell, DropDownButtonElement, rect) || CellElementRect(cell, EditButtonElement, rect);
}

void ControlEditor::MarkCellChanged(HvCell* cell)
{
    RECT rect{};
    if (CellElementRect(cell, CellElement, &rect))
        InvalidateRect(GridWindow(), &rect, FALSE);
}

void ControlEditor::ResolveEditorLook(HvCell* cell, EditorLook* look)
{
    *look = EditorLook{};
    look->backColor = GetSysColor(COLOR_WINDOW);
    look->foreColor = GetSysColor(COLOR_WINDOWTEXT);
    IHvAppearance* appearance = nullptr;
    if (!cell || FAILED(cell->ResolveAppearance(nullptr, &appearance)) || !appearance) {
        if (HvLayout* layout = control_.Layout())
            look->font = layout->Font().GetHFont();
        return;
    }
    OLE_COLOR color = 0;
    if (SUCCEEDED(appearance->get_BackColor(&color)) && color != static_cast<OLE_COLOR>(-1))
        look->backColor = TranslateOleColor(color);
    if (SUCCEEDED(appearance->get_ForeColor(&color)) && color != static_cast<OLE_COLOR>(-1))
        look->foreColor = TranslateOleColor(color);
    Constants_Align align{};
    if (SUCCEEDED(appearance->get_TextAlign(&align)) && align >= 1 && align <= 3)
        look->alignment = align;
    IFontDisp* fontDisp = nullptr;
    if (SUCCEEDED(appearance->get_Font(&fontDisp)) && fontDisp) {
        IFont* font = nullptr;
        if (SUCCEEDED(fontDisp->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font)))) {
            HFONT handle = nullptr;
            if (SUCCEEDED(font->get_hFont(&handle)) && handle) {
                font_.Attach(font);
                font = nullptr;
                look->font = handle;
            }
            if (font)
                font->Release();
        }
        fontDisp->Release();
    }
    appearance->Release();
    if (!look->font)
        if (HvLayout* layout = control_.Layout())
            look->font = layout->Font().GetHFont();
}

void ControlEditor::BringCellIntoView(HvCell* cell)
{
    HvRow* row = RowOf(cell);
    if (CAutomationObject* object = RegionObject(control_.GetActiveRowScrollRegion())) {
        IHvRowScrollRegion* region = nullptr;
        if (row && SUCCEEDED(object->ForwardQueryInterface(IID_IHvRowScrollRegion, reinterpret_cast<void**>(&region)))) {
            region->ScrollRowIntoView(static_cast<IHvRow*>(row));
            region->Release();
        }
    }
    if (CAutomationObject* object = RegionObject(control_.GetActiveColScrollRegion(false))) {
        IHvColScrollRegion* region = nullptr;
        IHvColumn* column = nullptr;
        if (cell && SUCCEEDED(cell->get_Column(&column)) && column &&
            SUCCEEDED(object->ForwardQueryInterface(IID_IHvColScrollRegion, reinterpret_cast<void**>(&region)))) {
            VARIANT left;
            VariantInit(&left);
            left.vt = VT_BOOL;
            left.boolVal = VARIANT_FALSE;
            region->ScrollColumnIntoView(column, left);
            region->Release();
        }
        if (column)
            column->Release();
    }
}

// --- errors -------------------------------------------------------------------

void ControlEditor::ReportDataError(HvCell* cell, HRESULT result, const std::wstring& message, VARIANT* value)
{
    DataErrorInfo record(result, RowOf(cell) ? static_cast<IHvRow*>(RowOf(cell)) : nullptr, DispatchOf(cell));
    record.SetMessage(CDualString(message.c_str()));
    record.SetInvalidValue(value);
    control_.Reporter().ReportDataError(record);
}

void ControlEditor::ReportUpdateError(HvCell* cell, HRESULT result, VARIANT* value)
{
    // The provider's own text when the band's rowset left one.
    control_.ReportUpdateError(cell, result, value);
}

// --- rows and cells -------------------------------------------------------------

bool ControlEditor::IsAddRow(HvCell* cell)
{
    HvRow* row = RowOf(cell);
    Constants_RowType type = hvRowTypeBound;
    return row && SUCCEEDED(row->get_Type(&type)) && type == hvRowTypeAddRow;
}

HRESULT ControlEditor::UpdateRow(HvCell* cell)
{
    HvRow* row = RowOf(cell);
    return row ? row->Update() : E_FAIL;
}

void ControlEditor::ClickSelectCell(HvCell* cell)
{
    control_.ClickSelectCell(cell, (GetKeyState(VK_SHIFT) & 0x8000) != 0, (GetKeyState(VK_CONTROL) & 0x8000) != 0);
}

// The check box shows "0" unchecked and anything else checked: a click
// turns the one into the other.
void ControlEditor::ToggleCheckBox(HvCell* cell)
{
    if (!cell || !cell->IsActive() || !cell->IsEditable())
        return;
    std::wstring text;
    editor_.GetValueText(cell, &text);
    editor_.SetEditText(cell, text != L"0" ? L"0" : L"1");
    cell->SetDataChanged(-1);
    FireCellChange(cell);
}

bool ControlEditor::ForwardEditorMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC deliver)
{
    InputDispatcher* dispatcher = control_.Dispatcher();
    if (!dispatcher)
        return false;
    bool handled = false;
    dispatcher->FilterMessage(message, &wParam, &lParam, &handled, deliver, deliver ? window : nullptr);
    return handled;
}

// --- columns ----------------------------------------------------------------------

void ControlEditor::PruneFaces()
{
    for (auto it = faces_.begin(); it != faces_.end();) {
        if (CAutomationObject::IsActive(it->first)) {
            ++it;
            continue;
        }
        HvColumn* column = it->first;
        it = faces_.erase(it);
        column->Release();
    }
}

EditColumnSeam* ControlEditor::ColumnOf(HvCell* cell)
{
    HvColumn* column = ColumnObjectOf(cell);
    if (!column)
        return nullptr;
    auto found = faces_.find(column);
    if (found != faces_.end())
        return found->second.get();
    PruneFaces();
    auto face = std::make_unique<ColumnEditFace>(column);
    EditColumnSeam* result = face.get();
    faces_.emplace(column, std::move(face));
    column->AddRef();
    return result;
}

// --- windows ----------------------------------------------------------------------

void ControlEditor::PublishEditWindow(HWND window, HBRUSH brush, COLORREF back, COLORREF text)
{
    if (HvLayout* layout = control_.Layout())
        layout->SetEditWindow(window, brush, back, text);
}

void ControlEditor::ShowEditorWindow(HWND window, int command)
{
    HvLayout* layout = control_.Layout();
    if (!layout)
        ShowWindow(window, command);
    else if (command == SW_HIDE)
        layout->ShowChildWindow(window, command);
    else
        layout->ShowEditorWindow(window, command);
}

void ControlEditor::DestroyWindows()
{
    editor_.DropDowns().Reset();
    editor_.Calendar().Destroy();
    editor_.Edit().Destroy();
}
