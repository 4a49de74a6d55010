// KeyActionMap: the keyboard handler's table of key actions, keyed by virtual
// key code; several entries may share one key. The keyboard handler fills it
// with its defaults on first lookup.
#pragma once

#include <cstdint>
#include <map>

struct KeyAction {
    std::uint32_t gridStateFlags;
    std::uint32_t modifierMask; // Shift, Ctrl, Alt
    std::int32_t action;        // Constants_KeyActions
};

class KeyActionMap {
public:
    using Entries = std::multimap<std::uint16_t, KeyAction>;

    KeyActionMap() = default;
    ~KeyActionMap() { entries_.clear(); }
    KeyActionMap(const KeyActionMap&) = delete;
    KeyActionMap& operator=(const KeyActionMap&) = delete;

    Entries& GetEntries() { return entries_; }
    const Entries& GetEntries() const { return entries_; }

private:
    Entries entries_;
};
