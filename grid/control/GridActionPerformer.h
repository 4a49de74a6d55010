// The control's PerformAction: a key action carried out as the keyboard
// would, with Shift and Ctrl up, when the current grid state allows it.
#pragma once

#include "KeyActionMap.h"
#include "KeyboardHost.h"

#include <cstdint>

// S_OK in every case; an action the state does not allow does nothing.
HRESULT PerformGridAction(KeyboardHost& host, KeyActionMap& map, std::uint32_t action);
