// The per-level column lists of a column group.
#include "LevelColumnLists.h"

#include "HvColumn.h"
#include "HvGroupCols.h"

#include <new>

LevelColumnLists::~LevelColumnLists()
{
    Clear();
}

HRESULT LevelColumnLists::Build(const HvGroupCols& source, SHORT levelCount)
{
    Clear();
    levelCount_ = levelCount;
    try {
        // Each column goes to the list of its own level, in source order;
        // a level that no column has keeps an empty list.
        levels_.emplace_back();
        for (auto* node = source.First(); node; node = source.NextOf(node)) {
            auto* column = static_cast<HvColumn*>(HvColumnListCollection::ColumnOf(node));
            if (!column)
                continue;
            const size_t level = static_cast<size_t>(ListLevelOf(*column));
            while (levels_.size() <= level)
                levels_.emplace_back();
            levels_[level].push_back(column);
            column->AddRef();
        }
        while (static_cast<SHORT>(levels_.size()) < levelCount_)
            levels_.emplace_back();
    } catch (const std::bad_alloc&) {
        Clear();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

LevelColumnLists::Level* LevelColumnLists::GetLevel(SHORT level)
{
    return const_cast<Level*>(static_cast<const LevelColumnLists*>(this)->GetLevel(level));
}

const LevelColumnLists::Level* LevelColumnLists::GetLevel(SHORT level) const
{
    if (level < 0 || static_cast<size_t>(level) >= levels_.size())
        return nullptr;
    return &levels_[static_cast<size_t>(level)];
}

SHORT LevelColumnLists::ListLevelOf(const HvColumn& column) const
{
    const SHORT last = levelCount_ > 1 ? static_cast<SHORT>(levelCount_ - 1) : 0;
    const SHORT level = const_cast<HvColumn&>(column).Level();
    return level < 0 ? 0 : (level > last ? last : level);
}

void LevelColumnLists::Clear()
{
    for (Level& level : levels_)
        for (HvColumn* column : level)
            column->Release();
    levels_.clear();
}
