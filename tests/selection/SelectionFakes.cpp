// Fixtures of the selection, sort and click-handler tests.
#include "SelectionFakes.h"

#include "HvColumns.h"
#include "HvGroupCols.h"
#include "HvSelectedCells.h"
#include "HvSelectedCols.h"
#include "HvSelectedRows.h"

namespace {

const char* KindName(LONG kind)
{
    return kind == 0 ? "rows" : kind == 1 ? "cells" : "cols";
}

} // namespace

template <class TInterface>
SelectionBandSeam* FakeItem<TInterface>::OwnerBand()
{
    return band_;
}

template <class TInterface>
SelectionLayoutSeam* FakeItem<TInterface>::Layout()
{
    return grid_;
}

template <class TInterface>
SelectionControlSeam* FakeItem<TInterface>::GridControl()
{
    return grid_ ? grid_->GridControl() : nullptr;
}

template <class TInterface>
LONG FakeItem<TInterface>::Activate(bool enterEdit, LONG arg, LONG arg2)
{
    activations.push_back(std::to_string(enterEdit) + std::to_string(arg) + std::to_string(arg2));
    if (grid_)
        grid_->SetActiveCell(this);
    if (enterEdit)
        ++editEntered;
    return 0;
}

template <class TInterface>
HvSelectableItem* FakeItem<TInterface>::GetCell(HvSelectableItem* column)
{
    for (auto& entry : cells)
        if (entry.first == column)
            return entry.second;
    return nullptr;
}

template class FakeItem<IHvCellStub>;
template class FakeItem<IHvRowStub>;
template class FakeItem<IHvColumnStub>;
template class FakeItem<IHvGroupStub>;

FakeGroup::FakeGroup(FakeGrid* grid, FakeBand* band, const char* name)
    : FakeItem<IHvGroupStub>(ObjectType::HvGroup, grid, band, name)
{
}

FakeGroup::~FakeGroup()
{
    if (cols_) {
        cols_->ClearCollection(true, 1);
        cols_->Release();
    }
}

HvGroupCols* FakeGroup::GetGroupCols(bool create)
{
    if (!cols_ && create)
        HvGroupCols::Create(this, false, &cols_);
    return cols_;
}

void FakeGroup::Take(FakeColumn* column)
{
    GetGroupCols(true)->InsertListCollectionItem(-1, column, true, 0);
}

FakeColumn::FakeColumn(FakeGrid* grid, FakeBand* band, const char* name, FakeColumn* copyOf)
    : FakeItem<IHvColumnStub>(ObjectType::HvColumn, grid, band, name), copyOf_(copyOf)
{
    if (copyOf_)
        copyOf_->AddRef();
}

FakeColumn::~FakeColumn()
{
    if (copyOf_)
        copyOf_->Release();
}

void FakeColumn::SetSortIndicator(LONG value)
{
    indicator = value;
    if (!copyOf_)
        ++notices;
}

HvKeyedItem* FakeColumn::CreateLevelCopy(SHORT)
{
    if (!canCopy)
        return nullptr;
    auto* copy = new FakeColumn(grid_, band_, name.c_str(), this);
    copy->indicator = indicator;
    return copy;
}

LONG FakeColumn::GetCollectionIndex()
{
    HvColumns* columns = band_ ? band_->Columns() : nullptr;
    return columns ? columns->ColumnPosition(this) : -1;
}

bool FakeColumn::IsSameKey(GridColumnSeam* other)
{
    auto* column = dynamic_cast<FakeColumn*>(other);
    return column && column->name == name;
}

FakeBand::FakeBand(FakeGrid& grid) : grid(grid)
{
    HvColumns::Create(this, &columns_);
}

FakeBand::~FakeBand()
{
    if (columns_) {
        columns_->ClearCollection(true, 1);
        columns_->Release();
    }
}

FakeColumn* FakeBand::AddColumn(const char* name)
{
    auto* column = new FakeColumn(&grid, this, name);
    columns_->InsertVectorCollectionItem(-1, column, false, 0);
    return column;
}

HRESULT FakeBand::SelectColumn(HvSelectableItem* column, bool select, bool fireEvents)
{
    return grid.Change(2, column, select, fireEvents);
}

HRESULT FakeBand::SelectRow(HvSelectableItem* row, bool select, bool fireEvents)
{
    return grid.Change(0, row, select, fireEvents);
}

