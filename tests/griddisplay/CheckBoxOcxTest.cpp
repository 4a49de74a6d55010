// A check-box column of the registered grid: each cell shows a check box in
// place of its text, checked, unchecked or neither by the cell's value.
#include "BoundTable.h"

#include <doctest/doctest.h>

using Microsoft::WRL::ComPtr;

namespace {

ComPtr<IHvColumn> ColumnOf(OcxGrid& grid, const wchar_t* key)
{
    ComPtr<IHvBands> bands;
    REQUIRE(grid.Layout()->get_Bands(&bands) == S_OK);
    VARIANT first;
    VariantInit(&first);
    first.vt = VT_I4;
    first.lVal = 0;
    ComPtr<IHvBand> band;
    REQUIRE(bands->get_Item(first, &band) == S_OK);
    ComPtr<IHvColumns> columns;
    REQUIRE(band->get_Columns(&columns) == S_OK);
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    name.bstrVal = SysAllocString(key);
    ComPtr<IHvColumn> column;
    REQUIRE(columns->get_Item(name, &column) == S_OK);
    VariantClear(&name);
    return column;
}

// The check boxes shown, top to bottom, and their cells.
std::vector<ComPtr<IHvUIElement>> Boxes(OcxGrid& grid)
{
    return grid.OfType(6100);
}

long StateOf(IHvUIElement* element)
{
    Constants_DrawState state{};
    element->get_DrawState(&state);
    return static_cast<long>(state);
}

ComPtr<IHvCell> CellOf(IHvUIElement* element)
{
    ComPtr<IHvCell> cell;
    element->get_Cell(&cell);
    return cell;
}

} // namespace

TEST_CASE("a check-box column shows each value as a box, checked, unchecked or neither")
{
    BoundTable bound;
    OcxGrid& grid = bound.grid;
    ComPtr<IHvColumn> column = ColumnOf(grid, L"F1");
    REQUIRE(column->put_Style(hvStyleCheckBox) == S_OK);
    bound.Draw();
    // F1 holds 1, 11, 21 ...: the third row's value made 0.
    ComPtr<IHvCell> third = CellOf(Boxes(grid).at(2).Get());
    REQUIRE(third);
    VARIANT zero;
    VariantInit(&zero);
    zero.vt = VT_R8;
    zero.dblVal = 0;
    REQUIRE(third->put_Value(zero) == S_OK);
    bound.Draw();

    const auto boxes = Boxes(grid);
    REQUIRE(boxes.size() >= 4);
    CHECK(static_cast<int>(boxes.size()) == grid.CountOf(5000));
    CHECK(StateOf(boxes[0].Get()) == 32);      // "1"
    CHECK(StateOf(boxes[1].Get()) == 32 + 64); // "11"
    CHECK(StateOf(boxes[2].Get()) == 0);       // "0"
    for (const auto& box : boxes) {
        const RECT rect = RectOf(box.Get());
        CHECK(rect.right - rect.left == 13);
        CHECK(rect.bottom - rect.top == 13);
        ComPtr<IHvUIElement> cell;
        REQUIRE(box->get_ParentUIElement(&cell) == S_OK);
        CHECK(TypeOf(cell.Get()) == 6000);
        ComPtr<IHvUIElements> parts;
        REQUIRE(cell->get_UIElements(&parts) == S_OK);
        long count = 0;
        parts->get_Count(&count);
        CHECK(count == 1); // no text beside the box
    }
    // The checked box shows a mark; the unchecked one only its frame.
    const auto darkIn = [&](const RECT& rect) {
        int dark = 0;
        for (long y = rect.top + 2; y < rect.bottom - 2; ++y)
            for (long x = rect.left + 2; x < rect.right - 2; ++x)
                if (bound.canvas.At(x, y) == RGB(0, 0, 0))
                    ++dark;
        return dark;
    };
    CHECK(darkIn(RectOf(boxes[0].Get())) > 5);
    CHECK(darkIn(RectOf(boxes[2].Get())) == 0);
}
