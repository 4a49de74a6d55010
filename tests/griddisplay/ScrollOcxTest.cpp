// Scrolling the registered grid's rows the way a client does: Scroll with
// the paging and end actions, FirstRow put, each through the working copy
// that BeforeRowRegionScroll shows beside the region and may cancel.
#include "BoundTable.h"

#include "EventCall.h"

#include <doctest/doctest.h>

#include <string>

using Microsoft::WRL::ComPtr;

namespace {

constexpr DISPID AfterRowRegionScroll = 1014;
constexpr DISPID BeforeRowRegionScroll = 1039;

std::wstring NameOf(IHvRow* row)
{
    std::wstring name;
    ComPtr<IHvCells> cells;
    if (!row || FAILED(row->get_Cells(&cells)) || !cells)
        return name;
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = 0;
    ComPtr<IHvCell> cell;
    BSTR text = nullptr;
    VARIANT mode = Missing();
    if (SUCCEEDED(cells->get_Item(index, &cell)) && cell && SUCCEEDED(cell->GetText(&mode, &text)) && text)
        name = text;
    SysFreeString(text);
    return name;
}

std::wstring NameOf(IHvUIElement* element)
{
    ComPtr<IHvRow> row;
    if (element)
        element->get_Row(&row);
    return NameOf(row.Get());
}

std::wstring FirstRowOf(IHvRowScrollRegion* region)
{
    ComPtr<IHvRow> row;
    if (!region || FAILED(region->get_FirstRow(&row)))
        return L"?";
    return NameOf(row.Get());
}

std::wstring FirstRowOf(IDispatch* state)
{
    ComPtr<IHvRowScrollRegion> region;
    if (state)
        state->QueryInterface(IID_PPV_ARGS(&region));
    return FirstRowOf(region.Get());
}

// The row the given number of rows below the grid's first.
ComPtr<IHvRow> RowAt(IHvTavelleControl* control, int index)
{
    ComPtr<IHvRow> row;
    REQUIRE(control->GetRow(hvChildRowFirst, &row) == S_OK);
    for (int i = 0; i < index && row; ++i) {
        VARIANT span = Missing();
        ComPtr<IHvRow> next;
        REQUIRE(row->GetSibling(hvSiblingRowNext, &span, &next) == S_OK);
        row = next;
    }
    REQUIRE(row);
    return row;
}

// What the scroll events of the grid's regions said.
struct ScrollEvents {
    int before = 0;
    int after = 0;
    std::wstring newFirst;
    std::wstring oldFirst;
    bool cancel = false;

    explicit ScrollEvents(OcxGrid& grid)
    {
        grid.Host().Events().On(BeforeRowRegionScroll, [this](const hv::container::EventCall& call) {
            ++before;
            newFirst = FirstRowOf(call.Object(0));
            oldFirst = FirstRowOf(call.Object(1));
            call.SetBool(2, cancel);
        });
        grid.Host().Events().On(AfterRowRegionScroll, [this](const hv::container::EventCall&) { ++after; });
    }
};

} // namespace

TEST_CASE("Scroll pages down to the last row shown, ends on the last record whole, and a cancel moves nothing")
{
    BoundTable bound;
    bound.Draw();
    OcxGrid& grid = bound.grid;
    ScrollEvents events(grid);
    ComPtr<IHvRowScrollRegion> region = grid.RowRegion(0);
    REQUIRE(FirstRowOf(region.Get()) == L"row 0");

    SUBCASE("page down: the row shown last comes first")
    {
        const std::wstring lastShown = NameOf(grid.OfType(5000).back().Get());
        REQUIRE(lastShown != L"row 0");
        REQUIRE(region->Scroll(hvRowScrollActionPageDown) == S_OK);
        CHECK(events.before == 1);
        CHECK(events.newFirst == lastShown);
        CHECK(events.oldFirst == L"row 0");
        CHECK(events.after == 1);
        CHECK(FirstRowOf(region.Get()) == lastShown);
        bound.Draw();
        CHECK(NameOf(grid.OfType(5000).front().Get()) == lastShown);
    }
    SUBCASE("bottom: the last record shows whole at the region's foot")
    {
        REQUIRE(region->Scroll(hvRowScrollActionBottom) == S_OK);
        CHECK(events.after == 1);
        bound.Draw();
        const auto rows = grid.OfType(5000);
        REQUIRE(!rows.empty());
        CHECK(NameOf(rows.back().Get()) == L"row 59");
        const RECT pane = RectOf(grid.OfType(1000).at(0).Get());
        const RECT last = RectOf(rows.back().Get());
        CHECK(last.bottom <= pane.bottom);
        // At the foot: what is left below the last record is short of the
        // room kept for a horizontal scroll bar twice over.
        CHECK(pane.bottom - last.bottom < 2 * GetSystemMetrics(SM_CYHSCROLL));
        CHECK(NameOf(rows.front().Get()) != L"row 0");
    }
    SUBCASE("a cancelled page down leaves the first row and fires no After event")
    {
        events.cancel = true;
        REQUIRE(region->Scroll(hvRowScrollActionPageDown) == S_OK);
        CHECK(events.before == 1);
        CHECK(events.after == 0);
        CHECK(FirstRowOf(region.Get()) == L"row 0");
        bound.Draw();
        CHECK(NameOf(grid.OfType(5000).front().Get()) == L"row 0");
    }
    SUBCASE("actions outside the list are refused")
    {
        for (const int action : {4, 5, 8, -1}) {
            CAPTURE(action);
            CHECK(region->Scroll(static_cast<Constants_RowScrollAction>(action)) == E_INVALIDARG);
        }
        CHECK(events.before == 0);
    }
}

