// Text helpers of the framework: GUID formatting, ANSI/wide conversion into
// the three kinds of result buffer, resource strings and file names.
#pragma once

#include <windows.h>
#include <oleauto.h>

// Where a converted text goes.
enum TextResult {
    TextAsBstr = 0,        // a new BSTR (SysFreeString)
    TextAsTaskMemory = 1,  // a block from CoTaskMemAlloc (CoTaskMemFree)
    TextIntoBuffer = 2,    // the caller's buffer of bufferChars characters
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}": 38 characters and a
// terminator. Returns the characters written, 0 when the buffer is too small.
int FormatGuidString(REFGUID guid, wchar_t* buffer, size_t bufferChars);

// ANSI (CP_ACP) to wide. Null for null text, an empty conversion, a failed
// allocation or a buffer that is too small; else the result (the buffer
// itself for TextIntoBuffer).
wchar_t* AnsiToWideString(const char* text, TextResult mode, wchar_t* buffer = nullptr,
                          size_t bufferChars = 0);
// Wide to wide, with the same modes.
wchar_t* CopyWideString(const wchar_t* text, TextResult mode, wchar_t* buffer = nullptr,
                        size_t bufferChars = 0);
// String id of the resource module for the default locale; null when it
// is missing.
wchar_t* LoadResourceStringWide(UINT id, TextResult mode, wchar_t* buffer = nullptr,
                                size_t bufferChars = 0);

// Copies path into buffer and replaces what follows its last backslash by
// fileName (the whole buffer when path has none). Returns the start of the
// replaced part, or null when the result does not fit.
wchar_t* ReplaceFileName(const wchar_t* path, const wchar_t* fileName, wchar_t* buffer, size_t bufferChars);
