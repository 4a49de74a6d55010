// RowBandSeam: what a row object needs of its band and, through it, of the
// layout and the grid control: resolved settings, units, the layout's
// appearances, the binding's held rows, row selection, sizing and the row
// events. The band implements it for its rows.
#pragma once

#include <windows.h>

#include <Tavelle.h>

class GridBandSeam;
class GridColumnSeam;
class HvAppearances;
class HvCells;
class HvKeyedItem;
class HvLayoutHost;
class HvRow;
class RowDataSeam;
class SelectionBandSeam;
class SelectionControlSeam;
class SelectionLayoutSeam;

class RowBandSeam {
public:
    // A row object of the band is made or destroyed: the band stays while
    // any of its rows lives.
    virtual void AttachRow(HvRow* row) = 0;
    virtual void DetachRow(HvRow* row) = 0;
    // The band as the cells collection sees it (not referenced).
    virtual GridBandSeam* GridBand() = 0;
    // The band's IHvBand (one reference).
    virtual HRESULT QueryBand(IHvBand** out) = 0;
    // The band named by a client's optional argument (a band object, an
    // index or a key); *band null when the argument is missing.
    virtual HRESULT BandFromVariant(const VARIANT* argument, RowBandSeam** band) = 0;

    // The band, layout and control as selection sees them (may be null).
    virtual SelectionBandSeam* SelectionBand() = 0;
    virtual SelectionLayoutSeam* SelectionLayout() = 0;
    virtual SelectionControlSeam* SelectionControl() = 0;

    // Owner of new appearances and of errors, and its Appearances.
    virtual HvLayoutHost* LayoutHost() = 0;
    virtual HvAppearances* Appearances() = 0;
    // A new cell of row for column (one reference, given).
    virtual HRESULT MakeCell(HvRow* row, GridColumnSeam* column, HvCells* cells, HvKeyedItem** out) = 0;
    // The column of a cell made by MakeCell.
    virtual GridColumnSeam* ColumnOfCell(HvKeyedItem* cell) = 0;

    // Resolved band settings (pixels where sizes).
    virtual bool IsExpandable() = 0;
    virtual bool IsEffectivelyHidden() = 0;
    virtual LONG ResolveExpandRowsOnLoad() = 0;
    virtual LONG ResolveDefaultRowHeight() = 0;
    virtual LONG ResolveCellSpacing() = 0;
    virtual LONG ResolveCellPadding() = 0;
    virtual LONG ResolveRowSpacingBefore() = 0;
    virtual LONG ResolveRowSpacingAfter() = 0;
    virtual LONG ResolveAllowDelete() = 0;
    // Child bands that are not hidden; the band's resolved
    // ExpansionIndicator; the layout shows indicators when left at Default.
    virtual bool HasChildBands() = 0;
    virtual LONG ResolveExpansionIndicator() = 0;
    virtual bool ShowsIndicatorsByDefault() = 0;
    // Multi-level rows: the band's LevelCount, whether it has groups, and
    // the border width of its resolved BorderStyleRow (pixels).
    virtual LONG LevelCount() = 0;
    virtual bool HasGroups() = 0;
    virtual LONG RowBorderWidth() = 0;
    // The band decides when the row's FixedHeight is Default.
    virtual bool IsRowSizingFixed() = 0;
    // The band's resolved RowSizing (Constants_RowSizing).
    virtual LONG ResolveRowSizing() = 0;
    // The band's row-height version (raised by a synchronized resize and a
    // LevelCount change) and the version of the last LevelCount change.
    virtual LONG RowHeightVersion() = 0;
    virtual LONG RowHeightResetMark() = 0;
    // What the row's contents ask of its height, spacing and padding left
    // out: the tallest of its cells (pictures, wrapped multi-line text,
    // borders), 0 when nothing can be measured; and the least height its
    // font and the band's row height allow.
    virtual LONG CalcNaturalHeight(HvRow* row) = 0;
    virtual LONG CalcContentHeight(HvRow* row) = 0;
    virtual bool IsDesignMode() = 0;

    // Container units (twips by default) and pixels, vertically.
    virtual LONG UnitsToPixelsY(float units) = 0;
    virtual float PixelsToUnitsY(LONG pixels) = 0;

