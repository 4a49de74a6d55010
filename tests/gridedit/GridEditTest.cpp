// Editing a bound grid through the registered control: the value typed in
// the user's locale (a number, a day) reaches the record when the cell is
// left, with its events; a text that is no number is reported and stays to
// be mended; Esc gives the old value back; a list entry picked stores its
// value.
#include "EditGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace gridedit;

namespace {

std::wstring DecimalSeparator()
{
    wchar_t separator[8] = L".";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    return separator;
}

// A BSTR that frees itself.
struct Bstr {
    BSTR b;
    explicit Bstr(const wchar_t* text) : b(SysAllocString(text)) {}
    ~Bstr() { SysFreeString(b); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
};

int IndexOf(const std::vector<DISPID>& seen, DISPID id)
{
    auto found = std::find(seen.begin(), seen.end(), id);
    return found == seen.end() ? -1 : static_cast<int>(found - seen.begin());
}

// Qty edits in a box of its own with suggested quantities to drop down.
void SuggestQuantities(EditGrid& grid)
{
    grid.GiveList(L"Qty", L"Quantities", {{L"10", L"10"}, {L"20", L"20"}}, hvStyleDropDown);
}

} // namespace

TEST_CASE("a number typed in the user's locale reaches the record when the cell is left, with its events in order")
{
    EditGrid grid;
    SuggestQuantities(grid);
    ComPtr<IHvCell> qty = grid.Cell(2, L"Qty");
    REQUIRE(grid.EditThroughList(qty.Get()));
    CHECK(grid.EditText() == L"20");
    grid.ClearEvents();
    SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
    grid.Type(L"812" + DecimalSeparator() + L"5");
    CHECK(grid.EditText() == L"812" + DecimalSeparator() + L"5");
    VARIANT_BOOL changed = VARIANT_FALSE;
    CHECK(qty->get_DataChanged(&changed) == S_OK);
    CHECK(changed);
    CHECK(grid.Count(CellChangeId) >= 1);

    REQUIRE(grid.Control()->put_ActiveCell(grid.Cell(2, L"Name").Get()) == S_OK);
    Pump();
    CHECK_FALSE(grid.IsInEditMode());
    Var stored = grid.Stored(2, L"Qty");
    REQUIRE(stored.v.vt == VT_R8);
    CHECK(stored.v.dblVal == 812.5);
    const auto seen = grid.EventsSeen();
    const int change = IndexOf(seen, CellChangeId);
    const int beforeExit = IndexOf(seen, BeforeExitEditModeId);
    const int beforeUpdate = IndexOf(seen, BeforeCellUpdateId);
    const int afterUpdate = IndexOf(seen, AfterCellUpdateId);
    const int afterExit = IndexOf(seen, AfterExitEditModeId);
    const int beforeRowUpdate = IndexOf(seen, BeforeRowUpdateId);
    const int afterRowUpdate = IndexOf(seen, AfterRowUpdateId);
    // Edit mode is left before the text is committed.
    CHECK(change >= 0);
    CHECK(change < beforeExit);
    CHECK(beforeExit < afterExit);
    CHECK(afterExit < beforeUpdate);
    CHECK(beforeUpdate < afterUpdate);
    CHECK(afterUpdate < beforeRowUpdate);
    CHECK(beforeRowUpdate < afterRowUpdate);
    CHECK(grid.Count(ErrorId) == 0);
}

TEST_CASE("a text that is no number: the Error event, edit mode kept with the text, the record unchanged")
{
    EditGrid grid;
    SuggestQuantities(grid);
    grid.Events().On(ErrorId, [](const hv::container::EventCall& call) {
        // No box: the error's dialog is turned off by the handler.
        IDispatch* error = call.Object(0);
        ComPtr<IHvError> info;
        if (error && SUCCEEDED(error->QueryInterface(IID_IHvError, reinterpret_cast<void**>(info.GetAddressOf()))))
            info->put_DisplayErrorDialog(VARIANT_FALSE);
    });
    ComPtr<IHvCell> qty = grid.Cell(2, L"Qty");
    REQUIRE(grid.EditThroughList(qty.Get()));
    SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
    grid.Type(L"abc");
    grid.ClearEvents();
    grid.Control()->put_ActiveCell(grid.Cell(2, L"Name").Get());
    Pump();
    CHECK(grid.Count(ErrorId) == 1);
    CHECK(grid.Count(AfterCellUpdateId) == 0);
    CHECK(grid.IsInEditMode());
    CHECK(grid.EditText() == L"abc");
    VARIANT_BOOL changed = VARIANT_FALSE;
    CHECK(qty->get_DataChanged(&changed) == S_OK);
    CHECK(changed);
    Var stored = grid.Stored(2, L"Qty");
    REQUIRE(stored.v.vt == VT_R8);
    CHECK(stored.v.dblVal == 20.0);
    CHECK(grid.Boxes().Texts().empty());
}

TEST_CASE("undoing the cell while editing gives the old value back: no cell update, the record unchanged")
{
    EditGrid grid;
    SuggestQuantities(grid);
    ComPtr<IHvCell> qty = grid.Cell(2, L"Qty");
    REQUIRE(grid.EditThroughList(qty.Get()));
    SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
    grid.Type(L"9");
    grid.ClearEvents();
    // What Esc does in edit mode.
    CHECK(qty->CancelUpdate() == S_OK);
    Pump();
    CHECK_FALSE(grid.IsInEditMode());
    CHECK(grid.Count(BeforeCellUpdateId) == 0);
    Var value;
    REQUIRE(qty->get_Value(&value.v) == S_OK);
    REQUIRE(VariantChangeType(&value.v, &value.v, 0, VT_R8) == S_OK);
    CHECK(value.v.dblVal == 20.0);
    CHECK(grid.Stored(2, L"Qty").v.dblVal == 20.0);
}

TEST_CASE("a day typed in the user's date format reaches the record's date field, a null one too")
{
    // 10 December: day and month read the wrong way round would give
    // 12 October.
    SYSTEMTIME typedDay{};
    typedDay.wYear = 2026, typedDay.wMonth = 12, typedDay.wDay = 10;
    wchar_t typed[64] = L"";
    REQUIRE(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &typedDay, nullptr, typed, 64) > 0);
    struct Case {
        int record;
        DATE before; // 0: null
    };
    const Case cases[] = {{1, DayOf(2026, 1, 15)}, {2, 0}};
    for (const Case& c : cases) {
        CAPTURE(c.record);
        EditGrid grid;
        ComPtr<IHvCell> day = grid.Cell(c.record, L"Day");
        Var shown;
        REQUIRE(day->get_Value(&shown.v) == S_OK);
        CHECK(shown.v.vt == (c.before ? VT_DATE : VT_NULL));
        REQUIRE(grid.Control()->put_ActiveCell(day.Get()) == S_OK);
        grid.PressKey(VK_F2);
        REQUIRE(grid.IsInEditMode());
        if (c.before) {
            // The day is shown as the user writes dates.
            SYSTEMTIME before{};
            REQUIRE(VariantTimeToSystemTime(c.before, &before));
            wchar_t text[64] = L"";
            REQUIRE(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &before, nullptr, text, 64) > 0);
            CHECK(grid.EditText() == text);
        } else {
            CHECK(grid.EditText().empty());
        }
        SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
        grid.Type(typed);
        grid.Control()->put_ActiveCell(grid.Cell(c.record, L"Name").Get());
        Pump();
        CHECK_FALSE(grid.IsInEditMode());
        CHECK(grid.Count(ErrorId) == 0);
        Var stored = grid.Stored(c.record, L"Day");
        REQUIRE(stored.v.vt == VT_DATE);
        CHECK(stored.v.date == DayOf(2026, 12, 10));
    }
}

