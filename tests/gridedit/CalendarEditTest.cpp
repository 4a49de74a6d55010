// A date cell edited through its month calendar: F4 or the cell's drop-down
// button opens the calendar on the cell's day (today for a null one), a day
// picked with the mouse becomes the cell's text and, when the cell is left,
// the record's date; Esc closes the calendar and changes nothing.
#include "EditGrid.h"

#include <commctrl.h>

#include <string>

using namespace gridedit;

namespace {

bool SameDay(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

SYSTEMTIME DayFromDate(DATE date)
{
    SYSTEMTIME day{};
    REQUIRE(VariantTimeToSystemTime(date, &day));
    return day;
}

SYSTEMTIME Today()
{
    SYSTEMTIME today{};
    GetLocalTime(&today);
    return today;
}

SYSTEMTIME Selected(HWND calendar)
{
    SYSTEMTIME day{};
    REQUIRE(SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&day)));
    return day;
}

// The client point where the calendar shows a day of the shown month.
bool FindDay(HWND calendar, const SYSTEMTIME& wanted, POINT* at)
{
    RECT client{};
    GetClientRect(calendar, &client);
    for (int y = client.top; y < client.bottom; y += 2) {
        for (int x = client.left; x < client.right; x += 2) {
            MCHITTESTINFO hit{};
            hit.cbSize = MCHITTESTINFO_V1_SIZE;
            hit.pt = {x, y};
            if (SendMessageW(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == MCHT_CALENDARDATE &&
                SameDay(hit.st, wanted)) {
                *at = hit.pt;
                return true;
            }
        }
    }
    return false;
}

// A day clicked in the calendar, the way the mouse clicks it.
void PickDay(HWND calendar, const SYSTEMTIME& day)
{
    POINT at{};
    REQUIRE(FindDay(calendar, day, &at));
    POINT screen = at;
    ClientToScreen(calendar, &screen);
    SetCursorPos(screen.x, screen.y);
    const LPARAM where = MAKELPARAM(at.x, at.y);
    SendMessageW(calendar, WM_MOUSEMOVE, 0, where);
    SendMessageW(calendar, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(calendar, WM_LBUTTONUP, 0, where);
    Pump();
}

// Opens the active date cell's calendar: F4, or a click on its button.
void OpenCalendar(EditGrid& grid, IHvCell* cell, bool byButton)
{
    SetFocus(grid.GridWindow());
    REQUIRE(grid.Control()->put_ActiveCell(cell) == S_OK);
    Pump();
    if (byButton)
        REQUIRE(grid.ClickCellPart(cell, hvUIElementDropDownBtn));
    else
        grid.PressKey(VK_F4);
}

} // namespace

TEST_CASE("a day picked from a date cell's calendar becomes the cell's text and, the cell left, the record's date")
{
    const SYSTEMTIME today = Today();
    SYSTEMTIME otherDayThisMonth = today;
    otherDayThisMonth.wDay = today.wDay == 10 ? 12 : 10;
    struct Case {
        int record;
        bool byButton;
        SYSTEMTIME opensOn;
        SYSTEMTIME picked;
    };
    const Case cases[] = {
        {1, false, DayFromDate(DayOf(2026, 1, 15)), DayFromDate(DayOf(2026, 1, 20))},
        // A null day opens the calendar on today.
        {2, true, today, otherDayThisMonth},
        {3, true, DayFromDate(DayOf(2026, 3, 1)), DayFromDate(DayOf(2026, 3, 28))},
    };
    for (const Case& c : cases) {
        CAPTURE(c.record);
        CAPTURE(c.byButton);
        EditGrid grid;
        ComPtr<IHvCell> day = grid.Cell(c.record, L"Day");
        OpenCalendar(grid, day.Get(), c.byButton);
        REQUIRE(grid.IsInEditMode());
        const HWND calendar = grid.CalendarWindow();
        REQUIRE(calendar);
        VARIANT_BOOL down = VARIANT_FALSE;
        CHECK(day->get_DroppedDown(&down) == S_OK);
        CHECK(down);
        CHECK(SameDay(Selected(calendar), c.opensOn));
        // The calendar hangs below the cell's button, which lies inside it.
        RECT cell = grid.CellRect(day.Get());
        MapWindowPoints(grid.GridWindow(), nullptr, reinterpret_cast<POINT*>(&cell), 2);
        RECT placed{};
        GetWindowRect(calendar, &placed);
        CHECK(placed.top >= cell.bottom - 4);
        CHECK(placed.top <= cell.bottom);
        CHECK(placed.left >= cell.left);

        grid.ClearEvents();
        PickDay(calendar, c.picked);
        CHECK(grid.Count(CellListSelectId) == 1);
        CHECK(grid.CalendarWindow() == nullptr);
        CHECK(grid.IsInEditMode());
        SYSTEMTIME picked = c.picked;
        wchar_t text[64] = L"";
        REQUIRE(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &picked, nullptr, text, 64) > 0);
        CHECK(grid.EditText() == text);
        VARIANT_BOOL changed = VARIANT_FALSE;
        CHECK(day->get_DataChanged(&changed) == S_OK);
        CHECK(changed);

        REQUIRE(grid.Control()->put_ActiveCell(grid.Cell(c.record, L"Name").Get()) == S_OK);
        Pump();
        CHECK_FALSE(grid.IsInEditMode());
        CHECK(grid.Count(ErrorId) == 0);
        CHECK(grid.Count(AfterCellUpdateId) == 1);
        Var stored = grid.Stored(c.record, L"Day");
        REQUIRE(stored.v.vt == VT_DATE);
        CHECK(SameDay(DayFromDate(stored.v.date), c.picked));
        CHECK(grid.Boxes().Texts().empty());
    }
}

TEST_CASE("Esc closes a date cell's calendar: no pick, the record's date unchanged")
{
    for (int record : {1, 2}) {
        CAPTURE(record);
        EditGrid grid;
        ComPtr<IHvCell> day = grid.Cell(record, L"Day");
        Var before = grid.Stored(record, L"Day");
        OpenCalendar(grid, day.Get(), false);
        REQUIRE(grid.CalendarWindow());
        grid.ClearEvents();
        grid.PressKey(VK_ESCAPE);
        CHECK(grid.CalendarWindow() == nullptr);
        CHECK(grid.Count(AfterCellListCloseUpId) == 1);
        CHECK(grid.Count(CellListSelectId) == 0);
        VARIANT_BOOL down = VARIANT_TRUE;
        CHECK(day->get_DroppedDown(&down) == S_OK);
        CHECK_FALSE(down);
        VARIANT_BOOL changed = VARIANT_TRUE;
        CHECK(day->get_DataChanged(&changed) == S_OK);
        CHECK_FALSE(changed);

        REQUIRE(grid.Control()->put_ActiveCell(grid.Cell(record, L"Name").Get()) == S_OK);
        Pump();
        CHECK_FALSE(grid.IsInEditMode());
        CHECK(grid.Count(BeforeCellUpdateId) == 0);
        CHECK(grid.Count(ErrorId) == 0);
        Var after = grid.Stored(record, L"Day");
        CHECK(after.v.vt == before.v.vt);
        if (before.v.vt == VT_DATE)
            CHECK(after.v.date == before.v.date);
    }
}
