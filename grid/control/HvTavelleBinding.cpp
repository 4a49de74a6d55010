// The grid control's data binding: DataSource and DataMember, opening the
// rowset of the data member, building the bands and columns from the
// rowset's columns (a child band per chapter column), and letting go of it.
#include "HvTavelle.h"

#include "ActiveRowManager.h"
#include "BandRowSource.h"
#include "ColumnInfo.h"
#include "ErrorReporter.h"
#include "EventEnableMask.h"
#include "Guarded.h"
#include "HvBand.h"
#include "HvBands.h"
#include "HvColScrollRegions.h"
#include "HvColumn.h"
#include "HvLayout.h"
#include "RootRowsetBinding.h"

namespace {

constexpr DISPID InitializeLayoutId = 1056;
constexpr DISPID DataMemberId = 2120;
constexpr HRESULT ReadOnlyInEvent = static_cast<HRESULT>(0x800A9C58);
constexpr WORD ReadOnlyInEventString = 4014;

// The binding's deleting release: its notifications stop first, since the
// provider's connection points hold references on it.
void DeleteBinding(RootRowsetBinding* binding)
{
    if (!binding)
        return;
    binding->Close();
    binding->Release();
}

DataSource* DataSourceOf(IUnknown* object)
{
    DataSource* source = nullptr;
    if (object)
        object->QueryInterface(IID_DataSource, reinterpret_cast<void**>(&source));
    return source;
}

} // namespace

// The control's DataSourceListener, reference counted on its own: the data
// source holds it while it listens, the control from its first use to its
// end. The control stops listening before it goes.
class HvTavelle::ListenerObject final : public IUnknown {
public:
    explicit ListenerObject(DataMemberHost& host) : listener_(this, host) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown))
            *out = static_cast<IUnknown*>(this);
        else if (IsEqualIID(iid, IID_DataSourceListener))
            *out = static_cast<DataSourceListener*>(&listener_);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG refs = --refs_;
        if (refs == 0)
            delete this;
        return refs;
    }
    DataSourceListener* Listener() { return &listener_; }

private:
    ~ListenerObject() = default;
    ULONG refs_ = 1;
    DataMemberListener listener_;
};

DataSourceListener* HvTavelle::Listener()
{
    if (!listener_)
        listener_ = new ListenerObject(*this);
    return listener_->Listener();
}

void HvTavelle::ReleaseListener()
{
    StopListening();
    if (listener_)
        listener_->Release();
    listener_ = nullptr;
}

// --- DataSource and DataMember ----------------------------------------------------------------

STDMETHODIMP HvTavelle::get_DataSource(DataSource** Source)
{
    if (!Source)
        return E_INVALIDARG;
    *Source = nullptr;
    if (dataSource_)
        return dataSource_->QueryInterface(IID_DataSource, reinterpret_cast<void**>(Source));
    return S_OK;
}

// Typed with the published interface, the argument may be any rowset
// object or a script's IDispatch, handed through unchanged: it is taken as
// IUnknown and asked for what it offers.
STDMETHODIMP HvTavelle::putref_DataSource(DataSource* Source)
{
    return Guarded([&]() -> HRESULT {
        if (gate_ && gate_->IsEventFiring(InitializeLayoutId))
            return Exception(ReadOnlyInEvent, ReadOnlyInEventString);
        auto* object = reinterpret_cast<IUnknown*>(Source);
        if (IsDesignMode()) {
            DetachDataSource(true);
            dataSource_ = DataSourceOf(object);
            bindingPending_ = dataSource_ != nullptr;
            return object && !dataSource_ ? E_NOINTERFACE : S_OK;
        }
        if (object)
            object->AddRef();
        LeaveEditMode(true);
        HRESULT result = S_OK;
        if (!object) {
            DetachDataSource(true);
        } else {
            auto* binding = new RootRowsetBinding(this, false, true);
            const HRESULT opened = OpenRowsetForBinding(binding, object, DataMemberText().c_str());
            if (FAILED(opened) || opened == RootRowsetBinding::kNothingToOpen) {
                DeleteBinding(binding);
                DetachDataSource(false);
                if (FAILED(opened))
                    ReportBindingFailure(opened);
            } else {
                result = AttachDataSource(object, binding);
            }
        }
        RefreshAfterBind();
        if (object)
            object->Release();
        return result;
    });
}

