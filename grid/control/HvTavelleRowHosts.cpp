// The grid control as its bands' row side and its cells see it: the row
// and cell events, the data filter, edit mode, the active objects and the
// data-error reports of refused values.
#include "HvTavelle.h"

#include "ActiveRowManager.h"
#include "BandRowSource.h"
#include "ClientAppearance.h"
#include "ControlEditor.h"
#include "DataErrorInfo.h"
#include "ErrorReporter.h"
#include "EventEnableMask.h"
#include "HvCell.h"
#include "HvGridUIElement.h"
#include "HvLayout.h"
#include "HvRow.h"
#include "RowsetBinding.h"
#include "ScrollRegionItem.h"
#include "UIRefresh.h"

#include <cmath>

namespace {

constexpr DISPID InitializeLayoutId = 1056;

BandRowSource* SourceOfCell(HvCell* cell)
{
    auto* row = cell ? dynamic_cast<HvRow*>(cell->RowItem()) : nullptr;
    return row ? dynamic_cast<BandRowSource*>(row->GetBand()) : nullptr;
}

IDispatch* DispatchOf(HvCell* cell)
{
    return cell ? static_cast<IHvCell*>(cell) : nullptr;
}

} // namespace

// --- RowGridHost ----------------------------------------------------------------------------

bool HvTavelle::MakesRows()
{
    return IsAlive() && layout_ != nullptr;
}

void HvTavelle::EnsureLayoutBuilt()
{
    if (IsLayoutBuilt() || !layout_ || (gate_ && gate_->IsEventFiring(InitializeLayoutId)))
        return;
    if (m_window)
        SendMessageW(m_window, MsgBuildLayout, 0, 0);
    else
        OnBuildLayoutMessage();
}

void HvTavelle::FireInitializeRow(IDispatch* row, bool reinitialize)
{
    if (gate_ && CanFireEvents())
        gate_->Fire_InitializeRow(0, row, reinitialize);
}

bool HvTavelle::FireBeforeRowUpdate(IDispatch* row)
{
    return gate_ && gate_->Fire_BeforeRowUpdate(row);
}

void HvTavelle::FireAfterRowUpdate(IDispatch* row)
{
    if (gate_)
        gate_->Fire_AfterRowUpdate(row);
}

bool HvTavelle::FireBeforeRowCancelUpdate(IDispatch* row)
{
    return gate_ && gate_->Fire_BeforeRowCancelUpdate(row);
}

void HvTavelle::FireAfterRowCancelUpdate(IDispatch* row)
{
    if (gate_)
        gate_->Fire_AfterRowCancelUpdate(row);
}

bool HvTavelle::FireBeforeRowExpand(IDispatch* row, bool expand)
{
    if (!gate_)
        return false;
    return expand ? gate_->Fire_BeforeRowExpanded(row) : gate_->Fire_BeforeRowCollapsed(row);
}

void HvTavelle::FireAfterRowExpand(IDispatch* row, bool expand)
{
    if (!gate_)
        return;
    if (expand)
        gate_->Fire_AfterRowExpanded(row);
    else
        gate_->Fire_AfterRowCollapsed(row);
}

bool HvTavelle::FireBeforeRowResize(IDispatch* row, float* newHeight)
{
    if (!gate_)
        return false;
    std::int32_t height = static_cast<std::int32_t>(std::lround(*newHeight));
    const bool cancelled = gate_->Fire_BeforeRowResize(row, height);
    *newHeight = static_cast<float>(height);
    return cancelled;
}

void HvTavelle::FireAfterRowResize(IDispatch* row)
{
    if (gate_)
        gate_->Fire_AfterRowResize(row);
}

bool HvTavelle::FireBeforeRowInsert(IDispatch* band, IDispatch* parentRow)
{
    return gate_ && gate_->Fire_BeforeRowInsert(band, parentRow);
}

void HvTavelle::FireAfterRowInsert(IDispatch* row)
{
    if (gate_)
        gate_->Fire_AfterRowInsert(row);
}

HvRow* HvTavelle::ActiveRow()
{
    return GetActiveRow();
}

