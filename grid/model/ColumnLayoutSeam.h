// ColumnLayoutSeam: what columns, groups and headers need of the layout
// that owns their band, and through it of the grid that shows it: units,
// appearances and value lists, the event gate and the position events, the
// design-mode and enabled state, and the re-layout they cause.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <Tavelle.h>

#include <string>

class AppearanceData;
class BandsLayoutSeam;
class HvColScrollRegions;
class HvColumn;
class HvColumnGroupImpl;
class HvValueLists;
class LayoutUnitsSeam;
class SelectionControlSeam;
class SelectionLayoutSeam;
class ValueListLayoutSeam;
struct AppearanceRequest;

class ColumnLayoutSeam {
public:
    virtual LayoutUnitsSeam* Units() = 0;
    // Host (errors, default font, liveness) and Appearances.
    virtual ValueListLayoutSeam* ValueListLayout() = 0;
    virtual SelectionLayoutSeam* SelectionLayout() = 0;
    // Column metrics and scroll regions marked dirty.
    virtual BandsLayoutSeam* BandsLayout() = 0;
    // The layout's ValueLists, null when it has none.
    virtual HvValueLists* ValueLists() = 0;
    // The column scroll regions, in which a header finds its exclusive
    // region again when it is loaded; null when there are none.
    virtual HvColScrollRegions* HeaderRegions() { return nullptr; }

    // The layout is shown by a grid whose events may fire now.
    virtual bool CanFireEvents() = 0;
    virtual bool IsDesignMode() = 0;
    // The layout's Enabled setting.
    virtual bool IsEnabled() = 0;
    // The container's scale mode is twips.
    virtual bool ContainerUsesTwips() = 0;
    // Pixels and twips by the display's DPI (persistence).
    virtual LONG FixedPixelsToTwipsX(LONG pixels) = 0;
    virtual LONG FixedTwipsToPixelsX(LONG twips) = 0;
    // The layout is its grid's displayed layout and a reset of the whole
    // layout is running.
    virtual bool IsGridLayoutResetting() = 0;

    // The position events; the Before events answer true when cancelled.
    // Nothing is fired (and false answered) without a grid.
    virtual bool FireBeforeColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) = 0;
    virtual void FireAfterColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) = 0;
    virtual bool FireBeforeGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) = 0;
    virtual void FireAfterGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) = 0;

    // The last level of a header resolution: the system colours for back,
    // border and fore colour and the layout's defaults.
    virtual void ApplyDefaultAppearance(AppearanceData& block, AppearanceRequest& request) = 0;

    // The grid's editing as a column's input mask meets it: the EDIT window
    // (null when none), whether the grid's active cell lies in the column,
    // and the report of a text the mask refused. Nothing without a grid.
    virtual HWND GridEditWindow() = 0;
    virtual bool IsActiveCellColumn(HvColumn* column) = 0;
    virtual void ReportMaskError(const std::wstring& text, short position) = 0;
    // A press on the swap button of item's header, whose element lies at
    // header (grid client pixels): the grid's swap list opens under it, or
    // closes when it is open. Nothing without a grid.
    virtual void PressSwapButton(HvColumnGroupImpl* item, const RECT& header)
    {
        (void)item;
        (void)header;
    }
    // The swap list is dropped down for item's header.
    virtual bool IsSwapListOpenFor(HvColumnGroupImpl* item)
    {
        (void)item;
        return false;
    }

protected:
    ~ColumnLayoutSeam() = default;
};
