// Stream positions and remaining lengths for the readers of stored state.
#include "StreamBounds.h"

#include "MemoryStream.h"

#include <olectl.h>

#include <cstring>

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

namespace {

template <class T>
T Field(const BYTE* bytes, size_t at)
{
    T value{};
    std::memcpy(&value, bytes + at, sizeof value);
    return value;
}

// A bitmap file ("BM") whose header places its bits within the picture's
// length, with a bit depth and size a bitmap can have. The picture loader
// reads the bits where the header says, however short the data is.
bool BitmapFits(const BYTE* data, ULONG read, ULONGLONG length)
{
    constexpr size_t kFileHeader = 14;
    if (read < kFileHeader + 12)
        return false;
    const ULONGLONG offset = Field<DWORD>(data, 10);
    const DWORD headerSize = Field<DWORD>(data, kFileHeader);
    LONGLONG width = 0;
    LONGLONG height = 0;
    WORD planes = 0;
    WORD depth = 0;
    DWORD compression = BI_RGB;
    ULONGLONG imageSize = 0;
    if (headerSize == 12) {
        width = Field<WORD>(data, kFileHeader + 4);
        height = Field<WORD>(data, kFileHeader + 6);
        planes = Field<WORD>(data, kFileHeader + 8);
        depth = Field<WORD>(data, kFileHeader + 10);
    } else if (headerSize >= 40 && read >= kFileHeader + 40) {
        width = Field<LONG>(data, kFileHeader + 4);
        height = Field<LONG>(data, kFileHeader + 8);
        planes = Field<WORD>(data, kFileHeader + 12);
        depth = Field<WORD>(data, kFileHeader + 14);
        compression = Field<DWORD>(data, kFileHeader + 16);
        imageSize = Field<DWORD>(data, kFileHeader + 20);
    } else {
        return false;
    }
    if (height < 0)
        height = -height;
    if (width <= 0 || height <= 0 || planes != 1 || kFileHeader + ULONGLONG(headerSize) > length)
        return false;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)
        return false;
    ULONGLONG bits = 0;
    if (compression == BI_RGB || compression == BI_BITFIELDS)
        bits = ((ULONGLONG(width) * depth + 31) / 32) * 4 * ULONGLONG(height);
    else if (compression == BI_RLE8 || compression == BI_RLE4)
        bits = imageSize;
    else
        return false;
    return offset <= length && bits <= length - offset;
}

// An icon or cursor directory whose images all lie within the length.
bool IconFits(const BYTE* data, ULONG read, ULONGLONG length)
{
    const WORD count = Field<WORD>(data, 4);
    if (count == 0 || ULONGLONG(6) + 16ULL * count > length)
        return false;
    for (WORD i = 0; i < count && 6 + 16u * (i + 1u) <= read; ++i) {
        const ULONGLONG size = Field<DWORD>(data, 6 + 16u * i + 8);
        const ULONGLONG offset = Field<DWORD>(data, 6 + 16u * i + 12);
        if (offset > length || size > length - offset)
            return false;
    }
    return true;
}

} // namespace

HRESULT CheckPictureStream(IStream* stream) noexcept
{
    ULONGLONG start = 0;
    HRESULT hr = StreamPosition(stream, &start);
    if (FAILED(hr))
        return S_OK; // nothing to go by: the loader's own checks apply
    // Room for the optional header, a bitmap's file and information headers,
    // or an icon directory of 16 images.
    BYTE head[8 + 6 + 16 * 16] = {};
    ULONG read = 0;
    hr = stream->Read(head, sizeof head, &read);
    StreamSeekTo(stream, start);
    if (FAILED(hr))
        return hr;
    if (read < 8)
        return E_FAIL;
    constexpr DWORD kHeaderMagic = 0x0000746C; // "lt\0\0"
    const DWORD magic = Field<DWORD>(head, 0);
    const DWORD stated = Field<DWORD>(head, 4);
    ULONGLONG left = 0;
    const bool knowsLeft = StreamBytesLeft(stream, &left);
    STATSTG status{};
    const bool knowsSize = SUCCEEDED(stream->Stat(&status, STATFLAG_NONAME));
    // The picture loader takes the data whole from here when it begins as a
    // picture file does (a bitmap, GIF, JPEG, metafile, icon or cursor) or
    // when the eight bytes state no sensible length; otherwise it takes the
    // eight bytes for a header, whatever their first four, and reads the
    // length they state after them.
    const bool startsAsData = (head[0] == 'B' && head[1] == 'M') || std::memcmp(head, "GIF8", 4) == 0 ||
                              (head[0] == 0xFF && head[1] == 0xD8) || magic == 1 || magic == 0x10000 ||
                              magic == 0x20000 || stated == 0 || (knowsSize && stated > status.cbSize.QuadPart);
    ULONGLONG length = 0;
    const BYTE* data = head;
    if (magic == kHeaderMagic || !startsAsData) {
        if (magic == kHeaderMagic && !StreamHasBytes(stream, 8 + ULONGLONG(stated)))
            return E_FAIL;
        length = stated;
        // Past the end of the stream the loader has no more to read.
        if (knowsLeft && length > left - 8)
            length = left - 8;
        data += 8;
        read -= 8;
        if (read > length)
            read = static_cast<ULONG>(length);
    } else if (!knowsLeft) {
        return S_OK;
    } else {
        length = left;
    }
    if (read >= 2 && data[0] == 'B' && data[1] == 'M')
        return BitmapFits(data, read, length) ? S_OK : E_FAIL;
    if (read >= 6 && Field<WORD>(data, 0) == 0 && (Field<WORD>(data, 2) == 1 || Field<WORD>(data, 2) == 2))
        return IconFits(data, read, length) ? S_OK : E_FAIL;
    return S_OK;
}

HRESULT LoadCheckedPicture(IStream* stream, REFIID iid, void** out) noexcept
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    HRESULT hr = CheckPictureStream(stream);
    if (FAILED(hr))
        return hr;
    IPersistStream* picture = nullptr;
    hr = OleLoadPicture(stream, 0, FALSE, IID_IPersistStream, reinterpret_cast<void**>(&picture));
    if (FAILED(hr))
        return hr;
    // The loader may take what the check did not look at (a header inside
    // the stated data, a bitmap of odd planes): its own saved form says.
    MemoryStream* saved = MemoryStream::Create();
    hr = saved ? picture->Save(saved, FALSE) : E_OUTOFMEMORY;
    if (SUCCEEDED(hr)) {
        const LARGE_INTEGER start{};
        saved->Seek(start, STREAM_SEEK_SET, nullptr);
        hr = saved->Bytes().empty() ? S_OK : CheckPictureStream(saved);
    }
    if (saved)
        saved->Release();
    if (SUCCEEDED(hr))
        hr = picture->QueryInterface(iid, out);
    picture->Release();
    return hr;
}
