// The grid control's current objects: the active cell and row, the active
// scroll regions and the selection object, each re-validated on every read
// because objects handed out to clients may have been deactivated.
#include "HvTavelle.h"

#include "ControlEditor.h"
#include "ColumnInfo.h"
#include "ErrorReporter.h"
#include "EventEnableMask.h"
#include "HvBand.h"
#include "HvColumn.h"
#include "HvColScrollRegions.h"
#include "HvGridUIElement.h"
#include "HvLayout.h"
#include "HvRowScrollRegions.h"
#include "HvSelected.h"

#include "ActiveRowManager.h"

namespace {

constexpr DISPID BeforeSelectChangeId = 1045;

bool IsLiveItem(HvKeyedItem* item)
{
    return item && CAutomationObject::IsActive(item->GetItemObject());
}

} // namespace

HvCell* HvTavelle::GetActiveCell()
{
    if (!activeCell_)
        return nullptr;
    // A cell freed meanwhile is not asked anything: another object may
    // stand at its address.
    if (!activeCellLive_.Alive()) {
        activeCell_ = nullptr;
        return nullptr;
    }
    HvSelectableItem* row = CAutomationObject::IsActive(activeCell_) ? activeCell_->RowItem() : nullptr;
    if (!row || !IsLiveItem(row->KeyedItem()))
        activeCell_ = nullptr;
    return activeCell_;
}

// Holds the row as the active one without events (null forgets it); a
// cell of another row stops being the active cell.
void HvTavelle::SetActiveRowInternal(HvRow* row)
{
    if (!rowActivation_)
        return;
    if (row)
        rowActivation_->Replace(row);
    else
        rowActivation_->Clear();
    if (activeCell_ && (!row || activeCell_->RowItem() != static_cast<HvSelectableItem*>(row)))
        activeCell_ = nullptr;
}

void HvTavelle::SetActiveCellInternal(HvCell* cell)
{
    if (cell) {
        auto* row = dynamic_cast<HvRow*>(cell->RowItem());
        if (!row)
            return;
        SetActiveRowInternal(row);
    }
    activeCell_ = cell;
    activeCellLive_ = LiveRef(cell);
}

// The selection code changes the active row with its events.
void HvTavelle::SetActiveRow(HvSelectableItem* row)
{
    ChangeActiveRow(row ? dynamic_cast<HvRow*>(row) : nullptr);
}

void HvTavelle::SetActiveCell(HvSelectableItem* cell)
{
    SetActiveCellInternal(cell ? dynamic_cast<HvCell*>(cell) : nullptr);
}

ScrollRegionItem* HvTavelle::GetActiveRowScrollRegion()
{
    if (activeRowRegion_ && IsLiveItem(activeRowRegion_))
        return activeRowRegion_;
    activeRowRegion_ = nullptr;
    if (layout_ && layout_->RowScrollRegions())
        activeRowRegion_ = layout_->RowScrollRegions()->GetFirstVisibleRegion();
    return activeRowRegion_;
}

ScrollRegionItem* HvTavelle::GetActiveColScrollRegion(bool refresh)
{
    if (activeColRegion_ && IsLiveItem(activeColRegion_)) {
        if (refresh && layout_)
            layout_->GetColScrollRegions(true);
        return activeColRegion_;
    }
    activeColRegion_ = nullptr;
    if (HvColScrollRegions* regions = layout_ ? layout_->GetColScrollRegions(refresh) : nullptr)
        activeColRegion_ = regions->GetFirstVisibleRegion();
    return activeColRegion_;
}

void HvTavelle::SetActiveColScrollRegion(ScrollRegionItem* region)
{
    activeColRegion_ = region;
}

void HvTavelle::SetActiveRowScrollRegion(ScrollRegionItem* region)
{
    activeRowRegion_ = region;
}

HvSelected* HvTavelle::GetSelectedObject(bool create)
{
    if (selected_ || !create)
        return selected_;
    if (gate_ && gate_->IsEventFiring(BeforeSelectChangeId)) {
        // Asked for inside a BeforeSelectChange handler: a description for
        // the handler, not the grid's selection.
        HvSelected* detached = HvSelected::Create(this, true);
        if (detached) {
            if (detachedSelected_)
                detachedSelected_->Release();
            detachedSelected_ = detached;
        }
        return detached;
    }
    selected_ = HvSelected::Create(this, false);
    return selected_;
}

