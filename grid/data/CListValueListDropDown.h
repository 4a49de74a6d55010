// CListValueListDropDown: the list of the drop-down-list style, where the
// cell shows only entries of the list: a chosen entry's text becomes the
// cell's edit text, and the cell is redrawn when the list closes.
#pragma once

#include "CValueListDropDown.h"

class CListValueListDropDown final : public CValueListDropDown {
public:
    CListValueListDropDown(CellEditor& editor, HWND owner);

    LRESULT OnCloseUp() override;

protected:
    bool TextDiffers(HvCell* cell, const std::wstring& text) override;
    void PutText(HvCell* cell, const std::wstring& text) override;
};
