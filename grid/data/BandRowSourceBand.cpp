// BandRowSource: the band as its rows see it: resolved settings, units,
// cells, held rows, selection, the active row and the row events, passed to
// the band, its layout and the grid.
#include "BandRowSource.h"

#include "ColumnCellFace.h"
#include "DataErrorInfo.h"
#include "GridColumnSeam.h"
#include "HvBand.h"
#include "HvCell.h"
#include "HvColumn.h"
#include "HvLayout.h"
#include "HvRow.h"
#include "HvSelectedRows.h"
#include "RowData.h"
#include "RowGridHost.h"
#include "RowHeightMeter.h"
#include "RowsetBinding.h"

#include <algorithm>
#include <cmath>

namespace {

enum : DISPID {
    kCellPadding = 0x3f4,
    kCellSpacing = 0x3f5,
    kBorderStyleRow = 0x3f3,
    kAllowDelete = 0x428,
    kExpandRowsOnLoad = 0x40f,
    kRowSpacingBefore = 0x4eb,
    kRowSpacingAfter = 0x4ec,
    kExpansionIndicator = 0x89f,
    kRowSizing = 0x431,
};

IDispatch* DispatchOf(HvRow* row)
{
    return row ? static_cast<IHvRow*>(row) : nullptr;
}

LONG NotBelowZero(LONG value)
{
    return value < 0 ? 0 : value;
}

} // namespace

GridBandSeam* BandRowSource::GridBand()
{
    return band_;
}

HRESULT BandRowSource::QueryBand(IHvBand** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return band_ ? band_->QueryInterface(IID_IHvBand, reinterpret_cast<void**>(out)) : E_FAIL;
}

HRESULT BandRowSource::BandFromVariant(const VARIANT* argument, RowBandSeam** band)
{
    if (!band)
        return E_INVALIDARG;
    *band = nullptr;
    if (!argument || argument->vt == VT_ERROR || argument->vt == VT_EMPTY)
        return S_OK;
    HvLayout* layout = Layout();
    if (!layout)
        return E_FAIL;
    GridBandSeam* found = nullptr;
    const HRESULT hr = layout->BandFromVariant(*argument, &found);
    if (FAILED(hr))
        return hr;
    BandRowSource* source = OfBand(dynamic_cast<HvBand*>(found));
    if (!source)
        return E_FAIL;
    *band = source;
    return S_OK;
}

SelectionBandSeam* BandRowSource::SelectionBand()
{
    return band_;
}

SelectionLayoutSeam* BandRowSource::SelectionLayout()
{
    return Layout();
}

SelectionControlSeam* BandRowSource::SelectionControl()
{
    return grid_.SelectionControl();
}

HvLayoutHost* BandRowSource::LayoutHost()
{
    return Layout();
}

HvAppearances* BandRowSource::Appearances()
{
    HvLayout* layout = Layout();
    return layout ? layout->Appearances() : nullptr;
}

ColumnCellFace* BandRowSource::FaceOf(HvColumn* column)
{
    for (auto& face : faces_)
        if (face->Column() == column)
            return face.get();
    faces_.push_back(std::make_unique<ColumnCellFace>(column, grid_.DropDownHost()));
    return faces_.back().get();
}

