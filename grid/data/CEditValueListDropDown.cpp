// CEditValueListDropDown: the editable value-list styles' list.
#include "CEditValueListDropDown.h"

#include "CellEditor.h"

namespace {
constexpr DWORD EditListStyle = CBS_DROPDOWN | CBS_OWNERDRAWVARIABLE | CBS_NOINTEGRALHEIGHT;
}

CEditValueListDropDown::CEditValueListDropDown(CellEditor& editor, HWND owner)
    : CValueListDropDown(editor, owner, EditListStyle)
{
}

LRESULT CEditValueListDropDown::OnEditChange()
{
    if (HvCell* cell = EditedCell()) {
        VARIANT empty;
        VariantInit(&empty);
        editor_.SetPendingValue(cell, empty);
    }
    return 1;
}

LRESULT CEditValueListDropDown::OnCloseUp()
{
    HvEditWindow& edit = editor_.Edit();
    if (HWND window = edit.Handle()) {
        SendMessageW(window, EM_SETSEL, 0, -1);
        if (edit.IsVisible())
            SetFocus(window);
    }
    return CValueListDropDown::OnCloseUp();
}

bool CEditValueListDropDown::TextDiffers(HvCell*, const std::wstring& text)
{
    return editor_.Edit().Text() != text;
}

void CEditValueListDropDown::PutText(HvCell*, const std::wstring& text)
{
    editor_.Edit().SetText(text);
    if (HWND window = editor_.Edit().Handle())
        SendMessageW(window, EM_SETSEL, 0, -1);
}
