// Fixtures of the column, group and header tests: a stand-in layout (units
// in twips at 96 DPI, appearances, value lists, the position events through
// test hooks, design mode and the event gate) and a stand-in band (its
// resolved settings from a table, header metrics, header order, Columns
// and Groups), with helpers that make real columns and groups in them.
#pragma once

#include "ModelTestSupport.h"

#include "BandsLayoutSeam.h"
#include "ChangeSubscriber.h"
#include "ColumnBandSeam.h"
#include "ColumnInfoSeam.h"
#include "ColumnLayoutSeam.h"
#include "GridBandSeam.h"
#include "HvLayoutHost.h"
#include "LayoutUnitsSeam.h"
#include "OverrideBandSeam.h"
#include "PropertySinkConnection.h"
#include "SelectionBandSeam.h"
#include "SelectionLayoutSeam.h"
#include "SubscriptionLink.h"
#include "ValueListLayoutSeam.h"

#include <Tavelle.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CAutomationObject;
class HvAppearances;
class HvColumn;
class HvColumns;
class HvGroup;
class HvGroups;
class HvValueLists;

class TestLayout final : public ColumnLayoutSeam,
                         public LayoutUnitsSeam,
                         public ValueListLayoutSeam,
                         public HvLayoutHost,
                         public SelectionLayoutSeam,
                         public BandsLayoutSeam {
public:
    TestLayout();
    ~TestLayout();

    // ColumnLayoutSeam
    LayoutUnitsSeam* Units() override { return this; }
    ValueListLayoutSeam* ValueListLayout() override { return this; }
    SelectionLayoutSeam* SelectionLayout() override { return this; }
    BandsLayoutSeam* BandsLayout() override { return this; }
    HvValueLists* ValueLists() override { return valueLists_; }
    bool CanFireEvents() override { return events; }
    bool IsDesignMode() override { return designMode; }
    bool IsEnabled() override { return enabled; }
    bool ContainerUsesTwips() override { return true; }
    LONG FixedPixelsToTwipsX(LONG pixels) override { return pixels * 15; }
    LONG FixedTwipsToPixelsX(LONG twips) override { return (twips + 7) / 15; }
    bool IsGridLayoutResetting() override { return false; }
    bool FireBeforeColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) override;
    void FireAfterColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) override;
    bool FireBeforeGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) override;
    void FireAfterGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) override;
    void ApplyDefaultAppearance(AppearanceData&, AppearanceRequest&) override {}
    HWND GridEditWindow() override { return nullptr; }
    bool IsActiveCellColumn(HvColumn*) override { return false; }
    void ReportMaskError(const std::wstring&, short) override {}

    // LayoutUnitsSeam (twips at 96 DPI)
    double PixelsToUnitsX(LONG pixels) override { return pixels * 15.0; }
    double PixelsToUnitsY(LONG pixels) override { return pixels * 15.0; }
    LONG UnitsToPixelsX(float units) override { return static_cast<LONG>(units / 15.0f + 0.5f); }
    LONG UnitsToPixelsY(float units) override { return static_cast<LONG>(units / 15.0f + 0.5f); }

    // ValueListLayoutSeam
    HvLayoutHost* Host() override { return this; }
    HvAppearances* Appearances() override { return appearances_; }

    // HvLayoutHost
    HRESULT RaiseError(HRESULT result, WORD) override { return result; }
    PropertySinkConnection* DefaultFont() override { return nullptr; }
    bool IsAlive() override { return true; }
    HRESULT ReportMessage(long, const wchar_t*, const wchar_t*) override { return E_FAIL; }

    // SelectionLayoutSeam
    SelectionControlSeam* GridControl() override { return nullptr; }
    bool TestGridState(LONG) override { return false; }

    // BandsLayoutSeam
    bool IsGridOwnLayout() override { return true; }
    int GetViewStyle() override { return MultiBand; }
    bool ScrollRegionUpdatesSuspended() override { return false; }
    void SetColumnMetricsDirty(bool) override { ++metricsDirty; }
    void DirtyRootUIElement(bool, bool) override {}
    void MarkColScrollRegionsDirty() override {}
    void MarkRowScrollRegionsDirty() override {}
    void NotifyAttachedInterface() override {}
    HRESULT CreateBand(ChangeSubscriber*, GridBandSeam*, const CDualString*, GridBandSeam**) override
    {
        return E_NOTIMPL;
    }

    // A value list of the layout's ValueLists with this key.
    void AddValueList(const wchar_t* key);

    bool events = true;
    bool designMode = false;
    bool enabled = true;
    int metricsDirty = 0;
    // Event hooks: a Before hook answers whether it cancels.
    std::function<bool(Constants_PosChanged, IHvSelectedCols*)> beforeCol;
    std::function<bool(Constants_PosChanged, IHvGroups*)> beforeGroup;
    std::vector<std::string> fired;

private:
    HvAppearances* appearances_ = nullptr;
    HvValueLists* valueLists_ = nullptr;
};

class TestBand final : public ColumnBandSeam, public GridBandSeam, public SelectionBandSeam {
public:
    explicit TestBand(TestLayout& layout);
    ~TestBand();

