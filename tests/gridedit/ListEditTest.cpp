// A cell's value list through the registered control: an entry picked with
// the mouse (a click in the dropped list, or a press on the cell's button
// released over an entry) is taken once and stored; a validating list
// refuses a text that is none of its entries; an entry's long text is taken
// whole.
#include "EditGrid.h"

#include <string>

using namespace gridedit;

namespace {

// The list box of the cell's dropped list.
HWND DroppedListBox(const EditGrid& grid)
{
    HWND combo = grid.ListWindow();
    if (!combo || !SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0))
        return nullptr;
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(combo, &info) || !IsWindowVisible(info.hwndList))
        return nullptr;
    return info.hwndList;
}

// The middle of an entry of the dropped list, in the list box's client area.
POINT EntryPoint(HWND listBox, int index)
{
    RECT item{};
    REQUIRE(SendMessageW(listBox, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) != LB_ERR);
    return {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

void MoveCursorTo(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    SetCursorPos(client.x, client.y);
}

void SilenceErrors(EditGrid& grid, std::vector<std::wstring>* descriptions)
{
    grid.Events().On(ErrorId, [descriptions](const hv::container::EventCall& call) {
        ComPtr<IHvError> info;
        IDispatch* error = call.Object(0);
        if (!error || FAILED(error->QueryInterface(IID_IHvError, reinterpret_cast<void**>(info.GetAddressOf()))))
            return;
        info->put_DisplayErrorDialog(VARIANT_FALSE);
        BSTR text = nullptr;
        info->get_Description(&text);
        descriptions->push_back(text ? text : L"");
        SysFreeString(text);
    });
}

void EditWithF2(EditGrid& grid, IHvCell* cell)
{
    SetFocus(grid.GridWindow());
    REQUIRE(grid.Control()->put_ActiveCell(cell) == S_OK);
    grid.PressKey(VK_F2);
    REQUIRE(grid.IsInEditMode());
    SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
}

} // namespace

TEST_CASE("an entry of the Kind list picked with the mouse: one CellListSelect, its value stored")
{
    struct Case {
        const wchar_t* name;
        Constants_Style style;
        // True: the press began on the cell's drop-down button and the
        // button is let go over the entry; false: a click in the list.
        bool dragFromButton;
    };
    const Case cases[] = {
        {L"click, drop-down list", hvStyleDropDownList, false},
        {L"click, editable list", hvStyleDropDown, false},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.name, c.name + wcslen(c.name)));
        EditGrid grid;
        grid.GiveList(L"Kind", L"Kinds", {{L"A", L"Alpha"}, {L"B", L"Beta"}}, c.style);
        ComPtr<IHvCell> kind = grid.Cell(1, L"Kind");
        SetFocus(grid.GridWindow());
        REQUIRE(grid.Control()->put_ActiveCell(kind.Get()) == S_OK);
        Pump();
        REQUIRE(grid.ClickCellPart(kind.Get(), hvUIElementDropDownBtn, !c.dragFromButton));
        REQUIRE(grid.IsInEditMode());
        const HWND listBox = DroppedListBox(grid);
        REQUIRE(listBox);
        grid.ClearEvents();
        const POINT entry = EntryPoint(listBox, 1);
        const LPARAM at = MAKELPARAM(entry.x, entry.y);
        MoveCursorTo(listBox, entry);
        // A drag moves over the list with the button down, and lets it go
        // there.
        SendMessageW(listBox, WM_MOUSEMOVE, c.dragFromButton ? MK_LBUTTON : 0, at);
        if (!c.dragFromButton)
            SendMessageW(listBox, WM_LBUTTONDOWN, MK_LBUTTON, at);
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_LBUTTON] = 0;
        SetKeyboardState(keys);
        SendMessageW(listBox, WM_LBUTTONUP, 0, at);
        Pump();
        CHECK(grid.Count(CellListSelectId) == 1);
        CHECK(DroppedListBox(grid) == nullptr);
        CHECK(grid.IsInEditMode());
        if (c.style == hvStyleDropDown)
            CHECK(grid.EditText() == L"Beta");

        REQUIRE(grid.Control()->put_ActiveCell(grid.Cell(1, L"Name").Get()) == S_OK);
        Pump();
        CHECK_FALSE(grid.IsInEditMode());
        CHECK(grid.Count(ErrorId) == 0);
        Var stored = grid.Stored(1, L"Kind");
        REQUIRE(stored.v.vt == VT_BSTR);
        CHECK(std::wstring(stored.v.bstrVal) == L"B");
    }
}

