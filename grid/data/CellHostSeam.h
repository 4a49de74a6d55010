// CellHostSeam: what a cell needs of the objects around it. The row object
// serves CellRowHost (its row data, level heights, activation and
// selection state), the column serves CellColumnHost (binding, data type,
// extents, style, drop-down and mask services), and the grid side serves
// CellGridHost (the layout's data filter, the control's events, the
// editor window and edit mode, elements and resolved appearances).
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <Tavelle.h>

#include <string>

enum class CellPart;
class HvAppearances;
class HvCell;
class HvLayoutHost;
class HvSelectableItem;

class CellRowHost {
public:
    // Not referenced.
    virtual IHvRow* RowInterface() = 0;
    // The row's bound data is there (RowData made).
    virtual bool HasRowData() = 0;
    virtual HRESULT GetRowValue(LONG columnIndex, VARIANT* out) = 0;
    // The value before the row's pending changes.
    virtual HRESULT GetRowOriginalValue(LONG columnIndex, VARIANT* out) = 0;
    virtual HRESULT SetRowValue(LONG columnIndex, VARIANT* value) = 0;
    // Marks the row's DataChanged.
    virtual void SetRowDataChanged() = 0;
    // Height in pixels of a level of the row.
    virtual LONG LevelHeight(LONG level) = 0;
    // The activation the row and column resolve to (Constants_Activation).
    virtual LONG ResolveActivation() = 0;
    // The row is selected (the cell resolves its selected look from it).
    virtual bool IsSelected() = 0;
    // The row's selectable face (band, layout and grid control of the cell).
    virtual HvSelectableItem* RowSelectable() = 0;
    // Owner of the appearances made for the cell and of their errors, and
    // the layout's Appearances its key names; null without a layout.
    virtual HvLayoutHost* CellAppearanceHost() { return nullptr; }
    virtual HvAppearances* CellAppearances() { return nullptr; }

protected:
    ~CellRowHost() = default;
};

class CellColumnHost {
public:
    // Not referenced.
    virtual IHvColumn* ColumnInterface() = 0;
    virtual bool IsBound() = 0;
    // Index of the column's field in the row data.
    virtual LONG DataIndex() = 0;
    // A chapter column: its value is the child rows' object.
    virtual bool IsChapter() = 0;
    // The child rows of a chapter column for the row, referenced.
    virtual HRESULT ChildRows(CellRowHost* row, IUnknown** out) = 0;
    // The variant type of the column's DataType (VT_EMPTY when none).
    virtual VARTYPE ValueType() = 0;
    // The column's key (the cell's key in its collection), may be null.
    virtual const class CDualString* Key() = 0;
    // Extent and level in pixels.
    virtual LONG Extent() = 0;
    virtual LONG Level() = 0;
    // The column's own TabStop (Constants_TabStop).
    virtual LONG TabStop() = 0;
    // The resolved Constants_Style.
    virtual LONG ResolveStyle() = 0;
    virtual bool HasValueList() = 0;
    virtual bool IsDropDownShowing(HvCell* cell) = 0;
    virtual HRESULT DropDown(HvCell* cell) = 0;
    virtual HRESULT CloseDropDown(HvCell* cell) = 0;
    // The text formatted by the column's input mask with a mask mode;
    // unchanged when the column has no usable mask.
    virtual HRESULT ApplyMaskModeToValue(VARIANT* value, LONG mode) = 0;

protected:
    ~CellColumnHost() = default;
};

class CellGridHost {
public:
    // The grid control is there (false for a stand-alone layout).
    virtual bool HasGridControl() = 0;
    // The control's event gate is there.
    virtual bool HasEventGate() = 0;
    // A live control, not in design mode, events not frozen.
    virtual bool CanFireEvents() = 0;
    virtual bool IsDesignMode() = 0;
    // The event with this dispatch identifier is being fired.
    virtual bool IsEventFiring(DISPID event) = 0;
    virtual LCID Locale() = 0;
    // Not referenced; null when the layout has none.
    virtual IHvTVDataFilter* DataFilter() = 0;
    // The control held referenced across an event.
    virtual void AddRefControl() = 0;
    virtual void ReleaseControl() = 0;
    // Events; the Before ones answer true when cancelled.
    virtual bool FireBeforeCellUpdate(HvCell* cell, VARIANT* newValue) = 0;
    virtual void FireAfterCellUpdate(HvCell* cell) = 0;
    virtual bool FireBeforeCellCancelUpdate(HvCell* cell) = 0;
    virtual void FireAfterCellCancelUpdate(HvCell* cell) = 0;
    // Reports a refused write through the band's data-error road.
    virtual HRESULT ReportUpdateError(HvCell* cell, HRESULT result, VARIANT* invalidValue) = 0;
    // Pixels to container units.
    virtual float PixelsToUnitsX(LONG pixels) = 0;
    virtual float PixelsToUnitsY(LONG pixels) = 0;
    // The cell's band's cell spacing in pixels.
    virtual LONG CellSpacing(HvCell* cell) = 0;
    // The cell's band has a usable rowset binding.
    virtual bool HasRowsetBinding(HvCell* cell) = 0;

    // The layout's EDIT window, null when none.
    virtual HWND EditWindow() = 0;
    // Edit mode, run by the editing code.
    virtual HRESULT ExitEditMode(HvCell* cell, bool discard, bool force) = 0;
    // The cell's value as displayed text.
    virtual HRESULT GetValueText(HvCell* cell, BSTR* out) = 0;
    // Activation of the cell, run by the control and the editing code:
    // makes it the active cell and, with enterEdit, puts it into edit mode;
    // non-zero when that was refused or cancelled.
    virtual LONG ActivateCell(HvCell* cell, bool enterEdit, LONG arg, LONG arg2) = 0;
    virtual void EnterEditMode(HvCell* cell, bool byMouse) = 0;
    // A press on a part of the cell's element (its drop-down button...);
    // true when the press was taken.
    virtual bool PressCellPart(HvCell*, CellPart) { return false; }

    // Selection through the band's cell-click handler.
    virtual HRESULT SelectCell(HvCell* cell, bool select) = 0;
    // Elements and appearances.
    virtual HRESULT RefreshCellElement(HvCell* cell) = 0;
    virtual HRESULT GetCellElement(HvCell* cell, VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out) = 0;
    virtual HRESULT ResolveCellAppearance(HvCell* cell, VARIANT* rowRegion, IHvAppearance** out) = 0;
    // The text the cell shows: its edit text while a check box or a date is
    // edited, else its value as text. False when there is none to give.
    virtual bool ShownText(HvCell*, std::wstring*) { return false; }

protected:
    ~CellGridHost() = default;
};
