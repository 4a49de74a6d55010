// SortColumnSeam: what a band's sort columns need of a column: its sort
// indicator, the indicator pending in a sort proposal, and level copies
// through which an event handler sees a proposed indicator while the real
// column stays unchanged.
#pragma once

#include <windows.h>

class HvKeyedItem;

// Constants_SortIndicator values.
enum SortIndicatorValue : LONG {
    SortIndicatorNone = 0,
    SortIndicatorAscending = 1,
    SortIndicatorDescending = 2,
    SortIndicatorDisabled = 3,
};

class SortColumnSeam {
public:
    virtual LONG SortIndicator() = 0;
    // A column that is no level copy raises its change notice 1131.
    virtual void SetSortIndicator(LONG indicator) = 0;
    virtual LONG PendingSortIndicator() = 0;
    virtual void SetPendingSortIndicator(LONG indicator) = 0;
    // A fresh copy that refers back to this column and raises no notices;
    // the caller owns its one reference. Null when none can be made.
    virtual HvKeyedItem* CreateLevelCopy(SHORT level) = 0;
    // The column a level copy copies (not referenced), null for a column.
    virtual HvKeyedItem* LevelCopySource() = 0;

    static SortColumnSeam* FromKeyed(HvKeyedItem* item);

protected:
    ~SortColumnSeam() = default;
};
