// LayoutSortCallback: the sort filter's calls, the start time and the wait
// cursor of a running sort.
#include "LayoutSortCallback.h"

LayoutSortCallback::~LayoutSortCallback()
{
    depth_ = 1;
    EndSort();
}

bool LayoutSortCallback::BeforeSort(IHvTVSortFilter* filter, IHvBand* band, IHvRow* parentRow)
{
    if (depth_++ == 0)
        started_ = GetTickCount();
    VARIANT_BOOL cancel = VARIANT_FALSE;
    if (filter) {
        try {
            filter->BeforeSortBegin(band, parentRow, &cancel);
        } catch (...) {
            cancel = VARIANT_FALSE;
        }
    }
    if (cancel != VARIANT_FALSE) {
        EndSort();
        return true;
    }
    return false;
}

void LayoutSortCallback::NoteComparison()
{
    if (waiting_ || depth_ == 0 || GetTickCount() - started_ <= kWaitAfterMs)
        return;
    replaced_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    waiting_ = true;
}

bool LayoutSortCallback::CompareCells(IHvTVSortFilter* filter, IHvCell* first, IHvCell* second,
                                      Constants_SortIndicator direction, bool* lessThan)
{
    if (!filter || !first || !second)
        return false;
    VARIANT_BOOL byDefault = VARIANT_TRUE;
    VARIANT_BOOL less = VARIANT_FALSE;
    try {
        if (FAILED(filter->Compare(first, second, direction, &byDefault, &less)))
            return false;
    } catch (...) {
        return false;
    }
    if (byDefault != VARIANT_FALSE)
        return false;
    *lessThan = less != VARIANT_FALSE;
    return true;
}

void LayoutSortCallback::AfterSort(IHvTVSortFilter* filter, IHvBand* band, IHvRow* parentRow)
{
    if (filter) {
        try {
            filter->AfterSortEnd(band, parentRow);
        } catch (...) {
        }
    }
    EndSort();
}

void LayoutSortCallback::EndSort()
{
    if (depth_ > 0 && --depth_ > 0)
        return;
    started_ = 0;
    if (waiting_) {
        waiting_ = false;
        SetCursor(replaced_);
        replaced_ = nullptr;
    }
}