HRESULT BandRowSource::MakeCell(HvRow* row, GridColumnSeam* column, HvCells*, HvKeyedItem** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    auto* hvColumn = dynamic_cast<HvColumn*>(column);
    CellGridHost* grid = grid_.CellHost();
    if (!row || !hvColumn || !grid)
        return E_FAIL;
    try {
        HvCell* cell = nullptr;
        const HRESULT hr = HvCell::Create(row, FaceOf(hvColumn), grid, &cell);
        if (FAILED(hr))
            return hr;
        *out = cell;
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

GridColumnSeam* BandRowSource::ColumnOfCell(HvKeyedItem* cell)
{
    auto* hvCell = dynamic_cast<HvCell*>(cell);
    auto* face = hvCell ? dynamic_cast<ColumnCellFace*>(hvCell->ColumnHost()) : nullptr;
    return face ? face->Column() : nullptr;
}

// --- resolved settings ----------------------------------------------------------------------

bool BandRowSource::IsExpandable()
{
    VARIANT_BOOL expandable = VARIANT_FALSE;
    return band_ && SUCCEEDED(band_->get_Expandable(&expandable)) && expandable != VARIANT_FALSE;
}

bool BandRowSource::IsEffectivelyHidden()
{
    return !band_ || band_->IsEffectivelyHidden();
}

LONG BandRowSource::ResolveExpandRowsOnLoad()
{
    return band_ ? band_->ResolveSetting(kExpandRowsOnLoad) : 0;
}

LONG BandRowSource::ResolveDefaultRowHeight()
{
    return band_ ? band_->ResolveDefaultRowHeight() : 0;
}

LONG BandRowSource::ResolveCellSpacing()
{
    return band_ ? NotBelowZero(band_->ResolveSetting(kCellSpacing)) : 0;
}

LONG BandRowSource::ResolveCellPadding()
{
    return band_ ? NotBelowZero(band_->ResolveSetting(kCellPadding)) : 0;
}

LONG BandRowSource::ResolveRowSpacingBefore()
{
    return band_ ? NotBelowZero(band_->ResolveSetting(kRowSpacingBefore)) : 0;
}

LONG BandRowSource::ResolveRowSpacingAfter()
{
    return band_ ? NotBelowZero(band_->ResolveSetting(kRowSpacingAfter)) : 0;
}

LONG BandRowSource::ResolveAllowDelete()
{
    return band_ ? band_->ResolveSetting(kAllowDelete) : 0;
}

bool BandRowSource::HasChildBands()
{
    return band_ && band_->HasChildBands(true);
}

LONG BandRowSource::ResolveExpansionIndicator()
{
    return band_ ? band_->ResolveSetting(kExpansionIndicator) : 0;
}

bool BandRowSource::ShowsIndicatorsByDefault()
{
    return HasChildBands();
}

LONG BandRowSource::LevelCount()
{
    return band_ ? band_->GetEffectiveLevelCount() : 1;
}

bool BandRowSource::HasGroups()
{
    return band_ && band_->HasGroups();
}

LONG BandRowSource::RowBorderWidth()
{
    return band_ ? HvLayout::BorderWidthFromStyle(band_->ResolveSetting(kBorderStyleRow)) : 0;
}

bool BandRowSource::IsRowSizingFixed()
{
    return band_ && band_->IsRowSizingFixed();
}

LONG BandRowSource::ResolveRowSizing()
{
    return band_ ? band_->ResolveSetting(kRowSizing) : static_cast<LONG>(hvRowSizingSychronized);
}

LONG BandRowSource::RowHeightVersion()
{
    return band_ ? band_->Version() : 0;
}

LONG BandRowSource::RowHeightResetMark()
{
    return band_ ? band_->RowHeightResetMark() : 0;
}

LONG BandRowSource::CalcNaturalHeight(HvRow* row)
{
    return band_ && row ? RowHeightMeter(*band_, *row).NaturalHeight() : 0;
}

LONG BandRowSource::CalcContentHeight(HvRow* row)
{
    return band_ && row ? RowHeightMeter(*band_, *row).ContentHeight() : 0;
}

bool BandRowSource::IsDesignMode()
{
    return grid_.IsDesignMode();
}

LONG BandRowSource::UnitsToPixelsY(float units)
{
    HvLayout* layout = Layout();
    return layout ? layout->UnitsToPixelsY(units) : static_cast<LONG>(units);
}

float BandRowSource::PixelsToUnitsY(LONG pixels)
{
    HvLayout* layout = Layout();
    return layout ? static_cast<float>(layout->PixelsToUnitsY(pixels)) : static_cast<float>(pixels);
}

bool BandRowSource::IsCurrentLayout()
{
    HvLayout* layout = Layout();
    return layout && layout->IsCurrentLayout();
}

bool BandRowSource::CanFireEvents()
{
    HvLayout* layout = Layout();
    return layout && layout->CanFireEvents(true);
}

void BandRowSource::MarkRowsDirty()
{
    RebuildRegions();
    Redraw();
}

void BandRowSource::RefreshRow(HvRow*)
{
    Redraw();
}

// --- held rows and errors -------------------------------------------------------------------

void BandRowSource::HoldRow(RowDataSeam* data)
{
    if (auto* row = dynamic_cast<RowData*>(data))
        Binding().AddRow(row);
}

void BandRowSource::ReleaseHeldRow(RowDataSeam* data)
{
    if (auto* row = dynamic_cast<RowData*>(data))
        Binding().RemoveRow(row);
}

void BandRowSource::ReportRowError(HvRow* row, HRESULT result)
{
    DataErrorInfo record(result, row ? static_cast<IHvRow*>(row) : nullptr, nullptr);
    CDualString text;
    if (SUCCEEDED(Binding().ReadOleDbErrors(1, text)))
        record.SetMessage(text);
    grid_.ReportDataError(record);
}

// --- selection and the active row -----------------------------------------------------------

HRESULT BandRowSource::SelectRow(HvRow* row, bool select)
{
    if (!band_)
        return E_FAIL;
    // Through the band's SelectTypeRow rules, as a click selects.
    row->AddRef();
    const HRESULT hr = band_->SelectRow(row, select, true);
    row->Release();
    return hr;
}

void BandRowSource::DeselectRow(HvRow* row)
{
    if (band_)
        grid_.SelectRowItem(row, false, false);
}

void BandRowSource::SetSelectionPivot(HvRow* row)
{
    grid_.SetSelectionPivot(row);
}

HvRow* BandRowSource::ActiveRow()
{
    return grid_.ActiveRow();
}

bool BandRowSource::ExitEditMode()
{
    return !grid_.LeaveEditMode(false);
}

HRESULT BandRowSource::DeactivateActiveRow()
{
    const LONG result = grid_.DeactivateActiveRow(true);
    return result == 0 ? S_OK : (result == 1 ? S_FALSE : static_cast<HRESULT>(result));
}

HRESULT BandRowSource::ResizeRow(HvRow* row, LONG pixels)
{
    float height = PixelsToUnitsY(pixels);
    const bool events = CanFireEvents();
    if (events && grid_.FireBeforeRowResize(DispatchOf(row), &height))
        return S_OK;
    if (!std::isfinite(height) || height < 0)
        return S_OK;
    // A synchronized band keeps one height for all its rows: each row takes
    // it the next time its height is asked.
    if (ResolveRowSizing() == hvRowSizingSychronized && band_)
        band_->SetSynchronizedRowHeight(std::max(UnitsToPixelsY(height), row->GetContentHeight()));
    else
        row->ApplyHeight(UnitsToPixelsY(height));
    MarkRowsDirty();
    if (events)
        grid_.FireAfterRowResize(DispatchOf(row));
    return S_OK;
}

HRESULT BandRowSource::DeleteRowWithPrompt(HvRow* row)
{
    HvLayout* layout = Layout();
    if (!layout)
        return E_FAIL;
    HvSelectedRows* rows = HvSelectedRows::Create(layout, false);
    if (!rows)
        return E_OUTOFMEMORY;
    HRESULT hr = rows->SelectRow(row, false);
    if (SUCCEEDED(hr))
        hr = layout->DeleteRowsWithPrompt(rows);
    rows->Release();
    return hr;
}

HRESULT BandRowSource::ExpandAll(HvRow* row, bool expand)
{
    if (!row)
        return E_FAIL;
    row->put_ExpandChildRowsOnLoad(expand ? hvExpandOnLoadYes : hvExpandOnLoadNo);
    return row->SetExpanded(expand, true, true);
}

HRESULT BandRowSource::ExpandHeldRows(bool expand, bool touchChildren)
{
    // Event handlers may free rows: each is held while it is visited.
    std::vector<HvRow*> rows(rows_.begin(), rows_.end());
    for (HvRow* row : rows)
        row->AddRef();
    HRESULT hr = S_OK;
    for (HvRow* row : rows) {
        if (SUCCEEDED(hr) && CAutomationObject::IsActive(row)) {
            if (touchChildren)
                hr = row->put_ExpandChildRowsOnLoad(expand ? hvExpandOnLoadYes : hvExpandOnLoadNo);
            if (SUCCEEDED(hr) && row->IsExpanded() != expand)
                hr = row->put_Expanded(expand ? VARIANT_TRUE : VARIANT_FALSE);
        }
        row->Release();
    }
    return hr;
}

// The elements and appearances of rows belong to the display.
HRESULT BandRowSource::GetRowElement(HvRow* row, VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out)
{
    return grid_.GetRowElement(row, rowRegion, colRegion, out);
}

HRESULT BandRowSource::ResolveRowAppearance(HvRow* row, VARIANT* rowRegion, IHvAppearance** out)
{
    return grid_.ResolveRowAppearance(row, rowRegion, out);
}

// --- row events -----------------------------------------------------------------------------

bool BandRowSource::FireBeforeRowExpand(HvRow* row, bool expand)
{
    return CanFireEvents() && grid_.FireBeforeRowExpand(DispatchOf(row), expand);
}

void BandRowSource::FireAfterRowExpand(HvRow* row, bool expand)
{
    if (CanFireEvents())
        grid_.FireAfterRowExpand(DispatchOf(row), expand);
}

void BandRowSource::FireInitializeRow(HvRow* row)
{
    grid_.FireInitializeRow(DispatchOf(row), !firstInitialize_);
}

bool BandRowSource::IsInitializeRowFiring()
{
    return grid_.IsEventFiring(1057);
}

bool BandRowSource::FireBeforeRowUpdate(HvRow* row)
{
    return grid_.FireBeforeRowUpdate(DispatchOf(row));
}

void BandRowSource::FireAfterRowUpdate(HvRow* row)
{
    grid_.FireAfterRowUpdate(DispatchOf(row));
}

bool BandRowSource::FireBeforeRowCancelUpdate(HvRow* row)
{
    return grid_.FireBeforeRowCancelUpdate(DispatchOf(row));
}

void BandRowSource::FireAfterRowCancelUpdate(HvRow* row)
{
    grid_.FireAfterRowCancelUpdate(DispatchOf(row));
}
