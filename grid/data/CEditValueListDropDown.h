// CEditValueListDropDown: the list of the editable value-list styles
// (drop-down and validating drop-down): a chosen entry's text goes into the
// EDIT window, and typing there clears the proposed value.
#pragma once

#include "CValueListDropDown.h"

class CEditValueListDropDown final : public CValueListDropDown {
public:
    CEditValueListDropDown(CellEditor& editor, HWND owner);

    LRESULT OnEditChange() override;
    LRESULT OnCloseUp() override;

protected:
    bool TextDiffers(HvCell* cell, const std::wstring& text) override;
    void PutText(HvCell* cell, const std::wstring& text) override;
};
