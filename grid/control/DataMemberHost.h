// DataMemberHost: what the control's data-source listener needs of the
// grid control: its bound data member, design mode and the rebind.
#pragma once

#include <windows.h>

class DataMemberHost
{
public:
    // The control's DataMember; null or empty for the default member.
    virtual const wchar_t* BoundDataMember() = 0;
    virtual bool IsDesignMode() = 0;
    // Binds the data member again; with detachOnFailure a failed bind
    // leaves the control without data source.
    virtual HRESULT RebindDataMember(bool detachOnFailure) = 0;

protected:
    ~DataMemberHost() = default;
};
