// HeaderDragTarget: where a dragged column or group header would land: on a
// column, on a group, or on an empty place of a group, before or after it.
#pragma once

#include <windows.h>

class HvColumn;
class HvGroup;

struct HeaderDragTarget {
    enum class Kind { None, Column, Group };
    static constexpr DWORD SideAfter = 1;

    Kind kind = Kind::None;
    HvColumn* column = nullptr;  // Kind::Column; not owned
    DWORD side = 0;              // SideAfter: after the target
    HvGroup* group = nullptr;    // the group the drop goes into; not owned
    SHORT index = 0;             // for an empty target: the level it lies on
};
