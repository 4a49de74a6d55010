// Binding the registered grid to a data source and reaching its rows: the
// bands and columns built from the rowset, InitializeLayout before
// InitializeRow, the first and last rows, rows by bookmark, and what a new
// data source does to the bands.
#include "GridBindingFixture.h"

using namespace bindtest;

namespace {

constexpr DISPID InitializeLayoutId = 1056;
constexpr DISPID InitializeRowId = 1057;
constexpr DISPID BeforeRowActivateId = 1065;

ComPtr<IHvBand> BandAt(IHvTavelleControl* control, long index)
{
    ComPtr<IHvBands> bands;
    REQUIRE(control->get_Bands(bands.GetAddressOf()) == S_OK);
    ComPtr<IHvBand> band;
    Var which(index);
    REQUIRE(bands->get_Item(which.v, band.GetAddressOf()) == S_OK);
    return band;
}

long BandCount(IHvTavelleControl* control)
{
    ComPtr<IHvBands> bands;
    REQUIRE(control->get_Bands(bands.GetAddressOf()) == S_OK);
    long count = -1;
    REQUIRE(bands->get_Count(&count) == S_OK);
    return count;
}

std::wstring ColumnKey(IHvBand* band, long index)
{
    ComPtr<IHvColumns> columns;
    REQUIRE(band->get_Columns(columns.GetAddressOf()) == S_OK);
    ComPtr<IHvColumn> column;
    Var which(index);
    REQUIRE(columns->get_Item(which.v, column.GetAddressOf()) == S_OK);
    BSTR key = nullptr;
    REQUIRE(column->get_Key(&key) == S_OK);
    std::wstring text(key ? key : L"");
    SysFreeString(key);
    return text;
}

// Deletes the first records through a rowset of the recordset's own, as
// another consumer of the data source would.
void DeleteFirstRecords(Recordset& rs, DBCOUNTITEM count)
{
    ComPtr<DataSource> source;
    REQUIRE(DataSourceOf(rs)->QueryInterface(IID_DataSource, reinterpret_cast<void**>(source.GetAddressOf())) == S_OK);
    ComPtr<IUnknown> rowsetUnknown;
    BSTR member = SysAllocString(L"");
    REQUIRE(source->getDataMember(member, IID_IRowset, rowsetUnknown.GetAddressOf()) == S_OK);
    SysFreeString(member);
    ComPtr<IRowset> rowset;
    ComPtr<IRowsetChange> change;
    REQUIRE(rowsetUnknown->QueryInterface(IID_IRowset, reinterpret_cast<void**>(rowset.GetAddressOf())) == S_OK);
    REQUIRE(rowsetUnknown->QueryInterface(IID_IRowsetChange, reinterpret_cast<void**>(change.GetAddressOf())) == S_OK);
    std::vector<HROW> handles(count);
    HROW* out = handles.data();
    DBCOUNTITEM obtained = 0;
    REQUIRE(SUCCEEDED(rowset->GetNextRows(DB_NULL_HCHAPTER, 0, static_cast<DBROWCOUNT>(count), &obtained, &out)));
    REQUIRE(obtained == count);
    REQUIRE(change->DeleteRows(DB_NULL_HCHAPTER, count, handles.data(), nullptr) == S_OK);
    rowset->ReleaseRows(count, handles.data(), nullptr, nullptr, nullptr);
}

} // namespace

TEST_CASE("an analysis recordset bound: eight columns keyed by field, InitializeLayout before InitializeRow")
{
    Recordset rs;
    MakeAnalyses(rs, 3);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);

    CHECK(BandCount(grid.control.Get()) == 1);
    ComPtr<IHvBand> band = BandAt(grid.control.Get(), 0);
    ComPtr<IHvColumns> columns;
    REQUIRE(band->get_Columns(columns.GetAddressOf()) == S_OK);
    long count = 0;
    REQUIRE(columns->get_Count(&count) == S_OK);
    CHECK(count == 8);
    for (long i = 0; i < 8; ++i)
        CHECK(ColumnKey(band.Get(), i) == kFields[i]);

    ComPtr<IHvRow> first = grid.Row(hvChildRowFirst);
    CHECK(TextOf(first.Get(), L"AMOSTRA") == L"A1");
    CHECK(NumberOf(first.Get(), L"ME") == 812.5);
    CHECK(ValueOf(first.Get(), L"GRAU").v.vt == VT_NULL);
    ComPtr<IHvRow> last = grid.Row(hvChildRowLast);
    CHECK(TextOf(last.Get(), L"AMOSTRA") == L"A3");

    CHECK(grid.Count(InitializeLayoutId) == 1);
    REQUIRE(grid.Count(InitializeRowId) >= 1);
    CHECK(grid.FirstIndex(InitializeLayoutId) < grid.FirstIndex(InitializeRowId));
}

