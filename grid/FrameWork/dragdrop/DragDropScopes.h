// Scope guards of the drag-and-drop code: the screen context, global memory
// blocks and their locks, and GDI handles that are handed on or deleted.
#pragma once

#include <windows.h>

#include <utility>

// The screen's device context, released at scope end.
class ScreenContext {
public:
    ScreenContext() noexcept : dc_(GetDC(nullptr)) {}
    ~ScreenContext() { if (dc_) ReleaseDC(nullptr, dc_); }
    ScreenContext(const ScreenContext&) = delete;
    ScreenContext& operator=(const ScreenContext&) = delete;
    HDC Get() const noexcept { return dc_; }

private:
    HDC dc_;
};

// A memory context compatible with another, deleted at scope end.
class CompatibleContext {
public:
    explicit CompatibleContext(HDC compatible) noexcept : dc_(CreateCompatibleDC(compatible)) {}
    ~CompatibleContext() { if (dc_) DeleteDC(dc_); }
    CompatibleContext(const CompatibleContext&) = delete;
    CompatibleContext& operator=(const CompatibleContext&) = delete;
    HDC Get() const noexcept { return dc_; }

private:
    HDC dc_;
};

// Owns a global memory block until Release hands it on.
class GlobalBlock {
public:
    GlobalBlock() noexcept = default;
    GlobalBlock(UINT flags, SIZE_T bytes) noexcept : block_(GlobalAlloc(flags, bytes)) {}
    explicit GlobalBlock(HGLOBAL block) noexcept : block_(block) {}
    ~GlobalBlock() { if (block_) GlobalFree(block_); }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    HGLOBAL Get() const noexcept { return block_; }
    HGLOBAL Release() noexcept { return std::exchange(block_, nullptr); }
    explicit operator bool() const noexcept { return block_ != nullptr; }

private:
    HGLOBAL block_ = nullptr;
};

// Locks a global memory block for the scope; Data() is null when it cannot.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL block) noexcept : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
    ~GlobalLockScope() { if (data_) GlobalUnlock(block_); }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    void* Data() const noexcept { return data_; }
    template <class T>
    T* As() const noexcept { return static_cast<T*>(data_); }

private:
    HGLOBAL block_;
    void* data_;
};

// Owns a GDI object until Release hands it on.
template <class THandle>
class OwnedGdiHandle {
public:
    OwnedGdiHandle() noexcept = default;
    explicit OwnedGdiHandle(THandle handle) noexcept : handle_(handle) {}
    ~OwnedGdiHandle() { if (handle_) DeleteObject(handle_); }
    OwnedGdiHandle(const OwnedGdiHandle&) = delete;
    OwnedGdiHandle& operator=(const OwnedGdiHandle&) = delete;
    THandle Get() const noexcept { return handle_; }
    THandle Release() noexcept { return std::exchange(handle_, nullptr); }
    void Reset(THandle handle = nullptr) noexcept
    {
        if (handle_)
            DeleteObject(handle_);
        handle_ = handle;
    }

private:
    THandle handle_ = nullptr;
};
