// EditorDropDowns: opening, closing and completing from the cell's lists.
#include "EditorDropDowns.h"

#include "CEditValueListDropDown.h"
#include "CListValueListDropDown.h"
#include "CellEditor.h"
#include "EditColumnSeam.h"
#include "HvCell.h"
#include "HvValueList.h"

#include <commctrl.h>

#include <algorithm>

namespace {

bool IsListStyle(LONG style)
{
    return style == hvStyleDropDown || style == hvStyleDropDownList || style == hvStyleDropDownValidate;
}

bool BeginsWith(const std::wstring& text, const std::wstring& prefix)
{
    if (text.size() < prefix.size())
        return false;
    if (prefix.empty())
        return text.empty();
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE | NORM_IGNOREWIDTH, text.data(),
                          static_cast<int>(prefix.size()), prefix.data(),
                          static_cast<int>(prefix.size())) == CSTR_EQUAL;
}

} // namespace

EditorDropDowns::~EditorDropDowns() { Reset(); }

void EditorDropDowns::Reset()
{
    list_.reset();
    column_ = nullptr;
    style_ = 0;
}

CValueListDropDown* EditorDropDowns::Get(HvCell* cell)
{
    EditColumnSeam* column = cell ? editor_.ColumnOf(cell) : nullptr;
    const LONG style = column ? column->Style() : 0;
    if (!column || !IsListStyle(style) || !column->ValueList())
        return nullptr;
    if (list_ && list_->IsCreated() && column_ == column && style_ == style)
        return list_.get();
    Reset();
    HWND grid = editor_.Host()->GridWindow();
    if (style == hvStyleDropDownList)
        list_ = std::make_unique<CListValueListDropDown>(editor_, grid);
    else
        list_ = std::make_unique<CEditValueListDropDown>(editor_, grid);
    if (!list_->IsCreated()) {
        list_.reset();
        return nullptr;
    }
    column_ = column;
    style_ = style;
    column->ValueList()->AddItemsTo(*list_);
    return list_.get();
}

bool EditorDropDowns::IsShowing(HvCell* cell)
{
    if (editor_.Calendar().IsVisible())
        return true;
    return list_ && cell && editor_.ColumnOf(cell) == column_ && list_->IsDroppedDown();
}

bool EditorDropDowns::AutoCompleteText(std::wstring* text)
{
    if (!list_ || !list_->IsCreated())
        return false;
    const int count = list_->GetCount();
    for (int i = 0; i < count; ++i) {
        const std::wstring entry = CValueListDropDown::TextOf(list_->ItemAt(i));
        if (BeginsWith(entry, *text)) {
            SendMessageW(list_->Window(), CB_SETCURSEL, i, 0);
            *text = entry;
            return true;
        }
    }
    SendMessageW(list_->Window(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    return false;
}

void EditorDropDowns::OpenList(HvCell* cell, CValueListDropDown* list)
{
    EditorHost* host = editor_.Host();
    EditColumnSeam* column = editor_.ColumnOf(cell);
    EditorLook look;
    host->ResolveEditorLook(cell, &look);
    list->SetFont(look.font);
    column->ValueList()->AddItemsTo(*list);
    RECT rect{};
    if (!host->GetCellTextRect(cell, &rect))
        return;
    const LONG wanted = list->ListRect().right - list->ListRect().left;
    if (wanted > rect.right - rect.left)
        rect.left = std::max(0L, rect.right - wanted);
    if (host->FireBeforeCellListDropDown(cell) || editor_.EditingCell() != cell)
        return;
    std::wstring text;
    if (column->Style() == hvStyleDropDownList) {
        editor_.GetValueText(cell, &text);
        host->MarkCellChanged(cell);
    } else {
        text = editor_.Edit().Text();
    }
    AutoCompleteText(&text);
    list->SetCell(cell);
    list->ShowAt(column, rect, look.font);
    list->ShowDropDown(true);
}

void EditorDropDowns::ToggleCalendar(HvCell* cell)
{
    EditorHost* host = editor_.Host();
    HvCalendarWindow& calendar = editor_.Calendar();
    if (calendar.IsVisible()) {
        Close(cell);
        return;
    }
    const bool fromValue = !editor_.Edit().IsVisible();
    editor_.Edit().Hide();
    if (host->FireBeforeCellListDropDown(cell) || editor_.EditingCell() != cell)
        return;
    DropDownCalendar(cell, fromValue);
}

void EditorDropDowns::Toggle(HvCell* cell)
{
    if (!cell || editor_.EditingCell() != cell)
        return;
    if (editor_.StyleOf(cell) == hvStyleDropDownCalendar) {
        ToggleCalendar(cell);
        return;
    }
    CValueListDropDown* list = Get(cell);
    if (!list)
        return;
    if (list->IsDroppedDown())
        list->ShowDropDown(false);
    else
        OpenList(cell, list);
}

void EditorDropDowns::DropDownIfClosed(HvCell* cell)
{
    if (!IsShowing(cell))
        Toggle(cell);
}

void EditorDropDowns::Close(HvCell* cell)
{
    HvCalendarWindow& calendar = editor_.Calendar();
    if (calendar.IsVisible()) {
        calendar.Hide();
        // A cell still being edited goes on in its EDIT window, as when the
        // calendar is toggled shut.
        if (cell && editor_.EditingCell() == cell)
            editor_.SetUpEditWindow(cell, false, false);
        if (cell && cell->IsActive())
            editor_.Host()->FireAfterCellListCloseUp(cell);
        return;
    }
    // The combo's close-up notice raises the event.
    if (list_ && list_->IsDroppedDown())
        list_->ShowDropDown(false);
}

void EditorDropDowns::DropDownCalendar(HvCell* cell, bool fromValue)
{
    if (!cell || !cell->IsEditable())
        return;
    EditorHost* host = editor_.Host();
    RECT button{};
    if (!host->GetCellButtonRect(cell, &button) && !host->GetCellTextRect(cell, &button))
        return;
    OffsetRect(&button, 0, -1);
    MapWindowPoints(host->GridWindow(), nullptr, reinterpret_cast<POINT*>(&button), 2);
    HvCalendarWindow& calendar = editor_.Calendar();
    HWND window = calendar.Create(button);
    if (!window)
        return;
    EditorLook look;
    host->ResolveEditorLook(cell, &look);
    SendMessageW(window, MCM_SETCOLOR, MCSC_MONTHBK, look.backColor);
    SendMessageW(window, MCM_SETCOLOR, MCSC_TEXT, look.foreColor);
    if (look.font)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(look.font), TRUE);
    calendar.Position(button);
    VARIANT value;
    VariantInit(&value);
    if (fromValue) {
        cell->get_Value(&value);
        VARIANT text;
        VariantInit(&text);
        if (value.vt != VT_NULL && SUCCEEDED(VariantChangeType(&text, &value, 17, VT_BSTR))) {
            const std::wstring shown(text.bstrVal, SysStringLen(text.bstrVal));
            editor_.SetEditText(cell, shown);
            editor_.Edit().SetText(shown);
        }
        VariantClear(&text);
    } else {
        const std::wstring typed = editor_.Edit().Text();
        editor_.SetEditText(cell, typed);
        BSTR text = SysAllocStringLen(typed.data(), static_cast<UINT>(typed.size()));
        if (text)
            editor_.ColumnOf(cell)->ParseEditText(text, &value);
        SysFreeString(text);
    }
    calendar.SetDate(value);
    VariantClear(&value);
    calendar.Show();
}
