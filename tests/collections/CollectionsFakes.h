// Stand-ins for the objects the band, column and group collections serve:
// a layout, bands, columns, groups, rows and cells that implement the
// collections' seams with just enough behaviour to show what the
// collections do, and record what they are asked.
#pragma once

#include "BandsLayoutSeam.h"
#include "CellRowSeam.h"
#include "ChangePublisher.h"
#include "ChangeSubscriber.h"
#include "DualString.h"
#include "GridBandSeam.h"
#include "GridColumnSeam.h"
#include "GridGroupSeam.h"
#include "HvKeyedItem.h"
#include "HvObjectBaseImpl.h"
#include "InterfaceStubs.h"
#include "HvPersistParticipant.h"
#include "SubscriptionLink.h"

#include <Tavelle.h>

#include <memory>
#include <string>
#include <vector>

class FakeBand;
class FakeLayout;
class HvColumns;
class HvGroups;
class HvGroupCols;

// One persisted setting: value, saved when not 0.
class FakeSettings : public HvPersistParticipant {
public:
    LONG ParticipantKind() const override { return 77; }
    DWORD Signature() const override { return 1; }
    bool HasData(DWORD, LONG) override { return value != 0; }
    HRESULT Save(DWORD, IStream* stream, LONG) override { return WriteBytes(stream, &value, sizeof value); }
    HRESULT Load(DWORD, IStream* stream, LONG) override { return ReadBytes(stream, &value, sizeof value); }
    void Reset(DWORD, LONG) override { value = 0; }
    HRESULT CopyFrom(DWORD, HvPersistParticipant& source, LONG) override;

    // A source whose value is negative refuses to be copied.
    LONG value = 0;
};

class FakeColumn final : public HvObjectBaseImpl<IHvColumnStub>,
                         public HvKeyedItem,
                         public GridColumnSeam,
                         public FakeSettings,
                         public ChangePublisher {
public:
    // One reference, given to the caller.
    static FakeColumn* Create(FakeBand* band, const CDualString* key);
    static int live;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // HvKeyedItem
    const CDualString* GetKey() override { return &key; }
    const IID* GetInterfaceId() override { return &IID_IHvColumn; }
    CAutomationObject* GetItemObject() override { return this; }

    // GridColumnSeam
    HvKeyedItem* ColumnItem() override { return this; }
    HvPersistParticipant* Participant() override { return this; }
    bool IsBound() override { return bound; }
    LONG DataType() override { return dataType; }
    LONG GetCollectionIndex() override;
    bool IsSameKey(GridColumnSeam* other) override;
    LONG ResolveStyle() override { return style; }
    bool SetHeaderCaption(BSTR text) override;
    LONG HeaderPictureHeight() override { return pictureHeight; }
    LONG HeaderFontHeight() override { return fontHeight; }
    SHORT Level() override { return level; }
    void SetLevel(SHORT value, bool) override { level = value; }
    void GetPositionRecord(SHORT* visiblePosition, SHORT* levelOut) override;
    HRESULT JoinGroup(GridGroupSeam* group, VARIANT* visiblePosition, VARIANT* level) override;
    HRESULT LeaveGroup() override;
    void SetGroup(GridGroupSeam* group, SHORT minimumLevel) override;
    LONG Width() override { return width; }
    LONG MaxWidth() override { return maxWidth; }
    LONG GetMinWidth() override { return minWidth; }
    bool ProportionalResize() override { return proportional; }
    bool IsWidthLocked(GridColumnSeam* context, bool) override { return locked || context == this; }
    bool IsExcludedFromResize(GridColumnSeam*) override { return excluded; }
    void SetWidthInternal(LONG value, GridColumnSeam*, bool) override { width = value; }
    void StoreWidth(LONG value) override { width = value, ++stores; }

    // ChangePublisher
    int KindCode() const override { return 23; }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }

    // Publishes a change of one of its properties.
    void Change(DISPID what) { NotifySubscribers(what, 0); }

    FakeBand* band;
    CDualString key;
    std::wstring caption;
    bool bound = false;
    LONG dataType = 8;
    LONG style = 1;
    LONG pictureHeight = 0;
    LONG fontHeight = 0;
    SHORT level = 0;
    LONG width = 100;
    LONG maxWidth = 0;
    LONG minWidth = 10;
    bool proportional = false;
    bool locked = false;
    bool excluded = false;
    int stores = 0;
    GridGroupSeam* group = nullptr;

