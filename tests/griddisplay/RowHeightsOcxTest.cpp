// Row heights of the registered, bound grid: a synchronized band keeps one
// height for all its rows, a Free band sizes one row, the Auto sizings
// measure the wrapped text of multi-line cells, and a row's font is a floor
// under the Free sizings; the heights reach the drawn row elements and
// Row.Height alike.
#include "KeepPicture.h"
#include "OcxGrid.h"

#include "Recordset.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;
using namespace hv::recordset;

namespace {

constexpr long RowType = 5000;
constexpr COLORREF Untouched = RGB(1, 2, 3);
const wchar_t* const Long = L"one two three four five six seven eight nine ten eleven twelve";

// Eight rows: a short name, except rows 2 and 5, whose names wrap when
// the column is narrow.
struct HeightGrid {
    Recordset records;
    OcxGrid grid{400, 400};
    Canvas canvas{400, 400, Untouched};

    HeightGrid()
    {
        REQUIRE(records.AppendField(L"ID", FieldType::Double) == S_OK);
        REQUIRE(records.AppendField(L"Name", FieldType::WideString, 200) == S_OK);
        REQUIRE(records.Open() == S_OK);
        for (int i = 0; i < 8; ++i) {
            REQUIRE(records.AddNew() == S_OK);
            VARIANT value;
            VariantInit(&value);
            value.vt = VT_R8;
            value.dblVal = i;
            records.SetValue(0, value);
            value.vt = VT_BSTR;
            value.bstrVal = SysAllocString(i == 2 || i == 5 ? Long : L"short");
            records.SetValue(1, value);
            VariantClear(&value);
            REQUIRE(records.Update() == S_OK);
        }
    }
    void Bind()
    {
        ComPtr<IUnknown> source;
        REQUIRE(records.GetDataSource(&source) == S_OK);
        grid.Bind(source.Get());
    }
    ComPtr<IHvBand> Band() const
    {
        ComPtr<IHvBands> bands;
        REQUIRE(grid.Layout()->get_Bands(&bands) == S_OK);
        VARIANT index;
        VariantInit(&index);
        index.vt = VT_I4;
        ComPtr<IHvBand> band;
        REQUIRE(bands->get_Item(index, &band) == S_OK);
        return band;
    }
    ComPtr<IHvOverride> Override() const
    {
        ComPtr<IHvOverride> override;
        REQUIRE(Band()->get_Override(&override) == S_OK);
        return override;
    }
    ComPtr<IHvColumn> Name() const
    {
        ComPtr<IHvColumns> columns;
        REQUIRE(Band()->get_Columns(&columns) == S_OK);
        VARIANT key;
        VariantInit(&key);
        key.vt = VT_BSTR;
        key.bstrVal = SysAllocString(L"Name");
        ComPtr<IHvColumn> column;
        columns->get_Item(key, &column);
        VariantClear(&key);
        REQUIRE(column);
        return column;
    }
    // The drawn row elements' heights, top to bottom, and their rows.
    std::vector<long> ShownHeights()
    {
        REQUIRE(grid.DrawInto(canvas) == S_OK);
        std::vector<long> heights;
        for (const auto& element : grid.OfType(RowType)) {
            const RECT rect = RectOf(element.Get());
            heights.push_back(rect.bottom - rect.top);
        }
        return heights;
    }
    ComPtr<IHvRow> RowAt(size_t index) const
    {
        ComPtr<IHvRow> row;
        REQUIRE(grid.OfType(RowType).at(index)->get_Row(&row) == S_OK);
        return row;
    }
    // Row.Height of the shown row, in pixels.
    long HeightOf(size_t index) const
    {
        float units = 0;
        REQUIRE(RowAt(index)->get_Height(&units) == S_OK);
        return static_cast<long>(units / 15.0f + 0.5f);
    }
};

} // namespace

