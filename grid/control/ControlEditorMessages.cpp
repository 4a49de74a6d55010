// ControlEditor: the grid window's messages for the editor windows, and the
// live editor following a change of the active cell's column.
#include "ControlEditor.h"

#include "ChangeNotice.h"
#include "ChangePublisher.h"
#include "EditColumnSeam.h"
#include "HvColumn.h"
#include "HvLayout.h"
#include "HvTavelle.h"

#include <commctrl.h>

namespace {

constexpr DISPID ActivationId = 1081;
constexpr DISPID CaseId = 1112;
constexpr DISPID StyleId = 1132;
constexpr DISPID ValueListId = 1133;

// The column among the publishers a notice passed through, innermost last.
HvColumn* ColumnIn(const ChangeNotice* notice, DISPID* what)
{
    int depth = 0;
    for (const ChangeNotice* inner = notice; inner && depth < 16;
         inner = reinterpret_cast<const ChangeNotice*>(inner->argument), ++depth) {
        if (inner->publisher && inner->publisher->KindCode() == HvColumn::Kind) {
            *what = inner->what;
            return dynamic_cast<HvColumn*>(inner->publisher);
        }
    }
    return nullptr;
}

} // namespace

bool ControlEditor::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return editor_.OnGridCommand(wParam, lParam);
}

bool ControlEditor::OnNotify(LPARAM lParam)
{
    HvCell* cell = editor_.EditingCell();
    if (!cell || !editor_.Calendar().IsVisible() || editor_.StyleOf(cell) != hvStyleDropDownCalendar)
        return false;
    return editor_.OnGridNotify(reinterpret_cast<const NMHDR*>(lParam));
}

bool ControlEditor::OnOwnerDraw(UINT message, LPARAM lParam, LRESULT* result)
{
    return editor_.OnOwnerDraw(message, lParam, result);
}

bool ControlEditor::OnControlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_CTLCOLORLISTBOX) {
        // The dropped list box of the shown list takes its clicks through it.
        if (CSimpleDropDown* list = CSimpleDropDown::FromWindow(GridWindow()))
            list->SubclassWindow(reinterpret_cast<HWND>(lParam));
        return false;
    }
    HvEditWindow& edit = editor_.Edit();
    if (!edit.Handle() || reinterpret_cast<HWND>(lParam) != edit.Handle() || !edit.Brush())
        return false;
    // WM_CTLCOLOREDIT, or WM_CTLCOLORSTATIC for a read-only window.
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, edit.TextColor());
    SetBkColor(dc, edit.BackColor());
    *result = reinterpret_cast<LRESULT>(edit.Brush());
    return true;
}

bool ControlEditor::PreTranslateKey(const MSG& message)
{
    HvCell* cell = control_.GetActiveCell();
    if (!cell)
        return false;
    const WPARAM key = message.wParam;
    const bool arrow = key >= VK_LEFT && key <= VK_DOWN;
    const bool listDown = editor_.DropDowns().IsShowing(cell);
    if ((arrow && cell->IsInEditMode()) || ((key == VK_RETURN || key == VK_ESCAPE) && listDown)) {
        CValueListDropDown* list = cell->IsInEditMode() ? editor_.DropDowns().Get(cell) : nullptr;
        HWND target = nullptr;
        if (list && list->IsDroppedDown())
            target = list->Window();
        else if (editor_.Edit().IsVisible())
            target = editor_.Edit().Handle();
        else if (editor_.Calendar().IsVisible())
            target = editor_.Calendar().Handle();
        else if (list)
            target = list->Window();
        if (target)
            SendMessageW(target, message.message, message.wParam, message.lParam);
        return true;
    }
    if (message.message != WM_KEYDOWN || cell->IsInEditMode())
        return false;
    EditColumnSeam* column = ColumnOf(cell);
    const LONG style = column ? column->Style() : 0;
    const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool click = (key == VK_RETURN && (style == hvStyleButton || style == hvStyleEditButton) &&
                        !(column->IsMultiLine() && ctrl)) ||
                       (key == VK_SPACE && style == hvStyleButton);
    if (!click)
        return false;
    FireClickCellButton(cell);
    return true;
}

void ControlEditor::OnGridSized()
{
    if (HvCell* cell = editor_.EditingCell(); cell && editor_.Edit().IsVisible())
        editor_.RepositionEditWindow(cell);
}

void ControlEditor::OnLayoutNotice(const ChangeNotice* notice)
{
    DISPID what = 0;
    HvColumn* column = ColumnIn(notice, &what);
    if (column && control_.IsActiveCellColumn(column))
        OnColumnChanged(column, what);
}

void ControlEditor::OnColumnChanged(HvColumn* column, DISPID what)
{
    HvCell* cell = control_.GetActiveCell();
    if (!cell)
        return;
    switch (what) {
    case CaseId:
        if (cell->IsInEditMode())
            editor_.Edit().SetCase(column->Settings().caseClipMode & 0x0F);
        break;
    case ActivationId:
        // A disabled column keeps no active cell; what was typed is kept.
        if ((column->Settings().autoSizeEditActivation >> 4) == hvActivationDisabled) {
            if (cell->IsInEditMode())
                editor_.ExitEditMode(cell, false, true);
            control_.SetActiveCellInternal(nullptr);
        }
        break;
    case StyleId:
    case ValueListId: {
        // The list is made again for the new style or list, placed where it was.
        const bool showing = cell->IsInEditMode() && editor_.DropDowns().IsShowing(cell);
        editor_.DropDowns().Reset();
        if (showing)
            editor_.DropDowns().DropDownIfClosed(cell);
        break;
    }
    default:
        break;
    }
}

// --- drop-downs of the active cell ------------------------------------------------

bool ControlEditor::IsDropDownShowing(HvCell* cell)
{
    return cell && cell == control_.GetActiveCell() && editor_.DropDowns().IsShowing(cell);
}

// Dropping a cell's list down puts it into edit mode first.
HRESULT ControlEditor::DropDown(HvCell* cell)
{
    if (!cell || cell != control_.GetActiveCell())
        return S_FALSE;
    if (!cell->IsInEditMode())
        editor_.EnterEditMode(cell, false);
    if (!CAutomationObject::IsActive(cell) || !cell->IsInEditMode())
        return S_FALSE;
    editor_.DropDowns().DropDownIfClosed(cell);
    return S_OK;
}

HRESULT ControlEditor::CloseDropDown(HvCell* cell)
{
    if (!IsDropDownShowing(cell))
        return S_FALSE;
    editor_.DropDowns().Close(cell);
    return S_OK;
}
