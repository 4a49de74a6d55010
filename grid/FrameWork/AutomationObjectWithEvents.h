// CAutomationObjectWithEvents: the automation base of an object that fires
// events (the control): IConnectionPointContainer with a connection point for
// its event interface and one for IPropertyNotifySink.
#pragma once

#include "AutomationObject.h"
#include "ConnectionPoint.h"

#include <ocidl.h>

class CAutomationObjectWithEvents : public CAutomationObject, public IConnectionPointContainer
{
public:
    // IConnectionPointContainer; its IUnknown goes to the object.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return ForwardQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CUnknownObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CUnknownObject::Release(); }
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override;
    // The event interface or IDispatch give the event point,
    // IPropertyNotifySink the property point.
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

    // Answers IID_IConnectionPointContainer, then as CAutomationObject.
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // Called by the event point on every Advise with the sink it queried
    // (null when the sink answered neither interface). Empty by default.
    virtual void OnAdvise(IDispatch* sink) { (void)sink; }

    CConnectionPoint& EventPoint() { return m_eventPoint; }
    CConnectionPoint& PropertyPoint() { return m_propertyPoint; }
    // The identifier of the object type's event interface, or null.
    const IID* EventIid() const { return Info().eventIid; }

    // Tells every property-notification sink that the property changed.
    void FirePropertyChanged(DISPID dispid) { m_propertyPoint.FirePropertyChanged(dispid); }

protected:
    CAutomationObjectWithEvents(IUnknown* outer, int objectType, void* primaryInterface);
    ~CAutomationObjectWithEvents() override = default;

private:
    // Destroyed in reverse order: the property point first, then the event point.
    CConnectionPoint m_eventPoint;
    CConnectionPoint m_propertyPoint;
};
