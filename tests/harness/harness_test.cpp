// Checks the ground every other test stands on: the locale each test is
// registered for, SSE2 double arithmetic, and a real window on the X display.
#include <doctest/doctest.h>

#include <windows.h>
#include <oleauto.h>

#include <cstdlib>
#include <string>

TEST_CASE("the user locale is the one the test was registered for")
{
    const char* wanted = std::getenv("HV_LOCALE");
    REQUIRE(wanted != nullptr);
    const LCID expected = std::string(wanted).rfind("pt_BR", 0) == 0 ? 0x0416 : 0x0409;
    CHECK(GetUserDefaultLCID() == expected);

    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(expected == 0x0416 ? L"850,5" : L"850.5");
    VARIANT number;
    VariantInit(&number);
    REQUIRE(VariantChangeTypeEx(&number, &text, LOCALE_USER_DEFAULT, 0, VT_R8) == S_OK);
    CHECK(number.dblVal == 850.5);
    VariantClear(&text);
}

TEST_CASE("double arithmetic is IEEE binary64 without extended precision")
{
    volatile double a = 1e16;
    volatile double b = 1.0;
    // With 80-bit intermediates (a + b) - a would give 1.
    CHECK((a + b) - a == 0.0);
}

TEST_CASE("a top-level window can be created and destroyed")
{
    HWND hwnd = CreateWindowExW(0, L"STATIC", L"harness", WS_OVERLAPPEDWINDOW,
                                0, 0, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    REQUIRE(hwnd != nullptr);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    CHECK(IsWindowVisible(hwnd));
    CHECK(DestroyWindow(hwnd));
}
