// ComRef: owns one reference to a COM interface for its lifetime.
#pragma once

#include <unknwn.h>
#include <utility>

namespace hv::recordset {

template <class T>
class ComRef {
public:
    ComRef() = default;
    explicit ComRef(T* p, bool addRef = true) : p_(p) { if (p_ && addRef) p_->AddRef(); }
    ComRef(const ComRef& o) : p_(o.p_) { if (p_) p_->AddRef(); }
    ComRef(ComRef&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ~ComRef() { Reset(); }
    ComRef& operator=(ComRef o) noexcept { std::swap(p_, o.p_); return *this; }

    void Reset() { if (T* p = std::exchange(p_, nullptr)) p->Release(); }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: releases what is held and hands out the slot.
    T** Put() { Reset(); return &p_; }
    T* Detach() { return std::exchange(p_, nullptr); }

private:
    T* p_ = nullptr;
};

} // namespace hv::recordset
