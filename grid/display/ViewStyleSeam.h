// ViewStyleSeam: what a view style needs of the layout, its bands and
// headers, the rows it shows and the column regions it fills. The object
// model and the row data model implement it; tests use fakes.
#pragma once

#include "VisibleRowSeam.h"

#include <windows.h>

class ViewStyleColRegion;

class ViewStyleBand {
public:
    // The band is hidden itself or under a hidden ancestor.
    virtual bool IsHidden() = 0;
    virtual ViewStyleBand* ParentBand() = 0;
    // The number of ancestor bands.
    virtual long Depth() = 0;
    // The height of the band's headers of the given level in pixels.
    virtual long HeaderHeight(int level) = 0;
    // The band's left position in the grid's virtual area and its width.
    virtual long Origin() = 0;
    virtual long Extent() = 0;
    virtual void SetOrigin(long origin) = 0;
    // The resolved row border style (a Constants_BorderStyle value).
    virtual long RowBorderStyle() = 0;
    // The band's rowset binding has child bindings.
    virtual bool HasChildBindings() = 0;

protected:
    ~ViewStyleBand() = default;
};

// A column's or group's header part as a view style places it.
class ViewStyleHeader {
public:
    virtual ViewStyleBand* Band() = 0;
    // The item or its owner is hidden.
    virtual bool IsHidden() = 0;
    // The one column region the item is shown in, or null for every region
    // that is not exclusive.
    virtual ViewStyleColRegion* ExclusiveRegion() = 0;
    // The item's span in the grid's virtual area, in pixels.
    virtual long Origin() = 0;
    virtual long Width() = 0;
    // The item's position within an exclusive region, and its extent there.
    virtual long Position() = 0;
    virtual void SetPosition(long position) = 0;
    // The item starts at its band's indent rather than after the item
    // before it.
    virtual bool StartsAtBandIndent() = 0;

protected:
    ~ViewStyleHeader() = default;
};

// A band's headers in display order.
class ViewStyleHeaderSource {
public:
    virtual long HeaderCount(ViewStyleBand* band) = 0;
    virtual ViewStyleHeader* HeaderAt(ViewStyleBand* band, long index) = 0;

protected:
    ~ViewStyleHeaderSource() = default;
};

class ViewStyleColRegion {
public:
    virtual long ScrollPosition() = 0;
    virtual long Width() = 0;
    // The region shows only the headers exclusive to it.
    virtual bool IsExclusive() = 0;
    // The band's origin and extent as this region lays them out.
    virtual long BandOrigin(ViewStyleBand* band) = 0;
    virtual long BandExtent(ViewStyleBand* band) = 0;
    // Appends a visible-header entry for the header; false when it cannot
    // be made.
    virtual bool AddVisibleHeader(ViewStyleHeader& header) = 0;

protected:
    ~ViewStyleColRegion() = default;
};

// A row as a view style walks and fetches it. References handed out by
// Child and FetchSiblings belong to the caller (AddRefRow/ReleaseRow).
class ViewStyleRow : public VisibleRowSubject {
public:
    virtual ViewStyleBand* StyleBand() = 0;
    virtual ViewStyleRow* ParentStyleRow() = 0;
    virtual bool IsAlive() = 0;
    // Hidden itself, in a hidden band, being deleted or under a hidden
    // ancestor.
    virtual bool IsHidden() = 0;
    // The row is expanded and its band shows child bands.
    virtual bool ShowsChildRows() = 0;
    virtual bool HasChildRows() = 0;
    virtual bool HasPrevSibling() = 0;
    virtual bool HasNextSibling() = 0;
    virtual bool HasPrevSiblingSpanningBands() = 0;
    virtual bool HasNextSiblingSpanningBands() = 0;
    // The resolved RowSpacingBefore in pixels.
    virtual long RowSpacingBefore() = 0;
    // The first (or last) shown child row in band, or null.
    virtual ViewStyleRow* Child(ViewStyleBand* band, bool last) = 0;
    // Up to count rows of this row's chapter after it (before it when
    // backward), nearest first, into out; the number handed out.
    virtual long FetchSiblings(bool backward, long count, ViewStyleRow** out) = 0;

protected:
    ~ViewStyleRow() = default;
};

class ViewStyleLayout {
public:
    // The layout's bands in the layout's order.
    virtual long BandCount() = 0;
    virtual ViewStyleBand* BandAt(long index) = 0;
    // The InterBandSpacing setting and the minimum row height in pixels.
    virtual long InterBandSpacing() = 0;
    virtual long MinRowHeight() = 0;
    // The control's first and last shown rows of the top band, referenced;
    // E_UNEXPECTED when the layout has no control.
    virtual HRESULT EdgeRow(bool last, ViewStyleRow** out) = 0;
    virtual ViewStyleHeaderSource* Headers() = 0;

protected:
    ~ViewStyleLayout() = default;
};

// Owns one reference to a row.
class ViewStyleRowRef {
public:
    ViewStyleRowRef() = default;
    // Takes over a reference the caller holds.
    explicit ViewStyleRowRef(ViewStyleRow* row) : row_(row) {}
    ViewStyleRowRef(const ViewStyleRowRef&) = delete;
    ViewStyleRowRef& operator=(const ViewStyleRowRef&) = delete;
    ViewStyleRowRef(ViewStyleRowRef&& other) noexcept : row_(other.row_) { other.row_ = nullptr; }
    ViewStyleRowRef& operator=(ViewStyleRowRef&& other) noexcept
    {
        if (this != &other) {
            Reset();
            row_ = other.row_;
            other.row_ = nullptr;
        }
        return *this;
    }
    ~ViewStyleRowRef() { Reset(); }

    ViewStyleRow* Get() const { return row_; }
    ViewStyleRow* operator->() const { return row_; }
    explicit operator bool() const { return row_ != nullptr; }
    ViewStyleRow** Out()
    {
        Reset();
        return &row_;
    }
    void Reset()
    {
        if (row_)
            row_->ReleaseRow();
        row_ = nullptr;
    }

private:
    ViewStyleRow* row_ = nullptr;
};
