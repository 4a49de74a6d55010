// HvAddNewBoxUIElement: the add-new box at the bottom of the grid: its
// prompt, one add-new-row button per shown band placed as a staircase, and
// the connectors from each child band's button to its parent band's. It
// clips itself and its buttons.
#pragma once

#include "HvUIElement.h"

class HvAddNewBox;

class HvAddNewBoxUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvAddNewBoxUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    void PositionChildElements() override;
    bool HasNoChildElements() override { return false; }
    bool ClipsChildren() override { return true; }
    bool ClipsSelf() override { return true; }
    long GetBorderStyle() override;
    HCURSOR GetCursor() override;
    RECT GetClipRectForChildren() override;
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;

private:
    HvAddNewBoxUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    HvAddNewBox* Box();
};
