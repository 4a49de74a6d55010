// The registered grid bound to a recordset through its DataSource: the band's
// headers, rows, selectors and cells placed in the data area, drawn into a
// memory context and found again at their points.
#include "BoundTable.h"
#include "KeepPicture.h"

#include <doctest/doctest.h>

#include <commctrl.h>

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

using BoundGrid = BoundTable;

} // namespace

TEST_CASE("a bound grid places and paints its band's headers, rows, selectors and cells")
{
    BoundGrid bound;
    bound.Draw();
    KeepPicture(bound.canvas, L"grid_bound");
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

TEST_CASE("a row and a cell give their elements where they show, and none once scrolled away")
{
    BoundGrid bound;
    OcxGrid& grid = bound.grid;
    bound.Draw();
    ComPtr<IHvRow> row;
    REQUIRE(grid.Control()->GetRow(hvChildRowFirst, &row) == S_OK);
    REQUIRE(row);
    VARIANT rows = Missing();
    VARIANT cols = Missing();
    ComPtr<IHvUIElement> element;
    REQUIRE(row->GetUIElement(&rows, &cols, &element) == S_OK);
    REQUIRE(element);
    CHECK(TypeOf(element.Get()) == Row);
    const RECT first = RectOf(grid.OfType(Row).at(0).Get());
    const RECT given = RectOf(element.Get());
    CHECK(EqualRect(&first, &given));

    ComPtr<IHvCells> cells;
    REQUIRE(row->get_Cells(&cells) == S_OK);
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = 1;
    ComPtr<IHvCell> cell;
    REQUIRE(cells->get_Item(index, &cell) == S_OK);
    ComPtr<IHvUIElement> cellElement;
    REQUIRE(cell->GetUIElement(&rows, &cols, &cellElement) == S_OK);
    REQUIRE(cellElement);
    CHECK(TypeOf(cellElement.Get()) == Cell);
    const RECT second = RectOf(CellsOfRow(grid, 0).at(1).Get());
    const RECT givenCell = RectOf(cellElement.Get());
    CHECK(EqualRect(&second, &givenCell));

    // Region by index, then the row scrolled out of it.
    VARIANT first0;
    VariantInit(&first0);
    first0.vt = VT_I4;
    first0.lVal = 0;
    element.Reset();
    REQUIRE(row->GetUIElement(&first0, &cols, &element) == S_OK);
    CHECK(TypeOf(element.Get()) == Row);
    REQUIRE(grid.RowRegion(0)->Scroll(hvRowScrollActionPageDown) == S_OK);
    {
        ComPtr<IHvRow> top;
        REQUIRE(grid.RowRegion(0)->get_FirstRow(&top) == S_OK);
        VARIANT_BOOL same = VARIANT_TRUE;
        REQUIRE(top);
        top->IsSameAs(row.Get(), &same);
        CHECK(same == VARIANT_FALSE);
    }
    element.Reset();
    cellElement.Reset();
    REQUIRE(row->GetUIElement(&rows, &cols, &element) == S_OK);
    CHECK_FALSE(element);
    REQUIRE(cell->GetUIElement(&rows, &cols, &cellElement) == S_OK);
    CHECK_FALSE(cellElement);
}

namespace {

VARIANT Text(const wchar_t* text)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    return v;
}

VARIANT Short(short value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I2;
    v.iVal = value;
    return v;
}

// Adds a group of the given columns (at the given levels) to the band.
void AddGroup(IHvBand* band, const wchar_t* caption, std::vector<std::pair<const wchar_t*, short>> columns)
{
    ComPtr<IHvGroups> groups;
    REQUIRE(band->get_Groups(&groups) == S_OK);
    VARIANT key = Text(caption);
    VARIANT title = Text(caption);
    ComPtr<IHvGroup> group;
    REQUIRE(groups->Add(key, Missing(), title, &group) == S_OK);
    VariantClear(&key);
    VariantClear(&title);
    ComPtr<IHvGroupCols> cols;
    REQUIRE(group->get_Columns(&cols) == S_OK);
    for (auto [name, level] : columns) {
        VARIANT column = Text(name);
        VARIANT position = Missing();
        VARIANT line = Short(level);
        REQUIRE(cols->Add(&column, &position, &line) == S_OK);
        VariantClear(&column);
    }
}

ComPtr<IHvUIElement> HeaderCaptioned(OcxGrid& grid, const std::wstring& caption)
{
    for (const auto& header : grid.OfType(Header))
        if (CaptionOf(header.Get()) == caption)
            return header;
    return nullptr;
}

} // namespace

