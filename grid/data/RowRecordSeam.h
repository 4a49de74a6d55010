// RowRecordSeam: how a rowset binding reaches the shared row records of the
// row model above it, which it does not own. The row model installs one on
// each binding; without one no record is made and notifications that need
// one pass none on.
#pragma once

#include <windows.h>
#include <oledb.h>

class ChapterHandle;
class RowData;
class RowsetBinding;

class RowRecordSeam {
public:
    // The shared record of a row handle of the binding, with a reference for
    // the caller; existingOnly: only a record the grid already holds. The
    // handle is not adopted (the record adds its own reference).
    virtual RowData* FindOrMakeRow(RowsetBinding& binding, HROW row, const ChapterHandle& chapter,
                                   bool existingOnly) = 0;
    virtual void ReleaseRow(RowData* row) = 0;
    // The provider announced that the row will be deleted (mark true), that
    // the deletion failed (false), or that it is done (settle).
    virtual void MarkBeingDeleted(RowData* row, bool mark) = 0;
    virtual void SettleDeleted(RowData* row) = 0;
    // The row set of the binding changed: every record leaves the row map.
    virtual void ClearRowMap(RowsetBinding& binding) = 0;
    // Rows were added to the binding: the cached neighbour answers go.
    virtual void ForgetSiblingAnswers() = 0;

protected:
    ~RowRecordSeam() = default;
};
