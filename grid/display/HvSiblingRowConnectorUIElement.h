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

    HCURSOR GetCursor() override;
    CAutomationObject* GetContextObject() override { return nullptr; }
    CAutomationObject* GetRow() override;
    CAutomationObject* GetBand() override;
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;
    void DrawBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawPictureBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawBorders(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

private:
    HvSiblingRowConnectorUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
    ~HvSiblingRowConnectorUIElement() override;

    DisplayRow* row_ = nullptr; // one reference
    bool continued_ = false;
};
