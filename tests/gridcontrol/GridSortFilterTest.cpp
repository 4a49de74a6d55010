// Around each sort of the registered grid's rows: the client's sort filter
// hears the start and the end of every sort of a band's rows, may keep the
// rows as they stand, may order a pair of cells itself, and a sort that
// lasts shows the wait cursor until it ends.
#include "GridBindingFixture.h"
#include "RecordingSortFilter.h"

using namespace bindtest;

namespace {

// Records B1 990, B2 812.5, B3 845, B4 812.5.
void MakeSamples(Recordset& rs)
{
    MakeAnalyses(rs, 0);
    AddAnalysis(rs, L"B1", 990.0);
    AddAnalysis(rs, L"B2", 812.5);
    AddAnalysis(rs, L"B3", 845.0);
    AddAnalysis(rs, L"B4", 812.5);
}

std::wstring Samples(BoundGrid& grid)
{
    std::wstring seen;
    ComPtr<IHvRow> row = grid.Row(hvChildRowFirst);
    for (int guard = 0; row && guard < 20; ++guard) {
        seen += TextOf(row.Get(), L"AMOSTRA") + L" ";
        ComPtr<IHvRow> next;
        Var noSpan = Var::Missing();
        if (row->GetSibling(hvSiblingRowNext, &noSpan.v, next.GetAddressOf()) != S_OK)
            break;
        row = next;
    }
    return seen;
}

ComPtr<IHvColumn> ColumnOf(BoundGrid& grid, const wchar_t* key)
{
    ComPtr<IHvBands> bands;
    REQUIRE(grid.control->get_Bands(bands.GetAddressOf()) == S_OK);
    ComPtr<IHvBand> band;
    Var zero(0L);
    REQUIRE(bands->get_Item(zero.v, band.GetAddressOf()) == S_OK);
    ComPtr<IHvColumns> columns;
    REQUIRE(band->get_Columns(columns.GetAddressOf()) == S_OK);
    ComPtr<IHvColumn> column;
    Var which(key);
    REQUIRE(columns->get_Item(which.v, column.GetAddressOf()) == S_OK);
    return column;
}

} // namespace

TEST_CASE("a sort filter hears each sort begin and end, orders the cells it decides on, and may keep the rows")
{
    Recordset rs;
    MakeSamples(rs);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    RecordingSortFilter filter;
    REQUIRE(grid.control->putref_SortFilter(&filter) == S_OK);
    ComPtr<IHvColumn> me = ColumnOf(grid, L"ME");

    SUBCASE("left to the grid, the filter only looks on")
    {
        REQUIRE(me->put_SortIndicator(hvSortIndicatorAscending) == S_OK);
        CHECK(Samples(grid) == L"B2 B4 B3 B1 ");
        CHECK(filter.calls == std::vector<std::wstring>{L"begin", L"end"});
        CHECK(filter.bandGiven);
        CHECK_FALSE(filter.parentGiven);
        CHECK_FALSE(filter.directions.empty());
        CHECK(filter.directions.front() == hvSortIndicatorAscending);
    }
    SUBCASE("a filter that decides: its order, the other way round for a descending key, equal rows as they came")
    {
        filter.order = RecordingSortFilter::Order::Reversed;
        REQUIRE(me->put_SortIndicator(hvSortIndicatorAscending) == S_OK);
        CHECK(Samples(grid) == L"B1 B3 B2 B4 ");
        filter.directions.clear();
        REQUIRE(me->put_SortIndicator(hvSortIndicatorDescending) == S_OK);
        CHECK(Samples(grid) == L"B2 B4 B3 B1 ");
        REQUIRE_FALSE(filter.directions.empty());
        CHECK(filter.directions.front() == hvSortIndicatorDescending);
    }
    SUBCASE("a cancelled sort keeps the rows as they stand and has no end; the column stays sorted")
    {
        filter.cancel = true;
        REQUIRE(me->put_SortIndicator(hvSortIndicatorDescending) == S_OK);
        CHECK(Samples(grid) == L"B1 B2 B3 B4 ");
        CHECK(filter.calls == std::vector<std::wstring>{L"begin"});
        CHECK(filter.directions.empty());
        Constants_SortIndicator indicator = hvSortIndicatorNone;
        REQUIRE(me->get_SortIndicator(&indicator) == S_OK);
        CHECK(indicator == hvSortIndicatorDescending);
        // Allowed again, the next change of the keys sorts.
        filter.cancel = false;
        REQUIRE(me->put_SortIndicator(hvSortIndicatorAscending) == S_OK);
        CHECK(Samples(grid) == L"B2 B4 B3 B1 ");
    }
    SUBCASE("a cleared filter is not called")
    {
        REQUIRE(grid.control->putref_SortFilter(nullptr) == S_OK);
        REQUIRE(me->put_SortIndicator(hvSortIndicatorDescending) == S_OK);
        CHECK(Samples(grid) == L"B1 B3 B2 B4 ");
        CHECK(filter.calls.empty());
    }
    REQUIRE(grid.control->putref_SortFilter(nullptr) == S_OK);
    grid.control.Reset();
    CHECK(filter.References() == 1);
}

TEST_CASE("a sort that lasts shows the wait cursor while it runs and puts the pointer's cursor back after")
{
    Recordset rs;
    MakeSamples(rs);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    RecordingSortFilter filter;
    filter.firstCompareDelayMs = 350;
    REQUIRE(grid.control->putref_SortFilter(&filter) == S_OK);
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    SetCursor(arrow);
    REQUIRE(ColumnOf(grid, L"ME")->put_SortIndicator(hvSortIndicatorAscending) == S_OK);
    REQUIRE(filter.cursors.size() >= 2);
    CHECK(filter.cursors.front() == arrow);
    CHECK(filter.cursors.back() == wait);
    CHECK(GetCursor() == arrow);
    CHECK(Samples(grid) == L"B2 B4 B3 B1 ");
    REQUIRE(grid.control->putref_SortFilter(nullptr) == S_OK);
}

TEST_CASE("while a sort runs the grid answers WM_SETCURSOR with the wait cursor; after it, with its own")
{
    Recordset rs;
    MakeSamples(rs);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    ComPtr<IOleWindow> site = grid.host.Query<IOleWindow>();
    HWND window = nullptr;
    REQUIRE(site);
    REQUIRE(site->GetWindow(&window) == S_OK);
    RecordingSortFilter filter;
    filter.cursorProbe = window;
    REQUIRE(grid.control->putref_SortFilter(&filter) == S_OK);
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    REQUIRE(ColumnOf(grid, L"ME")->put_SortIndicator(hvSortIndicatorAscending) == S_OK);
    REQUIRE(!filter.cursorsAtBegin.empty());
    CHECK(filter.cursorsAtBegin.front() == wait);

    // Once the sort is over the grid is no longer busy.
    SetCursor(nullptr);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    CHECK(GetCursor() != wait);
    REQUIRE(grid.control->putref_SortFilter(nullptr) == S_OK);
}
