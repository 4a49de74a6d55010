// ControlSelectionHost: the grid control's side of selection. It gives the
// selection strategies the control's selection (one store: the control's
// HvSelected, seen by the strategies through SelectionSet views of target
// adapters), the pivots of the active scroll regions, the ranges from a
// pivot to a target, the items under the mouse, the selection-drag timer,
// and the "Too Many Items" report. It also keeps the control's own
// header-press operation and the strategies that were replaced while one of
// them might still be running.
#pragma once

#include "ControlSelectionTargets.h"
#include "LiveObjectRegistry.h"
#include "PointLookupHost.h"
#include "SelectionDragSupport.h"
#include "SelectionHost.h"
#include "SelectionRulesHost.h"

#include <memory>
#include <vector>

class CAutomationObject;
class ControlSelectOperation;
class HvSelected;
class HvTavelle;
class SelectOperation;

class ControlSelectionHost final : public SelectionHost,
                                   public SelectionRulesHost,
                                   public SelectionDragHost,
                                   public PointLookupHost {
public:
    explicit ControlSelectionHost(HvTavelle& control);
    ~ControlSelectionHost();
    ControlSelectionHost(const ControlSelectionHost&) = delete;
    ControlSelectionHost& operator=(const ControlSelectionHost&) = delete;

    ControlSelectionTargets& Targets() { return targets_; }
    SelectionDragSupport& DragSupport() { return drag_; }
    // The control's operation for header presses that do not select.
    ControlSelectOperation& HeaderOperation();
    // A replaced strategy: it stops following the mouse at once and is
    // deleted at the next quiet moment (it may be running now).
    void Retire(std::unique_ptr<SelectOperation> operation);
    // A quiet moment (a new top-level message, no capture): retired
    // strategies and the targets of dead objects go.
    void Quiesce();

    // A detached HvSelected holding the set's lists (one reference), or null.
    HvSelected* MakeSelected(const SelectionSet& set, bool readOnly);

    // Range selection from the pivot to the target, both included; E_FAIL
    // without a usable pivot or across bands; 0x800A9C5E when the band's
    // limit stops the walk.
    HRESULT SelectRowsToTarget(HvSelectableItem* pivot, HvSelectableItem* target, SelectionListTarget& list,
                               bool applyRules, LONG extend, bool displayedOnly);
    HRESULT SelectCellsToTarget(HvSelectableItem* pivot, HvSelectableItem* target, SelectionListTarget& list,
                                bool applyRules, LONG extend);
    HRESULT SelectColumnsToTarget(HvSelectableItem* pivot, HvSelectableItem* target,
                                  std::vector<HvSelectableItem*>& out, bool skipPivot);

    // SelectionHost
    InputDispatcher* SelectionDispatcher() override;
    bool CanFireSelectEvents(SelectableTarget* item) override;
    bool FireBeforeSelectChange(LONG kind, const SelectionSet& wouldBe) override;
    void FireAfterSelectChange(LONG kind) override;
    const SelectionSet& CurrentSelection() override;
    void ClearSelectionsForKind(LONG kind, bool keepSameKind, bool clearOthers) override;
    void AdoptSelection(const SelectionSet& selection) override;
    void ApplySelection(const SelectionSet& selection, bool rangeMode, const SelectionSet* rangeLists) override;
    void AddSelectedQuietly(SelectableTarget* item, bool clearFirst) override;
    SelectableTarget* GetSelectionPivot(SelectableTarget* item) override;
    void SetSelectionPivot(SelectableTarget* item, bool keepExisting) override;
    HRESULT FillRange(SelectableTarget* pivot, SelectableTarget* target, LONG alreadyCounted,
                      SelectionSet::List& out) override;
    SelectableTarget* SelectableItemAtPoint(int x, int y, SelectableTarget* current) override;
    void ArmAutoScroll(int x, int y, bool excludeRows) override;
    void DisarmAutoScroll() override;
    void StartSelectionDragTimer() override;
    void KillSelectionDragTimer() override;
    bool SelectionDragCancelled() override;
    bool SelectionDragPending() override;
    void BeginVisibleRowsSelectionUpdate() override;
    void EndVisibleRowsSelectionUpdate() override;
    void ReportTooManyItems() override;
    HRESULT RaiseSelectError(SelectableTarget* item, HRESULT code, UINT stringId) override;
    POINT CursorPos() override;
    bool IsShiftDown() override;
    bool IsCtrlDown() override;
    bool IsPrimaryButtonDown() override;
    bool CtrlHeldFlag() override { return ctrlHeld_; }
    bool CtrlReleasedFlag() override { return ctrlReleased_; }
    // Set by the key action performer around one strategy call.
    void SetCtrlFlags(bool held, bool released)
    {
        ctrlHeld_ = held;
        ctrlReleased_ = released;
    }

    // SelectionRulesHost
    bool IsHiddenOrDisabled(HvSelectableItem* item) override;
    bool IsMarkedSelected(HvSelectableItem* item) override;
    bool IsSelectionPivot(HvSelectableItem* item) override;
    LONG MaxSelectedRows(HvSelectableItem* row) override;
    LONG MaxSelectedCells(HvSelectableItem* row) override;

    // SelectionDragHost
    HWND GetGridWindow() override;
    void BeginDeferredSelectedLook() override {}
    void EndDeferredSelectedLook() override;

    // PointLookupHost
    bool CellElementAt(POINT point, CellElementHit& hit) override;
    const void* ActiveRowRegion() override;
    const void* ActiveColRegion() override;
    HvSelectableItem* RowAt(int y) override;
    const void* HeaderAt(int x) override;
    HvSelectableItem* ColumnInRowAt(const void* header, HvSelectableItem* row, POINT point) override;
    HvSelectableItem* ColumnInHeaderAt(const void* header, HvSelectableItem* current, POINT point) override;
    int ItemKind(HvSelectableItem* item) override;

private:
    void RebuildCurrent();
    // Lets the objects of the last range go.
    void ReleaseRangeHolds();

    HvTavelle& control_;
    ControlSelectionTargets targets_;
    SelectionDragSupport drag_;
    SelectionSet current_;
    std::unique_ptr<ControlSelectOperation> headerOperation_;
    std::vector<std::unique_ptr<SelectOperation>> retired_;
    // The objects of the last range, one reference each: rows walked to
    // that no one shows or holds live until the selection takes them.
    std::vector<CAutomationObject*> rangeHolds_;
    bool ctrlHeld_ = false;
    bool ctrlReleased_ = false;
};
