// EventDescriptor: the constant description of one event, its whole
// contract with FireEvent: dispatch identifier and parameter types.
#pragma once

#include <windows.h>
#include <oaidl.h>

// An event has at most this many parameters.
constexpr LONG MaxEventParameters = 32;

struct EventDescriptor
{
    DISPID dispid;
    LONG parameterCount;
    // parameterCount types in declaration order; a handler may change a
    // parameter passed VT_BYREF, and the caller reads it back after firing.
    const VARTYPE* parameterTypes;
};
