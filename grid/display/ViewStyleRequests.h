// VisibleRowRequest and RowScrollRequest: the state of one fill of a
// region's visible-row list and of one row scroll, made on the stack.
#pragma once

#include "ViewStyleRowRegion.h"

#include <windows.h>

// The row scroll actions a view style performs.
enum RowScrollCode : short {
    RowScrollLineUp = 0,
    RowScrollLineDown = 1,
    RowScrollPageUp = 2,
    RowScrollPageDown = 3,
    RowScrollTop = 6,
    RowScrollBottom = 7,
    RowScrollEnd = 8,
};

class VisibleRowRequest {
public:
    VisibleRowRequest(ViewStyleRowRegion& region, bool backward)
        : region(region), backward(backward), fillLimit(region.Height())
    {
    }
    VisibleRowRequest(const VisibleRowRequest&) = delete;
    VisibleRowRequest& operator=(const VisibleRowRequest&) = delete;
    ~VisibleRowRequest() { ClearStart(); }

    ViewStyleRowRegion& region;
    bool backward;
    long fillLimit;
    long lastLineIndex = -1;
    short linesAdded = 0;
    // 0 for no limit.
    short lineLimit = 0;
    // Records of the region's list, not referenced here.
    HvVisibleRow* previous = nullptr;
    HvVisibleRow* insertBefore = nullptr;
    HvVisibleRow* last = nullptr;

    // The row a fill resumes from and the record to reuse for it; the
    // request holds a reference to each.
    ViewStyleRow* StartRow() const { return startRow_; }
    HvVisibleRow* StartRecord() const { return startRecord_; }
    void SetStart(ViewStyleRow* row, HvVisibleRow* record)
    {
        ClearStart();
        if (row)
            row->AddRefRow();
        if (record)
            record->AddRef();
        startRow_ = row;
        startRecord_ = record;
    }
    // Hands the start over to the caller (references included).
    void TakeStart(ViewStyleRow*& row, HvVisibleRow*& record)
    {
        row = startRow_;
        record = startRecord_;
        startRow_ = nullptr;
        startRecord_ = nullptr;
    }
    void ClearStart()
    {
        ViewStyleRow* row = nullptr;
        HvVisibleRow* record = nullptr;
        TakeStart(row, record);
        if (record)
            record->Release();
        if (row)
            row->ReleaseRow();
    }

private:
    ViewStyleRow* startRow_ = nullptr;
    HvVisibleRow* startRecord_ = nullptr;
};

struct RowScrollRequest {
    short code = RowScrollEnd;
    ViewStyleRowRegion* region = nullptr;
    SCROLLINFO scrollInfo{};
    // What the window scroll moves and what is repainted (window
    // coordinates).
    RECT scrollArea{};
    RECT repaintArea{};
    // Negative moves the rows up.
    long delta = 0;
    bool repaint = false;
    // Started by a region that fills itself.
    bool filling = false;

    explicit RowScrollRequest(ViewStyleRowRegion& r, short c) : code(c), region(&r), scrollArea(r.rect), repaintArea(r.rect)
    {
        scrollInfo.cbSize = sizeof(scrollInfo);
    }
};
