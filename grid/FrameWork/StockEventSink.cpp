// The stock-event gate and firers.
#include "StockEventSink.h"

#include "ControlBase.h"
#include "FireEvent.h"
#include "HvReturnShort.h"
#include "StockFiringGuard.h"

bool StockEventSink::IsEnabled(DISPID dispid) const
{
    const DWORD bit = StockEventBit(dispid);
    return bit != 0 && (m_enableBits & bit) != 0;
}

DWORD StockEventSink::Enable(DISPID dispid, bool on)
{
    const DWORD bit = StockEventBit(dispid);
    if (on)
        m_enableBits |= bit;
    else if (m_enableBits & bit)
        m_enableBits &= ~bit;
    return m_enableBits;
}

void StockEventSink::EnableAll(bool on)
{
    m_enableBits = on ? 0xFFFFFFFFu : 0;
}

bool StockEventSink::IsFiring(DISPID dispid) const
{
    const int index = StockEventIndex(dispid);
    return index >= 0 && m_firing[index] != 0;
}

bool StockEventSink::CanFire(DISPID dispid)
{
    return CanFireEvents(GetOwner()) && IsEnabled(dispid);
}

void StockEventSink::Fire_Click()
{
    StockFiringGuard guard(*this, StockDispid::Click);
    if (guard.CanFire())
        FireEvent(guard.Owner(), StockEventDescriptors::Click);
}

void StockEventSink::Fire_DblClick()
{
    StockFiringGuard guard(*this, StockDispid::DblClick);
    if (guard.CanFire())
        FireEvent(guard.Owner(), StockEventDescriptors::DblClick);
}

void StockEventSink::FireMouse(DISPID dispid, const EventDescriptor& descriptor, SHORT button, SHORT shift,
                               LONG x, LONG y)
{
    StockFiringGuard guard(*this, dispid);
    if (guard.CanFire())
        FireEvent(guard.Owner(), descriptor, button, shift, x, y);
}

void StockEventSink::Fire_MouseDown(SHORT button, SHORT shift, LONG x, LONG y)
{
    FireMouse(StockDispid::MouseDown, StockEventDescriptors::MouseDown, button, shift, x, y);
}

void StockEventSink::Fire_MouseMove(SHORT button, SHORT shift, LONG x, LONG y)
{
    FireMouse(StockDispid::MouseMove, StockEventDescriptors::MouseMove, button, shift, x, y);
}

void StockEventSink::Fire_MouseUp(SHORT button, SHORT shift, LONG x, LONG y)
{
    FireMouse(StockDispid::MouseUp, StockEventDescriptors::MouseUp, button, shift, x, y);
}

// shift is null for KeyPress, which has no Shift parameter.
void StockEventSink::FireKey(DISPID dispid, const EventDescriptor& objectForm,
                             const EventDescriptor& referenceForm, SHORT* keyCode, const SHORT* shift)
{
    StockFiringGuard guard(*this, dispid);
    if (!keyCode || !guard.CanFire())
        return;
    if (!m_keyCodesAsObjects) {
        if (shift)
            FireEvent(guard.Owner(), referenceForm, keyCode, *shift);
        else
            FireEvent(guard.Owner(), referenceForm, keyCode);
        return;
    }
    IHvReturnShort* code = HvReturnShort::Create(*keyCode);
    if (!code)
        return;
    if (shift)
        FireEvent(guard.Owner(), objectForm, code, *shift);
    else
        FireEvent(guard.Owner(), objectForm, code);
    SHORT changed = *keyCode;
    if (SUCCEEDED(code->get_Value(&changed)))
        *keyCode = changed;
    code->Release();
}

void StockEventSink::Fire_KeyDown(SHORT* keyCode, SHORT shift)
{
    FireKey(StockDispid::KeyDown, StockEventDescriptors::KeyDownObject, StockEventDescriptors::KeyDownByRef,
            keyCode, &shift);
}

void StockEventSink::Fire_KeyPress(SHORT* keyAscii)
{
    FireKey(StockDispid::KeyPress, StockEventDescriptors::KeyPressObject, StockEventDescriptors::KeyPressByRef,
            keyAscii, nullptr);
}

void StockEventSink::Fire_KeyUp(SHORT* keyCode, SHORT shift)
{
    FireKey(StockDispid::KeyUp, StockEventDescriptors::KeyUpObject, StockEventDescriptors::KeyUpByRef,
            keyCode, &shift);
}
