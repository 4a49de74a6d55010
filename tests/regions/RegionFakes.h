// Stand-ins for the grid display and control around the scroll-region and
// view collections: regions that record what they are asked, a layout with
// settable answers, a control whose events a test decides, and visible
// headers, rows and UI elements.
#pragma once

#include "ChangePublisher.h"
#include "HvCollectionItem.h"
#include "HvColScrollRegions.h"
#include "HvObjectBaseImpl.h"
#include "InterfaceStubs.h"
#include "HvRowScrollRegions.h"
#include "HvVisibleRows.h"
#include "ScrollRegionItem.h"
#include "ScrollRegionsLayoutSeam.h"
#include "SubscriptionLink.h"
#include "VisibleItemSeam.h"

#include <Tavelle.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class RegionLayout;

// What every fake region records and answers.
struct RegionState {
    long origin = 0;
    long extent = 100;
    long clientSize = -1; // -1: the extent
    bool hidden = false;
    BYTE scrollBar = 0;
    BYTE sizing = 0;
    bool scrollBarVisible = false;
    bool hasData = false;
    std::array<BYTE, 16> identity{};
    std::vector<std::pair<long, long>> originExtentCalls;
    std::vector<float> splitSizes;
    int forcedScrollBarUpdates = 0;
    int sizeChecks = 0;
    int resetMetrics = 0;
    int recalculations = 0;
    int firstRowClears = 0;
    std::vector<std::string> dirtyCalls;
    const void* copiedFrom = nullptr;
};

template <class TInterface, class TItem>
class FakeRegion : public HvObjectBaseImpl<TInterface>,
                   public TItem,
                   public HvCollectionItem,
                   public ChangePublisher {
    using Dual = HvObjectBaseImpl<TInterface>;

public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return Dual::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return Dual::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return Dual::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // HvKeyedItem
    const CDualString* GetKey() override { return nullptr; }
    const IID* GetInterfaceId() override { return this->Info().iid; }
    CAutomationObject* GetItemObject() override { return this; }

    // ScrollRegionSeam
    bool IsHidden() const override { return state.hidden; }
    long GetSize() const override { return state.extent; }

    // ScrollRegionItem
    long Origin() const override { return state.origin; }
    long Extent() const override { return state.extent; }
    BYTE ScrollBarSetting() const override { return state.scrollBar; }
    BYTE SizingMode() const override { return state.sizing; }
    void SetOriginExtent(long origin, long extent, bool, bool) override
    {
        state.originExtentCalls.emplace_back(origin, extent);
        state.origin = origin;
        state.extent = extent;
    }
    long ClientSize() override { return state.clientSize < 0 ? state.extent : state.clientSize; }
    HRESULT Split(float* size, ScrollRegionItem** made) override;
    void UpdateScrollBar(bool force) override { state.forcedScrollBarUpdates += force ? 1 : 0; }
    bool IsScrollBarVisible(int) override { return state.scrollBarVisible; }
    void CheckSizeChanged() override { ++state.sizeChecks; }
    void CopySettingsFrom(ScrollRegionItem& source) override;
    bool HasDataForCategories(long) override { return state.hasData; }
    void AssertValid() override {}

    // HvCollectionItem: origin, extent, scroll bar, sizing, hidden.
    STDMETHODIMP Save(IStream* stream, LONG arg) override;
    STDMETHODIMP Load(IStream* stream, LONG arg) override;

    // ChangePublisher
    int KindCode() const override { return this->ObjectType(); }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }

    void Publish(DISPID what) { this->NotifySubscribers(what, 0); }
    IDispatch* Dispatch() { return static_cast<TInterface*>(this); }

    RegionState state;
    static int live;

protected:
    FakeRegion(int objectType, RegionLayout& layout, ChangeSubscriber* subscriber);
    ~FakeRegion() override;
    void ReleaseReferences() override { link_.Unlink(); }

    RegionLayout& layout_;

private:
    SubscriptionLink link_;
};

class FakeColRegion final : public FakeRegion<IHvColScrollRegionStub, ColScrollRegionItem> {
public:
    FakeColRegion(RegionLayout& layout, ChangeSubscriber* subscriber)
        : FakeRegion(ObjectType::HvColScrollRegion, layout, subscriber)
    {
    }
    IHvColScrollRegion* Interface() { return this; }
    void SetDirty(bool dirty, bool resetPosition, bool markRoot) override;
    const BYTE* IdentityBlock() const override { return state.identity.data(); }
    void ResetMetrics() override { ++state.resetMetrics; }
    void Recalculate() override { ++state.recalculations; }
};

