// A column changed while one of its cells is being edited: the live editor
// follows it. A change another user of the recordset makes to the record
// being edited: the user's edit of that very field wins. The automatic
// sizing of the EDIT window follows BeforeAutoSizeEdit's sizes.
#include "EditGrid.h"

#include <oledberr.h>

#include <string>

using namespace gridedit;

namespace {

// Puts the active cell into edit mode with F2 and selects its text.
void EditWithF2(EditGrid& grid, IHvCell* cell)
{
    SetFocus(grid.GridWindow());
    REQUIRE(grid.Control()->put_ActiveCell(cell) == S_OK);
    grid.PressKey(VK_F2);
    REQUIRE(grid.IsInEditMode());
    SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
}

double ValueOf(IHvCell* cell)
{
    Var value;
    REQUIRE(cell->get_Value(&value.v) == S_OK);
    REQUIRE(VariantChangeType(&value.v, &value.v, 0, VT_R8) == S_OK);
    return value.v.dblVal;
}

std::wstring TextOf(IHvCell* cell)
{
    Var value;
    REQUIRE(cell->get_Value(&value.v) == S_OK);
    REQUIRE(VariantChangeType(&value.v, &value.v, 0, VT_BSTR) == S_OK);
    return value.v.bstrVal;
}

} // namespace

TEST_CASE("Case put while the column's cell is edited: the EDIT window changes the case of what is typed from then on")
{
    EditGrid grid;
    ComPtr<IHvColumn> name = grid.Column(L"Name");
    REQUIRE(name->put_Style(hvStyleEdit) == S_OK);
    EditWithF2(grid, grid.Cell(2, L"Name").Get());
    const HWND edit = grid.EditWindow();
    CHECK_FALSE((GetWindowLongPtrW(edit, GWL_STYLE) & ES_UPPERCASE) != 0);

    REQUIRE(name->put_Case(hvCaseUpper) == S_OK);
    CHECK(grid.EditWindow() == edit);
    CHECK((GetWindowLongPtrW(edit, GWL_STYLE) & ES_UPPERCASE) != 0);
    grid.Type(L"ab");
    CHECK(grid.EditText() == L"AB");

    REQUIRE(name->put_Case(hvCaseLower) == S_OK);
    CHECK((GetWindowLongPtrW(edit, GWL_STYLE) & ES_LOWERCASE) != 0);
    CHECK_FALSE((GetWindowLongPtrW(edit, GWL_STYLE) & ES_UPPERCASE) != 0);
    grid.Type(L"CD");
    CHECK(grid.EditText() == L"ABcd");

    // Another column's Case leaves the editor alone.
    REQUIRE(grid.Column(L"Kind")->put_Case(hvCaseUpper) == S_OK);
    CHECK((GetWindowLongPtrW(edit, GWL_STYLE) & ES_LOWERCASE) != 0);
}

TEST_CASE("Activation disabled on the column of the cell being edited: the typed value is kept, the grid has no active cell")
{
    EditGrid grid;
    ComPtr<IHvCell> qty = grid.Cell(2, L"Qty");
    EditWithF2(grid, qty.Get());
    grid.Type(L"9");
    REQUIRE(grid.Column(L"Qty")->put_Activation(hvActivationDisabled) == S_OK);
    Pump();
    CHECK_FALSE(grid.IsInEditMode());
    CHECK(grid.EditWindow() == nullptr);
    ComPtr<IHvCell> active;
    REQUIRE(grid.Control()->get_ActiveCell(active.GetAddressOf()) == S_OK);
    CHECK(active.Get() == nullptr);
    CHECK(ValueOf(qty.Get()) == 9.0);
    CHECK(grid.Stored(2, L"Qty").v.dblVal == 9.0);

    // Activation of a column that is not being edited changes nothing there.
    ComPtr<IHvCell> name = grid.Cell(1, L"Name");
    EditWithF2(grid, name.Get());
    REQUIRE(grid.Column(L"Kind")->put_Activation(hvActivationDisabled) == S_OK);
    Pump();
    CHECK(grid.IsInEditMode());
    REQUIRE(grid.Control()->get_ActiveCell(active.ReleaseAndGetAddressOf()) == S_OK);
    CHECK(active.Get() == name.Get());
}

