// CValueListDropDown: the owner-drawn list of a cell whose column has a
// value list. Each entry carries its HvValueListItem (referenced while it
// is in the list); choosing one proposes the item's data value to the cell
// being edited and puts its text where the style shows it.
#pragma once

#include "CSimpleDropDown.h"
#include "ValueListDropDownSeam.h"

#include <oleauto.h>

#include <memory>
#include <string>
#include <type_traits>

class CellEditor;
class HvCell;

class CValueListDropDown : public CSimpleDropDown, public ValueListDropDownSeam {
public:
    CValueListDropDown(CellEditor& editor, HWND owner, DWORD styleBits);
    ~CValueListDropDown() override;

    // ValueListDropDownSeam
    void ResetContent() override;
    bool AddItem(HvValueListItem* item) override;
    using CSimpleDropDown::AddItem;

    bool AddString(void* item) override;
    LRESULT OnSelChange() override;
    LRESULT OnSelEndOk() override;
    LRESULT OnCloseUp() override;
    LRESULT OnMeasureItem(MEASUREITEMSTRUCT* measure) override;
    LRESULT OnDrawItem(const DRAWITEMSTRUCT* draw) override;

    // The current entry's text and data value; false when none is current.
    bool GetSelectedItem(std::wstring* text, VARIANT* value) const;
    // The entry's item, not referenced; null when the index is out of range.
    HvValueListItem* ItemAt(int index) const;
    static std::wstring TextOf(HvValueListItem* item);
    // The cell this list serves while it is open; nothing of it is taken yet.
    void SetCell(HvCell* cell)
    {
        cell_ = cell;
        takenIndex_ = -1;
    }

protected:
    // The chosen text differs from what the style shows.
    virtual bool TextDiffers(HvCell* cell, const std::wstring& text) = 0;
    // Puts the chosen text where the style shows it.
    virtual void PutText(HvCell* cell, const std::wstring& text) = 0;
    // The cell being edited when it is the one this list was opened for.
    HvCell* EditedCell() const;
    HFONT ListFont() const;

    CellEditor& editor_;
    HvCell* cell_ = nullptr;  // not referenced; checked against the active cell
    int takenIndex_ = -1;     // the entry last taken for cell_

private:
    struct DcDeleter {
        void operator()(HDC dc) const { DeleteDC(dc); }
    };

    void ReleaseItems();
    SIZE MeasureText(const std::wstring& text) const;
    // The size of the item's picture in the list, 0 by 0 without one.
    SIZE PictureSize(HvValueListItem* item) const;

    // The "DISPLAY" information context entries are measured on, made at the
    // first measure and kept: a list of thousands measures each entry twice.
    mutable std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter> measureDC_;
};