TEST_CASE("a row resize under each sizing: synchronized rows follow it, Free and Fixed rows keep their own")
{
    struct Case {
        Constants_RowSizing sizing;
        bool othersFollow;
    };
    const Case cases[] = {
        {hvRowSizingDefault, true},
        {hvRowSizingSychronized, true},
        {hvRowSizingFree, false},
        {hvRowSizingFixed, false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.sizing);
        HeightGrid g;
        g.Bind();
        REQUIRE(g.Override()->put_RowSizing(c.sizing) == S_OK);
        const std::vector<long> before = g.ShownHeights();
        REQUIRE(before.size() == 8);
        // The first row also draws the line under the headers.
        const long normal = before[1];
        REQUIRE(g.RowAt(3)->put_Height(OcxGrid::ToUnits(normal + 17)) == S_OK);
        const std::vector<long> after = g.ShownHeights();
        REQUIRE(after.size() == 8);
        CHECK(after[3] == normal + 17);
        CHECK(g.HeightOf(3) == normal + 17);
        CHECK(after[1] == (c.othersFollow ? normal + 17 : normal));
        CHECK(g.HeightOf(6) == after[6]);
    }
}

TEST_CASE("the Auto sizings measure multi-line cells at their column's width; the others keep one line")
{
    struct Case {
        Constants_RowSizing sizing;
        Constants_CellMultiLine multiLine;
        bool longRowsTaller;
    };
    const Case cases[] = {
        {hvRowSizingAutoFree, hvCellMultiLineTrue, true},
        {hvRowSizingAutoFixed, hvCellMultiLineTrue, true},
        {hvRowSizingAutoFree, hvCellMultiLineFalse, false},
        {hvRowSizingFree, hvCellMultiLineTrue, false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.sizing);
        CAPTURE(c.multiLine);
        HeightGrid g;
        g.Bind();
        REQUIRE(g.Override()->put_RowSizing(c.sizing) == S_OK);
        REQUIRE(g.Name()->put_CellMultiLine(c.multiLine) == S_OK);
        REQUIRE(g.Name()->put_Width(OcxGrid::ToUnits(90)) == S_OK);
        const std::vector<long> heights = g.ShownHeights();
        REQUIRE(heights.size() == 8);
        const long line = heights[1];
        CHECK(heights[3] == line);
        if (c.longRowsTaller) {
            // Twelve words in 90 pixels wrap onto several lines.
            CHECK(heights[2] > 2 * line);
            CHECK(heights[5] == heights[2]);
            KeepPicture(g.canvas, L"row_heights_auto");
        } else {
            CHECK(heights[2] == line);
        }
        CHECK(g.HeightOf(2) == heights[2]);
    }
}

TEST_CASE("a row's larger font raises it under Free, not under Sychronized")
{
    struct Case {
        Constants_RowSizing sizing;
        bool raised;
    };
    const Case cases[] = {{hvRowSizingFree, true}, {hvRowSizingSychronized, false}};
    for (const Case& c : cases) {
        CAPTURE(c.sizing);
        HeightGrid g;
        g.Bind();
        REQUIRE(g.Override()->put_RowSizing(c.sizing) == S_OK);
        const long normal = g.ShownHeights().at(1);
        ComPtr<IHvAppearance> appearance;
        REQUIRE(g.RowAt(4)->get_Appearance(&appearance) == S_OK);
        ComPtr<IFontDisp> fontDisp;
        REQUIRE(appearance->get_Font(&fontDisp) == S_OK);
        ComPtr<IFont> font;
        REQUIRE(fontDisp.As(&font) == S_OK);
        CY size = {};
        size.int64 = 30 * 10000;
        REQUIRE(font->put_Size(size) == S_OK);
        REQUIRE(appearance->putref_Font(fontDisp.Get()) == S_OK);
        const std::vector<long> heights = g.ShownHeights();
        REQUIRE(heights.size() >= 5);
        CHECK(heights[3] == normal);
        CHECK((heights[4] > normal + 10) == c.raised);
        CHECK(g.HeightOf(4) == heights[4]);
    }
}
