// ControlSwapList: the list that a header's swap button drops down through
// the control's shared drop-down list: the other columns (or groups) of the
// header's band that its item may change places with. Choosing an entry
// swaps the two items through the position events; the list closes when it
// loses the focus or is cancelled.
#pragma once

#include "CControlDropDown.h"

#include <windows.h>

#include <vector>

class CAutomationObject;
class HvColumnGroupImpl;

class ControlSwapList final : public ControlDropDownOwner {
public:
    ControlSwapList() = default;
    ~ControlSwapList();
    ControlSwapList(const ControlSwapList&) = delete;
    ControlSwapList& operator=(const ControlSwapList&) = delete;

    // Closed: fills list with item's swap partners and opens it under header
    // (grid client pixels) with font. Open: closes it.
    // The header is drawn again in window (the grid's) as the list opens
    // and closes.
    void Toggle(CSimpleDropDown& list, HvColumnGroupImpl* item, const RECT& header, HFONT font, HWND window);
    // The list is dropped down for item.
    bool IsOpenFor(HvColumnGroupImpl* item) const;
    void Close();

    // ControlDropDownOwner
    void OnDropDownChoose(LPARAM data) override;
    void OnDropDownClose() override;
    bool ForwardDropDownMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Entry {
        HvColumnGroupImpl* item;
        CAutomationObject* object;  // one reference
    };
    // Drops the held item and entries.
    void Forget();

    CSimpleDropDown* list_ = nullptr;  // the control's, while open
    Entry owner_{nullptr, nullptr};
    std::vector<Entry> entries_;
    bool closing_ = false;
    HWND window_ = nullptr;
    RECT header_{};
};
