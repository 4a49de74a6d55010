// AddNewBoxStaircase: where the add-new box puts its prompt and its buttons,
// one per shown band, each band's button below the one before it and right
// of its parent band's, joined to it by an L-shaped connector. The box's
// elements are placed by it and the layout sizes the box from it, so that
// the box always holds its last button.
#pragma once

#include <windows.h>

#include <vector>

class HvAddNewBox;
class HvBand;
class HvLayout;

struct AddNewBoxStaircase {
    // Band levels that are followed; deeper bands get no button.
    static constexpr int MaxLevels = 100;
    // Space between the box's inner edges and what it holds.
    static constexpr int Margin = 4;
    // Extra width of a button around its text, besides its borders.
    static constexpr int ButtonPadding = 8;
    // Step down from one button to the next.
    static constexpr int RowStep = 6;
    // Gap between a parent's connector line and its child's button.
    static constexpr int ChildGap = 10;

    struct Button {
        HvBand* band = nullptr;
        RECT rect{};
        // The connector from the parent band's button (none for a top band).
        bool joined = false;
        RECT connector{};
    };

    bool hasPrompt = false;
    RECT prompt{};
    long buttonHeight = 0;
    std::vector<Button> buttons;
    // The lowest edge of what is placed, the bottom margin included.
    long bottom = 0;

    // The plan inside area (the box's rectangle less its borders).
    static AddNewBoxStaircase Plan(HvLayout& layout, HvAddNewBox& box, const RECT& area);
};
