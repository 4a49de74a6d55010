// SelectionSet: a selection by kind (rows, cells, columns), as the selection
// operations build a would-be selection and compare it with the current one.
// The entries are not referenced: a set lives within one operation.
#pragma once

#include "SelectableTarget.h"

#include <vector>

class SelectionSet {
public:
    using List = std::vector<SelectableTarget*>;

    // The list an item of this kind goes to (a group: the columns).
    List& Of(LONG kind);
    const List& Of(LONG kind) const;

    // A group adds or removes its columns.
    void Add(SelectableTarget* item);
    void Remove(SelectableTarget* item);
    bool Contains(SelectableTarget* item) const;
    // Carries the other kinds' lists of current over.
    void KeepOthers(const SelectionSet& current, LONG kind);

    bool Empty() const { return rows.empty() && cells.empty() && columns.empty(); }
    bool operator==(const SelectionSet& other) const;

    List rows;
    List cells;
    List columns;
};
