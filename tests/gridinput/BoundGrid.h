// Fixture of the input tests through the registered control library: the
// hosted grid bound to an in-memory recordset of ID, Name and Qty rows; its
// rows and cells found by their elements, clicks and keys sent to the
// grid's window with the modifiers in the thread's keyboard state.
#pragma once

#include "OcxGrid.h"
#include "Recordset.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

class BoundGrid {
public:
    // rows records ID 1..rows, Name "n<ID>", Qty ID * 10.
    explicit BoundGrid(int rows, int width = 400, int height = 300);
    ~BoundGrid();
    BoundGrid(const BoundGrid&) = delete;
    BoundGrid& operator=(const BoundGrid&) = delete;

    OcxGrid& Grid() { return grid_; }
    IHvTavelleControl* Control() const { return grid_.Control(); }
    hv::container::EventSink& Events() { return grid_.Host().Events(); }
    HWND Window() const { return grid_.Window(); }
    Microsoft::WRL::ComPtr<IHvBand> Band0() const;
    Microsoft::WRL::ComPtr<IHvOverride> Override0() const;
    Microsoft::WRL::ComPtr<IHvColumn> Column(const wchar_t* key) const;
    // The IDs of the rows shown, top to bottom.
    std::vector<long> ShownRowIds() const;

    // The ID of a row object; 0 for none.
    static long IdOf(IHvRow* row);
    // Opens records with rows records ID 1..rows, Name "n<ID>", Qty ID * 10.
    static void FillRecords(hv::recordset::Recordset& records, int rows);
    long ActiveRowId() const;
    // The active cell's row ID and column key; 0 and empty for none.
    long ActiveCellRowId() const;
    std::wstring ActiveCellKey() const;
    std::vector<long> SelectedRowIds() const;
    int SelectedCellCount() const;
    // The row object shown with the ID.
    Microsoft::WRL::ComPtr<IHvRow> RowOf(long id) const;

    // The rectangle of the cell of the row and column as shown, or of the
    // row selector (column "" ) or the column's header (id 0); empty when
    // it is not shown.
    RECT CellRect(long id, const wchar_t* key) const;
    RECT SelectorRect(long id) const;
    RECT HeaderRect(const wchar_t* key) const;

    // A click with the left button at a point of the grid's client area.
    void Click(POINT at, bool shift = false, bool ctrl = false);
    // Press, release, the double-click message and its release, as the
    // system sends them for two quick clicks.
    void DoubleClick(POINT at, bool shift = false, bool ctrl = false);
    void ClickCell(long id, const wchar_t* key, bool shift = false, bool ctrl = false);
    // Press, moves and release, the button held through the moves.
    void Press(POINT at, bool shift = false, bool ctrl = false);
    void MoveTo(POINT at);
    void Release(POINT at);
    // A key pressed and released, with the modifiers held; the control
    // pre-translates the press first, as a container's message loop lets
    // it. True when the control took the press there; otherwise it goes to
    // the grid's window.
    bool Key(UINT key, bool shift = false, bool ctrl = false);
    // The press only offered for pre-translation, as a container does
    // before its dialog navigation: true when the control took it.
    bool Translate(UINT key, bool shift = false, bool ctrl = false);
    void Pump() const;

private:
    void SetModifiers(bool shift, bool ctrl, bool button) const;

    hv::recordset::Recordset records_;
    OcxGrid grid_;
};

POINT Middle(const RECT& rect);

// Lists of row IDs read in failure messages.
namespace doctest {
template <>
struct StringMaker<std::vector<long>> {
    static String convert(const std::vector<long>& ids)
    {
        std::string text = "{";
        for (long id : ids)
            text += (text.size() > 1 ? ", " : "") + std::to_string(id);
        return String((text + "}").c_str());
    }
};
} // namespace doctest
