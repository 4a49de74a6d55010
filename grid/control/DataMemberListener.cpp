// The data source's notices about its data members, as the grid takes them.
#include "DataMemberListener.h"

#include "DualString.h"
#include "Guarded.h"

#include <new>

const IID kIidDataSourceListener = {0x7c0ffab2, 0xcd84, 0x11d0, {0x94, 0x9a, 0x00, 0xa0, 0xc9, 0x11, 0x10, 0xed}};

STDMETHODIMP DataMemberListener::QueryInterface(REFIID iid, void** out)
{
    return m_owner->QueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) DataMemberListener::AddRef()
{
    return m_owner->AddRef();
}

STDMETHODIMP_(ULONG) DataMemberListener::Release()
{
    return m_owner->Release();
}

bool DataMemberListener::IsOwnMember(const wchar_t* member)
{
    return member && CompareWideStrings(member, m_host.BoundDataMember()) == 0;
}

STDMETHODIMP DataMemberListener::dataMemberChanged(DataMember member)
{
    return Guarded([&]() -> HRESULT {
        if (IsOwnMember(member))
            return m_host.RebindDataMember(true);
        // Another member, or the source as a whole, changed: at run time
        // the grid's own member may have moved with it.
        if (m_host.IsDesignMode())
            return S_OK;
        return m_host.RebindDataMember(false);
    });
}

STDMETHODIMP DataMemberListener::dataMemberAdded(DataMember)
{
    return S_OK;
}

STDMETHODIMP DataMemberListener::dataMemberRemoved(DataMember member)
{
    return Guarded([&]() -> HRESULT { return IsOwnMember(member) ? m_host.RebindDataMember(true) : S_OK; });
}