    // The layout is the grid control's current layout.
    virtual bool IsCurrentLayout() = 0;
    // The layout may fire events (sited in a control with an event gate).
    virtual bool CanFireEvents() = 0;
    // The layout's row scroll regions recalculate and its root element
    // re-lays out and redraws.
    virtual void MarkRowsDirty() = 0;
    // A row opened or shut: the regions fill their rows anew.
    virtual void RowExpansionChanged() = 0;
    // The row's cells are redrawn.
    virtual void RefreshRow(HvRow* row) = 0;

    // The binding's held-row list.
    virtual void HoldRow(RowDataSeam* data) = 0;
    virtual void ReleaseHeldRow(RowDataSeam* data) = 0;
    virtual void ReportRowError(HvRow* row, HRESULT result) = 0;

    // Row selection through the band's rules (row stays alive meanwhile).
    virtual HRESULT SelectRow(HvRow* row, bool select) = 0;
    virtual void DeselectRow(HvRow* row) = 0;
    virtual void SetSelectionPivot(HvRow* row) = 0;
    // The control's active row, not referenced; null when none.
    virtual HvRow* ActiveRow() = 0;
    // Leaves edit mode of the active cell; false when that was refused.
    virtual bool ExitEditMode() = 0;
    // Asks the control to deactivate its active row; S_OK when it did.
    virtual HRESULT DeactivateActiveRow() = 0;
    // Applies a height in pixels with BeforeRowResize / AfterRowResize.
    virtual HRESULT ResizeRow(HvRow* row, LONG pixels) = 0;
    // The layout's prompting delete of this one row.
    virtual HRESULT DeleteRowWithPrompt(HvRow* row) = 0;
    // The band's ExpandAll for the row.
    virtual HRESULT ExpandAll(HvRow* row, bool expand) = 0;

    // Row objects of related rows, made in the band that owns them with the
    // control held meanwhile. DB_S_ENDOFROWSET (with no row) at the end of
    // the rows; the child band's own failures (3000, 4005, 3013) are raised.
    // childBand null: the first chapter column's band.
    virtual HRESULT GetChildRow(HvRow* row, LONG which, RowBandSeam* childBand, IHvRow** out) = 0;
    virtual HRESULT GetChildRowByBookmark(HvRow* row, const VARIANT& bookmark, RowBandSeam* childBand,
                                          IHvRow** out) = 0;
    virtual HRESULT GetSiblingRow(HvRow* row, LONG which, bool spanBands, IHvRow** out) = 0;
    // Whether the row's chapter for childBand has a row.
    virtual HRESULT HasChildRowIn(HvRow* row, RowBandSeam* childBand, bool* has) = 0;
    // The root element's row element for the regions (none: S_OK, null).
    virtual HRESULT GetRowElement(HvRow* row, VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out) = 0;
    // A read-only appearance resolved for the row in a row region.
    virtual HRESULT ResolveRowAppearance(HvRow* row, VARIANT* rowRegion, IHvAppearance** out) = 0;

    // The band's rowset keeps a row position shared with other consumers:
    // its rows become active through it. Clearing it, and moving it to a
    // row (the provider's notice may activate the row meanwhile).
    virtual bool KeepsPositionMark() = 0;
    virtual HRESULT FlushPosition() = 0;
    virtual HRESULT SyncPosition(HvRow* row) = 0;

    // Row events; the Before ones answer true when cancelled.
    virtual bool FireBeforeRowExpand(HvRow* row, bool expand) = 0;
    virtual void FireAfterRowExpand(HvRow* row, bool expand) = 0;
    virtual void FireInitializeRow(HvRow* row) = 0;
    // InitializeRow is being fired (for any row).
    virtual bool IsInitializeRowFiring() = 0;
    virtual bool FireBeforeRowUpdate(HvRow* row) = 0;
    virtual void FireAfterRowUpdate(HvRow* row) = 0;
    virtual bool FireBeforeRowCancelUpdate(HvRow* row) = 0;
    virtual void FireAfterRowCancelUpdate(HvRow* row) = 0;

protected:
    ~RowBandSeam() = default;
};
