// A layout shown by a grid: units through the container, the grid's state
// in the layout's answers, the access test of file and registry
// persistence, rebuilding after bulk changes and the container form.
#include <doctest/doctest.h>

#include "FakeGrid.h"
#include "LayoutTestSupport.h"

#include "HvBands.h"
#include "Units.h"

namespace {

// A layout made for a grid, which shows it.
struct GridLayout {
    FakeGrid grid;
    HvLayout* layout = nullptr;
    explicit GridLayout(bool current = true)
    {
        REQUIRE(HvLayout::Create(nullptr, &grid, &layout) == S_OK);
        if (current)
            grid.current = layout;
    }
    ~GridLayout()
    {
        layout->Detach();
        layout->Release();
    }
    IHvLayout* Interface() const { return layout; }
    IDispatch* Dispatch() const { return static_cast<IHvLayout*>(layout); }
};

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND NewWindow(const wchar_t* className, DWORD style, HWND parent, int x = 0, int y = 0)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, className, L"", style, x, y, 300, 200, parent, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    REQUIRE(window != nullptr);
    return window;
}

} // namespace

TEST_CASE("units go through the grid's container")
{
    GridLayout sited;
    CHECK(sited.layout->PixelsToUnitsX(10) == 20.0);
    CHECK(sited.layout->UnitsToPixelsY(30.0f) == 15);
    CHECK(sited.layout->GetContainerScaleMode() == 0);
    REQUIRE(LatePut(sited.Dispatch(), L"InterBandSpacing", MakeR4(40.0f)).hr == S_OK);
    CHECK(GetDouble(sited.Dispatch(), L"InterBandSpacing") == 40.0);
    sited.grid.alive = false; // a dead grid: back to twips
    CHECK(sited.layout->PixelsToUnitsX(15) == PixelsToTwipsX(15));
}

TEST_CASE("the grid's state in the layout's answers")
{
    GridLayout sited;
    SUBCASE("ViewStyle is read-only while InitializeRow fires, except for its own value")
    {
        sited.grid.state = LayoutGridSeam::StateInitializeRow;
        CHECK(LatePut(sited.Dispatch(), L"ViewStyle", MakeI4(1)).hr == S_OK);
        LateResult result = LatePut(sited.Dispatch(), L"ViewStyle", MakeI4(0));
        CHECK(result.hr == static_cast<HRESULT>(0x800A9C58));
        CHECK(result.description == L"This property is read-only in this event.");
    }
    SUBCASE("filters and Grid are unavailable at design time")
    {
        sited.grid.designMode = true;
        Ref<IHvTVSortFilter> filter;
        CHECK(sited.Interface()->get_SortFilter(filter.Out()) == static_cast<HRESULT>(0x800A018A));
        Ref<IDispatch> grid;
        CHECK(sited.Interface()->get_Grid(grid.Out()) == static_cast<HRESULT>(0x800A018A));
    }
    SUBCASE("Bands first binds a pending data source, whose failure it returns")
    {
        sited.grid.bindResult = E_ACCESSDENIED;
        Ref<IHvBands> bands;
        CHECK(sited.Interface()->get_Bands(bands.Out()) == E_ACCESSDENIED);
        CHECK(sited.grid.binds == 1);
    }
    SUBCASE("CanFireEvents")
    {
        CHECK(sited.layout->CanFireEvents(true));
        sited.grid.current = nullptr;
        CHECK_FALSE(sited.layout->CanFireEvents(true));
        CHECK(sited.layout->CanFireEvents(false));
        sited.grid.state = LayoutGridSeam::StateInitializing;
        CHECK_FALSE(sited.layout->CanFireEvents(false));
    }
}

TEST_CASE("Reset and CopyFrom rebuild the grid's current layout only")
{
    GridLayout sited;
    REQUIRE(sited.Interface()->Reset(Missing(), Missing()) == S_OK);
    REQUIRE(sited.grid.rebuilds.size() == 1);
    CHECK_FALSE(sited.grid.rebuilds[0]);
    VARIANT yes;
    VariantInit(&yes);
    V_VT(&yes) = VT_BOOL;
    V_BOOL(&yes) = VARIANT_TRUE;
    REQUIRE(sited.Interface()->Reset(Missing(), yes) == S_OK);
    REQUIRE(sited.grid.rebuilds.size() == 2);
    CHECK(sited.grid.rebuilds[1]);

    GridLayout other(false);
    REQUIRE(other.Interface()->Reset(Missing(), yes) == S_OK);
    CHECK(other.grid.rebuilds.empty());
}