STDMETHODIMP HvTavelle::get_DataMember(BSTR* Name)
{
    if (!Name)
        return E_INVALIDARG;
    *Name = dataMember_.AllocSysString();
    if (!*Name)
        *Name = SysAllocString(L"");
    return *Name ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP HvTavelle::put_DataMember(BSTR Name)
{
    return Guarded([&]() -> HRESULT {
        const std::wstring text(Name ? Name : L"");
        if (text == DataMemberText())
            return S_OK;
        dataMember_ = CDualString(text.c_str());
        PropertyChangedNotice(DataMemberId);
        const bool held = dataSource_ != nullptr;
        const HRESULT hr = RebindDataMember(true);
        // A member of the source held that cannot be opened is reported;
        // the put itself holds. Without a source there is nothing to open.
        if (FAILED(hr) && held)
            ReportBindingFailure(hr);
        RefreshAfterBind();
        return S_OK;
    });
}

std::wstring HvTavelle::DataMemberText()
{
    BSTR wide = dataMember_.AllocSysString();
    std::wstring text(wide ? wide : L"");
    SysFreeString(wide);
    return text;
}

const wchar_t* HvTavelle::BoundDataMember()
{
    boundMemberText_ = DataMemberText();
    return boundMemberText_.c_str();
}

void HvTavelle::ReportBindingFailure(HRESULT code)
{
    if (layout_ && layout_->CanFireEvents(true))
        Reporter().ReportBindingError(code);
    else if (m_window)
        ::PostMessageW(m_window, MsgBindingFailed, 0, static_cast<LPARAM>(code));
}

// --- opening and attaching ------------------------------------------------------------------

HRESULT HvTavelle::OpenRowsetForBinding(RootRowsetBinding* binding, IUnknown* object, const wchar_t* member)
{
    if (!binding || !object)
        return E_FAIL;
    if (DataSource* source = DataSourceOf(object)) {
        source->Release();
        return binding->OpenDataMember(object, member);
    }
    return binding->Open(object);
}

HRESULT HvTavelle::AttachDataSource(IUnknown* object, RootRowsetBinding* binding)
{
    // The detach below may release the control's own hold on the object.
    if (object)
        object->AddRef();
    CUnknownObject::AddRef();
    ClearAllSelections();
    LeaveEditMode(true);
    if (HvRow* active = GetActiveRow(); active && updateMode_ != 2)
        active->Update();
    DeactivateActiveCell(false, true);
    rowActivation_->Clear();

    HRESULT result = S_OK;
    if (rootBinding_ && object && rootBinding_->HasSameColumns(*binding)) {
        // The bands stay: only the rows come from the new rowset.
        ReplaceBandBindings(binding);
        DeleteBinding(rootBinding_);
        rootBinding_ = binding;
        HoldDataSource(DataSourceOf(object));
        if (layout_ && layout_->Bands())
            layout_->Bands()->UpdateAllBands();
        ActivateFirstRow(true);
    } else {
        DataSource* source = object ? DataSourceOf(object) : nullptr;
        if (!object && dataSource_) {
            // A new data member of the source held: it stays held.
            source = dataSource_;
            source->AddRef();
        }
        DetachDataSource(object != nullptr);
        rootBinding_ = binding;
        HoldDataSource(source);
        result = BuildBandsFromBinding();
        if (SUCCEEDED(result)) {
            RebuildLayout(true);
            if (layout_ && layout_->Bands())
                layout_->Bands()->UpdateAllBands();
            if (!IsDesignMode())
                ActivateFirstRow(true);
        }
    }
    if (layout_) {
        layout_->DirtyRootUIElement(true, true);
        layout_->DiscardViewStyleObject();
    }
    CUnknownObject::Release();
    if (object)
        object->Release();
    return result;
}

// Takes over a data source reference (null: none) and listens to it,
// unless the container offers a bind host.
void HvTavelle::HoldDataSource(DataSource* source)
{
    if (source == dataSource_) {
        if (source)
            source->Release();
        return;
    }
    StopListening();
    if (dataSource_)
        dataSource_->Release();
    dataSource_ = source;
    if (dataSource_ && !HasBindHost() && SUCCEEDED(dataSource_->addDataSourceListener(Listener())))
        listening_ = true;
}

void HvTavelle::StopListening()
{
    if (dataSource_ && listening_ && listener_)
        dataSource_->removeDataSourceListener(listener_->Listener());
    listening_ = false;
}

HRESULT HvTavelle::DetachDataSource(bool silent)
{
    StopListening();
    if (silent) {
        activeCell_ = nullptr;
        rowActivation_->Clear();
        ClearBands();
        if (dataSource_)
            dataSource_->Release();
        dataSource_ = nullptr;
    } else {
        put_ActiveRow(nullptr);
        rowActivation_->Clear();
        ClearBands();
    }
    DeleteBinding(rootBinding_);
    rootBinding_ = nullptr;
    return S_OK;
}

HRESULT HvTavelle::BindDataSource()
{
    // Only a source given at design time waits for its bands.
    if (!bindingPending_)
        return S_OK;
    DataSource* source = dataSource_;
    if (source)
        source->AddRef();
    DetachDataSource(false);
    bindingPending_ = false;
    auto* binding = new RootRowsetBinding(this, IsDesignMode(), true);
    HRESULT hr = OpenRowsetForBinding(binding, source, DataMemberText().c_str());
    if (FAILED(hr) || hr == RootRowsetBinding::kNothingToOpen) {
        DeleteBinding(binding);
        if (source)
            source->Release();
        return FAILED(hr) ? hr : S_OK;
    }
    const HRESULT attached = AttachDataSource(source, binding);
    if (source)
        source->Release();
    if (FAILED(attached))
        return hr;
    if (rootBinding_) {
        hr = rootBinding_->Initialize();
        if (layout_)
            layout_->DirtyRootUIElement(true, true);
    }
    return hr;
}

HRESULT HvTavelle::RebindDataMember(bool detachOnFailure)
{
    if (updateMode_ != 2)
        if (HvRow* active = GetActiveRow())
            active->Update();
    auto* binding = new RootRowsetBinding(this, IsDesignMode(), true);
    HRESULT hr = OpenRowsetForBinding(binding, dataSource_, DataMemberText().c_str());
    if (FAILED(hr) || hr == RootRowsetBinding::kNothingToOpen) {
        DeleteBinding(binding);
        if (detachOnFailure)
            DetachDataSource(false);
        return FAILED(hr) ? hr : S_OK;
    }
    return AttachDataSource(nullptr, binding);
}

// --- bands and columns ----------------------------------------------------------------------

HRESULT HvTavelle::BuildBandsFromBinding()
{
    if (!layout_)
        return E_FAIL;
    HvBand* band = nullptr;
    const std::wstring key = DataMemberText();
    CDualString bandKey(key.c_str());
    HRESULT hr = CreateBandForBinding(rootBinding_, &bandKey, nullptr, nullptr, &band);
    if (SUCCEEDED(hr) && layout_->PendingBands()) {
        // Settings kept from a loaded layout go onto the new bands; that
        // is no change of the control's own state.
        const bool dirty = IsDirtyState();
        layout_->CopyPendingBands();
        SetDirty(dirty);
    }
    return hr;
}

HRESULT HvTavelle::CreateBandForBinding(RowsetBinding* binding, const CDualString* key, HvBand* parent,
                                        HvColumn* parentColumn, HvBand** out)
{
    *out = nullptr;
    HvBands* bands = layout_ ? layout_->Bands() : nullptr;
    if (!binding || !bands)
        return E_FAIL;
    BandRowSource* source = BandRowSource::Create(*binding, *this);
    if (!source)
        return E_OUTOFMEMORY;
    sources_.push_back(source);
    HvBand* band = nullptr;
    HRESULT hr = HvBand::Create(layout_, bands, source, parent, key, &band);
    if (FAILED(hr))
        return hr;
    source->SetBand(band);
    hr = bands->InsertVectorCollectionItem(-1, band, false, 0);
    if (FAILED(hr)) {
        CAutomationObject::Deactivate(band);
        band->Release();
        return hr;
    }
    if (parentColumn)
        band->SetParentColumn(parentColumn);
    *out = band;
    return AddBandColumns(band, binding);
}

HRESULT HvTavelle::AddBandColumns(HvBand* band, RowsetBinding* binding)
{
    ColumnInfo* info = binding->GetFirstColumn();
    if (!info)
        return E_FAIL;
    for (; info; info = binding->GetNextColumn(info)) {
        GridColumnSeam* seam = nullptr;
        HRESULT hr = band->AddColumn(&info->GetName(), &seam);
        auto* column = dynamic_cast<HvColumn*>(seam);
        if (FAILED(hr) || !column)
            return FAILED(hr) ? hr : E_FAIL;
        column->AttachColumnInfo(info);
        HvBand* child = nullptr;
        if (info->IsChapter() && info->GetChildBinding()) {
            hr = CreateBandForBinding(info->GetChildBinding(), &info->GetName(), band, column, &child);
            if (FAILED(hr))
                return hr;
        }
        column->SetChildBand(child);
    }
    return S_OK;
}

// Same columns, new rowset: each band takes the binding that stands where
// its old one stood, in the order the bands were made.
void HvTavelle::ReplaceBandBindings(RootRowsetBinding* binding)
{
    std::vector<RowsetBinding*> order;
    CollectBindings(binding, order);
    std::vector<BandRowSource*> old;
    old.swap(sources_);
    HvBands* bands = layout_ ? layout_->Bands() : nullptr;
    for (size_t i = 0; i < order.size(); ++i) {
        auto* band = bands ? dynamic_cast<HvBand*>(bands->BandAt(static_cast<LONG>(i))) : nullptr;
        BandRowSource* source = BandRowSource::Create(*order[i], *this);
        if (!source)
            continue;
        sources_.push_back(source);
        source->SetBand(band);
        if (band)
            band->SetRowsetBinding(source);
    }
    for (BandRowSource* source : old) {
        source->Detach();
        source->Release();
    }
    if (bands)
        bands->InvalidateAll();
}

void HvTavelle::CollectBindings(RowsetBinding* binding, std::vector<RowsetBinding*>& order)
{
    order.push_back(binding);
    for (ColumnInfo* info = binding->GetFirstColumn(); info; info = binding->GetNextColumn(info))
        if (info->IsChapter() && info->GetChildBinding())
            CollectBindings(info->GetChildBinding(), order);
}

void HvTavelle::ClearBands()
{
    // The rows go before their bands, the bands before their sources.
    std::vector<BandRowSource*> sources;
    sources.swap(sources_);
    for (BandRowSource* source : sources)
        source->Detach();
    if (HvBands* bands = layout_ ? layout_->Bands() : nullptr) {
        for (LONG i = 0;; ++i) {
            GridBandSeam* band = bands->BandAt(i);
            if (!band)
                break;
            CAutomationObject::Deactivate(band->BandItem()->GetItemObject());
        }
        bands->ClearCollection(true, 0);
    }
    for (BandRowSource* source : sources)
        source->Release();
}

void HvTavelle::RefreshAfterBind()
{
    if (!layout_)
        return;
    if (HvColScrollRegions* regions = layout_->ColScrollRegions())
        regions->MarkAllScrollRegionsDirty(false);
    layout_->MarkRowScrollRegionsDirty();
    Refresh(nullptr);
}
