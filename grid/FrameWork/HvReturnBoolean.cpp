// HvReturnBoolean: creation.
#include "HvReturnBoolean.h"

IHvReturnBoolean* HvReturnBoolean::Create(VARIANT_BOOL initial)
{
    return CreateObject<HvReturnBoolean>(initial);
}
