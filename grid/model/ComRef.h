// ComRef: the holder of one interface pointer, owning one reference.
#pragma once

#include <unknwn.h>

template <class T>
class ComRef {
public:
    ComRef() noexcept = default;
    // Takes a reference of its own.
    explicit ComRef(T* p) noexcept : p_(p) { if (p_) p_->AddRef(); }
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    void Reset() noexcept
    {
        if (T* p = p_) {
            p_ = nullptr;
            p->Release();
        }
    }
    // Holds p with a reference of its own.
    void Assign(T* p) noexcept
    {
        if (p)
            p->AddRef();
        Reset();
        p_ = p;
    }
    // Adopts a reference the caller already owns.
    void Attach(T* p) noexcept { Reset(); p_ = p; }
    T* Detach() noexcept { T* p = p_; p_ = nullptr; return p; }
    // Out-parameter form: the old pointer is released first.
    T** Put() noexcept { Reset(); return &p_; }
    void** PutVoid() noexcept { return reinterpret_cast<void**>(Put()); }
    HRESULT QueryFrom(IUnknown* source, REFIID iid) noexcept
    {
        Reset();
        return source ? source->QueryInterface(iid, PutVoid()) : E_POINTER;
    }

    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};
