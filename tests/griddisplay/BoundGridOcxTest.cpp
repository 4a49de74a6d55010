// The registered grid bound to a recordset through its DataSource: the band's
// headers, rows, selectors and cells placed in the data area, drawn into a
// memory context and found again at their points.
#include "OcxGrid.h"

#include "Recordset.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;
using namespace hv::recordset;

namespace {

constexpr long Header = 4000;
constexpr long Row = 5000;
constexpr long RowSelector = 5300;
constexpr long Cell = 6000;
constexpr COLORREF Untouched = RGB(1, 2, 3);

// A name and seven numbers on each of the given rows.
void FillTable(Recordset& records, int rows)
{
    REQUIRE(records.AppendField(L"NAME", FieldType::WideString, 32) == S_OK);
    for (int f = 1; f < 8; ++f)
        REQUIRE(records.AppendField(L"F" + std::to_wstring(f), FieldType::Double) == S_OK);
    REQUIRE(records.Open() == S_OK);
    for (int r = 0; r < rows; ++r) {
        REQUIRE(records.AddNew() == S_OK);
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocString((L"row " + std::to_wstring(r)).c_str());
        records.SetValue(0, value);
        VariantClear(&value);
        for (int f = 1; f < 8; ++f) {
            value.vt = VT_R8;
            value.dblVal = r * 10 + f;
            records.SetValue(f, value);
        }
        REQUIRE(records.Update() == S_OK);
    }
}

void Bind(OcxGrid& grid, Recordset& records)
{
    ComPtr<IUnknown> source;
    REQUIRE(records.GetDataSource(&source) == S_OK);
    REQUIRE(grid.Control()->putref_DataSource(reinterpret_cast<DataSource*>(source.Get())) == S_OK);
}

std::wstring CaptionOf(IHvUIElement* element)
{
    ComPtr<IHvHeader> header;
    std::wstring text;
    if (SUCCEEDED(element->get_Header(&header)) && header) {
        BSTR caption = nullptr;
        if (SUCCEEDED(header->get_Caption(&caption)) && caption)
            text = caption;
        SysFreeString(caption);
    }
    return text;
}

ComPtr<IHvCell> CellOf(IHvUIElement* element)
{
    ComPtr<IHvCell> cell;
    element->get_Cell(&cell);
    return cell;
}

// Pixels inside the rectangle that differ from both given colours.
int InkIn(const Canvas& canvas, const RECT& rect, COLORREF back, COLORREF other)
{
    int ink = 0;
    for (long y = rect.top; y < rect.bottom; ++y)
        for (long x = rect.left; x < rect.right; ++x) {
            const COLORREF at = canvas.At(x, y);
            if (at != back && at != other)
                ++ink;
        }
    return ink;
}

// The cell elements of the row element at the index, in column order.
std::vector<ComPtr<IHvUIElement>> CellsOfRow(OcxGrid& grid, long rowIndex)
{
    std::vector<ComPtr<IHvUIElement>> found;
    const RECT row = RectOf(grid.OfType(Row).at(static_cast<size_t>(rowIndex)).Get());
    for (const auto& cell : grid.OfType(Cell)) {
        const RECT rect = RectOf(cell.Get());
        if (rect.top >= row.top && rect.bottom <= row.bottom)
            found.push_back(cell);
    }
    return found;
}

std::wstring TextOf(IHvCell* cell)
{
    BSTR text = nullptr;
    VARIANT mode = Missing();
    std::wstring result;
    if (cell && SUCCEEDED(cell->GetText(&mode, &text)) && text)
        result = text;
    SysFreeString(text);
    return result;
}

void PutBackColor(IHvAppearance* appearance, COLORREF colour)
{
    REQUIRE(appearance);
    REQUIRE(appearance->put_BackColor(colour) == S_OK);
}

// The registered grid bound to the name-and-numbers table of 60 rows.
struct BoundGrid {
    Recordset records;
    OcxGrid grid;
    Canvas canvas;