HRESULT FakeBand::SelectCell(HvSelectableItem* cell, LONG flag1, LONG flag2)
{
    log.push_back("select-cell " + std::to_string(flag1) + std::to_string(flag2));
    return grid.Change(1, cell, flag1 != 0, flag2 != 0);
}

void FakeBand::InvokeCellSelectStrategy(HvSelectableItem* item, LONG flag1, LONG flag2, LONG arg)
{
    auto* cell = dynamic_cast<FakeCell*>(item);
    log.push_back("cell-strategy " + (cell ? cell->name : std::string("-")) + " " + std::to_string(flag1) +
                  std::to_string(flag2) + std::to_string(arg));
}

void FakeBand::InvokeRowSelectStrategy(HvSelectableItem* row, LONG flag1, LONG flag2)
{
    auto* fake = dynamic_cast<FakeRow*>(row);
    log.push_back("row-strategy " + (fake ? fake->name : std::string("-")) + " " + std::to_string(flag1) +
                  std::to_string(flag2));
}

FakeGrid::FakeGrid()
    : cells(HvSelectedCells::Create(this, false)), cols(HvSelectedCols::Create(this, false)),
      rows(HvSelectedRows::Create(this, false))
{
}

FakeGrid::~FakeGrid()
{
    cells->Release();
    cols->Release();
    rows->Release();
}

HRESULT FakeGrid::Change(LONG kind, HvSelectableItem* item, bool select, bool fireEvents)
{
    log.push_back(std::string(select ? "select " : "unselect ") + KindName(kind) + (fireEvents ? " events" : ""));
    if (fireEvents) {
        log.push_back("before");
        if (cancelSelect)
            return S_OK;
    }
    HRESULT hr = S_OK;
    if (select) {
        hr = kind == 0 ? rows->SelectRow(item, true) : kind == 1 ? cells->SelectCell(item, true)
                                                                : cols->SelectColumn(item, true);
    } else if (kind == 0) {
        hr = rows->DeselectRow(item);
    } else {
        hr = (kind == 1 ? static_cast<HvListCollection*>(cells) : cols)->RemoveCollectionItem(item->KeyedItem());
    }
    item->SetSelected(select);
    if (fireEvents)
        log.push_back("after");
    return hr;
}

HRESULT FakeGrid::SelectCellThroughHandler(HvSelectableItem* cell, bool select, bool fireEvents)
{
    return Change(1, cell, select, fireEvents);
}

HRESULT FakeGrid::ClearSelection(LONG kind, bool fireEvents)
{
    log.push_back(std::string("clear ") + KindName(kind) + (fireEvents ? " events" : ""));
    if (fireEvents) {
        log.push_back("before");
        if (cancelSelect)
            return S_OK;
    }
    if (kind == 0) {
        rows->ResetItemStates();
        rows->ClearChecked();
    } else if (kind == 1) {
        cells->ResetItemStates();
        cells->ClearChecked();
    } else {
        cols->ResetItemStates();
        cols->ClearChecked();
    }
    if (fireEvents)
        log.push_back("after");
    return S_OK;
}

LONG FakeGrid::ClearAllSelections()
{
    log.push_back("clear-all");
    return clearAllAnswer;
}

HRESULT FakeGrid::DeselectItem(HvSelectableItem* item, bool)
{
    log.push_back("deselect");
    if (item)
        item->SetSelected(false);
    return S_OK;
}

bool FakeGrid::FireBeforeSortChange(GridBandSeam*, IHvSortedCols* proposal)
{
    log.push_back("before-sort");
    return onBeforeSort ? onBeforeSort(proposal) : false;
}

void FakeGrid::FireAfterSortChange(GridBandSeam*)
{
    log.push_back("after-sort");
}

void FakeGrid::SetActiveRow(HvSelectableItem* row)
{
    activeRow = row;
    activeCell = nullptr;
    log.push_back("active-row " + (dynamic_cast<FakeRow*>(row) ? dynamic_cast<FakeRow*>(row)->name : std::string("-")));
}

void FakeGrid::SetActiveCell(HvSelectableItem* cell)
{
    activeCell = cell;
    auto* fake = dynamic_cast<FakeCell*>(cell);
    activeRow = fake ? fake->row : nullptr;
    log.push_back("active-cell " + (fake ? fake->name : std::string("-")));
}
