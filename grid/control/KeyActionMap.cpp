// The key action map and its built-in table.
#include "KeyActionMap.h"

#include <windows.h>

#include <new>

namespace {

constexpr std::uint16_t kNone = 0;
constexpr std::uint16_t kShift = KeyModifier::Shift;
constexpr std::uint16_t kCtrl = KeyModifier::Ctrl;
constexpr std::uint16_t kAlt = KeyModifier::Alt;
constexpr std::uint16_t kShiftCtrl = kShift | kCtrl;
constexpr std::uint16_t kAll = kShift | kCtrl | kAlt;

struct DefaultEntry {
    std::uint16_t key;
    std::uint32_t action;
    std::uint32_t required;
    std::uint32_t excluded;
    std::uint16_t requiredModifiers;
    std::uint16_t allowedModifiers;
};

// Key, action, state required, state excluded, modifiers required,
// modifiers allowed. Entries of one key are tried in this order, so the
// more specific entry of a key comes first.
constexpr DefaultEntry kDefaults[] = {
    {VK_RIGHT, 3, 0x100, 0x800, kNone, kShift},           // NextCell
    {VK_TAB, 42, 0x100, 0, kNone, kNone},                 // NextCellByTab
    {VK_LEFT, 4, 0x100, 0x800, kNone, kShift},            // PrevCell
    {VK_TAB, 43, 0x100, 0, kShift, kShift},               // PrevCellByTab
    {VK_UP, 19, 0x100, 0x800, kNone, kShiftCtrl},         // AboveCell
    {VK_DOWN, 20, 0x100, 0x800, kNone, kShiftCtrl},       // BelowCell
    {VK_HOME, 33, 0x1, 0x100, kNone, kShift},             // FirstRowInBand
    {VK_END, 34, 0x1, 0x100, kNone, kShift},              // LastRowInBand
    {VK_RIGHT, 31, 0, 0x1, kNone, kShiftCtrl},            // FirstRowInGrid
    {VK_DOWN, 31, 0, 0x1, kNone, kShiftCtrl},             // FirstRowInGrid
    {VK_HOME, 31, 0x1, 0x100, kCtrl, kShiftCtrl},         // FirstRowInGrid
    {VK_END, 32, 0x1, 0x100, kCtrl, kShiftCtrl},          // LastRowInGrid
    {VK_RIGHT, 30, 0x4000, 0x102, kNone, kShiftCtrl},     // ExpandRow
    {VK_LEFT, 40, 0x2, 0x100, kNone, kShiftCtrl},         // CollapseRow
    {VK_RIGHT, 1, 0x1, 0x100, kNone, kShiftCtrl},         // NextRow
    {VK_TAB, 1, 0x1, 0x100, kNone, kNone},                // NextRow
    {VK_LEFT, 2, 0x1, 0x100, kNone, kShiftCtrl},          // PrevRow
    {VK_TAB, 2, 0x1, 0x100, kShift, kShift},              // PrevRow
    {VK_UP, 17, 0x1, 0x100, kNone, kShiftCtrl},           // AboveRow
    {VK_DOWN, 18, 0x1, 0x100, kNone, kShiftCtrl},         // BelowRow
    {VK_SPACE, 41, 0x8800, 0, kNone, kNone},              // ToggleCheckbox
    {VK_SPACE, 35, 0x100, 0x800, kNone, kNone},           // ToggleCellSel
    {VK_SPACE, 36, 0x1, 0x100, kNone, kNone},             // ToggleRowSel
    {VK_SPACE, 38, 0x100, 0, kCtrl, kCtrl},               // DeactivateCell
    {VK_SPACE, 39, 0x1, 0x100, kCtrl, kCtrl},             // ActivateCell
    {VK_RIGHT, 5, 0x100, 0x800, kCtrl, kShiftCtrl},       // NextCellInBand
    {VK_LEFT, 6, 0x100, 0x800, kCtrl, kShiftCtrl},        // PrevCellInBand
    {VK_HOME, 7, 0x100, 0xA00, kNone, kShift},            // FirstCellInRow
    {VK_END, 8, 0x100, 0xC00, kNone, kShift},             // LastCellInRow
    {VK_HOME, 26, 0x200, 0x800, kNone, kShift},           // FirstCellInBand
    {VK_END, 27, 0x400, 0x800, kNone, kShift},            // LastCellInBand
    {VK_HOME, 28, 0x100, 0x800, kCtrl, kShiftCtrl},       // FirstCellInGrid
    {VK_END, 29, 0x100, 0x800, kCtrl, kShiftCtrl},        // LastCellInGrid
    {VK_PRIOR, 10, 0x100, 0x800, kNone, kShiftCtrl},      // PageUpCell
    {VK_NEXT, 9, 0x100, 0x800, kNone, kShiftCtrl},        // PageDownCell
    {VK_PRIOR, 12, 0x1, 0x100, kNone, kShiftCtrl},        // PageUpRow
    {VK_NEXT, 11, 0x1, 0x100, kNone, kShiftCtrl},         // PageDownRow
    {VK_ESCAPE, 21, 0x800, 0x2000, kNone, kShiftCtrl},    // UndoCell
    {VK_ESCAPE, 22, 0x1, 0x800, kNone, kShiftCtrl},       // UndoRow
    {VK_ESCAPE, 23, 0x2000, 0, kNone, kShiftCtrl},        // CloseDropdown
    {VK_RETURN, 23, 0x2000, 0, kNone, kShiftCtrl},        // CloseDropdown
    {VK_F4, 14, 0x1800, 0, kNone, kShiftCtrl},            // ToggleDropdown
    {VK_UP, 14, 0x1800, 0, kAlt, kAll},                   // ToggleDropdown
    {VK_DOWN, 14, 0x1800, 0, kAlt, kAll},                 // ToggleDropdown
    {VK_F2, 13, 0x100, 0, kNone, kShiftCtrl},             // ToggleEditMode
    {VK_F4, 25, 0x1000, 0x800, kNone, kShiftCtrl},        // EnterEditModeAndDropdown
    {VK_UP, 25, 0x1000, 0x800, kAlt, kAll},               // EnterEditModeAndDropdown
    {VK_DOWN, 25, 0x1000, 0x800, kAlt, kAll},             // EnterEditModeAndDropdown
    {VK_F6, 15, 0, 0, kNone, kNone},                      // NextRegion
    {VK_F6, 16, 0, 0, kShift, kShift},                    // PrevRegion
    {VK_DELETE, 37, 0x1, 0x800, kNone, kNone},            // DeleteRows
    {VK_F2, 24, 0x100, 0x800, kNone, kShiftCtrl},         // EnterEditMode (PerformAction only)
    {VK_F2, 44, 0x800, 0, kNone, kShiftCtrl},             // ExitEditMode (PerformAction only)
};
static_assert(sizeof(kDefaults) / sizeof(kDefaults[0]) == 53);

} // namespace

