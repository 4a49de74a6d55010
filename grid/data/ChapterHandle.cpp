// ChapterHandle: chapter references kept through the owning binding.
#include "ChapterHandle.h"

#include "RowsetBinding.h"

ChapterHandle::ChapterHandle(RowsetBinding* binding, HCHAPTER chapter, bool takeReference)
    : binding_(binding), chapter_(chapter)
{
    if (takeReference && binding_ && chapter_)
        binding_->AddRefChapter(chapter_);
}

ChapterHandle::ChapterHandle(const ChapterHandle& other) : ChapterHandle(other.binding_, other.chapter_, true) {}

ChapterHandle& ChapterHandle::operator=(const ChapterHandle& other)
{
    Assign(other);
    return *this;
}

ChapterHandle::~ChapterHandle()
{
    Release();
}

HRESULT ChapterHandle::Attach(RowsetBinding* binding, HCHAPTER chapter, bool fetchCurrent)
{
    if (chapter && !binding)
        return E_POINTER;
    Release();
    binding_ = binding;
    chapter_ = chapter;
    if (fetchCurrent && binding && !chapter && binding->IsRoot()) {
        HCHAPTER current = DB_NULL_HCHAPTER;
        if (SUCCEEDED(binding->GetRowPositionChapter(&current)))
            chapter_ = current;
    }
    return S_OK;
}

HRESULT ChapterHandle::Release()
{
    HRESULT hr = S_OK;
    if (chapter_)
        hr = binding_ ? binding_->ReleaseChapter(chapter_) : E_POINTER;
    binding_ = nullptr;
    chapter_ = DB_NULL_HCHAPTER;
    return hr;
}

void ChapterHandle::Assign(const ChapterHandle& other)
{
    if (&other == this)
        return;
    Release();
    binding_ = other.binding_;
    chapter_ = other.chapter_;
    if (binding_ && chapter_)
        binding_->AddRefChapter(chapter_);
}