    explicit BoundGrid(int width = 400, int height = 300) : grid(width, height), canvas(width, height, Untouched)
    {
        FillTable(records, 60);
        Bind(grid, records);
    }
    void Draw() { REQUIRE(grid.DrawInto(canvas) == S_OK); }
};

} // namespace

TEST_CASE("a bound grid places and paints its band's headers, rows, selectors and cells")
{
    BoundGrid bound;
    bound.Draw();
    OcxGrid& grid = bound.grid;
    const Canvas& canvas = bound.canvas;

    const RECT area = RectOf(grid.OfType(1000).at(0).Get());
    const auto headers = grid.OfType(Header);
    const auto rows = grid.OfType(Row);
    REQUIRE(headers.size() >= 4);
    REQUIRE(rows.size() >= 10);

    SUBCASE("headers follow the fields in order, side by side, each with its caption drawn")
    {
        const wchar_t* names[] = {L"NAME", L"F1", L"F2", L"F3"};
        for (size_t i = 0; i < 4; ++i) {
            CAPTURE(i);
            CHECK(CaptionOf(headers[i].Get()) == names[i]);
            const RECT rect = RectOf(headers[i].Get());
            CHECK(rect.top == area.top);
            if (i > 0)
                CHECK(rect.left >= RectOf(headers[i - 1].Get()).right - 1);
            RECT inner = rect;
            InflateRect(&inner, -3, -3);
            const COLORREF back = canvas.At(inner.right - 1, inner.bottom - 1);
            CHECK(InkIn(canvas, inner, back, Untouched) > 10);
        }
    }
    SUBCASE("rows stack below the headers, as many as the area shows, each with its selector")
    {
        const RECT headerRect = RectOf(headers[0].Get());
        long previousTop = headerRect.top;
        for (const auto& row : rows) {
            const RECT rect = RectOf(row.Get());
            CHECK(rect.top > previousTop);
            CHECK(rect.top < area.bottom);
            previousTop = rect.top;
        }
        CHECK(RectOf(rows.back().Get()).bottom >= area.bottom);
        CHECK(grid.OfType(RowSelector).size() == rows.size());
        CHECK(rows.size() < 60);
    }
    SUBCASE("cells sit under their headers without overlapping, each showing its row's cell")
    {
        std::vector<ComPtr<IHvUIElement>> cells;
        for (const auto& cell : grid.OfType(Cell)) {
            ComPtr<IHvUIElement> parent;
            cell->get_ParentUIElement(&parent);
            ComPtr<IHvUIElement> row;
            if (parent)
                parent->get_ParentUIElement(&row);
            if (row && RectOf(row.Get()).top == RectOf(rows[0].Get()).top)
                cells.push_back(cell);
        }
        REQUIRE(cells.size() >= 4);
        for (size_t i = 0; i < 4; ++i) {
            CAPTURE(i);
            const RECT cell = RectOf(cells[i].Get());
            const RECT header = RectOf(headers[i].Get());
            CHECK(cell.left >= header.left);
            CHECK(cell.right <= header.right + 1);
            if (i > 0)
                CHECK(cell.left >= RectOf(cells[i - 1].Get()).right - 1);
            ComPtr<IHvCell> shown = CellOf(cells[i].Get());
            REQUIRE(shown);
            ComPtr<IHvColumn> column;
            REQUIRE(shown->get_Column(&column) == S_OK);
            ComPtr<IHvHeader> columnHeader;
            REQUIRE(column->get_Header(&columnHeader) == S_OK);
            BSTR caption = nullptr;
            columnHeader->get_Caption(&caption);
            CHECK(std::wstring(caption ? caption : L"") == CaptionOf(headers[i].Get()));
            SysFreeString(caption);
        }
    }
    SUBCASE("the point inside a cell gives that cell's element")
    {
        const auto cells = grid.OfType(Cell);
        REQUIRE(cells.size() > 6);
        const RECT rect = RectOf(cells[6].Get());
        VARIANT ignore = Missing();
        ComPtr<IHvUIElement> found;
        REQUIRE(grid.Control()->UIElementFromPoint(OcxGrid::ToUnits((rect.left + rect.right) / 2),
                                                   OcxGrid::ToUnits((rect.top + rect.bottom) / 2), &ignore,
                                                   &found) == S_OK);
        REQUIRE(found);
        ComPtr<IHvCell> at = CellOf(found.Get());
        ComPtr<IHvCell> expected = CellOf(cells[6].Get());
        REQUIRE(at);
        VARIANT_BOOL same = VARIANT_FALSE;
        CHECK(at->IsSameAs(expected.Get(), &same) == S_OK);
        CHECK(same == VARIANT_TRUE);
    }
}

