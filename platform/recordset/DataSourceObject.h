// DataSourceObject: the recordset's data source for simple data binding
// (DataSource): it hands out the rowset of the one, unnamed data member and
// the row position over it, and tells its listeners when the records behind
// it were replaced.
#pragma once

#include "ComRef.h"
#include "Cursor.h"
#include "RecordsetIds.h"
#include "Table.h"

#include <msdatsrc.h>

#include <memory>
#include <vector>

namespace hv::recordset {

class Rowset;
class RowPosition;

class DataSourceObject : public ::DataSource {
public:
    static HRESULT Create(std::shared_ptr<Table> table, std::shared_ptr<Cursor> cursor, DataSourceObject** object);
    // The recordset was closed and reopened over new records: the old rowset
    // and row position are let go and every listener is told.
    void Replace(std::shared_ptr<Table> table, std::shared_ptr<Cursor> cursor);
    // Every listener hears dataMemberChanged with the member.
    void AnnounceDataMemberChanged(const wchar_t* member);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // DataSource
    STDMETHODIMP getDataMember(DataMember bstrDM, REFIID riid, IUnknown** ppunk) override;
    STDMETHODIMP getDataMemberName(LONG lIndex, DataMember* pbstrDM) override;
    STDMETHODIMP getDataMemberCount(LONG* plCount) override;
    STDMETHODIMP addDataSourceListener(DataSourceListener* pDSL) override;
    STDMETHODIMP removeDataSourceListener(DataSourceListener* pDSL) override;

private:
    DataSourceObject(std::shared_ptr<Table> table, std::shared_ptr<Cursor> cursor);
    virtual ~DataSourceObject();
    void Drop();
    HRESULT EnsureRowset();

    LONG refs_ = 1;
    std::shared_ptr<Table> table_;
    std::shared_ptr<Cursor> cursor_;
    Rowset* rowset_ = nullptr;        // one reference while made
    RowPosition* position_ = nullptr; // one reference while made
    std::vector<ComRef<DataSourceListener>> listeners_;
};

} // namespace hv::recordset
