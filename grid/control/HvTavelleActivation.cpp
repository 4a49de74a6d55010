// The grid control's active row as its row activation sees it: the row
// events, the first band's rowset position and the look of the active row;
// and the control's error reports with their Error event.
#include "HvTavelle.h"

#include "ActiveRowManager.h"
#include "BandRowSource.h"
#include "DualString.h"
#include "ErrorReporter.h"
#include "EventEnableMask.h"
#include "HvBand.h"
#include "HvLayout.h"
#include "HvRow.h"
#include "RowData.h"
#include "RowRecordSeam.h"
#include "RowsetBinding.h"

#include <oledberr.h>

#include <memory>


// --- the active row -------------------------------------------------------------------------

HvRow* HvTavelle::GetActiveRow()
{
    ActivationRow* row = rowActivation_ ? rowActivation_->GetActiveRow() : nullptr;
    if (!row)
        activeCell_ = nullptr;
    return static_cast<HvRow*>(row);
}

LONG HvTavelle::ChangeActiveRow(HvRow* row)
{
    const LONG result = rowActivation_->ChangeActiveRow(row);
    // A refusal that comes back from the data source's row position is a
    // cancel like any other.
    return result == DB_E_CANCELED ? 1 : result;
}

void HvTavelle::FireBeforeRowActivate(IDispatch* row)
{
    if (gate_ && CanFireEvents())
        gate_->Fire_BeforeRowActivate(row);
}

bool HvTavelle::FireBeforeRowDeactivate()
{
    return gate_ && CanFireEvents() && gate_->Fire_BeforeRowDeactivate();
}

void HvTavelle::FireAfterRowActivate()
{
    if (gate_ && CanFireEvents())
        gate_->Fire_AfterRowActivate();
}

void HvTavelle::RefreshRowLook(ActivationRow*)
{
    if (layout_)
        layout_->DirtyRootUIElement(true, true);
}

void HvTavelle::RefreshRowElement(ActivationRow*)
{
    if (layout_)
        layout_->DirtyRootUIElement(true, true);
}

// The scroll regions bring a row into view when they lay out; the row
// asked for is shown by the next layout of the display.
void HvTavelle::BringRowIntoView(ActivationRow*)
{
    if (layout_)
        layout_->MarkRowScrollRegionsDirty();
}

BandRowSource* HvTavelle::FirstBandSource()
{
    auto* band = layout_ ? dynamic_cast<HvBand*>(layout_->GetFirstBand()) : nullptr;
    return BandRowSource::OfBand(band);
}

bool HvTavelle::HasFirstBand()
{
    return FirstBandSource() != nullptr;
}

bool HvTavelle::FirstBandKeepsPositionMark()
{
    BandRowSource* source = FirstBandSource();
    return source && source->KeepsPositionMark();
}

ActivationRow* HvTavelle::FirstBandCurrentRow()
{
    BandRowSource* source = FirstBandSource();
    if (!source || !source->KeepsPositionMark())
        return nullptr;
    RowsetBinding& binding = source->Binding();
    HCHAPTER chapter = DB_NULL_HCHAPTER;
    std::unique_ptr<RowBookmark> current;
    DBPOSITIONFLAGS flags = DBPOSITION_NOROW;
    RowRecordSeam* records = binding.GetRowRecords();
    if (!records || FAILED(binding.GetRowPosition(&chapter, &current, &flags)) || !current)
        return nullptr;
    RowData* data = records->FindOrMakeRow(binding, current->GetRowHandle(true), current->Chapter(), false);
    if (!data)
        return nullptr;
    HvRow* row = nullptr;
    source->GetRowObject(data, nullptr, &row);
    records->ReleaseRow(data);
    return row;
}

ActivationRow* HvTavelle::FetchFirstRow()
{
    HvRow* row = nullptr;
    FetchEdgeRow(true, &row);
    return row;
}

// --- error reports --------------------------------------------------------------------------

ErrorReporter& HvTavelle::Reporter()
{
    if (!reporter_)
        reporter_ = std::make_unique<ErrorReporter>(*this, this);
    return *reporter_;
}

void HvTavelle::ShowMessage(HWND, const wchar_t* text, const wchar_t* caption, UINT style)
{
    AskUser(text, caption, style);
}

bool HvTavelle::LayoutCanFireEvents()
{
    return layout_ && layout_->CanFireEvents(true);
}

void HvTavelle::FireError(IDispatch* error)
{
    if (gate_)
        gate_->Fire_Error(error);
}

HRESULT HvTavelle::ReportMessage(long code, const wchar_t* text, const wchar_t* caption)
{
    CDualString description(text ? text : L"");
    Reporter().ReportGenericError(code, description, caption ? caption : L"");
    return code;
}
