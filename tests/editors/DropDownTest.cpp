// The value-list drop-downs: opening, choosing and closing with their
// events, validating lists, completion, sizes and placement.
#include "CControlDropDown.h"
#include "EditorFakes.h"

#include <doctest/doctest.h>

#include <algorithm>

namespace {

using Log = std::vector<std::string>;

bool Logged(const Log& log, const char* entry) { return std::find(log.begin(), log.end(), entry) != log.end(); }

// A cell of a value-list column holding 1 ("Um").
struct ListCell {
    explicit ListCell(LONG style)
    {
        f.host.column.style = style;
        f.host.column.list = lists.list;
        f.host.column.dataType = 3;
        const VARIANT one = LongValue(1);
        f.SetValue(one);
    }
    // Chooses an entry as a click in the list would.
    void Choose(int index)
    {
        CValueListDropDown* list = f.editor->DropDowns().Get(f.cell);
        SendMessageW(list->Window(), CB_SETCURSEL, index, 0);
        SendMessageW(f.host.grid, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list->Window()));
    }

    ListFixture lists;
    EditFixture f;
};

} // namespace

TEST_CASE("editors_ drop-down list: a click opens it, a choice is taken, leaving commits the item's value")
{
    ListCell c(hvStyleDropDownList);
    CHECK(c.f.CellText() == L"Um");
    REQUIRE_FALSE(c.f.editor->EnterEditMode(c.f.cell, true));
    CValueListDropDown* list = c.f.editor->DropDowns().Get(c.f.cell);
    REQUIRE(list);
    CHECK(list->IsDroppedDown());
    CHECK(list->GetCount() == 3);
    CHECK(list->GetCurSel() == 0);
    CHECK(c.f.TakeLog() == Log{"ClearAllSelections", "BeforeEnterEditMode", "BeforeCellListDropDown",
                               "AfterEnterEditMode"});
    // No EDIT window for this style.
    CHECK_FALSE(c.f.editor->Edit().IsVisible());

    c.Choose(1);
    CHECK(c.f.TakeLog() == Log{"CellListSelect"});
    CHECK(c.f.editor->GetEditText() == L"Dois");
    CHECK(c.f.CellText() == L"Dois");
    VARIANT_BOOL changed = VARIANT_FALSE;
    c.f.cell->get_DataChanged(&changed);
    CHECK(changed == VARIANT_TRUE);

    c.f.editor->DropDowns().Close(c.f.cell);
    CHECK_FALSE(list->IsDroppedDown());
    CHECK(c.f.TakeLog() == Log{"AfterCellListCloseUp"});

    CHECK_FALSE(c.f.editor->ExitEditMode(c.f.cell, false, false));
    REQUIRE(c.f.row.value.vt == VT_I4);
    CHECK(c.f.row.value.lVal == 2);
}

TEST_CASE("editors_ drop-down list: entered by keyboard and left without a choice keeps the value")
{
    ListCell c(hvStyleDropDownList);
    REQUIRE_FALSE(c.f.editor->EnterEditMode(c.f.cell, false));
    CValueListDropDown* list = c.f.editor->DropDowns().Get(c.f.cell);
    REQUIRE(list);
    CHECK_FALSE(list->IsDroppedDown());
    // The current item is proposed as the pending value.
    CHECK(c.f.editor->HasPendingValue());
    c.f.TakeLog();
    CHECK_FALSE(c.f.editor->ExitEditMode(c.f.cell, false, false));
    CHECK_FALSE(Logged(c.f.TakeLog(), "DataError Illegal data value"));
    CHECK(c.f.row.value.lVal == 1);
}

TEST_CASE("editors_ drop-down list: a cancelled BeforeCellListDropDown leaves the list closed")
{
    ListCell c(hvStyleDropDownList);
    c.f.host.cancel.insert("BeforeCellListDropDown");
    REQUIRE_FALSE(c.f.editor->EnterEditMode(c.f.cell, true));
    CHECK_FALSE(c.f.editor->DropDowns().Get(c.f.cell)->IsDroppedDown());
    CHECK(c.f.cell->IsInEditMode());
}

