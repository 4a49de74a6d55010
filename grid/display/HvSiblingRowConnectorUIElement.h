// HvSiblingRowConnectorUIElement: the vertical line that joins a row to its
// next sibling, in the middle of the expansion-indicator column of the
// rows' band; child rows shown between the two lie beside it. A line that
// comes into a row region from above continues an ancestor's line.
#pragma once

#include "HvUIElement.h"

class DisplayRow;

class HvSiblingRowConnectorUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvSiblingRowConnectorUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                const RECT& rect);

    // Keeps a reference to row, the row the line hangs from.
    void SetRow(DisplayRow* row, bool continued);
    DisplayRow* Row() const { return row_; }
    bool ContinuesAncestor() const { return continued_; }

    // Cursor 107 while the pointer lies beside the connector's own row, 108
    // beside another row, the parent's beside none.
    HCURSOR GetCursor() override;
    HCURSOR GetCursorAt(POINT point) override;
    bool WantsMouseHover() override { return true; }
    // The scroll-tip text of the row beside the pointer, in the control's
    // tip just below the pointer.
    void OnMouseHover(POINT point) override;
    void OnMouseLeave() override;
    // Sets the cursor for the pointer's place and, when another row has
    // come beside the pointer since the last tip, shows that row's tip.
    void OnCtrlKeyChange(bool ctrlDown) override;
    // Activates the row beside the pointer unless it is the active row.
    bool OnDoubleClick(POINT point) override;
    CAutomationObject* GetContextObject() override { return nullptr; }
    CAutomationObject* GetRow() override;
    CAutomationObject* GetBand() override;
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;
    void DrawBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawPictureBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawBorders(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

private:
    // The row whose element lies at the point's height among the
    // connector's siblings (not referenced), or null.
    DisplayRow* RowBeside(POINT point);

    HvSiblingRowConnectorUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
    ~HvSiblingRowConnectorUIElement() override;

    DisplayRow* row_ = nullptr; // one reference
    bool continued_ = false;
    const void* lastHovered_ = nullptr; // identity only: the row of the last tip
};
