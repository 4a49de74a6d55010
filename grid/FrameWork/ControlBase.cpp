// The download layer of the control base and its stock-event firers.
#include "ControlBase.h"

#include "FireEvent.h"

CControlBase::CControlBase(IUnknown* outer, int objectType, void* primaryInterface, DWORD stockEventMask)
    : CControlProperties(outer, objectType, primaryInterface, stockEventMask)
{
}

CControlBase::~CControlBase()
{
    if (m_bindHost)
        m_bindHost->Release();
}

bool CanFireEvents(CControlBase* control)
{
    if (!IsValidObjectPointer(control))
        return false;
    return control->FreezeCount() < 1 && !control->IsDesignMode();
}

void CControlBase::Fire_Click()
{
    if (!m_stockSink) {
        FireEvent(this, StockEventDescriptors::Click);
        return;
    }
    // A windowless control may be released by the handler: keep it alive.
    const bool hold = ControlInfo().windowless != 0;
    if (hold)
        CUnknownObject::AddRef();
    m_stockSink->Fire_Click();
    if (hold)
        CUnknownObject::Release();
}

void CControlBase::Fire_DblClick()
{
    if (!m_stockSink) {
        FireEvent(this, StockEventDescriptors::DblClick);
        return;
    }
    const bool hold = ControlInfo().windowless != 0;
    if (hold)
        CUnknownObject::AddRef();
    m_stockSink->Fire_DblClick();
    if (hold)
        CUnknownObject::Release();
}

void CControlBase::Fire_MouseDown(SHORT button, SHORT shift, LONG x, LONG y)
{
    if (m_stockSink)
        m_stockSink->Fire_MouseDown(button, shift, x, y);
    else
        FireEvent(this, StockEventDescriptors::MouseDown, button, shift, x, y);
}

void CControlBase::Fire_MouseMove(SHORT button, SHORT shift, LONG x, LONG y)
{
    if (m_stockSink)
        m_stockSink->Fire_MouseMove(button, shift, x, y);
    else
        FireEvent(this, StockEventDescriptors::MouseMove, button, shift, x, y);
}

void CControlBase::Fire_MouseUp(SHORT button, SHORT shift, LONG x, LONG y)
{
    if (m_stockSink)
        m_stockSink->Fire_MouseUp(button, shift, x, y);
    else
        FireEvent(this, StockEventDescriptors::MouseUp, button, shift, x, y);
}

void CControlBase::Fire_KeyDown(SHORT* keyCode, SHORT shift)
{
    if (m_stockSink)
        m_stockSink->Fire_KeyDown(keyCode, shift);
    else if (keyCode)
        FireEvent(this, StockEventDescriptors::KeyDownByRef, keyCode, shift);
}

void CControlBase::Fire_KeyPress(SHORT* keyAscii)
{
    if (m_stockSink)
        m_stockSink->Fire_KeyPress(keyAscii);
    else if (keyAscii)
        FireEvent(this, StockEventDescriptors::KeyPressByRef, keyAscii);
}

void CControlBase::Fire_KeyUp(SHORT* keyCode, SHORT shift)
{
    if (m_stockSink)
        m_stockSink->Fire_KeyUp(keyCode, shift);
    else if (keyCode)
        FireEvent(this, StockEventDescriptors::KeyUpByRef, keyCode, shift);
}

void CControlBase::WindowlessPointToControl(POINT* point) const
{
    if (!point || !HasNoWindow())
        return;
    point->x -= m_position.left;
    point->y -= m_position.top;
}
