// OverrideSettings: the block of an override's behaviour settings, 49 bytes
// in the order of its stream form. Enumerations are 0 for "use the default",
// sizes (pixels in memory) and counts -1 for "not set".
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdint>

class OverrideSettings {
public:
    static constexpr ULONG Size = 49;

    enum class Kind { Size, Count32, Count16, Byte, Nibble };
    enum class Axis { None, X, Y };

    struct Setting {
        DISPID dispid;
        Kind kind;
        BYTE offset;
        bool high;    // Nibble: the high half of the byte
        LONG maximum; // Byte and Nibble: the largest accepted value
        Axis axis;    // Size: the direction its units convert in
    };

    OverrideSettings() { Reset(); }

    // The setting with this dispatch identifier, or null.
    static const Setting* Find(DISPID dispid);
    static const Setting* Table(int* count);

    LONG Get(const Setting& setting) const;
    void Set(const Setting& setting, LONG value);
    static bool InRange(const Setting& setting, LONG value);

    void Reset();
    // True when anything at all is set (ExpansionIndicator included).
    bool HasAnySetting() const;

    // The raw block; sizes are pixels unless the caller converted them.
    const BYTE* Bytes() const { return bytes_; }
    BYTE* MutableBytes() { return bytes_; }
    // False when a stored value is outside what the setters accept.
    bool IsValid() const;

private:
    BYTE bytes_[Size];
};
