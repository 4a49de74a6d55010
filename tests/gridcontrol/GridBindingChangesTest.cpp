// Changing the records through the registered grid's rows and cells:
// committing, waiting for Update, undoing, refusals reported through the
// Error event, new rows, the recordset's own changes, refreshing, sorting
// and the child rows of a chaptered recordset.
#include "GridBindingFixture.h"

#include "TestSwitches.h"

#include <oledberr.h>

using namespace bindtest;

namespace {

constexpr DISPID AfterRowUpdateId = 1016;
constexpr DISPID BeforeRowUpdateId = 1044;
constexpr DISPID BeforeRowDeactivateId = 1034;
constexpr DISPID ErrorId = 1055;
constexpr DISPID InitializeRowId = 1057;
constexpr DISPID BeforeSortChangeId = 1046;

hv::recordset::TestSwitches& SwitchesOf(Recordset& rs)
{
    return rs.GetTable()->Switches();
}

// The field of the recordset's record at a position (from 0).
Var FieldAt(Recordset& rs, int position, const wchar_t* field)
{
    REQUIRE(rs.MoveFirst() == S_OK);
    for (int i = 0; i < position; ++i)
        REQUIRE(rs.MoveNext() == S_OK);
    Var value;
    REQUIRE(rs.GetValue(field, &value.v) == S_OK);
    return value;
}

HRESULT PutCell(IHvRow* row, const wchar_t* key, double value)
{
    Var v(value);
    return CellOf(row, key)->put_Value(v.v);
}

ComPtr<IHvRow> Next(IHvRow* row)
{
    ComPtr<IHvRow> next;
    Var noSpan = Var::Missing();
    REQUIRE(row->GetSibling(hvSiblingRowNext, &noSpan.v, next.GetAddressOf()) == S_OK);
    REQUIRE(next);
    return next;
}

void CollectRowElements(IHvUIElement* element, std::vector<ComPtr<IHvUIElement>>& found)
{
    constexpr long RowElementType = 5000;
    long type = -1;
    if (SUCCEEDED(element->get_Type(reinterpret_cast<Constants_UIElement*>(&type))) && type == RowElementType)
        found.emplace_back(element);
    ComPtr<IHvUIElements> children;
    if (FAILED(element->get_UIElements(children.GetAddressOf())) || !children)
        return;
    long count = 0;
    children->get_Count(&count);
    for (long i = 0; i < count; ++i) {
        Var index(i);
        ComPtr<IHvUIElement> child;
        if (SUCCEEDED(children->get_Item(index.v, child.GetAddressOf())) && child)
            CollectRowElements(child.Get(), found);
    }
}

// The samples of the rows the grid paints, from the top.
std::wstring Painted(BoundGrid& grid)
{
    HWND window = nullptr;
    if (ComPtr<IOleWindow> ole = grid.host.Query<IOleWindow>())
        ole->GetWindow(&window);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    ComPtr<IHvUIElement> root;
    REQUIRE(grid.control->GetUIElement(root.GetAddressOf()) == S_OK);
    std::vector<ComPtr<IHvUIElement>> rows;
    CollectRowElements(root.Get(), rows);
    std::wstring seen;
    for (const auto& element : rows) {
        ComPtr<IHvRow> row;
        if (SUCCEEDED(element->get_Row(row.GetAddressOf())) && row)
            seen += TextOf(row.Get(), L"AMOSTRA") + L" ";
    }
    return seen;
}

std::wstring Samples(BoundGrid& grid)
{
    std::wstring seen;
    ComPtr<IHvRow> row = grid.Row(hvChildRowFirst);
    for (int guard = 0; row && guard < 20; ++guard) {
        seen += TextOf(row.Get(), L"AMOSTRA") + L" ";
        ComPtr<IHvRow> next;
        Var noSpan = Var::Missing();
        if (FAILED(row->GetSibling(hvSiblingRowNext, &noSpan.v, next.GetAddressOf())))
            break;
        row = next;
    }
    return seen;
}

ComPtr<IHvBand> FirstBand(IHvTavelleControl* control)
{
    ComPtr<IHvBands> bands;
    REQUIRE(control->get_Bands(bands.GetAddressOf()) == S_OK);
    ComPtr<IHvBand> band;
    Var zero(0L);
    REQUIRE(bands->get_Item(zero.v, band.GetAddressOf()) == S_OK);
    return band;
}

} // namespace

