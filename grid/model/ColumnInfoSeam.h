// ColumnInfoSeam: what a bound column reads of the description of its
// rowset column (name, base names, type, size, nulls, writability).
#pragma once

#include <windows.h>

class ColumnInfoSeam {
public:
    virtual const wchar_t* Name() = 0;
    virtual const wchar_t* BaseColumnName() = 0;
    virtual const wchar_t* BaseTableName() = 0;
    // An OLE DB type code (the Constants_DataType values).
    virtual LONG TypeCode() = 0;
    virtual LONG Size() = 0;
    virtual bool AcceptsNulls() = 0;
    virtual bool IsWritable() = 0;

protected:
    ~ColumnInfoSeam() = default;
};