class FakeRowRegion final : public FakeRegion<IHvRowScrollRegionStub, RowScrollRegionItem> {
public:
    FakeRowRegion(RegionLayout& layout, ChangeSubscriber* subscriber)
        : FakeRegion(ObjectType::HvRowScrollRegion, layout, subscriber)
    {
    }
    IHvRowScrollRegion* Interface() { return this; }
    ~FakeRowRegion() override;
    void SetDirty(bool dirty, bool reset) override;
    void ClearFirstRow() override { ++state.firstRowClears; }
    HvVisibleRows* VisibleRows() override { return visibleRows; }

    HvVisibleRows* visibleRows = nullptr; // one reference when set
};

// A COM identity whose references a test can count.
class CountedUnknown final : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    ULONG refs = 1;
};

class RegionControl final : public RegionControlSeam {
public:
    IUnknown* ControlUnknown() override { return &identity; }
    bool HasEventGate() override { return hasGate; }
    bool IsEventFiring(DISPID event) override;
    bool FireBeforeColRegionRemoved(IDispatch* region) override { return Fire("BeforeColRegionRemoved", region, nullptr); }
    bool FireBeforeRowRegionRemoved(IDispatch* region) override { return Fire("BeforeRowRegionRemoved", region, nullptr); }
    bool FireBeforeColRegionSize(IDispatch* a, IDispatch* b) override { return Fire("BeforeColRegionSize", a, b); }
    bool FireBeforeRowRegionSize(IDispatch* a, IDispatch* b) override { return Fire("BeforeRowRegionSize", a, b); }

    struct Event {
        std::string name;
        IDispatch* first;
        IDispatch* second;
        ULONG controlRefs; // references on the control while it fired
    };
    CountedUnknown identity;
    bool hasGate = true;
    bool cancel = false;
    std::vector<DISPID> firing;
    std::vector<Event> events;
    std::function<void()> duringEvent;

private:
    bool Fire(const char* name, IDispatch* first, IDispatch* second);
};

class RegionLayout final : public ScrollRegionsLayoutSeam {
public:
    RegionLayout() = default;
    ~RegionLayout();
    RegionLayout(const RegionLayout&) = delete;
    RegionLayout& operator=(const RegionLayout&) = delete;

    RegionControlSeam* Control() override { return control; }
    short MaxColScrollRegions() override { return maxCol; }
    short MaxRowScrollRegions() override { return maxRow; }
    ColScrollRegionItem* CreateColScrollRegion(ChangeSubscriber* subscriber) override;
    RowScrollRegionItem* CreateRowScrollRegion(ChangeSubscriber* subscriber) override;
    HvRowScrollRegions* RowScrollRegions() override { return rows; }
    void DirtyRootUIElement(bool first, bool second) override { dirtyRoot.emplace_back(first, second); }
    void FitToClientRect() override { ++fits; }
    short SplitterBarWidth() override { return 7; }
    // 15 twips per pixel.
    double PixelsToUnitsX(long pixels) override { return pixels * 15.0; }
    double PixelsToUnitsY(long pixels) override { return pixels * 15.0; }
    bool DataAreaInnerRect(RECT* rect) override;
    void UpdateTotalBandExtent() override { ++bandExtentUpdates; }
    bool IsGridWindowVisible() override { return gridVisible; }
    void RepositionEditWindow() override { ++editRepositions; }

    // Makes both collections (released by the destructor).
    void MakeCollections();
    FakeColRegion* Col(LONG position) const;
    FakeRowRegion* Row(LONG position) const;

    RegionControlSeam* control = nullptr;
    short maxCol = 0;
    short maxRow = 0;
    bool failCreate = false;
    bool hasDataArea = false;
    RECT dataArea{};
    bool gridVisible = false;
    std::vector<std::pair<bool, bool>> dirtyRoot;
    int fits = 0;
    int bandExtentUpdates = 0;
    int editRepositions = 0;
    HvColScrollRegions* cols = nullptr;
    HvRowScrollRegions* rows = nullptr;
};

// A visible header, visible row or UI element: an object of the library
// with one reference count, answering its own interface.
template <class TInterface, class TItem>
class FakeViewItem : public HvObjectBaseImpl<TInterface>, public TItem, public HvCollectionItem {
    using Dual = HvObjectBaseImpl<TInterface>;

public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return Dual::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return Dual::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return Dual::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override
    {
        if (out && IsEqualIID(iid, IID_HvCollectionItem)) {
            *out = static_cast<HvCollectionItem*>(this);
            CUnknownObject::AddRef();
            return S_OK;
        }
        return Dual::InternalQueryInterface(iid, out);
    }