TEST_CASE("GetRow: the first and last rows, a bad argument, no source, an empty recordset")
{
    BoundGrid grid;
    ComPtr<IHvRow> row;
    CHECK(grid.control->GetRow(hvChildRowFirst, row.GetAddressOf()) == static_cast<HRESULT>(0x800A9C47));
    CHECK(LastErrorText() == L"Rowset has not been initialized");

    Recordset empty;
    MakeAnalyses(empty, 0);
    REQUIRE(grid.Bind(DataSourceOf(empty).Get()) == S_OK);
    CHECK(grid.control->GetRow(hvChildRowFirst, row.GetAddressOf()) == static_cast<HRESULT>(0x800A9C48));
    CHECK(LastErrorText() == L"End of rowset reached");
    CHECK(!row);

    Recordset rs;
    MakeAnalyses(rs, 2);
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    CHECK(TextOf(grid.Row(hvChildRowFirst).Get(), L"AMOSTRA") == L"A1");
    CHECK(TextOf(grid.Row(hvChildRowLast).Get(), L"AMOSTRA") == L"A2");
    CHECK(grid.control->GetRow(static_cast<Constants_ChildRow>(2), row.GetAddressOf()) == E_INVALIDARG);
}

TEST_CASE("rows walk by GetSibling to the end of the rowset")
{
    Recordset rs;
    MakeAnalyses(rs, 5);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    ComPtr<IHvRow> row = grid.Row(hvChildRowFirst);
    std::wstring seen;
    for (int guard = 0; row && guard < 10; ++guard) {
        seen += TextOf(row.Get(), L"AMOSTRA") + L" ";
        ComPtr<IHvRow> next;
        Var noSpan = Var::Missing();
        const HRESULT hr = row->GetSibling(hvSiblingRowNext, &noSpan.v, next.GetAddressOf());
        if (FAILED(hr)) {
            CHECK(hr == static_cast<HRESULT>(0x800A9C48));
            break;
        }
        row = next;
    }
    CHECK(seen == L"A1 A2 A3 A4 A5 ");
}

TEST_CASE("GetRowFromBookmark: a row's bookmark, Empty and a deleted row's; the variable stays as it was")
{
    Recordset rs;
    MakeAnalyses(rs, 3);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    ComPtr<IHvRow> last = grid.Row(hvChildRowLast);
    Var bookmark;
    REQUIRE(last->get_Bookmark(Var::Missing().v, &bookmark.v) == S_OK);
    const VARTYPE type = bookmark.v.vt;
    ComPtr<IHvRow> found;
    REQUIRE(grid.control->GetRowFromBookmark(&bookmark.v, found.GetAddressOf()) == S_OK);
    VARIANT_BOOL same = VARIANT_FALSE;
    ComPtr<IDispatch> lastDispatch;
    last.As(&lastDispatch);
    REQUIRE(found->IsSameAs(lastDispatch.Get(), &same) == S_OK);
    CHECK(same == VARIANT_TRUE);
    CHECK(bookmark.v.vt == type);

    Var empty;
    CHECK(grid.control->GetRowFromBookmark(&empty.v, found.ReleaseAndGetAddressOf()) ==
          static_cast<HRESULT>(0x800A9C4C));
    CHECK(LastErrorText() == L"Bookmark not found.");

    // The record goes (the user answers Yes); its bookmark finds nothing.
    {
        BoxRecorder boxes(IDYES);
        REQUIRE(last->Delete() == S_OK);
        CHECK(boxes.Boxes().size() == 1);
    }
    CHECK(grid.control->GetRowFromBookmark(&bookmark.v, found.ReleaseAndGetAddressOf()) ==
          static_cast<HRESULT>(0x800A9C4C));
    CHECK(rs.RecordCount() == 2);
}

