// ControlKeyActionHost: the grid control and its layout as the key action
// performer sees them: the active row and cell, the row relations of the row
// model, the header order of the bands, the bands' selection strategies, the
// cell and row operations and the scroll regions. Rows, cells and columns go
// out as handles that are the objects' selectable faces; every object handed
// out is held until the action ends.
#pragma once

#include "KeyActionHost.h"
#include "KeyActionPerformer.h"

#include <vector>

class CAutomationObject;
class HvBand;
class HvCell;
class HvRow;
class HvSelectableItem;
class HvTavelle;
struct IHvRow;

class ControlKeyActionHost final : public KeyActionHost {
public:
    explicit ControlKeyActionHost(HvTavelle& control) : control_(control), performer_(*this) {}
    ~ControlKeyActionHost() { EndKeyAction(); }
    ControlKeyActionHost(const ControlKeyActionHost&) = delete;
    ControlKeyActionHost& operator=(const ControlKeyActionHost&) = delete;

    KeyActionPerformer& Performer() { return performer_; }

    void EndKeyAction() override;
    KeyRow* ActiveRow() override;
    KeyCell* ActiveCell() override;
    void RequestActiveRow(KeyRow* row) override;
    void RequestActiveCell(KeyCell* cell) override;
    void SetSelectionPivotRow(KeyRow* row, bool keep) override;
    void SetSelectionPivotCell(KeyCell* cell, bool keep) override;
    void UpdateGridWindow() override;

    bool HasViewStyle() override;
    bool LaysBandsSideBySide() override;
    KeyRow* GridFirstRow() override;
    KeyRow* GridLastRow() override;
    KeyRow* ViewLastRow() override;
    KeyRow* LastShownDescendant(KeyRow* row) override;
    bool ShowsChildren(KeyRow* row) override;
    KeyRow* FirstChild(KeyRow* row) override;
    bool HasSibling(KeyRow* row, KeySibling which, bool spanBands) override;
    KeyRow* Sibling(KeyRow* row, KeySibling which, bool spanBands) override;
    KeyRow* Parent(KeyRow* row) override;
    KeyRow* RelatedRow(KeyRow* row, bool forward, bool spanBands) override;
    bool IsEffectivelyHidden(KeyRow* row) override;
    bool IsRowDisabled(KeyRow* row) override;

    KeyColumn* ColumnOf(KeyCell* cell) override;
    KeyCell* CellOf(KeyRow* row, KeyColumn* column) override;
    KeyColumn* StepHeaders(KeyRow* row, KeyColumn* from, KeyHeaderStep step) override;
    KeyColumn* FindHeaderAfter(KeyRow* row, bool inActiveRegion) override;
    KeyColumn* FindHeaderBefore(KeyRow* row) override;
    bool IsCellDisabled(KeyCell* cell) override;

    bool AcceptsCell(KeyCell* cell, bool shift, bool ctrl) override;
    bool AcceptsRow(KeyRow* row, bool shift, bool ctrl) override;
    bool CellStepMaySpanBands(bool shiftOrCtrl) override;
    void SetCtrlOverride(KeyCtrlOverride how) override;
    void SelectRow(KeyRow* row, bool shift) override;
    void SelectCell(KeyCell* cell, bool shift, bool byTab) override;

    void ToggleEditMode(KeyCell* cell) override;
    bool EnterEditMode(KeyCell* cell, bool dropDown) override;
    void ExitEditMode(KeyCell* cell) override;
    void ToggleDropDown(KeyCell* cell) override;
    void OpenDropDown(KeyCell* cell) override;
    void CloseDropDown(KeyCell* cell) override;
    void ToggleCheckBox(KeyCell* cell) override;
    void CancelCellUpdate(KeyCell* cell) override;
    void CancelRowUpdate(KeyRow* row) override;
    void SetExpanded(KeyRow* row, bool expanded) override;
    void DeleteSelectedRows() override;

    void ActivateNextScrollRegion() override;
    void ActivatePrevScrollRegion() override;
    KeyRow* VisibleRowOfBand(KeyRow* bandRow, bool last) override;
    void ScrollActiveRowRegionPage(bool down) override;

    // The shown columns of a band in header order (a group's in its order).
    static std::vector<HvSelectableItem*> ShownColumns(HvBand* band);

private:
    // Handles out: the object held until the action ends.
    KeyRow* Out(HvRow* row);
    KeyRow* Out(IHvRow* row);  // takes over the reference
    KeyCell* OutCell(HvSelectableItem* cell);
    KeyColumn* OutColumn(HvSelectableItem* column);
    static HvRow* RowOf(KeyRow* row);
    static HvCell* CellOf(KeyCell* cell);
    static HvSelectableItem* Selectable(KeyCell* cell);
    static HvSelectableItem* Selectable(KeyColumn* column);
    void Hold(CAutomationObject* object);
    void ActivateRegion(bool next);
    void SelectByKey(HvSelectableItem* item, int kind, bool shift, bool byTab);

    HvTavelle& control_;
    KeyActionPerformer performer_;
    std::vector<CAutomationObject*> held_;
};
