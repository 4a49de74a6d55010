// ViewStyleRowRegion: the part of a row scroll region that a view style
// reads and keeps: its rectangle, first row, visible-row list and scroll
// state. It travels with the region's working copy while it scrolls.
#pragma once

#include "HvVisibleRow.h"
#include "ViewStyleSeam.h"

#include <windows.h>

class ViewStyleRowRegion {
public:
    ViewStyleRowRegion() = default;
    ViewStyleRowRegion(const ViewStyleRowRegion&) = delete;
    ViewStyleRowRegion& operator=(const ViewStyleRowRegion&) = delete;
    ~ViewStyleRowRegion() { SetFirstRow(nullptr); }

    // The region's rectangle in window coordinates.
    RECT rect{};
    long Height() const { return rect.bottom - rect.top; }

    HvVisibleRowList rows;
    // How far the first row's top lies above the bottom of the top header
    // area (0 or negative), and the step of a held line-down (0 or negative).
    long firstRowOffset = 0;
    long lineStep = 0;
    short lastScrollAction = -1;

    ViewStyleRow* FirstRow() const { return firstRow_; }
    // Keeps its own reference to row.
    void SetFirstRow(ViewStyleRow* row)
    {
        if (row)
            row->AddRefRow();
        if (firstRow_)
            firstRow_->ReleaseRow();
        firstRow_ = row;
    }

private:
    ViewStyleRow* firstRow_ = nullptr;
};
