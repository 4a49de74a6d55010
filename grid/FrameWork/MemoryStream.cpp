#include "MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

MemoryStream* MemoryStream::Create() noexcept
{
    return new (std::nothrow) MemoryStream();
}

HRESULT MemoryStream::SaveThrough(IStream* target, const std::function<HRESULT(IStream*)>& save)
{
    if (!target)
        return E_INVALIDARG;
    MemoryStream* buffer = Create();
    if (!buffer)
        return E_OUTOFMEMORY;
    HRESULT hr = S_OK;
    try {
        hr = save(buffer);
    } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY;
    }
    if (SUCCEEDED(hr) && !buffer->bytes_.empty()) {
        const ULONG size = static_cast<ULONG>(buffer->bytes_.size());
        ULONG written = 0;
        hr = target->Write(buffer->bytes_.data(), size, &written);
        if (SUCCEEDED(hr) && written != size)
            hr = STG_E_MEDIUMFULL;
    }
    buffer->Release();
    return hr;
}

STDMETHODIMP MemoryStream::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
        *out = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) MemoryStream::AddRef()
{
    return ++references_;
}

STDMETHODIMP_(ULONG) MemoryStream::Release()
{
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

STDMETHODIMP MemoryStream::Read(void* data, ULONG size, ULONG* read)
{
    if (!data && size)
        return STG_E_INVALIDPOINTER;
    const size_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    const ULONG count = static_cast<ULONG>(std::min<size_t>(size, available));
    if (count)
        std::memcpy(data, bytes_.data() + position_, count);
    position_ += count;
    if (read)
        *read = count;
    return S_OK;
}

STDMETHODIMP MemoryStream::Write(const void* data, ULONG size, ULONG* written)
{
    if (written)
        *written = 0;
    if (!data && size)
        return STG_E_INVALIDPOINTER;
    if (size == 0)
        return S_OK;
    // The stream's size is told in 32 bits by those who read it whole.
    if (position_ + size > std::numeric_limits<ULONG>::max())
        return STG_E_MEDIUMFULL;
    try {
        const size_t end = position_ + size;
        if (end > bytes_.size()) {
            if (end > bytes_.capacity())
                bytes_.reserve(std::max(end, bytes_.capacity() * 2));
            bytes_.resize(end);
        }
    } catch (const std::bad_alloc&) {
        return STG_E_MEDIUMFULL;
    }
    std::memcpy(bytes_.data() + position_, data, size);
    position_ += size;
    if (written)
        *written = size;
    return S_OK;
}

STDMETHODIMP MemoryStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position)
{
    LONGLONG base = 0;
    switch (origin) {
    case STREAM_SEEK_SET:
        break;
    case STREAM_SEEK_CUR:
        base = static_cast<LONGLONG>(position_);
        break;
    case STREAM_SEEK_END:
        base = static_cast<LONGLONG>(bytes_.size());
        break;
    default:
        return STG_E_INVALIDFUNCTION;
    }
    const LONGLONG target = base + move.QuadPart;
    if (target < 0 || target > static_cast<LONGLONG>(std::numeric_limits<ULONG>::max()))
        return STG_E_INVALIDFUNCTION;
    position_ = static_cast<size_t>(target);
    if (position)
        position->QuadPart = position_;
    return S_OK;
}

STDMETHODIMP MemoryStream::SetSize(ULARGE_INTEGER size)
{
    if (size.QuadPart > std::numeric_limits<ULONG>::max())
        return STG_E_MEDIUMFULL;
    try {
        bytes_.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return STG_E_MEDIUMFULL;
    }
    return S_OK;
}

STDMETHODIMP MemoryStream::CopyTo(IStream* target, ULARGE_INTEGER size, ULARGE_INTEGER* read,
                                  ULARGE_INTEGER* written)
{
    if (!target)
        return STG_E_INVALIDPOINTER;
    const size_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    const ULONG count = static_cast<ULONG>(std::min<ULONGLONG>(size.QuadPart, available));
    ULONG done = 0;
    const HRESULT hr = count ? target->Write(bytes_.data() + position_, count, &done) : S_OK;
    position_ += count;
    if (read)
        read->QuadPart = count;
    if (written)
        written->QuadPart = done;
    return hr;
}

STDMETHODIMP MemoryStream::Stat(STATSTG* stat, DWORD)
{
    if (!stat)
        return STG_E_INVALIDPOINTER;
    *stat = {};
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = bytes_.size();
    stat->grfMode = STGM_READWRITE;
    return S_OK;
}

STDMETHODIMP MemoryStream::Clone(IStream** out)
{
    if (out)
        *out = nullptr;
    return E_NOTIMPL;
}
