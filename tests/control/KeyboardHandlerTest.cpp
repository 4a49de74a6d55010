// The keyboard handler: the grid key state read from the active cell and
// row, keys turned into actions through the dispatcher, the swallowing of
// WM_CHAR and WM_KEYUP, Tab handed on to the container, and keys while
// another window holds the mouse capture.
#include "InputDispatcher.h"
#include "KeyboardHandler.h"

#include <doctest/doctest.h>

#include <functional>
#include <vector>

namespace {

struct FakeCell : KeyCellQuery {
    bool HasCellBefore() override { return before; }
    bool HasCellAfter() override { return after; }
    bool IsInEditMode() override { return editing; }
    bool HasDropDown() override { return dropDown; }
    bool IsDropDownShowing() override { return showing; }
    bool IsCheckBox() override { return checkBox; }
    bool before = true, after = true, editing = false, dropDown = false, showing = false, checkBox = false;
};

struct FakeRow : KeyRowQuery {
    bool HasPrevSibling() override { return prev; }
    bool HasPrevSiblingSpanningBands() override { return prevAcross; }
    bool HasNextSibling() override { return next; }
    bool HasNextSiblingSpanningBands() override { return nextAcross; }
    bool IsExpanded() override { return expanded; }
    bool IsExpandable() override { return expandable; }
    bool HasParentRow() override { return parent; }
    bool prev = true, prevAcross = true, next = true, nextAcross = true, expanded = false, expandable = false,
         parent = false;
};

struct Performed {
    std::uint32_t action;
    bool shift, ctrl;
    bool operator==(const Performed&) const = default;
};

struct FakeKeyboardHost : InputDispatcherHost, KeyboardHost {
    // InputDispatcherHost: no control, so no stock key events.
    CControlBase* InputControl() override { return nullptr; }
    HWND GetGridWindow() override { return grid; }
    bool ActiveCellHasMaskEngine() override { return false; }
    HWND GetDropDownCalendar() override { return nullptr; }
    bool IsPointInGridArea(int, int) override { return true; }
    // KeyboardHost.
    InputDispatcher* GetInputDispatcher() override { return &dispatcher; }
    KeyCellQuery* GetActiveCell() override { return cell; }
    KeyRowQuery* GetActiveRow() override { return row; }
    int GetTabNavigation() override { return tabNavigation; }
    HWND GetEditWindow() override { return edit; }
    void PerformKeyActionFromKeyboard(std::uint32_t action, bool shift, bool ctrl, bool& handled) override
    {
        performed.push_back({action, shift, ctrl});
        handled = acts;
        if (onPerform)
            onPerform();
    }

    // What the window's key messages come to: (result, handled).
    bool Key(UINT message, WPARAM key)
    {
        WPARAM w = key;
        LPARAM l = 1;
        bool handled = false;
        dispatcher.FilterMessage(message, &w, &l, &handled);
        return handled;
    }

