// Text in streams: counted ANSI text, written and read with full checks on
// what an untrusted stream hands back.
#include "StreamText.h"

#include "DualString.h"

#include <new>

namespace {

// Memory streams report a short read only through the byte count, so every
// read is checked for the full length.
HRESULT ReadExactly(IStream* stream, void* buffer, ULONG length)
{
    ULONG read = 0;
    const HRESULT hr = stream->Read(buffer, length, &read);
    if (FAILED(hr))
        return hr;
    return read == length ? S_OK : StreamTextTruncated;
}

HRESULT WriteExactly(IStream* stream, const void* buffer, ULONG length)
{
    ULONG written = 0;
    const HRESULT hr = stream->Write(buffer, length, &written);
    if (FAILED(hr))
        return hr;
    return written == length ? S_OK : STG_E_MEDIUMFULL;
}

// Reads the count; a negative one is a damaged stream.
HRESULT ReadCount(IStream* stream, ULONG& count)
{
    BYTE bytes[2] = {};
    const HRESULT hr = ReadExactly(stream, bytes, sizeof bytes);
    if (FAILED(hr))
        return hr;
    const auto value = static_cast<SHORT>(bytes[0] | (bytes[1] << 8));
    if (value < 0)
        return StreamTextBadCount;
    count = static_cast<ULONG>(value);
    return S_OK;
}

} // namespace

HRESULT WriteAnsiTextToStream(IStream* stream, const char* text, std::size_t length) noexcept
{
    if (!stream || (length > 0 && !text))
        return E_POINTER;
    if (length > MaxStreamTextBytes)
        return StreamTextTooLong;
    const BYTE count[2] = {static_cast<BYTE>(length & 0xFF), static_cast<BYTE>(length >> 8)};
    HRESULT hr = WriteExactly(stream, count, sizeof count);
    if (SUCCEEDED(hr) && length > 0)
        hr = WriteExactly(stream, text, static_cast<ULONG>(length));
    return hr;
}

HRESULT ReadAnsiTextFromStream(IStream* stream, std::string& text) noexcept
{
    text.clear();
    if (!stream)
        return E_POINTER;
    ULONG count = 0;
    HRESULT hr = ReadCount(stream, count);
    if (FAILED(hr) || count == 0)
        return hr;
    try {
        text.resize(count);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    hr = ReadExactly(stream, text.data(), count);
    if (FAILED(hr))
        text.clear();
    return hr;
}

HRESULT WriteBstrToStream(IStream* stream, BSTR text) noexcept
{
    const int wideLength = static_cast<int>(SysStringLen(text));
    if (wideLength == 0)
        return WriteAnsiTextToStream(stream, nullptr, 0);
    const int length = WideCharToMultiByte(CP_ACP, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return HRESULT_FROM_WIN32(GetLastError());
    if (static_cast<std::size_t>(length) > MaxStreamTextBytes)
        return StreamTextTooLong;
    std::string ansi;
    try {
        ansi.resize(static_cast<std::size_t>(length));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    WideCharToMultiByte(CP_ACP, 0, text, wideLength, ansi.data(), length, nullptr, nullptr);
    return WriteAnsiTextToStream(stream, ansi.data(), ansi.size());
}

HRESULT ReadBstrFromStream(IStream* stream, BSTR* out) noexcept
{
    if (!out)
        return E_POINTER;
    std::string ansi;
    const HRESULT hr = ReadAnsiTextFromStream(stream, ansi);
    if (FAILED(hr))
        return hr;
    BSTR result = nullptr;
    if (ansi.empty()) {
        result = SysAllocString(L"");
    } else {
        const int size = static_cast<int>(ansi.size());
        const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
        result = SysAllocStringLen(nullptr, static_cast<UINT>(wideLength));
        if (result)
            MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, result, wideLength);
    }
    if (!result)
        return E_OUTOFMEMORY;
    *out = result;
    return hr;
}

HRESULT WriteStringToStream(IStream* stream, const CDualString& text) noexcept
{
    return WriteAnsiTextToStream(stream, text.Text(), static_cast<std::size_t>(text.Length()));
}

HRESULT ReadStringFromStream(IStream* stream, CDualString& text) noexcept
{
    text.Empty();
    std::string bytes;
    const HRESULT hr = ReadAnsiTextFromStream(stream, bytes);
    if (SUCCEEDED(hr) && !bytes.empty())
        text.AssignAnsi(bytes.c_str());
    return hr;
}
