// VisibleRowSubject and VisibleRowBand: what a visible-row entry needs of the
// row it shows and of that row's band. The row data model implements them.
#pragma once

class VisibleRowBand {
public:
    // The height of the band's level-1 headers in pixels.
    virtual long HeaderHeight() = 0;
    virtual bool IsRowBorderThin() = 0;

protected:
    ~VisibleRowBand() = default;
};

class VisibleRowSubject {
public:
    virtual void AddRefRow() = 0;
    virtual void ReleaseRow() = 0;
    virtual VisibleRowBand* Band() = 0;
    // The parent row, or null for a top-level row.
    virtual VisibleRowSubject* ParentRow() = 0;
    // The row's own height, and with the spacing before and after it.
    virtual long Height() = 0;
    virtual long TotalHeight() = 0;
    // The row's place (from 0) in the row list of its parent that holds it,
    // or -1 when it belongs to none.
    virtual long PositionInRowList() = 0;

protected:
    ~VisibleRowSubject() = default;
};