namespace {

// The band's columns in two groups, F1 under NAME when on two levels.
void ShowGroups(bool twoLevels)
{
    CAPTURE(twoLevels);
    BoundGrid bound(600, 300);
    OcxGrid& grid = bound.grid;
    ComPtr<IHvBands> bands;
    REQUIRE(grid.Layout()->get_Bands(&bands) == S_OK);
    ComPtr<IHvBand> band;
    REQUIRE(bands->get_Item(Short(0), &band) == S_OK);
    if (twoLevels)
        REQUIRE(band->put_LevelCount(2) == S_OK);
    AddGroup(band.Get(), L"Alpha", {{L"NAME", 0}, {L"F1", twoLevels ? 1 : 0}});
    AddGroup(band.Get(), L"Beta", {{L"F2", 0}, {L"F3", 0}});
    bound.Draw();
    KeepPicture(bound.canvas, twoLevels ? L"grid_groups_levels" : L"grid_groups");

    const auto alpha = HeaderCaptioned(grid, L"Alpha");
    const auto beta = HeaderCaptioned(grid, L"Beta");
    REQUIRE(alpha);
    REQUIRE(beta);
    const RECT a = RectOf(alpha.Get());
    const RECT b = RectOf(beta.Get());
    CHECK(b.left >= a.right - 1);
    const RECT name = RectOf(HeaderCaptioned(grid, L"NAME").Get());
    const RECT f1 = RectOf(HeaderCaptioned(grid, L"F1").Get());
    const RECT f2 = RectOf(HeaderCaptioned(grid, L"F2").Get());
    CHECK(name.top >= a.bottom - 1);
    CHECK(name.left >= a.left);
    CHECK(f2.left >= b.left);
    CHECK(f2.top >= b.bottom - 1);
    if (twoLevels) {
        CHECK(f1.top >= name.bottom - 1);
        CHECK(f1.left == name.left);
    } else {
        CHECK(f1.top == name.top);
        CHECK(f1.left >= name.right - 1);
        CHECK(f1.right <= a.right + 1);
    }

    // The first row's cells under their columns' headers, one line each.
    const auto cells = CellsOfRow(grid, 0);
    REQUIRE(cells.size() == 4);
    const RECT firstCell = RectOf(cells[0].Get());
    const RECT secondCell = RectOf(cells[1].Get());
    CHECK(TextOf(CellOf(cells[0].Get()).Get()) == L"row 0");
    CHECK(TextOf(CellOf(cells[1].Get()).Get()) == L"1");
    CHECK(firstCell.left >= name.left);
    CHECK(firstCell.right <= name.right + 1);
    if (twoLevels)
        CHECK(secondCell.top >= firstCell.bottom - 1);
    else
        CHECK(secondCell.top == firstCell.top);
}

} // namespace

TEST_CASE("a band with groups shows each group's header above its columns' headers, and the cells below them")
{
    for (const bool twoLevels : {false, true})
        ShowGroups(twoLevels);
}

namespace {

// The grid window's vertical scroll bar of its first row region.
HWND VerticalBar(HWND grid)
{
    for (HWND child = GetWindow(grid, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32] = {};
        GetClassNameW(child, name, 32);
        if (_wcsicmp(name, L"ScrollBar") == 0 && (GetWindowLongW(child, GWL_STYLE) & SBS_VERT))
            return child;
    }
    return nullptr;
}

HWND ToolTipOfThread()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) -> BOOL {
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            if (_wcsicmp(name, TOOLTIPS_CLASSW) != 0)
                return TRUE;
            *reinterpret_cast<HWND*>(out) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The text of the control's tool (its window is the tool).
std::wstring ToolText(HWND tip, HWND grid)
{
    wchar_t text[256] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = grid;
    info.uId = reinterpret_cast<UINT_PTR>(grid);
    info.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
    return text;
}

} // namespace