    // ColumnBandSeam
    GridBandSeam* GridBand() override { return this; }
    SelectionBandSeam* SelectionBand() override { return this; }
    OverrideBandSeam* OverrideBand() override { return nullptr; }
    ColumnLayoutSeam* ColumnLayout() override { return &layout_; }
    LONG ResolveSetting(DISPID setting) override;
    SHORT LevelCount() override { return levelCount; }
    LONG ColumnHeaderHeight() override { return 20; }
    LONG GroupHeaderHeight() override { return 18; }
    LONG RowSelectorWidth() override { return 0; }
    LONG ExpansionIndicatorWidth() override { return 0; }
    HFONT HeaderFont() override { return nullptr; }
    SHORT HeaderPosition(HvColumnGroupImpl* item) override;
    HRESULT MoveHeader(HvColumnGroupImpl* item, SHORT position, bool* moved) override;
    HRESULT SelectGroup(HvGroup* group, bool select, bool fireEvents) override;
    void HandleHeaderSelect(HvColumnGroupImpl*, LONG) override {}
    HRESULT ChangeSort(HvColumn* column, LONG indicator, bool clearOthers) override;

    // GridBandSeam
    HvKeyedItem* BandItem() override { return nullptr; }
    HvPersistParticipant* Participant() override { return nullptr; }
    BandsLayoutSeam* Layout() override { return &layout_; }
    GridBandSeam* ParentBand() override { return nullptr; }
    HvColumns* Columns() override { return columns_; }
    HvGroups* GetGroups(bool create) override;
    HRESULT AddColumn(const CDualString*, GridColumnSeam**) override { return E_NOTIMPL; }
    HRESULT RemoveColumnHeader(GridColumnSeam*) override { return E_NOTIMPL; }
    HRESULT CreateGroup(HvGroups*, const CDualString*, GridGroupSeam**) override { return E_NOTIMPL; }
    HRESULT AppendGroupHeader(GridGroupSeam*) override { return S_OK; }
    void RemoveGroupHeader(GridGroupSeam*) override {}
    void UpdateBinding() override {}
    HRESULT ExpandRows(bool, bool, LONG) override { return S_OK; }
    void InvalidateHeaderHeights() override { ++headerHeightsCleared; }
    bool IsEffectivelyHidden() override { return false; }
    void LayoutHeaders(GridBandSeam*) override {}
    void ApplyPendingExtentChange() override {}
    LONG Origin() override { return 0; }
    LONG Extent() override { return 0; }
    bool MatchesBand(GridBandSeam*) override { return false; }
    LONG GetParentColumnIndex() override { return -1; }
    void SetParentColumn(GridColumnSeam*) override {}
    void CallCellSelectStrategy() override {}

    // SelectionBandSeam
    HRESULT SelectColumn(HvSelectableItem* column, bool select, bool fireEvents) override;
    HRESULT SelectRow(HvSelectableItem*, bool, bool) override { return E_NOTIMPL; }
    HRESULT SelectCell(HvSelectableItem*, LONG, LONG) override { return E_NOTIMPL; }
    void InvokeCellSelectStrategy(HvSelectableItem*, LONG, LONG, LONG) override {}
    void InvokeRowSelectStrategy(HvSelectableItem*, LONG, LONG) override {}
    HvSelectableItem* FindHeaderAfter() override { return nullptr; }

    // A new unbound column (key may be null) in Columns; the band's Columns
    // holds one reference and the caller gets another.
    HvColumn* AddUnbound(const wchar_t* key);
    HvColumn* AddBound(ColumnInfoSeam& info);
    // A new group in Groups, with a reference for the caller.
    HvGroup* AddGroup(const wchar_t* key);

    std::map<DISPID, LONG> settings;
    SHORT levelCount = 1;
    int headerHeightsCleared = 0;
    HRESULT selectResult = S_OK;
    std::vector<HvColumnGroupImpl*> headerOrder;

private:
    TestLayout& layout_;
    HvColumns* columns_ = nullptr;
    HvGroups* groups_ = nullptr;
};

class TestColumnInfo final : public ColumnInfoSeam {
public:
    const wchar_t* Name() override { return name.c_str(); }
    const wchar_t* BaseColumnName() override { return L"base"; }
    const wchar_t* BaseTableName() override { return L"table"; }
    LONG TypeCode() override { return type; }
    LONG Size() override { return 40; }
    bool AcceptsNulls() override { return true; }
    bool IsWritable() override { return true; }

    std::wstring name = L"AMOSTRA";
    LONG type = 8;
};

// Records the what of every notice it hears.
class NoticeLog final : public ChangeSubscriber {
public:
    explicit NoticeLog(ChangePublisher* publisher);
    void OnChange(const ChangeNotice* notice) override { what.push_back(notice->what); }
    unsigned long AddRefSubscriber() override { return 1; }
    unsigned long ReleaseSubscriber() override { return 1; }

    std::vector<std::int32_t> what;

private:
    SubscriptionLink link_;
};

// Late-bound helpers: the HRESULT and the value of a property.
HRESULT PutProperty(IDispatch* object, const wchar_t* name, VARIANT value);
HRESULT GetProperty(IDispatch* object, const wchar_t* name, VARIANT* value);
VARIANT Long(LONG value);
VARIANT Float(float value);
VARIANT Text(const wchar_t* text);
VARIANT Bool(bool value);
