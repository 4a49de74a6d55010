// SelectionListBuilder: adds one row, or the cells of one row, to a
// selection list during a range selection, with the grid's selection rules
// and the band's limits, or, without the rules, takes over only the items
// already marked selected.
#pragma once

#include "SelectionRulesHost.h"

#include <vector>

class SelectionListBuilder
{
public:
    // The band's selection limit is reached; the item was not added.
    static constexpr HRESULT TooManyItems = static_cast<HRESULT>(0x800A9C5E);

    // host is not owned.
    explicit SelectionListBuilder(SelectionRulesHost& host) : m_host(host) {}

    // extend: the count of items that the caller will add besides the list.
    HRESULT AddRowToSelectionList(HvSelectableItem* row, SelectionListTarget& list, bool applyRules, LONG extend);
    HRESULT AddRowCellsToSelectionList(HvSelectableItem* row, const std::vector<HvSelectableItem*>& columns,
                                       SelectionListTarget& list, bool applyRules, LONG extend);

private:
    // Whether the item is to be added; TooManyItems when the limit stops it.
    HRESULT Admit(HvSelectableItem* item, LONG limit, SelectionListTarget& list, bool applyRules, LONG extend,
                  bool& admit);

    SelectionRulesHost& m_host;
};
