// HvPersistParticipant: the participant's stream walk over its property codes.
#include "HvPersistParticipant.h"

#include "StoredStateRead.h"

HRESULT HvPersistParticipant::ReadBytes(IStream* stream, void* data, ULONG size)
{
    if (!stream)
        return E_INVALIDARG;
    ULONG read = 0;
    HRESULT hr = stream->Read(data, size, &read);
    if (FAILED(hr))
        return hr;
    return read == size ? S_OK : StreamTruncated;
}

HRESULT HvPersistParticipant::WriteBytes(IStream* stream, const void* data, ULONG size)
{
    if (!stream)
        return E_INVALIDARG;
    ULONG written = 0;
    HRESULT hr = stream->Write(data, size, &written);
    if (FAILED(hr))
        return hr;
    return written == size ? S_OK : STG_E_MEDIUMFULL;
}

HRESULT HvPersistParticipant::SaveToStream(IStream* stream, LONG categories)
{
    const LONG version = FormatVersion();
    HRESULT hr = WriteBytes(stream, &version, sizeof version);
    if (SUCCEEDED(hr))
        hr = SaveHeader(stream);
    if (FAILED(hr))
        return hr;
    DWORD mask = 0;
    const DWORD signature = Signature();
    for (DWORD bit = 1; bit != 0; bit <<= 1)
        if ((signature & bit) && HasData(bit, categories))
            mask |= bit;
    hr = WriteBytes(stream, &mask, sizeof mask);
    for (DWORD bit = 1; bit != 0 && SUCCEEDED(hr); bit <<= 1)
        if (mask & bit)
            hr = Save(bit, stream, categories);
    if (SUCCEEDED(hr))
        hr = SaveTrailer(stream);
    return hr;
}

HRESULT HvPersistParticipant::LoadFromStream(IStream* stream, LONG categories)
{
    if (!stream)
        return E_INVALIDARG;
    return StoredStateRead::Run(
        stream, [&] { return LoadIntoScratch(stream, categories); },
        [&] { return LoadFrame(stream, categories); });
}

HRESULT HvPersistParticipant::LoadFrame(IStream* stream, LONG categories)
{
    BeforeLoad();
    LONG version = 0;
    HRESULT hr = ReadBytes(stream, &version, sizeof version);
    if (SUCCEEDED(hr))
        hr = CheckVersion(version);
    if (SUCCEEDED(hr))
        hr = LoadHeader(stream);
    DWORD mask = 0;
    if (SUCCEEDED(hr))
        hr = ReadBytes(stream, &mask, sizeof mask);
    const DWORD signature = Signature();
    // Data of a property this object does not have cannot be skipped.
    if (SUCCEEDED(hr) && (mask & ~signature) != 0)
        hr = E_FAIL;
    if (FAILED(hr))
        return hr;
    for (DWORD bit = 1; bit != 0 && SUCCEEDED(hr); bit <<= 1) {
        if (!(signature & bit))
            continue;
        if (mask & bit)
            hr = Load(bit, stream, categories);
        else
            Reset(bit, categories);
    }
    if (SUCCEEDED(hr))
        hr = LoadTrailer(stream);
    return hr;
}

bool HvPersistParticipant::HasAnyCategoryData(LONG categories)
{
    const DWORD signature = Signature();
    for (DWORD bit = 1; bit != 0; bit <<= 1)
        if ((signature & bit) && HasData(bit, categories))
            return true;
    return false;
}

void HvPersistParticipant::ResetAll(LONG categories)
{
    const DWORD signature = Signature();
    for (DWORD bit = 1; bit != 0; bit <<= 1)
        if (signature & bit)
            Reset(bit, categories);
}

HRESULT HvPersistParticipant::CopyAll(HvPersistParticipant& source, LONG categories)
{
    if (source.ParticipantKind() != ParticipantKind())
        return E_FAIL;
    // Copying an object onto itself leaves it as it is.
    if (&source == this)
        return S_OK;
    const DWORD signature = Signature();
    for (DWORD bit = 1; bit != 0; bit <<= 1) {
        if (!(signature & bit))
            continue;
        HRESULT hr = CopyFrom(bit, source, categories);
        if (FAILED(hr))
            return hr;
    }
    OnCopyComplete();
    return S_OK;
}