LONG HvTavelle::DeactivateActiveRow(bool commit)
{
    return rowActivation_->DeactivateActiveRow(commit, false);
}

void HvTavelle::DropActiveRow()
{
    activeCell_ = nullptr;
    rowActivation_->Clear();
}

void HvTavelle::ActivateFirstRow(bool scrollIntoView)
{
    rowActivation_->ActivateFirstRow(scrollIntoView);
}

HRESULT HvTavelle::ReportDataError(DataErrorInfo& record)
{
    return Reporter().ReportDataError(record);
}

CellGridHost* HvTavelle::CellHost()
{
    return this;
}

CellDropDownHost* HvTavelle::DropDownHost()
{
    return editor_.get();
}

void HvTavelle::SetSelectionPivot(HvSelectableItem* item)
{
    SetSelectionPivot(item, false);
}

// --- CellGridHost ---------------------------------------------------------------------------

LCID HvTavelle::Locale()
{
    return ValueLocale();
}

IHvTVDataFilter* HvTavelle::DataFilter()
{
    return layout_ ? layout_->DataFilter() : nullptr;
}

bool HvTavelle::FireBeforeCellUpdate(HvCell* cell, VARIANT* newValue)
{
    return gate_ && gate_->Fire_BeforeCellUpdate(DispatchOf(cell), newValue);
}

void HvTavelle::FireAfterCellUpdate(HvCell* cell)
{
    if (gate_)
        gate_->Fire_AfterCellUpdate(DispatchOf(cell));
}

bool HvTavelle::FireBeforeCellCancelUpdate(HvCell* cell)
{
    return gate_ && gate_->Fire_BeforeCellCancelUpdate(DispatchOf(cell));
}

void HvTavelle::FireAfterCellCancelUpdate(HvCell* cell)
{
    if (gate_)
        gate_->Fire_AfterCellCancelUpdate(DispatchOf(cell));
}

// The provider's text for the refusal, or "Data is not updateable." when
// the band's rowset cannot be written at all.
HRESULT HvTavelle::ReportUpdateError(HvCell* cell, HRESULT result, VARIANT* invalidValue)
{
    auto* row = cell ? dynamic_cast<HvRow*>(cell->RowItem()) : nullptr;
    DataErrorInfo record(result, row ? static_cast<IHvRow*>(row) : nullptr, DispatchOf(cell));
    record.SetInvalidValue(invalidValue);
    BandRowSource* source = SourceOfCell(cell);
    CDualString text;
    if (source && !source->IsUnavailable() && SUCCEEDED(source->Binding().ReadOleDbErrors(0, text)))
        record.SetMessage(text);
    else if (!source || source->IsUnavailable())
        record.SetMessage(CDualString(DialogString(6009).c_str()));
    return Reporter().ReportDataError(record);
}

float HvTavelle::PixelsToUnitsX(LONG pixels)
{
    return layout_ ? static_cast<float>(layout_->PixelsToUnitsX(pixels)) : static_cast<float>(pixels);
}

float HvTavelle::PixelsToUnitsY(LONG pixels)
{
    return layout_ ? static_cast<float>(layout_->PixelsToUnitsY(pixels)) : static_cast<float>(pixels);
}

LONG HvTavelle::CellSpacing(HvCell* cell)
{
    BandRowSource* source = SourceOfCell(cell);
    return source ? source->ResolveCellSpacing() : 0;
}

bool HvTavelle::HasRowsetBinding(HvCell* cell)
{
    BandRowSource* source = SourceOfCell(cell);
    return source && !source->IsUnavailable();
}

HWND HvTavelle::EditWindow()
{
    return layout_ ? layout_->EditWindow() : nullptr;
}

// Edit mode is the cell editor's: it commits or discards what was typed
// and fires the edit-mode events.
HRESULT HvTavelle::ExitEditMode(HvCell* cell, bool discard, bool force)
{
    if (!cell || !cell->IsInEditMode())
        return S_OK;
    editor_->Editor().ExitEditMode(cell, discard, force);
    return CAutomationObject::IsActive(cell) && cell->IsInEditMode() ? S_FALSE : S_OK;
}

