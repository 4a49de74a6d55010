// HvPersistParticipant: the interface through which an object of the layout
// takes part in layout save, load, reset and copy, one property code (a bit
// of its signature) at a time, selected by a property-category mask.
//
// Stream form of a participant: format version (4 bytes), the object's
// header, a 4-byte mask of the property codes that hold data, then each such
// property's data in ascending bit order, then the object's trailer.
#pragma once

#include <windows.h>
#include <objidl.h>

class HvPersistParticipant {
public:
    static constexpr LONG Version = 100;

    HRESULT SaveToStream(IStream* stream, LONG categories);
    // A stream whose version or mask this object does not know fails. As
    // the outermost read (StoredStateRead) it is all or nothing: the frame
    // is first read by LoadIntoScratch.
    HRESULT LoadFromStream(IStream* stream, LONG categories);

    virtual LONG ParticipantKind() const = 0;
    virtual DWORD Signature() const = 0;
    virtual LONG FormatVersion() const { return Version; }
    HRESULT CheckVersion(LONG version) const { return version == FormatVersion() ? S_OK : E_FAIL; }

    virtual bool HasData(DWORD code, LONG categories) = 0;
    virtual HRESULT Save(DWORD code, IStream* stream, LONG categories) = 0;
    virtual HRESULT Load(DWORD code, IStream* stream, LONG categories) = 0;
    virtual void Reset(DWORD code, LONG categories) = 0;
    // source is a participant of the same kind (else E_FAIL).
    virtual HRESULT CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories) = 0;

    bool HasAnyCategoryData(LONG categories);
    void ResetAll(LONG categories);
    // Copies every property code; stops at the first failure.
    HRESULT CopyAll(HvPersistParticipant& source, LONG categories);

    // Whole reads and writes: a stream that gives fewer bytes than asked
    // fails with StreamTruncated.
    static constexpr HRESULT StreamTruncated = HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);
    static HRESULT ReadBytes(IStream* stream, void* data, ULONG size);
    static HRESULT WriteBytes(IStream* stream, const void* data, ULONG size);

protected:
    ~HvPersistParticipant() = default;

    // The checking pass: reads the frame into a scratch object of the same
    // kind and drops it. S_OK where the class reads in one pass.
    virtual HRESULT LoadIntoScratch(IStream*, LONG) { return S_OK; }
    // The frame read into this object.
    HRESULT LoadFrame(IStream* stream, LONG categories);

    virtual HRESULT SaveHeader(IStream*) { return S_OK; }
    virtual HRESULT LoadHeader(IStream*) { return S_OK; }
    virtual HRESULT SaveTrailer(IStream*) { return S_OK; }
    virtual HRESULT LoadTrailer(IStream*) { return S_OK; }
    // Runs before a load and after a copy.
    virtual void BeforeLoad() {}
    virtual void OnCopyComplete() {}
};
