// HvBand: what the band makes of its binding's provider notices. The work
// on row objects belongs to the row layer; the band keeps the display in
// step: the layout redraws and the row scroll regions rebuild their lists.
#include "HvBand.h"

#include "BandLayoutSeam.h"
#include "BandsLayoutSeam.h"

namespace {

void Redraw(BandLayoutSeam* layout)
{
    if (layout)
        layout->BandsSide()->DirtyRootUIElement(true, true);
}

void RebuildRegions(BandLayoutSeam* layout)
{
    if (layout)
        layout->BandsSide()->MarkRowScrollRegionsDirty();
}

} // namespace

HRESULT HvBand::RowsetView::OnRowDelete(LONG phase, LONG, RowBatch*)
{
    if (phase == FailedToDo)
        Redraw(band_->layout_);
    if (phase == DidEvent) {
        RebuildRegions(band_->layout_);
        Redraw(band_->layout_);
    }
    return S_OK;
}

HRESULT HvBand::RowsetView::OnRowInsert(LONG phase, LONG, RowBatch*)
{
    if (phase == DidEvent) {
        RebuildRegions(band_->layout_);
        Redraw(band_->layout_);
    }
    return S_OK;
}

HRESULT HvBand::RowsetView::OnRowUndoChange(LONG phase, LONG, RowBatch*)
{
    if (phase == FailedToDo)
        Redraw(band_->layout_);
    return S_OK;
}

HRESULT HvBand::RowsetView::OnRowUndoInsert(LONG phase, LONG reason, RowBatch* rows)
{
    return OnRowDelete(phase, reason, rows);
}

HRESULT HvBand::RowsetView::OnRowUndoDelete(LONG phase, LONG reason, RowBatch* rows)
{
    return OnRowDelete(phase, reason, rows);
}

HRESULT HvBand::RowsetView::OnRowsetChange(LONG phase, LONG, RowBatch*)
{
    if (phase == DidEvent)
        Redraw(band_->layout_);
    return S_OK;
}
