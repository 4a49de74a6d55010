// HvGroupCols: the group's width measured from its levels, a width change
// spread over the columns of each level, and the range a column may take.
#include "HvGroupCols.h"

#include "GridColumnSeam.h"
#include "GridGroupSeam.h"
#include "InputState.h"

#include <algorithm>
#include <vector>

namespace {

// Shift held makes proportional columns behave as ordinary ones.
bool ShiftHeld()
{
    return CurrentInputState().shift;
}

LONG ClampToOwnLimits(GridColumnSeam* column, LONG width)
{
    width = std::max(width, column->GetMinWidth());
    if (column->MaxWidth() > 0)
        width = std::min(width, column->MaxWidth());
    return width;
}

} // namespace

void HvGroupCols::MeasureLevels(GridColumnSeam* context, bool fit, LONG* minWidth, LONG* maxWidth, LONG* width)
{
    LONG minimum = 0;
    LONG maximum = 0;
    LONG widest = 0;
    bool firstLevel = true;
    const Node* node = First();
    while (node) {
        const SHORT level = ColumnOf(node) ? ColumnOf(node)->Level() : 0;
        LONG levelWidth = 0;
        LONG levelMin = 0;
        LONG levelMax = 0;
        bool unlimited = false;
        for (; node && (ColumnOf(node) ? ColumnOf(node)->Level() : 0) == level; node = NextOf(node)) {
            GridColumnSeam* column = ColumnOf(node);
            if (!column)
                continue;
            const LONG current = column->Width();
            levelWidth += current;
            const bool locked = column->IsWidthLocked(context, fit);
            levelMin += locked ? current : column->GetMinWidth();
            if (locked)
                levelMax += current;
            else if (column->MaxWidth() > 0)
                levelMax += column->MaxWidth();
            else
                unlimited = true;
        }
        if (unlimited)
            levelMax = 0;
        widest = std::max(widest, levelWidth);
        if (levelMin > 0)
            minimum = std::max(minimum, levelMin);
        if (levelMax == 0)
            maximum = 0;
        else if (maximum == 0)
            maximum = firstLevel ? levelMax : 0;
        else
            maximum = std::min(maximum, levelMax);
        firstLevel = false;
    }
    if (fit && group_ && (minimum > 0 || maximum > 0)) {
        // The group's own width within the limits; the minimum wins when
        // the limits cross.
        LONG fitted = group_->Width();
        if (maximum > 0)
            fitted = std::min(maximum, fitted);
        if (minimum > 0)
            fitted = std::max(minimum, fitted);
        widest = fitted;
    }
    if (minWidth)
        *minWidth = minimum;
    if (maxWidth)
        *maxWidth = maximum;
    if (width)
        *width = widest;
}

void HvGroupCols::UpdateGroupWidth(GridColumnSeam* context, bool fit, bool storeOnly)
{
    LONG width = 0;
    MeasureLevels(context, fit, nullptr, nullptr, &width);
    if (!group_)
        return;
    if (storeOnly)
        group_->StoreWidth(width);
    else
        group_->RecalcWidth(width, context, 0, 0, true);
}

void HvGroupCols::FitColumnsToWidth(GridColumnSeam* context, bool fit, bool storeOnly, LONG arg, LONG,
                                    GridColumnSeam* fixed)
{
    LONG minimum = 0;
    LONG maximum = 0;
    LONG width = 0;
    MeasureLevels(context, fit, &minimum, &maximum, &width);
    LONG target = std::max(width, minimum);
    if (maximum > 0 && maximum <= target)
        target = maximum;
    SHORT previousLevel = 0;
    bool first = true;
    for (Node* node = HvListCollection::Head()->next; node != HvListCollection::Head(); node = node->next) {
        const SHORT level = ColumnOf(node) ? ColumnOf(node)->Level() : 0;
        if (first || level != previousLevel)
            DistributeLevel(node, context, fit, storeOnly, target, fixed);
        first = false;
        previousLevel = level;
    }
    if (!group_)
        return;
    if (storeOnly)
        group_->StoreWidth(target);
    else
        group_->RecalcWidth(target, context, arg, 0, false);
}

void HvGroupCols::ApplyWidth(GridColumnSeam* column, LONG width, GridColumnSeam* context, bool fit, bool storeOnly)
{
    if (storeOnly)
        column->StoreWidth(width);
    else
        column->SetWidthInternal(width, context, fit);
}