    InputDispatcher dispatcher{*this};
    HWND grid = nullptr;
    HWND edit = nullptr;
    KeyCellQuery* cell = nullptr;
    KeyRowQuery* row = nullptr;
    int tabNavigation = 0;
    bool acts = true;
    std::function<void()> onPerform;
    std::vector<Performed> performed;
};

std::vector<UINT>* g_seen = nullptr;

LRESULT CALLBACK RecordCancelMode(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CANCELMODE && g_seen)
        g_seen->push_back(message);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

TEST_CASE("The grid key state from the active cell and row")
{
    FakeKeyboardHost host;
    FakeCell cell;
    FakeRow row;
    CHECK(GetKeyActionState(host) == 0);
    host.row = &row;
    CHECK(GetKeyActionState(host) == 0x1);
    row.prev = false;
    CHECK(GetKeyActionState(host) == 0x21);
    row.prevAcross = false;
    CHECK(GetKeyActionState(host) == 0x25);
    row.next = false;
    row.nextAcross = false;
    row.expanded = true;
    row.expandable = true;
    row.parent = true;
    CHECK(GetKeyActionState(host) == 0x40F7);
    // Across bands only counts when the row has no sibling of its own.
    FakeRow lonely;
    lonely.prevAcross = false;
    lonely.nextAcross = false;
    host.row = &lonely;
    CHECK(GetKeyActionState(host) == 0x1);

    host.cell = &cell;
    CHECK(GetKeyActionState(host) == 0x101);
    cell.before = false;
    cell.after = false;
    cell.editing = true;
    CHECK(GetKeyActionState(host) == 0xF01);
    // Showing counts only with a drop-down.
    cell.showing = true;
    CHECK(GetKeyActionState(host) == 0xF01);
    cell.dropDown = true;
    cell.checkBox = true;
    CHECK(GetKeyActionState(host) == 0xBF01);
}

TEST_CASE("A key with an action is consumed with its WM_CHAR and WM_KEYUP; one without is left alone")
{
    FakeKeyboardHost host;
    FakeCell cell;
    FakeRow row;
    host.cell = &cell;
    host.row = &row;
    KeyboardHandler handler(host);
    REQUIRE(handler.Register());
    REQUIRE(handler.GetKeyActionMap());
    CHECK(host.dispatcher.UnionMask() == 0);

    CHECK(host.Key(WM_KEYDOWN, VK_RIGHT));
    CHECK(host.performed == std::vector<Performed>{{3, false, false}});
    CHECK(host.Key(WM_CHAR, 'x'));
    CHECK(host.Key(WM_CHAR, 'x'));
    CHECK(host.Key(WM_KEYUP, VK_RIGHT));
    CHECK_FALSE(host.Key(WM_CHAR, 'x'));

    // In edit mode Right belongs to the editor.
    cell.editing = true;
    CHECK_FALSE(host.Key(WM_KEYDOWN, VK_RIGHT));
    CHECK_FALSE(host.Key(WM_CHAR, 'x'));
    CHECK(host.performed.size() == 1);

    // WM_SYSKEYDOWN goes the same way (F4 toggles the drop-down).
    cell.dropDown = true;
    CHECK(host.Key(WM_SYSKEYDOWN, VK_F4));
    CHECK(host.performed.back() == Performed{14, false, false});

    // A performer that did not act leaves the key unhandled.
    host.acts = false;
    CHECK_FALSE(host.Key(WM_KEYDOWN, VK_F2));
    CHECK(host.performed.back() == Performed{13, false, false});
    CHECK_FALSE(host.Key(WM_CHAR, 'x'));

    handler.Unregister();
    CHECK_FALSE(handler.IsRegistered());
    CHECK_FALSE(host.Key(WM_KEYDOWN, VK_F2));
    CHECK(host.performed.size() == 3);
}

TEST_CASE("Tab goes on to the container when it moves nothing or navigation leaves the grid")
{
    FakeKeyboardHost host;
    FakeCell cells[2];
    FakeRow rows[2];
    KeyboardHandler handler(host);
    REQUIRE(handler.Register());

    // TabNavigation = next control: not even looked up.
    host.row = &rows[0];
    host.tabNavigation = 1;
    CHECK_FALSE(host.Key(WM_KEYDOWN, VK_TAB));
    CHECK_FALSE(host.Key(WM_CHAR, VK_TAB));
    CHECK(host.performed.empty());
    host.tabNavigation = 0;

    // A row without a cell: the next row when there is one...
    host.onPerform = [&] { host.row = &rows[1]; };
    CHECK(host.Key(WM_KEYDOWN, VK_TAB));
    CHECK(host.performed.back() == Performed{1, false, false});
    CHECK(host.Key(WM_CHAR, VK_TAB));
    host.Key(WM_KEYUP, VK_TAB);
    // ...and on the last row the key is the container's.
    host.onPerform = nullptr;
    CHECK_FALSE(host.Key(WM_KEYDOWN, VK_TAB));
    CHECK_FALSE(host.Key(WM_CHAR, VK_TAB));

    // The last cell: the same unless the cell editor is showing.
    host.cell = &cells[0];
    CHECK_FALSE(host.Key(WM_KEYDOWN, VK_TAB));
    CHECK(host.performed.back() == Performed{42, false, false});
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    REQUIRE(edit);
    host.edit = edit;
    CHECK(host.Key(WM_KEYDOWN, VK_TAB));
    DestroyWindow(edit);
    host.edit = nullptr;
    host.onPerform = [&] { host.cell = &cells[1]; };
    CHECK(host.Key(WM_KEYDOWN, VK_TAB));
}

TEST_CASE("While another window holds the capture only Tab acts, and Esc cancels the capture")
{
    FakeKeyboardHost host;
    FakeRow row;
    host.row = &row;
    std::vector<UINT> gridMessages;
    g_seen = &gridMessages;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = RecordCancelMode;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HvKeyboardTestGrid";
    RegisterClassW(&wc);
    host.grid = CreateWindowExW(0, L"HvKeyboardTestGrid", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    REQUIRE(host.grid);
    REQUIRE(other);
    KeyboardHandler handler(host);
    REQUIRE(handler.Register());
    SetCapture(other);
    REQUIRE(GetCapture() == other);

    CHECK_FALSE(host.Key(WM_KEYDOWN, VK_DOWN));
    CHECK(host.performed.empty());
    CHECK(host.Key(WM_CHAR, 'x'));       // swallowed all the same
    CHECK(host.Key(WM_KEYUP, VK_DOWN));
    CHECK_FALSE(host.Key(WM_KEYDOWN, VK_ESCAPE));
    CHECK(gridMessages == std::vector<UINT>{WM_CANCELMODE});
    host.Key(WM_KEYUP, VK_ESCAPE);
    FakeRow next;
    host.onPerform = [&] { host.row = &next; };
    CHECK(host.Key(WM_KEYDOWN, VK_TAB));
    CHECK(host.performed == std::vector<Performed>{{1, false, false}});

    ReleaseCapture();
    g_seen = nullptr;
    DestroyWindow(other);
    DestroyWindow(host.grid);
}
