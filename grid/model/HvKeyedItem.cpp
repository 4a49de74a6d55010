// HvKeyedItem: handing an item out and recognising one that comes back.
#include "HvKeyedItem.h"

#include "AutomationObject.h"
#include "DualString.h"

#include <cstring>

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

namespace {
volatile LONG keyEpoch = 0;
}

void HvKeyedItem::KeyChanged()
{
    InterlockedIncrement(&keyEpoch);
}

LONG HvKeyedItem::KeyEpoch()
{
    return keyEpoch;
}

void HvKeyedItem::CopyKey(CDualString& key, const CDualString& value)
{
    const bool changed = std::strcmp(key.c_str(), value.c_str()) != 0;
    key.Assign(value);
    if (changed)
        KeyChanged();
}

void HvKeyedItem::EmptyKey(CDualString& key)
{
    const bool changed = !key.IsEmpty();
    key.Empty();
    if (changed)
        KeyChanged();
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
