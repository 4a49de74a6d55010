// Dispatch identifiers of the band settings (override properties) that
// columns, groups and headers resolve through their band.
#pragma once

#include <windows.h>

namespace ColumnSettingId {
constexpr DISPID AllowColMoving = 0x423;
constexpr DISPID HeaderClickAction = 0x424;
constexpr DISPID AllowColSizing = 0x425;
constexpr DISPID AllowColSwapping = 0x427;
constexpr DISPID AllowGroupMoving = 0x429;
constexpr DISPID AllowGroupSwapping = 0x42c;
constexpr DISPID AllowUpdate = 0x42d;
constexpr DISPID DefaultRowHeight = 0x40d;
constexpr DISPID DefaultColWidth = 0x4a9;
} // namespace ColumnSettingId
