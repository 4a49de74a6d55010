// The component categories that the control registers as implemented.
#pragma once

#include <windows.h>

// At most this many categories are registered for one class.
constexpr int kMaxRegisteredCategories = 20;

// Control, programmable, printable, persists to storage, stream-init,
// stream and property bag, safe for scripting and initialising, property
// notify control: in that order.
constexpr int kControlCategoryCount = 10;
extern const GUID* const kControlCategories[kControlCategoryCount];
// The category every automation class implements.
const GUID& ProgrammableCategory();
