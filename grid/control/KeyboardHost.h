// What the keyboard handler needs of the grid control: the active cell and
// row as the key state sees them, the layout's Tab navigation and edit
// window, and the key action performer. The control implements it; tests
// use stand-ins.
#pragma once

#include <windows.h>

#include <cstdint>

class InputDispatcher;

// The active cell, as the key state reads it.
class KeyCellQuery
{
public:
    virtual bool HasCellBefore() = 0;      // in its band's header order
    virtual bool HasCellAfter() = 0;
    virtual bool IsInEditMode() = 0;
    virtual bool HasDropDown() = 0;        // a list, or the calendar style
    virtual bool IsDropDownShowing() = 0;
    virtual bool IsCheckBox() = 0;         // resolved style check box

protected:
    ~KeyCellQuery() = default;
};

// The active row, as the key state reads it.
class KeyRowQuery
{
public:
    virtual bool HasPrevSibling() = 0;
    virtual bool HasPrevSiblingSpanningBands() = 0;
    virtual bool HasNextSibling() = 0;
    virtual bool HasNextSiblingSpanningBands() = 0;
    virtual bool IsExpanded() = 0;
    virtual bool IsExpandable() = 0;
    virtual bool HasParentRow() = 0;

protected:
    ~KeyRowQuery() = default;
};

class KeyboardHost
{
public:
    virtual InputDispatcher* GetInputDispatcher() = 0;
    virtual HWND GetGridWindow() = 0;
    // The active cell and row, or null; the same object stands for the
    // same cell or row between calls.
    virtual KeyCellQuery* GetActiveCell() = 0;
    virtual KeyRowQuery* GetActiveRow() = 0;
    // The layout's TabNavigation (1: Tab goes to the next control).
    virtual int GetTabNavigation() = 0;
    // The layout's shared edit window, or null.
    virtual HWND GetEditWindow() = 0;
    // Carries out the action; sets handled when it acted.
    virtual void PerformKeyActionFromKeyboard(std::uint32_t action, bool shift, bool ctrl, bool& handled) = 0;

protected:
    ~KeyboardHost() = default;
};

// The grid key state (KeyState bits of KeyActionMap.h).
std::uint32_t GetKeyActionState(KeyboardHost& host);
