// The container's in-place frame.
#include "InPlaceFrame.h"

#include "CallLog.h"

#include <new>

namespace hv::container {

InPlaceFrame* InPlaceFrame::Create(HWND window, CallLog* log)
{
    return new (std::nothrow) InPlaceFrame(window, log);
}

InPlaceFrame::~InPlaceFrame()
{
    if (active_)
        active_->Release();
}

void InPlaceFrame::Log(const wchar_t* entry)
{
    if (log_)
        log_->Add(std::wstring(L"Frame::") + entry);
}

STDMETHODIMP InPlaceFrame::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleWindow) ||
        IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame)) {
        *out = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) InPlaceFrame::AddRef()
{
    return ++refs_;
}

STDMETHODIMP_(ULONG) InPlaceFrame::Release()
{
    const ULONG count = --refs_;
    if (count == 0)
        delete this;
    return count;
}

STDMETHODIMP InPlaceFrame::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = window_;
    return S_OK;
}

STDMETHODIMP InPlaceFrame::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP InPlaceFrame::GetBorder(LPRECT border)
{
    if (!border)
        return E_POINTER;
    return GetClientRect(window_, border) ? S_OK : E_FAIL;
}

STDMETHODIMP InPlaceFrame::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }

STDMETHODIMP InPlaceFrame::SetBorderSpace(LPCBORDERWIDTHS)
{
    Log(L"SetBorderSpace");
    return S_OK;
}

STDMETHODIMP InPlaceFrame::SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR)
{
    Log(object ? L"SetActiveObject" : L"SetActiveObject(null)");
    if (object)
        object->AddRef();
    if (active_)
        active_->Release();
    active_ = object;
    return S_OK;
}

STDMETHODIMP InPlaceFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return E_NOTIMPL; }
STDMETHODIMP InPlaceFrame::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
STDMETHODIMP InPlaceFrame::RemoveMenus(HMENU) { return E_NOTIMPL; }
STDMETHODIMP InPlaceFrame::SetStatusText(LPCOLESTR) { return S_OK; }

STDMETHODIMP InPlaceFrame::EnableModeless(BOOL enable)
{
    Log(enable ? L"EnableModeless(TRUE)" : L"EnableModeless(FALSE)");
    modeless_ = enable != FALSE;
    return S_OK;
}

STDMETHODIMP InPlaceFrame::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

} // namespace hv::container
