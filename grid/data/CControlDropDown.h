// CControlDropDown: the plain text list that the control itself drops down
// (the header swap list): it grows to fit its entries, tells its owner
// which entry was chosen or that it should close, and hands the combo's
// own messages to the control's input dispatcher first.
#pragma once

#include "CSimpleDropDown.h"

class ControlDropDownOwner {
public:
    // An entry was chosen; data is what the entry was added with.
    virtual void OnDropDownChoose(LPARAM data) = 0;
    // The list lost the focus or was cancelled.
    virtual void OnDropDownClose() = 0;
    // A message of the combo window as the grid window's; true when taken.
    virtual bool ForwardDropDownMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~ControlDropDownOwner() = default;
};

class CControlDropDown final : public CSimpleDropDown {
public:
    // owner is not owned and must outlive the list or be replaced first.
    CControlDropDown(HWND ownerWindow, ControlDropDownOwner* owner);
    ~CControlDropDown() override;

    void GetListPosition(RECT* rect) override;
    bool AddItem(const wchar_t* text, LPARAM data) override;
    LRESULT OnKillFocus() override;
    LRESULT OnSelEndCancel() override;
    LRESULT OnSelEndOk() override;

private:
    static LRESULT CALLBACK ComboProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    ControlDropDownOwner* Owner() const { return static_cast<ControlDropDownOwner*>(ownerObject_); }

    WNDPROC oldComboProc_ = nullptr;
};
