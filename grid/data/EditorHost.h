// EditorHost: what the in-place editors need of the grid control and its
// layout: the grid window, the active cell, focus, events, the cell's
// elements and resolved look, and the error roads. The control implements
// it; the editors never reach into the control directly.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

class HvCell;
class EditColumnSeam;

// The sizes of an automatically sized EDIT window, in pixels; 0 means as
// the text needs (start) or no limit (maximum).
struct AutoSizeLimits {
    LONG startWidth = 0;
    LONG startHeight = 0;
    LONG maxWidth = 0;
    LONG maxHeight = 0;
};

// The resolved look of the cell being edited.
struct EditorLook {
    COLORREF backColor = RGB(255, 255, 255);
    COLORREF foreColor = RGB(0, 0, 0);
    HFONT font = nullptr;       // not owned; null: the window's default
    LONG alignment = 0;         // 1 left, 2 centre, 3 right; 0 not set
};

class EditorHost {
public:
    // The grid window (owner of every editor window).
    virtual HWND GridWindow() = 0;
    // The control object, kept as the editors' window property; not referenced.
    virtual IUnknown* ControlObject() = 0;
    // The control's active cell, null when none; not referenced.
    virtual HvCell* ActiveCell() = 0;
    virtual bool IsFocusInControl() = 0;
    // Events may fire now (live control, not in design mode, not frozen).
    virtual bool CanFireEvents() = 0;
    // Keeps the control alive across client code.
    virtual void AddRefControl() = 0;
    virtual void ReleaseControl() = 0;
    virtual void ClearAllSelections() = 0;
    // Events; the Before ones answer true when the handler cancelled.
    virtual bool FireBeforeEnterEditMode() = 0;
    virtual void FireAfterEnterEditMode() = 0;
    virtual bool FireBeforeExitEditMode() = 0;
    virtual void FireAfterExitEditMode() = 0;
    virtual void FireCellChange(HvCell* cell) = 0;
    virtual void FireCellListSelect(HvCell* cell) = 0;
    virtual bool FireBeforeCellListDropDown(HvCell* cell) = 0;
    virtual void FireAfterCellListCloseUp(HvCell* cell) = 0;
    // Gives the keyboard focus back to the grid window.
    virtual void SetControlFocus() = 0;
    // Scrolls the active regions until the cell is in view.
    virtual void BringCellIntoView(HvCell* cell) = 0;
    // The cell's text element in the active regions, grid-window client
    // coordinates; false when it is not shown.
    virtual bool GetCellTextRect(HvCell* cell, RECT* rect) = 0;
    // The cell's drop-down button (or edit button) element; false when none.
    virtual bool GetCellButtonRect(HvCell* cell, RECT* rect) = 0;
    virtual void ResolveEditorLook(HvCell* cell, EditorLook* look) = 0;
    // A value-list entry's picture (a picture object, or an image of the
    // control's Images by index or key): its size, 0 by 0 when it shows
    // nothing, and drawing it with its top-left corner at a point.
    virtual SIZE ListPictureSize(const VARIANT&) { return SIZE{}; }
    virtual void DrawListPicture(HDC, const VARIANT&, POINT) {}
    // Marks the cell's element for redrawing.
    virtual void MarkCellChanged(HvCell* cell) = 0;
    // The data-error road (Error event, then the message unless suppressed).
    virtual void ReportDataError(HvCell* cell, HRESULT result, const std::wstring& message, VARIANT* value) = 0;
    // The band's update-error road for a value the data source refused.
    virtual void ReportUpdateError(HvCell* cell, HRESULT result, VARIANT* value) = 0;
    // The control's DialogStrings text for id, empty when not replaced.
    virtual std::wstring DialogString(LONG id) = 0;
    // Constants_UpdateMode of the control.
    virtual LONG UpdateMode() = 0;
    // The cell's row is the add-new row.
    virtual bool IsAddRow(HvCell* cell) = 0;
    // Writes the cell's row to the data source (IHvRow::Update).
    virtual HRESULT UpdateRow(HvCell* cell) = 0;
    // Hands an editor window's message to the input dispatcher as if it
    // came to the grid window; true when the dispatcher took it. A
    // character the dispatcher lets through (after the KeyPress event,
    // perhaps changed) goes to `deliver` for the window, when given.
    virtual bool ForwardEditorMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC deliver) = 0;
    virtual LCID Locale() = 0;
    // The editing face of the cell's column; not referenced.
    virtual EditColumnSeam* ColumnOf(HvCell* cell) = 0;
    // A mouse press on a cell: through the band's cell-click handler, which
    // may make it the active cell.
    virtual void ClickSelectCell(HvCell* cell) = 0;
    // Toggles a check-box cell's value.
    virtual void ToggleCheckBox(HvCell* cell) = 0;
    virtual void FireClickCellButton(HvCell* cell) = 0;
    // The EDIT window the editor made (null when it went) and the brush and
    // colours it paints with: the layout keeps them for the colour messages
    // and the column's input mask.
    virtual void PublishEditWindow(HWND window, HBRUSH brush, COLORREF back, COLORREF text) = 0;
    // Shows an editor window so that the form's caption stays active.
    virtual void ShowEditorWindow(HWND window, int command) = 0;
    // BeforeAutoSizeEdit with the layout's sizes, read back into limits;
    // true when the handler cancelled the automatic sizing.
    virtual bool FireBeforeAutoSizeEdit(AutoSizeLimits* limits) = 0;

protected:
    ~EditorHost() = default;
};
