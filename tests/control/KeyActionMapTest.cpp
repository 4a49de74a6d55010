// The key action map: the built-in table as (key, state, Shift, Ctrl, Alt)
// -> action, the states in which actions are allowed, and the map's filling.
#include "KeyActionMap.h"

#include <doctest/doctest.h>

#include <windows.h>

namespace {

// Key states of the cases.
constexpr std::uint32_t kRow = KeyState::ActiveRow;
constexpr std::uint32_t kCell = KeyState::ActiveCell | KeyState::ActiveRow;
constexpr std::uint32_t kEdit = kCell | KeyState::InEditMode;
constexpr std::uint32_t kDropCell = kCell | KeyState::HasDropDown;
constexpr std::uint32_t kDropEdit = kDropCell | KeyState::InEditMode;
constexpr std::uint32_t kDropShowing = kDropEdit | KeyState::DropDownShowing;
constexpr std::uint32_t kCheckEdit = kEdit | KeyState::CheckBoxCell;
constexpr std::uint32_t kExpandable = kRow | KeyState::RowExpandable;
constexpr std::uint32_t kExpanded = kRow | KeyState::RowExpanded;
constexpr std::uint32_t kFirstCell = kCell | KeyState::FirstCellInBand;
constexpr std::uint32_t kLastCell = kCell | KeyState::LastCellInBand;

struct Case {
    UINT key;
    std::uint32_t state;
    bool shift, ctrl, alt;
    std::uint32_t action;
};

} // namespace

TEST_CASE("Keys map to the actions of the built-in table")
{
    const Case cases[] = {
        // Arrows with a cell, in and out of edit mode.
        {VK_RIGHT, kCell, false, false, false, 3},
        {VK_RIGHT, kCell, true, false, false, 3},
        {VK_RIGHT, kEdit, false, false, false, 0},
        {VK_RIGHT, kCell, false, true, false, 5},
        {VK_RIGHT, kCell, true, true, false, 5},
        {VK_RIGHT, kCell, false, false, true, 0},
        {VK_LEFT, kCell, false, false, false, 4},
        {VK_LEFT, kCell, false, true, false, 6},
        {VK_UP, kCell, false, true, false, 19},
        {VK_DOWN, kCell, true, false, false, 20},
        // Rows without a cell.
        {VK_RIGHT, kExpandable, false, false, false, 30},
        {VK_RIGHT, kExpandable | KeyState::RowExpanded, false, false, false, 1},
        {VK_RIGHT, kRow, false, false, false, 1},
        {VK_LEFT, kExpanded, false, false, false, 40},
        {VK_LEFT, kRow, false, false, false, 2},
        {VK_UP, kRow, false, false, false, 17},
        {VK_DOWN, kRow, false, true, false, 18},
        {VK_HOME, kRow, false, false, false, 33},
        {VK_HOME, kRow, false, true, false, 31},
        {VK_END, kRow, true, false, false, 34},
        {VK_END, kRow, true, true, false, 32},
        {VK_PRIOR, kRow, false, false, false, 12},
        {VK_NEXT, kRow, false, false, false, 11},
        // Nothing active.
        {VK_RIGHT, 0, false, false, false, 31},
        {VK_DOWN, 0, false, false, false, 31},
        {VK_LEFT, 0, false, false, false, 0},
        {VK_HOME, 0, false, false, false, 0},
        // Home and End with a cell.
        {VK_HOME, kCell, false, false, false, 7},
        {VK_HOME, kFirstCell, false, false, false, 26},
        {VK_END, kCell, false, false, false, 8},
        {VK_END, kLastCell, false, false, false, 27},
        {VK_HOME, kCell, false, true, false, 28},
        {VK_END, kCell, true, true, false, 29},
        {VK_HOME, kEdit, false, false, false, 0},
        {VK_PRIOR, kCell, false, false, false, 10},
        {VK_NEXT, kCell, false, false, false, 9},
        // Tab.
        {VK_TAB, kCell, false, false, false, 42},
        {VK_TAB, kCell, true, false, false, 43},
        {VK_TAB, kEdit, false, false, false, 42},
        {VK_TAB, kRow, false, false, false, 1},
        {VK_TAB, kRow, true, false, false, 2},
        {VK_TAB, kRow, false, true, false, 0},
        {VK_TAB, 0, false, false, false, 0},
        // Space.
        {VK_SPACE, kCheckEdit, false, false, false, 41},
        {VK_SPACE, kCell, false, false, false, 35},
        {VK_SPACE, kEdit, false, false, false, 0},
        {VK_SPACE, kRow, false, false, false, 36},
        {VK_SPACE, kCell, false, true, false, 38},
        {VK_SPACE, kRow, false, true, false, 39},
        {VK_SPACE, kRow, true, false, false, 0},
        // Drop-downs.
        {VK_DOWN, kDropCell, false, false, true, 25},
        {VK_DOWN, kDropEdit, false, false, true, 14},
        {VK_UP, kDropEdit, true, true, true, 14},
        {VK_DOWN, kCell, false, false, true, 0},
        {VK_F4, kDropCell, false, false, false, 25},
        {VK_F4, kDropEdit, false, false, false, 14},
        {VK_F4, kCell, false, false, false, 0},
        {VK_ESCAPE, kDropShowing, false, false, false, 23},
        {VK_ESCAPE, kDropEdit, false, false, false, 21},
        {VK_ESCAPE, kCell, false, false, false, 22},
        {VK_ESCAPE, 0, false, false, false, 0},
        {VK_RETURN, kDropShowing, false, false, false, 23},
        {VK_RETURN, kDropEdit, false, false, false, 0},
        // Edit mode, regions, deleting.
        {VK_F2, kCell, false, false, false, 13},
        {VK_F2, kEdit, false, false, false, 13},
        {VK_F2, kRow, false, false, false, 0},
        {VK_F6, 0, false, false, false, 15},
        {VK_F6, kEdit, true, false, false, 16},
        {VK_F6, 0, false, true, false, 0},
        {VK_DELETE, kRow, false, false, false, 37},
        {VK_DELETE, kCell, false, false, false, 37},
        {VK_DELETE, kEdit, false, false, false, 0},
        {VK_DELETE, kRow, true, false, false, 0},
        // Codes 128 and above are keys of their own: Volume Down (0xAE) is
        // not Delete, 0xA4 (left Alt) not Home.
        {VK_VOLUME_DOWN, kRow, false, false, false, 0},
        {0xA4, kRow, false, false, false, 0},
        {0xA7, kCell, false, false, false, 0},
        {VK_HOME + 256, kRow, false, false, false, 0},
        {'A', kCell, false, false, false, 0},
    };
    KeyActionMap map;
    for (const Case& c : cases) {
        CAPTURE(c.key);
        CAPTURE(c.state);
        CAPTURE(c.shift);
        CAPTURE(c.ctrl);
        CAPTURE(c.alt);
        CHECK(map.Lookup(c.key, c.state, c.shift, c.ctrl, c.alt) == c.action);
    }
}

