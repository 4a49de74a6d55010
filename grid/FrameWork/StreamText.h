// The framework's one form of text in a stream: a signed 16-bit little-endian
// byte count, then that many bytes of ANSI text, no terminator. Every object
// that saves text to a stream goes through these functions.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <oleauto.h>

#include <cstddef>
#include <string>

class CDualString;

// The count is signed 16-bit: longer text is refused, never cut.
constexpr std::size_t MaxStreamTextBytes = 32767;

// Answer when a text is too long for the form (nothing is written then).
constexpr HRESULT StreamTextTooLong = E_INVALIDARG;
// Answer when a count read from a stream is negative.
constexpr HRESULT StreamTextBadCount = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
// Answer when a stream ends before the count or the text it announced.
constexpr HRESULT StreamTextTruncated = HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);

// Byte-level pair on which the others are built.
HRESULT WriteAnsiTextToStream(IStream* stream, const char* text, std::size_t length) noexcept;
HRESULT ReadAnsiTextFromStream(IStream* stream, std::string& text) noexcept;

// A null or empty BSTR is written as a count of 0 alone. Reading a count of 0
// gives a new empty (not null) BSTR; a failed read leaves *out untouched.
HRESULT WriteBstrToStream(IStream* stream, BSTR text) noexcept;
HRESULT ReadBstrFromStream(IStream* stream, BSTR* out) noexcept;

// ReadStringFromStream empties the string first, so it stays empty on failure.
HRESULT WriteStringToStream(IStream* stream, const CDualString& text) noexcept;
HRESULT ReadStringFromStream(IStream* stream, CDualString& text) noexcept;
