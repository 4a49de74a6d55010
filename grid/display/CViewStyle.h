// CViewStyle: the strategy that lays out the bands of a grid (one band as a
// flat table, or every band with child rows below their parent rows). It
// fills the regions' visible header and row lists, places rows and bands,
// and performs every row scroll. The layout owns exactly one; the kinds
// derive from it and hold no state besides the layout.
#pragma once

#include "ViewStyleRequests.h"
#include "ViewStyleSeam.h"

#include <windows.h>

#include <memory>

class CViewStyle {
public:
    // Offset of a child band right of its parent band in the vertical style.
    static constexpr long ChildBandIndent = 19;
    // The capacity callers give GetTopHeaderBands.
    static constexpr long MaxHeaderLevels = 100;

    // The strategy for the layout's ViewStyle (0 single band, 1 multi-band)
    // and ViewStyleBand (0 vertical, 1 horizontal) settings. E_FAIL, leaving
    // out alone, when out already holds one or the settings have any other
    // value.
    static HRESULT Make(ViewStyleLayout& layout, int viewStyle, int viewStyleBand, std::unique_ptr<CViewStyle>& out);

    explicit CViewStyle(ViewStyleLayout& layout) : layout_(layout) {}
    CViewStyle(const CViewStyle&) = delete;
    CViewStyle& operator=(const CViewStyle&) = delete;
    virtual ~CViewStyle() = default;

    // Column regions: fills the region's visible headers; true when at
    // least one was added.
    virtual bool BuildVisibleHeaders(ViewStyleColRegion& region) = 0;
    // Places a header exclusive to region after previous (null for none).
    virtual void PlaceRegionHeaderItem(ViewStyleColRegion& region, ViewStyleHeader& item, ViewStyleHeader* previous);
    virtual void SetHeaderItemPosition(ViewStyleHeader& item, long position) { item.SetPosition(position); }

    // Bands: the origin of band, shown after previous (null for the first).
    virtual long GetBandOffset(ViewStyleBand* band, ViewStyleBand* previous);
    // After band's extent changed by amount.
    virtual void ShiftFollowingBands(ViewStyleBand* band, long amount);

    // Row regions.
    virtual void ScrollRowRegion(RowScrollRequest& request);
    virtual void RefreshRowRegion(RowScrollRequest& request);
    void BuildVisibleRows(ViewStyleRowRegion& region);
    void ResetRowRegion(ViewStyleRowRegion& region);
    // Whether the last record is cut by the region's bottom; overflow (when
    // given) gets how far it reaches past it.
    bool IsLastRowCut(RowScrollRequest& request, ViewStyleBand* band, long* overflow);

    // The top header area.
    virtual bool HasTopHeaderArea() { return true; }
    virtual long GetTopHeaderHeight(int level);
    // Fills bands (zeroed first, capacity entries) with the bands whose
    // headers stand in the top header area, one per depth; the count.
    virtual long GetTopHeaderBands(HvVisibleRowList& rows, ViewStyleBand** bands, long capacity);

    virtual bool IsMultiBand() { return false; }
    virtual bool IsHorizontal() { return false; }
    virtual bool IsFirstRow(const HvVisibleRow& record);
    virtual bool IsLastRow(const HvVisibleRow& record);
    // The last row of the whole content (referenced).
    virtual HRESULT GetLastRow(ViewStyleRow** out);
    virtual HRESULT GetLastDescendantRow(ViewStyleRow* row, ViewStyleRow** out);

    // The shared-border value of record placed below previous (null for
    // none); stored in the record and returned.
    virtual long UpdateSharedBorder(HvVisibleRow& record, HvVisibleRow* previous);

    // The row behind a record: every record a view style makes shows one.
    static ViewStyleRow& RowOf(const HvVisibleRow& record) { return static_cast<ViewStyleRow&>(record.Row()); }
    static ViewStyleBand* BandOf(const HvVisibleRow& record) { return RowOf(record).StyleBand(); }

protected:
    virtual bool AppendChildRows(VisibleRowRequest& request, HvVisibleRow& parent, ViewStyleBand* band) = 0;
    virtual void PlaceRowAfter(VisibleRowRequest& request, HvVisibleRow& record);
    virtual void PlaceRowBefore(VisibleRowRequest& request, HvVisibleRow& record);

    ViewStyleLayout& Layout() { return layout_; }
    // The first band of the layout, or null.
    ViewStyleBand* FirstBand();
    static bool Descends(ViewStyleBand* band, ViewStyleBand* ancestor);

    // Adds the headers of one band that meet the region's visible span.
    bool BuildBandHeaders(ViewStyleColRegion& region, ViewStyleBand* band);

    void LinkSiblingRecords(HvVisibleRow& record, HvVisibleRow& previous);
    bool IsFillComplete(VisibleRowRequest& request);
    // Adds record (taking over the caller's reference) and, when asked, its
    // child rows; whether anything was added.
    bool AddVisibleRow(VisibleRowRequest& request, HvVisibleRow* record, bool withChildren);
    bool AddChildRows(VisibleRowRequest& request, HvVisibleRow& parent);
    bool FillRows(VisibleRowRequest& request, HvVisibleRow* parent, ViewStyleRow* row, ViewStyleBand* band = nullptr);
    // The top of a record placed above following (the request's previous
    // record), pinned below the top header area.
    long PinnedTop(VisibleRowRequest& request, HvVisibleRow& record, long top);

private:
    bool FillRowBatches(VisibleRowRequest& request, HvVisibleRow* parent, ViewStyleRow& row, ViewStyleBand* band);
    bool IsRecordValid(const HvVisibleRow& record);
    bool DropLeadingInvalidRecords(ViewStyleRowRegion& region);
    bool PlaceAll(VisibleRowRequest& request);
    // Revalidates, places and extends or trims the list up to the
    // request's fill limit.
    void RebuildList(VisibleRowRequest& request);
    void ResumeAfterLast(VisibleRowRequest& request);

    // Row scrolling (CViewStyleScroll.cpp).
    void LineDown(RowScrollRequest& request);
    // The first record of the next line, filling the list further once
    // when it holds only the first line; null when there is none.
    HvVisibleRow* NextLineRecord(ViewStyleRowRegion& region, HvVisibleRow& first);
    void LineUp(RowScrollRequest& request, bool page);
    void PageDown(RowScrollRequest& request);
    void ScrollToTop(RowScrollRequest& request);
    void ScrollToBottom(RowScrollRequest& request);
    void EndScroll(RowScrollRequest& request);
    void ResetAndRepaint(RowScrollRequest& request);
    void FinishLineDown(RowScrollRequest& request, HvVisibleRow& next, long bottomBefore, bool partial);
    void FinishLineUp(RowScrollRequest& request, HvVisibleRow& first, long topBefore, long bottomBefore);
    long RecordBottom(const HvVisibleRow& record) { return record.GetTop(true) + RowOf(record).Height(); }

    ViewStyleLayout& layout_;
};
