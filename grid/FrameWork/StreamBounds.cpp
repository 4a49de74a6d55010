// Stream positions and remaining lengths for the readers of stored state.
#include "StreamBounds.h"

HRESULT StreamPosition(IStream* stream, ULONGLONG* position) noexcept
{
    if (!stream || !position)
        return E_POINTER;
    LARGE_INTEGER zero{};
    ULARGE_INTEGER here{};
    const HRESULT hr = stream->Seek(zero, STREAM_SEEK_CUR, &here);
    if (FAILED(hr))
        return hr;
    *position = here.QuadPart;
    return S_OK;
}

HRESULT StreamSeekTo(IStream* stream, ULONGLONG position) noexcept
{
    if (!stream)
        return E_POINTER;
    LARGE_INTEGER target{};
    target.QuadPart = static_cast<LONGLONG>(position);
    return stream->Seek(target, STREAM_SEEK_SET, nullptr);
}

bool StreamBytesLeft(IStream* stream, ULONGLONG* left) noexcept
{
    ULONGLONG position = 0;
    if (!left || FAILED(StreamPosition(stream, &position)))
        return false;
    STATSTG status{};
    if (FAILED(stream->Stat(&status, STATFLAG_NONAME)))
        return false;
    const ULONGLONG size = status.cbSize.QuadPart;
    *left = size > position ? size - position : 0;
    return true;
}

bool StreamHasBytes(IStream* stream, ULONGLONG count) noexcept
{
    ULONGLONG left = 0;
    return !StreamBytesLeft(stream, &left) || left >= count;
}

HRESULT CheckPictureStream(IStream* stream) noexcept
{
    ULONGLONG start = 0;
    HRESULT hr = StreamPosition(stream, &start);
    if (FAILED(hr))
        return S_OK; // nothing to go by: the loader's own checks apply
    DWORD header[2] = {};
    ULONG read = 0;
    hr = stream->Read(header, sizeof header, &read);
    StreamSeekTo(stream, start);
    if (FAILED(hr))
        return hr;
    if (read < sizeof header)
        return E_FAIL;
    constexpr DWORD kHeaderMagic = 0x0000746C; // "lt\0\0"
    if (header[0] == kHeaderMagic && !StreamHasBytes(stream, ULONGLONG(sizeof header) + header[1]))
        return E_FAIL;
    return S_OK;
}
