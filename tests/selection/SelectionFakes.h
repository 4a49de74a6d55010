// Fixtures of the selection, sort and click-handler tests: a stand-in grid
// (layout and control: event gate, selection machinery with Before/After
// events and cancel, sort events, active row and cell), a stand-in band, and
// cells, rows and columns that are real automation objects.
#pragma once

#include "ModelTestSupport.h"

#include "DualString.h"
#include "GridBandSeam.h"
#include "GridColumnSeam.h"
#include "GridGroupSeam.h"
#include "HvKeyedItem.h"
#include "HvObjectBaseImpl.h"
#include "InterfaceStubs.h"
#include "HvSelectableItem.h"
#include "SelectionBandSeam.h"
#include "SelectionControlSeam.h"
#include "SelectionLayoutSeam.h"
#include "SortColumnSeam.h"

#include <Tavelle.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

class FakeBand;
class FakeGrid;
class HvColumns;
class HvGroupCols;
class HvSelectedCells;
class HvSelectedCols;
class HvSelectedRows;

// A cell, row or column: an automation object of the grid's kind.
template <class TInterface>
class FakeItem : public HvObjectBaseImpl<TInterface>, public HvKeyedItem, public HvSelectableItem {
public:
    FakeItem(int objectType, FakeGrid* grid, FakeBand* band, const char* name)
        : HvObjectBaseImpl<TInterface>(objectType), name(name), grid_(grid), band_(band)
    {
        key_.AssignAnsi(name);
        ++live;
    }

    // A column whose key was left empty.
    void ClearKey() { key_.Empty(); }

    // HvKeyedItem
    const CDualString* GetKey() override { return &key_; }
    const IID* GetInterfaceId() override { return this->Info().iid; }
    CAutomationObject* GetItemObject() override { return this; }

    // HvSelectableItem
    HvKeyedItem* KeyedItem() override { return this; }
    void SetSelected(bool value) override { selected = value; }
    bool IsSelected() override { return selected; }
    SelectionBandSeam* OwnerBand() override;
    SelectionLayoutSeam* Layout() override;
    SelectionControlSeam* GridControl() override;
    HvSelectableItem* RowItem() override { return row; }
    bool MayActivate() override { return mayActivate; }
    LONG Activate(bool enterEdit, LONG arg, LONG arg2) override;
    void EnterEditMode() override { ++editEntered; }
    HvSelectableItem* GetCell(HvSelectableItem* column) override;

    ULONG Refs()
    {
        this->AddRef();
        return this->Release();
    }

    static int live;
    std::string name;
    bool selected = false;
    bool mayActivate = true;
    HvSelectableItem* row = nullptr; // cells: not referenced
    std::vector<std::pair<HvSelectableItem*, HvSelectableItem*>> cells; // rows: column -> cell
    int editEntered = 0;
    std::vector<std::string> activations;

protected:
    ~FakeItem() override { --live; }

    FakeGrid* grid_;
    FakeBand* band_;
    CDualString key_;
};

template <class TInterface>
int FakeItem<TInterface>::live = 0;

using FakeCell = FakeItem<IHvCellStub>;
using FakeRow = FakeItem<IHvRowStub>;

// A column: also a sortable column of the band with the grid's column face.
class FakeColumn final : public FakeItem<IHvColumnStub>, public SortColumnSeam, public GridColumnSeam {
public:
    FakeColumn(FakeGrid* grid, FakeBand* band, const char* name, FakeColumn* copyOf = nullptr);

    // SortColumnSeam
    LONG SortIndicator() override { return indicator; }
    void SetSortIndicator(LONG value) override;
    LONG PendingSortIndicator() override { return pending; }
    void SetPendingSortIndicator(LONG value) override { pending = value; }
    HvKeyedItem* CreateLevelCopy(SHORT level) override;
    HvKeyedItem* LevelCopySource() override { return copyOf_; }