TEST_CASE("a cell written and its row updated changes one record; CancelUpdate undoes the row")
{
    Recordset rs;
    MakeAnalyses(rs, 3);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    ComPtr<IHvRow> first = grid.Row(hvChildRowFirst);
    const int updates = SwitchesOf(rs).Calls("IRowsetUpdate::Update");

    REQUIRE(PutCell(first.Get(), L"ME", 900.25) == S_OK);
    CHECK(NumberOf(first.Get(), L"ME") == 900.25);
    VARIANT_BOOL changed = VARIANT_FALSE;
    REQUIRE(first->get_DataChanged(&changed) == S_OK);
    CHECK(changed == VARIANT_TRUE);
    REQUIRE(first->Update() == S_OK);
    CHECK(SwitchesOf(rs).Calls("IRowsetUpdate::Update") == updates + 1);
    CHECK(grid.Count(BeforeRowUpdateId) == 1);
    CHECK(grid.Count(AfterRowUpdateId) == 1);
    CHECK(FieldAt(rs, 0, L"ME").v.dblVal == 900.25);
    CHECK(FieldAt(rs, 1, L"ME").v.dblVal == 813.5);

    ComPtr<IHvRow> second = Next(first.Get());
    REQUIRE(PutCell(second.Get(), L"ME", 1.5) == S_OK);
    Var original;
    REQUIRE(CellOf(second.Get(), L"ME")->get_OriginalValue(&original.v) == S_OK);
    CHECK(original.v.dblVal == 813.5);
    REQUIRE(second->CancelUpdate() == S_OK);
    CHECK(NumberOf(second.Get(), L"ME") == 813.5);
    CHECK(FieldAt(rs, 1, L"ME").v.dblVal == 813.5);
    CHECK(SwitchesOf(rs).Calls("IRowsetUpdate::Update") == updates + 1);
}

TEST_CASE("with UpdateMode on Update the changes wait for the grid's Update")
{
    Recordset rs;
    MakeAnalyses(rs, 3);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    REQUIRE(grid.control->put_UpdateMode(hvUpdateOnUpdate) == S_OK);
    ComPtr<IHvRow> first = grid.Row(hvChildRowFirst);
    ComPtr<IHvRow> second = Next(first.Get());
    REQUIRE(grid.control->putref_ActiveRow(first.Get()) == S_OK);
    REQUIRE(PutCell(first.Get(), L"ME", 1.25) == S_OK);
    REQUIRE(grid.control->putref_ActiveRow(second.Get()) == S_OK);
    REQUIRE(PutCell(second.Get(), L"ME", 2.25) == S_OK);
    CHECK(grid.Count(BeforeRowUpdateId) == 0);
    CHECK(SwitchesOf(rs).Calls("IRowsetUpdate::Update") == 0);

    REQUIRE(grid.control->Update() == S_OK);
    CHECK(grid.Count(AfterRowUpdateId) == 2);
    CHECK(FieldAt(rs, 0, L"ME").v.dblVal == 1.25);
    CHECK(FieldAt(rs, 1, L"ME").v.dblVal == 2.25);

    // The grid's CancelUpdate undoes every row still waiting.
    REQUIRE(PutCell(first.Get(), L"ME", 7.0) == S_OK);
    REQUIRE(grid.control->CancelUpdate() == S_OK);
    CHECK(NumberOf(first.Get(), L"ME") == 1.25);
    CHECK(FieldAt(rs, 0, L"ME").v.dblVal == 1.25);
}

TEST_CASE("an Update the provider refuses for one row: every row tried, E_FAIL, one Error with the provider's text")
{
    Recordset rs;
    MakeAnalyses(rs, 3);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    REQUIRE(grid.control->put_UpdateMode(hvUpdateOnUpdate) == S_OK);
    ComPtr<IHvRow> first = grid.Row(hvChildRowFirst);
    ComPtr<IHvRow> second = Next(first.Get());
    REQUIRE(PutCell(first.Get(), L"ME", 1.25) == S_OK);
    REQUIRE(PutCell(second.Get(), L"ME", 2.25) == S_OK);

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
    SwitchesOf(rs).FailCall("IRowsetUpdate::Update", E_FAIL, L"A amostra est\u00e1 bloqueada", 1);
    BSTR captionText = nullptr;
    REQUIRE(grid.control->get_DialogStrings(hvDataErrorCaption, &captionText) == S_OK);
    const std::wstring caption = captionText ? captionText : L"";
    SysFreeString(captionText);
    HRESULT hr = S_OK;
    BoxRecorder boxes;
    hr = grid.control->Update();
    CHECK(hr == E_FAIL);
    CHECK(SwitchesOf(rs).Calls("IRowsetUpdate::Update") == 2);
    CHECK(grid.Count(ErrorId) == 1);
    CHECK(described.find(L"A amostra est\u00e1 bloqueada") != std::wstring::npos);
    REQUIRE(boxes.Boxes().size() == 1);
    CHECK(boxes.Boxes()[0].caption == caption);
}

