// Selections by kind.
#include "SelectionSet.h"

#include <algorithm>

namespace {

void AddOne(SelectionSet::List& list, SelectableTarget* item)
{
    if (std::find(list.begin(), list.end(), item) == list.end())
        list.push_back(item);
}

void RemoveOne(SelectionSet::List& list, SelectableTarget* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

// The same items, whatever their order.
bool SameItems(SelectionSet::List a, SelectionSet::List b)
{
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

} // namespace

SelectionSet::List& SelectionSet::Of(LONG kind)
{
    return const_cast<List&>(static_cast<const SelectionSet*>(this)->Of(kind));
}

const SelectionSet::List& SelectionSet::Of(LONG kind) const
{
    switch (kind) {
    case SelectableTarget::Row: return rows;
    case SelectableTarget::Cell: return cells;
    default: return columns;
    }
}

void SelectionSet::Add(SelectableTarget* item)
{
    if (item->GetKind() != SelectableTarget::Group) {
        AddOne(Of(item->GetKind()), item);
        return;
    }
    List members;
    item->GetGroupColumns(members);
    for (SelectableTarget* column : members)
        AddOne(columns, column);
}

void SelectionSet::Remove(SelectableTarget* item)
{
    if (item->GetKind() != SelectableTarget::Group) {
        RemoveOne(Of(item->GetKind()), item);
        return;
    }
    List members;
    item->GetGroupColumns(members);
    for (SelectableTarget* column : members)
        RemoveOne(columns, column);
}

bool SelectionSet::Contains(SelectableTarget* item) const
{
    const List& list = Of(item->GetKind());
    return std::find(list.begin(), list.end(), item) != list.end();
}

void SelectionSet::KeepOthers(const SelectionSet& current, LONG kind)
{
    // Rows and cells exclude each other; columns stay beside either.
    if (kind == SelectableTarget::Row || kind == SelectableTarget::Cell) {
        columns = current.columns;
    } else {
        rows = current.rows;
        cells = current.cells;
    }
}

bool SelectionSet::operator==(const SelectionSet& other) const
{
    return SameItems(rows, other.rows) && SameItems(cells, other.cells) && SameItems(columns, other.columns);
}