HvSelectedRows* HvTavelle::SelectedRows()
{
    return selected_ ? selected_->Rows() : nullptr;
}

bool HvTavelle::ActiveRowLeadsToBand(HvBand* band)
{
    for (HvRow* row = GetActiveRow(); row; row = row->GetParentRow())
        if (band && dynamic_cast<HvBand*>(row->Band()) == band)
            return true;
    return false;
}

HRESULT HvTavelle::MoveActivationOutOf(HvBand* band)
{
    if (!ActiveRowLeadsToBand(band))
        return S_OK;
    activeCell_ = nullptr;
    SetActiveRowInternal(nullptr);
    return S_OK;
}

HvUIElement* HvTavelle::GetActiveCellElement()
{
    HvGridUIElement* root = GetRootElement(false);
    HvCell* cell = GetActiveCell();
    if (!root || !cell)
        return nullptr;
    DescendantQuery query{};
    query.type = 6000;
    query.cell = cell;
    return root->GetDescendant(query);
}

bool HvTavelle::IsInEditMode()
{
    HvCell* cell = GetActiveCell();
    return cell && cell->IsInEditMode();
}

void HvTavelle::ExitEditMode()
{
    if (HvCell* cell = GetActiveCell(); cell && cell->IsInEditMode())
        editor_->Editor().ExitEditMode(cell, false, false);
}

bool HvTavelle::LeaveEditMode(bool forced)
{
    HvCell* cell = GetActiveCell();
    if (!cell || !cell->IsInEditMode())
        return false;
    editor_->Editor().ExitEditMode(cell, false, forced);
    cell = GetActiveCell();
    return cell && cell->IsInEditMode();
}

bool HvTavelle::KeepsEditedField(ColumnInfo* field)
{
    HvCell* cell = GetActiveCell();
    if (!field || !cell || !cell->IsInEditMode())
        return false;
    IHvColumn* own = nullptr;
    if (FAILED(cell->get_Column(&own)) || !own)
        return false;
    HvColumn* column = HvColumn::FromObject(own);
    own->Release();
    if (!column || column->SourceInfo() != static_cast<ColumnInfoSeam*>(field))
        return false;
    VARIANT_BOOL changed = VARIANT_FALSE;
    if (FAILED(cell->get_DataChanged(&changed)) || !changed) {
        // Nothing of the user's to keep: the cell shows the provider's value.
        editor_->Editor().ExitEditMode(cell, true, true);
        return false;
    }
    // The provider takes no write of ours while it notifies: the commit
    // follows once its notice is over.
    ::PostMessageW(ControlWindow(), MsgEndEditMode, 0, 0);
    return true;
}

bool HvTavelle::IsActiveCellColumn(HvColumn* column)
{
    HvCell* cell = GetActiveCell();
    IHvColumn* own = nullptr;
    if (!cell || !column || FAILED(cell->get_Column(&own)) || !own)
        return false;
    const bool same = HvColumn::FromObject(own) == column;
    own->Release();
    return same;
}

void HvTavelle::ReportMaskError(const std::wstring& text, short position)
{
    Reporter().ReportMaskError(CDualString(text.c_str()), position);
}

void HvTavelle::RepositionEditWindow()
{
    if (HvCell* cell = GetActiveCell())
        editor_->Editor().RepositionEditWindow(cell);
}

LCID HvTavelle::ValueLocale()
{
    LONG locale = 0;
    if (GetAmbientProperty(DISPID_AMBIENT_LOCALEID, VT_I4, &locale) && locale != 0)
        return static_cast<LCID>(locale);
    return GetUserDefaultLCID();
}

bool HvTavelle::DeactivateActiveCell(bool invalidate, bool forced)
{
    HvCell* cell = GetActiveCell();
    if (!cell)
        return false;
    CUnknownObject::AddRef();
    bool cancelled = false;
    if (!forced) {
        cancelled = LeaveEditMode(false) || (gate_ && gate_->Fire_BeforeCellDeactivate());
        if (!cancelled && GetActiveCell() != cell)
            cancelled = true;
    }
    if (!cancelled) {
        if (invalidate && m_window && layout_)
            layout_->DirtyRootUIElement(true, true);
        activeCell_ = nullptr;
    }
    CUnknownObject::Release();
    return cancelled;
}

HRESULT HvTavelle::ActivateCellWithEvents(HvCell* cell)
{
    const LONG result = cell->Activate(false, 0, 0);
    return result < 0 ? static_cast<HRESULT>(result) : S_OK;
}

