// ColumnsRowset: the read-only rowset that describes the columns of another
// rowset, one row per described column. Its own columns are the extended
// column attributes a consumer asked for, each named by the attribute's
// property number; values are VARIANTs converted on GetData to the type a
// binding asks for.
#pragma once

#include <windows.h>
#include <oledb.h>

#include <map>
#include <vector>

namespace hv::recordset {

class ColumnsRowset : public IRowset, public IAccessor, public IColumnsInfo {
public:
    // A VARIANT that copies and clears itself.
    struct Value {
        VARIANT v;
        Value() { VariantInit(&v); }
        Value(const Value& other) : Value() { VariantCopy(&v, const_cast<VARIANT*>(&other.v)); }
        Value& operator=(const Value& other)
        {
            if (this != &other)
                VariantCopy(&v, const_cast<VARIANT*>(&other.v));
            return *this;
        }
        ~Value() { VariantClear(&v); }
    };
    struct Column {
        ULONG propid; // of the columns-rowset GUID
        DBTYPE type;
    };

    // rows[r][c] is the value of columns[c] for described column r.
    static HRESULT Create(std::vector<Column> columns, std::vector<std::vector<Value>> rows, REFIID iid,
                          IUnknown** out);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IRowset
    STDMETHODIMP AddRefRows(DBCOUNTITEM cRows, const HROW rghRows[], DBREFCOUNT rgRefCounts[],
                            DBROWSTATUS rgRowStatus[]) override;
    STDMETHODIMP GetData(HROW hRow, HACCESSOR hAccessor, void* pData) override;
    STDMETHODIMP GetNextRows(HCHAPTER hChapter, DBROWOFFSET lRowsOffset, DBROWCOUNT cRows,
                             DBCOUNTITEM* pcRowsObtained, HROW** prghRows) override;
    STDMETHODIMP ReleaseRows(DBCOUNTITEM cRows, const HROW rghRows[], DBROWOPTIONS rgRowOptions[],
                             DBREFCOUNT rgRefCounts[], DBROWSTATUS rgRowStatus[]) override;
    STDMETHODIMP RestartPosition(HCHAPTER hChapter) override;
    // IAccessor
    STDMETHODIMP AddRefAccessor(HACCESSOR hAccessor, DBREFCOUNT* pcRefCount) override;
    STDMETHODIMP CreateAccessor(DBACCESSORFLAGS dwAccessorFlags, DBCOUNTITEM cBindings, const DBBINDING rgBindings[],
                                DBLENGTH cbRowSize, HACCESSOR* phAccessor, DBBINDSTATUS rgStatus[]) override;
    STDMETHODIMP GetBindings(HACCESSOR hAccessor, DBACCESSORFLAGS* pdwAccessorFlags, DBCOUNTITEM* pcBindings,
                             DBBINDING** prgBindings) override;
    STDMETHODIMP ReleaseAccessor(HACCESSOR hAccessor, DBREFCOUNT* pcRefCount) override;
    // IColumnsInfo
    STDMETHODIMP GetColumnInfo(DBORDINAL* pcColumns, DBCOLUMNINFO** prgInfo, OLECHAR** ppStringsBuffer) override;
    STDMETHODIMP MapColumnIDs(DBORDINAL cColumnIDs, const DBID rgColumnIDs[], DBORDINAL rgColumns[]) override;

private:
    ColumnsRowset(std::vector<Column> columns, std::vector<std::vector<Value>> rows);
    virtual ~ColumnsRowset() = default;
    // The row of a handle, or -1.
    long RowOf(HROW row) const;
    // One bound value written into the consumer's buffer.
    DBSTATUS WriteValue(const DBBINDING& binding, const VARIANT& value, BYTE* data) const;

    struct Accessor {
        std::vector<DBBINDING> bindings;
        DBREFCOUNT refs = 1;
    };
    LONG refs_ = 1;
    std::vector<Column> columns_;
    std::vector<std::vector<Value>> rows_;
    std::vector<DBREFCOUNT> rowRefs_;
    size_t next_ = 0;
    std::map<HACCESSOR, Accessor> accessors_;
    HACCESSOR nextAccessor_ = 0x100;
};

} // namespace hv::recordset
