// BandRowSource: its life, its tie to the band, the row objects it makes
// and the band's binding face.
#include "BandRowSource.h"

#include "ColumnCellFace.h"
#include "HvBand.h"
#include "HvBands.h"
#include "HvLayout.h"
#include "HvRow.h"
#include "RootRowList.h"
#include "RowBatch.h"
#include "RowData.h"
#include "RowGridHost.h"
#include "RowsetBinding.h"

#include <oledberr.h>

namespace {

// Holds the control across an operation that raises events.
class ControlHold {
public:
    explicit ControlHold(RowGridHost& grid) : grid_(grid) { grid_.AddRefControl(); }
    ~ControlHold() { grid_.ReleaseControl(); }
    ControlHold(const ControlHold&) = delete;
    ControlHold& operator=(const ControlHold&) = delete;

private:
    RowGridHost& grid_;
};

} // namespace

BandRowSource::BandRowSource(RowsetBinding& binding, RowGridHost& grid) : BandRowBinding(binding), grid_(grid)
{
}

BandRowSource::~BandRowSource()
{
    RemoveListeners();
}

BandRowSource* BandRowSource::Create(RowsetBinding& binding, RowGridHost& grid)
{
    try {
        return new BandRowSource(binding, grid);
    } catch (...) {
        return nullptr;
    }
}

ULONG BandRowSource::Release()
{
    const ULONG refs = --refs_;
    if (refs == 0)
        delete this;
    return refs;
}

BandRowSource* BandRowSource::Of(BandBindingSeam* binding)
{
    return binding ? dynamic_cast<BandRowSource*>(binding) : nullptr;
}

BandRowSource* BandRowSource::OfBand(HvBand* band)
{
    return band ? Of(band->Binding()) : nullptr;
}

BandRowSource* BandRowSource::FindForBinding(HvLayout* layout, RowsetBinding* binding)
{
    HvBands* bands = layout ? layout->Bands() : nullptr;
    for (LONG i = 0; bands && binding; ++i) {
        GridBandSeam* seam = bands->BandAt(i);
        if (!seam)
            break;
        BandRowSource* source = OfBand(dynamic_cast<HvBand*>(seam));
        if (source && &source->Binding() == binding)
            return source;
    }
    return nullptr;
}

HvLayout* BandRowSource::Layout() const
{
    return band_ ? dynamic_cast<HvLayout*>(band_->OwnerLayout()) : nullptr;
}

void BandRowSource::Detach()
{
    RemoveListeners();
    band_ = nullptr;
    // Deactivating a row may let it go, which takes it out of the set.
    AddRef();
    std::vector<HvRow*> rows(rows_.begin(), rows_.end());
    for (HvRow* row : rows)
        row->AddRef();
    for (HvRow* row : rows) {
        CAutomationObject::Deactivate(row);
        row->Release();
    }
    ReleaseHeldRows();
    faces_.clear();
    Release();
}

// --- the band's binding face ----------------------------------------------------------------

void BandRowSource::AddListeners()
{
    if (listening_)
        return;
    listening_ = true;
    Binding().SetDataChangeListener(this);
    Binding().SetRowPositionListener(this);
    Binding().SetSortHook(this);
}

void BandRowSource::RemoveListeners()
{
    if (!listening_)
        return;
    listening_ = false;
    if (Binding().GetDataChangeListener() == this)
        Binding().ClearDataChangeListener();
    Binding().ClearRowPositionListener();
    if (Binding().GetSortHook() == this)
        Binding().SetSortHook(nullptr);
}

ColumnInfoSeam* BandRowSource::ColumnInfoAt(LONG index)
{
    return BandRowBinding::ColumnInfoAt(index);
}

// --- row objects ----------------------------------------------------------------------------

void BandRowSource::AttachRow(HvRow* row)
{
    if (rows_.insert(row).second)
        AddRef();
}

void BandRowSource::DetachRow(HvRow* row)
{
    if (rows_.erase(row))
        Release();
}

