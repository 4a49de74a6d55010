// The EDIT window and the calendar: style bits, text limits, colours, the
// focus leaving the editor, and dates picked in the calendar.
#include "EditorFakes.h"

#include <commctrl.h>

#include <doctest/doctest.h>

namespace {

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }

VARIANT Date(WORD year, WORD month, WORD day, WORD hour, WORD minute)
{
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DATE;
    SystemTimeToVariantTime(&time, &v.date);
    return v;
}

} // namespace

TEST_CASE("editors_ EDIT window: style bits follow alignment, case, editability and lines")
{
    struct Case {
        LONG alignment;
        bool singleLine;
        LONG textCase;
        bool readOnly;
        bool multiLine;
        bool scroll;
        DWORD expected;
    };
    const Case cases[] = {
        {1, true, 0, false, false, false, ES_AUTOHSCROLL},
        {2, true, 0, false, false, false, ES_CENTER | ES_AUTOHSCROLL},
        {3, true, 1, false, false, false, ES_RIGHT | ES_LOWERCASE | ES_AUTOHSCROLL},
        {1, true, 2, true, false, false, ES_UPPERCASE | ES_READONLY | ES_AUTOHSCROLL},
        {1, false, 0, false, true, true, ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL},
        // A single-line editor ignores the column's multi-line setting.
        {1, true, 0, false, true, true, ES_AUTOHSCROLL},
    };
    for (const Case& c : cases) {
        CAPTURE(c.alignment);
        CAPTURE(c.textCase);
        CHECK(HvEditWindow::StyleFor(c.alignment, c.singleLine, c.textCase, c.readOnly, c.multiLine, c.scroll) ==
              c.expected);
    }
}

TEST_CASE("editors_ EDIT window: a string column limits the text to FieldLen, a number column does not")
{
    EditFixture f;
    f.host.column.fieldLen = 10;
    f.editor->EnterEditMode(f.cell, false);
    HWND edit = f.editor->Edit().Handle();
    CHECK(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0) == 10);
    SetWindowTextW(edit, L"");
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"0123456789abc"));
    CHECK(f.editor->Edit().Text() == L"0123456789");
    f.editor->ExitEditMode(f.cell, true, false);

    f.host.column.dataType = 5;
    f.editor->EnterEditMode(f.cell, false);
    CHECK(SendMessageW(f.editor->Edit().Handle(), EM_GETLIMITTEXT, 0, 0) > 10);
}

TEST_CASE("editors_ EDIT window: a change of Case between two edits makes the window anew")
{
    EditFixture f;
    f.editor->EnterEditMode(f.cell, false);
    HWND first = f.editor->Edit().Handle();
    f.editor->ExitEditMode(f.cell, true, false);
    f.editor->EnterEditMode(f.cell, false);
    CHECK(f.editor->Edit().Handle() == first);
    f.editor->ExitEditMode(f.cell, true, false);

    f.host.column.textCase = 2;
    f.editor->EnterEditMode(f.cell, false);
    HWND second = f.editor->Edit().Handle();
    CHECK(second != first);
    CHECK_FALSE(IsWindow(first));
    CHECK((StyleOf(second) & ES_UPPERCASE) != 0);
    CHECK(f.editor->Edit().Text() == L"ABC");
}

TEST_CASE("editors_ EDIT window: a number column is right-aligned and the window sits over the cell")
{
    EditFixture f;
    f.host.column.dataType = 5;
    f.cellColumn.type = VT_R8;
    f.editor->EnterEditMode(f.cell, false);
    HWND edit = f.editor->Edit().Handle();
    CHECK((StyleOf(edit) & ES_RIGHT) != 0);
    RECT screen{};
    GetWindowRect(edit, &screen);
    POINT origin{10, 20};
    ClientToScreen(f.host.grid, &origin);
    CHECK(screen.left == origin.x - 1);
    CHECK(screen.top == origin.y - 1);
}

TEST_CASE("editors_ EDIT window: the editor brush is made again only for a new back colour")
{
    EditFixture f;
    HvEditWindow& edit = f.editor->Edit();
    HBRUSH first = edit.SetColors(RGB(1, 2, 3), RGB(0, 0, 0));
    CHECK(edit.SetColors(RGB(1, 2, 3), RGB(9, 9, 9)) == first);
    CHECK(edit.TextColor() == RGB(9, 9, 9));
    CHECK(edit.SetColors(RGB(4, 5, 6), RGB(9, 9, 9)) != nullptr);
    CHECK(GetObjectType(edit.Brush()) == OBJ_BRUSH);
}

