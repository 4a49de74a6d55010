// HeaderDragTarget: what lies under the mouse during a header drag: the
// column or group whose header is there, or else a group's header area and
// the level in it, and the side of the target the dragged headers would
// land on. A plain record owned by its caller.
#pragma once

#include <windows.h>

#include <cstdint>

class HvColumn;
class HvColumnGroupImpl;
class HvGroup;
class HvSelectableItem;

// Kind codes of the objects a drag may meet.
constexpr LONG HvDragKindCell = 1;
constexpr LONG HvDragKindColumn = 2;
constexpr LONG HvDragKindGroup = 99;

// The kind an object reports: 2 column, 99 group, 1 anything else.
LONG HeaderDragKind(HvSelectableItem* object);
// The column or group face of a header object, or null.
HvColumnGroupImpl* HeaderItemOf(HvSelectableItem* object);

struct HeaderDragTarget {
    static constexpr std::int32_t SideAfter = 1;

    HvSelectableItem* object = nullptr; // not referenced
    std::int32_t side = 0;              // 0 before, 1 after
    HvGroup* group = nullptr;           // a group area's group, not referenced
    std::int16_t level = -1;            // -1: no level

    void Reset();
    bool IsColumn() const { return HeaderDragKind(object) == HvDragKindColumn; }
    bool IsGroup() const { return HeaderDragKind(object) == HvDragKindGroup; }
    bool IsEmpty() const { return object == nullptr; }
    HvColumn* GetColumn() const;
    // A group target's group; else the stored group; else a column
    // target's group; else null.
    HvGroup* GetGroup() const;
};
