// A stream over a block of memory that grows by doubling, for writers that
// make many small writes: a stream on an HGLOBAL grows by each write's size
// and copies what it holds as it goes, so that large saves slow down with
// the square of their size. SaveThrough gathers a save here and hands the
// bytes to the stream they are meant for in one write.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <functional>
#include <vector>

class MemoryStream final : public IStream
{
public:
    // A new stream holding one reference, or null when memory is short.
    static MemoryStream* Create() noexcept;

    // Runs save on a memory stream, then writes what it wrote to target;
    // nothing reaches target when save fails.
    static HRESULT SaveThrough(IStream* target, const std::function<HRESULT(IStream*)>& save);

    const std::vector<BYTE>& Bytes() const noexcept { return bytes_; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // ISequentialStream
    STDMETHODIMP Read(void* data, ULONG size, ULONG* read) override;
    STDMETHODIMP Write(const void* data, ULONG size, ULONG* written) override;
    // IStream
    STDMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override;
    STDMETHODIMP SetSize(ULARGE_INTEGER size) override;
    STDMETHODIMP CopyTo(IStream* target, ULARGE_INTEGER size, ULARGE_INTEGER* read, ULARGE_INTEGER* written) override;
    STDMETHODIMP Commit(DWORD) override { return S_OK; }
    STDMETHODIMP Revert() override { return S_OK; }
    STDMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    STDMETHODIMP Stat(STATSTG* stat, DWORD flags) override;
    STDMETHODIMP Clone(IStream** out) override;

private:
    MemoryStream() = default;
    ~MemoryStream() = default;

    ULONG references_ = 1;
    std::vector<BYTE> bytes_;
    size_t position_ = 0;
};
