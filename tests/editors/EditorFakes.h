// Stand-ins around the cell editor: a real grid window that hands the
// editor what a control's window procedure would, a host that records the
// events it is asked to raise (and cancels those a test names), a column
// with settable settings over a real value list, and a fixture that makes
// one edited cell.
#pragma once

#include "CellEditor.h"
#include "CellFakes.h"
#include "EditColumnSeam.h"
#include "EditorHost.h"
#include "HvValueList.h"
#include "InputMask.h"
#include "ValueListSupport.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

inline VARIANT LongValue(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

class FakeEditColumn final : public EditColumnSeam {
public:
    LONG Style() override { return style; }
    LONG DataType() override { return dataType; }
    VARTYPE ValueType() override { return valueType; }
    LONG FieldLen() override { return fieldLen; }
    LONG Case() override { return textCase; }
    bool AutoEdit() override { return autoEdit; }
    bool AutoSizeEdit() override { return autoSizeEdit; }
    bool IsMultiLine() override { return multiLine; }
    bool VertScrollBar() override { return false; }
    VARTYPE EmptyValueType() override { return emptyType; }
    HRESULT ParseEditText(BSTR text, VARIANT* value) override;
    bool LookupValueListItem(const VARIANT& value, BSTR* text) override;
    bool CompleteFromValueList(BSTR*) override { return false; }
    HvValueList* ValueList() override { return list; }
    InputMask* Mask() override { return mask; }
    LONG MaskDataMode() override { return 1; }

    LONG style = hvStyleEdit;
    LONG dataType = 8;
    VARTYPE valueType = VT_BSTR;
    LONG fieldLen = 0;
    LONG textCase = 0;
    bool autoEdit = false;
    bool autoSizeEdit = false;
    bool multiLine = false;
    VARTYPE emptyType = VT_NULL;
    HvValueList* list = nullptr;  // not referenced
    InputMask* mask = nullptr;    // not owned
};

class FakeEditorHost final : public EditorHost {
public:
    FakeEditorHost();
    ~FakeEditorHost();
    FakeEditorHost(const FakeEditorHost&) = delete;
    FakeEditorHost& operator=(const FakeEditorHost&) = delete;

    HWND GridWindow() override { return grid; }
    IUnknown* ControlObject() override { return nullptr; }
    HvCell* ActiveCell() override { return active; }
    bool IsFocusInControl() override { return focusInControl; }
    bool CanFireEvents() override { return true; }
    void AddRefControl() override {}
    void ReleaseControl() override {}
    void ClearAllSelections() override { Log("ClearAllSelections"); }
    bool FireBeforeEnterEditMode() override { return Fire("BeforeEnterEditMode"); }
    void FireAfterEnterEditMode() override { Fire("AfterEnterEditMode"); }
    bool FireBeforeExitEditMode() override { return Fire("BeforeExitEditMode"); }
    void FireAfterExitEditMode() override { Fire("AfterExitEditMode"); }
    void FireCellChange(HvCell*) override { Fire("CellChange"); }
    void FireCellListSelect(HvCell*) override { Fire("CellListSelect"); }
    bool FireBeforeCellListDropDown(HvCell*) override { return Fire("BeforeCellListDropDown"); }
    void FireAfterCellListCloseUp(HvCell*) override { Fire("AfterCellListCloseUp"); }
    void SetControlFocus() override { SetFocus(grid); }
    void BringCellIntoView(HvCell*) override {}
    bool GetCellTextRect(HvCell*, RECT* rect) override;
    bool GetCellButtonRect(HvCell*, RECT* rect) override;
    void ResolveEditorLook(HvCell*, EditorLook* look) override { *look = this->look; }
    void MarkCellChanged(HvCell*) override { ++redraws; }
    void ReportDataError(HvCell*, HRESULT, const std::wstring& message, VARIANT*) override;
    void ReportUpdateError(HvCell*, HRESULT, VARIANT*) override { Log("UpdateError"); }
    std::wstring DialogString(LONG) override { return dialogString; }
    LONG UpdateMode() override { return updateMode; }
    bool IsAddRow(HvCell*) override { return addRow; }
    HRESULT UpdateRow(HvCell*) override { Log("UpdateRow"); return S_OK; }
    bool ForwardEditorMessage(HWND, UINT, WPARAM, LPARAM, WNDPROC) override { return false; }
    LCID Locale() override { return LOCALE_USER_DEFAULT; }
    EditColumnSeam* ColumnOf(HvCell*) override { return &column; }
    void ClickSelectCell(HvCell* cell) override
    {
        Log("ClickSelectCell");
        if (selectOnClick)
            active = cell;
    }
    void ToggleCheckBox(HvCell*) override { Log("ToggleCheckBox"); }
    void FireClickCellButton(HvCell*) override { Fire("ClickCellButton"); }
    void PublishEditWindow(HWND window, HBRUSH, COLORREF, COLORREF) override { published = window; }
    void ShowEditorWindow(HWND window, int command) override { ShowWindow(window, command); }
    bool FireBeforeAutoSizeEdit(AutoSizeLimits* limits) override
    {
        *limits = autoSize;
        return Fire("BeforeAutoSizeEdit");
    }

    // Events named here answer "cancelled".
    std::set<std::string> cancel;
    std::vector<std::string> log;
    HWND grid = nullptr;
    HvCell* active = nullptr;  // not referenced
    bool focusInControl = true;
    bool hasButton = false;
    bool addRow = false;
    bool selectOnClick = true;
    LONG updateMode = 0;
    int redraws = 0;
    std::wstring dialogString;
    EditorLook look;
    AutoSizeLimits autoSize;
    HWND published = nullptr;
    FakeEditColumn column;
    CellEditor* editor = nullptr;  // the window procedure's target; not owned

private:
    bool Fire(const char* name);
    void Log(const std::string& entry) { log.push_back(entry); }
};

// One grid window, its editor and one active cell over stand-in hosts.
struct EditFixture {
    EditFixture();
    ~EditFixture();
    EditFixture(const EditFixture&) = delete;
    EditFixture& operator=(const EditFixture&) = delete;

    // Sets the cell's stored value (and its original).
    void SetValue(const VARIANT& value);
    void SetText(const wchar_t* text);
    // Types text into the EDIT window as the user would (WM_CHAR each).
    void Type(const std::wstring& text);
    // Runs the posted messages of this thread.
    static void Pump();
    std::wstring CellText();
    // The events since the last call, and forgets them.
    std::vector<std::string> TakeLog();

    FakeEditorHost host;
    CellFakeRow row;
    CellFakeColumn cellColumn;
    CellFakeGrid cellGrid;
    HvCell* cell = nullptr;  // one reference
    std::unique_ptr<CellEditor> editor;
};

// A value list with the entries {1 "Um"}, {2 "Dois"}, {3 "Tres"}.
struct ListFixture {
    ListFixture();
    ~ListFixture();
    ListFixture(const ListFixture&) = delete;
    ListFixture& operator=(const ListFixture&) = delete;

    ValueListLayout layout;
    HvValueLists* lists = nullptr;
    HvValueList* list = nullptr;
};