private:
    FakeColumn(FakeBand* band, const CDualString* key);
    ~FakeColumn() override;
    void LinkToGroup(GridGroupSeam* newGroup);
    std::unique_ptr<SubscriptionLink> groupLink_; // the group list's subscription to this column
    SubscriptionLink columnsLink_;                // the band's Columns' subscription
};

class FakeGroup final : public HvObjectBaseImpl<IHvGroupStub>,
                        public HvKeyedItem,
                        public GridGroupSeam,
                        public FakeSettings,
                        public ChangePublisher {
public:
    static FakeGroup* Create(FakeBand* band, HvGroups* groups, const CDualString* key);
    static int live;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    const CDualString* GetKey() override { return &key; }
    const IID* GetInterfaceId() override { return &IID_IHvGroup; }
    CAutomationObject* GetItemObject() override { return this; }

    HvKeyedItem* GroupItem() override { return this; }
    HvPersistParticipant* Participant() override { return this; }
    GridBandSeam* Band() override;
    HvGroupCols* GetGroupCols(bool create) override;
    bool SetHeaderCaption(BSTR text) override;
    LONG Width() override { return width; }
    void StoreWidth(LONG value) override { width = value; }
    void RecalcWidth(LONG value, GridColumnSeam*, LONG, LONG, bool) override { width = value, ++recalcs; }
    void InvalidateLayout() override { ++invalidations; }
    bool RemoveFromBand() override { return ++removeAsked, affected; }
    LONG HeaderPictureHeight() override { return 0; }
    LONG HeaderFontHeight() override { return fontHeight; }

    int KindCode() const override { return 33; }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }
    void Change(DISPID what) { NotifySubscribers(what, 0); }

    FakeBand* band;
    CDualString key;
    std::wstring caption;
    LONG width = 0;
    LONG fontHeight = 0;
    int recalcs = 0;
    int invalidations = 0;
    int removeAsked = 0;
    bool affected = false;

private:
    FakeGroup(FakeBand* band, HvGroups* groups, const CDualString* key);
    ~FakeGroup() override;
    HvGroupCols* columns_ = nullptr;
    SubscriptionLink link_;
};

// IHvBand has members of its own now: the stand-in offers only the shared
// object members and answers for IHvBand with them.
class FakeBand final : public HvObjectBaseImpl<IHvObjectBase>,
                       public HvKeyedItem,
                       public GridBandSeam,
                       public FakeSettings,
                       public ChangePublisher {
public:
    // layout may be null for a band used alone; subscriber hears its changes.
    static FakeBand* Create(FakeLayout* layout, ChangeSubscriber* subscriber, GridBandSeam* parent,
                            const CDualString* key);
    static int live;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    const CDualString* GetKey() override { return &key; }
    const IID* GetInterfaceId() override { return &IID_IHvBand; }
    CAutomationObject* GetItemObject() override { return this; }

    HvKeyedItem* BandItem() override { return this; }
    HvPersistParticipant* Participant() override { return this; }
    BandsLayoutSeam* Layout() override;
    GridBandSeam* ParentBand() override { return parent; }
    HvColumns* Columns() override { return columns_; }
    HvGroups* GetGroups(bool create) override;
    HRESULT AddColumn(const CDualString* key, GridColumnSeam** out) override;
    HRESULT RemoveColumnHeader(GridColumnSeam* column) override;
    HRESULT CreateGroup(HvGroups* groups, const CDualString* key, GridGroupSeam** out) override;
    HRESULT AppendGroupHeader(GridGroupSeam* group) override;
    void RemoveGroupHeader(GridGroupSeam* group) override;
    void UpdateBinding() override { log.push_back("bind"); }
    HRESULT ExpandRows(bool expand, bool recursive, LONG) override;
    void InvalidateHeaderHeights() override { log.push_back("heights"); }
    bool IsEffectivelyHidden() override { return hidden; }
    void LayoutHeaders(GridBandSeam* previous) override;
    void ApplyPendingExtentChange() override { extent += pending, pending = 0; }
    LONG Origin() override { return origin; }
    LONG Extent() override { return extent; }
    bool MatchesBand(GridBandSeam* other) override;
    LONG GetParentColumnIndex() override { return parentColumnIndex; }
    void SetParentColumn(GridColumnSeam* column) override { parentColumn = column; }
    void CallCellSelectStrategy() override { log.push_back("strategy"); }
    // A band copy also takes as many columns as its source has.
    HRESULT CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories) override;

    int KindCode() const override { return 17; }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }
    void Change(DISPID what) { NotifySubscribers(what, 0); }

    // Appends columns: bound ones first, then unbound, keyed "B0".. and "U0"..
    void AddColumns(int bound, int unbound);
    FakeColumn* ColumnAt(LONG position);

    FakeLayout* layout;
    GridBandSeam* parent;
    CDualString key;
    std::vector<std::string> log;
    std::vector<std::string> groupHeaders;
    HRESULT expandAnswer = S_OK;
    HRESULT appendGroupAnswer = S_OK;
    HRESULT addColumnAnswer = S_OK;
    bool hidden = false;
    LONG origin = 0;
    LONG extent = 0;
    LONG pending = 0;
    LONG parentColumnIndex = -1;
    GridColumnSeam* parentColumn = nullptr;
    LONG levelCount = 3;

