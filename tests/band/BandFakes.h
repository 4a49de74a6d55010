// Stand-ins for what a band works with: its layout (all the layout faces a
// band asks for, with settable answers), columns and groups that answer the
// band's header layout, a rowset binding, a grid and a UI element.
#pragma once

#include "BandBindingSeam.h"
#include "BandGridSeam.h"
#include "BandHeaderItem.h"
#include "BandLayoutSeam.h"
#include "BandsLayoutSeam.h"
#include "ChangeNotice.h"
#include "ChangeSubscriber.h"
#include "DualString.h"
#include "GridColumnSeam.h"
#include "GridGroupSeam.h"
#include "HvKeyedItem.h"
#include "HvLayoutHost.h"
#include "HvObjectBaseImpl.h"
#include "HvPersistParticipant.h"
#include "OverrideLayoutSeam.h"
#include "OwnedElementSeam.h"
#include "PropertySinkConnection.h"
#include "SelectionLayoutSeam.h"
#include "SubscriptionLink.h"

#include <map>
#include <string>
#include <vector>

class HvBand;
class HvBands;
class HvGroupCols;
class HvOverride;

// A column or group header item: width, hidden flag, and the position the
// band's header layout gives it.
struct FakeHeaderState : public BandHeaderItem {
    bool IsHiddenItem() override { return hidden; }
    LONG GetWidth(bool) override { return hidden ? 0 : width; }
    void SetStoredOrigin(LONG offset) override { origin = offset; }
    void SetFirstItem(bool value) override { first = value; }
    void SetLastItem(bool value) override { last = value; }
    void GetCaption(CDualString& text) override { text.AssignWide(caption.c_str()); }

    LONG width = 100;
    bool hidden = false;
    LONG origin = -1;
    bool first = false;
    bool last = false;
    std::wstring caption;
};

class FakeColumn final : public HvObjectBaseImpl<IHvObjectBase>,
                         public HvKeyedItem,
                         public GridColumnSeam,
                         public FakeHeaderState,
                         public HvPersistParticipant {
public:
    static FakeColumn* Create(HvBand* band, const CDualString* key);
    static int live;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override
    {
        if (out && IsEqualIID(iid, IID_IHvObjectBase)) {
            *out = static_cast<IHvObjectBase*>(this);
            CUnknownObject::AddRef();
            return S_OK;
        }
        return CDualObject::InternalQueryInterface(iid, out);
    }

    const CDualString* GetKey() override { return &key; }
    const IID* GetInterfaceId() override { return &IID_IHvObjectBase; }
    CAutomationObject* GetItemObject() override { return this; }

    HvKeyedItem* ColumnItem() override { return this; }
    HvPersistParticipant* Participant() override { return this; }
    bool IsBound() override { return false; }
    LONG DataType() override { return 8; }
    LONG GetCollectionIndex() override { return -1; }
    bool IsSameKey(GridColumnSeam* other) override;
    LONG ResolveStyle() override { return style; }
    bool SetHeaderCaption(BSTR text) override;
    LONG HeaderPictureHeight() override { return pictureHeight; }
    LONG HeaderFontHeight() override { return fontHeight; }
    SHORT Level() override { return 0; }
    void SetLevel(SHORT, bool) override {}
    void GetPositionRecord(SHORT* position, SHORT* level) override;
    HRESULT JoinGroup(GridGroupSeam*, VARIANT*, VARIANT*) override { return S_OK; }
    HRESULT LeaveGroup() override { ++leaves; return S_OK; }
    void SetGroup(GridGroupSeam*, SHORT) override {}
    LONG Width() override { return width; }
    LONG MaxWidth() override { return 0; }
    LONG GetMinWidth() override { return 10; }
    bool ProportionalResize() override { return false; }
    bool IsWidthLocked(GridColumnSeam*, bool) override { return false; }
    bool IsExcludedFromResize(GridColumnSeam*) override { return false; }
    void SetWidthInternal(LONG value, GridColumnSeam*, bool) override { width = value; }
    void StoreWidth(LONG value) override { width = value; }

    // BandHeaderItem
    bool IsGroup() const override { return false; }

    // HvPersistParticipant: one value, saved when not 0.
    LONG ParticipantKind() const override { return 23; }
    DWORD Signature() const override { return 1; }
    bool HasData(DWORD, LONG) override { return value != 0; }
    HRESULT Save(DWORD, IStream* stream, LONG) override { return WriteBytes(stream, &value, sizeof value); }
    HRESULT Load(DWORD, IStream* stream, LONG) override { return ReadBytes(stream, &value, sizeof value); }
    void Reset(DWORD, LONG) override { value = 0; }
    HRESULT CopyFrom(DWORD, HvPersistParticipant& source, LONG) override;

    CDualString key;
    LONG style = 1;
    LONG pictureHeight = 0;
    LONG fontHeight = 0;
    LONG value = 0;
    int leaves = 0;

private:
    explicit FakeColumn(const CDualString* key);
    ~FakeColumn() override;
};

