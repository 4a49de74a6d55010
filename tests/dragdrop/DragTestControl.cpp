// The drag-and-drop test control.
#include "DragTestControl.h"

#include <new>

DragTestControl* DragTestControl::Create()
{
    return new (std::nothrow) DragTestControl();
}

DragTestControl::DragTestControl()
    : CControlBase(nullptr, ObjectType::HvTavelle, static_cast<IDispatch*>(this), 0),
      dragDrop_(std::make_unique<OleDragDrop>(*this, false, true, GridDragDropErrors(), ObjectType::HvDataObject, false))
{
}

DragTestControl::~DragTestControl()
{
    TakeWindowAway();
}

STDMETHODIMP DragTestControl::SetClientSite(IOleClientSite* site)
{
    dragDrop_->OnSiteChange(site);
    return CControlBase::SetClientSite(site);
}

void DragTestControl::GiveWindow(HWND parent, const RECT& position)
{
    m_position = position;
    m_window = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, position.left, position.top,
                               position.right - position.left, position.bottom - position.top, parent, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    m_state |= ControlState::InPlaceActive | ControlState::Shown;
    dragDrop_->RegisterDropTarget(true);
}

void DragTestControl::TakeWindowAway()
{
    if (!m_window)
        return;
    dragDrop_->RegisterDropTarget(false);
    DestroyWindow(m_window);
    m_window = nullptr;
    m_state &= ~(ControlState::InPlaceActive | ControlState::Shown);
}

HRESULT DragTestControl::OnDraw(DWORD, HDC, const RECTL*, const RECTL*, HDC, BOOL)
{
    return S_OK;
}

STDMETHODIMP DragTestControl::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_INVALIDARG;
    *count = 0;
    return S_OK;
}

STDMETHODIMP DragTestControl::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP DragTestControl::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP DragTestControl::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return DISP_E_MEMBERNOTFOUND;
}
