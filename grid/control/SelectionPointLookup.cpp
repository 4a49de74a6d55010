// Finding what a mouse selection points at.
#include "SelectionPointLookup.h"

#include "HvSelectableItem.h"

#include <windowsx.h>

namespace {

enum Kind { RowKind = 0, CellKind = 1, ColumnKind = 2 };

POINT Unpack(LPARAM packed)
{
    return POINT{GET_X_LPARAM(packed), GET_Y_LPARAM(packed)};
}

} // namespace

HvSelectableItem* SelectionPointLookup::CellAtPoint(LPARAM packed, const void* rowRegion, const void* colRegion)
{
    CellElementHit hit;
    if (!m_host.CellElementAt(Unpack(packed), hit))
        return nullptr;
    if ((rowRegion && hit.rowRegion != rowRegion) || (colRegion && hit.colRegion != colRegion))
        return nullptr;
    return hit.item;
}

HvSelectableItem* SelectionPointLookup::ColumnAtPoint(POINT point, const void* header, HvSelectableItem* current)
{
    const LPARAM packed = MAKELPARAM(point.x, point.y);
    HvSelectableItem* under = CellAtPoint(packed, m_host.ActiveRowRegion(), m_host.ActiveColRegion());
    if (under && m_host.ItemKind(under) == ColumnKind && under->OwnerBand() == current->OwnerBand())
        return under;
    HvSelectableItem* column = header ? m_host.ColumnInHeaderAt(header, current, point) : nullptr;
    return column ? column : current;
}

HvSelectableItem* SelectionPointLookup::SelectableItemAtPoint(LPARAM packed, HvSelectableItem* current)
{
    if (!current)
        return nullptr;
    const POINT point = Unpack(packed);
    const int kind = m_host.ItemKind(current);
    if (kind != RowKind && kind != CellKind && kind != ColumnKind)
        return current;
    HvSelectableItem* row = nullptr;
    if (kind != ColumnKind) {
        if (!m_host.ActiveRowRegion())
            return current;
        row = m_host.RowAt(point.y);
    }
    const void* header = nullptr;
    if (kind != RowKind) {
        if (!m_host.ActiveColRegion())
            return current;
        header = m_host.HeaderAt(point.x);
    }
    if (kind == RowKind)
        return row ? row : current;
    if (kind == ColumnKind)
        return ColumnAtPoint(point, header, current);
    if (!row || !header)
        return current;
    HvSelectableItem* column = m_host.ColumnInRowAt(header, row, point);
    HvSelectableItem* cell = column ? row->GetCell(column) : nullptr;
    return cell ? cell : current;
}
