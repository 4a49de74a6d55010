// What the key action performer needs of the grid: the active objects of
// the control, the row relations it walks, the band's header order, the
// selection strategies, the cell and row operations and the scroll regions.
// The control and its layout implement it; tests use a fake grid.
//
// Rows, cells and columns travel as opaque handles. The host keeps every
// handle it gives out alive until EndKeyAction, and gives the same handle
// for the same object meanwhile, so that the performer can compare a handle
// with the active row or cell after an event handler has run.
#pragma once

struct KeyRow;
struct KeyCell;
struct KeyColumn;

// How one selection strategy call treats the Ctrl key: the layout's
// Ctrl-held or Ctrl-released flag is set for the call and cleared after it.
enum class KeyCtrlOverride { None, Held, Released };

// Steps over the header order of a band.
enum class KeyHeaderStep { First = 0, Last = 1, Next = 2, Prev = 3 };

// Sibling queries of a row.
enum class KeySibling { First, Last, Next, Prev };

class KeyActionHost
{
public:
    // The action is over: handles given out since the last call may go.
    virtual void EndKeyAction() = 0;

    // Active objects of the control, read afresh on every call.
    virtual KeyRow* ActiveRow() = 0;
    virtual KeyCell* ActiveCell() = 0;
    // Activation requests fire the activation events; the container may
    // cancel or redirect them, so the caller reads the active object again.
    virtual void RequestActiveRow(KeyRow* row) = 0;
    virtual void RequestActiveCell(KeyCell* cell) = 0;   // null: no active cell
    virtual void SetSelectionPivotRow(KeyRow* row, bool keep) = 0;
    virtual void SetSelectionPivotCell(KeyCell* cell, bool keep) = 0;
    virtual void UpdateGridWindow() = 0;

    // Rows of the grid as the view style shows them. Without a view style
    // no row relation is answered.
    virtual bool HasViewStyle() = 0;
    virtual bool LaysBandsSideBySide() = 0;
    virtual KeyRow* GridFirstRow() = 0;
    virtual KeyRow* GridLastRow() = 0;
    virtual KeyRow* ViewLastRow() = 0;                        // last row as the view style shows it
    virtual KeyRow* LastShownDescendant(KeyRow* row) = 0;     // null in the single-band style
    virtual bool ShowsChildren(KeyRow* row) = 0;              // expanded, expandable, a shown child band
    virtual KeyRow* FirstChild(KeyRow* row) = 0;
    virtual bool HasSibling(KeyRow* row, KeySibling which, bool spanBands) = 0;   // Next or Prev
    virtual KeyRow* Sibling(KeyRow* row, KeySibling which, bool spanBands) = 0;
    virtual KeyRow* Parent(KeyRow* row) = 0;
    // The first (last) row of the row's band, or of any band when spanning,
    // under the nearest following (preceding) row of the parent level that
    // has such rows; null when there is none or the row has no parent.
    virtual KeyRow* RelatedRow(KeyRow* row, bool forward, bool spanBands) = 0;
    virtual bool IsEffectivelyHidden(KeyRow* row) = 0;
    virtual bool IsRowDisabled(KeyRow* row) = 0;              // resolved activation Disabled

    // Cells and the header order of a row's band.
    virtual KeyColumn* ColumnOf(KeyCell* cell) = 0;
    virtual KeyCell* CellOf(KeyRow* row, KeyColumn* column) = 0;
    // The column reached from a column in the header order of the row's
    // band, passing over hidden headers and keeping to the exclusive column
    // scroll region of the column stepped from.
    virtual KeyColumn* StepHeaders(KeyRow* row, KeyColumn* from, KeyHeaderStep step) = 0;
    // First shown column of the row's band (within the active column scroll
    // region when asked); last shown column of the band.
    virtual KeyColumn* FindHeaderAfter(KeyRow* row, bool inActiveRegion) = 0;
    virtual KeyColumn* FindHeaderBefore(KeyRow* row) = 0;
    virtual bool IsCellDisabled(KeyCell* cell) = 0;           // resolved activation Disabled

    // The layout's default strategies: whether a key may land on the object
    // (tab stop; in the Extended strategy with Shift or Ctrl held, the kind
    // and band of the object it selected last) and whether a cell step may
    // span bands.
    virtual bool AcceptsCell(KeyCell* cell, bool shift, bool ctrl) = 0;
    virtual bool AcceptsRow(KeyRow* row, bool shift, bool ctrl) = 0;
    virtual bool CellStepMaySpanBands(bool shiftOrCtrl) = 0;
    // The object's band's strategy selects it by key (dragging flag clear).
    virtual void SetCtrlOverride(KeyCtrlOverride how) = 0;
    virtual void SelectRow(KeyRow* row, bool shift) = 0;
    virtual void SelectCell(KeyCell* cell, bool shift, bool byTab) = 0;

    // Cell and row operations; each fires its own events.
    virtual void ToggleEditMode(KeyCell* cell) = 0;
    virtual bool EnterEditMode(KeyCell* cell, bool dropDown) = 0;   // true when entered
    virtual void ExitEditMode(KeyCell* cell) = 0;
    virtual void ToggleDropDown(KeyCell* cell) = 0;
    virtual void OpenDropDown(KeyCell* cell) = 0;
    virtual void CloseDropDown(KeyCell* cell) = 0;
    virtual void ToggleCheckBox(KeyCell* cell) = 0;
    virtual void CancelCellUpdate(KeyCell* cell) = 0;
    virtual void CancelRowUpdate(KeyRow* row) = 0;
    virtual void SetExpanded(KeyRow* row, bool expanded) = 0;
    virtual void DeleteSelectedRows() = 0;   // only where the band allows deletion

    // Scroll regions.
    virtual void ActivateNextScrollRegion() = 0;
    virtual void ActivatePrevScrollRegion() = 0;
    // First (last) row of the row's band that is visible in the active row
    // scroll region; one page scroll of that region.
    virtual KeyRow* VisibleRowOfBand(KeyRow* bandRow, bool last) = 0;
    virtual void ScrollActiveRowRegionPage(bool down) = 0;

protected:
    ~KeyActionHost() = default;
};
