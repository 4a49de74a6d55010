// The DISPID of an event of a control, by the event's name in the control's
// type information (its default source interface).
#pragma once

#include <windows.h>
#include <oleauto.h>

// DISPID_UNKNOWN when the control offers no class information or has no
// event of that name.
DISPID fDispidEvento(IUnknown* controle, const wchar_t* nome);
