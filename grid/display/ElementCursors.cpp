// ElementCursors: loading the element cursors from the library's resources.
#include "ElementCursors.h"

#include "Module.h"
#include "ModuleHooks.h"
#include "RowSelectorMarks.h"

#include <atomic>

namespace {

constexpr WORD kFirst = ElementCursor::Connector;
constexpr int kCount = 5;
std::atomic<HCURSOR> g_cursors[kCount];

const wchar_t* SystemStandIn(WORD id)
{
    switch (id) {
    case ElementCursor::SizeColumnRegions: return IDC_SIZEWE;
    case ElementCursor::SizeRowRegions: return IDC_SIZENS;
    case ElementCursor::SizeBoth: return IDC_SIZEALL;
    default: return IDC_ARROW;
    }
}

// Installs the display's module hooks before the module starts.
struct DisplayHooksRegistration {
    DisplayHooksRegistration()
    {
        SetModuleHooks(ModuleHookSlot::Display, ModuleHooks{&LoadElementCursors, &ReleaseDisplayResources});
    }
};
DisplayHooksRegistration g_registration;

} // namespace

HCURSOR GetElementCursor(WORD id)
{
    if (id < kFirst || id >= kFirst + kCount)
        return nullptr;
    std::atomic<HCURSOR>& slot = g_cursors[id - kFirst];
    HCURSOR cursor = slot.load();
    if (cursor)
        return cursor;
    cursor = LoadCursorW(ModuleInstance(), MAKEINTRESOURCEW(id));
    if (!cursor)
        cursor = LoadCursorW(nullptr, SystemStandIn(id));
    slot.store(cursor);
    return cursor;
}

void LoadElementCursors()
{
    for (WORD id = kFirst; id < kFirst + kCount; ++id)
        GetElementCursor(id);
}

void ClearElementCursors()
{
    // Cursors loaded from resources are shared: nothing to destroy.
    for (std::atomic<HCURSOR>& slot : g_cursors)
        slot.store(nullptr);
}

void ReleaseDisplayResources()
{
    ClearElementCursors();
    ClearRowSelectorMarks();
}