TEST_CASE("an entry picked from the Kind list: one CellListSelect, its value stored")
{
    EditGrid grid;
    grid.GiveList(L"Kind", L"Kinds", {{L"A", L"Alpha"}, {L"B", L"Beta"}}, hvStyleDropDownList);
    ComPtr<IHvCell> kind = grid.Cell(1, L"Kind");
    REQUIRE(grid.EditThroughList(kind.Get(), false));
    VARIANT_BOOL down = VARIANT_FALSE;
    CHECK(kind->get_DroppedDown(&down) == S_OK);
    CHECK(down);
    grid.ClearEvents();
    // Down to "Beta", Enter takes it.
    grid.PressKey(VK_DOWN);
    grid.PressKey(VK_RETURN);
    CHECK(grid.Count(CellListSelectId) == 1);
    grid.Control()->put_ActiveCell(grid.Cell(1, L"Name").Get());
    Pump();
    Var stored = grid.Stored(1, L"Kind");
    REQUIRE(stored.v.vt == VT_BSTR);
    CHECK(std::wstring(stored.v.bstrVal) == L"B");
}

TEST_CASE("a write the data source refuses: one Error, the typed text kept in edit mode, stored once allowed")
{
    EditGrid grid;
    SuggestQuantities(grid);
    int errors = 0;
    grid.Events().On(ErrorId, [&](const hv::container::EventCall& call) {
        ++errors;
        ComPtr<IHvError> info;
        IDispatch* error = call.Object(0);
        if (error && SUCCEEDED(error->QueryInterface(IID_IHvError, reinterpret_cast<void**>(info.GetAddressOf()))))
            info->put_DisplayErrorDialog(VARIANT_FALSE);
    });
    hv::recordset::TestSwitches& switches = grid.Records().GetTable()->Switches();
    switches.Veto(DBREASON_COLUMN_SET, DBEVENTPHASE_OKTODO);
    ComPtr<IHvCell> qty = grid.Cell(2, L"Qty");
    REQUIRE(grid.EditThroughList(qty.Get()));
    SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
    grid.Type(L"7");
    ComPtr<IHvCell> name = grid.Cell(2, L"Name");
    grid.Control()->put_ActiveCell(name.Get());
    Pump();
    CHECK(errors == 1);
    ComPtr<IHvCell> active;
    REQUIRE(grid.Control()->get_ActiveCell(active.GetAddressOf()) == S_OK);
    CHECK(active.Get() == qty.Get());
    CHECK(grid.IsInEditMode());
    CHECK(grid.EditText() == L"7");
    CHECK(grid.Stored(2, L"Qty").v.dblVal == 20.0);

    switches.ClearVetoes();
    CHECK(grid.Control()->put_ActiveCell(name.Get()) == S_OK);
    Pump();
    CHECK(errors == 1);
    CHECK_FALSE(grid.IsInEditMode());
    CHECK(grid.Stored(2, L"Qty").v.dblVal == 7.0);
}