TEST_CASE("AddNew: a new row whose values and Update make a new record, and the row is active")
{
    Recordset rs;
    MakeAnalyses(rs, 2);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    ComPtr<IHvBand> band = FirstBand(grid.control.Get());
    ComPtr<IHvRow> added;
    REQUIRE(band->AddNew(added.GetAddressOf()) == S_OK);
    REQUIRE(added);
    Var sample(L"A9");
    REQUIRE(CellOf(added.Get(), L"AMOSTRA")->put_Value(sample.v) == S_OK);
    REQUIRE(PutCell(added.Get(), L"ME", 990.125) == S_OK);
    REQUIRE(added->Update() == S_OK);
    CHECK(rs.RecordCount() == 3);
    CHECK(FieldAt(rs, 2, L"AMOSTRA").v.vt == VT_BSTR);
    CHECK(std::wstring(FieldAt(rs, 2, L"AMOSTRA").v.bstrVal) == L"A9");
    CHECK(FieldAt(rs, 2, L"ME").v.dblVal == 990.125);
    ComPtr<IHvRow> active;
    REQUIRE(grid.control->get_ActiveRow(active.GetAddressOf()) == S_OK);
    REQUIRE(active);
    CHECK(TextOf(active.Get(), L"AMOSTRA") == L"A9");
    CHECK(Samples(grid) == L"A1 A2 A9 ");
}

TEST_CASE("a record the recordset adds is a row the grid reaches without a refresh")
{
    Recordset rs;
    MakeAnalyses(rs, 2);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    CHECK(Samples(grid) == L"A1 A2 ");
    AddAnalysis(rs, L"A3", 999.0);
    CHECK(Samples(grid) == L"A1 A2 A3 ");
    CHECK(NumberOf(grid.Row(hvChildRowLast).Get(), L"ME") == 999.0);
}

TEST_CASE("the active row deleted while its deactivation is cancelled stays, with its record")
{
    Recordset rs;
    MakeAnalyses(rs, 3);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    ComPtr<IHvRow> first = grid.Row(hvChildRowFirst);
    REQUIRE(grid.control->putref_ActiveRow(first.Get()) == S_OK);
    grid.host.Events().On(BeforeRowDeactivateId,
                          [](const hv::container::EventCall& call) { call.SetBool(0, true); });
    BoxRecorder boxes(IDYES);
    const HRESULT hr = first->Delete();
    CHECK(hr == DB_E_CANCELED);
    CHECK(rs.RecordCount() == 3);
    CHECK(Samples(grid) == L"A1 A2 A3 ");
}

TEST_CASE("Refresh: InitializeRow again for the rows, a refetch activates the row at the position, a bad action fails")
{
    Recordset rs;
    MakeAnalyses(rs, 3);
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    ComPtr<IHvRow> first = grid.Row(hvChildRowFirst);
    ComPtr<IHvRow> last = grid.Row(hvChildRowLast);
    // Activating a row moves the recordset's position to its record.
    REQUIRE(grid.control->putref_ActiveRow(last.Get()) == S_OK);
    grid.host.Events().ClearReceived();
    Var fire(1L);
    REQUIRE(grid.control->Refresh(&fire.v) == S_OK);
    CHECK(grid.Count(InitializeRowId) >= 2);
    grid.host.Events().ClearReceived();
    Var refetch(2L);
    REQUIRE(grid.control->Refresh(&refetch.v) == S_OK);
    CHECK(grid.Count(InitializeRowId) >= 2);
    ComPtr<IHvRow> active;
    REQUIRE(grid.control->get_ActiveRow(active.GetAddressOf()) == S_OK);
    REQUIRE(active);
    CHECK(TextOf(active.Get(), L"AMOSTRA") == L"A3");
    Var bad(3L);
    CHECK(grid.control->Refresh(&bad.v) == static_cast<HRESULT>(0x800A017C));
}

