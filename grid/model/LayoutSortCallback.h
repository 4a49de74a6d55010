// LayoutSortCallback: what the layout does around each sort of a band's
// rows. Before a sort it notes the time and lets the client's sort filter
// cancel it; while rows are compared it shows the wait cursor once the sort
// has run for a while and lets the filter order a pair of cells; after the
// sort it tells the filter and puts the cursor back.
#pragma once

#include <windows.h>

#include <Tavelle.h>

class LayoutSortCallback {
public:
    LayoutSortCallback() = default;
    ~LayoutSortCallback();
    LayoutSortCallback(const LayoutSortCallback&) = delete;
    LayoutSortCallback& operator=(const LayoutSortCallback&) = delete;

    // A sort of the rows of band under parentRow (null for the band's rows
    // without parent) starts; true when the filter cancelled it (no
    // AfterSort follows then).
    bool BeforeSort(IHvTVSortFilter* filter, IHvBand* band, IHvRow* parentRow);
    // One comparison: the wait cursor once the sort has lasted long enough.
    void NoteComparison();
    // The filter's order of two cells for a key sorted in direction; true
    // when the filter decided, with *lessThan its answer.
    static bool CompareCells(IHvTVSortFilter* filter, IHvCell* first, IHvCell* second,
                             Constants_SortIndicator direction, bool* lessThan);
    // The sort begun by BeforeSort has ended.
    void AfterSort(IHvTVSortFilter* filter, IHvBand* band, IHvRow* parentRow);

    bool IsSorting() const { return depth_ > 0; }

private:
    void EndSort();

    static constexpr DWORD kWaitAfterMs = 300;
    int depth_ = 0;          // sorts begun and not ended (a filter may start another)
    DWORD started_ = 0;      // GetTickCount at the start of the outermost sort
    bool waiting_ = false;   // the wait cursor stands in for replaced_
    HCURSOR replaced_ = nullptr;
};
