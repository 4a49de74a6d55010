// Range selection from the pivot to a target: rows of one band, the cells
// of a block of rows and columns, and columns in header order.
#include "ControlSelectionHost.h"

#include "ControlKeyActionHost.h"
#include "HvBand.h"
#include "HvCell.h"
#include "HvColumn.h"
#include "HvGroup.h"
#include "HvRow.h"
#include "HvTavelle.h"
#include "RowBandSeam.h"
#include "SelectionListBuilder.h"

#include <algorithm>

namespace {

constexpr LONG kRow = 0, kCell = 1, kColumn = 2, kGroup = 99;

// Rows held while a walk runs (their references released at the end).
class HeldRows {
public:
    HeldRows() = default;
    HeldRows(const HeldRows&) = delete;
    HeldRows& operator=(const HeldRows&) = delete;
    ~HeldRows()
    {
        for (HvRow* row : rows)
            row->Release();
    }
    // Takes over a reference; the row, or null.
    HvRow* Take(IHvRow* row)
    {
        HvRow* own = row ? HvRow::FromObject(row) : nullptr;
        if (!own) {
            if (row)
                row->Release();
            return nullptr;
        }
        rows.push_back(own);
        return own;
    }
    std::vector<HvRow*> rows;
};

IHvRow* SiblingOf(HvRow* row, bool forward)
{
    IHvRow* sibling = nullptr;
    RowBandSeam* band = row ? row->GetBand() : nullptr;
    if (!band || band->GetSiblingRow(row, forward ? hvSiblingRowNext : hvSiblingRowPrevious, false, &sibling) != S_OK) {
        if (sibling)
            sibling->Release();
        return nullptr;
    }
    return sibling;
}

// The next (or previous) row of the row's band in tree order: its sibling,
// else the first (last) row of the band under the nearest following
// (preceding) parent that has such rows.
HvRow* StepInBand(HvRow* row, bool forward, HeldRows& held)
{
    if (HvRow* sibling = held.Take(SiblingOf(row, forward)))
        return sibling;
    RowBandSeam* band = row->GetBand();
    for (HvRow* parent = row->GetParentRow(); parent;) {
        HvRow* next = StepInBand(parent, forward, held);
        if (!next)
            return nullptr;
        IHvRow* child = nullptr;
        if (next->GetBand() &&
            SUCCEEDED(next->GetBand()->GetChildRow(next, forward ? hvChildRowFirst : hvChildRowLast, band, &child)))
            if (HvRow* found = held.Take(child))
                return found;
        parent = next;
    }
    return nullptr;
}

// How the target stands to the pivot: their order in the grid's row tree,
// else their places in the rowset, else the provider's order (DBCOMPARE).
DBCOMPARE RelationOf(HvRow* pivot, HvRow* target)
{
    if (pivot == target)
        return DBCOMPARE_EQ;
    DBCOMPARE relation = pivot->CompareTreeOrder(target);
    if (relation == DBCOMPARE_NE || relation == DBCOMPARE_NOTCOMPARABLE)
        relation = pivot->CompareSiblingOrder(target);
    if (relation == DBCOMPARE_NOTCOMPARABLE)
        relation = pivot->CompareOrder(target);
    return relation;
}

// The rows from pivot to target, both included, in walking order: forward
// when the target comes after the pivot, backward when before. Empty when
// the two have no order or the walk does not reach the target.
std::vector<HvRow*> RowsBetween(HvRow* pivot, HvRow* target, HeldRows& held)
{
    const DBCOMPARE relation = RelationOf(pivot, target);
    if (relation != DBCOMPARE_LT && relation != DBCOMPARE_GT)
        return {};
    const bool forward = relation == DBCOMPARE_LT;
    std::vector<HvRow*> rows{pivot};
    for (HvRow* row = pivot; row && row != target;) {
        row = StepInBand(row, forward, held);
        if (row)
            rows.push_back(row);
    }
    if (rows.back() == target)
        return rows;
    return {};
}

} // namespace

HRESULT ControlSelectionHost::SelectRowsToTarget(HvSelectableItem* pivot, HvSelectableItem* target,
                                                 SelectionListTarget& list, bool applyRules, LONG extend, bool)
{
    if (HvTavelle::SelectableKind(pivot) == kCell && HvTavelle::SelectableKind(target) == kRow) {
        // A cell pivot gives way to the target row.
        control_.SetSelectionPivot(target, false);
        pivot = target;
    }
    auto* from = dynamic_cast<HvRow*>(pivot);
    auto* to = dynamic_cast<HvRow*>(target);
    if (!from || !to || !CAutomationObject::IsActive(from) || from->OwnerBand() != to->OwnerBand())
        return E_FAIL;
    SelectionListBuilder builder(*this);
    if (from == to)
        return builder.AddRowToSelectionList(to, list, applyRules, extend);
    HeldRows held;
    for (HvRow* row : RowsBetween(from, to, held)) {
        const HRESULT hr = builder.AddRowToSelectionList(row, list, applyRules, extend);
        if (hr != S_OK)
            return hr;
    }
    return S_OK;
}

