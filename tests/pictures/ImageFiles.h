// Image files for the loading tests: a PNG strip of square segments, each of
// one colour, optionally named through a "Names" text chunk.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Writes a width x (width * colours.size()) PNG to path; names, when not
// empty, go into the text chunk joined by '|'. False on failure.
bool WritePngStrip(const std::wstring& path, int width, const std::vector<COLORREF>& colours,
                   const std::vector<std::string>& names);
// A file name in the temporary folder, unique per test program run.
std::wstring TempFile(const wchar_t* name);
