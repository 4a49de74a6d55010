// EditorDropDowns: the drop-downs of the cell being edited: the value list
// of a list-style column (made for the column on first use and refilled
// from its value list whenever it opens) and the date cells' calendar.
// Opening raises BeforeCellListDropDown, which may cancel; closing raises
// AfterCellListCloseUp.
#pragma once

#include "CValueListDropDown.h"

#include <memory>
#include <string>

class CellEditor;
class EditColumnSeam;
class HvCell;

class EditorDropDowns {
public:
    explicit EditorDropDowns(CellEditor& editor) : editor_(editor) {}
    ~EditorDropDowns();
    EditorDropDowns(const EditorDropDowns&) = delete;
    EditorDropDowns& operator=(const EditorDropDowns&) = delete;

    // The list of the cell's column, made when the column has a value list
    // and a list style; null otherwise.
    CValueListDropDown* Get(HvCell* cell);
    // The list is dropped down or the calendar is shown.
    bool IsShowing(HvCell* cell);
    void Toggle(HvCell* cell);
    void DropDownIfClosed(HvCell* cell);
    void Close(HvCell* cell);
    // Selects the first entry that begins with text and completes text
    // with it; clears the selection and answers false when none does.
    bool AutoCompleteText(std::wstring* text);
    // Shows the calendar under the cell's drop-down button, from the
    // cell's value or from the EDIT window's text.
    void DropDownCalendar(HvCell* cell, bool fromValue);
    // Forgets the list (the column or the grid window goes away).
    void Reset();

private:
    void OpenList(HvCell* cell, CValueListDropDown* list);
    void ToggleCalendar(HvCell* cell);

    CellEditor& editor_;
    std::unique_ptr<CValueListDropDown> list_;
    EditColumnSeam* column_ = nullptr;  // the column the list was made for; compared only
    LONG style_ = 0;
};
