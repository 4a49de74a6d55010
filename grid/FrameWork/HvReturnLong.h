// HvReturnLong: event argument object holding a Long Integer value.
#pragma once

#include "ReturnValueObject.h"

#include <Tavelle.h>

class HvReturnLong final
    : public CReturnValueObject<IHvReturnLong, LONG, ObjectType::HvReturnLong> {
public:
    explicit HvReturnLong(LONG initial) : CReturnValueObject(initial) {}

    // A new object with one reference, or null when out of memory.
    static IHvReturnLong* Create(LONG initial);
};
