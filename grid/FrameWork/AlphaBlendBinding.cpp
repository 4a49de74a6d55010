// The AlphaBlend binding: looked up once per process, never retried, and the
// library stays loaded. Set without a lock: only the UI thread draws.
#include "AlphaBlendBinding.h"

#include "SystemVersion.h"

namespace {

AlphaBlendFunction g_alphaBlend = nullptr;
bool g_lookedUp = false;

} // namespace

AlphaBlendFunction LoadAlphaBlendEntry()
{
    if (!IsWin2000Or98OrLater())
        return nullptr;
    HMODULE library = LoadLibraryA("msimg32.dll");
    if (!library)
        return nullptr;
    return reinterpret_cast<AlphaBlendFunction>(reinterpret_cast<void*>(GetProcAddress(library, "AlphaBlend")));
}

bool IsAlphaBlendAvailable()
{
    if (!g_lookedUp) {
        g_alphaBlend = LoadAlphaBlendEntry();
        g_lookedUp = true;
    }
    return g_alphaBlend != nullptr;
}

bool AlphaBlendIfAvailable(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                           int sourceY, int sourceWidth, int sourceHeight, BLENDFUNCTION blend)
{
    if (!IsAlphaBlendAvailable())
        return false;
    return g_alphaBlend(target, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight,
                        blend) != FALSE;
}
