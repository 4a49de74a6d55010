// RefusingProxy: stands in front of an automation object and everything
// reached through it, passing each call on, except calls of one member
// name, which it refuses as the object would (an exception with a
// description): a spreadsheet application that fails midway.
#pragma once

#include <oaidl.h>

#include <string>

// A new proxy over `target` (one reference for the caller).
IDispatch* NewRefusingProxy(IDispatch* target, const std::wstring& refusedMember);