TEST_CASE("a write refused with the provider's own text: the Error event's data error names the cell, row, value and text")
{
    EditGrid grid;
    SuggestQuantities(grid);
    struct Seen {
        long type = -1;
        std::wstring description;
        ComPtr<IHvCell> cell;
        ComPtr<IHvRow> row;
        Var invalid;
    } seen;
    int errors = 0;
    grid.Events().On(ErrorId, [&](const hv::container::EventCall& call) {
        ++errors;
        ComPtr<IHvError> info;
        IDispatch* error = call.Object(0);
        REQUIRE(error);
        REQUIRE(error->QueryInterface(IID_IHvError, reinterpret_cast<void**>(info.GetAddressOf())) == S_OK);
        info->put_DisplayErrorDialog(VARIANT_FALSE);
        info->get_Type(reinterpret_cast<Constants_ErrorType*>(&seen.type));
        BSTR text = nullptr;
        info->get_Description(&text);
        seen.description = text ? text : L"";
        SysFreeString(text);
        ComPtr<IHvDataError> data;
        REQUIRE(info->get_DataError(data.GetAddressOf()) == S_OK);
        REQUIRE(data);
        data->get_Cell(seen.cell.GetAddressOf());
        data->get_Row(seen.row.GetAddressOf());
        data->get_InvalidValue(&seen.invalid.v);
    });
    grid.Records().GetTable()->Switches().FailCall("IRowsetChange::SetData", E_FAIL, L"Quantidade bloqueada");
    ComPtr<IHvCell> qty = grid.Cell(2, L"Qty");
    REQUIRE(grid.EditThroughList(qty.Get()));
    SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
    grid.Type(L"7");
    ComPtr<IHvCell> name = grid.Cell(2, L"Name");
    grid.Control()->put_ActiveCell(name.Get());
    Pump();

    REQUIRE(errors == 1);
    CHECK(seen.type == hvErrorTypeData);
    CHECK(seen.description.find(L"Quantidade bloqueada") != std::wstring::npos);
    CHECK(seen.cell.Get() == qty.Get());
    VARIANT_BOOL same = VARIANT_FALSE;
    REQUIRE(seen.row);
    CHECK((seen.row->IsSameAs(grid.Row(2).Get(), &same) == S_OK && same == VARIANT_TRUE));
    REQUIRE(VariantChangeType(&seen.invalid.v, &seen.invalid.v, 0, VT_R8) == S_OK);
    CHECK(seen.invalid.v.dblVal == 7.0);
    CHECK(grid.IsInEditMode());
    CHECK(grid.EditText() == L"7");
    CHECK(grid.Stored(2, L"Qty").v.dblVal == 20.0);
    CHECK(grid.Boxes().Texts().empty());

    // The refusal was for one write: leaving again stores the kept text.
    CHECK(grid.Control()->put_ActiveCell(name.Get()) == S_OK);
    Pump();
    CHECK(errors == 1);
    CHECK_FALSE(grid.IsInEditMode());
    CHECK(grid.Stored(2, L"Qty").v.dblVal == 7.0);
}