TEST_CASE("FirstRow put shows the row at the top, proposing it in BeforeRowRegionScroll; a cancel keeps the region")
{
    BoundTable bound;
    bound.Draw();
    OcxGrid& grid = bound.grid;
    ScrollEvents events(grid);
    ComPtr<IHvRowScrollRegion> region = grid.RowRegion(0);
    ComPtr<IHvRow> thirtieth = RowAt(grid.Control(), 30);
    REQUIRE(NameOf(thirtieth.Get()) == L"row 30");

    SUBCASE("taken")
    {
        REQUIRE(region->putref_FirstRow(thirtieth.Get()) == S_OK);
        CHECK(events.before == 1);
        CHECK(events.newFirst == L"row 30");
        CHECK(events.oldFirst == L"row 0");
        CHECK(events.after == 1);
        CHECK(FirstRowOf(region.Get()) == L"row 30");
        bound.Draw();
        CHECK(NameOf(grid.OfType(5000).front().Get()) == L"row 30");
        // The same row again changes nothing and fires nothing.
        REQUIRE(region->putref_FirstRow(thirtieth.Get()) == S_OK);
        CHECK(events.before == 1);
    }
    SUBCASE("cancelled")
    {
        events.cancel = true;
        REQUIRE(region->putref_FirstRow(thirtieth.Get()) == S_OK);
        CHECK(events.before == 1);
        CHECK(events.newFirst == L"row 30");
        CHECK(events.after == 0);
        CHECK(FirstRowOf(region.Get()) == L"row 0");
        bound.Draw();
        CHECK(NameOf(grid.OfType(5000).front().Get()) == L"row 0");
    }
}

namespace {

int VerticalBars(HWND grid)
{
    int bars = 0;
    for (HWND child = GetWindow(grid, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32] = {};
        GetClassNameW(child, name, 32);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (_wcsicmp(name, L"ScrollBar") == 0 && (style & SBS_VERT) && (style & WS_VISIBLE))
            ++bars;
    }
    return bars;
}

std::wstring FirstVisibleRow(IHvRowScrollRegion* region)
{
    ComPtr<IHvVisibleRows> rows;
    if (FAILED(region->get_VisibleRows(&rows)) || !rows)
        return L"?";
    ComPtr<IHvRow> row;
    rows->get_Item(0, &row);
    return NameOf(row.Get());
}

std::wstring FirstVisibleHeader(IHvColScrollRegion* region)
{
    ComPtr<IHvHeaders> headers;
    std::wstring caption;
    if (FAILED(region->get_VisibleHeaders(&headers)) || !headers)
        return L"?";
    long count = 0;
    headers->get_Count(&count);
    ComPtr<IHvHeader> header;
    BSTR text = nullptr;
    if (count > 0 && SUCCEEDED(headers->get_Item(0, &header)) && header && SUCCEEDED(header->get_Caption(&text)) &&
        text)
        caption = text;
    SysFreeString(text);
    return caption;
}

} // namespace

TEST_CASE("split panes each have their own scroll bar and visible rows and headers, and scroll apart")
{
    BoundTable bound(500, 400);
    OcxGrid& grid = bound.grid;
    bound.Draw();
    REQUIRE(VerticalBars(grid.Window()) == 1);
    ComPtr<IHvRowScrollRegion> lower = grid.RowRegion(0);
    ComPtr<IHvColScrollRegion> right = grid.ColRegion(0);
    VARIANT size = Missing();
    // A split region gives the new region its upper (left) part.
    ComPtr<IHvRowScrollRegion> upper;
    REQUIRE(lower->Split(size, &upper) == S_OK);
    ComPtr<IHvColScrollRegion> left;
    REQUIRE(right->Split(size, &left) == S_OK);
    bound.Draw();
    CHECK(VerticalBars(grid.Window()) == 2);

    REQUIRE(lower->Scroll(hvRowScrollActionPageDown) == S_OK);
    bound.Draw();
    CHECK(FirstVisibleRow(upper.Get()) == L"row 0");
    CHECK(FirstVisibleRow(lower.Get()) != L"row 0");
    CHECK(FirstRowOf(lower.Get()) == FirstVisibleRow(lower.Get()));

    REQUIRE(right->Scroll(hvColScrollActionPageRight) == S_OK);
    bound.Draw();
    CHECK(FirstVisibleHeader(left.Get()) == L"NAME");
    CHECK(FirstVisibleHeader(right.Get()) != L"NAME");

    // Each of the four panes shows its own pair of first row and column.
    int panes = 0;
    for (const auto& pane : grid.OfType(1000)) {
        ComPtr<IHvRowScrollRegion> rows;
        ComPtr<IHvColScrollRegion> cols;
        REQUIRE(pane->get_RowScrollRegion(&rows) == S_OK);
        REQUIRE(pane->get_ColScrollRegion(&cols) == S_OK);
        ComPtr<IHvUIElement> element;
        VARIANT which;
        VariantInit(&which);
        which.vt = VT_DISPATCH;
        which.pdispVal = cols.Get();
        REQUIRE(rows->GetUIElement(which, &element) == S_OK);
        REQUIRE(element);
        const RECT a = RectOf(element.Get());
        const RECT b = RectOf(pane.Get());
        CHECK(EqualRect(&a, &b));
        ++panes;
    }
    CHECK(panes == 4);
}
