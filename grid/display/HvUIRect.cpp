// HvUIRect: creation.
#include "HvUIRect.h"

HvUIRect::HvUIRect() : HvObjectBaseImpl(ObjectType::HvUIRect) {}

HRESULT HvUIRect::Create(const RECT* rect, HvUIRect** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        auto* object = new HvUIRect();
        if (rect)
            object->rect_ = *rect;
        *out = object;
        return S_OK;
    });
}
