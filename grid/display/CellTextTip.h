// CellTextTip: the tip that shows the whole text of a cell whose text
// element cuts it off. It works out whether the text fits the part of the
// element that shows, and places the tip over the cell, in the cell's
// font, inside the work area of the cell's monitor.
#pragma once

#include "AppearanceData.h"

#include <windows.h>

#include <string>

class HvCellUIElement;
class HvTextUIElement;
class UIElementControlSeam;

class CellTextTip {
public:
    // The cell around text; a text of anything else is no cell text.
    explicit CellTextTip(HvTextUIElement& text);
    CellTextTip(const CellTextTip&) = delete;
    CellTextTip& operator=(const CellTextTip&) = delete;

    bool IsCellText() const { return cell_ != nullptr; }
    // The band's TipStyleCell does not hide tips and the column does not
    // render marked-up text.
    bool TipsAllowed();
    // Whether the whole text lies inside the part of the element shown.
    bool TextFits();
    // Shows the whole text in the control's tip over the cell's text.
    void Show();
    // Hides the control's tip when it has one.
    static void Hide(UIElementControlSeam* control);

private:
    std::wstring Text();

    HvTextUIElement& text_;
    HvCellUIElement* cell_ = nullptr; // not counted; the text's parent
    AppearanceData look_;
};
