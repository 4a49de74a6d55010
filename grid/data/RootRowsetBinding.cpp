// RootRowsetBinding: opening a data source and the design-time rows.
#include "RootRowsetBinding.h"

#include "RootRowList.h"
#include "RowRecordStore.h"

#include "ColumnInfo.h"
#include "DataIds.h"
#include "ResourceModule.h"

#include <msdatsrc.h>

namespace {

// The string of a column type's name (design-time placeholder values).
UINT TypeNameId(DBTYPE type)
{
    static const DBTYPE kTypes[] = {
        DBTYPE_EMPTY, DBTYPE_I2, DBTYPE_I4, DBTYPE_R4, DBTYPE_R8, DBTYPE_CY, DBTYPE_DATE, DBTYPE_BSTR,
        DBTYPE_IDISPATCH, DBTYPE_ERROR, DBTYPE_BOOL, DBTYPE_VARIANT, DBTYPE_DECIMAL, DBTYPE_UI1, DBTYPE_I8,
        DBTYPE_GUID, DBTYPE_BYTES, DBTYPE_STR, DBTYPE_WSTR, DBTYPE_NUMERIC, DBTYPE_DBDATE, DBTYPE_DBTIME,
        DBTYPE_DBTIMESTAMP, DBTYPE_HCHAPTER};
    for (UINT i = 0; i < std::size(kTypes); ++i) {
        if (kTypes[i] == type)
            return 8050 + i;
    }
    return 0;
}

} // namespace

RootRowsetBinding::RootRowsetBinding(void* control, bool designMode, bool tracking)
    : RowsetBinding(nullptr), tracking_(tracking), control_(control)
{
    designMode_ = designMode;
}

void RootRowsetBinding::ResetTopLevelCounts()
{
    ClearCachedCounts();
    if (RowRecordStore* store = RowRecordStore::Of(this))
        if (RootRowList* list = store->TopLevelList())
            list->ForgetLoad();
}

HRESULT RootRowsetBinding::OpenDataMember(IUnknown* dataSource, const wchar_t* dataMember)
{
    if (!dataSource)
        return E_FAIL;
    childSource_.Assign(dataSource);
    ComRef<DataSource> source;
    if (FAILED(source.QueryFrom(dataSource, kIidDataSource)))
        return kNothingToOpen;
    BSTR name = SysAllocString(dataMember ? dataMember : L"");
    if (!name)
        return E_OUTOFMEMORY;
    const IID* asked[] = {&IID_IRowPosition, &IID_IRowset, &IID_IColumnsInfo};
    ComRef<IUnknown> opened;
    for (const IID* iid : asked) {
        if (SUCCEEDED(source->getDataMember(name, *iid, opened.Put())) && opened)
            break;
        opened.Reset();
    }
    SysFreeString(name);
    if (!opened)
        return kNothingToOpen;
    return Open(opened.Get());
}

HRESULT RootRowsetBinding::Open(IUnknown* source)
{
    if (!source)
        return E_POINTER;
    ComRef<IRowPosition> position;
    if (SUCCEEDED(position.QueryFrom(source, IID_IRowPosition)) && position) {
        rowPosition_.Assign(position.Get());
        ComRef<IUnknown> rowset;
        if (FAILED(position->GetRowset(IID_IRowset, rowset.Put())) || !rowset)
            return E_FAIL;
        HRESULT hr = AttachInterfaces(rowset.Get());
        if (SUCCEEDED(hr))
            Initialize();
        return hr;
    }
    ComRef<IRowset> rowset;
    if (SUCCEEDED(rowset.QueryFrom(source, IID_IRowset)) && rowset) {
        HRESULT hr = AttachInterfaces(source);
        if (SUCCEEDED(hr))
            Initialize();
        return hr;
    }
    ComRef<IColumnsInfo> columns;
    if (SUCCEEDED(columns.QueryFrom(source, IID_IColumnsInfo)) && columns) {
        AttachInterfaces(source); // a source that only describes its columns lacks the rest
        if (!HasColumnsInterface())
            return E_FAIL;
        Initialize();
        return S_OK;
    }
    return E_FAIL;
}

HRESULT RowsetBinding::GetPlaceholderValue(DBORDINAL ordinal, VARIANT* value)
{
    VariantClear(value);
    ColumnInfo* column = GetColumn(ordinal);
    if (!column || column->IsChapter())
        return S_OK;
    wchar_t text[100] = {};
    if (const UINT id = TypeNameId(column->GetType()))
        LoadStringW(GetResourceInstance(0), id, text, 100);
    V_VT(value) = VT_BSTR;
    V_BSTR(value) = SysAllocString(text);
    return V_BSTR(value) ? S_OK : E_OUTOFMEMORY;
}