TEST_CASE("file and registry persistence through a grid without a bind host")
{
    GridLayout sited;
    VARIANT caption = MakeText(L"Registro");
    REQUIRE(LatePut(sited.Dispatch(), L"Caption", caption).hr == S_OK);
    VariantClear(&caption);

    SUBCASE("a registry save without ValueName writes the value Layout")
    {
        VARIANT key = MakeText(L"HKEY_CURRENT_USER\\Software\\HvLayoutTest");
        REQUIRE(sited.Interface()->Save(&key, MakeI4(1), Missing(), Missing(), Missing()) == S_OK);
        HKEY opened = nullptr;
        REQUIRE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\HvLayoutTest", 0, KEY_READ, &opened) == ERROR_SUCCESS);
        DWORD size = 0;
        CHECK(RegQueryValueExW(opened, L"Layout", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS);
        CHECK(size > 8);
        RegCloseKey(opened);

        GridLayout copy;
        REQUIRE(copy.Interface()->Load(&key, MakeI4(1), Missing(), Missing(), Missing(), Missing()) == S_OK);
        CHECK(GetText(copy.Dispatch(), L"Caption") == L"Registro");
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\HvLayoutTest");
        VariantClear(&key);
    }
    SUBCASE("a root key name without a sub-key is refused")
    {
        VARIANT key = MakeText(L"HKEY_CURRENT_USER");
        CHECK(sited.Interface()->Save(&key, MakeI4(1), Missing(), Missing(), Missing()) ==
              static_cast<HRESULT>(0x800A9C67));
        CHECK(LastErrorDescription() == L"Unable to open/create registry entry, the key passed in is not valid.");
        VariantClear(&key);
    }
    SUBCASE("a file save and load")
    {
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        std::wstring file = std::wstring(folder) + L"hvlayout_test.lay";
        VARIANT path = MakeText(file.c_str());
        REQUIRE(sited.Interface()->Save(&path, Missing(), Missing(), Missing(), Missing()) == S_OK);
        GridLayout copy;
        REQUIRE(copy.Interface()->Load(&path, Missing(), Missing(), Missing(), Missing(), Missing()) == S_OK);
        CHECK(GetText(copy.Dispatch(), L"Caption") == L"Registro");
        VariantClear(&path);
        DeleteFileW(file.c_str());
    }
    SUBCASE("a container with a bind host refuses files but downloads URLs")
    {
        sited.grid.bindHost = true;
        VARIANT path = MakeText(L"C:\\x.lay");
        CHECK(sited.Interface()->Save(&path, Missing(), Missing(), Missing(), Missing()) ==
              static_cast<HRESULT>(0x800A9C66));
        VARIANT url = MakeText(L"http://example.invalid/layout");
        CHECK(sited.Interface()->Load(&url, MakeI4(3), MakeI4(256), Missing(), Missing(), Missing()) == S_OK);
        REQUIRE(sited.grid.downloads.size() == 1);
        CHECK(sited.grid.downloads[0] == L"http://example.invalid/layout");
        CHECK(sited.grid.downloadCategories == 256);
        VariantClear(&path);
        VariantClear(&url);
    }
}

TEST_CASE("the container form and rectangles relative to it")
{
    GridLayout sited;
    HWND top = NewWindow(L"HvLayoutTestTop", WS_OVERLAPPEDWINDOW, nullptr);
    HWND panel = NewWindow(L"HvLayoutTestPanel", WS_CHILD | WS_VISIBLE, top, 10, 20);
    HWND grid = NewWindow(L"HvLayoutTestGrid", WS_CHILD | WS_VISIBLE | WS_BORDER, panel, 5, 7);
    sited.grid.window = grid;
    // No listed class: the top-level window is the form.
    CHECK(sited.layout->GetContainerFormWindow() == top);
    RECT parent{};
    REQUIRE(sited.layout->GetParentRect(&parent));
    RECT client{};
    GetClientRect(grid, &client);
    POINT origin{0, 0};
    ClientToScreen(grid, &origin);
    POINT panelOrigin{0, 0};
    ClientToScreen(panel, &panelOrigin);
    CHECK(parent.left == origin.x - panelOrigin.x);
    CHECK(parent.right - parent.left == client.right);
    RECT container{};
    REQUIRE(sited.layout->GetContainerRect(&container));
    POINT topOrigin{0, 0};
    ClientToScreen(top, &topOrigin);
    CHECK(container.top == origin.y - topOrigin.y);

    SUBCASE("Enabled put disables the grid window and its children")
    {
        HWND child = NewWindow(L"HvLayoutTestChild", WS_CHILD, grid);
        REQUIRE(LatePut(sited.Dispatch(), L"Enabled", MakeI4(0)).hr == S_OK);
        CHECK_FALSE(IsWindowEnabled(grid));
        CHECK_FALSE(IsWindowEnabled(child));
        REQUIRE(LatePut(sited.Dispatch(), L"Enabled", MakeI4(-1)).hr == S_OK);
        CHECK(IsWindowEnabled(grid));
    }
    SUBCASE("GetGridClientRect needs a visible grid window")
    {
        RECT rect{};
        CHECK(sited.layout->GetGridClientRect(&rect) == kNoRowset); // the top window is hidden
        ShowWindow(top, SW_SHOWNOACTIVATE);
        CHECK(sited.layout->GetGridClientRect(&rect) == S_OK);
        CHECK(rect.right == client.right);
    }
    DestroyWindow(top);
}
