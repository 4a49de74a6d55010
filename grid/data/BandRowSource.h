// BandRowSource: the row side of one bound band. It is the band's binding
// (BandBindingSeam, with the binding's row model), the listener of the
// binding's provider notices, and the band as its row objects see it
// (RowBandSeam): it makes the HvRow of a row record, fires the row events
// through the grid, and finds child, sibling and parent rows. The control
// makes one per bound band; the rows it makes keep it alive.
#pragma once

#include "BandRowBinding.h"
#include "HvBandRowsetListener.h"
#include "RowBandSeam.h"
#include "RowSortHook.h"

#include <memory>
#include <unordered_set>
#include <vector>

class ColumnCellFace;
class GridColumnSeam;
class HvBand;
class HvColumn;
class HvLayout;
class RowData;
class RowGridHost;

class BandRowSource final : public BandRowBinding,
                            public HvBandRowsetListener,
                            public HvBandRowPositionListener,
                            public RowBandSeam,
                            public RowSortHook {
public:
    // One reference, given; the binding is referenced, grid is not owned.
    static BandRowSource* Create(RowsetBinding& binding, RowGridHost& grid);
    // The source behind a band's binding, or null.
    static BandRowSource* Of(BandBindingSeam* binding);
    static BandRowSource* OfBand(HvBand* band);
    // The source of the layout's band fed by a rowset binding, or null.
    static BandRowSource* FindForBinding(HvLayout* layout, RowsetBinding* binding);

    ULONG AddRef() { return ++refs_; }
    ULONG Release();

    // The band this source feeds (not referenced); the band's deactivation
    // removes the listeners, which ends the tie.
    void SetBand(HvBand* band) { band_ = band; }
    HvBand* Band() const { return band_; }
    HvLayout* Layout() const;
    RowGridHost& Grid() const { return grid_; }
    // The rows made here are deactivated; the source serves no more rows.
    void Detach();

    // The row object of a record (one reference for the caller), made when
    // the record has none, parent rows first, with InitializeRow.
    HRESULT GetRowObject(RowData* data, HvRow* parent, HvRow** out);
    // InitializeRow again for every live row object of the band, and with
    // recursive for those of its child bands.
    HRESULT ReinitializeRows(bool recursive);
    // The first or last row of the band's rows without parent row.
    HRESULT FetchEdgeRow(bool first, RowData** out);

    // BandBindingSeam
    void AddListeners() override;
    void RemoveListeners() override;
    ColumnInfoSeam* ColumnInfoAt(LONG index) override;
    HRESULT AddRow(IHvRow* parent, IHvRow** out) override;

    // HvBandRowsetListener
    HRESULT OnFieldChange(LONG phase, LONG reason, RowData* row, ColumnInfo* column) override;
    HRESULT OnRowActivate(LONG, LONG, RowBatch*) override { return S_OK; }
    HRESULT OnRowRelease(LONG, LONG, RowBatch*) override { return S_OK; }
    HRESULT OnRowDelete(LONG phase, LONG reason, RowBatch* rows) override;
    HRESULT OnRowFirstChange(LONG, LONG, RowBatch*) override { return S_OK; }
    HRESULT OnRowInsert(LONG phase, LONG reason, RowBatch* rows) override;
    HRESULT OnRowResynch(LONG phase, LONG reason, RowBatch* rows) override;
    HRESULT OnRowUndoChange(LONG phase, LONG reason, RowBatch* rows) override;
    HRESULT OnRowUndoInsert(LONG phase, LONG reason, RowBatch* rows) override;
    HRESULT OnRowUndoDelete(LONG phase, LONG reason, RowBatch* rows) override;
    HRESULT OnRowUpdate(LONG phase, LONG reason, RowBatch* rows) override;
    HRESULT OnRowAsynchInsert(LONG, LONG, RowBatch*) override { return S_OK; }
    HRESULT OnRowsetChange(LONG phase, LONG reason, RowBatch* rows) override;
    void GetRowObjectForRecord(RowData* row) override;
    // RowSortHook: the layout's sort callback and the client's sort filter.
    bool BeforeSort(RowData* parentRow) override;
    bool CompareRows(RowData* first, RowData* second, ColumnInfo* column, bool ascending,
                     bool* firstBefore) override;
    void AfterSort(RowData* parentRow) override;

    // HvBandRowPositionListener
    HRESULT OnPositionOkToDo() override;
    HRESULT OnPositionSyncAfter(RowData* row) override;
    HRESULT OnPositionDidEvent() override;

    // RowBandSeam
    void AttachRow(HvRow* row) override;
    void DetachRow(HvRow* row) override;
    GridBandSeam* GridBand() override;
    HRESULT QueryBand(IHvBand** out) override;
    HRESULT BandFromVariant(const VARIANT* argument, RowBandSeam** band) override;
    SelectionBandSeam* SelectionBand() override;
    SelectionLayoutSeam* SelectionLayout() override;
    SelectionControlSeam* SelectionControl() override;
    HvLayoutHost* LayoutHost() override;
    HvAppearances* Appearances() override;
    HRESULT MakeCell(HvRow* row, GridColumnSeam* column, HvCells* cells, HvKeyedItem** out) override;
    GridColumnSeam* ColumnOfCell(HvKeyedItem* cell) override;
    bool IsExpandable() override;
    bool IsEffectivelyHidden() override;
    LONG ResolveExpandRowsOnLoad() override;
    LONG ResolveDefaultRowHeight() override;
    LONG ResolveCellSpacing() override;
    LONG ResolveCellPadding() override;
    LONG ResolveRowSpacingBefore() override;
    LONG ResolveRowSpacingAfter() override;
    LONG ResolveAllowDelete() override;
    bool HasChildBands() override;
    LONG ResolveExpansionIndicator() override;
    bool ShowsIndicatorsByDefault() override;
    LONG LevelCount() override;
    bool HasGroups() override;
    LONG RowBorderWidth() override;
    bool IsRowSizingFixed() override;
    LONG ResolveRowSizing() override;
    LONG RowHeightVersion() override;
    LONG RowHeightResetMark() override;
    LONG CalcNaturalHeight(HvRow* row) override;
    LONG CalcContentHeight(HvRow* row) override;
    bool IsDesignMode() override;
    LONG UnitsToPixelsY(float units) override;
    float PixelsToUnitsY(LONG pixels) override;
    bool IsCurrentLayout() override;
    bool CanFireEvents() override;
    void MarkRowsDirty() override;
    void RefreshRow(HvRow* row) override;
    void HoldRow(RowDataSeam* data) override;
    void ReleaseHeldRow(RowDataSeam* data) override;
    void ReportRowError(HvRow* row, HRESULT result) override;
    HRESULT SelectRow(HvRow* row, bool select) override;
    void DeselectRow(HvRow* row) override;
    void SetSelectionPivot(HvRow* row) override;
    HvRow* ActiveRow() override;
    bool ExitEditMode() override;
    HRESULT DeactivateActiveRow() override;
    HRESULT ResizeRow(HvRow* row, LONG pixels) override;
    HRESULT DeleteRowWithPrompt(HvRow* row) override;
    HRESULT ExpandAll(HvRow* row, bool expand) override;
    HRESULT ExpandHeldRows(bool expand, bool touchChildren) override;
    HRESULT GetChildRow(HvRow* row, LONG which, RowBandSeam* childBand, IHvRow** out) override;
    HRESULT GetChildRowByBookmark(HvRow* row, const VARIANT& bookmark, RowBandSeam* childBand,
                                  IHvRow** out) override;
    HRESULT GetSiblingRow(HvRow* row, LONG which, bool spanBands, IHvRow** out) override;
    HRESULT HasChildRowIn(HvRow* row, RowBandSeam* childBand, bool* has) override;
    HRESULT GetRowElement(HvRow* row, VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out) override;
    HRESULT ResolveRowAppearance(HvRow* row, VARIANT* rowRegion, IHvAppearance** out) override;
    bool KeepsPositionMark() override;
    HRESULT FlushPosition() override;
    HRESULT SyncPosition(HvRow* row) override;
    bool FireBeforeRowExpand(HvRow* row, bool expand) override;
    void FireAfterRowExpand(HvRow* row, bool expand) override;
    void FireInitializeRow(HvRow* row) override;
    bool IsInitializeRowFiring() override;
    bool FireBeforeRowUpdate(HvRow* row) override;
    void FireAfterRowUpdate(HvRow* row) override;
    bool FireBeforeRowCancelUpdate(HvRow* row) override;
    void FireAfterRowCancelUpdate(HvRow* row) override;

protected:
    // The row regions show the rows from the first again, in the new order.
    void OnRowOrderChanged() override;
    void RowExpansionChanged() override { OnRowOrderChanged(); }

private:
    BandRowSource(RowsetBinding& binding, RowGridHost& grid);
    ~BandRowSource() override;

    // The row object of a record made under this band, for a reply (the
    // band that feeds the record's binding makes it).
    HRESULT HandOut(RowData* data, HvRow* parent, IHvRow** out);
    // Each row of a batch: its record and, when the band has one, its row
    // object (not referenced); records are released after use.
    template <class Each>
    void ForEachRow(RowBatch* rows, Each each);
    HvRow* ExistingRowObject(RowData* data);
    // The row object of a record of this band or another (null for none).
    HRESULT RowObjectOf(RowData* data, IHvRow** out);
    HRESULT CellOf(RowData* data, ColumnInfo* column, IHvCell** out);
    void Redraw();
    void RebuildRegions();
    void AfterRowsGone();
    // The face of a column toward its cells, made on first use.
    ColumnCellFace* FaceOf(HvColumn* column);
    // The chapter column leading from this band to a child band; the
    // raised failure when it is none.
    HRESULT ChapterOrdinalOf(RowBandSeam* childBand, long* ordinal);

    ULONG refs_ = 1;
    RowGridHost& grid_;
    HvBand* band_ = nullptr; // not referenced
    bool listening_ = false;
    // InitializeRow of a row just made (ReInitialize false).
    bool firstInitialize_ = false;
    std::unordered_set<HvRow*> rows_; // the live rows made here, not referenced
    std::vector<std::unique_ptr<ColumnCellFace>> faces_;
};
