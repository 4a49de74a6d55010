// HvReturnBoolean: event argument object holding a Boolean (stored as given, not normalised) value.
#pragma once

#include "ReturnValueObject.h"

#include <Tavelle.h>

class HvReturnBoolean final
    : public CReturnValueObject<IHvReturnBoolean, VARIANT_BOOL, ObjectType::HvReturnBoolean> {
public:
    explicit HvReturnBoolean(VARIANT_BOOL initial) : CReturnValueObject(initial) {}

    // A new object with one reference, or null when out of memory.
    static IHvReturnBoolean* Create(VARIANT_BOOL initial);
};