HvRow* BandRowSource::ExistingRowObject(RowData* data)
{
    HvRow* row = data ? data->GetRowObject() : nullptr;
    return row && CAutomationObject::IsActive(row) && rows_.count(row) ? row : nullptr;
}

HRESULT BandRowSource::GetRowObject(RowData* data, HvRow* parent, HvRow** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!data || !band_ || !grid_.MakesRows())
        return E_FAIL;
    if (HvRow* existing = ExistingRowObject(data)) {
        existing->AddRef();
        *out = existing;
        return S_OK;
    }
    // A child row hangs under its parent's row object, made first.
    HvRow* madeParent = nullptr;
    if (!parent && data->GetParentRow()) {
        BandRowSource* parentSource = OfBand(band_->Parent());
        if (!parentSource)
            return E_FAIL;
        const HRESULT hr = parentSource->GetRowObject(data->GetParentRow(), nullptr, &madeParent);
        if (FAILED(hr))
            return hr;
        parent = madeParent;
    }
    grid_.EnsureLayoutBuilt();
    HvRow* row = nullptr;
    HRESULT hr = HvRow::Create(data, parent, this, hvRowTypeBound, &row);
    if (madeParent)
        madeParent->Release();
    if (FAILED(hr))
        return hr;
    const bool first = firstInitialize_;
    firstInitialize_ = true;
    row->FireInitializeRow();
    firstInitialize_ = first;
    *out = row;
    return S_OK;
}

void BandRowSource::GetRowObjectForRecord(RowData* data)
{
    HvRow* row = nullptr;
    if (SUCCEEDED(GetRowObject(data, nullptr, &row)) && row)
        row->Release();
}

HRESULT BandRowSource::ReinitializeRows(bool recursive)
{
    if (!band_)
        return HvResult::NotActive;
    std::vector<HvRow*> rows(rows_.begin(), rows_.end());
    for (HvRow* row : rows)
        row->AddRef();
    for (HvRow* row : rows) {
        if (CAutomationObject::IsActive(row))
            row->FireInitializeRow();
        row->Release();
    }
    if (!recursive)
        return S_OK;
    HvLayout* layout = Layout();
    HvBands* bands = layout ? layout->Bands() : nullptr;
    for (LONG i = 0; bands; ++i) {
        auto* band = dynamic_cast<HvBand*>(bands->BandAt(i));
        if (!band)
            break;
        if (band->Parent() == band_)
            if (BandRowSource* child = OfBand(band))
                child->ReinitializeRows(true);
    }
    return S_OK;
}

HRESULT BandRowSource::FetchEdgeRow(bool first, RowData** out)
{
    *out = nullptr;
    RowsetBinding& binding = Binding();
    ChapterHandle chapter;
    chapter.Attach(&binding, DB_NULL_HCHAPTER, true);
    RowBatch batch(&binding, chapter, 1, false, true, true);
    if (RootRowList* list = Rows().TopLevelList(); list && list->PrepareCache())
        batch.UseCachedRows(list);
    const HRESULT hr = first ? batch.FetchFirst(0) : batch.FetchLast(0);
    if (FAILED(hr))
        return hr;
    if (batch.Count() == 0)
        return batch.AtEnd() ? DB_S_ENDOFROWSET : E_FAIL;
    return batch.Next(out, true, false);
}

HRESULT BandRowSource::HandOut(RowData* data, HvRow* parent, IHvRow** out)
{
    // The record may belong to another band's binding (a sibling across
    // bands, a child row): that band makes its row object.
    BandRowSource* source =
        data->GetBinding() == &Binding() ? this : FindForBinding(Layout(), data->GetBinding());
    if (!source)
        return E_FAIL;
    ControlHold hold(grid_);
    HvRow* row = nullptr;
    const HRESULT hr = source->GetRowObject(data, parent, &row);
    if (FAILED(hr))
        return hr;
    *out = row;
    return S_OK;
}
