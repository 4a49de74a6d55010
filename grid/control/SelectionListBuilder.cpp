// Range selection: one row, or one row's cells, into a selection list.
#include "SelectionListBuilder.h"

#include "HvSelectableItem.h"

HRESULT SelectionListBuilder::Admit(HvSelectableItem* item, LONG limit, SelectionListTarget& list, bool applyRules,
                                    LONG extend, bool& admit)
{
    admit = false;
    const bool marked = m_host.IsMarkedSelected(item);
    if (!applyRules) {
        admit = marked && !m_host.IsSelectionPivot(item);
        return S_OK;
    }
    if (m_host.IsHiddenOrDisabled(item))
        return S_OK;
    // The pivot of the range is selected by the caller, not by the walk.
    if (!marked && m_host.IsSelectionPivot(item))
        return S_OK;
    if (extend != 0 && marked)
        return S_OK;
    // One place stays free for the pivot. A limit below 1 (0, or a negative
    // value from a stored layout) is no limit.
    if (limit >= 1 && list.Count() + extend >= limit - 1)
        return TooManyItems;
    admit = true;
    return S_OK;
}

HRESULT SelectionListBuilder::AddRowToSelectionList(HvSelectableItem* row, SelectionListTarget& list,
                                                    bool applyRules, LONG extend)
{
    if (!row)
        return E_INVALIDARG;
    const LONG limit = applyRules ? m_host.MaxSelectedRows(row) : 0;
    bool admit = false;
    const HRESULT hr = Admit(row, limit, list, applyRules, extend, admit);
    if (hr != S_OK || !admit)
        return hr;
    return list.Add(row, extend != 0);
}

HRESULT SelectionListBuilder::AddRowCellsToSelectionList(HvSelectableItem* row,
                                                         const std::vector<HvSelectableItem*>& columns,
                                                         SelectionListTarget& list, bool applyRules, LONG extend)
{
    if (!row)
        return E_INVALIDARG;
    if (applyRules && m_host.IsHiddenOrDisabled(row))
        return S_OK;
    const LONG limit = applyRules ? m_host.MaxSelectedCells(row) : 0;
    for (HvSelectableItem* column : columns) {
        HvSelectableItem* cell = column ? row->GetCell(column) : nullptr;
        if (!cell)
            continue;
        bool admit = false;
        HRESULT hr = Admit(cell, limit, list, applyRules, extend, admit);
        if (hr != S_OK)
            return hr;
        if (!admit)
            continue;
        hr = list.Add(cell, extend != 0);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}