TEST_CASE("sorting by ME descending puts the largest first and keeps equal values in order; a cancelled sort leaves it")
{
    // Rows read as they are needed and rows read whole follow the order.
    for (Constants_FetchRows mode : {hvFetchRowsDefault, hvFetchRowsOnDemandKeep, hvFetchRowsOnDemandDiscard,
                                     hvFetchRowsPreloadWithSiblings}) {
        CAPTURE(mode);
        Recordset rs;
        MakeAnalyses(rs, 0);
        AddAnalysis(rs, L"B1", 812.5);
        AddAnalysis(rs, L"B2", 990.0);
        AddAnalysis(rs, L"B3", 812.5);
        AddAnalysis(rs, L"B4", 845.0);
        BoundGrid grid;
        ComPtr<IHvOverride> settings;
        REQUIRE(grid.control->get_Override(settings.GetAddressOf()) == S_OK);
        REQUIRE(settings->put_FetchRows(mode) == S_OK);
        REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
        ComPtr<IHvBand> band = FirstBand(grid.control.Get());
        ComPtr<IHvColumns> columns;
        REQUIRE(band->get_Columns(columns.GetAddressOf()) == S_OK);
        ComPtr<IHvColumn> me;
        Var key(L"ME");
        REQUIRE(columns->get_Item(key.v, me.GetAddressOf()) == S_OK);
        ComPtr<IHvSortedCols> sorted;
        REQUIRE(band->get_SortedCols(sorted.GetAddressOf()) == S_OK);
        CHECK(Samples(grid) == L"B1 B2 B3 B4 ");
        CHECK(Painted(grid) == L"B1 B2 B3 B4 ");

        grid.host.Events().On(BeforeSortChangeId, [](const hv::container::EventCall& call) { call.SetBool(2, true); });
        Var descending;
        descending.v.vt = VT_BOOL;
        descending.v.boolVal = VARIANT_TRUE;
        sorted->Add(me.Get(), &descending.v);
        CHECK(Samples(grid) == L"B1 B2 B3 B4 ");

        grid.host.Events().Clear();
        REQUIRE(sorted->Add(me.Get(), &descending.v) == S_OK);
        CHECK(Samples(grid) == L"B2 B4 B1 B3 ");
        CHECK(TextOf(grid.Row(hvChildRowLast).Get(), L"AMOSTRA") == L"B3");
        CHECK(Painted(grid) == L"B2 B4 B1 B3 ");

        // A record added by the recordset takes its place in the order.
        AddAnalysis(rs, L"B5", 900.0);
        CHECK(Samples(grid) == L"B2 B5 B4 B1 B3 ");

        // Without sort columns the recordset's order comes back.
        REQUIRE(sorted->Clear() == S_OK);
        CHECK(Samples(grid) == L"B1 B2 B3 B4 B5 ");
        CHECK(Painted(grid) == L"B1 B2 B3 B4 B5 ");
    }
}

TEST_CASE("rows equal on every sort key stand in the recordset's order, whatever an earlier sort made of them")
{
    Recordset rs;
    MakeAnalyses(rs, 0);
    const std::pair<const wchar_t*, double> records[] = {{L"B1", 812.5}, {L"B2", 990.0}, {L"B3", 812.5}, {L"B4", 845.0}};
    const double temperatures[] = {10.0, 20.0, 20.0, 10.0};
    for (int i = 0; i < 4; ++i) {
        REQUIRE(rs.AddNew() == S_OK);
        Var sample(records[i].first);
        REQUIRE(rs.SetValue(L"AMOSTRA", sample.v) == S_OK);
        REQUIRE(rs.SetValue(L"ME", Var(records[i].second).v) == S_OK);
        REQUIRE(rs.SetValue(L"TEMP_ENS", Var(temperatures[i]).v) == S_OK);
        REQUIRE(rs.Update() == S_OK);
    }
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(rs).Get()) == S_OK);
    ComPtr<IHvColumns> columns;
    REQUIRE(FirstBand(grid.control.Get())->get_Columns(columns.GetAddressOf()) == S_OK);
    auto column = [&](const wchar_t* key) {
        ComPtr<IHvColumn> found;
        Var which(key);
        REQUIRE(columns->get_Item(which.v, found.GetAddressOf()) == S_OK);
        return found;
    };
    REQUIRE(column(L"ME")->put_SortIndicator(hvSortIndicatorDescending) == S_OK);
    CHECK(Samples(grid) == L"B2 B4 B1 B3 ");
    // TEMP_ENS joins as a second key, then becomes the only one: the rows
    // of equal temperature follow the recordset, not the ME order.
    REQUIRE(column(L"TEMP_ENS")->put_SortIndicator(hvSortIndicatorAscending) == S_OK);
    CHECK(Samples(grid) == L"B2 B4 B1 B3 ");
    REQUIRE(column(L"ME")->put_SortIndicator(hvSortIndicatorNone) == S_OK);
    CHECK(Samples(grid) == L"B1 B4 B2 B3 ");
}