    // GridColumnSeam (what the column lists read)
    HvKeyedItem* ColumnItem() override { return this; }
    HvPersistParticipant* Participant() override { return nullptr; }
    bool IsBound() override { return true; }
    LONG DataType() override { return 8; }
    LONG GetCollectionIndex() override;
    bool IsSameKey(GridColumnSeam* other) override;
    LONG ResolveStyle() override { return 0; }
    bool SetHeaderCaption(BSTR) override { return false; }
    LONG HeaderPictureHeight() override { return 0; }
    LONG HeaderFontHeight() override { return 0; }
    SHORT Level() override { return 0; }
    void SetLevel(SHORT, bool) override {}
    void GetPositionRecord(SHORT* position, SHORT* level) override { *position = 0, *level = 0; }
    HRESULT JoinGroup(GridGroupSeam*, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
    HRESULT LeaveGroup() override { return E_NOTIMPL; }
    void SetGroup(GridGroupSeam*, SHORT) override {}
    LONG Width() override { return 100; }
    LONG MaxWidth() override { return 0; }
    LONG GetMinWidth() override { return 10; }
    bool ProportionalResize() override { return false; }
    bool IsWidthLocked(GridColumnSeam*, bool) override { return false; }
    bool IsExcludedFromResize(GridColumnSeam*) override { return false; }
    void SetWidthInternal(LONG, GridColumnSeam*, bool) override {}
    void StoreWidth(LONG) override {}

    LONG indicator = SortIndicatorNone;
    LONG pending = SortIndicatorNone;
    int notices = 0; // change notices 1131 raised
    bool canCopy = true;

private:
    ~FakeColumn() override;
    FakeColumn* copyOf_;
};

// A column group whose column list the selected columns read.
class FakeGroup final : public FakeItem<IHvGroupStub>, public GridGroupSeam {
public:
    FakeGroup(FakeGrid* grid, FakeBand* band, const char* name);

    HvKeyedItem* GroupItem() override { return this; }
    HvPersistParticipant* Participant() override { return nullptr; }
    GridBandSeam* Band() override { return nullptr; }
    HvGroupCols* GetGroupCols(bool create) override;
    bool SetHeaderCaption(BSTR) override { return false; }
    LONG Width() override { return 0; }
    void StoreWidth(LONG) override {}
    void RecalcWidth(LONG, GridColumnSeam*, LONG, LONG, bool) override {}
    void InvalidateLayout() override {}
    bool RemoveFromBand() override { return false; }
    LONG HeaderPictureHeight() override { return 0; }
    LONG HeaderFontHeight() override { return 0; }

    // Appends a column to the group's list.
    void Take(FakeColumn* column);

private:
    ~FakeGroup() override;
    HvGroupCols* cols_ = nullptr;
};

// The band: selection through the grid's machinery, click strategies that
// record, the first visible header, and the band face the sort list needs.
class FakeBand final : public SelectionBandSeam, public GridBandSeam {
public:
    explicit FakeBand(FakeGrid& grid);
    ~FakeBand();

    // SelectionBandSeam
    HRESULT SelectColumn(HvSelectableItem* column, bool select, bool fireEvents) override;
    HRESULT SelectRow(HvSelectableItem* row, bool select, bool fireEvents) override;
    HRESULT SelectCell(HvSelectableItem* cell, LONG flag1, LONG flag2) override;
    void InvokeCellSelectStrategy(HvSelectableItem* item, LONG flag1, LONG flag2, LONG arg) override;
    void InvokeRowSelectStrategy(HvSelectableItem* row, LONG flag1, LONG flag2) override;
    void CallCellSelectStrategy() override { log.push_back("cell-strategy-reset"); }
    HvSelectableItem* FindHeaderAfter() override { return firstVisible; }

