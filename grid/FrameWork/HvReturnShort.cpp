// HvReturnShort: creation.
#include "HvReturnShort.h"

IHvReturnShort* HvReturnShort::Create(SHORT initial)
{
    return CreateObject<HvReturnShort>(initial);
}
