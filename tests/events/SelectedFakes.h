// Stand-ins for the selected-object tests: selectable items that are real
// automation objects, and a grid (layout, control and selection machinery)
// that records what the collections ask of it.
#pragma once

#include "HvKeyedItem.h"
#include "HvObjectBaseImpl.h"
#include "HvSelectableItem.h"
#include "InterfaceStubs.h"
#include "ObjectInfo.h"
#include "SelectedControlSeam.h"
#include "SelectionControlSeam.h"
#include "SelectionLayoutSeam.h"

#include <set>
#include <string>
#include <vector>

class SelGrid;

// A row, cell or column as the selection collections see it.
class SelItem final : public HvObjectBaseImpl<IHvColumnStub>, public HvKeyedItem, public HvSelectableItem
{
public:
    SelItem(SelGrid* grid, HvSelectableItem* row = nullptr)
        : HvObjectBaseImpl(ObjectType::HvColumn), grid_(grid), row_(row)
    {
    }

    const CDualString* GetKey() override { return nullptr; }
    const IID* GetInterfaceId() override { return Info().iid; }
    CAutomationObject* GetItemObject() override { return this; }

    HvKeyedItem* KeyedItem() override { return this; }
    void SetSelected(bool value) override { selected = value; }
    bool IsSelected() override { return selected; }
    SelectionBandSeam* OwnerBand() override { return nullptr; }
    SelectionLayoutSeam* Layout() override;
    SelectionControlSeam* GridControl() override;
    HvSelectableItem* RowItem() override { return row_; }
    bool MayActivate() override { return true; }
    LONG Activate(bool, LONG, LONG) override { return 0; }
    void EnterEditMode() override {}
    HvSelectableItem* GetCell(HvSelectableItem*) override { return nullptr; }

    bool selected = false;

private:
    ~SelItem() override = default;
    SelGrid* grid_;
    HvSelectableItem* row_;
};

// The grid: layout, control of the collections and of the selected object.
class SelGrid final : public SelectionLayoutSeam, public SelectionControlSeam, public SelectedControlSeam
{
public:
    // SelectionLayoutSeam
    SelectionControlSeam* GridControl() override { return this; }
    bool TestGridState(LONG) override { return false; }

    // SelectionControlSeam: clears are logged, nothing else is used.
    void AddRefControl() override {}
    void ReleaseControl() override {}
    bool IsEventAllowed(DISPID event) override { return allowed.count(event) != 0; }
    HRESULT SelectCellThroughHandler(HvSelectableItem*, bool, bool) override { return E_NOTIMPL; }
    HRESULT ClearSelection(LONG kind, bool fireEvents) override
    {
        log.push_back("clear " + std::to_string(kind) + (fireEvents ? " events" : ""));
        return S_OK;
    }
    LONG ClearAllSelections() override { return 0; }
    HRESULT DeselectItem(HvSelectableItem*, bool) override { return S_OK; }
    void PressHeader(HvSelectableItem*) override {}
    bool FireBeforeSortChange(GridBandSeam*, IHvSortedCols*) override { return false; }
    bool HearsSortChange() override { return true; }
    void FireAfterSortChange(GridBandSeam*) override {}
    HvSelectableItem* GetActiveRow() override { return nullptr; }
    HvSelectableItem* GetActiveCell() override { return nullptr; }
    void SetActiveRow(HvSelectableItem*) override {}
    void SetActiveCell(HvSelectableItem*) override {}

    // SelectedControlSeam
    SelectionLayoutSeam* SelectionLayout() override { return this; }
    HRESULT ClearSelectionsQuietly() override
    {
        log.push_back("control clear-all");
        return S_FALSE;
    }

    std::set<DISPID> allowed{1017, 1045};
    std::vector<std::string> log;
};

inline SelectionLayoutSeam* SelItem::Layout()
{
    return grid_;
}

inline SelectionControlSeam* SelItem::GridControl()
{
    return grid_;
}
