// HvReturnFloat: event argument object holding a single-precision value.
#pragma once

#include "ReturnValueObject.h"

#include <Tavelle.h>

class HvReturnFloat final
    : public CReturnValueObject<IHvReturnFloat, FLOAT, ObjectType::HvReturnFloat> {
public:
    explicit HvReturnFloat(FLOAT initial) : CReturnValueObject(initial) {}

    // A new object with one reference, or null when out of memory.
    static IHvReturnFloat* Create(FLOAT initial);
};
