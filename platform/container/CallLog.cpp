// The call log of a container and the names of the interfaces it logs.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "CallLog.h"

#include <algorithm>

namespace hv::container {

void CallLog::Add(std::wstring entry)
{
    if (enabled_)
        entries_.push_back(std::move(entry));
}

int CallLog::IndexOf(const std::wstring& entry) const
{
    auto it = std::find(entries_.begin(), entries_.end(), entry);
    return it == entries_.end() ? -1 : static_cast<int>(it - entries_.begin());
}

int CallLog::Count(const std::wstring& entry) const
{
    return static_cast<int>(std::count(entries_.begin(), entries_.end(), entry));
}

std::wstring CallLog::Text() const
{
    std::wstring text;
    for (const std::wstring& entry : entries_) {
        if (!text.empty())
            text += L", ";
        text += entry;
    }
    return text;
}

std::wstring InterfaceName(const IID& iid)
{
    struct Known {
        const IID* iid;
        const wchar_t* name;
    };
    static const Known kKnown[] = {
        {&IID_IUnknown, L"IUnknown"},
        {&IID_IDispatch, L"IDispatch"},
        {&IID_IOleClientSite, L"IOleClientSite"},
        {&IID_IOleControlSite, L"IOleControlSite"},
        {&IID_IOleWindow, L"IOleWindow"},
        {&IID_IOleInPlaceSite, L"IOleInPlaceSite"},
        {&IID_IOleInPlaceSiteEx, L"IOleInPlaceSiteEx"},
        {&IID_IOleInPlaceSiteWindowless, L"IOleInPlaceSiteWindowless"},
        {&IID_IAdviseSink, L"IAdviseSink"},
        {&IID_IPropertyNotifySink, L"IPropertyNotifySink"},
        {&IID_ISimpleFrameSite, L"ISimpleFrameSite"},
        {&IID_IOleContainer, L"IOleContainer"},
        {&IID_IServiceProvider, L"IServiceProvider"},
        {&IID_IBindHost, L"IBindHost"},
        {&IID_IOleInPlaceFrame, L"IOleInPlaceFrame"},
        {&IID_IOleInPlaceUIWindow, L"IOleInPlaceUIWindow"},
    };
    for (const Known& known : kKnown) {
        if (IsEqualIID(iid, *known.iid))
            return known.name;
    }
    wchar_t text[40] = {};
    StringFromGUID2(iid, text, 40);
    return text;
}

} // namespace hv::container
