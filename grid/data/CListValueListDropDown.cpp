// CListValueListDropDown: the drop-down-list style's list.
#include "CListValueListDropDown.h"

#include "CellEditor.h"
#include "HvCell.h"

namespace {
constexpr DWORD ListStyle = CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_NOINTEGRALHEIGHT;
}

CListValueListDropDown::CListValueListDropDown(CellEditor& editor, HWND owner)
    : CValueListDropDown(editor, owner, ListStyle)
{
}

LRESULT CListValueListDropDown::OnCloseUp()
{
    if (cell_ && editor_.Host()->ActiveCell() == cell_ && cell_->IsActive())
        editor_.Host()->MarkCellChanged(cell_);
    return CValueListDropDown::OnCloseUp();
}

bool CListValueListDropDown::TextDiffers(HvCell* cell, const std::wstring& text)
{
    std::wstring shown;
    return !editor_.GetValueText(cell, &shown) || shown != text;
}

void CListValueListDropDown::PutText(HvCell* cell, const std::wstring& text)
{
    editor_.SetEditText(cell, text);
}
