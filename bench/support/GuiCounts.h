// The process's GDI and USER objects, for a benchmark to print before and
// after its work. GetGuiResources answers 0 where the system does not count
// them (Wine): then the GDI objects are counted in the handle table by
// index, and the USER objects as the thread's windows and their children.
#pragma once

#include <windows.h>

namespace hv::bench {

struct GuiCounts {
    long gdi = 0;
    long user = 0;
};

inline BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM counter)
{
    ++*reinterpret_cast<long*>(counter);
    EnumChildWindows(
        window,
        [](HWND, LPARAM inner) -> BOOL {
            ++*reinterpret_cast<long*>(inner);
            return TRUE;
        },
        counter);
    return TRUE;
}

inline GuiCounts CountGuiObjects()
{
    GuiCounts counts;
    counts.gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    counts.user = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    if (counts.gdi == 0) {
        for (UINT_PTR index = 1; index <= 0xFFFF; ++index)
            if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0)
                ++counts.gdi;
    }
    if (counts.user == 0)
        EnumThreadWindows(GetCurrentThreadId(), CountWindowAndChildren, reinterpret_cast<LPARAM>(&counts.user));
    return counts;
}

} // namespace hv::bench