    // GridBandSeam (what the sort list reads)
    HvKeyedItem* BandItem() override { return nullptr; }
    HvPersistParticipant* Participant() override { return nullptr; }
    BandsLayoutSeam* Layout() override { return nullptr; }
    GridBandSeam* ParentBand() override { return nullptr; }
    HvColumns* Columns() override { return columns_; }
    HvGroups* GetGroups(bool) override { return nullptr; }
    HRESULT AddColumn(const CDualString*, GridColumnSeam**) override { return E_NOTIMPL; }
    HRESULT RemoveColumnHeader(GridColumnSeam*) override { return E_NOTIMPL; }
    HRESULT CreateGroup(HvGroups*, const CDualString*, GridGroupSeam**) override { return E_NOTIMPL; }
    HRESULT AppendGroupHeader(GridGroupSeam*) override { return E_NOTIMPL; }
    void RemoveGroupHeader(GridGroupSeam*) override {}
    void UpdateBinding() override { ++bindingUpdates; }
    HRESULT ExpandRows(bool, bool, LONG) override { return S_OK; }
    void InvalidateHeaderHeights() override {}
    bool IsEffectivelyHidden() override { return false; }
    void LayoutHeaders(GridBandSeam*) override {}
    void ApplyPendingExtentChange() override {}
    LONG Origin() override { return 0; }
    LONG Extent() override { return 0; }
    bool MatchesBand(GridBandSeam* other) override { return other == this; }
    LONG GetParentColumnIndex() override { return -1; }
    void SetParentColumn(GridColumnSeam*) override {}

    // A column of the band, kept in its Columns (the returned pointer holds
    // no reference of its own).
    FakeColumn* AddColumn(const char* name);

    FakeGrid& grid;
    std::vector<std::string> log;
    HvSelectableItem* firstVisible = nullptr;
    int bindingUpdates = 0;

private:
    HvColumns* columns_ = nullptr;
};

// The grid: its layout and control in one object.
class FakeGrid final : public SelectionLayoutSeam, public SelectionControlSeam {
public:
    FakeGrid();
    ~FakeGrid();

    // SelectionLayoutSeam
    SelectionControlSeam* GridControl() override { return shown ? this : nullptr; }
    bool TestGridState(LONG state) override { return shown && firing == state; }

    // SelectionControlSeam
    void AddRefControl() override { ++controlRefs, ++controlHolds; }
    void ReleaseControl() override { --controlRefs; }
    bool IsEventAllowed(DISPID event) override { return allowed.count(event) != 0; }
    HRESULT SelectCellThroughHandler(HvSelectableItem* cell, bool select, bool fireEvents) override;
    HRESULT ClearSelection(LONG kind, bool fireEvents) override;
    LONG ClearAllSelections() override;
    HRESULT DeselectItem(HvSelectableItem* item, bool fireEvents) override;
    void PressHeader(HvSelectableItem*) override {}
    bool FireBeforeSortChange(GridBandSeam* band, IHvSortedCols* proposal) override;
    bool HearsSortChange() override { return hears; }
    void FireAfterSortChange(GridBandSeam* band) override;
    HvSelectableItem* GetActiveRow() override { return activeRow; }
    HvSelectableItem* GetActiveCell() override { return activeCell; }
    void SetActiveRow(HvSelectableItem* row) override;
    void SetActiveCell(HvSelectableItem* cell) override;

    // The selection machinery: Before (with the proposed count) and After,
    // cancelled when cancelSelect is set.
    HRESULT Change(LONG kind, HvSelectableItem* item, bool select, bool fireEvents);

    bool shown = true;
    LONG firing = 0;
    bool hears = true;   // a client listens to BeforeSortChange
    std::set<DISPID> allowed{1017, 1045, 1018, 1046};
    bool cancelSelect = false;
    LONG clearAllAnswer = 0;
    int controlRefs = 0;
    int controlHolds = 0;
    std::vector<std::string> log;
    std::function<bool(IHvSortedCols*)> onBeforeSort; // true cancels
    HvSelectableItem* activeRow = nullptr;
    HvSelectableItem* activeCell = nullptr;

    HvSelectedCells* cells;
    HvSelectedCols* cols;
    HvSelectedRows* rows;
};
