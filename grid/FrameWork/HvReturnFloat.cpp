// HvReturnFloat: creation.
#include "HvReturnFloat.h"

IHvReturnFloat* HvReturnFloat::Create(FLOAT initial)
{
    return CreateObject<HvReturnFloat>(initial);
}
