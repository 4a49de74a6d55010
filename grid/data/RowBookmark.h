// RowBookmark: one row of a binding by row handle and bookmark; either half
// is obtained from the other when it is missing. While it holds a row handle
// it is a member of its binding's held-handle list (unless no binding).
#pragma once

#include "ChapterHandle.h"

#include <windows.h>
#include <oledb.h>

class RowsetBinding;

class RowBookmark {
public:
    RowBookmark(HROW row, RowsetBinding* binding, const ChapterHandle& chapter, ULONG length, const BYTE* bytes,
                bool borrowed);
    RowBookmark(ULONG length, const BYTE* bytes);
    // A bookmark given as a VARIANT (left as it is); Status() tells whether
    // it was taken.
    RowBookmark(RowsetBinding* binding, const VARIANT& bookmark);
    ~RowBookmark();
    RowBookmark(const RowBookmark&) = delete;
    RowBookmark& operator=(const RowBookmark&) = delete;

    HRESULT Status() const { return status_; }
    // With acquire and no handle held, the handle is obtained again from
    // the bookmark first.
    HROW GetRowHandle(bool acquire);
    // 0 when the bookmark cannot be read.
    ULONG GetBookmarkLength();
    const BYTE* GetBookmarkBytes();
    HRESULT SetBookmark(ULONG length, const BYTE* bytes);
    // A 4-byte bookmark from anything that converts to a 32-bit integer
    // (a number, its text), else a byte array; the caller's value, also
    // through a reference, is not changed.
    HRESULT SetFromVariant(const VARIANT& bookmark);
    HRESULT ReleaseRowHandle(bool keepBookmark);
    HRESULT SetBorrowed(bool borrowed);
    bool IsBorrowed() const { return borrowed_; }
    bool IsSameRow(RowBookmark& other);
    HRESULT GetAsVariant(VARIANT* out, VARTYPE requested);
    ChapterHandle GetChapter() const { return chapter_; }
    const ChapterHandle& Chapter() const { return chapter_; }
    RowsetBinding* GetBinding() const { return binding_; }
    // The VARTYPE in which a bookmark is handed out for a requested type.
    VARTYPE ResultTypeFor(VARTYPE requested);

private:
    friend class RowsetBinding; // walks the held-handle list

    HRESULT ReadBookmark();
    HRESULT AcquireHandle();
    void FreeBytes();
    BYTE* Bytes() { return length_ > 4 ? heap_ : inline_; }
    void LookUpColumn();

    RowBookmark* prev_ = nullptr; // held-handle list, newer
    RowBookmark* next_ = nullptr; // older
    bool linked_ = false;
    ULONG length_ = 0;
    BYTE inline_[4] = {};
    BYTE* heap_ = nullptr;
    RowsetBinding* binding_ = nullptr; // not referenced
    HROW row_ = DB_NULL_HROW;
    ChapterHandle chapter_;
    DBTYPE columnType_ = 65535;
    ULONG columnSize_ = 8;
    bool borrowed_ = false;
    HRESULT status_ = S_OK;
};
