// What the registered grid makes of its data source beyond reading rows:
// a source set while InitializeLayout runs, a rowset that cannot be opened,
// design mode, the source announcing new records, records deleted behind
// the grid's back, and the container's IOleObject::Update.
#include "GridBindingFixture.h"

#include "TestSwitches.h"

using namespace bindtest;

namespace {

constexpr DISPID InitializeLayoutId = 1056;
constexpr DISPID ErrorId = 1055;

long BandCount(IHvTavelleControl* control)
{
    ComPtr<IHvBands> bands;
    REQUIRE(control->get_Bands(bands.GetAddressOf()) == S_OK);
    long count = -1;
    REQUIRE(bands->get_Count(&count) == S_OK);
    return count;
}

std::wstring DialogString(IHvTavelleControl* control, Constants_DialogStrings which)
{
    BSTR text = nullptr;
    REQUIRE(control->get_DialogStrings(which, &text) == S_OK);
    std::wstring result(text ? text : L"");
    SysFreeString(text);
    return result;
}

// The samples of the grid's rows from the first by GetSibling.
std::wstring Walk(BoundGrid& grid)
{
    std::wstring seen;
    ComPtr<IHvRow> row = grid.Row(hvChildRowFirst);
    while (row) {
        seen += TextOf(row.Get(), L"AMOSTRA") + L" ";
        ComPtr<IHvRow> next;
        Var noSpan = Var::Missing();
        if (row->GetSibling(hvSiblingRowNext, &noSpan.v, next.GetAddressOf()) != S_OK)
            break;
        row = next;
    }
    return seen;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

TEST_CASE("DataSource set while InitializeLayout runs is refused")
{
    Recordset rs;
    MakeAnalyses(rs, 2);
    Recordset other;
    MakeAnalyses(other, 1);
    BoundGrid grid;
    HRESULT inEvent = S_OK;
    grid.host.Events().On(InitializeLayoutId, [&](const hv::container::EventCall&) {
        inEvent = grid.Bind(DataSourceOf(other).Get());
    });
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    CHECK(inEvent == static_cast<HRESULT>(0x800A9C58));
    CHECK(TextOf(grid.Row(hvChildRowFirst).Get(), L"AMOSTRA") == L"A1");
    CHECK(TextOf(grid.Row(hvChildRowLast).Get(), L"AMOSTRA") == L"A2");
}

TEST_CASE("a rowset that cannot be bound is reported through Error; the put succeeds")
{
    enum class Road { Put, PutWhileFrozen, DataMember };
    for (Road road : {Road::Put, Road::PutWhileFrozen, Road::DataMember}) {
        CAPTURE(static_cast<int>(road));
        BoxRecorder boxes;
        BoundGrid grid;
        std::wstring described;
        grid.host.Events().On(ErrorId, [&](const hv::container::EventCall& call) {
            ComPtr<IHvError> error;
            if (IDispatch* object = call.Object(0))
                object->QueryInterface(IID_PPV_ARGS(error.GetAddressOf()));
            REQUIRE(error);
            BSTR text = nullptr;
            error->get_Description(&text);
            described = text ? text : L"";
            SysFreeString(text);
        });

        // A rowset that cannot be positioned is not one the grid can bind.
        Recordset broken;
        MakeAnalyses(broken, 1);
        if (road == Road::DataMember) {
            // Bound first; a member the source does not have opens nothing,
            // silently; going back to the unnamed member meets the rowset
            // that no longer offers positioning.
            REQUIRE(grid.Bind(DataSourceOf(broken).Get()) == S_OK);
            REQUIRE(BandCount(grid.control.Get()) == 1);
            broken.GetTable()->Switches().DisableInterface(IID_IRowsetLocate);
            Var member(L"other");
            REQUIRE(grid.control->put_DataMember(member.v.bstrVal) == S_OK);
            CHECK(grid.Count(ErrorId) == 0);
            CHECK(boxes.Boxes().empty());
            CHECK(BandCount(grid.control.Get()) == 0);
            Var unnamed(L"");
            CHECK(grid.control->put_DataMember(unnamed.v.bstrVal) == S_OK);
        } else if (road == Road::PutWhileFrozen) {
            broken.GetTable()->Switches().DisableInterface(IID_IRowsetLocate);
            // Nothing can be raised now: the report waits for the window.
            REQUIRE(grid.host.FreezeEvents(true) == S_OK);
            CHECK(grid.Bind(DataSourceOf(broken).Get()) == S_OK);
            CHECK(grid.Count(ErrorId) == 0);
            REQUIRE(grid.host.FreezeEvents(false) == S_OK);
            PumpMessages();
        } else {
            broken.GetTable()->Switches().DisableInterface(IID_IRowsetLocate);
            CHECK(grid.Bind(DataSourceOf(broken).Get()) == S_OK);
        }
        CHECK(grid.Count(ErrorId) == 1);
        CHECK(described == DialogString(grid.control.Get(), hvCantBind));
        REQUIRE(boxes.Boxes().size() == 1);
        CHECK(boxes.Boxes()[0].text == DialogString(grid.control.Get(), hvCantBind));
        CHECK(BandCount(grid.control.Get()) == 0);
    }
}

TEST_CASE("in design mode the source is held and its rowset opened when the bands are first asked for")
{
    Recordset rs;
    MakeAnalyses(rs, 2);
    BoundGrid grid;
    grid.host.Ambients().SetBool(DISPID_AMBIENT_USERMODE, false);
    REQUIRE(grid.host.AmbientChanged(DISPID_AMBIENT_USERMODE) == S_OK);
    const int opened = rs.GetTable()->Switches().Calls("DataSource::getDataMember");
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    CHECK(rs.GetTable()->Switches().Calls("DataSource::getDataMember") == opened);
    CHECK(BandCount(grid.control.Get()) == 1);
    CHECK(rs.GetTable()->Switches().Calls("DataSource::getDataMember") > opened);
}

TEST_CASE("the source announcing a changed data member: run time rebinds, design time only for the grid's own")
{
    struct Case {
        bool userMode;
        const wchar_t* member;
        bool rebinds;
    };
    for (const Case& c : {Case{true, L"other", true}, Case{false, L"other", false}, Case{false, L"", true}}) {
        CAPTURE(c.userMode);
        CAPTURE(c.rebinds);
        Recordset rs;
        MakeAnalyses(rs, 2);
        BoundGrid grid;
        if (!c.userMode) {
            grid.host.Ambients().SetBool(DISPID_AMBIENT_USERMODE, false);
            REQUIRE(grid.host.AmbientChanged(DISPID_AMBIENT_USERMODE) == S_OK);
        }
        REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
        REQUIRE(BandCount(grid.control.Get()) == 1);
        const int opened = rs.GetTable()->Switches().Calls("DataSource::getDataMember");
        rs.AnnounceDataMemberChanged(c.member);
        CHECK((rs.GetTable()->Switches().Calls("DataSource::getDataMember") > opened) == c.rebinds);
        CHECK(BandCount(grid.control.Get()) == 1);
    }
}

TEST_CASE("the recordset opened again over other records: the grid binds them anew")
{
    Recordset rs;
    MakeAnalyses(rs, 2);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    CHECK(Walk(grid) == L"A1 A2 ");
    REQUIRE(rs.Close() == S_OK);
    REQUIRE(rs.Open() == S_OK);
    AddAnalysis(rs, L"B1", 700.0);
    CHECK(Walk(grid) == L"B1 ");
}

TEST_CASE("records deleted through the rowset are gone from the grid without a refresh")
{
    Recordset rs;
    MakeAnalyses(rs, 451);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    CHECK(TextOf(grid.Row(hvChildRowLast).Get(), L"AMOSTRA") == L"A451");

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
    REQUIRE(rowset->RestartPosition(DB_NULL_HCHAPTER) == S_OK);
    HROW handles[450] = {};
    HROW* out = handles;
    DBCOUNTITEM obtained = 0;
    REQUIRE(SUCCEEDED(rowset->GetNextRows(DB_NULL_HCHAPTER, 0, 450, &obtained, &out)));
    REQUIRE(obtained == 450);
    CHECK(change->DeleteRows(DB_NULL_HCHAPTER, 450, handles, nullptr) == S_OK);
    rowset->ReleaseRows(450, handles, nullptr, nullptr, nullptr);
    CHECK(rs.RecordCount() == 1);
    CHECK(Walk(grid) == L"A451 ");
}

TEST_CASE("the container's IOleObject::Update commits the rows waiting for the grid's Update")
{
    Recordset rs;
    MakeAnalyses(rs, 2);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    REQUIRE(grid.control->put_UpdateMode(hvUpdateOnUpdate) == S_OK);
    ComPtr<IHvRow> first = grid.Row(hvChildRowFirst);
    Var value(901.5);
    REQUIRE(CellOf(first.Get(), L"ME")->put_Value(value.v) == S_OK);
    const int updates = rs.GetTable()->Switches().Calls("IRowsetUpdate::Update");
    REQUIRE(grid.host.OleObject()->Update() == S_OK);
    CHECK(rs.GetTable()->Switches().Calls("IRowsetUpdate::Update") == updates + 1);
    REQUIRE(rs.MoveFirst() == S_OK);
    Var after;
    REQUIRE(rs.GetValue(L"ME", &after.v) == S_OK);
    CHECK(after.v.dblVal == 901.5);
}

TEST_CASE("columns take their base names from a rowset that describes its columns; without one they stay empty")
{
    for (bool described : {true, false}) {
        CAPTURE(described);
        Recordset rs;
        MakeAnalyses(rs, 1);
        rs.GetTable()->SetBaseTableName(L"ANALISES");
        if (!described)
            rs.GetTable()->Switches().DisableInterface(IID_IColumnsRowset);
        BoundGrid grid;
        REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
        ComPtr<IHvBands> bands;
        REQUIRE(grid.control->get_Bands(bands.GetAddressOf()) == S_OK);
        ComPtr<IHvBand> band;
        Var zero(0L);
        REQUIRE(bands->get_Item(zero.v, band.GetAddressOf()) == S_OK);
        ComPtr<IHvColumns> columns;
        REQUIRE(band->get_Columns(columns.GetAddressOf()) == S_OK);
        for (const wchar_t* field : {L"AMOSTRA", L"FATOR"}) {
            ComPtr<IHvColumn> column;
            Var key(field);
            REQUIRE(columns->get_Item(key.v, column.GetAddressOf()) == S_OK);
            BSTR baseColumn = nullptr;
            BSTR baseTable = nullptr;
            REQUIRE(column->get_BaseColumnName(&baseColumn) == S_OK);
            REQUIRE(column->get_BaseTableName(&baseTable) == S_OK);
            CHECK(std::wstring(baseColumn ? baseColumn : L"") == (described ? field : L""));
            CHECK(std::wstring(baseTable ? baseTable : L"") == (described ? L"ANALISES" : L""));
            SysFreeString(baseColumn);
            SysFreeString(baseTable);
        }
        CHECK(TextOf(grid.Row(hvChildRowFirst).Get(), L"AMOSTRA") == L"A1");
    }
}
