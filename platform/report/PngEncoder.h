// Writes 32-bit pixels (blue, green, red, unused; rows top down) to a PNG
// file through the Windows Imaging Component.
#pragma once

#include <string>

#include <windows.h>

namespace hv::report {

bool WritePng(const std::wstring& path, int width, int height, const BYTE* pixels);

} // namespace hv::report
