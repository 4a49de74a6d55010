// HvPreRowAreaUIElement: the column left of a row's cells that holds its
// expansion indicator and the stub of the row connector.
#pragma once

#include "HvUIElement.h"

class HvPreRowAreaUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvPreRowAreaUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    void PositionChildElements() override;
    bool HasNoChildElements() override { return false; }
    CAutomationObject* GetContextObject() override { return nullptr; }
    void DrawBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

private:
    HvPreRowAreaUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
};
