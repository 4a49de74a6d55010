// HvUIElements: look-up and deactivation of an element's children.
#include "HvUIElements.h"

HvUIElements::HvUIElements(void* owner) : HvViewCollection(ObjectType::UIElements, owner, SaveVersion) {}

HvUIElements::~HvUIElements()
{
    Deactivate();
}

HRESULT HvUIElements::Create(void* owner, HvUIElements** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvUIElements(owner);
        return S_OK;
    });
}

STDMETHODIMP HvUIElements::get_Item(VARIANT index, IHvUIElement** out)
{
    return Guard([&] { return Item(&index, reinterpret_cast<IDispatch**>(out)); });
}

void HvUIElements::ReleaseReferences()
{
    DeactivateAllItems();
    ClearListCollection(true, 1);
}