    const CDualString* GetKey() override { return nullptr; }
    const IID* GetInterfaceId() override { return this->Info().iid; }
    CAutomationObject* GetItemObject() override { return this; }

    STDMETHODIMP Save(IStream* stream, LONG) override
    {
        ULONG written = 0;
        return stream->Write(&tag, sizeof tag, &written);
    }
    STDMETHODIMP Load(IStream*, LONG) override { return E_FAIL; }

    LONG tag = 0;

protected:
    explicit FakeViewItem(int objectType) : Dual(objectType) {}
};

class FakeHeader final : public FakeViewItem<IHvHeaderStub, HvKeyedItem> {
public:
    explicit FakeHeader(LONG value) : FakeViewItem(ObjectType::HvHeader) { tag = value; }
};

class FakeUIElement final : public FakeViewItem<IHvUIElement, HvKeyedItem> {
public:
    explicit FakeUIElement(LONG value) : FakeViewItem(ObjectType::HvUIElement) { tag = value; }

    // Only the collection's side of an element is used here.
    STDMETHODIMP get_Rect(IHvUIRect**) override { return E_NOTIMPL; }
    STDMETHODIMP get_RectDisplayed(IHvUIRect**) override { return E_NOTIMPL; }
    STDMETHODIMP get_Type(Constants_UIElement*) override { return E_NOTIMPL; }
    STDMETHODIMP get_Layout(IHvLayout**) override { return E_NOTIMPL; }
    STDMETHODIMP get_RowScrollRegion(IHvRowScrollRegion**) override { return E_NOTIMPL; }
    STDMETHODIMP get_ColScrollRegion(IHvColScrollRegion**) override { return E_NOTIMPL; }
    STDMETHODIMP get_Band(IHvBand**) override { return E_NOTIMPL; }
    STDMETHODIMP get_Header(IHvHeader**) override { return E_NOTIMPL; }
    STDMETHODIMP get_Row(IHvRow**) override { return E_NOTIMPL; }
    STDMETHODIMP get_Cell(IHvCell**) override { return E_NOTIMPL; }
    STDMETHODIMP get_ParentUIElement(IHvUIElement**) override { return E_NOTIMPL; }
    STDMETHODIMP get_UIElements(IHvUIElements**) override { return E_NOTIMPL; }
    STDMETHODIMP get_DrawState(Constants_DrawState*) override { return E_NOTIMPL; }
    STDMETHODIMP Refresh() override { return E_NOTIMPL; }
    STDMETHODIMP ResolveUIElement(Constants_UIElement, IHvUIElement**) override { return E_NOTIMPL; }
    STDMETHODIMP CanResolveUIElement(Constants_UIElement, VARIANT_BOOL*) override { return E_NOTIMPL; }
};

// A row object that counts its references.
class FakeRow final : public FakeViewItem<IHvRowStub, HvKeyedItem> {
public:
    explicit FakeRow(LONG value) : FakeViewItem(ObjectType::HvRow) { tag = value; ++live; }
    ~FakeRow() override { --live; }
    static int live;
};

class FakeVisibleRow final : public FakeViewItem<IHvRowStub, VisibleRowItem> {
public:
    FakeVisibleRow(FakeRow* row, FakeVisibleRow* previous);
    ~FakeVisibleRow() override;
    IUnknown* RowObject() override { return row_ ? static_cast<IHvRow*>(row_) : nullptr; }
    FakeVisibleRow* previous; // not referenced

private:
    FakeRow* row_; // referenced
};

// A region's list of visible headers: null entries make no header.
class HeaderSource final : public VisibleHeaderSource {
public:
    explicit HeaderSource(std::vector<LONG> tags) : tags_(std::move(tags)) {}
    LONG EntryCount() const override { return static_cast<LONG>(tags_.size()); }
    HvKeyedItem* CreateVisibleHeader(LONG entry) override;

private:
    std::vector<LONG> tags_; // a negative tag makes no header
};

class RowSource final : public VisibleRowSource {
public:
    explicit RowSource(std::vector<FakeRow*> rows) : rows_(std::move(rows)) {}
    LONG EntryCount() const override { return static_cast<LONG>(rows_.size()); }
    HvKeyedItem* CreateVisibleRow(LONG entry, HvKeyedItem* previous) override;

private:
    std::vector<FakeRow*> rows_; // a null entry makes no visible row
};

// Short ways to build arguments.
VARIANT I4(long value);
VARIANT Text(const wchar_t* text); // the caller clears it
VARIANT Object(IDispatch* object); // not add-ref'd
