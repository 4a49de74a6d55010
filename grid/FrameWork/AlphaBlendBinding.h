// AlphaBlend bound at run time: the function lives in msimg32, which older
// systems lack; without it alpha blending counts as switched off.
#pragma once

#include <windows.h>

using AlphaBlendFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

// Looks the entry up (loading msimg32 for good); null on systems older than
// NT 5 or Windows 98, or when the library or the entry is missing.
AlphaBlendFunction LoadAlphaBlendEntry();
// Whether AlphaBlend is there; looked up once per process.
bool IsAlphaBlendAvailable();
// AlphaBlend when available; otherwise draws nothing and answers false.
bool AlphaBlendIfAvailable(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                           int sourceY, int sourceWidth, int sourceHeight, BLENDFUNCTION blend);
