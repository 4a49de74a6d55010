// Results and string identifiers raised by columns, groups and headers.
#pragma once

#include <windows.h>

namespace ColumnError {
constexpr HRESULT ReadOnlyInEvent = static_cast<HRESULT>(0x800A9C58);  // string 4014
constexpr HRESULT DesignTime = static_cast<HRESULT>(0x800A018A);       // string 10501
constexpr HRESULT OtherBand = static_cast<HRESULT>(0x800A9C4D);        // string 4004
constexpr HRESULT OtherGroup = static_cast<HRESULT>(0x800A9C52);       // string 4009
constexpr HRESULT NotInGroup = static_cast<HRESULT>(0x800A9C53);       // string 4010
constexpr HRESULT BadLevel = static_cast<HRESULT>(0x800A9C5A);         // string 4016
constexpr HRESULT MinWidthTooSmall = static_cast<HRESULT>(0x800A9C5B); // string 4017
constexpr HRESULT MinAboveMax = static_cast<HRESULT>(0x800A9C5C);      // string 4018
constexpr HRESULT MaxWidthTooSmall = static_cast<HRESULT>(0x800A9C5D); // string 4019
constexpr HRESULT SelectedInOtherBand = static_cast<HRESULT>(0x800A9C6E); // string 6012
constexpr HRESULT BadIndex = static_cast<HRESULT>(0x800AA21D);         // string 1005
constexpr WORD ReadOnlyInEventString = 4014;
constexpr WORD DesignTimeString = 10501;
constexpr WORD OtherBandString = 4004;
constexpr WORD OtherGroupString = 4009;
constexpr WORD NotInGroupString = 4010;
constexpr WORD BadLevelString = 4016;
constexpr WORD MinWidthTooSmallString = 4017;
constexpr WORD MinAboveMaxString = 4018;
constexpr WORD MaxWidthTooSmallString = 4019;
constexpr WORD SelectedInOtherBandString = 6012;
constexpr WORD BadIndexString = 1005;
} // namespace ColumnError
