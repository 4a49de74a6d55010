// DisplayRow: a row of the grid as the display draws and scrolls it,
// beyond what the view style asks: the row object it stands for, its band,
// its state and appearance, its cells and its sizing. The control object,
// which sees the row model, implements it; every row a view style handles
// in a real grid is one.
#pragma once

#include "ViewStyleSeam.h"

#include <cstdint>
#include <string>

class AppearanceData;
class CAutomationObject;
class HvBand;
class HvColumnGroupImpl;
class HvKeyedItem;
class HvUIElementOwner;

class DisplayRow : public ViewStyleRow {
public:
    // The row object (not add-ref'd) and it as a collection item.
    virtual CAutomationObject* RowObject() = 0;
    virtual HvKeyedItem* RowItem() = 0;
    virtual HvBand* ModelBand() = 0;

    // State.
    virtual bool IsSelected() = 0;
    virtual bool IsActiveRow() = 0;
    virtual bool IsActivationDisabled() = 0;
    virtual bool HasDataChanged() = 0;
    virtual bool IsAddRow() = 0;
    virtual bool ShowsExpansionIndicator() = 0;
    virtual bool IsExpanded() = 0;
    // Expands or collapses with the row's events.
    virtual void SetExpanded(bool expanded) = 0;

    // Appearance: part 0 the row's cells area, 1 its row selector, 2 its
    // auto-preview.
    virtual void ResolveAppearance(AppearanceData& data, std::uint32_t mask, bool alternate, int part) = 0;

    // Sizing.
    virtual bool IsFixedHeight() = 0;
    virtual long MinHeight() = 0;
    // Applies a height in pixels (with the row's resize events).
    virtual void Resize(long pixels) = 0;
    // The auto-preview's height (0 for none) and the owner of its text.
    virtual long AutoPreviewHeight() = 0;
    virtual HvUIElementOwner* AutoPreviewOwner() = 0;
    // The text a scroll tip shows for the row.
    virtual std::wstring ScrollTipText() = 0;
    // Makes the row the control's active row, with the activation events.
    virtual void Activate() = 0;

    // Cells by their column's shared part.
    // The cell object (not add-ref'd; the row keeps it), or null.
    virtual CAutomationObject* CellObject(HvColumnGroupImpl* column) = 0;
    virtual HvUIElementOwner* CellOwner(HvColumnGroupImpl* column) = 0;
    virtual void ResolveCellAppearance(HvColumnGroupImpl* column, AppearanceData& data, std::uint32_t mask,
                                       bool alternate) = 0;
    // Draw-state bits of the cell's own (selected 2, active 1, disabled 8).
    virtual long CellState(HvColumnGroupImpl* column) = 0;
    // The column's resolved Style for the row's cell (0 the default).
    virtual long CellStyle(HvColumnGroupImpl*) { return 0; }
    virtual void EnterEditMode(HvColumnGroupImpl* column) = 0;
    // The button the cell shows beside its value: its element type (6300
    // the drop-down button), 0 for none. keepsRoom: whether the text leaves
    // room for a button, shown or not; textAlign is the cell's resolved
    // TextAlign (0 when unset).
    virtual long CellButton(HvColumnGroupImpl*, long textAlign, bool* keepsRoom)
    {
        (void)textAlign;
        *keepsRoom = false;
        return 0;
    }

protected:
    ~DisplayRow() = default;
};

inline DisplayRow& DisplayRowOf(ViewStyleRow& row)
{
    return static_cast<DisplayRow&>(row);
}
