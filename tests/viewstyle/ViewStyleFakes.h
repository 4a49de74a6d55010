// Stand-ins for the layout, bands, headers, rows and column regions that a
// view style works on: a small band hierarchy with rows of fixed heights.
#pragma once

#include "CViewStyle.h"

#include <map>
#include <utility>
#include <memory>
#include <vector>

struct FakeBand final : ViewStyleBand, VisibleRowBand {
    FakeBand(FakeBand* parentBand, long headers) : parent(parentBand), headerHeight(headers) {}
    bool IsHidden() override { return hidden || (parent && parent->IsHidden()); }
    ViewStyleBand* ParentBand() override { return parent; }
    long Depth() override { return parent ? parent->Depth() + 1 : 0; }
    long HeaderHeight(int) override { return headerHeight; }
    long Origin() override { return origin; }
    long Extent() override { return extent; }
    void SetOrigin(long value) override { origin = value; }
    long RowBorderStyle() override { return borderStyle; }
    bool HasChildBindings() override { return childBindings; }
    // VisibleRowBand
    long HeaderHeight() override { return headerHeight; }
    bool IsRowBorderThin() override { return borderStyle == 0 || (borderStyle >= 2 && borderStyle <= 5); }

    FakeBand* parent;
    long headerHeight;
    bool hidden = false;
    long origin = 0;
    long extent = 100;
    long borderStyle = 1;
    bool childBindings = true;
};

class FakeLayout;

struct FakeRow final : ViewStyleRow {
    FakeRow(FakeLayout& owner, FakeBand& rowBand, FakeRow* parentRow) : layout(owner), band(rowBand), parent(parentRow) {}

    void AddRefRow() override { ++refs; }
    void ReleaseRow() override { --refs; }
    VisibleRowBand* Band() override { return &band; }
    VisibleRowSubject* ParentRow() override { return parent; }
    long Height() override { return height; }
    long TotalHeight() override { return height; }
    long PositionInRowList() override { return Position(); }

    ViewStyleBand* StyleBand() override { return &band; }
    ViewStyleRow* ParentStyleRow() override { return parent; }
    bool IsAlive() override { return alive; }
    bool IsHidden() override { return hidden || band.IsHidden(); }
    bool ShowsChildRows() override;
    bool HasChildRows() override;
    bool HasPrevSibling() override { return Position() > 0; }
    bool HasNextSibling() override { return Position() + 1 < static_cast<long>(Chapter().size()); }
    bool HasPrevSiblingSpanningBands() override;
    bool HasNextSiblingSpanningBands() override;
    long RowSpacingBefore() override { return spacingBefore; }
    ViewStyleRow* Child(ViewStyleBand* childBand, bool last) override;
    long FetchSiblings(bool backward, long count, ViewStyleRow** out) override;

    std::vector<FakeRow*>& Chapter();
    long Position();

    FakeLayout& layout;
    FakeBand& band;
    FakeRow* parent;
    // Child rows by band, in the order the bands got their first child.
    std::vector<std::pair<FakeBand*, std::vector<FakeRow*>>> children;
    std::vector<FakeRow*>& ChildList(FakeBand* childBand);
    long height = 20;
    long spacingBefore = 0;
    bool expanded = true;
    bool hidden = false;
    bool alive = true;
    int refs = 0;
};

class FakeLayout final : public ViewStyleLayout, public ViewStyleHeaderSource {
public:
    long BandCount() override { return static_cast<long>(bands.size()); }
    ViewStyleBand* BandAt(long index) override { return bands[static_cast<size_t>(index)].get(); }
    long InterBandSpacing() override { return interBandSpacing; }
    long MinRowHeight() override { return minRowHeight; }
    HRESULT EdgeRow(bool last, ViewStyleRow** out) override;
    ViewStyleHeaderSource* Headers() override { return this; }
    long HeaderCount(ViewStyleBand* band) override;
    ViewStyleHeader* HeaderAt(ViewStyleBand* band, long index) override;

    FakeBand& AddBand(FakeBand* parent, long headerHeight);
    // Appends count rows to band under parent (top rows when null).
    std::vector<FakeRow*> AddRows(FakeBand& band, FakeRow* parent, int count);

    std::vector<std::unique_ptr<FakeBand>> bands;
    std::vector<std::unique_ptr<FakeRow>> rows;
    std::vector<FakeRow*> topRows;
    std::map<ViewStyleBand*, std::vector<ViewStyleHeader*>> headers;
    long interBandSpacing = 5;
    long minRowHeight = 20;
    bool hasControl = true;
    // The batch sizes asked of FetchSiblings.
    std::vector<long> batches;
};

struct FakeHeader final : ViewStyleHeader {
    FakeHeader(FakeBand& headerBand, long left, long width) : band(headerBand), origin(left), extent(width) {}
    ViewStyleBand* Band() override { return &band; }
    bool IsHidden() override { return hidden; }
    ViewStyleColRegion* ExclusiveRegion() override { return exclusive; }
    long Origin() override { return origin; }
    long Width() override { return extent; }
    long Position() override { return position; }
    void SetPosition(long value) override { position = value; }
    bool StartsAtBandIndent() override { return atIndent; }

    FakeBand& band;
    long origin;
    long extent;
    bool hidden = false;
    ViewStyleColRegion* exclusive = nullptr;
    long position = -1;
    bool atIndent = false;
};

struct FakeColRegion final : ViewStyleColRegion {
    long ScrollPosition() override { return position; }
    long Width() override { return width; }
    bool IsExclusive() override { return exclusive; }
    long BandOrigin(ViewStyleBand* band) override { return band->Origin(); }
    long BandExtent(ViewStyleBand* band) override { return band->Extent(); }
    bool AddVisibleHeader(ViewStyleHeader& header) override
    {
        shown.push_back(&header);
        return true;
    }

    long position = 0;
    long width = 300;
    bool exclusive = false;
    std::vector<ViewStyleHeader*> shown;
};

// A row region of the given height at the window's top.
struct FakeRowRegion : ViewStyleRowRegion {
    explicit FakeRowRegion(long height) { rect = RECT{0, 0, 300, height}; }
};

// The rows a region lists, in order.
std::vector<FakeRow*> ListedRows(const ViewStyleRowRegion& region);
std::unique_ptr<CViewStyle> MakeStyle(FakeLayout& layout, int viewStyle, int viewStyleBand);