TEST_CASE("dragging the thumb shows the row under it in a tip; letting go scrolls there")
{
    BoundGrid bound;
    OcxGrid& grid = bound.grid;
    bound.Draw();
    const HWND window = grid.Window();
    const HWND bar = VerticalBar(window);
    REQUIRE(bar);
    SetScrollPos(bar, SB_CTL, 30, FALSE);
    SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30), reinterpret_cast<LPARAM>(bar));
    const HWND tip = ToolTipOfThread();
    REQUIRE(tip);
    CHECK(IsWindowVisible(tip));
    CHECK(ToolText(tip, window) == L"NAME: row 30");
    // Nothing scrolled yet.
    bound.Draw();
    CHECK(TextOf(CellOf(CellsOfRow(grid, 0).at(0).Get()).Get()) == L"row 0");

    SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30), reinterpret_cast<LPARAM>(bar));
    SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(bar));
    CHECK_FALSE(IsWindowVisible(tip));
    bound.Draw();
    CHECK(TextOf(CellOf(CellsOfRow(grid, 0).at(0).Get()).Get()) == L"row 30");

    // A band's ScrollTipField names the column shown.
    ComPtr<IHvBands> bands;
    REQUIRE(grid.Layout()->get_Bands(&bands) == S_OK);
    ComPtr<IHvBand> band;
    REQUIRE(bands->get_Item(Short(0), &band) == S_OK);
    BSTR field = SysAllocString(L"F2");
    REQUIRE(band->put_ScrollTipField(field) == S_OK);
    SysFreeString(field);
    SetScrollPos(bar, SB_CTL, 5, FALSE);
    SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 5), reinterpret_cast<LPARAM>(bar));
    CHECK(ToolText(tip, window) == L"F2: 52");
    SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(bar));
}

TEST_CASE("on 100,000 rows the thumb dragged to the end shows the last row in its tip and scrolls to it")
{
    BoundGrid bound(400, 300, 100000);
    OcxGrid& grid = bound.grid;
    bound.Draw();
    const HWND window = grid.Window();
    const HWND bar = VerticalBar(window);
    REQUIRE(bar);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    REQUIRE(GetScrollInfo(bar, SB_CTL, &info));
    const int end = info.nMax - static_cast<int>(info.nPage > 0 ? info.nPage - 1 : 0);
    REQUIRE(end > 1000);
    SetScrollPos(bar, SB_CTL, end, FALSE);
    SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), reinterpret_cast<LPARAM>(bar));
    const HWND tip = ToolTipOfThread();
    REQUIRE(tip);
    CHECK(ToolText(tip, window) == L"NAME: row 99999");

    SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), reinterpret_cast<LPARAM>(bar));
    SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(bar));
    CHECK_FALSE(IsWindowVisible(tip));
    bound.Draw();
    const auto rows = grid.OfType(Row);
    REQUIRE(!rows.empty());
    const auto last = CellsOfRow(grid, static_cast<long>(rows.size()) - 1);
    REQUIRE(!last.empty());
    CHECK(TextOf(CellOf(last[0].Get()).Get()) == L"row 99999");
    CHECK(RectOf(rows.back().Get()).bottom <= RectOf(grid.OfType(1000).at(0).Get()).bottom);
}

