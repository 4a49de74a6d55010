// Recordset: the application's in-memory table: fields appended by name and
// type, then opened empty and updatable; records added and edited through a
// current record; clones share the records with their own position; the data
// source hands the same records to a grid as an OLE DB rowset.
#pragma once

#include "CellValue.h"
#include "ComRef.h"
#include "Cursor.h"
#include "Field.h"
#include "Table.h"

#include <unknwn.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace hv::recordset {

class DataSourceObject;

class Recordset {
public:
    Recordset();
    ~Recordset(); // the data source, if handed out, lives on while referenced
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Fields, before Open.
    HRESULT AppendField(const std::wstring& name, FieldType type, long definedSize = 0,
                        long attributes = kFieldUnspecified);
    // A chapter field: for each record, the records of `child` whose
    // `childKey` field equals this record's `parentKey` field.
    HRESULT AppendChapter(const std::wstring& name, const Recordset& child,
                          std::wstring_view parentKey, std::wstring_view childKey);
    long FieldCount() const { return static_cast<long>(table_->FieldCount()); }
    HRESULT GetFieldName(long index, std::wstring& name) const;

    // Opening and closing. Closing drops the records (clones keep theirs).
    HRESULT Open();
    HRESULT Close();
    long State() const { return open_ ? 1 : 0; }

    // Records.
    HRESULT AddNew();
    HRESULT Update();
    HRESULT GetValue(long index, VARIANT* value) const;
    HRESULT GetValue(std::wstring_view name, VARIANT* value) const;
    HRESULT SetValue(long index, const VARIANT& value);
    HRESULT SetValue(std::wstring_view name, const VARIANT& value);
    // A number into a double field by index, without a VARIANT: the road of
    // code that fills large tables.
    HRESULT SetNumber(long index, double value);
    HRESULT MoveFirst();
    HRESULT MoveNext();
    HRESULT MovePrevious();
    HRESULT MoveLast();
    bool IsEOF() const;
    bool IsBOF() const;
    long RecordCount() const;
    bool IsAdding() const { return adding_; }
    // Makes room for that many records in advance; E_OUTOFMEMORY when the
    // memory cannot be had (the recordset stays usable).
    HRESULT Reserve(size_t records);

    // A second recordset over the same records, positioned at the first.
    HRESULT Clone(std::unique_ptr<Recordset>& clone) const;

    // The data source object over these records (one per open recordset).
    HRESULT GetDataSource(IUnknown** dataSource);
    // Tells the data source's listeners that a data member changed (the
    // unnamed one is ""); nothing without a data source.
    void AnnounceDataMemberChanged(const wchar_t* member);

    const std::shared_ptr<Table>& GetTable() const { return table_; }
    const std::shared_ptr<Cursor>& GetCursor() const { return cursor_; }

private:
    explicit Recordset(std::shared_ptr<Table> table);
    HRESULT Field(std::wstring_view name, size_t& index) const;
    HRESULT CommitNew();
    HRESULT CheckCurrent() const;
    HRESULT MoveToPosition(size_t position, bool forward);
    HRESULT GetAt(size_t field, VARIANT* value) const;
    HRESULT SetAt(size_t field, const VARIANT& value);
    HRESULT StoreAt(size_t field, CellValue&& cell);

    std::shared_ptr<Table> table_;
    std::shared_ptr<Cursor> cursor_;
    bool open_ = false;
    bool adding_ = false;
    std::vector<CellValue> newRecord_;
    DataSourceObject* dataSource_ = nullptr; // one reference while made
};

} // namespace hv::recordset
