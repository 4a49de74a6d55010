// The user-interface tests' control.
#include "UiTestControl.h"

#include "ObjectInfo.h"

namespace {

int g_alive = 0;

IUnknown* CreateForTable(IUnknown*)
{
    return nullptr;
}

} // namespace

UiTestControl* UiTestControl::Create()
{
    SetCreateFunction(ObjectType::HvTavelle, &CreateForTable);
    return new UiTestControl();
}

int UiTestControl::Alive()
{
    return g_alive;
}

UiTestControl::UiTestControl()
    : CControlBase(nullptr, ObjectType::HvTavelle, static_cast<IDispatch*>(this), StockEventMask::All)
{
    ++g_alive;
}

UiTestControl::~UiTestControl()
{
    --g_alive;
}

STDMETHODIMP UiTestControl::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_INVALIDARG;
    *count = 0;
    return S_OK;
}

STDMETHODIMP UiTestControl::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP UiTestControl::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP UiTestControl::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return DISP_E_MEMBERNOTFOUND;
}

void UiTestControl::OnUrlDataAvailable(DWORD tag, DWORD noticeFlags, const BYTE* data, ULONG count)
{
    pieces.push_back({tag, noticeFlags, std::string(reinterpret_cast<const char*>(data), count), data[count] == 0});
}

HRESULT UiTestControl::OnUrlProgress(DWORD tag, ULONG, ULONG, ULONG statusCode, LPCWSTR)
{
    progressTags.push_back(tag);
    progressCodes.push_back(statusCode);
    return progressAnswer;
}

void UiTestControl::SetModalState(bool modal)
{
    calls.push_back(modal ? "SetModalState(1)" : "SetModalState(0)");
}

HRESULT UiTestControl::OnDraw(DWORD, HDC, const RECTL*, const RECTL*, HDC, BOOL)
{
    return S_OK;
}