TEST_CASE("a mask refuses a key that does not fit: the Error event names the text and its place, the text kept raw")
{
    EditGrid grid;
    ComPtr<IHvColumn> name = grid.Column(L"Name");
    REQUIRE(name->put_Style(hvStyleEdit) == S_OK);
    REQUIRE(name->put_MaskInput(Bstr(L"###-##").b) == S_OK);
    std::wstring invalid;
    short position = -1;
    grid.Events().On(ErrorId, [&](const hv::container::EventCall& call) {
        ComPtr<IHvError> info;
        IDispatch* error = call.Object(0);
        if (!error || FAILED(error->QueryInterface(IID_IHvError, reinterpret_cast<void**>(info.GetAddressOf()))))
            return;
        info->put_DisplayErrorDialog(VARIANT_FALSE);
        ComPtr<IHvMaskError> mask;
        if (SUCCEEDED(info->get_MaskError(mask.GetAddressOf())) && mask) {
            BSTR text = nullptr;
            mask->get_InvalidText(&text);
            invalid = text ? text : L"";
            SysFreeString(text);
            mask->get_StartPosition(&position);
            mask->put_CancelBeep(VARIANT_TRUE);
        }
    });
    ComPtr<IHvCell> cell = grid.Cell(2, L"Name");
    REQUIRE(grid.Control()->put_ActiveCell(cell.Get()) == S_OK);
    grid.PressKey(VK_F2);
    REQUIRE(grid.IsInEditMode());
    SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
    grid.ClearEvents();
    grid.Type(L"12a3");
    CHECK(grid.Count(ErrorId) == 1);
    // The text as it would have become, and the place of its first bad character.
    CHECK(invalid == L"12a");
    CHECK(position == 2);
    CHECK(grid.EditText().find(L'a') == std::wstring::npos);
    Var mode(static_cast<long>(hvMaskModeRaw));
    BSTR raw = nullptr;
    CHECK(cell->GetText(&mode.v, &raw) == S_OK);
    CHECK(std::wstring(raw ? raw : L"") == L"123");
    SysFreeString(raw);
}

TEST_CASE("Esc while editing gives the old value back; Esc on the changed row undoes the row")
{
    EditGrid grid;
    REQUIRE(grid.Control()->put_UpdateMode(hvUpdateOnRowChange) == S_OK);
    ComPtr<IHvCell> qty = grid.Cell(2, L"Qty");
    REQUIRE(grid.Control()->put_ActiveCell(qty.Get()) == S_OK);
    grid.PressKey(VK_F2);
    REQUIRE(grid.IsInEditMode());
    SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
    grid.Type(L"9");
    grid.ClearEvents();
    grid.PressKey(VK_ESCAPE);
    CHECK_FALSE(grid.IsInEditMode());
    CHECK(grid.Count(BeforeCellUpdateId) == 0);
    Var value;
    REQUIRE(qty->get_Value(&value.v) == S_OK);
    CHECK(value.v.vt == VT_R8);
    CHECK(value.v.dblVal == 20.0);

    // Changed and left: the row keeps the change until it is left.
    grid.PressKey(VK_F2);
    SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
    grid.Type(L"9");
    grid.PressKey(VK_TAB);
    CHECK_FALSE(grid.IsInEditMode());
    VARIANT_BOOL changed = VARIANT_FALSE;
    REQUIRE(grid.Row(2)->get_DataChanged(&changed) == S_OK);
    CHECK(changed);
    grid.PressKey(VK_ESCAPE);
    Var undone;
    REQUIRE(qty->get_Value(&undone.v) == S_OK);
    CHECK(undone.v.dblVal == 20.0);
    REQUIRE(grid.Row(2)->get_DataChanged(&changed) == S_OK);
    CHECK_FALSE(changed);
    CHECK(grid.Stored(2, L"Qty").v.dblVal == 20.0);
}

