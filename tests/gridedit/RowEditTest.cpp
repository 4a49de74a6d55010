// Rows added and deleted through the registered control: the add-new box's
// button and AddNew give an add row that Update inserts and Esc drops;
// deleting asks first and reports a refusal; a row's Update and
// CancelUpdate reach the values of its unbound cells; Space toggles a
// check box being edited.
#include "EditGrid.h"

#include <string>

using namespace gridedit;

namespace {

// A cell of the active row.
ComPtr<IHvCell> ActiveRowCell(EditGrid& grid, const wchar_t* key)
{
    ComPtr<IHvRow> row;
    REQUIRE(grid.Control()->get_ActiveRow(row.GetAddressOf()) == S_OK);
    REQUIRE(row);
    ComPtr<IHvCells> cells;
    REQUIRE(row->get_Cells(cells.GetAddressOf()) == S_OK);
    short index = 0;
    REQUIRE(grid.Column(key)->get_Index(&index) == S_OK);
    ComPtr<IHvCell> cell;
    REQUIRE(cells->get_Item(Var(static_cast<long>(index)).v, cell.GetAddressOf()) == S_OK);
    return cell;
}

Constants_RowType ActiveRowType(EditGrid& grid)
{
    ComPtr<IHvRow> row;
    if (grid.Control()->get_ActiveRow(row.GetAddressOf()) != S_OK || !row)
        return static_cast<Constants_RowType>(-1);
    Constants_RowType type{};
    REQUIRE(row->get_Type(&type) == S_OK);
    return type;
}

// The add-new box's button of the band, clicked the way the mouse does.
void ClickAddButton(EditGrid& grid)
{
    ComPtr<IHvAddNewBox> box;
    REQUIRE(grid.Control()->get_AddNewBox(box.GetAddressOf()) == S_OK);
    REQUIRE(box->put_Hidden(VARIANT_FALSE) == S_OK);
    Pump();
    ComPtr<IHvUIElement> element;
    REQUIRE(box->GetUIElement(element.GetAddressOf()) == S_OK);
    REQUIRE(element);
    ComPtr<IHvUIElement> button = Descendant(element.Get(), hvUIElementAddNewRowButton);
    REQUIRE(button);
    const RECT rect = RectOf(button.Get());
    REQUIRE(!IsRectEmpty(&rect));
    grid.ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

void EditActive(EditGrid& grid, const wchar_t* key, const wchar_t* text)
{
    SetFocus(grid.GridWindow());
    REQUIRE(grid.Control()->put_ActiveCell(ActiveRowCell(grid, key).Get()) == S_OK);
    grid.PressKey(VK_F2);
    REQUIRE(grid.IsInEditMode());
    SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
    grid.Type(text);
}

void SilenceErrors(EditGrid& grid, int* errors)
{
    grid.Events().On(ErrorId, [errors](const hv::container::EventCall& call) {
        ++*errors;
        ComPtr<IHvError> info;
        IDispatch* error = call.Object(0);
        if (error && SUCCEEDED(error->QueryInterface(IID_IHvError, reinterpret_cast<void**>(info.GetAddressOf()))))
            info->put_DisplayErrorDialog(VARIANT_FALSE);
    });
}

} // namespace

TEST_CASE("the add-new box's button gives an add row: typed into and left, it becomes a record")
{
    EditGrid grid;
    ClickAddButton(grid);
    CHECK(grid.Count(BeforeRowInsertId) == 1);
    CHECK(grid.Count(AfterRowInsertId) == 1);
    REQUIRE(ActiveRowType(grid) == hvRowTypeAddRow);
    EditActive(grid, L"Name", L"Novo");
    // Left: the add row keeps its change until the row is left.
    grid.PressKey(VK_TAB);
    CHECK_FALSE(grid.IsInEditMode());
    CHECK(grid.Count(AfterRowUpdateId) == 0);
    grid.PressKey(VK_UP);
    Pump();
    CHECK(grid.Count(AfterRowUpdateId) == 1);
    CHECK(grid.Count(ErrorId) == 0);
    REQUIRE(grid.RecordCount() == 4);
    Var name = grid.Stored(4, L"Name");
    REQUIRE(name.v.vt == VT_BSTR);
    CHECK(std::wstring(name.v.bstrVal) == L"Novo");
    VARIANT_BOOL changed = VARIANT_TRUE;
    REQUIRE(grid.Row(4)->get_DataChanged(&changed) == S_OK);
    CHECK_FALSE(changed);
    Constants_RowType type{};
    REQUIRE(grid.Row(4)->get_Type(&type) == S_OK);
    CHECK(type == hvRowTypeBound);
}

TEST_CASE("AddNew refused by BeforeRowInsert adds nothing; an add row undone with Esc Esc leaves no record")
{
    EditGrid grid;
    ComPtr<IHvBands> bands;
    REQUIRE(grid.Control()->get_Bands(bands.GetAddressOf()) == S_OK);
    ComPtr<IHvBand> band;
    REQUIRE(bands->get_Item(Var(0L).v, band.GetAddressOf()) == S_OK);

    bool refuse = true;
    grid.Events().On(BeforeRowInsertId, [&](const hv::container::EventCall& call) { call.SetBool(2, refuse); });
    ComPtr<IHvRow> added;
    CHECK(band->AddNew(added.GetAddressOf()) == S_OK);
    CHECK(added.Get() == nullptr);
    CHECK(grid.Count(AfterRowInsertId) == 0);
    CHECK(grid.RecordCount() == 3);

    refuse = false;
    REQUIRE(band->AddNew(added.GetAddressOf()) == S_OK);
    REQUIRE(added);
    CHECK(grid.Count(AfterRowInsertId) == 1);
    CHECK(ActiveRowType(grid) == hvRowTypeAddRow);
    EditActive(grid, L"Name", L"X");
    grid.PressKey(VK_ESCAPE);
    CHECK_FALSE(grid.IsInEditMode());
    grid.PressKey(VK_ESCAPE);
    Pump();
    CHECK(ActiveRowType(grid) != hvRowTypeAddRow);
    CHECK(grid.RecordCount() == 3);
    CHECK(grid.Count(ErrorId) == 0);
    // The rows shown are the records left.
    ComPtr<IHvRow> next;
    CHECK(grid.Row(3)->GetSibling(hvSiblingRowNext, nullptr, next.GetAddressOf()) != S_OK);
    CHECK(next.Get() == nullptr);
}

TEST_CASE("deleting a row asks first: Yes deletes the record with its events, No keeps it, a refusal is reported")
{
    EditGrid grid;
    int errors = 0;
    SilenceErrors(grid, &errors);

    grid.Boxes().AnswerWith(IDNO);
    CHECK(grid.Row(3)->Delete() == S_OK);
    Pump();
    CHECK(grid.Boxes().Texts().size() == 1);
    CHECK(grid.RecordCount() == 3);
    CHECK(grid.Count(BeforeRowsDeletedId) == 1);
    CHECK(grid.Count(AfterRowsDeletedId) == 0);

    hv::recordset::TestSwitches& switches = grid.Records().GetTable()->Switches();
    switches.Veto(DBREASON_ROW_DELETE, DBEVENTPHASE_OKTODO);
    grid.Boxes().AnswerWith(IDYES);
    CHECK(FAILED(grid.Row(3)->Delete()));
    Pump();
    CHECK(errors == 1);
    CHECK(grid.RecordCount() == 3);
    CHECK(grid.Count(AfterRowsDeletedId) == 0);

    switches.ClearVetoes();
    grid.ClearEvents();
    CHECK(grid.Row(3)->Delete() == S_OK);
    Pump();
    CHECK(grid.Boxes().Texts().size() == 3);
    CHECK(grid.RecordCount() == 2);
    CHECK(grid.Count(BeforeRowsDeletedId) == 1);
    CHECK(grid.Count(AfterRowsDeletedId) == 1);
    CHECK(std::wstring(grid.Stored(2, L"Name").v.bstrVal) == L"Dois");
    CHECK(errors == 1);
}

TEST_CASE("a row's Update keeps the values of its unbound cells, its CancelUpdate gives back the last kept")
{
    EditGrid grid;
    REQUIRE(grid.Control()->put_UpdateMode(hvUpdateOnUpdate) == S_OK);
    ComPtr<IHvBands> bands;
    REQUIRE(grid.Control()->get_Bands(bands.GetAddressOf()) == S_OK);
    ComPtr<IHvBand> band;
    REQUIRE(bands->get_Item(Var(0L).v, band.GetAddressOf()) == S_OK);
    ComPtr<IHvColumns> columns;
    REQUIRE(band->get_Columns(columns.GetAddressOf()) == S_OK);
    ComPtr<IHvColumn> note;
    Var missing;
    missing.v.vt = VT_ERROR, missing.v.scode = DISP_E_PARAMNOTFOUND;
    REQUIRE(columns->Add(Var(L"Note").v, missing.v, note.GetAddressOf()) == S_OK);
    Pump();

    ComPtr<IHvRow> row = grid.Row(1);
    ComPtr<IHvCell> cell = grid.Cell(1, L"Note");
    auto text = [&]() {
        Var value;
        REQUIRE(cell->get_Value(&value.v) == S_OK);
        if (value.v.vt != VT_BSTR)
            return std::wstring(L"<") + std::to_wstring(value.v.vt) + L">";
        return std::wstring(value.v.bstrVal);
    };
    REQUIRE(cell->put_Value(Var(L"first").v) == S_OK);
    VARIANT_BOOL changed = VARIANT_FALSE;
    REQUIRE(row->get_DataChanged(&changed) == S_OK);
    CHECK(changed);
    REQUIRE(row->CancelUpdate() == S_OK);
    CHECK(text() != L"first");
    REQUIRE(cell->get_DataChanged(&changed) == S_OK);
    CHECK_FALSE(changed);

    REQUIRE(cell->put_Value(Var(L"kept").v) == S_OK);
    REQUIRE(row->Update() == S_OK);
    REQUIRE(cell->put_Value(Var(L"dropped").v) == S_OK);
    REQUIRE(row->CancelUpdate() == S_OK);
    CHECK(text() == L"kept");
    REQUIRE(row->get_DataChanged(&changed) == S_OK);
    CHECK_FALSE(changed);
}

TEST_CASE("Space on a check box being edited toggles it; the toggled value is stored when the cell is left")
{
    EditGrid grid;
    ComPtr<IHvColumn> qty = grid.Column(L"Qty");
    REQUIRE(qty->put_Style(hvStyleCheckBox) == S_OK);
    ComPtr<IHvCell> cell = grid.Cell(1, L"Qty");
    SetFocus(grid.GridWindow());
    REQUIRE(grid.Control()->put_ActiveCell(cell.Get()) == S_OK);
    grid.PressKey(VK_F2);
    REQUIRE(grid.IsInEditMode());
    grid.ClearEvents();
    grid.PressKey(VK_SPACE);
    CHECK(grid.Count(CellChangeId) == 1);
    VARIANT_BOOL changed = VARIANT_FALSE;
    REQUIRE(cell->get_DataChanged(&changed) == S_OK);
    CHECK(changed);
    REQUIRE(grid.Control()->put_ActiveCell(grid.Cell(1, L"Name").Get()) == S_OK);
    Pump();
    CHECK(grid.Count(ErrorId) == 0);
    CHECK(grid.Stored(1, L"Qty").v.dblVal == 0.0);
}

TEST_CASE("an add row's Update inserts the record under any update mode; its CancelUpdate drops it")
{
    for (Constants_UpdateMode mode : {hvUpdateOnCellChange, hvUpdateOnRowChange, hvUpdateOnUpdate}) {
        CAPTURE(mode);
        EditGrid grid;
        REQUIRE(grid.Control()->put_UpdateMode(mode) == S_OK);
        ClickAddButton(grid);
        REQUIRE(ActiveRowType(grid) == hvRowTypeAddRow);
        EditActive(grid, L"Name", L"Novo");
        // Leaving the cell keeps the add row an add row, also in cell mode.
        grid.PressKey(VK_TAB);
        CHECK(ActiveRowType(grid) == hvRowTypeAddRow);
        CHECK(grid.Count(AfterRowUpdateId) == 0);
        ComPtr<IHvRow> added;
        REQUIRE(grid.Control()->get_ActiveRow(added.GetAddressOf()) == S_OK);
        grid.ClearEvents();
        CHECK(added->Update() == S_OK);
        Pump();
        CHECK(grid.Count(BeforeRowUpdateId) == 1);
        CHECK(grid.Count(AfterRowUpdateId) == 1);
        CHECK(grid.Count(ErrorId) == 0);
        REQUIRE(grid.RecordCount() == 4);
        CHECK(std::wstring(grid.Stored(4, L"Name").v.bstrVal) == L"Novo");

        // A second add row, its typing undone by the row's CancelUpdate.
        ClickAddButton(grid);
        REQUIRE(ActiveRowType(grid) == hvRowTypeAddRow);
        EditActive(grid, L"Name", L"Outro");
        grid.PressKey(VK_TAB);
        ComPtr<IHvRow> dropped;
        REQUIRE(grid.Control()->get_ActiveRow(dropped.GetAddressOf()) == S_OK);
        grid.ClearEvents();
        CHECK(dropped->CancelUpdate() == S_OK);
        Pump();
        CHECK(grid.Count(AfterRowUpdateId) == 0);
        CHECK(ActiveRowType(grid) != hvRowTypeAddRow);
        CHECK(grid.RecordCount() == 4);
        ComPtr<IHvRow> next;
        CHECK(grid.Row(4)->GetSibling(hvSiblingRowNext, nullptr, next.GetAddressOf()) != S_OK);
        CHECK(next.Get() == nullptr);
    }
}

TEST_CASE("selected rows deleted with the Delete key: a BeforeRowsDeleted handler that turns the prompt off deletes them without a box")
{
    EditGrid grid;
    int errors = 0;
    SilenceErrors(grid, &errors);
    bool cancel = false;
    long rowsAsked = 0;
    grid.Events().On(BeforeRowsDeletedId, [&](const hv::container::EventCall& call) {
        ComPtr<IHvSelectedRows> rows;
        IDispatch* object = call.Object(0);
        if (object && SUCCEEDED(object->QueryInterface(IID_IHvSelectedRows, reinterpret_cast<void**>(rows.GetAddressOf()))))
            rows->get_Count(&rowsAsked);
        CHECK(call.Bool(1));
        call.SetBool(1, false);
        call.SetBool(2, cancel);
    });
    ComPtr<IHvSelected> selected;
    REQUIRE(grid.Control()->get_Selected(selected.GetAddressOf()) == S_OK);
    ComPtr<IHvSelectedRows> rows;
    REQUIRE(selected->get_Rows(rows.GetAddressOf()) == S_OK);
    auto select = [&]() {
        REQUIRE(grid.Control()->put_ActiveRow(grid.Row(1).Get()) == S_OK);
        REQUIRE(rows->Add(grid.Row(1).Get()) == S_OK);
        REQUIRE(rows->Add(grid.Row(3).Get()) == S_OK);
        long count = 0;
        REQUIRE(rows->get_Count(&count) == S_OK);
        REQUIRE(count == 2);
        SetFocus(grid.GridWindow());
    };

    // Cancelled: nothing deleted, no box.
    cancel = true;
    select();
    grid.PressKey(VK_DELETE);
    CHECK(rowsAsked == 2);
    CHECK(grid.RecordCount() == 3);
    CHECK(grid.Count(AfterRowsDeletedId) == 0);

    cancel = false;
    grid.ClearEvents();
    select();
    grid.PressKey(VK_DELETE);
    CHECK(grid.Boxes().Texts().empty());
    CHECK(grid.Count(BeforeRowsDeletedId) == 1);
    CHECK(grid.Count(AfterRowsDeletedId) == 1);
    REQUIRE(grid.RecordCount() == 1);
    CHECK(std::wstring(grid.Stored(1, L"Name").v.bstrVal) == L"Dois");
    CHECK(errors == 0);
}

TEST_CASE("three selected rows deleted, the data source refusing the second: the other two gone, the refusal reported and returned")
{
    EditGrid grid;
    int errors = 0;
    SilenceErrors(grid, &errors);
    ComPtr<IHvSelected> selected;
    REQUIRE(grid.Control()->get_Selected(selected.GetAddressOf()) == S_OK);
    ComPtr<IHvSelectedRows> rows;
    REQUIRE(selected->get_Rows(rows.GetAddressOf()) == S_OK);
    for (int n : {1, 2, 3})
        REQUIRE(rows->Add(grid.Row(n).Get()) == S_OK);
    grid.Records().GetTable()->Switches().FailCall("IRowsetChange::DeleteRows", E_FAIL, L"Registro em uso", 1, 1);
    grid.Boxes().AnswerWith(IDYES);
    CHECK(grid.Control()->DeleteSelectedRows() == E_FAIL);
    Pump();
    CHECK(grid.Boxes().Texts().size() == 1);
    CHECK(errors == 1);
    CHECK(grid.Count(AfterRowsDeletedId) == 1);
    REQUIRE(grid.RecordCount() == 1);
    CHECK(std::wstring(grid.Stored(1, L"Name").v.bstrVal) == L"Dois");
}
