// KeyActionMap: the keyboard handler's table from keys to grid actions.
// Each entry names a virtual key, the action (Constants_KeyActions) and the
// grid key states and Shift/Ctrl/Alt sets that it accepts; the entries of
// one key are tried in the order they were inserted. The built-in table is
// filled on first use.
#pragma once

#include <cstdint>
#include <map>

// Grid key state bits (GetKeyActionState).
namespace KeyState {
constexpr std::uint32_t ActiveRow = 0x1;
constexpr std::uint32_t RowExpanded = 0x2;
constexpr std::uint32_t NoPrevSiblingAcrossBands = 0x4;
constexpr std::uint32_t NoNextSiblingAcrossBands = 0x10;
constexpr std::uint32_t NoPrevSibling = 0x20;
constexpr std::uint32_t NoNextSibling = 0x40;
constexpr std::uint32_t HasParentRow = 0x80;
constexpr std::uint32_t ActiveCell = 0x100;
constexpr std::uint32_t FirstCellInBand = 0x200;
constexpr std::uint32_t LastCellInBand = 0x400;
constexpr std::uint32_t InEditMode = 0x800;
constexpr std::uint32_t HasDropDown = 0x1000;
constexpr std::uint32_t DropDownShowing = 0x2000;
constexpr std::uint32_t RowExpandable = 0x4000;
constexpr std::uint32_t CheckBoxCell = 0x8000;
} // namespace KeyState

// Modifier set bits.
namespace KeyModifier {
constexpr std::uint16_t Shift = 1;
constexpr std::uint16_t Ctrl = 2;
constexpr std::uint16_t Alt = 4;
} // namespace KeyModifier

struct KeyActionEntry {
    std::uint32_t action;            // Constants_KeyActions, 1-44
    std::uint16_t virtualKey;
    std::uint32_t allowedState;      // the state may hold no bit outside it
    std::uint32_t requiredState;     // the state must hold all of it
    std::uint16_t allowedModifiers;  // likewise for Shift/Ctrl/Alt
    std::uint16_t requiredModifiers;

    bool Accepts(std::uint32_t state) const
    {
        return (requiredState & state) == requiredState && (state & ~allowedState) == 0;
    }
    bool AcceptsModifiers(std::uint16_t modifiers) const
    {
        return (requiredModifiers & modifiers) == requiredModifiers && (modifiers & ~allowedModifiers) == 0;
    }
};

class KeyActionMap
{
public:
    using Entries = std::multimap<std::uint16_t, KeyActionEntry>;

    KeyActionMap() = default;
    KeyActionMap(const KeyActionMap&) = delete;
    KeyActionMap& operator=(const KeyActionMap&) = delete;

    // The action of a key in a grid key state with the given modifiers;
    // 0 when no entry takes it. Codes 128-255 are looked up less 128.
    std::uint32_t Lookup(std::uint32_t virtualKey, std::uint32_t state, bool shift, bool ctrl, bool alt);
    // Some entry has the action and accepts the state (modifiers aside).
    bool IsActionAllowed(std::uint32_t action, std::uint32_t state);
    // Empties the map and inserts the built-in entries in table order;
    // false when an insertion failed (the entries before it stay).
    bool FillDefaults();

    // Adds an entry after the others of its key.
    bool Insert(const KeyActionEntry& entry);
    const Entries& GetEntries() const { return m_entries; }
    bool IsEmpty() const { return m_entries.empty(); }

private:
    bool EnsureFilled();

    Entries m_entries;
};
