// HeaderArrangement: a column group's columns arranged by header level, with
// the columns being dragged taken out and put back where a header drag would
// drop them. The column move asks positions from it and rebuilds the group's
// column list from its flattened result.
#pragma once

#include "HeaderDragTarget.h"
#include "LevelColumnLists.h"

#include <windows.h>

#include <memory>
#include <vector>

class HvColumn;
class HvGroup;

class HeaderArrangement {
public:
    // A place in the arrangement: an index within a level of the group.
    struct Position {
        SHORT index = -1;
        SHORT level = -1;
        HvGroup* owner = nullptr;
    };

    // Builds at once; one reference. dragged is not owned and must outlive
    // the arrangement.
    HeaderArrangement(const HeaderDragTarget& target, const std::vector<HvColumn*>* dragged);
    virtual ~HeaderArrangement() = default;
    HeaderArrangement(const HeaderArrangement&) = delete;
    HeaderArrangement& operator=(const HeaderArrangement&) = delete;

    ULONG AddRef() { return ++references_; }
    ULONG Release();

    HRESULT Build(const HeaderDragTarget& target);
    // E_FAIL when nothing is built or the column is in no level.
    HRESULT FindColumnPosition(HvColumn* column, Position* position) const;
    // Before the entry at position.index of position.level (a negative index
    // counts back from the end); E_FAIL when that level has no list.
    HRESULT InsertColumn(HvColumn* column, const Position& position);
    // A column of another group is left alone (S_OK).
    HRESULT RemoveColumn(HvColumn* column);
    // Every level's columns, level 0 first; null when nothing is built.
    std::unique_ptr<std::vector<HvColumn*>> GetArrangedColumns() const;

    // False when the target's column was not found: do not drop there.
    bool IsValid() const { return valid_; }
    HvGroup* Group() const { return group_; }
    const LevelColumnLists* Levels() const { return levels_.get(); }

private:
    HRESULT BuildLevels();
    HRESULT TargetPosition(const HeaderDragTarget& target, Position* position);

    ULONG references_ = 1;
    bool valid_ = true;
    HvGroup* group_;   // not owned
    DWORD side_;
    const std::vector<HvColumn*>* dragged_;  // not owned
    std::unique_ptr<LevelColumnLists> levels_;
};
