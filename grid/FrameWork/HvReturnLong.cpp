// HvReturnLong: creation.
#include "HvReturnLong.h"

IHvReturnLong* HvReturnLong::Create(LONG initial)
{
    return CreateObject<HvReturnLong>(initial);
}