class FakeGroup final : public HvObjectBaseImpl<IHvObjectBase>,
                        public HvKeyedItem,
                        public GridGroupSeam,
                        public FakeHeaderState,
                        public HvPersistParticipant {
public:
    static FakeGroup* Create(HvBand* band, const CDualString* key);
    static int live;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override
    {
        if (out && IsEqualIID(iid, IID_IHvObjectBase)) {
            *out = static_cast<IHvObjectBase*>(this);
            CUnknownObject::AddRef();
            return S_OK;
        }
        return CDualObject::InternalQueryInterface(iid, out);
    }

    const CDualString* GetKey() override { return &key; }
    const IID* GetInterfaceId() override { return &IID_IHvObjectBase; }
    CAutomationObject* GetItemObject() override { return this; }

    HvKeyedItem* GroupItem() override { return this; }
    HvPersistParticipant* Participant() override { return this; }
    GridBandSeam* Band() override;
    HvGroupCols* GetGroupCols(bool) override { return nullptr; }
    bool SetHeaderCaption(BSTR) override { return true; }
    LONG Width() override { return width; }
    void StoreWidth(LONG value) override { width = value; }
    void RecalcWidth(LONG value, GridColumnSeam*, LONG, LONG, bool) override { width = value; }
    void InvalidateLayout() override {}
    bool RemoveFromBand() override { return false; }
    LONG HeaderPictureHeight() override { return 0; }
    LONG HeaderFontHeight() override { return fontHeight; }

    bool IsGroup() const override { return true; }

    LONG ParticipantKind() const override { return 33; }
    DWORD Signature() const override { return 1; }
    bool HasData(DWORD, LONG) override { return false; }
    HRESULT Save(DWORD, IStream*, LONG) override { return S_OK; }
    HRESULT Load(DWORD, IStream*, LONG) override { return S_OK; }
    void Reset(DWORD, LONG) override {}
    HRESULT CopyFrom(DWORD, HvPersistParticipant&, LONG) override { return S_OK; }

    HvBand* band;
    CDualString key;
    LONG fontHeight = 0;

private:
    FakeGroup(HvBand* band, const CDualString* key);
    ~FakeGroup() override;
};

class FakeGrid final : public BandGridSeam {
public:
    bool ActiveRowLeadsToBand(HvBand* band) override { return band == activeBand; }
    HRESULT MoveActivationOutOf(HvBand*) override { return moveAnswer; }
    void GetDialogString(LONG, CDualString& text) override { text.AssignWide(L"Add..."); }
    void HideToolTip() override { ++tipsHidden; }

    HvBand* activeBand = nullptr;
    HRESULT moveAnswer = S_OK;
    int tipsHidden = 0;
};

class FakeBinding final : public BandBindingSeam {
public:
    bool IsUnavailable() override { return unavailable; }
    LONG RowCount() override { return rows; }
    void AddListeners() override { ++listeners; }
    void RemoveListeners() override { --listeners; }
    ColumnInfoSeam* ColumnInfoAt(LONG) override { return nullptr; }
    void ReleaseHeldRows() override { ++released; }
    void Configure(bool expand, bool outOfView, LONG fetch) override
    {
        expandOnLoad = expand;
        hiddenBand = outOfView;
        fetchRows = fetch;
        ++configured;
    }
    void SetSortColumns(const SortColumn*, size_t count) override { sortColumns = count; }
    HRESULT AddRow(IHvRow*, IHvRow** out) override
    {
        ++added;
        *out = nullptr;
        return S_OK;
    }

    bool unavailable = false;
    LONG rows = 10;
    int listeners = 0;
    int released = 0;
    int added = 0;
    int configured = 0;
    bool expandOnLoad = false;
    bool hiddenBand = false;
    LONG fetchRows = 0;
    size_t sortColumns = 0;
};

class FakeElement final : public OwnedElementSeam {
public:
    explicit FakeElement(LONG context, FakeElement* enclosing = nullptr) : context_(context), enclosing_(enclosing) {}
    LONG OwnerContext() override { return context_; }
    OwnedElementSeam* FindEnclosing(LONG type) override { return type == 6600 ? enclosing_ : nullptr; }
    bool BeginPress() override { return pressed = true; }
    bool IsPressed() override { return pressed; }
    HCURSOR DefaultCursor() override { return nullptr; }
    bool pressed = false;

private:
    LONG context_;
    FakeElement* enclosing_;
};

