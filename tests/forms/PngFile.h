// Captures a window as the screen shows it and saves it as a PNG file through
// the Windows Imaging Component.
#pragma once

#include <string>

#include <windows.h>

namespace formstest {

// Copies the window (frame and caption included) from the screen and writes
// it to path as PNG. Returns false on any failure.
bool SaveWindowPng(HWND hwnd, const std::wstring& path);

// The folder of the running executable, with a trailing backslash.
std::wstring ExecutableFolder();

} // namespace formstest
