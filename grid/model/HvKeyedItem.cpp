// HvKeyedItem: handing an item out and recognising one that comes back.
#include "HvKeyedItem.h"

#include "AutomationObject.h"

HRESULT HvKeyedItem::QueryItemInterface(IDispatch** out)
{
    *out = nullptr;
    const IID* iid = GetInterfaceId();
    CAutomationObject* object = GetItemObject();
    if (!iid || !object)
        return E_NOINTERFACE;
    return object->ForwardQueryInterface(*iid, reinterpret_cast<void**>(out));
}

ULONG HvKeyedItem::AddRefItem()
{
    return GetItemObject()->AddRef();
}

ULONG HvKeyedItem::ReleaseItem()
{
    return GetItemObject()->Release();
}

HvKeyedItem* HvKeyedItem::FromObject(IUnknown* object)
{
    if (!object)
        return nullptr;
    IDispatch* primary = nullptr;
    if (FAILED(object->QueryInterface(IID_IHvPrivateObject, reinterpret_cast<void**>(&primary))) || !primary)
        return nullptr;
    CAutomationObject* automation = CAutomationObject::FromPrimaryInterface(primary);
    primary->Release();
    return dynamic_cast<HvKeyedItem*>(automation);
}
