// CSimpleDropDown: a hidden "COMBOBOX" child of the grid window whose list
// drops down under a cell or header. The object is found again from its
// windows through the "CSimpleDropDown" window property; derived classes
// answer the combo's notifications and draw their own items.
#pragma once

#include <windows.h>

class CSimpleDropDown {
public:
    static constexpr DWORD SignatureValue = 0x11021999;
    static constexpr const wchar_t* PropertyName = L"CSimpleDropDown";

    CSimpleDropDown();
    virtual ~CSimpleDropDown();
    CSimpleDropDown(const CSimpleDropDown&) = delete;
    CSimpleDropDown& operator=(const CSimpleDropDown&) = delete;

    // Makes the plain list: a CBS_DROPDOWNLIST child of owner.
    bool Create(HWND owner);

    // Where the combo goes so that its list opens under rect.
    virtual void GetListPosition(RECT* rect);
    // rect's width, and the height of the list's rows: as many as it holds
    // (one when empty) up to 10, or 10 with allRows.
    virtual void GetListSize(RECT* rect, bool allRows);
    virtual void Position(const RECT& rect, bool allRows);
    // Adds an entry carrying item as its data.
    virtual bool AddString(void* item);
    virtual bool AddItem(const wchar_t* text, LPARAM data);

    // Notifications; the default answers 1 and does nothing.
    virtual LRESULT OnEditChange() { return 1; }
    virtual LRESULT OnCloseUp() { return 1; }
    virtual LRESULT OnDropDown() { return 1; }
    virtual LRESULT OnKillFocus() { return 1; }
    virtual LRESULT OnSelChange() { return 1; }
    virtual LRESULT OnSelEndCancel() { return 1; }
    virtual LRESULT OnSelEndOk() { return 1; }
    virtual LRESULT OnSetFocus() { return 1; }
    virtual LRESULT OnMeasureItem(MEASUREITEMSTRUCT*) { return 1; }
    virtual LRESULT OnDrawItem(const DRAWITEMSTRUCT*) { return 1; }

    // The object behind a combo or list window; null for anything else.
    static CSimpleDropDown* FromWindow(HWND window);
    // The grid's WM_COMMAND from a combo: dispatched to its object.
    static LRESULT OnCommand(UINT code, HWND window);

    bool IsCreated() const { return combo_ && IsWindow(combo_); }
    bool IsVisible() const;
    bool IsDroppedDown() const;
    int GetCount() const;
    // The current index (-1 when none) and its item data.
    int GetCurSel(LPARAM* data = nullptr) const;
    // The combo's screen rectangle while dropped down, else empty.
    RECT GetWindowRect() const;
    void SetFont(HFONT font);
    // Places the list under rect (at least 50 pixels wide, growing to the
    // left), as tall as its rows up to ten.
    bool ShowAt(void* owner, RECT rect, HFONT font);
    void ShowDropDown(bool show);
    bool Open();
    virtual void ResetContent();
    void Close();
    // Takes over the dropped list box's messages (once).
    void SubclassWindow(HWND listBox);

    HWND Window() const { return combo_; }
    HWND ListWindow() const { return listBox_; }
    HWND OwnerWindow() const { return ownerWindow_; }
    void* OwnerObject() const { return ownerObject_; }
    const RECT& ListRect() const { return rect_; }

protected:
    // Sets the property on the combo and remembers the owner window.
    void Adopt(HWND combo, HWND owner);
    // The height of the selection field as the combo reports it.
    int SelectionFieldHeight() const;
    // A button came up in the list without going down there first (the
    // press began on the cell's button): entry, the one it came up over,
    // is taken; -1 when none.
    virtual void OnListButtonUp(int entry);
    virtual void OnListButtonDown() { buttonDown_ = true; }

    RECT rect_{0, 0, 10, 10};
    HWND combo_ = nullptr;
    HWND ownerWindow_ = nullptr;
    DWORD signature_ = SignatureValue;
    WNDPROC oldListProc_ = nullptr;
    bool buttonDown_ = false;
    HWND listBox_ = nullptr;
    void* ownerObject_ = nullptr;  // not owned

private:
    // The entry of the list box under a mouse message's client point; -1
    // when the point is off the list box or below its last entry.
    static int EntryAt(HWND listBox, LPARAM point);
    static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ReleaseList();
    void DestroyWindow();
};
