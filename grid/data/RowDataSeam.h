// RowDataSeam: what a row object needs of the bound row it wraps: its
// reference count, the tie back to the row object, the expanded and hidden
// states the row lists follow, the cached sibling and child answers, and
// committing or undoing the row's changes. The row data model implements it.
#pragma once

#include <windows.h>

class HvRow;

class RowDataSeam {
public:
    virtual ULONG AddRefData() = 0;
    virtual ULONG ReleaseData() = 0;

    // Ties the row object to the bound row (null unties it).
    virtual void AttachRowObject(HvRow* row) = 0;
    virtual void SetExpanded(bool expanded) = 0;
    virtual void SetHidden(bool hidden) = 0;
    // The bound row is being deleted.
    virtual bool IsBeingDeleted() = 0;
    // Lets a kept row go (its list's extra reference).
    virtual void LetGo() = 0;

    virtual bool HasNextSibling(bool deep) = 0;
    virtual bool HasPrevSibling(bool deep) = 0;
    virtual bool HasNextSiblingSpanningBands(bool deep) = 0;
    virtual bool HasPrevSiblingSpanningBands(bool deep) = 0;
    virtual bool HasChildRows(bool deep) = 0;

    // Field values by column ordinal for the row's cells; the original one
    // is the value before the row's pending changes.
    virtual HRESULT GetFieldValue(LONG ordinal, VARIANT* out) = 0;
    virtual HRESULT GetOriginalFieldValue(LONG ordinal, VARIANT* out) = 0;
    virtual HRESULT SetFieldValue(LONG ordinal, const VARIANT& value) = 0;

    // The row's bookmark as a value of type (VT_R8 when type is VT_ERROR).
    virtual HRESULT GetBookmarkValue(VARTYPE type, VARIANT* out) = 0;

    virtual HRESULT Update() = 0;
    virtual HRESULT Undo() = 0;
    virtual HRESULT Delete() = 0;

protected:
    ~RowDataSeam() = default;
};