TEST_CASE("a new data source: the same columns keep the bands, other columns rebuild them, Nothing clears them")
{
    Recordset first;
    MakeAnalyses(first, 2);
    Recordset second;
    MakeAnalyses(second, 4);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(first).Get()) == S_OK);
    ComPtr<IHvBand> band = BandAt(grid.control.Get(), 0);
    ComPtr<IHvColumns> columns;
    REQUIRE(band->get_Columns(columns.GetAddressOf()) == S_OK);
    ComPtr<IHvColumn> me;
    Var meKey(L"ME");
    REQUIRE(columns->get_Item(meKey.v, me.GetAddressOf()) == S_OK);
    REQUIRE(me->put_Width(2000.0f) == S_OK);
    const int layouts = grid.Count(InitializeLayoutId);

    // The grid's active row follows the row position that it shares with
    // the recordset's own current record.
    REQUIRE(second.MoveFirst() == S_OK);
    REQUIRE(grid.Bind(DataSourceOf(second).Get()) == S_OK);
    float width = 0;
    CHECK(me->get_Width(&width) == S_OK);
    CHECK(width == doctest::Approx(2000.0f).epsilon(0.02));
    CHECK(grid.Count(InitializeLayoutId) == layouts);
    ComPtr<IHvRow> active;
    REQUIRE(grid.control->get_ActiveRow(active.GetAddressOf()) == S_OK);
    REQUIRE(active);
    CHECK(TextOf(active.Get(), L"AMOSTRA") == std::wstring(L"A1"));
    CHECK(TextOf(grid.Row(hvChildRowLast).Get(), L"AMOSTRA") == L"A4");
    ComPtr<DataSource> held;
    REQUIRE(grid.control->get_DataSource(held.GetAddressOf()) == S_OK);
    ComPtr<IUnknown> heldUnknown;
    held.As(&heldUnknown);
    ComPtr<IUnknown> secondUnknown;
    DataSourceOf(second).As(&secondUnknown);
    CHECK(heldUnknown.Get() == secondUnknown.Get());

    Recordset other;
    REQUIRE(other.AppendField(L"CODE", FieldType::WideString, 10, hv::recordset::kFieldNullable) == S_OK);
    REQUIRE(other.Open() == S_OK);
    REQUIRE(grid.Bind(DataSourceOf(other).Get()) == S_OK);
    CHECK(grid.Count(InitializeLayoutId) == layouts + 1);
    CHECK(ColumnKey(BandAt(grid.control.Get(), 0).Get(), 0) == L"CODE");
    long alive = 0;
    CHECK(me->get_Width(&width) == static_cast<HRESULT>(0x800AA21B));
    (void)alive;

    REQUIRE(grid.Bind(nullptr) == S_OK);
    CHECK(BandCount(grid.control.Get()) == 0);
    ComPtr<DataSource> none;
    REQUIRE(grid.control->get_DataSource(none.GetAddressOf()) == S_OK);
    CHECK(!none);
    ComPtr<IHvRow> row;
    CHECK(grid.control->GetRow(hvChildRowFirst, row.GetAddressOf()) == static_cast<HRESULT>(0x800A9C47));
}

TEST_CASE("a row kept by the client after the grid has gone answers 'This object is no longer active'")
{
    Recordset rs;
    MakeAnalyses(rs, 2);
    ComPtr<IHvRow> kept;
    {
        BoundGrid grid;
        REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
        kept = grid.Row(hvChildRowFirst);
    }
    VARIANT_BOOL expanded = VARIANT_FALSE;
    CHECK(kept->get_Expanded(&expanded) == static_cast<HRESULT>(0x800AA21B));
    ComPtr<IHvCells> cells;
    CHECK(kept->get_Cells(cells.GetAddressOf()) == static_cast<HRESULT>(0x800AA21B));
    CHECK(LastErrorText() == L"This object is no longer active");
    (void)BeforeRowActivateId;
}

TEST_CASE("objects kept from rows the recordset deletes: rows and lone cells end, a kept Cells gives only its cells")
{
    Recordset rs;
    MakeAnalyses(rs, 3);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    ComPtr<IHvRow> first = grid.Row(hvChildRowFirst);
    ComPtr<IHvCells> cells;
    REQUIRE(first->get_Cells(cells.GetAddressOf()) == S_OK);
    ComPtr<IHvCell> sample;
    Var sampleKey(L"AMOSTRA");
    REQUIRE(cells->get_Item(sampleKey.v, sample.GetAddressOf()) == S_OK);
    ComPtr<IHvRow> second;
    Var noSpan = Var::Missing();
    REQUIRE(first->GetSibling(hvSiblingRowNext, &noSpan.v, second.GetAddressOf()) == S_OK);
    ComPtr<IHvCell> lone = CellOf(second.Get(), L"ME");

    DeleteFirstRecords(rs, 2);
    REQUIRE(rs.RecordCount() == 1);

    const HRESULT ended = static_cast<HRESULT>(0x800AA21B);
    VARIANT_BOOL expanded = VARIANT_FALSE;
    CHECK(first->get_Expanded(&expanded) == ended);
    CHECK(second->get_Expanded(&expanded) == ended);
    // The collection the client kept answers from what it holds.
    long count = -1;
    REQUIRE(cells->get_Count(&count) == S_OK);
    CHECK(count == 8);
    ComPtr<IHvCell> again;
    CHECK(cells->get_Item(sampleKey.v, again.GetAddressOf()) == S_OK);
    CHECK(again.Get() == sample.Get());
    ComPtr<IHvCell> unmade;
    Var meKey(L"ME");
    CHECK(cells->get_Item(meKey.v, unmade.GetAddressOf()) == ended);
    CHECK(LastErrorText() == L"This object is no longer active");
    // Its cell has no record left to read; a cell no collection keeps has ended.
    Var value;
    CHECK(sample->get_Value(&value.v) == E_FAIL);
    CHECK(lone->get_Value(&value.v) == ended);
    CHECK(LastErrorText() == L"This object is no longer active");
    CHECK(TextOf(grid.Row(hvChildRowFirst).Get(), L"AMOSTRA") == L"A3");
}
