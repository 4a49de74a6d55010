// The About box tests' control.
#include "AboutTestControl.h"

#include "ObjectInfo.h"

namespace {

IUnknown* CreateForTable(IUnknown*)
{
    return nullptr;
}

} // namespace

AboutTestControl* AboutTestControl::Create()
{
    SetCreateFunction(ObjectType::HvTavelle, &CreateForTable);
    return new AboutTestControl();
}

AboutTestControl::AboutTestControl()
    : CControlBase(nullptr, ObjectType::HvTavelle, static_cast<IDispatch*>(this), StockEventMask::All)
{
}

STDMETHODIMP AboutTestControl::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_INVALIDARG;
    *count = 0;
    return S_OK;
}

STDMETHODIMP AboutTestControl::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP AboutTestControl::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP AboutTestControl::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return DISP_E_MEMBERNOTFOUND;
}

void AboutTestControl::SetModalState(bool modal)
{
    if (calls)
        calls->push_back(modal ? "SetModalState(1)" : "SetModalState(0)");
}

HRESULT AboutTestControl::OnDraw(DWORD, HDC, const RECTL*, const RECTL*, HDC, BOOL)
{
    return S_OK;
}