TEST_CASE("a validating list: a text that is no entry is refused with 'Illegal data value' and kept; an entry is stored")
{
    EditGrid grid;
    std::vector<std::wstring> errors;
    SilenceErrors(grid, &errors);
    grid.GiveList(L"Name", L"Names", {{L"Um", L"One"}, {L"Dois", L"Two"}, {L"Novo", L"New"}}, hvStyleDropDownValidate);
    ComPtr<IHvCell> name = grid.Cell(2, L"Name");
    ComPtr<IHvCell> qty = grid.Cell(2, L"Qty");

    EditWithF2(grid, name.Get());
    CHECK(grid.EditText() == L"Two");
    grid.Type(L"Gamma");
    grid.ClearEvents();
    grid.Control()->put_ActiveCell(qty.Get());
    Pump();
    REQUIRE(errors.size() == 1);
    CHECK(errors[0].find(L"Illegal data value") != std::wstring::npos);
    CHECK(grid.IsInEditMode());
    CHECK(grid.EditText() == L"Gamma");
    CHECK(grid.Count(BeforeCellUpdateId) == 0);
    CHECK(std::wstring(grid.Stored(2, L"Name").v.bstrVal) == L"Dois");
    CHECK(grid.Boxes().Texts().empty());

    // An entry's text typed: its value is stored.
    SendMessageW(grid.EditWindow(), EM_SETSEL, 0, -1);
    grid.Type(L"New");
    REQUIRE(grid.Control()->put_ActiveCell(qty.Get()) == S_OK);
    Pump();
    CHECK(errors.size() == 1);
    CHECK_FALSE(grid.IsInEditMode());
    CHECK(std::wstring(grid.Stored(2, L"Name").v.bstrVal) == L"Novo");

    // A text that is no entry but is the stored value itself leaves silently.
    ComPtr<IHvCell> other = grid.Cell(3, L"Name");
    EditWithF2(grid, other.Get());
    grid.Type(L"Tres");
    REQUIRE(grid.Control()->put_ActiveCell(grid.Cell(3, L"Qty").Get()) == S_OK);
    Pump();
    CHECK(errors.size() == 1);
    CHECK_FALSE(grid.IsInEditMode());
    CHECK(std::wstring(grid.Stored(3, L"Name").v.bstrVal) == L"Tres");
}

TEST_CASE("an entry whose text is longer than 255 characters is taken whole and stores its value")
{
    EditGrid grid;
    std::vector<std::wstring> errors;
    SilenceErrors(grid, &errors);
    std::wstring longText(300, L'x');
    longText += L"end";
    grid.GiveList(L"Kind", L"Kinds", {{L"A", L"Alpha"}, {L"B", longText.c_str()}}, hvStyleDropDown);
    ComPtr<IHvCell> kind = grid.Cell(1, L"Kind");
    REQUIRE(grid.EditThroughList(kind.Get(), false));
    grid.ClearEvents();
    grid.PressKey(VK_DOWN);
    grid.PressKey(VK_RETURN);
    CHECK(grid.Count(CellListSelectId) == 1);
    CHECK(grid.EditText() == longText);
    REQUIRE(grid.Control()->put_ActiveCell(grid.Cell(1, L"Name").Get()) == S_OK);
    Pump();
    CHECK(errors.empty());
    CHECK_FALSE(grid.IsInEditMode());
    CHECK(std::wstring(grid.Stored(1, L"Kind").v.bstrVal) == L"B");
}

TEST_CASE("a dropped list is as tall as its entries, ten at most")
{
    struct Case {
        int entries;
        int rows;
    };
    for (const Case& c : {Case{2, 2}, Case{25, 10}}) {
        CAPTURE(c.entries);
        EditGrid grid;
        std::vector<std::wstring> texts;
        for (int i = 0; i < c.entries; ++i)
            texts.push_back(L"Entry " + std::to_wstring(i));
        std::vector<std::pair<const wchar_t*, const wchar_t*>> items;
        for (const std::wstring& text : texts)
            items.push_back({text.c_str(), text.c_str()});
        grid.GiveList(L"Name", L"Entries", items, hvStyleDropDown);
        REQUIRE(grid.EditThroughList(grid.Cell(1, L"Name").Get(), false));
        const HWND listBox = DroppedListBox(grid);
        REQUIRE(listBox);
        const LRESULT itemHeight = SendMessageW(listBox, LB_GETITEMHEIGHT, 0, 0);
        REQUIRE(itemHeight > 0);
        RECT client{};
        GetClientRect(listBox, &client);
        CHECK((client.bottom + itemHeight / 2) / itemHeight == c.rows);
        grid.PressKey(VK_ESCAPE);
    }
}
