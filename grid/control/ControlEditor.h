// ControlEditor: the grid control as the in-place editor's host. It owns
// the control's one CellEditor, answers what the editor asks of the grid
// (the active cell, its elements and look, the events, the error roads,
// the layout's window utilities) and hands the grid window's messages for
// the editor windows on to it: leaving edit mode, the EDIT window's and the
// lists' commands, the calendar's notices, owner drawing and colours. A
// change of the active cell's column reaches the live editor here too.
#pragma once

#include "CellDropDownHost.h"
#include "CellEditor.h"
#include "ComRef.h"
#include "EditorHost.h"

#include <map>
#include <memory>

class ColumnEditFace;
class HvColumn;
class HvTavelle;
struct ChangeNotice;

class ControlEditor final : public EditorHost, public CellDropDownHost {
public:
    explicit ControlEditor(HvTavelle& control);
    ~ControlEditor();
    ControlEditor(const ControlEditor&) = delete;
    ControlEditor& operator=(const ControlEditor&) = delete;

    CellEditor& Editor() { return editor_; }

    // The grid window's messages for the editor; each answers true when it
    // dealt with the message (result set where the message has one).
    void OnLeaveEditMessage() { editor_.OnLeaveEditMessage(); }
    bool OnCommand(WPARAM wParam, LPARAM lParam);
    bool OnNotify(LPARAM lParam);
    bool OnOwnerDraw(UINT message, LPARAM lParam, LRESULT* result);
    bool OnControlColor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void OnGridSized();
    // A key the container is about to dispatch: the editor's windows take
    // the arrows while editing and Enter and Esc while a list is down, and
    // Enter or Space on a button cell clicks its button. True when taken.
    bool PreTranslateKey(const MSG& message);
    // A change notice of the layout: when it comes from the active cell's
    // column, the live editor follows the column's new setting.
    void OnLayoutNotice(const ChangeNotice* notice);
    // The editor windows go with the grid window.
    void DestroyWindows();

    // CellDropDownHost: the active cell's list or calendar, while it edits.
    bool IsDropDownShowing(HvCell* cell) override;
    HRESULT DropDown(HvCell* cell) override;
    HRESULT CloseDropDown(HvCell* cell) override;

    // EditorHost
    HWND GridWindow() override;
    IUnknown* ControlObject() override;
    HvCell* ActiveCell() override;
    bool IsFocusInControl() override;
    bool CanFireEvents() override;
    void AddRefControl() override;
    void ReleaseControl() override;
    void ClearAllSelections() override;
    bool FireBeforeEnterEditMode() override;
    void FireAfterEnterEditMode() override;
    bool FireBeforeExitEditMode() override;
    void FireAfterExitEditMode() override;
    void FireCellChange(HvCell* cell) override;
    void FireCellListSelect(HvCell* cell) override;
    bool FireBeforeCellListDropDown(HvCell* cell) override;
    void FireAfterCellListCloseUp(HvCell* cell) override;
    void SetControlFocus() override;
    void BringCellIntoView(HvCell* cell) override;
    bool GetCellTextRect(HvCell* cell, RECT* rect) override;
    bool GetCellButtonRect(HvCell* cell, RECT* rect) override;
    void ResolveEditorLook(HvCell* cell, EditorLook* look) override;
    SIZE ListPictureSize(const VARIANT& picture) override;
    void DrawListPicture(HDC dc, const VARIANT& picture, POINT at) override;
    void MarkCellChanged(HvCell* cell) override;
    void ReportDataError(HvCell* cell, HRESULT result, const std::wstring& message, VARIANT* value) override;
    void ReportUpdateError(HvCell* cell, HRESULT result, VARIANT* value) override;
    std::wstring DialogString(LONG id) override;
    LONG UpdateMode() override;
    bool IsAddRow(HvCell* cell) override;
    HRESULT UpdateRow(HvCell* cell) override;
    bool ForwardEditorMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC deliver) override;
    LCID Locale() override;
    EditColumnSeam* ColumnOf(HvCell* cell) override;
    void ClickSelectCell(HvCell* cell) override;
    void ToggleCheckBox(HvCell* cell) override;
    void FireClickCellButton(HvCell* cell) override;
    void PublishEditWindow(HWND window, HBRUSH brush, COLORREF back, COLORREF text) override;
    void ShowEditorWindow(HWND window, int command) override;
    bool FireBeforeAutoSizeEdit(AutoSizeLimits* limits) override;

private:
    // The element of a type for the cell in the active scroll regions.
    bool CellElementRect(HvCell* cell, ULONG type, RECT* rect);
    void OnColumnChanged(HvColumn* column, DISPID what);
    // Faces of columns that went are let go.
    void PruneFaces();

    HvTavelle& control_;
    // Faces of the columns edited so far, each column referenced.
    std::map<HvColumn*, std::unique_ptr<ColumnEditFace>> faces_;
    ComRef<IFont> font_;  // keeps the editor's font alive
    CellEditor editor_;   // last: its windows go before the rest
};
