// SelectionControlSeam: what the selection and sort collections and the
// cell click handlers need of the grid control: its event gate, its
// selection machinery (which applies the selection rules and fires the
// selection events), the sort events, and its active row and cell.
#pragma once

#include <windows.h>
#include <oleauto.h>

class GridBandSeam;
class HvSelectableItem;
struct IHvSortedCols;

class SelectionControlSeam {
public:
    // The control's interface is held across an operation that fires events.
    virtual void AddRefControl() = 0;
    virtual void ReleaseControl() = 0;

    // The control may fire events now and the event's enable bit is set.
    virtual bool IsEventAllowed(DISPID event) = 0;

    // Selects or unselects a cell through the CellClickAction handler of its
    // band; E_OUTOFMEMORY when the band has none.
    virtual HRESULT SelectCellThroughHandler(HvSelectableItem* cell, bool select, bool fireEvents) = 0;
    // kind: 0 rows, 1 cells, 2 columns. With fireEvents, BeforeSelectChange
    // may cancel and AfterSelectChange follows.
    virtual HRESULT ClearSelection(LONG kind, bool fireEvents) = 0;
    // Clears every selection; non-zero when BeforeSelectChange cancelled.
    virtual LONG ClearAllSelections() = 0;
    // Unselects a row, cell, column or group (its columns), with the
    // selection events when fireEvents is set and the layout may fire them;
    // 1 when BeforeSelectChange cancelled.
    virtual HRESULT DeselectItem(HvSelectableItem* item, bool fireEvents) = 0;
    // A press on a column or group header whose click action does not
    // select: a 4-pixel drag moves the header, a release runs the action.
    virtual void PressHeader(HvSelectableItem* item) = 0;

    // BeforeSortChange with the band and the proposal (when allowed); true
    // when the handler cancelled.
    virtual bool FireBeforeSortChange(GridBandSeam* band, IHvSortedCols* proposal) = 0;
    // Whether BeforeSortChange would reach a handler now: allowed, and a
    // client listens to the control's events.
    virtual bool HearsSortChange() = 0;
    virtual void FireAfterSortChange(GridBandSeam* band) = 0;

    // Null when there is none or it is no longer alive.
    virtual HvSelectableItem* GetActiveRow() = 0;
    virtual HvSelectableItem* GetActiveCell() = 0;
    virtual void SetActiveRow(HvSelectableItem* row) = 0;
    virtual void SetActiveCell(HvSelectableItem* cell) = 0;

protected:
    ~SelectionControlSeam() = default;
};

// Holds the control's interface for the scope of an operation.
class ControlHold {
public:
    explicit ControlHold(SelectionControlSeam* control) : control_(control)
    {
        if (control_)
            control_->AddRefControl();
    }
    ~ControlHold()
    {
        if (control_)
            control_->ReleaseControl();
    }
    ControlHold(const ControlHold&) = delete;
    ControlHold& operator=(const ControlHold&) = delete;

private:
    SelectionControlSeam* control_;
};