bool KeyActionMap::Insert(const KeyActionEntry& entry)
{
    try {
        m_entries.emplace(entry.virtualKey, entry);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool KeyActionMap::FillDefaults()
{
    m_entries.clear();
    for (const DefaultEntry& d : kDefaults) {
        const KeyActionEntry entry{d.action, d.key, ~d.excluded, d.required, d.allowedModifiers,
                                   d.requiredModifiers};
        if (!Insert(entry))
            return false;
    }
    return true;
}

bool KeyActionMap::EnsureFilled()
{
    if (m_entries.empty())
        FillDefaults();
    return !m_entries.empty();
}

std::uint32_t KeyActionMap::Lookup(std::uint32_t virtualKey, std::uint32_t state, bool shift, bool ctrl, bool alt)
{
    if (!EnsureFilled())
        return 0;
    const std::uint16_t modifiers = static_cast<std::uint16_t>((shift ? KeyModifier::Shift : 0) |
                                                               (ctrl ? KeyModifier::Ctrl : 0) |
                                                               (alt ? KeyModifier::Alt : 0));
    // Codes 128-255 are keys of their own (volume, browser, OEM keys): read
    // as code - 128 they would act as other keys (Volume Down as Delete).
    if (virtualKey >= 128)
        return 0;
    const std::uint16_t key = static_cast<std::uint16_t>(virtualKey);
    const auto range = m_entries.equal_range(key);
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second.Accepts(state) && it->second.AcceptsModifiers(modifiers))
            return it->second.action;
    }
    return 0;
}

bool KeyActionMap::IsActionAllowed(std::uint32_t action, std::uint32_t state)
{
    if (!EnsureFilled())
        return false;
    for (const auto& [key, entry] : m_entries) {
        if (entry.action == action && entry.Accepts(state))
            return true;
    }
    return false;
}