private:
    FakeBand(FakeLayout* layout, ChangeSubscriber* subscriber, GridBandSeam* parent, const CDualString* key);
    ~FakeBand() override;
    HvColumns* columns_ = nullptr;
    HvGroups* groups_ = nullptr;
    SubscriptionLink link_;
};

class FakeLayout final : public BandsLayoutSeam {
public:
    bool IsGridOwnLayout() override { return gridOwn; }
    int GetViewStyle() override { return viewStyle; }
    bool ScrollRegionUpdatesSuspended() override { return suspended; }
    void SetColumnMetricsDirty(bool force) override { log.push_back(force ? "metrics!" : "metrics"); }
    void DirtyRootUIElement(bool a, bool b) override;
    void MarkColScrollRegionsDirty() override { log.push_back("colregions"); }
    void MarkRowScrollRegionsDirty() override { log.push_back("rowregions"); }
    void NotifyAttachedInterface() override { log.push_back("attached"); }
    HRESULT CreateBand(ChangeSubscriber* subscriber, GridBandSeam* parent, const CDualString* key,
                       GridBandSeam** out) override;

    bool gridOwn = false;
    int viewStyle = MultiBand;
    bool suspended = false;
    std::vector<std::string> log;
};

class FakeCell final : public HvObjectBaseImpl<IHvCellStub>, public HvKeyedItem, public ChangePublisher {
public:
    static FakeCell* Create(FakeColumn* column, ChangeSubscriber* cells);
    static int live;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    const CDualString* GetKey() override { return column ? column->GetKey() : nullptr; }
    const IID* GetInterfaceId() override { return &IID_IHvCell; }
    CAutomationObject* GetItemObject() override { return this; }

    int KindCode() const override { return 26; }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }

    FakeColumn* column; // referenced

private:
    FakeCell(FakeColumn* column, ChangeSubscriber* cells);
    ~FakeCell() override;
    SubscriptionLink link_;
};

class FakeRow final : public CellRowSeam {
public:
    explicit FakeRow(FakeBand* band) : band_(band) {}
    GridBandSeam* Band() override { return band_; }
    HRESULT CreateCell(GridColumnSeam* column, HvCells* cells, HvKeyedItem** out) override;
    GridColumnSeam* ColumnOfCell(HvKeyedItem* cell) override;
    bool failCreate = false;
    int made = 0;

private:
    FakeBand* band_;
};

// Records every notice a publisher tells it: what, and the what of the
// inner notice a re-publishing collection passes along (0 when none).
class NoticeLog final : public ChangeSubscriber {
public:
    explicit NoticeLog(ChangePublisher* publisher) : link_(this) { link_.RelinkSubscription(publisher); }
    void OnChange(const ChangeNotice* notice) override
    {
        what.push_back(notice->what);
        const ChangeNotice* inner = reinterpret_cast<const ChangeNotice*>(notice->argument);
        innerWhat.push_back(inner ? inner->what : 0);
    }
    unsigned long AddRefSubscriber() override { return 1; }
    unsigned long ReleaseSubscriber() override { return 1; }

    std::vector<std::int32_t> what;
    std::vector<std::int32_t> innerWhat;

private:
    SubscriptionLink link_;
};