TEST_CASE("a bound grid's cells show their records' values")
{
    BoundGrid bound;
    bound.Draw();
    OcxGrid& grid = bound.grid;
    const Canvas& canvas = bound.canvas;

    for (long r = 0; r < 3; ++r) {
        CAPTURE(r);
        const auto cells = CellsOfRow(grid, r);
        REQUIRE(cells.size() >= 3);
        CHECK(TextOf(CellOf(cells[0].Get()).Get()) == L"row " + std::to_wstring(r));
        CHECK(TextOf(CellOf(cells[1].Get()).Get()) == std::to_wstring(r * 10 + 1));
        RECT inner = RectOf(cells[0].Get());
        InflateRect(&inner, -2, -2);
        const COLORREF back = canvas.At(inner.right - 1, inner.bottom - 1);
        CHECK(InkIn(canvas, inner, back, Untouched) > 10);
        // The row's line under its cells and the line between two cells.
        const RECT row = RectOf(grid.OfType(Row).at(static_cast<size_t>(r)).Get());
        const RECT second = RectOf(cells[1].Get());
        CHECK(canvas.At((second.left + second.right) / 2, row.bottom - 1) != back);
        CHECK(canvas.At(second.right - 1, (second.top + second.bottom) / 2) != back);
    }
}

TEST_CASE("rows take the row appearance and every other row the alternate one")
{
    constexpr COLORREF Plain = RGB(250, 240, 200);
    constexpr COLORREF Alternate = RGB(200, 230, 255);
    BoundGrid bound;
    OcxGrid& grid = bound.grid;
    ComPtr<IHvOverride> override;
    REQUIRE(grid.Layout()->get_Override(&override) == S_OK);
    ComPtr<IHvAppearance> appearance;
    REQUIRE(override->get_RowAppearance(&appearance) == S_OK);
    PutBackColor(appearance.Get(), Plain);
    appearance.Reset();
    REQUIRE(override->get_RowAlternateAppearance(&appearance) == S_OK);
    PutBackColor(appearance.Get(), Alternate);
    bound.Draw();

    // A point of the third cell of each row away from its text and borders.
    std::vector<COLORREF> seen;
    for (long r = 0; r < 6; ++r) {
        const auto cells = CellsOfRow(grid, r);
        REQUIRE(cells.size() >= 3);
        const RECT rect = RectOf(cells[2].Get());
        seen.push_back(bound.canvas.At(rect.right - 4, rect.bottom - 4));
    }
    for (long r = 0; r < 6; ++r) {
        CAPTURE(r);
        CHECK(seen[static_cast<size_t>(r)] == (r % 2 == 0 ? Plain : Alternate));
    }
}

TEST_CASE("automatic scroll bars settle when the columns fit only beside the vertical bar")
{
    // The band is 739 pixels wide: the data area holds it, but not beside a
    // vertical bar, which the 60 rows need.
    for (int width : {745, 750, 757}) {
        CAPTURE(width);
        BoundGrid bound(width, 300);
        REQUIRE(bound.grid.Layout()->put_ScrollBars(hvScrollBarsAutomatic) == S_OK);
        bound.Draw();
        CHECK(bound.grid.CountOf(1400) == 1);
        CHECK(bound.grid.CountOf(1100) == 1);
    }
}
