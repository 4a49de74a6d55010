// Fixture of the editing tests: a small stock recordset (ID, Name, Qty,
// Kind, Day) in our in-memory recordset, the grid made from the registered
// Tavelle.ocx and hosted, focused, in a visible container window, bound to
// it, with a sink that records every event and a hook that answers and
// records every message box of the thread.
#pragma once

#include "ContainerWindow.h"
#include "ControlHost.h"
#include "FrameworkTestSupport.h"
#include "Recordset.h"

#include <doctest/doctest.h>
#include <Tavelle.h>

#include <string>
#include <vector>

namespace gridedit {

using Microsoft::WRL::ComPtr;

constexpr DISPID AfterCellUpdateId = 1002;
constexpr DISPID AfterEnterEditModeId = 1006;
constexpr DISPID AfterExitEditModeId = 1007;
constexpr DISPID AfterRowsDeletedId = 1011;
constexpr DISPID AfterRowInsertId = 1012;
constexpr DISPID AfterRowUpdateId = 1016;
constexpr DISPID BeforeAutoSizeEditId = 1020;
constexpr DISPID BeforeCellUpdateId = 1023;
constexpr DISPID BeforeEnterEditModeId = 1030;
constexpr DISPID BeforeExitEditModeId = 1031;
constexpr DISPID BeforeRowsDeletedId = 1036;
constexpr DISPID BeforeRowInsertId = 1038;
constexpr DISPID BeforeRowUpdateId = 1044;
constexpr DISPID AfterCellListCloseUpId = 1052;
constexpr DISPID ErrorId = 1055;
constexpr DISPID CellListSelectId = 1063;
constexpr DISPID CellChangeId = 1064;

// A VARIANT that clears itself.
struct Var {
    VARIANT v;
    Var() { VariantInit(&v); }
    explicit Var(double d) : Var() { v.vt = VT_R8, v.dblVal = d; }
    explicit Var(long l) : Var() { v.vt = VT_I4, v.lVal = l; }
    explicit Var(const wchar_t* text) : Var() { v.vt = VT_BSTR, v.bstrVal = SysAllocString(text); }
    explicit Var(IDispatch* object) : Var()
    {
        v.vt = VT_DISPATCH, v.pdispVal = object;
        if (object)
            object->AddRef();
    }
    ~Var() { VariantClear(&v); }
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;
    Var(Var&& other) noexcept : v(other.v) { VariantInit(&other.v); }
};

// Answers every message box of the thread (IDOK unless told otherwise)
// and keeps its text.
class BoxAnswerer {
public:
    BoxAnswerer();
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    const std::vector<std::wstring>& Texts() const { return texts_; }
    // The button the next boxes are answered with (IDYES, IDNO...).
    void AnswerWith(int button) { answer_ = button; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static inline BoxAnswerer* current_ = nullptr;
    HHOOK hook_ = nullptr;
    int answer_ = IDOK;
    std::vector<std::wstring> texts_;
};

class EditGrid {
public:
    // Records 1 "Um" 10 "A" 2026-01-15, 2 "Dois" 20 "B" (no day),
    // 3 "Tres" 30 "A" 2026-03-01.
    EditGrid();
    ~EditGrid();
    EditGrid(const EditGrid&) = delete;
    EditGrid& operator=(const EditGrid&) = delete;

    IHvTavelleControl* Control() const { return control_.Get(); }
    hv::recordset::Recordset& Records() { return records_; }
    hv::container::EventSink& Events() const { return host_.Events(); }
    BoxAnswerer& Boxes() { return boxes_; }
    const BoxAnswerer& Boxes() const { return boxes_; }
    HWND GridWindow() const { return grid_; }

    ComPtr<IHvColumn> Column(const wchar_t* key) const;
    // Row n (1-based) of the band.
    ComPtr<IHvRow> Row(int n) const;
    ComPtr<IHvCell> Cell(int row, const wchar_t* key) const;
    // The recordset's value of a field in record n (1-based).
    Var Stored(int record, const wchar_t* field);
    // The records the recordset holds.
    long RecordCount();
    // Another user of the recordset writes a field of record n (1-based);
    // what the recordset answered.
    HRESULT StoreFromOutside(int record, const wchar_t* field, const VARIANT& value);
    // A value list of (value, text) pairs given to the column with a style.
    void GiveList(const wchar_t* column, const wchar_t* list,
                  const std::vector<std::pair<const wchar_t*, const wchar_t*>>& items, Constants_Style style);

    // The cell becomes the active one and, through DroppedDown, edits with
    // its list down; then the list goes up again. False when it refused.
    bool EditThroughList(IHvCell* cell, bool closeList = true);
    bool IsInEditMode() const;
    // Keys typed into the EDIT window; a key pressed in the focused window.
    void Type(const std::wstring& text) const;
    void PressKey(UINT key) const;
    // The cell's rectangle as shown in the grid window, empty when hidden.
    RECT CellRect(IHvCell* cell) const;
    // A left click in the middle of the cell, as the mouse gives it.
    void ClickCell(IHvCell* cell) const;
    // A left click in the middle of the first element of a type within the
    // cell's element; false when the cell shows none. Without release the
    // button stays down, as at the start of a drag.
    bool ClickCellPart(IHvCell* cell, Constants_UIElement part, bool release = true) const;
    // A left click at a point of the grid window, as the mouse gives it.
    void ClickAt(POINT point, bool release = true) const;
    // The EDIT window the grid edits with, null when none is shown.
    HWND EditWindow() const;
    // The combo box of the cell's list (only its list shows), null when
    // none is made.
    HWND ListWindow() const;
    // Its text, empty when none.
    std::wstring EditText() const;
    // The month calendar date cells drop down, null when none is shown.
    HWND CalendarWindow() const;
    // Events received since the last ClearEvents, in order.
    std::vector<DISPID> EventsSeen() const { return host_.Events().Received(); }
    int Count(DISPID id) const { return host_.Events().ReceivedCount(id); }
    void ClearEvents() const { host_.Events().ClearReceived(); }

private:
    HWND OwnedPopup(const wchar_t* className) const;
    hv::recordset::Recordset records_;
    BoxAnswerer boxes_;
    hv::container::ContainerWindow window_;
    mutable hv::container::ControlHost host_;
    ComPtr<IHvTavelleControl> control_;
    HWND grid_ = nullptr;
    mutable std::vector<ComPtr<IHvRow>> rows_;
};

// The first element of a type under element, depth first.
ComPtr<IHvUIElement> Descendant(IHvUIElement* element, Constants_UIElement wanted);
// An element's rectangle in the grid window's client area.
RECT RectOf(IHvUIElement* element);

// Pumps the thread's messages until none is left.
void Pump();
// The automation date of a day; a VARIANT of a date.
DATE DayOf(WORD year, WORD month, WORD day);
Var DateVar(DATE date);

} // namespace gridedit