TEST_CASE("editors_ EDIT window: the focus leaving the editor leaves edit mode and commits")
{
    EditFixture f;
    REQUIRE_FALSE(f.editor->EnterEditMode(f.cell, false));
    EditFixture::Pump();
    REQUIRE(GetFocus() == f.editor->Edit().Handle());
    SetWindowTextW(f.editor->Edit().Handle(), L"typed");
    SetFocus(f.host.grid);
    EditFixture::Pump();
    CHECK_FALSE(f.cell->IsInEditMode());
    CHECK(std::wstring(f.row.value.bstrVal) == L"typed");
}

TEST_CASE("editors_ EDIT window: a focus that moves into the cell's own list keeps edit mode")
{
    ListFixture lists;
    EditFixture f;
    f.host.column.style = hvStyleDropDown;
    f.host.column.list = lists.list;
    f.editor->EnterEditMode(f.cell, false);
    CValueListDropDown* list = f.editor->DropDowns().Get(f.cell);
    REQUIRE(list);
    CHECK_FALSE(f.editor->LeaveEditUnlessInDropDown(list->Window()));
    CHECK(f.cell->IsInEditMode());
    CHECK_FALSE(f.editor->LeaveEditUnlessInDropDown(f.host.grid));
    CHECK_FALSE(f.cell->IsInEditMode());
}

TEST_CASE("editors_ calendar: a cell without a date opens on today")
{
    EditFixture f;
    f.host.column.style = hvStyleDropDownCalendar;
    f.host.hasButton = true;
    VARIANT null;
    VariantInit(&null);
    null.vt = VT_NULL;
    f.SetValue(null);
    f.editor->EnterEditMode(f.cell, false);
    f.editor->DropDowns().DropDownCalendar(f.cell, true);
    HvCalendarWindow& calendar = f.editor->Calendar();
    REQUIRE(calendar.IsVisible());
    SYSTEMTIME shown{}, today{};
    SendMessageW(calendar.Handle(), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&shown));
    GetSystemTime(&today);
    CHECK(shown.wYear == today.wYear);
    CHECK(shown.wMonth == today.wMonth);
    CHECK(shown.wDay == today.wDay);
}

TEST_CASE("editors_ calendar: leaving while it is open takes its day at midnight")
{
    EditFixture f;
    f.host.column.style = hvStyleDropDownCalendar;
    f.host.column.dataType = 7;
    f.host.hasButton = true;
    const VARIANT start = Date(2024, 3, 5, 10, 30);
    f.SetValue(start);
    REQUIRE_FALSE(f.editor->EnterEditMode(f.cell, false));
    f.editor->DropDowns().Toggle(f.cell);
    HvCalendarWindow& calendar = f.editor->Calendar();
    REQUIRE(calendar.IsVisible());
    CHECK(f.host.log.back() == "BeforeCellListDropDown");
    SYSTEMTIME shown{};
    SendMessageW(calendar.Handle(), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&shown));
    CHECK(shown.wDay == 5);

    SYSTEMTIME picked{};
    picked.wYear = 2024;
    picked.wMonth = 3;
    picked.wDay = 7;
    SendMessageW(calendar.Handle(), MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&picked));
    f.editor->OnCalendarSelect();
    CHECK(f.host.log.back() == "CellListSelect");

    CHECK_FALSE(f.editor->ExitEditMode(f.cell, false, false));
    CHECK_FALSE(calendar.IsVisible());
    REQUIRE(f.row.value.vt == VT_DATE);
    const VARIANT expected = Date(2024, 3, 7, 0, 0);
    CHECK(f.row.value.date == expected.date);
}

TEST_CASE("editors_ EDIT window: a passed-on click places the caret, a second click selects a word")
{
    EditFixture f;
    f.SetText(L"alpha beta");
    REQUIRE_FALSE(f.editor->EnterEditMode(f.cell, false));
    HWND edit = f.editor->Edit().Handle();
    EditFixture::Pump();
    // The point of the character after "alpha b".
    const LRESULT at = SendMessageW(edit, EM_POSFROMCHAR, 7, 0);
    const LPARAM point = MAKELPARAM(LOWORD(at) + 1, HIWORD(at) + 2);
    SendMessageW(edit, CellEditor::PassedClickMessage, 0, point);
    SendMessageW(edit, WM_LBUTTONUP, 0, point);
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    CHECK(start == 7);
    CHECK(end == 7);

    SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(edit, WM_LBUTTONUP, 0, point);
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    CHECK(start == 6);
    CHECK(end == 10);
}
