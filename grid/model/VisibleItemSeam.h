// VisibleRowItem, VisibleHeaderSource, VisibleRowSource: what the visible
// header and visible row collections need of the grid display: the row that
// a visible row stands for, and a scroll region's list of visible entries
// from which new visible headers and rows are made.
#pragma once

#include "HvKeyedItem.h"

class VisibleRowItem : public HvKeyedItem {
public:
    // The row object the visible row stands for (not add-ref'd), or null.
    virtual IUnknown* RowObject() = 0;

protected:
    ~VisibleRowItem() = default;
};

// One column scroll region's visible headers.
class VisibleHeaderSource {
public:
    virtual LONG EntryCount() const = 0;
    // A new visible header (one reference, handed over) for an entry; null
    // when none can be made.
    virtual HvKeyedItem* CreateVisibleHeader(LONG entry) = 0;

protected:
    ~VisibleHeaderSource() = default;
};

// One row scroll region's visible rows.
class VisibleRowSource {
public:
    virtual LONG EntryCount() const = 0;
    // A new visible row (one reference, handed over) for an entry, given the
    // one made just before it (null for the first); null when none can be
    // made. The item answers IHvRow: a row object itself, or a
    // VisibleRowItem standing for one.
    virtual HvKeyedItem* CreateVisibleRow(LONG entry, HvKeyedItem* previous) = 0;

protected:
    ~VisibleRowSource() = default;
};
