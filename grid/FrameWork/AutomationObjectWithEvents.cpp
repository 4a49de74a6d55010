// The connection-point container of an object that fires events.
#include "AutomationObjectWithEvents.h"

#include "EnumObject.h"

CAutomationObjectWithEvents::CAutomationObjectWithEvents(IUnknown* outer, int objectType, void* primaryInterface)
    : CAutomationObject(outer, objectType, primaryInterface),
      m_eventPoint(*this, CConnectionPoint::EventSinks),
      m_propertyPoint(*this, CConnectionPoint::PropertyNotifySinks)
{
}

HRESULT CAutomationObjectWithEvents::InternalQueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        *out = static_cast<IConnectionPointContainer*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CAutomationObject::InternalQueryInterface(iid, out);
}

STDMETHODIMP CAutomationObjectWithEvents::FindConnectionPoint(REFIID iid, IConnectionPoint** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    const IID* eventIid = EventIid();
    CConnectionPoint* point = nullptr;
    if ((eventIid && IsEqualIID(iid, *eventIid)) || IsEqualIID(iid, IID_IDispatch))
        point = &m_eventPoint;
    else if (IsEqualIID(iid, IID_IPropertyNotifySink))
        point = &m_propertyPoint;
    else
        return E_NOINTERFACE;
    point->AddRef();
    *out = point;
    return S_OK;
}

STDMETHODIMP CAutomationObjectWithEvents::EnumConnectionPoints(IEnumConnectionPoints** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    EnumElementArray points(2, sizeof(IConnectionPoint*), ClearInterfaceElement);
    if (!points.Data())
        return E_OUTOFMEMORY;
    IConnectionPoint* both[] = {&m_eventPoint, &m_propertyPoint};
    for (ULONG i = 0; i < 2; ++i) {
        both[i]->AddRef();
        *static_cast<IConnectionPoint**>(points.At(i)) = both[i];
    }
    return CEnumObject::Create(IID_IEnumConnectionPoints, std::move(points), CopyInterfaceElement,
                               ControllingUnknown(), reinterpret_cast<void**>(out));
}
