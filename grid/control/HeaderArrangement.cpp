// Arranging a group's columns by level around a header drop.
#include "HeaderArrangement.h"

#include "ColumnBandSeam.h"
#include "HvColumn.h"
#include "HvGroup.h"
#include "HvGroupCols.h"

#include <algorithm>
#include <iterator>
#include <new>

HeaderArrangement::HeaderArrangement(const HeaderDragTarget& target, const std::vector<HvColumn*>* dragged)
    : group_(target.GetGroup()), side_(static_cast<DWORD>(target.side)), dragged_(dragged)
{
    Build(target);
}

ULONG HeaderArrangement::Release()
{
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT HeaderArrangement::BuildLevels()
{
    HvGroupCols* columns = group_->GetGroupCols(true);
    ColumnBandSeam* band = group_->HvColumnGroupImpl::Band();
    if (!columns || !band)
        return E_FAIL;
    auto levels = std::unique_ptr<LevelColumnLists>(new (std::nothrow) LevelColumnLists);
    if (!levels)
        return E_OUTOFMEMORY;
    const HRESULT hr = levels->Build(*columns, band->LevelCount());
    if (FAILED(hr))
        return hr;
    levels_ = std::move(levels);
    return S_OK;
}

HRESULT HeaderArrangement::Build(const HeaderDragTarget& target)
{
    levels_.reset();
    if (!dragged_ || !group_)
        return E_FAIL;
    HRESULT hr = BuildLevels();
    if (FAILED(hr))
        return hr;
    for (HvColumn* column : *dragged_)
        RemoveColumn(column);
    Position position;
    if (TargetPosition(target, &position) != S_OK) {
        valid_ = false;
        return S_OK;
    }
    if (side_ == HeaderDragTarget::SideAfter)
        ++position.index;
    // Last to first before the same entry keeps the dragged order.
    for (auto it = dragged_->rbegin(); it != dragged_->rend(); ++it) {
        hr = InsertColumn(*it, position);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT HeaderArrangement::TargetPosition(const HeaderDragTarget& target, Position* position)
{
    if (target.IsColumn())
        return FindColumnPosition(target.GetColumn(), position);
    position->index = 0;
    position->owner = group_;
    position->level = target.IsGroup() || target.level < 0 ? 0 : target.level;
    return S_OK;
}

HRESULT HeaderArrangement::FindColumnPosition(HvColumn* column, Position* position) const
{
    *position = Position{};
    if (!levels_ || levels_->LevelCount() < 1)
        return E_FAIL;
    for (SHORT level = 0; static_cast<size_t>(level) < levels_->ListCount(); ++level) {
        const LevelColumnLists::Level* list = levels_->GetLevel(level);
        const auto found = std::find(list->begin(), list->end(), column);
        if (found != list->end()) {
            position->index = static_cast<SHORT>(std::distance(list->begin(), found));
            position->level = level;
            position->owner = group_;
            return S_OK;
        }
    }
    return E_FAIL;
}

HRESULT HeaderArrangement::InsertColumn(HvColumn* column, const Position& position)
{
    LevelColumnLists::Level* list = levels_ ? levels_->GetLevel(position.level) : nullptr;
    if (!list || !column)
        return E_FAIL;
    const LONG size = static_cast<LONG>(list->size());
    LONG index = position.index < 0 ? size + position.index : position.index;
    index = std::clamp<LONG>(index, 0, size);
    try {
        list->insert(std::next(list->begin(), index), column);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    column->AddRef();
    return S_OK;
}

HRESULT HeaderArrangement::RemoveColumn(HvColumn* column)
{
    if (!levels_)
        return E_FAIL;
    if (!column || column->GetGroup() != group_)
        return S_OK;
    LevelColumnLists::Level* list = levels_->GetLevel(levels_->ListLevelOf(*column));
    if (!list)
        return S_OK;
    const auto removed = std::count(list->begin(), list->end(), column);
    list->remove(column);
    // The list held one reference per entry.
    for (auto i = 0; i < removed; ++i)
        column->Release();
    return S_OK;
}

std::unique_ptr<std::vector<HvColumn*>> HeaderArrangement::GetArrangedColumns() const
{
    if (!levels_)
        return nullptr;
    auto result = std::unique_ptr<std::vector<HvColumn*>>(new (std::nothrow) std::vector<HvColumn*>);
    if (!result)
        return nullptr;
    try {
        for (SHORT level = 0; static_cast<size_t>(level) < levels_->ListCount(); ++level) {
            const LevelColumnLists::Level* list = levels_->GetLevel(level);
            result->insert(result->end(), list->begin(), list->end());
        }
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return result;
}
