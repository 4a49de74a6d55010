// CPersistHGlobal: an IPersistStream object over one memory block that
// holds a 32-bit byte count followed by that many bytes. Binary state
// crosses a property bag in it, as one VT_UNKNOWN value; its stream form is
// the block itself.
#pragma once

#include <windows.h>
#include <objidl.h>

extern "C" const CLSID CLSID_HvPersistHGlobal;

class CPersistHGlobal final : public IPersistStream {
public:
    // block: owned from now on and freed with the object (null: empty).
    // Null when the object cannot be made; the block is then freed.
    static CPersistHGlobal* Create(HGLOBAL block);
    // A block of count + 4 bytes holding count and data.
    static HGLOBAL MakeBlock(const void* data, DWORD count);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override { return S_OK; }
    STDMETHODIMP Load(IStream* stream) override;
    STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;

    // The block, still owned by the object; null when empty.
    HGLOBAL GetHGlobal() const { return m_block; }
    // The count stored at the head of the block, checked against the
    // block's size; false when the block is missing or inconsistent.
    bool DataCount(DWORD* count) const;

private:
    explicit CPersistHGlobal(HGLOBAL block) : m_block(block) {}
    ~CPersistHGlobal();

    LONG m_refs = 1;
    HGLOBAL m_block;
};