TEST_CASE("ValueList or Style put while the cell's list is down: the list is made again from the new setting, still down")
{
    EditGrid grid;
    grid.GiveList(L"Kind", L"Kinds", {{L"A", L"Alpha"}, {L"B", L"Beta"}}, hvStyleDropDownList);
    grid.GiveList(L"Name", L"Fruits", {{L"A", L"Apple"}, {L"B", L"Banana"}, {L"C", L"Cherry"}}, hvStyleDropDownList);
    ComPtr<IHvCell> kind = grid.Cell(1, L"Kind");
    REQUIRE(grid.EditThroughList(kind.Get(), false));
    HWND combo = grid.ListWindow();
    REQUIRE(combo);
    CHECK(SendMessageW(combo, CB_GETCOUNT, 0, 0) == 2);

    ComPtr<IHvColumn> column = grid.Column(L"Kind");
    REQUIRE(column->put_ValueList(Var(L"Fruits").v) == S_OK);
    Pump();
    combo = grid.ListWindow();
    REQUIRE(combo);
    CHECK(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0);
    CHECK(SendMessageW(combo, CB_GETCOUNT, 0, 0) == 3);
    VARIANT_BOOL down = VARIANT_FALSE;
    CHECK(kind->get_DroppedDown(&down) == S_OK);
    CHECK(down);

    REQUIRE(column->put_Style(hvStyleDropDown) == S_OK);
    Pump();
    combo = grid.ListWindow();
    REQUIRE(combo);
    CHECK((GetWindowLongPtrW(combo, GWL_STYLE) & 3) == CBS_DROPDOWN);
    CHECK(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0);
    CHECK(SendMessageW(combo, CB_GETCOUNT, 0, 0) == 3);
    CHECK(grid.IsInEditMode());
}

TEST_CASE("another user changes the record being edited: the user's edit of that field wins, other fields show the change")
{
    EditGrid grid;
    ComPtr<IHvCell> qty = grid.Cell(2, L"Qty");

    SUBCASE("the field being edited, changed by the user: that change is refused, the typed value stored")
    {
        EditWithF2(grid, qty.Get());
        grid.Type(L"7");
        CHECK(grid.StoreFromOutside(2, L"Qty", Var(55.0).v) == DB_E_CANCELED);
        Pump();
        CHECK_FALSE(grid.IsInEditMode());
        CHECK(grid.Stored(2, L"Qty").v.dblVal == 7.0);
        CHECK(ValueOf(qty.Get()) == 7.0);
    }
    SUBCASE("the field being edited, not changed by the user: the change is taken and shown")
    {
        EditWithF2(grid, qty.Get());
        CHECK(grid.StoreFromOutside(2, L"Qty", Var(66.0).v) == S_OK);
        Pump();
        CHECK_FALSE(grid.IsInEditMode());
        CHECK(grid.Stored(2, L"Qty").v.dblVal == 66.0);
        CHECK(ValueOf(qty.Get()) == 66.0);
    }
    SUBCASE("another field of the record: taken, shown, and the edit goes on")
    {
        EditWithF2(grid, qty.Get());
        grid.Type(L"8");
        CHECK(grid.StoreFromOutside(2, L"Name", Var(L"Novo").v) == S_OK);
        Pump();
        CHECK(grid.IsInEditMode());
        CHECK(grid.EditText() == L"8");
        CHECK(TextOf(grid.Cell(2, L"Name").Get()) == L"Novo");
        CHECK(grid.Control()->put_ActiveCell(grid.Cell(2, L"Name").Get()) == S_OK);
        Pump();
        CHECK(grid.Stored(2, L"Qty").v.dblVal == 8.0);
        CHECK(std::wstring(grid.Stored(2, L"Name").v.bstrVal) == L"Novo");
    }
}

