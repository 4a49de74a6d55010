// Scenes kept as pictures beside the test executable, for people to look at.
#pragma once

#include "Canvas.h"

#include <string>

// Writes the canvas to name.png in the executable's folder.
void KeepPicture(const Canvas& canvas, const std::wstring& name);