TEST_CASE("editors_ drop-down: a choice goes into the EDIT window, typing clears the proposed value")
{
    ListCell c(hvStyleDropDown);
    REQUIRE_FALSE(c.f.editor->EnterEditMode(c.f.cell, false));
    CHECK(c.f.editor->Edit().Text() == L"Um");
    c.f.editor->DropDowns().Toggle(c.f.cell);
    CValueListDropDown* list = c.f.editor->DropDowns().Get(c.f.cell);
    REQUIRE(list->IsDroppedDown());
    c.Choose(2);
    CHECK(c.f.editor->Edit().Text() == L"Tres");
    CHECK(c.f.editor->HasPendingValue());
    SendMessageW(c.f.host.grid, WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(list->Window()));
    CHECK_FALSE(c.f.editor->HasPendingValue());
    c.f.editor->DropDowns().Toggle(c.f.cell);
    CHECK_FALSE(list->IsDroppedDown());
    CHECK_FALSE(c.f.editor->ExitEditMode(c.f.cell, false, false));
    CHECK(c.f.row.value.lVal == 3);
}

TEST_CASE("editors_ validating drop-down: an unknown text is refused unless it is the stored one")
{
    ListCell c(hvStyleDropDownValidate);
    const VARIANT unknown = LongValue(7);
    c.f.SetValue(unknown);

    SUBCASE("the text it started with leaves silently")
    {
        REQUIRE_FALSE(c.f.editor->EnterEditMode(c.f.cell, false));
        CHECK(c.f.editor->Edit().Text() == L"7");
        c.f.TakeLog();
        CHECK_FALSE(c.f.editor->ExitEditMode(c.f.cell, false, false));
        CHECK_FALSE(c.f.cell->IsInEditMode());
        CHECK(c.f.TakeLog() == Log{"BeforeExitEditMode", "AfterExitEditMode"});
    }
    SUBCASE("another unknown text raises the data error and edits again")
    {
        REQUIRE_FALSE(c.f.editor->EnterEditMode(c.f.cell, false));
        SetWindowTextW(c.f.editor->Edit().Handle(), L"Cinco");
        c.f.TakeLog();
        CHECK(c.f.editor->ExitEditMode(c.f.cell, false, false));
        CHECK(Logged(c.f.TakeLog(), "DataError Illegal data value"));
        CHECK(c.f.cell->IsInEditMode());
        CHECK(c.f.row.value.lVal == 7);
    }
    SUBCASE("the container's own text replaces the message")
    {
        c.f.host.dialogString = L"Valor ilegal";
        REQUIRE_FALSE(c.f.editor->EnterEditMode(c.f.cell, false));
        SetWindowTextW(c.f.editor->Edit().Handle(), L"Cinco");
        c.f.TakeLog();
        c.f.editor->ExitEditMode(c.f.cell, false, false);
        CHECK(Logged(c.f.TakeLog(), "DataError Valor ilegal"));
    }
    SUBCASE("a text of the list is taken")
    {
        REQUIRE_FALSE(c.f.editor->EnterEditMode(c.f.cell, false));
        SetWindowTextW(c.f.editor->Edit().Handle(), L"Dois");
        CHECK_FALSE(c.f.editor->ExitEditMode(c.f.cell, false, false));
        CHECK(c.f.row.value.lVal == 2);
    }
}

