// The framework's standard persisted state of a control: the extent and the
// state version, at the head of a stream or as the first entries of a
// property bag. Every count read is checked; a stream that is too short
// fails the load and leaves the control as it was.
#include "ControlProperties.h"

#include "Units.h"

namespace {

constexpr DWORD kStateMagic = 0x12344321;
constexpr DWORD kExtentBlockSize = 8;
const SIZE kDefaultExtent = {100, 50};

const wchar_t kExtentX[] = L"_ExtentX";
const wchar_t kExtentY[] = L"_ExtentY";
const wchar_t kVersion[] = L"_Version";

HRESULT WriteExactly(IStream* stream, const void* data, ULONG size)
{
    ULONG written = 0;
    const HRESULT hr = stream->Write(data, size, &written);
    if (FAILED(hr))
        return hr;
    return written == size ? S_OK : STG_E_MEDIUMFULL;
}

// S_OK with *read bytes; a failing Read is returned as it is.
HRESULT ReadSome(IStream* stream, void* data, ULONG size, ULONG* read)
{
    *read = 0;
    const HRESULT hr = stream->Read(data, size, read);
    return FAILED(hr) ? hr : S_OK;
}

HRESULT WriteLong(IPropertyBag* bag, const wchar_t* name, LONG value)
{
    VARIANT entry;
    VariantInit(&entry);
    V_VT(&entry) = VT_I4;
    V_I4(&entry) = value;
    return bag->Write(name, &entry);
}

bool ReadLong(IPropertyBag* bag, IErrorLog* log, const wchar_t* name, LONG* value)
{
    VARIANT entry;
    VariantInit(&entry);
    V_VT(&entry) = VT_I4;
    const HRESULT hr = bag->Read(name, &entry, log);
    bool ok = SUCCEEDED(hr) && V_VT(&entry) == VT_I4;
    if (ok)
        *value = V_I4(&entry);
    VariantClear(&entry);
    return ok;
}

} // namespace

HRESULT CControlProperties::SaveStandardBinaryState(IStream* stream)
{
    SIZE himetric{};
    PixelsToHimetric(m_extent, himetric);
    const DWORD words[5] = {kStateMagic, kExtentBlockSize, static_cast<DWORD>(himetric.cx),
                            static_cast<DWORD>(himetric.cy), m_currentVersion};
    HRESULT hr = WriteExactly(stream, words, 2 * sizeof(DWORD));
    if (SUCCEEDED(hr))
        hr = WriteExactly(stream, words + 2, 2 * sizeof(DWORD));
    if (SUCCEEDED(hr))
        hr = WriteExactly(stream, words + 4, sizeof(DWORD));
    return hr;
}

// A stream that ends right after the extent carries no version: the loaded
// version is then 0. Any other short read is a broken stream.
HRESULT CControlProperties::LoadStandardBinaryState(IStream* stream)
{
    DWORD header[2] = {};
    ULONG read = 0;
    HRESULT hr = ReadSome(stream, header, sizeof(header), &read);
    if (FAILED(hr))
        return hr;
    if (read != sizeof(header) || header[0] != kStateMagic || header[1] != kExtentBlockSize)
        return E_UNEXPECTED;
    LONG extent[2] = {};
    hr = ReadSome(stream, extent, sizeof(extent), &read);
    if (FAILED(hr))
        return hr;
    if (read != sizeof(extent))
        return E_FAIL;
    DWORD version = 0;
    hr = ReadSome(stream, &version, sizeof(version), &read);
    if (FAILED(hr))
        return hr;
    if (read != 0 && read != sizeof(version))
        return E_FAIL;
    HimetricToPixels(SIZE{extent[0], extent[1]}, m_extent);
    m_loadedVersion = version;
    return S_OK;
}

HRESULT CControlProperties::SaveStandardTextState(IPropertyBag* bag)
{
    SIZE himetric{};
    PixelsToHimetric(m_extent, himetric);
    if (SUCCEEDED(WriteLong(bag, kExtentX, himetric.cx)))
        WriteLong(bag, kExtentY, himetric.cy);
    return WriteLong(bag, kVersion, static_cast<LONG>(m_currentVersion));
}

HRESULT CControlProperties::LoadStandardTextState(IPropertyBag* bag, IErrorLog* log)
{
    LONG width = 0;
    LONG height = 0;
    if (ReadLong(bag, log, kExtentX, &width) && ReadLong(bag, log, kExtentY, &height))
        HimetricToPixels(SIZE{width, height}, m_extent);
    else
        m_extent = kDefaultExtent;
    LONG version = 0;
    m_loadedVersion = ReadLong(bag, log, kVersion, &version) ? static_cast<DWORD>(version) : m_currentVersion;
    return S_OK;
}
