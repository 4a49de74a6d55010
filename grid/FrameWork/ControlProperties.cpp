// The property layer of the control base: construction, the interfaces it
// answers and the data advise family. Property browsing and the data
// formats have files of their own.
#include "ControlProperties.h"

extern "C" const IID IID_ICategorizeProperties =
    {0x4d07fc10, 0xf931, 0x11ce, {0xb0, 0x01, 0x00, 0xaa, 0x00, 0x68, 0x84, 0xe5}};

CControlProperties::CControlProperties(IUnknown* outer, int objectType, void* primaryInterface,
                                       DWORD stockEventMask)
    : CControlEmbedding(outer, objectType, primaryInterface), m_stockEventMask(stockEventMask)
{
}

CControlProperties::~CControlProperties()
{
    if (m_dataAdviseHolder)
        m_dataAdviseHolder->Release();
}

HRESULT CControlProperties::InternalQueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IPropertyNotifySink))
        *out = static_cast<IPropertyNotifySink*>(this);
    else if (IsEqualIID(iid, IID_IPerPropertyBrowsing))
        *out = static_cast<IPerPropertyBrowsing*>(this);
    else if (IsEqualIID(iid, IID_ICategorizeProperties))
        *out = static_cast<ICategorizeProperties*>(this);
    else if (IsEqualIID(iid, IID_IDataObject))
        *out = static_cast<IDataObject*>(this);
    else if (IsEqualIID(iid, IID_IHvPrivateObject))
        return InternalQueryInterface(IID_IDispatch, out);
    else
        return CControlEmbedding::InternalQueryInterface(iid, out);
    CUnknownObject::AddRef();
    return S_OK;
}

// --- Data advise ------------------------------------------------------------

STDMETHODIMP CControlProperties::DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* cookie)
{
    if (!m_dataAdviseHolder) {
        const HRESULT hr = CreateDataAdviseHolder(&m_dataAdviseHolder);
        if (FAILED(hr))
            return hr;
    }
    return m_dataAdviseHolder->Advise(static_cast<IDataObject*>(this), format, flags, sink, cookie);
}

STDMETHODIMP CControlProperties::DUnadvise(DWORD cookie)
{
    if (!m_dataAdviseHolder)
        return OLE_E_NOCONNECTION;
    return m_dataAdviseHolder->Unadvise(cookie);
}

STDMETHODIMP CControlProperties::EnumDAdvise(IEnumSTATDATA** advises)
{
    if (!advises)
        return E_POINTER;
    if (!m_dataAdviseHolder) {
        *advises = nullptr;
        return E_FAIL;
    }
    return m_dataAdviseHolder->EnumAdvise(advises);
}

void CControlProperties::SendOnDataChange(DWORD adviseFlags)
{
    if (m_dataAdviseHolder)
        m_dataAdviseHolder->SendOnDataChange(static_cast<IDataObject*>(this), 0, adviseFlags);
}