TEST_CASE("Actions are allowed in the states of some entry, whatever the modifiers")
{
    struct Allowed {
        std::uint32_t action;
        std::uint32_t state;
        bool allowed;
    };
    const Allowed cases[] = {
        {44, kEdit, true},   {44, kCell, false},     {24, kCell, true},  {24, kEdit, false},
        {13, kCell, true},   {13, kRow, false},      {31, 0, true},      {31, kRow, true},
        {38, kCell, true},   {16, kDropShowing, true}, {45, kCell, false}, {0, kCell, false},
        {30, kExpandable, true}, {30, kExpandable | KeyState::RowExpanded, false},
    };
    KeyActionMap map;
    for (const Allowed& c : cases) {
        CAPTURE(c.action);
        CAPTURE(c.state);
        CHECK(map.IsActionAllowed(c.action, c.state) == c.allowed);
    }
}

TEST_CASE("The map fills itself once, keeps the entries of a key in order, and is refilled when emptied")
{
    KeyActionMap map;
    CHECK(map.IsEmpty());
    CHECK(map.Lookup(VK_F2, kCell, false, false, false) == 13);
    CHECK(map.GetEntries().size() == 53);
    const auto range = map.GetEntries().equal_range(VK_F2);
    std::uint32_t order[3] = {};
    int n = 0;
    for (auto it = range.first; it != range.second && n < 3; ++it)
        order[n++] = it->second.action;
    CHECK(n == 3);
    CHECK(order[0] == 13);
    CHECK(order[1] == 24);
    CHECK(order[2] == 44);
    const KeyActionEntry& first = map.GetEntries().lower_bound(VK_RIGHT)->second;
    CHECK(first.allowedState == 0xFFFFF7FFu);
    CHECK(first.requiredState == 0x100u);

    // An entry added after the defaults is tried after them.
    CHECK(map.Insert({99, 'Q', 0xFFFFFFFFu, 0, 0, 0}));
    CHECK(map.Lookup('Q', 0, false, false, false) == 99);
    CHECK(map.FillDefaults());
    CHECK(map.Lookup('Q', 0, false, false, false) == 0);
    CHECK(map.GetEntries().size() == 53);
}
