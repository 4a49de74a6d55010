// DataMemberListener: the control's DataSourceListener, which its data
// source tells when a data member changes, is added or is removed. A part
// of the control object: its IUnknown is the control's.
#pragma once

#include "DataMemberHost.h"

#include <msdatsrc.h>

// IID_DataSourceListener, which the import libraries do not define.
extern const IID kIidDataSourceListener;

class DataMemberListener final : public DataSourceListener
{
public:
    // owner: the control's IUnknown, to which reference counting and
    // QueryInterface go; neither it nor host is owned.
    DataMemberListener(IUnknown* owner, DataMemberHost& host) : m_owner(owner), m_host(host) {}
    DataMemberListener(const DataMemberListener&) = delete;
    DataMemberListener& operator=(const DataMemberListener&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP dataMemberChanged(DataMember member) override;
    STDMETHODIMP dataMemberAdded(DataMember member) override;
    STDMETHODIMP dataMemberRemoved(DataMember member) override;

private:
    bool IsOwnMember(const wchar_t* member);

    IUnknown* m_owner;
    DataMemberHost& m_host;
};