TEST_CASE("editors_ drop-down: typing with AutoEdit completes from the list")
{
    ListCell c(hvStyleDropDown);
    c.f.host.column.autoEdit = true;
    REQUIRE_FALSE(c.f.editor->EnterEditMode(c.f.cell, false));
    SetWindowTextW(c.f.editor->Edit().Handle(), L"");
    c.f.Type(L"tr");
    CHECK(c.f.editor->Edit().Text() == L"Tres");
    DWORD start = 0, end = 0;
    SendMessageW(c.f.editor->Edit().Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    CHECK(start == 2);
    CHECK(end == 4);
    CHECK(c.f.editor->DropDowns().Get(c.f.cell)->GetCurSel() == 2);
}

TEST_CASE("editors_ drop-down: AutoCompleteText matches the start of an entry, ignoring case")
{
    ListCell c(hvStyleDropDown);
    REQUIRE(c.f.editor->DropDowns().Get(c.f.cell));
    struct Case {
        const wchar_t* typed;
        bool found;
        const wchar_t* text;
        int current;
    };
    const Case cases[] = {
        {L"d", true, L"Dois", 1}, {L"UM", true, L"Um", 0}, {L"Treze", false, L"Treze", -1}, {L"", false, L"", -1}};
    for (const Case& k : cases) {
        CAPTURE(std::string(k.typed, k.typed + wcslen(k.typed)));
        std::wstring text = k.typed;
        CHECK(c.f.editor->DropDowns().AutoCompleteText(&text) == k.found);
        CHECK(text == k.text);
        CHECK(c.f.editor->DropDowns().Get(c.f.cell)->GetCurSel() == k.current);
    }
}

TEST_CASE("editors_ drop-down sizes: one row when empty, ten rows at most")
{
    FakeEditorHost host;
    CSimpleDropDown list;
    REQUIRE(list.Create(host.grid));
    const int row = static_cast<int>(SendMessageW(list.Window(), CB_GETITEMHEIGHT, 0, 0));
    const int frame = 4 * GetSystemMetrics(SM_CYEDGE);

    RECT rect{0, 0, 80, 0};
    list.GetListSize(&rect, false);
    const int field = rect.bottom - frame - row;
    CHECK(field >= 0);
    for (int i = 0; i < 25; ++i)
        list.AddItem(std::to_wstring(i).c_str(), i);
    rect = {0, 0, 80, 0};
    list.GetListSize(&rect, false);
    CHECK(rect.bottom == frame + 10 * row + field);
    CHECK(rect.right == 80);
    CHECK(list.GetCount() == 25);
}

TEST_CASE("editors_ drop-down placement: at least 50 pixels growing leftwards, above the cell at the screen's end")
{
    FakeEditorHost host;
    CSimpleDropDown list;
    REQUIRE(list.Create(host.grid));
    list.AddItem(L"a", 1);

    REQUIRE(list.ShowAt(nullptr, RECT{100, 20, 130, 40}, nullptr));
    CHECK(list.ListRect().right == 130);
    CHECK(list.ListRect().right - list.ListRect().left == 50);

    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    MoveWindow(host.grid, 100, work.bottom - 120, 400, 300, FALSE);
    // Ten rows do not fit in the 40 pixels left under the cell.
    for (int i = 0; i < 9; ++i)
        list.AddItem(std::to_wstring(i).c_str(), i);
    RECT cell{100, 60, 200, 80};
    list.ShowAt(nullptr, cell, nullptr);
    CHECK(list.ListRect().bottom <= cell.top);
}

TEST_CASE("editors_ drop-down objects: found from their windows, a foreign property is ignored")
{
    FakeEditorHost host;
    CSimpleDropDown list;
    REQUIRE(list.Create(host.grid));
    CHECK(CSimpleDropDown::FromWindow(list.Window()) == &list);
    CHECK(CSimpleDropDown::FromWindow(nullptr) == nullptr);
    static int notADropDown = 0;
    SetPropW(host.grid, CSimpleDropDown::PropertyName, &notADropDown);
    CHECK(CSimpleDropDown::FromWindow(host.grid) == nullptr);
    RemovePropW(host.grid, CSimpleDropDown::PropertyName);
    // Other notifications and windows without an object answer 1.
    CHECK(CSimpleDropDown::OnCommand(CBN_SELCHANGE, host.grid) == 1);
    list.Close();
    CHECK_FALSE(list.IsCreated());
    CHECK(list.GetCount() == -1);
    CHECK_FALSE(list.Open());
}

TEST_CASE("editors_ cell parts: a press on the drop-down button activates, edits and toggles the list")
{
    ListCell c(hvStyleDropDown);
    c.f.host.active = nullptr;
    CHECK(c.f.editor->OnCellPartPressed(c.f.cell, CellPart::DropDownButton));
    CHECK(c.f.host.active == c.f.cell);
    CHECK(c.f.cell->IsInEditMode());
    CValueListDropDown* list = c.f.editor->DropDowns().Get(c.f.cell);
    REQUIRE(list);
    CHECK(list->IsDroppedDown());
    CHECK(c.f.TakeLog() == Log{"ClickSelectCell", "ClearAllSelections", "BeforeEnterEditMode",
                               "AfterEnterEditMode", "BeforeCellListDropDown"});
    // Pressed again while editing: the list closes and the EDIT window keeps the focus.
    CHECK(c.f.editor->OnCellPartPressed(c.f.cell, CellPart::DropDownButton));
    CHECK_FALSE(list->IsDroppedDown());
    CHECK(c.f.TakeLog() == Log{"AfterCellListCloseUp"});
}

TEST_CASE("editors_ cell parts: check boxes, cell buttons and a press that is not taken")
{
    EditFixture f;
    f.host.column.style = hvStyleCheckBox;
    CHECK(f.editor->OnCellPartPressed(f.cell, CellPart::CheckBox));
    CHECK(f.cell->IsInEditMode());
    CHECK(f.TakeLog() == Log{"ClickSelectCell", "ClearAllSelections", "BeforeEnterEditMode",
                             "AfterEnterEditMode", "ToggleCheckBox"});
    CHECK(f.editor->OnCellPartPressed(f.cell, CellPart::CheckBox));
    CHECK(f.TakeLog() == Log{"ToggleCheckBox"});
    CHECK(f.editor->OnCellPartPressed(f.cell, CellPart::CellButton));
    CHECK(f.TakeLog() == Log{"ClickCellButton"});
    CHECK_FALSE(f.editor->OnCellPartPressed(f.cell, CellPart::Text));
    // A click the handler does not turn into activation goes no further.
    f.editor->ExitEditMode(f.cell, true, false);
    f.host.active = nullptr;
    f.host.selectOnClick = false;
    f.TakeLog();
    CHECK(f.editor->OnCellPartPressed(f.cell, CellPart::CheckBox));
    CHECK(f.TakeLog() == Log{"ClickSelectCell"});
    CHECK_FALSE(f.cell->IsInEditMode());
}

TEST_CASE("editors_ control's list: grows to its entries, hands back the choice and its messages")
{
    struct Owner final : ControlDropDownOwner {
        void OnDropDownChoose(LPARAM data) override { log.push_back("Choose " + std::to_string(data)); }
        void OnDropDownClose() override { log.push_back("Close"); }
        bool ForwardDropDownMessage(HWND, UINT message, WPARAM, LPARAM) override
        {
            if (message == WM_CHAR)
                log.push_back("Forwarded");
            return message == WM_CHAR;
        }
        Log log;
    };
    FakeEditorHost host;
    Owner owner;
    CControlDropDown list(host.grid, &owner);
    REQUIRE(list.IsCreated());
    list.AddItem(L"a", 7);
    const LONG narrow = list.ListRect().right - list.ListRect().left;
    list.AddItem(L"a much longer entry than the first", 8);
    CHECK(list.ListRect().right - list.ListRect().left > narrow);

    SendMessageW(list.Window(), CB_SETCURSEL, 1, 0);
    CSimpleDropDown::OnCommand(CBN_SELENDOK, list.Window());
    CSimpleDropDown::OnCommand(CBN_SELENDCANCEL, list.Window());
    SendMessageW(list.Window(), WM_CHAR, 'x', 1);
    CHECK(owner.log == Log{"Choose 8", "Close", "Forwarded"});
}
