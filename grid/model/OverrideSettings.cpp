// OverrideSettings: the settings table and the packed block accessors.
#include "OverrideSettings.h"

#include <cstring>

namespace {

using Kind = OverrideSettings::Kind;
using Axis = OverrideSettings::Axis;
using Setting = OverrideSettings::Setting;

constexpr Setting kSettings[] = {
    {0x4a9, Kind::Size, 0, false, 0, Axis::X},    // DefaultColWidth
    {0x40d, Kind::Size, 4, false, 0, Axis::Y},    // DefaultRowHeight
    {0x3f4, Kind::Size, 8, false, 0, Axis::X},    // CellPadding
    {0x3f5, Kind::Size, 12, false, 0, Axis::X},   // CellSpacing
    {0x4eb, Kind::Size, 16, false, 0, Axis::Y},   // RowSpacingBefore
    {0x4ec, Kind::Size, 20, false, 0, Axis::Y},   // RowSpacingAfter
    {0x42e, Kind::Count32, 24, false, 0, Axis::None}, // MaxSelectedCells
    {0x42f, Kind::Count32, 28, false, 0, Axis::None}, // MaxSelectedRows
    {0x432, Kind::Count16, 32, false, 0, Axis::None}, // RowSizingAutoMaxLines
    {0x3f3, Kind::Byte, 34, false, 9, Axis::None},    // BorderStyleRow
    {0x3f1, Kind::Byte, 35, false, 9, Axis::None},    // BorderStyleCell
    {0x509, Kind::Byte, 36, false, 9, Axis::None},    // BorderStyleHeader
    {0x419, Kind::Nibble, 37, false, 2, Axis::None},  // RowSelectors
    {0x422, Kind::Nibble, 37, true, 2, Axis::None},   // AllowAddNew
    {0x423, Kind::Nibble, 38, false, 3, Axis::None},  // AllowColMoving
    {0x425, Kind::Nibble, 38, true, 3, Axis::None},   // AllowColSizing
    {0x427, Kind::Nibble, 39, false, 3, Axis::None},  // AllowColSwapping
    {0x428, Kind::Nibble, 39, true, 2, Axis::None},   // AllowDelete
    {0x429, Kind::Nibble, 40, false, 2, Axis::None},  // AllowGroupMoving
    {0x40f, Kind::Nibble, 40, true, 2, Axis::None},   // ExpandRowsOnLoad
    {0x42c, Kind::Nibble, 41, false, 2, Axis::None},  // AllowGroupSwapping
    {0x42d, Kind::Nibble, 41, true, 2, Axis::None},   // AllowUpdate
    {0x431, Kind::Nibble, 42, false, 5, Axis::None},  // RowSizing
    {0x433, Kind::Nibble, 42, true, 3, Axis::None},   // SelectTypeCell
    {0x434, Kind::Nibble, 43, false, 3, Axis::None},  // SelectTypeCol
    {0x435, Kind::Nibble, 43, true, 3, Axis::None},   // SelectTypeRow
    {0x888, Kind::Nibble, 44, false, 2, Axis::None},  // TipStyleCell
    {0x889, Kind::Nibble, 44, true, 2, Axis::None},   // TipStyleRowConnector
    {0x88a, Kind::Nibble, 45, false, 2, Axis::None},  // TipStyleScroll
    {0x898, Kind::Nibble, 45, true, 4, Axis::None},   // FetchRows
    {0x4a5, Kind::Nibble, 46, false, 2, Axis::None},  // CellMultiLine
    {0x83e, Kind::Nibble, 46, true, 3, Axis::None},   // CellClickAction
    {0x895, Kind::Nibble, 47, false, 3, Axis::None},  // RowSizingArea
    {0x424, Kind::Nibble, 47, true, 3, Axis::None},   // HeaderClickAction
    {0x89f, Kind::Nibble, 48, false, 2, Axis::None},  // ExpansionIndicator
};

} // namespace

const Setting* OverrideSettings::Find(DISPID dispid)
{
    for (const Setting& setting : kSettings)
        if (setting.dispid == dispid)
            return &setting;
    return nullptr;
}

const Setting* OverrideSettings::Table(int* count)
{
    *count = static_cast<int>(sizeof kSettings / sizeof kSettings[0]);
    return kSettings;
}

LONG OverrideSettings::Get(const Setting& setting) const
{
    const BYTE* at = bytes_ + setting.offset;
    switch (setting.kind) {
    case Kind::Size:
    case Kind::Count32: {
        std::int32_t value = 0;
        std::memcpy(&value, at, 4);
        return value;
    }
    case Kind::Count16: {
        std::int16_t value = 0;
        std::memcpy(&value, at, 2);
        return value;
    }
    case Kind::Byte:
        return *at;
    case Kind::Nibble:
        return setting.high ? (*at >> 4) : (*at & 0x0F);
    }
    return 0;
}

void OverrideSettings::Set(const Setting& setting, LONG value)
{
    BYTE* at = bytes_ + setting.offset;
    switch (setting.kind) {
    case Kind::Size:
    case Kind::Count32: {
        const std::int32_t stored = value;
        std::memcpy(at, &stored, 4);
        break;
    }
    case Kind::Count16: {
        const std::int16_t stored = static_cast<std::int16_t>(value);
        std::memcpy(at, &stored, 2);
        break;
    }
    case Kind::Byte:
        *at = static_cast<BYTE>(value);
        break;
    case Kind::Nibble:
        if (setting.high)
            *at = static_cast<BYTE>((*at & 0x0F) | ((value & 0x0F) << 4));
        else
            *at = static_cast<BYTE>((*at & 0xF0) | (value & 0x0F));
        break;
    }
}

bool OverrideSettings::InRange(const Setting& setting, LONG value)
{
    switch (setting.kind) {
    case Kind::Size:
        return true;
    case Kind::Count32:
        return value >= -1;
    case Kind::Count16:
        return value >= -1 && value <= 32767;
    case Kind::Byte:
    case Kind::Nibble:
        return value >= 0 && value <= setting.maximum;
    }
    return false;
}

void OverrideSettings::Reset()
{
    std::memset(bytes_, 0, Size);
    for (const Setting& setting : kSettings)
        if (setting.kind == Kind::Size || setting.kind == Kind::Count32 || setting.kind == Kind::Count16)
            Set(setting, -1);
}

bool OverrideSettings::HasAnySetting() const
{
    for (const Setting& setting : kSettings) {
        const LONG value = Get(setting);
        const bool isCount = setting.kind == Kind::Size || setting.kind == Kind::Count32 ||
                             setting.kind == Kind::Count16;
        if (isCount ? value >= 0 : value != 0)
            return true;
    }
    return false;
}

bool OverrideSettings::IsValid() const
{
    for (const Setting& setting : kSettings)
        if (setting.kind != Kind::Size && !InRange(setting, Get(setting)))
            return false;
    return (bytes_[48] & 0xF0) == 0;
}
