// HvReturnShort: event argument object holding a Short Integer value.
#pragma once

#include "ReturnValueObject.h"

#include <Tavelle.h>

class HvReturnShort final
    : public CReturnValueObject<IHvReturnShort, SHORT, ObjectType::HvReturnShort> {
public:
    explicit HvReturnShort(SHORT initial) : CReturnValueObject(initial) {}

    // A new object with one reference, or null when out of memory.
    static IHvReturnShort* Create(SHORT initial);
};