HRESULT HvTavelle::GetValueText(HvCell* cell, BSTR* out)
{
    return cell ? cell->GetValueAsString(out) : E_FAIL;
}

bool HvTavelle::ShownText(HvCell* cell, std::wstring* text)
{
    return editor_ && text && editor_->Editor().GetValueText(cell, text);
}

// Makes the cell the active one; 0 when it became active, else refused
// (1, or the failure of changing the active row).
LONG HvTavelle::ActivateCell(HvCell* cell, bool enterEdit, LONG, LONG)
{
    if (!cell)
        return 1;
    if (cell == GetActiveCell()) {
        if (enterEdit && !cell->IsInEditMode())
            EnterEditMode(cell, false);
        return 0;
    }
    if (cell->ResolvedActivation() == hvActivationDisabled)
        return 1;
    CUnknownObject::AddRef();
    cell->AddRef();
    LONG result = 0;
    auto* row = dynamic_cast<HvRow*>(cell->RowItem());
    if (!row) {
        result = 1;
    } else if (row != GetActiveRow()) {
        // Leaving the row commits or refuses its changes first.
        result = ChangeActiveRow(row);
        if (result == 0 && row != GetActiveRow())
            result = 1;
        if (result == 0)
            activeCell_ = nullptr;
    }
    // The cell being edited leaves edit mode (its text committed), then
    // the active cell is left, with their events; either may refuse.
    if (result == 0 && LeaveEditMode(false))
        result = 1;
    if (result == 0 && (!m_window || DeactivateActiveCell(true, false) || GetActiveCell()))
        result = 1;
    if (result == 0 && gate_ && CanFireEvents() && gate_->Fire_BeforeCellActivate(DispatchOf(cell)))
        result = 1;
    if (result == 0 && !CAutomationObject::IsActive(cell))
        result = 1;
    if (result == 0 && updateMode_ == hvUpdateOnCellChange) {
        Constants_RowType type = hvRowTypeBound;
        if (HvRow* active = GetActiveRow(); active && SUCCEEDED(active->get_Type(&type)) && type != hvRowTypeAddRow)
            active->Update();
    }
    if (result == 0 && CAutomationObject::IsActive(cell) && row == GetActiveRow()) {
        SetActiveCellInternal(cell);
        if (layout_)
            layout_->DirtyRootUIElement(true, true);
        editor_->BringCellIntoView(cell);
        if (gate_ && CanFireEvents())
            gate_->Fire_AfterCellActivate();
        if (!CAutomationObject::IsActive(cell))
            result = 1;
        else if (enterEdit && cell == GetActiveCell())
            EnterEditMode(cell, false);
    } else if (result == 0) {
        result = 1;
    }
    cell->Release();
    CUnknownObject::Release();
    return result;
}

void HvTavelle::EnterEditMode(HvCell* cell, bool byMouse)
{
    if (cell && CAutomationObject::IsActive(cell) && !cell->IsInEditMode())
        editor_->Editor().EnterEditMode(cell, byMouse);
}

bool HvTavelle::PressCellPart(HvCell* cell, CellPart part)
{
    return cell && CAutomationObject::IsActive(cell) && editor_->Editor().OnCellPartPressed(cell, part);
}

HRESULT HvTavelle::SelectCell(HvCell* cell, bool select)
{
    return SelectCellThroughHandler(cell, select, true);
}

HRESULT HvTavelle::RefreshCellElement(HvCell* cell)
{
    // The cell's elements draw it anew; one not shown has nothing to draw.
    if (cell && layout_)
        UIRefresh::RefreshBandColumns(cell, true);
    return S_OK;
}

// A cell's look as the display resolves it.
HRESULT HvTavelle::ResolveCellAppearance(HvCell* cell, VARIANT* rowRegion, IHvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return cell ? ClientAppearance::OfCell(*this, *cell, rowRegion, out) : E_FAIL;
}

HRESULT HvTavelle::ResolveRowAppearance(HvRow* row, VARIANT* rowRegion, IHvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return row ? ClientAppearance::OfRow(*this, *row, rowRegion, out) : E_FAIL;
}