TEST_CASE("an EDIT window that sizes itself: BeforeAutoSizeEdit's start sizes place it, its maximum sizes cap its growth")
{
    struct Case {
        float startWidth;
        float maxWidth;
        float startHeight;
        float maxHeight;
        bool multiLine;
        int minPixels;
        int maxPixels;
        int minPixelsHigh;
        int maxPixelsHigh;
    };
    // Container units are twips: 15 to the pixel at 96 dots an inch. The
    // window's border and margins add a few pixels to the sizes asked for.
    const Case cases[] = {
        {3000, 0, 0, 0, false, 200, 10000, 0, 10000},
        {0, 1500, 0, 0, false, 0, 104, 0, 10000},
        {0, 0, 1500, 0, true, 0, 10000, 100, 10000},
        {0, 1500, 0, 600, true, 0, 104, 0, 44},
    };
    for (const Case& c : cases) {
        CAPTURE(c.startWidth);
        CAPTURE(c.maxWidth);
        CAPTURE(c.startHeight);
        CAPTURE(c.maxHeight);
        EditGrid grid;
        // Qty: a number column, whose EDIT window takes text of any length.
        ComPtr<IHvColumn> qty = grid.Column(L"Qty");
        REQUIRE(qty->put_Style(hvStyleEdit) == S_OK);
        REQUIRE(qty->put_AutoSizeEdit(hvAutoSizeEditTrue) == S_OK);
        if (c.multiLine)
            REQUIRE(qty->put_CellMultiLine(hvCellMultiLineTrue) == S_OK);
        int fired = 0;
        grid.Events().On(BeforeAutoSizeEditId, [&](const hv::container::EventCall& call) {
            ++fired;
            ComPtr<IHvAutoSizeEdit> sizes;
            IDispatch* object = call.Object(0);
            if (!object ||
                FAILED(object->QueryInterface(IID_IHvAutoSizeEdit, reinterpret_cast<void**>(sizes.GetAddressOf()))))
                return;
            sizes->put_StartWidth(c.startWidth);
            sizes->put_MaxWidth(c.maxWidth);
            sizes->put_StartHeight(c.startHeight);
            sizes->put_MaxHeight(c.maxHeight);
        });
        EditWithF2(grid, grid.Cell(2, L"Qty").Get());
        CHECK(fired == 1);
        RECT placed{};
        REQUIRE(GetWindowRect(grid.EditWindow(), &placed));
        CHECK(placed.right - placed.left >= c.minPixels);
        CHECK(placed.right - placed.left <= c.maxPixels);
        CHECK(placed.bottom - placed.top >= c.minPixelsHigh);
        CHECK(placed.bottom - placed.top <= c.maxPixelsHigh);
        // Wider than any start width, and on several lines where it may.
        if (c.multiLine)
            grid.Type(L"1\r2\r3\r4\r5\r6\r7\r8\r");
        grid.Type(L"1234567890123456789012345678901234567890");
        RECT grown{};
        REQUIRE(GetWindowRect(grid.EditWindow(), &grown));
        CHECK(grown.right - grown.left >= placed.right - placed.left);
        CHECK(grown.right - grown.left <= c.maxPixels);
        CHECK(grown.bottom - grown.top >= placed.bottom - placed.top);
        CHECK(grown.bottom - grown.top <= c.maxPixelsHigh);
        if (c.maxWidth == 0)
            CHECK(grown.right - grown.left > placed.right - placed.left);
        if (c.multiLine && c.maxHeight == 0)
            CHECK(grown.bottom - grown.top > placed.bottom - placed.top);
        // What was typed is no number: undone.
        grid.PressKey(VK_ESCAPE);
        CHECK_FALSE(grid.IsInEditMode());
    }
}
