// RowGridHost: what the row side of a bound band needs of the grid control:
// whether it makes row objects now, the row events, the active row and the
// ways it changes, the active cell's edit mode, the data-error report, the
// cell host and the selection. The control implements it.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

class CellDropDownHost;
class CellGridHost;
class ColumnInfo;
class DataErrorInfo;
class HvRow;
class HvSelectableItem;
class SelectionControlSeam;

class RowGridHost {
public:
    // The control is alive and not being torn down: its bands make rows.
    virtual bool MakesRows() = 0;
    // The control held referenced across an operation that raises events.
    virtual void AddRefControl() = 0;
    virtual void ReleaseControl() = 0;
    // Alive, at run time and with events not frozen.
    virtual bool CanFireEvents() = 0;
    virtual bool IsDesignMode() = 0;
    virtual bool IsEventFiring(DISPID event) = 0;
    // Builds the layout (InitializeLayout) when it is not built yet, so
    // that rows are initialised after it.
    virtual void EnsureLayoutBuilt() = 0;
    // Constants_UpdateMode.
    virtual LONG UpdateMode() = 0;

    // Row events; the Before ones answer true when cancelled.
    virtual void FireInitializeRow(IDispatch* row, bool reinitialize) = 0;
    virtual bool FireBeforeRowUpdate(IDispatch* row) = 0;
    virtual void FireAfterRowUpdate(IDispatch* row) = 0;
    virtual bool FireBeforeRowCancelUpdate(IDispatch* row) = 0;
    virtual void FireAfterRowCancelUpdate(IDispatch* row) = 0;
    virtual bool FireBeforeRowExpand(IDispatch* row, bool expand) = 0;
    virtual void FireAfterRowExpand(IDispatch* row, bool expand) = 0;
    // newHeight in container units; the handler may change it.
    virtual bool FireBeforeRowResize(IDispatch* row, float* newHeight) = 0;
    virtual void FireAfterRowResize(IDispatch* row) = 0;
    virtual bool FireBeforeRowInsert(IDispatch* band, IDispatch* parentRow) = 0;
    virtual void FireAfterRowInsert(IDispatch* row) = 0;

    // The live active row (not referenced), or null.
    virtual HvRow* ActiveRow() = 0;
    // 0 done, 1 cancelled, negative failure.
    virtual LONG ChangeActiveRow(HvRow* row) = 0;
    // Leaves the active row with its events (commit: as UpdateMode says);
    // 0 done, 1 cancelled, or the commit's failure.
    virtual LONG DeactivateActiveRow(bool commit) = 0;
    // Forgets the active row without events (it is gone).
    virtual void DropActiveRow() = 0;
    // Activates the row at the first band's rowset position.
    virtual void ActivateFirstRow(bool scrollIntoView) = 0;
    // Ends the active cell's edit mode; true when it stays in edit mode.
    virtual bool LeaveEditMode(bool forced) = 0;
    // The provider is about to change a field of the active row. When it is
    // the field of the cell being edited and the user changed that cell, the
    // user's text is committed once the provider's notice is over and the
    // answer is true (the provider's change is refused); an unchanged cell
    // leaves edit mode and lets the change through.
    virtual bool KeepsEditedField(ColumnInfo* field) = 0;

    virtual HRESULT ReportDataError(DataErrorInfo& record) = 0;
    virtual std::wstring DialogString(int id) = 0;
    virtual CellGridHost* CellHost() = 0;
    // The cell editor's drop-downs, null without an editor.
    virtual CellDropDownHost* DropDownHost() = 0;
    virtual SelectionControlSeam* SelectionControl() = 0;
    // A row that became selected is where the next range starts.
    virtual void SetSelectionPivot(HvSelectableItem* item) = 0;
    // Adds the row to the selected rows or takes it out; with fireEvents,
    // BeforeSelectChange may cancel and AfterSelectChange follows.
    virtual HRESULT SelectRowItem(HvSelectableItem* row, bool select, bool fireEvents) = 0;
    // The row's element in the given scroll regions, null when it shows in
    // none (without a display, always).
    virtual HRESULT GetRowElement(HvRow*, VARIANT*, VARIANT*, IHvUIElement** out)
    {
        if (out)
            *out = nullptr;
        return S_OK;
    }
    // The row's look resolved as the display paints it, as a new appearance
    // (without a display there is none to resolve).
    virtual HRESULT ResolveRowAppearance(HvRow*, VARIANT*, IHvAppearance** out)
    {
        if (out)
            *out = nullptr;
        return E_FAIL;
    }

protected:
    ~RowGridHost() = default;
};