class FakeLayout final : public BandLayoutSeam,
                         public BandsLayoutSeam,
                         public OverrideLayoutSeam,
                         public SelectionLayoutSeam,
                         public HvLayoutHost {
public:
    FakeLayout();
    ~FakeLayout();

    // A new band appended to Bands (the collection holds it).
    HvBand* AddBand(const wchar_t* key, HvBand* parent = nullptr, BandBindingSeam* binding = nullptr);
    HvOverride* GetLayoutOverride();

    // BandLayoutSeam
    BandsLayoutSeam* BandsSide() override { return this; }
    OverrideLayoutSeam* OverrideSide() override { return this; }
    SelectionLayoutSeam* SelectionSide() override { return this; }
    ColumnLayoutSeam* ColumnSide() override { return nullptr; }
    HvBands* Bands() override { return bands_; }
    HvOverride* LayoutOverride() override { return override_; }
    HvOverrides* Overrides() override { return nullptr; }
    HRESULT QueryLayout(IHvLayout** out) override;
    bool IsDesignMode() override { return designMode; }
    bool IsEnabled() override { return enabled; }
    bool CanFireEvents() override { return true; }
    LONG ResolveLayoutSetting(DISPID setting) override;
    LONG ResolveLayoutSize(DISPID setting) override;
    PropertySinkConnection* AppearanceFont() override { return &font_; }
    bool HasViewStyle() override { return false; }
    bool ViewStyleHidesChildBands() override { return hidesChildBands; }
    bool ViewStyleSyncsRowHeights() override { return syncRowHeights; }
    void ViewStylePlaceBand(HvBand*) override {}
    void ViewStyleExtentChanged(HvBand*, LONG) override {}
    void EnsureMetrics() override {}
    void ResolveLayoutAppearance(AppearanceData&, AppearanceRequest&) override { ++layoutResolutions; }
    LONG AddNewButtonBorderStyle() override { return buttonBorderStyle; }
    HCURSOR AddNewButtonCursor() override { return nullptr; }
    BandGridSeam* Grid() override { return grid; }
    HRESULT CreateColumn(HvBand* band, const CDualString* key, LONG flags, GridColumnSeam** out) override;
    HRESULT CreateGroup(HvBand* band, HvGroups* groups, const CDualString* key, GridGroupSeam** out) override;

    // BandsLayoutSeam
    bool IsGridOwnLayout() override { return gridOwn; }
    int GetViewStyle() override { return viewStyle; }
    bool ScrollRegionUpdatesSuspended() override { return false; }
    void SetColumnMetricsDirty(bool) override { log.push_back("metrics"); }
    void DirtyRootUIElement(bool, bool) override { log.push_back("root"); }
    void MarkColScrollRegionsDirty() override { log.push_back("colregions"); }
    void MarkRowScrollRegionsDirty() override { log.push_back("rowregions"); }
    void NotifyAttachedInterface() override {}
    HRESULT CreateBand(ChangeSubscriber* subscriber, GridBandSeam* parent, const CDualString* key,
                       GridBandSeam** out) override;

    // OverrideLayoutSeam: twips at 96 DPI; every font is lineHeight high.
    double PixelsToUnitsX(LONG pixels) override { return pixels * 15.0; }
    double PixelsToUnitsY(LONG pixels) override { return pixels * 15.0; }
    LONG UnitsToPixelsX(float units) override { return static_cast<LONG>(units / 15); }
    LONG UnitsToPixelsY(float units) override { return static_cast<LONG>(units / 15); }
    HvLayoutHost* Host() override { return this; }
    HvAppearances* Appearances() override { return nullptr; }
    LONG FixedPixelsToUnitsX(LONG pixels) override { return pixels * 15; }
    LONG FixedPixelsToUnitsY(LONG pixels) override { return pixels * 15; }
    LONG FixedUnitsToPixelsX(LONG twips) override { return twips / 15; }
    LONG FixedUnitsToPixelsY(LONG twips) override { return twips / 15; }
    LONG GetFontLineHeight(PropertySinkConnection*) override { return lineHeight; }
    AppearanceRef* GetOverrideAppearance(int slot) override;
    std::unique_ptr<OverrideStrategy> CreateStrategy(OverrideStrategyKind, int) override { return nullptr; }

    // SelectionLayoutSeam
    SelectionControlSeam* GridControl() override { return nullptr; }
    bool TestGridState(LONG) override { return false; }

    // HvLayoutHost
    HRESULT RaiseError(HRESULT result, WORD) override { return result; }
    PropertySinkConnection* DefaultFont() override { return &font_; }
    bool IsAlive() override { return true; }
    HRESULT ReportMessage(long, const wchar_t*, const wchar_t*) override { return S_OK; }

    bool designMode = false;
    bool gridOwn = false;
    bool enabled = true;
    bool hidesChildBands = false;
    bool syncRowHeights = false;
    int viewStyle = MultiBand;
    LONG lineHeight = 16;
    LONG buttonBorderStyle = 0;
    int layoutResolutions = 0;
    FakeGrid* grid = nullptr;
    std::vector<std::string> log;

private:
    HvBands* bands_ = nullptr;
    HvOverride* override_ = nullptr;
    PropertySinkConnection font_;
};

// Records the notices a publisher sends.
class NoticeLog final : public ChangeSubscriber {
public:
    explicit NoticeLog(ChangePublisher* publisher) : link_(this) { link_.RelinkSubscription(publisher); }
    void OnChange(const ChangeNotice* notice) override { what.push_back(notice->what); }
    unsigned long AddRefSubscriber() override { return 1; }
    unsigned long ReleaseSubscriber() override { return 1; }
    std::vector<std::int32_t> what;

private:
    SubscriptionLink link_;
};
