// HvRowAutoPreviewUIElement: the text a row shows across the bottom of its
// cells when its band shows an auto-preview.
#pragma once

#include "HvUIElement.h"

class HvRowAutoPreviewUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvRowAutoPreviewUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    void PositionChildElements() override;
    bool HasNoChildElements() override { return false; }
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;

private:
    HvRowAutoPreviewUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
};