HRESULT ControlSelectionHost::SelectCellsToTarget(HvSelectableItem* pivot, HvSelectableItem* target,
                                                  SelectionListTarget& list, bool applyRules, LONG extend)
{
    if (HvTavelle::SelectableKind(pivot) == kRow && HvTavelle::SelectableKind(target) == kCell) {
        control_.SetSelectionPivot(target, false);
        pivot = target;
    }
    auto* fromCell = dynamic_cast<HvCell*>(pivot);
    auto* toCell = dynamic_cast<HvCell*>(target);
    if (!fromCell || !toCell || !CAutomationObject::IsActive(fromCell) || fromCell->OwnerBand() != toCell->OwnerBand())
        return E_FAIL;
    auto* fromRow = dynamic_cast<HvRow*>(fromCell->RowItem());
    auto* toRow = dynamic_cast<HvRow*>(toCell->RowItem());
    if (!fromRow || !toRow)
        return E_FAIL;
    // The columns between the two cells' columns in header order.
    const std::vector<HvSelectableItem*> shown =
        ControlKeyActionHost::ShownColumns(dynamic_cast<HvBand*>(fromCell->OwnerBand()));
    const auto first = std::find(shown.begin(), shown.end(), control_.ColumnOfCell(fromCell));
    const auto last = std::find(shown.begin(), shown.end(), control_.ColumnOfCell(toCell));
    if (first == shown.end() || last == shown.end())
        return E_FAIL;
    std::vector<HvSelectableItem*> columns(std::min(first, last), std::max(first, last) + 1);
    if (first > last)
        std::reverse(columns.begin(), columns.end());
    HeldRows held;
    std::vector<HvRow*> rows = fromRow == toRow ? std::vector<HvRow*>{fromRow} : RowsBetween(fromRow, toRow, held);
    if (rows.empty())
        return E_FAIL;
    SelectionListBuilder builder(*this);
    for (HvRow* row : rows) {
        const HRESULT hr = builder.AddRowCellsToSelectionList(row, columns, list, applyRules, extend);
        if (hr != S_OK)
            return hr;
    }
    return S_OK;
}

HRESULT ControlSelectionHost::SelectColumnsToTarget(HvSelectableItem* pivot, HvSelectableItem* target,
                                                    std::vector<HvSelectableItem*>& out, bool skipPivot)
{
    const LONG pivotKind = HvTavelle::SelectableKind(pivot);
    const LONG targetKind = HvTavelle::SelectableKind(target);
    if ((pivotKind != kColumn && pivotKind != kGroup) || (targetKind != kColumn && targetKind != kGroup) ||
        !CAutomationObject::IsActive(pivot->KeyedItem()->GetItemObject()) || pivot->OwnerBand() != target->OwnerBand())
        return E_FAIL;
    const std::vector<HvSelectableItem*> shown =
        ControlKeyActionHost::ShownColumns(dynamic_cast<HvBand*>(target->OwnerBand()));
    // A group stands for its columns: its first or last one, by direction.
    auto span = [&](HvSelectableItem* item) {
        auto* group = dynamic_cast<HvGroup*>(item);
        long low = -1, high = -1;
        for (long i = 0; i < static_cast<long>(shown.size()); ++i) {
            const bool member = group ? static_cast<HvColumn*>(shown[i])->GetGroup() == group : shown[i] == item;
            if (!member)
                continue;
            if (low < 0)
                low = i;
            high = i;
        }
        return std::pair<long, long>(low, high);
    };
    const auto [pivotLow, pivotHigh] = span(pivot);
    const auto [targetLow, targetHigh] = span(target);
    if (pivotLow < 0 || targetLow < 0)
        return E_FAIL;
    const bool forward = targetHigh >= pivotLow;
    const long start = forward ? pivotLow : pivotHigh;
    const long end = forward ? targetHigh : targetLow;
    for (long i = start;; i += forward ? 1 : -1) {
        HvSelectableItem* column = shown[static_cast<size_t>(i)];
        if (!(skipPivot && column == pivot) && !control_.IsItemHiddenOrDisabled(column))
            out.push_back(column);
        if (i == end)
            break;
    }
    return S_OK;
}
