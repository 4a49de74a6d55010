// RowDeletionSeam: what the layout's row deletion needs of a row object:
// whether it holds row data, committing its pending edit, deleting its data
// and then committing or undoing the deletion, handing it to its band as a
// pending deletion, and reporting a data error through its band.
#pragma once

#include <windows.h>

class RowDeletionSeam {
public:
    virtual bool HasRowData() = 0;
    // The row's pending edit is committed (IHvRow::Update).
    virtual HRESULT CommitPendingEdit() = 0;
    virtual HRESULT DeleteData() = 0;
    virtual HRESULT CommitDeletion() = 0;
    virtual void UndoDeletion() = 0;
    // Marks the row changed and hands it to its band's binding as pending.
    virtual void KeepDeletionPending() = 0;
    virtual void ReportDataError(HRESULT result) = 0;
    // The band's resolved AllowDelete (2: No).
    virtual LONG ResolveAllowDelete() = 0;

protected:
    ~RowDeletionSeam() = default;
};
