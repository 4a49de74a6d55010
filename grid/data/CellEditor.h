// CellEditor: in-place editing of the active cell for one layout. It enters
// and leaves edit mode with its events and cancel rules, turns the editor's
// text into the cell's value and commits it, and owns the editor windows
// that every cell of the layout shares: the EDIT window, the month calendar
// and the value-list drop-downs. At most one grid of the process edits at a
// time; its grid window is the process-wide edit owner.
#pragma once

#include "EditorDropDowns.h"
#include "EditorHost.h"
#include "HvCalendarWindow.h"
#include "HvEditWindow.h"
#include "VariantValue.h"

#include <string>

class HvCell;

// The part of a cell that a mouse press landed on.
enum class CellPart { Text, DropDownButton, CheckBox, CellButton };

class CellEditor {
public:
    // Sent to the edit owner: leave edit mode.
    static constexpr UINT LeaveEditMessage = 0x5CA;
    // Posted to the EDIT window: a click passed on, client point in lParam.
    static constexpr UINT PassedClickMessage = 0x5C5;
    // Posted by an editor to itself: the focus left it.
    static constexpr UINT FocusLeftMessage = 0x5C8;

    explicit CellEditor(EditorHost* host);
    ~CellEditor();
    CellEditor(const CellEditor&) = delete;
    CellEditor& operator=(const CellEditor&) = delete;

    // The grid window of the grid whose cell is being edited, or null.
    static HWND EditOwner();

    // Each answers true when refused (see the member comments in the source).
    bool EnterEditMode(HvCell* cell, bool byMouse, bool keepCalendarText = false);
    bool ExitEditMode(HvCell* cell, bool discard, bool force);
    void CommitIfEditing(HvCell* cell);
    // reportedByPut: set when the cell's own put refused the value (and
    // reported it already).
    HRESULT CommitEditValue(HvCell* cell, const VARIANT& value, bool* reportedByPut = nullptr);
    // The text every editor and the cell display start from.
    bool GetValueText(HvCell* cell, std::wstring* text);
    std::wstring GetEditText() const { return editText_; }
    void SetEditText(HvCell* cell, const std::wstring& text);
    // In edit mode only: the value an editor proposes.
    void SetPendingValue(HvCell* cell, const VARIANT& value);
    bool HasPendingValue() const { return !pendingValue_.IsEmpty(); }
    void RepositionEditWindow(HvCell* cell);
    void SetUpEditWindow(HvCell* cell, bool byMouse, bool repositionOnly);
    // A mouse press on a part of a cell; false when the press is not taken.
    bool OnCellPartPressed(HvCell* cell, CellPart part);
    // Leaves edit mode unless the focus went to the cell's list; true when refused.
    bool LeaveEditUnlessInDropDown(HWND newFocus);

    // What the grid window hands on: message 1482, WM_COMMAND from an
    // editor, WM_NOTIFY from the calendar, WM_MEASUREITEM and WM_DRAWITEM.
    void OnLeaveEditMessage();
    bool OnGridCommand(WPARAM wParam, LPARAM lParam);
    bool OnGridNotify(const NMHDR* header);
    bool OnOwnerDraw(UINT message, LPARAM lParam, LRESULT* result);
    // The EDIT window's text changed (not by the grid itself).
    void OnEditTextChanged();
    void OnCalendarSelect();

    // An editor window's message handed to the input dispatcher, mouse
    // points mapped into the grid window; true when it was taken.
    bool ForwardEditorMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC deliver = nullptr);
    // WM_NCDESTROY of an editor window: its properties and procedure go.
    static LRESULT DetachEditorWindow(HWND window, WNDPROC old, WPARAM wParam, LPARAM lParam);

    EditorHost* Host() const { return host_; }
    HvEditWindow& Edit() { return edit_; }
    HvCalendarWindow& Calendar() { return calendar_; }
    EditorDropDowns& DropDowns() { return dropDowns_; }
    // The active cell when it is in edit mode, else null.
    HvCell* EditingCell();
    EditColumnSeam* ColumnOf(HvCell* cell) { return host_->ColumnOf(cell); }
    LONG StyleOf(HvCell* cell);
    bool IsCursorOnButton(HvCell* cell);

    // Flags the editor window procedures test.
    bool settingText = false;     // the grid sets the editor text itself
    bool showingChild = false;    // a child window is being shown
    bool calendarPick = false;    // a calendar pick is in progress
    bool keyPressed = false;      // a key went down in the editor
    bool exitingEditMode = false; // edit mode is being left

private:
    bool RefuseEntry(HvCell* cell, bool byMouse, LONG style);
    void SetUpEditorForStyle(HvCell* cell, LONG style, bool byMouse, bool keepCalendarText);
    void SelectFromDropDown(HvCell* cell);
    bool CancelledExit();
    void HideEditors(LONG style);
    bool TakeText(LONG style, std::wstring* text);
    // False when the text could not be parsed or committed (reported).
    bool CommitText(HvCell* cell, const std::wstring& text);
    // Edit mode again after a refused commit, with the typed text.
    void EnterAgainWithText(HvCell* cell, const std::wstring& typed);
    // A focus change of the EDIT window, as its column's mask sees it.
    void PassFocusToMask(UINT message);

    EditorHost* host_;  // not owned
    HvEditWindow edit_;
    HvCalendarWindow calendar_;
    EditorDropDowns dropDowns_;
    CVariantValue pendingValue_;
    std::wstring editText_;
    bool calendarTextLoaded_ = false;
    bool activatedByMouse_ = false;
    // Edit mode entered again after a failed commit: the typed text stays.
    bool keepText_ = false;
    std::wstring keptText_;
};
