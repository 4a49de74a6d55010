// Connecting a sink to a source object's connection point by interface.
#pragma once

#include <windows.h>
#include <ocidl.h>

// With keepSinkReference false the connection does not keep its sink alive:
// after a successful advise one reference of the sink is given back, and the
// matching unadvise restores it first. This lets an object sink its own
// children's notifications without a reference cycle.
bool AdviseConnection(IUnknown* source, REFIID iid, IUnknown* sink, bool keepSinkReference, DWORD* cookie);
bool UnadviseConnection(IUnknown* source, REFIID iid, IUnknown* sink, bool keepSinkReference, DWORD cookie);