namespace {

// The column of band 0 with the key.
ComPtr<IHvColumn> ColumnNamed(OcxGrid& grid, const wchar_t* key)
{
    ComPtr<IHvBands> bands;
    REQUIRE(grid.Layout()->get_Bands(&bands) == S_OK);
    ComPtr<IHvBand> band;
    REQUIRE(bands->get_Item(Short(0), &band) == S_OK);
    ComPtr<IHvColumns> columns;
    REQUIRE(band->get_Columns(&columns) == S_OK);
    VARIANT which = Text(key);
    ComPtr<IHvColumn> column;
    REQUIRE(columns->get_Item(which, &column) == S_OK);
    VariantClear(&which);
    return column;
}

// The grid's window, its container shown without activation: a hidden
// window keeps no area to repaint.
HWND ShownGridWindow(OcxGrid& grid)
{
    const HWND window = grid.Window();
    REQUIRE(window);
    ShowWindow(GetAncestor(window, GA_ROOT), SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    return window;
}

} // namespace

TEST_CASE("a column's cell colour put repaints that column only, and shows in its cells")
{
    constexpr COLORREF Tint = RGB(255, 220, 180);
    BoundGrid bound;
    OcxGrid& grid = bound.grid;
    bound.Draw();
    const HWND window = ShownGridWindow(grid);
    UpdateWindow(window);
    ValidateRect(window, nullptr);

    ComPtr<IHvColumn> column = ColumnNamed(grid, L"F2");
    ComPtr<IHvAppearance> look;
    REQUIRE(column->get_CellAppearance(&look) == S_OK);
    PutBackColor(look.Get(), Tint);

    const RECT header = RectOf(HeaderCaptioned(grid, L"F2").Get());
    RECT dirty{};
    CHECK(GetUpdateRect(window, &dirty, FALSE));
    CHECK(dirty.left >= header.left - 1);
    CHECK(dirty.right <= header.right + 1);

    bound.Draw();
    for (long r = 0; r < 4; ++r) {
        CAPTURE(r);
        const auto cells = CellsOfRow(grid, r);
        REQUIRE(cells.size() >= 4);
        const RECT tinted = RectOf(cells[2].Get());
        const RECT plain = RectOf(cells[3].Get());
        CHECK(bound.canvas.At(tinted.right - 4, tinted.bottom - 4) == Tint);
        CHECK(bound.canvas.At(plain.right - 4, plain.bottom - 4) != Tint);
    }
}

namespace {

// The dark pixels of an element's inside, as a picture relative to its
// top-left corner.
std::string MarkIn(const Canvas& canvas, RECT rect)
{
    InflateRect(&rect, -2, -2);
    std::string mark;
    for (long y = rect.top; y < rect.bottom; ++y)
        for (long x = rect.left; x < rect.right; ++x) {
            const COLORREF at = canvas.At(x, y);
            mark += GetRValue(at) < 80 && GetGValue(at) < 80 && GetBValue(at) < 80 ? '#' : '.';
        }
    return mark;
}

bool Blank(const std::string& mark)
{
    return mark.find('#') == std::string::npos;
}

} // namespace

TEST_CASE("row selectors mark the active row, and a changed row apart from an unchanged one")
{
    BoundGrid bound;
    OcxGrid& grid = bound.grid;
    ComPtr<IHvRow> first;
    REQUIRE(grid.Control()->GetRow(hvChildRowFirst, &first) == S_OK);
    VARIANT span = Missing();
    ComPtr<IHvRow> second;
    REQUIRE(first->GetSibling(hvSiblingRowNext, &span, &second) == S_OK);
    ComPtr<IHvRow> third;
    REQUIRE(second->GetSibling(hvSiblingRowNext, &span, &third) == S_OK);
    const auto selectorMark = [&](size_t index) {
        return MarkIn(bound.canvas, RectOf(grid.OfType(RowSelector).at(index).Get()));
    };

    REQUIRE(grid.Control()->putref_ActiveRow(second.Get()) == S_OK);
    bound.Draw();
    const std::string active = selectorMark(1);
    CHECK_FALSE(Blank(active));
    CHECK(Blank(selectorMark(0)));
    CHECK(Blank(selectorMark(2)));

    // A value written into the active row changes its mark.
    ComPtr<IHvCells> cells;
    REQUIRE(second->get_Cells(&cells) == S_OK);
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = 1;
    ComPtr<IHvCell> cell;
    REQUIRE(cells->get_Item(index, &cell) == S_OK);
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_R8;
    value.dblVal = 999;
    REQUIRE(cell->put_Value(value) == S_OK);
    VARIANT_BOOL changed = VARIANT_FALSE;
    REQUIRE(second->get_DataChanged(&changed) == S_OK);
    REQUIRE(changed == VARIANT_TRUE);
    bound.Draw();
    const std::string activeChanged = selectorMark(1);
    CHECK_FALSE(Blank(activeChanged));
    CHECK(activeChanged != active);

    // Another row made active: the changed row keeps a mark of its own,
    // the new active row takes the active mark.
    REQUIRE(grid.Control()->putref_ActiveRow(third.Get()) == S_OK);
    bound.Draw();
    const std::string changedOnly = selectorMark(1);
    if (VARIANT_BOOL still = VARIANT_FALSE; SUCCEEDED(second->get_DataChanged(&still)) && still) {
        CHECK_FALSE(Blank(changedOnly));
        CHECK(changedOnly != active);
        CHECK(changedOnly != activeChanged);
    } else {
        CHECK(Blank(changedOnly)); // the row was updated on leaving it
    }
    CHECK(selectorMark(2) == active);
}

TEST_CASE("with thin borders the headers' bottom line is the first row's top line")
{
    BoundGrid bound;
    bound.Draw();
    OcxGrid& grid = bound.grid;
    const RECT header = RectOf(grid.OfType(Header).at(1).Get());
    const RECT row = RectOf(grid.OfType(Row).at(0).Get());
    CHECK(row.top == header.bottom - 1);
    // Down the middle of the second column: one line between the caption
    // and the first value.
    const long x = (header.left + header.right) / 2;
    const COLORREF back = bound.canvas.At(x, header.bottom + 3);
    int lines = 0;
    for (long y = header.bottom - 3; y <= header.bottom + 2; ++y)
        if (bound.canvas.At(x, y) != back && bound.canvas.At(x, y - 1) == back)
            ++lines;
    CHECK(lines == 1);
}

TEST_CASE("a header gives its element where it shows")
{
    BoundGrid bound;
    OcxGrid& grid = bound.grid;
    bound.Draw();
    ComPtr<IHvColumn> column = ColumnNamed(grid, L"F2");
    ComPtr<IHvHeader> header;
    REQUIRE(column->get_Header(&header) == S_OK);
    VARIANT rows = Missing();
    VARIANT cols = Missing();
    ComPtr<IHvUIElement> element;
    REQUIRE(header->GetUIElement(&rows, &cols, &element) == S_OK);
    REQUIRE(element);
    CHECK(TypeOf(element.Get()) == Header);
    CHECK(CaptionOf(element.Get()) == L"F2");
    const RECT shown = RectOf(HeaderCaptioned(grid, L"F2").Get());
    const RECT given = RectOf(element.Get());
    CHECK(EqualRect(&shown, &given));
}

namespace {

// The area the window would repaint after the action, the window being
// clean before it; empty when nothing was invalidated.
template <class Action>
RECT DirtyAfter(HWND window, Action action)
{
    UpdateWindow(window);
    ValidateRect(window, nullptr);
    action();
    RECT dirty{};
    if (!GetUpdateRect(window, &dirty, FALSE))
        SetRectEmpty(&dirty);
    return dirty;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return !IsRectEmpty(&inner) && inner.left >= outer.left - 1 && inner.right <= outer.right + 1 &&
           inner.top >= outer.top - 1 && inner.bottom <= outer.bottom + 1;
}

} // namespace

TEST_CASE("the add-new box gives its element; a cell's and the box's Refresh repaint only their own element")
{
    BoundGrid bound;
    OcxGrid& grid = bound.grid;
    ComPtr<IHvAddNewBox> box;
    REQUIRE(grid.Layout()->get_AddNewBox(&box) == S_OK);
    REQUIRE(box->put_Hidden(VARIANT_FALSE) == S_OK);
    bound.Draw();
    const HWND window = ShownGridWindow(grid);

    ComPtr<IHvUIElement> boxElement;
    REQUIRE(box->GetUIElement(&boxElement) == S_OK);
    REQUIRE(boxElement);
    CHECK(TypeOf(boxElement.Get()) == 400);
    const RECT boxRect = RectOf(boxElement.Get());
    const RECT shownBox = RectOf(grid.OfType(400).at(0).Get());
    CHECK(EqualRect(&boxRect, &shownBox));
    CHECK(Inside(DirtyAfter(window, [&] { REQUIRE(box->Refresh() == S_OK); }), boxRect));

    ComPtr<IHvRow> row;
    REQUIRE(grid.Control()->GetRow(hvChildRowFirst, &row) == S_OK);
    ComPtr<IHvCells> cells;
    REQUIRE(row->get_Cells(&cells) == S_OK);
    VARIANT index = Short(2);
    ComPtr<IHvCell> cell;
    REQUIRE(cells->get_Item(index, &cell) == S_OK);
    const RECT cellRect = RectOf(CellsOfRow(grid, 0).at(2).Get());
    CHECK(Inside(DirtyAfter(window, [&] { REQUIRE(cell->Refresh() == S_OK); }), cellRect));

    // A colour put on the cell's own appearance repaints that cell alone,
    // and the cell shows it.
    constexpr COLORREF Tint = RGB(200, 240, 200);
    ComPtr<IHvAppearance> look;
    REQUIRE(cell->get_Appearance(&look) == S_OK);
    CHECK(Inside(DirtyAfter(window, [&] { PutBackColor(look.Get(), Tint); }), cellRect));
    bound.Draw();
    CHECK(bound.canvas.At(cellRect.right - 4, cellRect.bottom - 4) == Tint);
}

TEST_CASE("with both scroll bars, a sorted column and a drop-down column the grid makes their elements")
{
    BoundGrid bound;
    OcxGrid& grid = bound.grid;
    REQUIRE(ColumnNamed(grid, L"F1")->put_SortIndicator(hvSortIndicatorAscending) == S_OK);
    ComPtr<IHvColumn> list = ColumnNamed(grid, L"F2");
    REQUIRE(list->put_Style(hvStyleDropDown) == S_OK);
    REQUIRE(list->put_ButtonDisplayStyle(hvButtonDisplayStyleAlways) == S_OK);
    bound.Draw();

    const struct {
        long type;
        const char* what;
    } made[] = {{1300, "column split box"}, {1600, "row split box"}, {1800, "scroll bars' corner"},
                {6500, "sort indicator"},   {6300, "drop-down button"}};
    for (const auto& m : made) {
        CAPTURE(m.what);
        CHECK(grid.CountOf(m.type) >= 1);
    }
    // The sort indicator sits in the sorted column's header, the buttons in
    // the drop-down column's cells.
    const RECT sorted = RectOf(HeaderCaptioned(grid, L"F1").Get());
    const RECT indicator = RectOf(grid.OfType(6500).at(0).Get());
    CHECK(indicator.left >= sorted.left);
    CHECK(indicator.right <= sorted.right);
    const RECT listHeader = RectOf(HeaderCaptioned(grid, L"F2").Get());
    for (const auto& button : grid.OfType(6300)) {
        const RECT rect = RectOf(button.Get());
        CHECK(rect.left >= listHeader.left - 1);
        CHECK(rect.right <= listHeader.right + 1);
    }
}

TEST_CASE("an auto-preview shows its text across the bottom of each row, except where a row hides it")
{
    BoundGrid bound(400, 300);
    OcxGrid& grid = bound.grid;
    bound.Draw();
    const long plainHeight = RectOf(grid.OfType(Row).at(1).Get()).bottom - RectOf(grid.OfType(Row).at(1).Get()).top;
    ComPtr<IHvBands> bands;
    REQUIRE(grid.Layout()->get_Bands(&bands) == S_OK);
    ComPtr<IHvBand> band;
    REQUIRE(bands->get_Item(Short(0), &band) == S_OK);
    BSTR field = SysAllocString(L"NAME");
    REQUIRE(band->put_AutoPreviewField(field) == S_OK);
    SysFreeString(field);
    REQUIRE(band->put_AutoPreviewEnabled(VARIANT_TRUE) == S_OK);
    ComPtr<IHvRow> first;
    REQUIRE(grid.Control()->GetRow(hvChildRowFirst, &first) == S_OK);
    VARIANT span = Missing();
    ComPtr<IHvRow> second;
    REQUIRE(first->GetSibling(hvSiblingRowNext, &span, &second) == S_OK);
    REQUIRE(second->put_AutoPreviewHidden(VARIANT_TRUE) == S_OK);
    bound.Draw();
    KeepPicture(bound.canvas, L"grid_autopreview");

    const auto rows = grid.OfType(Row);
    const auto previews = grid.OfType(5500);
    REQUIRE(rows.size() >= 3);
    REQUIRE(previews.size() >= 2);
    const RECT row0 = RectOf(rows[0].Get());
    const RECT row1 = RectOf(rows[1].Get());
    const RECT preview = RectOf(previews[0].Get());
    CHECK(row0.bottom - row0.top > plainHeight + 1);
    CHECK(row1.bottom - row1.top == plainHeight);
    CHECK(preview.top >= row0.top);
    CHECK(preview.bottom <= row0.bottom);
    CHECK(preview.top >= RectOf(CellsOfRow(grid, 0).at(0).Get()).bottom - 1);
    // The second preview belongs to the third row.
    CHECK(RectOf(previews[1].Get()).top >= RectOf(rows[2].Get()).top);
    RECT inner = preview;
    InflateRect(&inner, -1, -1);
    const COLORREF back = bound.canvas.At(inner.right - 2, inner.bottom - 2);
    CHECK(InkIn(bound.canvas, inner, back, Untouched) > 10);
}