void HvGroupCols::DistributeLevel(Node* start, GridColumnSeam* context, bool fit, bool storeOnly, LONG target,
                                  GridColumnSeam* fixed)
{
    const SHORT level = ColumnOf(start) ? ColumnOf(start)->Level() : 0;
    std::vector<GridColumnSeam*> run;
    bool fixedHere = false;
    for (Node* node = start; node != HvListCollection::Head(); node = node->next) {
        GridColumnSeam* column = ColumnOf(node);
        if (!column || column->Level() != level)
            break;
        fixedHere = fixedHere || column == fixed;
        if (!column->IsExcludedFromResize(context))
            run.push_back(column);
    }
    const bool shift = ShiftHeld();
    auto sizable = [&](GridColumnSeam* column) { return !column->IsWidthLocked(context, fit) && column != fixed; };
    auto proportional = [&](GridColumnSeam* column) {
        return sizable(column) && column->ProportionalResize() && !shift;
    };

    LONG levelWidth = 0;
    LONG count = 0;
    LONG sumWidth = 0;
    LONG sumMin = 0;
    for (GridColumnSeam* column : run) {
        levelWidth += column->Width();
        if (proportional(column)) {
            ++count;
            sumWidth += column->Width();
            sumMin += column->GetMinWidth();
        }
    }
    const LONG delta = target - levelWidth;
    if (levelWidth == 0 || fixedHere || delta == 0)
        return;

    LONG applied = 0;
    if (count > 0 && sumWidth > 0) {
        LONG budget = delta < 0 ? std::max(delta, sumMin - sumWidth) : delta;
        LONG seen = 0;
        for (GridColumnSeam* column : run) {
            if (budget == 0)
                break;
            if (!proportional(column))
                continue;
            const LONG current = column->Width();
            LONG share;
            if (++seen < count) {
                share = static_cast<LONG>(static_cast<LONGLONG>(budget) * current / sumWidth);
                share = budget < 0 ? std::max(share, budget) : std::min(share, budget);
            } else {
                share = budget;
                if (share < 0)
                    share = std::max(share, column->GetMinWidth() - current);
                else if (column->MaxWidth() > 0)
                    share = std::min(share, column->MaxWidth() - current);
            }
            if (share == 0)
                continue;
            const LONG width = ClampToOwnLimits(column, current + share);
            ApplyWidth(column, width, context, fit, storeOnly);
            budget -= width - current;
            applied += width - current;
        }
    }

    LONG rest = delta - applied;
    bool last = true;
    for (auto it = run.rbegin(); it != run.rend() && rest != 0; ++it) {
        GridColumnSeam* column = *it;
        const bool lastColumn = last;
        last = false;
        if (!sizable(column) || proportional(column))
            continue;
        const LONG current = column->Width();
        LONG share = rest;
        if (share < 0)
            share = std::max(share, column->GetMinWidth() - current);
        else if (column->MaxWidth() > 0)
            share = std::min(share, column->MaxWidth() - current);
        // The level's last column takes its share only when fitting: else
        // the group's own width absorbs it.
        if (lastColumn && !fit) {
            rest -= share;
            continue;
        }
        if (share == 0)
            continue;
        const LONG width = ClampToOwnLimits(column, current + share);
        ApplyWidth(column, width, context, fit, storeOnly);
        rest -= width - current;
    }
}

void HvGroupCols::GetColumnWidthRange(GridColumnSeam* context, bool fit, GridColumnSeam* column, LONG* minWidth,
                                      LONG* maxWidth)
{
    if (!column || !minWidth || !maxWidth)
        return;
    const LONG width = column->Width();
    if (column->IsWidthLocked(context, fit)) {
        *minWidth = *maxWidth = width;
        return;
    }
    *minWidth = column->GetMinWidth();
    const Node* node = First();
    while (node && ColumnOf(node) != column)
        node = NextOf(node);
    if (!node) {
        *maxWidth = column->MaxWidth();
        return;
    }
    const SHORT level = column->Level();
    LONG levelWidth = 0;
    LONG after = 0;
    LONG afterMin = 0;
    bool past = false;
    for (const Node* walk = First(); walk; walk = NextOf(walk)) {
        GridColumnSeam* here = ColumnOf(walk);
        if (!here || here->Level() != level)
            continue;
        levelWidth += here->Width();
        if (past) {
            after += here->Width();
            afterMin += here->IsWidthLocked(context, fit) ? here->Width() : here->GetMinWidth();
        }
        past = past || here == column;
    }
    const LONG own = column->MaxWidth();
    if (!fit) {
        const LONG groupWidth = group_ ? group_->Width() : 0;
        const LONG freeRoom = groupWidth > levelWidth ? groupWidth - levelWidth : 0;
        LONG maximum = freeRoom - afterMin + after + width;
        if (own >= 1 && own < maximum)
            maximum = own;
        *maxWidth = maximum;
        return;
    }
    LONG groupMax = 0;
    MeasureLevels(context, false, nullptr, &groupMax, nullptr);
    *maxWidth = own;
    if (groupMax != 0) {
        const LONG candidate = width + (groupMax - levelWidth);
        if (own == 0 || candidate < own)
            *maxWidth = candidate;
    }
}
