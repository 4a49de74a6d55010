// The grid control's data binding members.
#include "HvTavelle.h"

#include "HvLayout.h"

STDMETHODIMP HvTavelle::get_DataSource(DataSource** Source)
{
    if (!Source)
        return E_INVALIDARG;
    *Source = nullptr;
    if (dataSource_)
        return dataSource_->QueryInterface(IID_DataSource, reinterpret_cast<void**>(Source));
    return S_OK;
}

STDMETHODIMP HvTavelle::putref_DataSource(DataSource*)
{
    return E_NOTIMPL;
}

STDMETHODIMP HvTavelle::get_DataMember(BSTR* Name)
{
    if (!Name)
        return E_INVALIDARG;
    *Name = dataMember_.AllocSysString();
    return S_OK;
}

STDMETHODIMP HvTavelle::put_DataMember(BSTR)
{
    return E_NOTIMPL;
}

STDMETHODIMP HvTavelle::GetRow(Constants_ChildRow Child, IHvRow** Row)
{
    if (Child != hvChildRowFirst && Child != hvChildRowLast)
        return E_INVALIDARG;
    if (!Row)
        return E_INVALIDARG;
    *Row = nullptr;
    if (!rootBinding_)
        return Exception(static_cast<HRESULT>(0x800A9C47), 3000);
    return E_NOTIMPL;
}

STDMETHODIMP HvTavelle::GetRowFromBookmark(VARIANT*, IHvRow** Row)
{
    if (Row)
        *Row = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP HvTavelle::Refresh(VARIANT*)
{
    if (layout_)
        layout_->DirtyRootUIElement(true, true);
    return S_OK;
}

STDMETHODIMP HvTavelle::Update()
{
    return S_OK;
}

STDMETHODIMP HvTavelle::CancelUpdate()
{
    return S_OK;
}
