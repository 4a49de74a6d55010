// Data source of a recordset.
#include "DataSourceObject.h"

#include "RowPosition.h"
#include "Rowset.h"

#include <oledberr.h>

#include <algorithm>
#include <new>

namespace hv::recordset {

HRESULT DataSourceObject::Create(std::shared_ptr<Table> table, std::shared_ptr<Cursor> cursor,
                                 DataSourceObject** object)
{
    if (!object)
        return E_POINTER;
    *object = new (std::nothrow) DataSourceObject(std::move(table), std::move(cursor));
    return *object ? S_OK : E_OUTOFMEMORY;
}

DataSourceObject::DataSourceObject(std::shared_ptr<Table> table, std::shared_ptr<Cursor> cursor)
    : table_(std::move(table)), cursor_(std::move(cursor))
{
}

DataSourceObject::~DataSourceObject()
{
    Drop();
}

void DataSourceObject::Drop()
{
    if (position_) {
        position_->Detach();
        position_->Release();
        position_ = nullptr;
    }
    if (rowset_) {
        static_cast<IRowsetScroll*>(rowset_)->Release();
        rowset_ = nullptr;
    }
}

void DataSourceObject::Replace(std::shared_ptr<Table> table, std::shared_ptr<Cursor> cursor)
{
    AddRef();
    Drop();
    table_ = std::move(table);
    cursor_ = std::move(cursor);
    AnnounceDataMemberChanged(L"");
    Release();
}

void DataSourceObject::AnnounceDataMemberChanged(const wchar_t* member)
{
    AddRef();
    const std::vector<ComRef<DataSourceListener>> listeners = listeners_;
    BSTR name = SysAllocString(member ? member : L"");
    for (const auto& l : listeners)
        l->dataMemberChanged(name);
    SysFreeString(name);
    Release();
}

STDMETHODIMP DataSourceObject::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, kIidDataSource))
        return E_NOINTERFACE;
    *out = static_cast<::DataSource*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) DataSourceObject::AddRef()
{
    return static_cast<ULONG>(++refs_);
}

STDMETHODIMP_(ULONG) DataSourceObject::Release()
{
    const LONG n = --refs_;
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

HRESULT DataSourceObject::EnsureRowset()
{
    if (rowset_)
        return S_OK;
    return Rowset::Create(table_, Rowset::kNoKey, &rowset_);
}

STDMETHODIMP DataSourceObject::getDataMember(DataMember bstrDM, REFIID riid, IUnknown** ppunk)
{
    if (!ppunk)
        return E_POINTER;
    *ppunk = nullptr;
    try {
        HRESULT hr = table_->Switches().Enter("DataSource::getDataMember");
        if (hr != S_OK)
            return hr;
        if (bstrDM && SysStringLen(bstrDM) != 0)
            return E_INVALIDARG; // the recordset has only the unnamed member
        hr = EnsureRowset();
        if (FAILED(hr))
            return hr;
        if (IsEqualIID(riid, IID_IRowPosition)) {
            if (table_->Switches().IsDisabled(IID_IRowPosition))
                return E_NOINTERFACE;
            if (!position_) {
                hr = RowPosition::Create(rowset_, cursor_, &position_);
                if (FAILED(hr))
                    return hr;
            }
            *ppunk = static_cast<IRowPosition*>(position_);
            position_->AddRef();
            return S_OK;
        }
        return rowset_->QueryInterface(riid, reinterpret_cast<void**>(ppunk));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP DataSourceObject::getDataMemberName(LONG lIndex, DataMember* pbstrDM)
{
    if (!pbstrDM)
        return E_POINTER;
    *pbstrDM = nullptr;
    if (lIndex != 0)
        return E_INVALIDARG;
    *pbstrDM = SysAllocString(L"");
    return *pbstrDM ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP DataSourceObject::getDataMemberCount(LONG* plCount)
{
    if (!plCount)
        return E_POINTER;
    *plCount = 1;
    return S_OK;
}

STDMETHODIMP DataSourceObject::addDataSourceListener(DataSourceListener* pDSL)
{
    if (!pDSL)
        return E_POINTER;
    try {
        listeners_.emplace_back(pDSL);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

STDMETHODIMP DataSourceObject::removeDataSourceListener(DataSourceListener* pDSL)
{
    auto it = std::find_if(listeners_.begin(), listeners_.end(),
                           [&](const ComRef<DataSourceListener>& l) { return l.Get() == pDSL; });
    if (it == listeners_.end())
        return E_INVALIDARG;
    ComRef<DataSourceListener> keep = *it;
    listeners_.erase(it);
    return S_OK;
}

} // namespace hv::recordset