TEST_CASE("a click on a cell of a band that edits on click: typed, the row written when each update mode says")
{
    struct Case {
        Constants_UpdateMode mode;
        int updatesByTab;
        int updatesByDown;
    };
    const Case cases[] = {
        {hvUpdateOnCellChange, 1, 0},
        {hvUpdateOnRowChange, 0, 1},
        {hvUpdateOnUpdate, 0, 0},
    };
    for (const Case& c : cases) {
        CAPTURE(c.mode);
        EditGrid grid;
        REQUIRE(grid.Control()->put_UpdateMode(c.mode) == S_OK);
        ComPtr<IHvBands> bands;
        REQUIRE(grid.Control()->get_Bands(bands.GetAddressOf()) == S_OK);
        ComPtr<IHvBand> band;
        REQUIRE(bands->get_Item(Var(0L).v, band.GetAddressOf()) == S_OK);
        ComPtr<IHvOverride> override;
        REQUIRE(band->get_Override(override.GetAddressOf()) == S_OK);
        REQUIRE(override->put_CellClickAction(hvClickActionEdit) == S_OK);
        Pump();
        ComPtr<IHvCell> qty = grid.Cell(2, L"Qty");
        grid.ClickCell(qty.Get());
        REQUIRE(grid.IsInEditMode());
        CHECK(grid.EditText() == L"20");
        SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
        grid.Type(L"812" + DecimalSeparator() + L"5");
        grid.ClearEvents();
        grid.PressKey(VK_TAB);
        CHECK_FALSE(grid.IsInEditMode());
        CHECK(grid.Count(AfterCellUpdateId) == 1);
        CHECK(grid.Count(AfterRowUpdateId) == c.updatesByTab);
        grid.ClearEvents();
        grid.PressKey(VK_DOWN);
        CHECK(grid.Count(AfterRowUpdateId) == c.updatesByDown);
        VARIANT_BOOL changed = VARIANT_FALSE;
        REQUIRE(grid.Row(2)->get_DataChanged(&changed) == S_OK);
        CHECK(static_cast<bool>(changed) == (c.mode == hvUpdateOnUpdate));
        if (c.mode == hvUpdateOnUpdate) {
            REQUIRE(grid.Control()->Update() == S_OK);
            CHECK(grid.Count(AfterRowUpdateId) == 1);
        }
        CHECK(grid.Count(ErrorId) == 0);
        CHECK(grid.Stored(2, L"Qty").v.dblVal == 812.5);
    }
}

TEST_CASE("a row height that is no size is refused")
{
    EditGrid grid;
    ComPtr<IHvRow> row = grid.Row(1);
    float before = 0;
    REQUIRE(row->get_Height(&before) == S_OK);
    for (float height : {std::nanf(""), std::numeric_limits<float>::infinity(), -1.0f}) {
        CAPTURE(height);
        CHECK(row->put_Height(height) == static_cast<HRESULT>(0x800A017C));
        float after = 0;
        REQUIRE(row->get_Height(&after) == S_OK);
        CHECK(after == before);
    }
}

namespace {

// What the form saw of a close sent while a cell was being edited.
struct CloseSeen {
    EditGrid* grid = nullptr;
    WNDPROC previous = nullptr;
    int closes = 0;
    bool editing = true;
    double stored = 0;
};
CloseSeen* g_closeSeen = nullptr;

// The form's own procedure: it notes the state of the grid when the close
// reaches it, and stays open for the test.
LRESULT CALLBACK NotingFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE && g_closeSeen) {
        ++g_closeSeen->closes;
        g_closeSeen->editing = g_closeSeen->grid->IsInEditMode();
        g_closeSeen->stored = g_closeSeen->grid->Stored(2, L"Qty").v.dblVal;
        return 0;
    }
    return CallWindowProcW(g_closeSeen->previous, window, message, wParam, lParam);
}

} // namespace

TEST_CASE("closing the form while a cell is edited: edit mode is left and the typed value stored before the form closes")
{
    EditGrid grid;
    const HWND form = GetAncestor(grid.GridWindow(), GA_ROOT);
    CloseSeen seen;
    seen.grid = &grid;
    g_closeSeen = &seen;
    seen.previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NotingFormProc)));

    ComPtr<IHvCell> qty = grid.Cell(2, L"Qty");
    SetFocus(grid.GridWindow());
    REQUIRE(grid.Control()->put_ActiveCell(qty.Get()) == S_OK);
    grid.PressKey(VK_F2);
    REQUIRE(grid.IsInEditMode());
    SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
    grid.Type(L"7");
    SendMessageW(form, WM_CLOSE, 0, 0);
    Pump();
    CHECK(seen.closes == 1);
    CHECK_FALSE(seen.editing);
    CHECK(seen.stored == 7.0);
    CHECK(grid.Count(ErrorId) == 0);

    REQUIRE(GetWindowLongPtrW(form, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&NotingFormProc));
    SetWindowLongPtrW(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(seen.previous));
    g_closeSeen = nullptr;
}

