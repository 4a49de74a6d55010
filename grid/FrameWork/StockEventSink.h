// StockEventSink: the framework part of a control's event gate. It keeps one
// enable bit and one firing counter per stock event, and fires the stock
// events on the control's behalf when the control may fire them.
#pragma once

#include "StockEvents.h"

class CControlBase;

class StockEventSink
{
public:
    StockEventSink(const StockEventSink&) = delete;
    StockEventSink& operator=(const StockEventSink&) = delete;

    // The control that owns the sink.
    virtual CControlBase* GetOwner() = 0;

    // Each firer sends its event only when CanFire holds; a key firer leaves
    // the key code as the container's handlers left it in *keyCode.
    virtual void Fire_Click();
    virtual void Fire_DblClick();
    virtual void Fire_MouseDown(SHORT button, SHORT shift, LONG x, LONG y);
    virtual void Fire_MouseMove(SHORT button, SHORT shift, LONG x, LONG y);
    virtual void Fire_MouseUp(SHORT button, SHORT shift, LONG x, LONG y);
    virtual void Fire_KeyDown(SHORT* keyCode, SHORT shift);
    virtual void Fire_KeyPress(SHORT* keyAscii);
    virtual void Fire_KeyUp(SHORT* keyCode, SHORT shift);

    bool IsEnabled(DISPID dispid) const;
    // Sets or clears the event's bit; answers the enable bits.
    DWORD Enable(DISPID dispid, bool on);
    void EnableAll(bool on);
    DWORD EnableBits() const { return m_enableBits; }
    // True while the event is being fired (nested firings count each).
    bool IsFiring(DISPID dispid) const;
    // The owner may fire events now and the event is enabled.
    bool CanFire(DISPID dispid);

    bool KeyCodesAsObjects() const { return m_keyCodesAsObjects; }

protected:
    // enableBits: bit i enables the stock event of bit index i.
    // keyCodesAsObjects: key codes travel as HvReturnShort objects rather
    // than as references to 16-bit integers.
    StockEventSink(DWORD enableBits, bool keyCodesAsObjects) noexcept
        : m_enableBits(enableBits), m_keyCodesAsObjects(keyCodesAsObjects)
    {
    }
    virtual ~StockEventSink() = default;

private:
    friend class StockFiringGuard;

    void FireMouse(DISPID dispid, const EventDescriptor& descriptor, SHORT button, SHORT shift, LONG x, LONG y);
    void FireKey(DISPID dispid, const EventDescriptor& objectForm, const EventDescriptor& referenceForm,
                 SHORT* keyCode, const SHORT* shift);

    DWORD m_enableBits;
    bool m_keyCodesAsObjects;
    USHORT m_firing[8] = {};
};
