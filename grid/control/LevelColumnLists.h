// LevelColumnLists: a column group's columns split by header level, one
// ordered list per level of the band. Every column in a list is referenced.
#pragma once

#include <windows.h>

#include <list>
#include <vector>

class HvColumn;
class HvGroupCols;

class LevelColumnLists {
public:
    using Level = std::list<HvColumn*>;

    LevelColumnLists() = default;
    virtual ~LevelColumnLists();
    LevelColumnLists(const LevelColumnLists&) = delete;
    LevelColumnLists& operator=(const LevelColumnLists&) = delete;

    // Fills the lists from a column list ordered by level. Every level up to
    // levelCount - 1 gets a list, empty when no column has that level.
    HRESULT Build(const HvGroupCols& source, SHORT levelCount);
    // Null for a negative level or one beyond the lists.
    Level* GetLevel(SHORT level);
    const Level* GetLevel(SHORT level) const;
    // Releases every column and drops the lists.
    void Clear();
    // The list a column goes to: its Level, within 0 and levelCount - 1 (a
    // stored Level may lie far beyond the band's levels).
    SHORT ListLevelOf(const HvColumn& column) const;

    SHORT LevelCount() const { return levelCount_; }
    size_t ListCount() const { return levels_.size(); }

private:
    std::vector<Level> levels_;
    SHORT levelCount_ = 0;
};