TEST_CASE("a row update the data source refuses: one Error, the row stays active and changed, written once allowed")
{
    EditGrid grid;
    REQUIRE(grid.Control()->put_UpdateMode(hvUpdateOnRowChange) == S_OK);
    int errors = 0;
    grid.Events().On(ErrorId, [&](const hv::container::EventCall& call) {
        ++errors;
        ComPtr<IHvError> info;
        IDispatch* error = call.Object(0);
        if (error && SUCCEEDED(error->QueryInterface(IID_IHvError, reinterpret_cast<void**>(info.GetAddressOf()))))
            info->put_DisplayErrorDialog(VARIANT_FALSE);
    });
    hv::recordset::TestSwitches& switches = grid.Records().GetTable()->Switches();
    switches.Veto(DBREASON_ROW_UPDATE, DBEVENTPHASE_OKTODO);
    ComPtr<IHvCell> qty = grid.Cell(2, L"Qty");
    SetFocus(grid.GridWindow());
    REQUIRE(grid.Control()->put_ActiveCell(qty.Get()) == S_OK);
    grid.PressKey(VK_F2);
    REQUIRE(grid.IsInEditMode());
    SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
    grid.Type(L"9");
    grid.PressKey(VK_TAB);
    CHECK_FALSE(grid.IsInEditMode());
    grid.ClearEvents();
    grid.PressKey(VK_DOWN);
    CHECK(errors == 1);
    CHECK(grid.Count(AfterRowUpdateId) == 0);
    ComPtr<IHvRow> active;
    REQUIRE(grid.Control()->get_ActiveRow(active.GetAddressOf()) == S_OK);
    VARIANT_BOOL same = VARIANT_FALSE;
    REQUIRE(active);
    CHECK((active->IsSameAs(grid.Row(2).Get(), &same) == S_OK && same == VARIANT_TRUE));
    VARIANT_BOOL changed = VARIANT_FALSE;
    REQUIRE(grid.Row(2)->get_DataChanged(&changed) == S_OK);
    CHECK(changed);

    switches.ClearVetoes();
    grid.PressKey(VK_DOWN);
    CHECK(errors == 1);
    CHECK(grid.Count(AfterRowUpdateId) == 1);
    REQUIRE(grid.Row(2)->get_DataChanged(&changed) == S_OK);
    CHECK_FALSE(changed);
    CHECK(grid.Stored(2, L"Qty").v.dblVal == 9.0);
}

TEST_CASE("a cell of a second grid edited while the first grid edits: the first commits first; when it will not leave, the second does not edit")
{
    EditGrid first;
    EditGrid second;
    bool refuseExit = false;
    first.Events().On(BeforeExitEditModeId, [&](const hv::container::EventCall& call) { call.SetBool(0, refuseExit); });
    auto editFirst = [&](const wchar_t* text) {
        SetFocus(first.GridWindow());
        REQUIRE(first.Control()->put_ActiveCell(first.Cell(2, L"Qty").Get()) == S_OK);
        first.PressKey(VK_F2);
        REQUIRE(first.IsInEditMode());
        SendMessageW(first.EditWindow(), EM_SETSEL, 0, -1);
        first.Type(text);
    };
    auto editSecond = [&]() {
        REQUIRE(second.Control()->put_ActiveCell(second.Cell(1, L"Name").Get()) == S_OK);
        SetFocus(second.GridWindow());
        second.PressKey(VK_F2);
    };

    editFirst(L"7");
    editSecond();
    CHECK_FALSE(first.IsInEditMode());
    CHECK(first.Stored(2, L"Qty").v.dblVal == 7.0);
    CHECK(second.IsInEditMode());
    second.PressKey(VK_ESCAPE);
    REQUIRE_FALSE(second.IsInEditMode());

    editFirst(L"8");
    refuseExit = true;
    editSecond();
    CHECK(first.IsInEditMode());
    CHECK(first.EditText() == L"8");
    CHECK_FALSE(second.IsInEditMode());
    CHECK(first.Stored(2, L"Qty").v.dblVal == 7.0);

    refuseExit = false;
    REQUIRE(first.Control()->put_ActiveCell(first.Cell(2, L"Name").Get()) == S_OK);
    Pump();
    CHECK(first.Stored(2, L"Qty").v.dblVal == 8.0);
}
