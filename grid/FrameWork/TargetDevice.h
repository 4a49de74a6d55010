// The device context of a target device: what a control draws for when a
// container asks for a picture of it on a printer or in a metafile.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <vector>

// A device context for the target device that the block names (driver,
// device and port names, and its device mode when it carries one), or for
// the display when device is null. Null when the context cannot be made.
// The caller deletes it (DeleteDC).
HDC CreateTargetDC(const DVTARGETDEVICE* device);

// The ANSI form of a wide device mode: the 148 bytes of a DEVMODEA with
// the device and form names converted (code page CP_ACP), every other field
// copied, dmSize 148, and the driver's own bytes after it. Fields that the
// wide mode's own size does not cover stay zero. Empty when no memory.
std::vector<BYTE> DevModeToAnsi(const DEVMODEW& wide);