TEST_CASE("a chaptered recordset: a child band keyed by the chapter field, child rows read their chapter")
{
    Recordset child;
    REQUIRE(child.AppendField(L"AMOSTRA", FieldType::WideString, 20, hv::recordset::kFieldNullable) == S_OK);
    REQUIRE(child.AppendField(L"LEITURA", FieldType::Double, 0, hv::recordset::kFieldNullable) == S_OK);
    Recordset parent;
    REQUIRE(parent.AppendField(L"AMOSTRA", FieldType::WideString, 20, hv::recordset::kFieldNullable) == S_OK);
    REQUIRE(parent.AppendChapter(L"LEITURAS", child, L"AMOSTRA", L"AMOSTRA") == S_OK);
    REQUIRE(parent.Open() == S_OK);
    REQUIRE(child.Open() == S_OK);
    for (int i = 1; i <= 3; ++i) {
        REQUIRE(parent.AddNew() == S_OK);
        Var sample((L"P" + std::to_wstring(i)).c_str());
        REQUIRE(parent.SetValue(L"AMOSTRA", sample.v) == S_OK);
        REQUIRE(parent.Update() == S_OK);
        for (int k = 1; k <= 5; ++k) {
            REQUIRE(child.AddNew() == S_OK);
            REQUIRE(child.SetValue(L"AMOSTRA", sample.v) == S_OK);
            REQUIRE(child.SetValue(L"LEITURA", Var(i * 10.0 + k).v) == S_OK);
            REQUIRE(child.Update() == S_OK);
        }
    }
    BoundGrid grid;
    REQUIRE(grid.Bind(DataSourceOf(parent).Get()) == S_OK);
    ComPtr<IHvBands> bands;
    REQUIRE(grid.control->get_Bands(bands.GetAddressOf()) == S_OK);
    long count = 0;
    REQUIRE(bands->get_Count(&count) == S_OK);
    REQUIRE(count == 2);
    ComPtr<IHvBand> childBand;
    Var one(1L);
    REQUIRE(bands->get_Item(one.v, childBand.GetAddressOf()) == S_OK);
    BSTR key = nullptr;
    REQUIRE(childBand->get_Key(&key) == S_OK);
    CHECK(std::wstring(key ? key : L"") == L"LEITURAS");
    SysFreeString(key);

    Var noBand = Var::Missing();
    ComPtr<IHvRow> firstChild;
    REQUIRE(grid.Row(hvChildRowFirst)->GetChild(hvChildRowFirst, &noBand.v, firstChild.GetAddressOf()) == S_OK);
    CHECK(NumberOf(firstChild.Get(), L"LEITURA") == 11.0);
    ComPtr<IHvRow> lastChild;
    REQUIRE(grid.Row(hvChildRowLast)->GetChild(hvChildRowLast, &noBand.v, lastChild.GetAddressOf()) == S_OK);
    CHECK(NumberOf(lastChild.Get(), L"LEITURA") == 35.0);

    // The child band sorted by LEITURA descending: each parent's readings
    // come largest first.
    ComPtr<IHvColumns> columns;
    REQUIRE(childBand->get_Columns(columns.GetAddressOf()) == S_OK);
    ComPtr<IHvColumn> reading;
    Var readingKey(L"LEITURA");
    REQUIRE(columns->get_Item(readingKey.v, reading.GetAddressOf()) == S_OK);
    ComPtr<IHvSortedCols> sorted;
    REQUIRE(childBand->get_SortedCols(sorted.GetAddressOf()) == S_OK);
    Var descending;
    descending.v.vt = VT_BOOL;
    descending.v.boolVal = VARIANT_TRUE;
    REQUIRE(sorted->Add(reading.Get(), &descending.v) == S_OK);
    std::vector<double> readings;
    ComPtr<IHvRow> row;
    REQUIRE(grid.Row(hvChildRowLast)->GetChild(hvChildRowFirst, &noBand.v, row.GetAddressOf()) == S_OK);
    while (row && readings.size() < 10) {
        readings.push_back(NumberOf(row.Get(), L"LEITURA"));
        ComPtr<IHvRow> next;
        if (row->GetSibling(hvSiblingRowNext, &noBand.v, next.GetAddressOf()) != S_OK)
            break;
        row = next;
    }
    CHECK(readings == std::vector<double>{35.0, 34.0, 33.0, 32.0, 31.0});
}
