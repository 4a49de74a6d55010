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

// The first element of a type under element, depth first.
ComPtr<IHvUIElement> Descendant(IHvUIElement* element, Constants_UIElement wanted)
{
    ComPtr<IHvUIElements> children;
    long count = 0;
    if (element->get_UIElements(children.GetAddressOf()) != S_OK || !children || children->get_Count(&count) != S_OK)
        return nullptr;
    for (long i = 0; i < count; ++i) {
        ComPtr<IHvUIElement> child;
        if (children->get_Item(Var(i).v, child.GetAddressOf()) != S_OK || !child)
            continue;
        Constants_UIElement type{};
        if (child->get_Type(&type) == S_OK && type == wanted)
            return child;
        if (ComPtr<IHvUIElement> found = Descendant(child.Get(), wanted))
            return found;
    }
    return nullptr;
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
    ComPtr<IHvUIRect> place;
    REQUIRE(button->get_Rect(place.GetAddressOf()) == S_OK);
    RECT rect{};
    place->get_Left(&rect.left);
    place->get_Top(&rect.top);
    place->get_Right(&rect.right);
    place->get_Bottom(&rect.bottom);
    REQUIRE(!IsRectEmpty(&rect));
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageW(grid.GridWindow(), WM_MOUSEMOVE, 0, at);
    SendMessageW(grid.GridWindow(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    Pump();
    SendMessageW(grid.GridWindow(), WM_LBUTTONUP, 0, at);
    Pump();
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
