// The date entry field under pt-BR: typed "dd/mm/yy", shown "dd/mm/yyyy",
// the empty state and the drop-down calendar.
#include <doctest/doctest.h>

#include <string>

#include "CommandButton.h"
#include "DateField.h"
#include "Form.h"
#include "FormsTestSupport.h"

using namespace hv::forms;
using formstest::PressKey;
using formstest::PumpMessages;
using formstest::Type;

namespace {

struct DateFixture {
    Form form;
    DateField* data;
    CommandButton* next;

    DateFixture()
    {
        form.Load();
        data = &form.Add<DateField>(TwipsRect{120, 120, 1500, 315});
        next = &form.Add<CommandButton>(TwipsRect{120, 3600, 1500, 400}, L"Ok");
        form.Show();
        PumpMessages();
    }
    ~DateFixture() { form.Discard(); }
};

SYSTEMTIME Day(const VARIANT& v)
{
    REQUIRE(v.vt == VT_DATE);
    SYSTEMTIME st{};
    REQUIRE(VariantTimeToSystemTime(v.date, &st));
    return st;
}

} // namespace

TEST_CASE("typed dates follow dd/mm/yy with the two-digit-year rule, shown dd/mm/yyyy")
{
    DateFixture f;
    REQUIRE(f.data->HasFocus());
    struct Case {
        const wchar_t* typed;
        int day, month, year;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"05/03/26", 5, 3, 2026, L"05/03/2026"},
        {L"050326", 5, 3, 2026, L"05/03/2026"},  // separators supplied while typing
        {L"29/02/24", 29, 2, 2024, L"29/02/2024"},
        {L"31/12/1999", 31, 12, 1999, L"31/12/1999"},
        {L"1/1/00", 1, 1, 2000, L"01/01/2000"},
        {L"15/08/99", 15, 8, 1999, L"15/08/1999"},
    };
    for (const Case& c : cases) {
        const std::string typed = formstest::Narrow(c.typed);
        CAPTURE(typed);
        f.data->SetFocus();
        f.data->SetText(L"");
        Type(c.typed);
        const std::string text = formstest::Narrow(f.data->Text());
        CAPTURE(text);
        PressKey(VK_TAB);
        CHECK(f.next->HasFocus());
        const SYSTEMTIME st = Day(f.data->Value());
        CHECK(st.wDay == c.day);
        CHECK(st.wMonth == c.month);
        CHECK(st.wYear == c.year);
        CHECK(f.data->Text() == c.shown);
    }
    // Back in the field the edit format shows.
    f.data->SetFocus();
    CHECK(f.data->Text() == L"15/08/99");
}

TEST_CASE("dates that do not exist keep the focus in the field")
{
    DateFixture f;
    for (const wchar_t* typed : {L"31/02/26", L"29/02/25", L"00/03/26", L"05/13/26", L"05/03", L"05/03/2"}) {
        const std::string typedText = formstest::Narrow(typed);
        CAPTURE(typedText);
        f.data->SetFocus();
        SendMessageW(f.data->Hwnd(), EM_SETSEL, 0, -1);
        Type(typed);
        PressKey(VK_TAB);
        CHECK(f.data->HasFocus());
        CHECK(f.data->ValueIsNull());
    }
    CHECK_FALSE(DateField::ParseDate(L"5/3/26x"));
    CHECK_FALSE(f.data->SetText(L"32/01/2026"));
}

TEST_CASE("the empty field is null; Null, \"\" and dates set by code")
{
    DateFixture f;
    CHECK(f.data->ValueIsNull());
    CHECK(f.data->Value().vt == VT_NULL);
    CHECK(f.data->SetText(L"05/03/2026"));
    CHECK(Day(f.data->Value()).wYear == 2026);
    CHECK(f.data->SetText(L""));
    CHECK(f.data->ValueIsNull());

    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DATE;
    v.date = 46086.75;  // 06/03/2026 18:00: the day alone is kept
    CHECK(f.data->SetValue(v));
    CHECK(f.data->Value().date == 46086.0);
    v.vt = VT_NULL;
    CHECK(f.data->SetValue(v));
    CHECK(f.data->ValueIsNull());

    // Emptied by typing and leaving.
    f.data->SetText(L"05/03/2026");
    f.data->SetFocus();
    SendMessageW(f.data->Hwnd(), EM_SETSEL, 0, -1);
    Type(L"\b");
    PressKey(VK_TAB);
    CHECK(f.next->HasFocus());
    CHECK(f.data->ValueIsNull());
}

TEST_CASE("the calendar drop-down picks a date")
{
    DateFixture f;
    f.data->SetText(L"05/03/2026");
    PressKey(VK_F4);
    HWND calendar = f.data->CalendarHwnd();
    REQUIRE(calendar != nullptr);
    CHECK(IsWindowVisible(calendar));
    CHECK(GetFocus() == calendar);
    SYSTEMTIME shown{};
    SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&shown));
    CHECK(shown.wDay == 5);
    CHECK(shown.wMonth == 3);

    // Find the 20th of the month shown and click it.
    RECT client;
    GetClientRect(calendar, &client);
    POINT target{-1, -1};
    for (int y = client.top; y < client.bottom && target.x < 0; y += 2) {
        for (int x = client.left; x < client.right && target.x < 0; x += 2) {
            MCHITTESTINFO hit{};
            hit.cbSize = sizeof(hit);
            hit.pt = {x, y};
            SendMessageW(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if (hit.uHit == MCHT_CALENDARDATE && hit.st.wDay == 20 && hit.st.wMonth == 3)
                target = {x + 2, y + 2};
        }
    }
    REQUIRE(target.x >= 0);
    PostMessageW(calendar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(target.x, target.y));
    PostMessageW(calendar, WM_LBUTTONUP, 0, MAKELPARAM(target.x, target.y));
    PumpMessages();
    CHECK(f.data->CalendarHwnd() == nullptr);
    CHECK_FALSE(IsWindow(calendar));
    CHECK(f.data->HasFocus());
    const SYSTEMTIME st = Day(f.data->Value());
    CHECK(st.wDay == 20);
    CHECK(st.wMonth == 3);
    CHECK(st.wYear == 2026);

    // Escape closes without a change; the calendar names are the user's language.
    PressKey(VK_F4);
    REQUIRE(f.data->CalendarHwnd() != nullptr);
    PressKey(VK_ESCAPE);
    CHECK(f.data->CalendarHwnd() == nullptr);
    CHECK(Day(f.data->Value()).wDay == 20);
    wchar_t month[64] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME3, month, 64);
    CHECK(std::wstring(month) == L"março");
}
