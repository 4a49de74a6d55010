// The memory-block persistence object.
#include "PersistHGlobal.h"

#include <new>

// {7A1D3E64-2B5C-4F08-9E17-6C4B8A2D0F35}
extern "C" const CLSID CLSID_HvPersistHGlobal =
    {0x7a1d3e64, 0x2b5c, 0x4f08, {0x9e, 0x17, 0x6c, 0x4b, 0x8a, 0x2d, 0x0f, 0x35}};

namespace {

constexpr DWORD kCountSize = sizeof(DWORD);
// Larger counts cannot be held with their header in one block.
constexpr DWORD kLargestCount = 0x7FFFFFFF - kCountSize;

// Locks a block for the length of a scope.
class BlockLock {
public:
    explicit BlockLock(HGLOBAL block) : block_(block), data_(block ? static_cast<BYTE*>(GlobalLock(block)) : nullptr)
    {
    }
    ~BlockLock()
    {
        if (data_)
            GlobalUnlock(block_);
    }
    BlockLock(const BlockLock&) = delete;
    BlockLock& operator=(const BlockLock&) = delete;
    BYTE* Data() const { return data_; }

private:
    HGLOBAL block_;
    BYTE* data_;
};

} // namespace

CPersistHGlobal* CPersistHGlobal::Create(HGLOBAL block)
{
    auto* object = new (std::nothrow) CPersistHGlobal(block);
    if (!object && block)
        GlobalFree(block);
    return object;
}

HGLOBAL CPersistHGlobal::MakeBlock(const void* data, DWORD count)
{
    if (count > kLargestCount || (count && !data))
        return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, count + kCountSize);
    if (!block)
        return nullptr;
    BlockLock lock(block);
    if (!lock.Data()) {
        GlobalFree(block);
        return nullptr;
    }
    CopyMemory(lock.Data(), &count, kCountSize);
    if (count)
        CopyMemory(lock.Data() + kCountSize, data, count);
    return block;
}

CPersistHGlobal::~CPersistHGlobal()
{
    if (m_block)
        GlobalFree(m_block);
}

STDMETHODIMP CPersistHGlobal::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStream)) {
        *out = static_cast<IPersistStream*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CPersistHGlobal::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_refs));
}

STDMETHODIMP_(ULONG) CPersistHGlobal::Release()
{
    const LONG count = InterlockedDecrement(&m_refs);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

STDMETHODIMP CPersistHGlobal::GetClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    *clsid = CLSID_HvPersistHGlobal;
    return S_OK;
}

bool CPersistHGlobal::DataCount(DWORD* count) const
{
    if (!m_block || !count)
        return false;
    const SIZE_T size = GlobalSize(m_block);
    if (size < kCountSize)
        return false;
    BlockLock lock(m_block);
    if (!lock.Data())
        return false;
    DWORD stored = 0;
    CopyMemory(&stored, lock.Data(), kCountSize);
    if (stored > size - kCountSize)
        return false;
    *count = stored;
    return true;
}

// The previous block is kept until the new one has been read whole.
STDMETHODIMP CPersistHGlobal::Load(IStream* stream)
{
    if (!stream)
        return E_POINTER;
    try {
        DWORD count = 0;
        ULONG read = 0;
        HRESULT hr = stream->Read(&count, kCountSize, &read);
        if (FAILED(hr))
            return hr;
        if (read != kCountSize || count > kLargestCount)
            return E_FAIL;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, count + kCountSize);
        if (!block)
            return E_OUTOFMEMORY;
        {
            BlockLock lock(block);
            if (!lock.Data()) {
                hr = E_OUTOFMEMORY;
            } else {
                CopyMemory(lock.Data(), &count, kCountSize);
                read = 0;
                hr = count ? stream->Read(lock.Data() + kCountSize, count, &read) : S_OK;
                if (SUCCEEDED(hr) && read != count)
                    hr = E_FAIL;
            }
        }
        if (FAILED(hr)) {
            GlobalFree(block);
            return hr;
        }
        if (m_block)
            GlobalFree(m_block);
        m_block = block;
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CPersistHGlobal::Save(IStream* stream, BOOL)
{
    if (!stream)
        return E_POINTER;
    DWORD count = 0;
    if (!m_block) {
        ULONG written = 0;
        const HRESULT hr = stream->Write(&count, kCountSize, &written);
        return FAILED(hr) ? hr : (written == kCountSize ? S_OK : E_FAIL);
    }
    if (!DataCount(&count))
        return E_FAIL;
    BlockLock lock(m_block);
    if (!lock.Data())
        return E_OUTOFMEMORY;
    ULONG written = 0;
    const HRESULT hr = stream->Write(lock.Data(), count + kCountSize, &written);
    if (FAILED(hr))
        return hr;
    return written == count + kCountSize ? S_OK : E_FAIL;
}

STDMETHODIMP CPersistHGlobal::GetSizeMax(ULARGE_INTEGER* size)
{
    if (!size)
        return E_POINTER;
    DWORD count = 0;
    DataCount(&count);
    size->QuadPart = static_cast<ULONGLONG>(count) + kCountSize;
    return S_OK;
}
