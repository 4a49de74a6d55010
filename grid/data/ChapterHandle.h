// ChapterHandle: one chapter (HCHAPTER) of one rowset binding; a handle that
// holds a chapter holds one chapter reference on that rowset, copies their
// own.
#pragma once

#include <windows.h>
#include <oledb.h>

class RowsetBinding;

class ChapterHandle {
public:
    ChapterHandle() noexcept = default;
    // Bound to a binding, no chapter yet.
    explicit ChapterHandle(RowsetBinding* binding) noexcept : binding_(binding) {}
    // takeReference: add a chapter reference; else the caller's is adopted.
    ChapterHandle(RowsetBinding* binding, HCHAPTER chapter, bool takeReference);
    ChapterHandle(const ChapterHandle& other);
    ChapterHandle& operator=(const ChapterHandle& other);
    ~ChapterHandle();

    // Adopts the chapter's reference (none is added). A chapter without a
    // binding is refused with E_POINTER. With fetchCurrent, a root binding
    // and no chapter, the current chapter of the binding's row position is
    // taken.
    HRESULT Attach(RowsetBinding* binding, HCHAPTER chapter, bool fetchCurrent);
    HRESULT Release();
    void Assign(const ChapterHandle& other);
    bool Equals(const ChapterHandle& other) const noexcept
    {
        return binding_ == other.binding_ && chapter_ == other.chapter_;
    }

    RowsetBinding* Binding() const noexcept { return binding_; }
    HCHAPTER Value() const noexcept { return chapter_; }

private:
    RowsetBinding* binding_ = nullptr; // not referenced
    HCHAPTER chapter_ = DB_NULL_HCHAPTER;
};
