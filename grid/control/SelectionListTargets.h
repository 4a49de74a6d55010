// The grid's selected rows and cells as targets of the range helpers.
#pragma once

#include "HvSelectedCells.h"
#include "HvSelectedRows.h"
#include "SelectionRulesHost.h"

class SelectedRowsTarget final : public SelectionListTarget
{
public:
    // list is not owned.
    explicit SelectedRowsTarget(HvSelectedRows& list) : m_list(list) {}
    LONG Count() override { return m_list.ItemCount(); }
    HRESULT Add(HvSelectableItem* item, bool flag) override { return m_list.SelectRow(item, flag); }

private:
    HvSelectedRows& m_list;
};

class SelectedCellsTarget final : public SelectionListTarget
{
public:
    // list is not owned.
    explicit SelectedCellsTarget(HvSelectedCells& list) : m_list(list) {}
    LONG Count() override { return m_list.ItemCount(); }
    HRESULT Add(HvSelectableItem* item, bool flag) override { return m_list.SelectCell(item, flag); }

private:
    HvSelectedCells& m_list;
};
