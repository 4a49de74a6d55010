// CValueListDropDown: entries, sizing, owner drawing and taking a choice.
#include "CValueListDropDown.h"

#include "CellEditor.h"
#include "DualString.h"
#include "HvCell.h"
#include "HvValueListItem.h"

#include <algorithm>

namespace {

// Selects a font into a DC for a scope.
class FontScope {
public:
    FontScope(HDC dc, HFONT font) : dc_(dc), old_(font ? SelectObject(dc, font) : nullptr) {}
    ~FontScope()
    {
        if (old_)
            SelectObject(dc_, old_);
    }
    FontScope(const FontScope&) = delete;
    FontScope& operator=(const FontScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace

CValueListDropDown::CValueListDropDown(CellEditor& editor, HWND owner, DWORD styleBits) : editor_(editor)
{
    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", styleBits | WS_CHILD | WS_VSCROLL, 0, 0, 10, 10, owner,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!combo)
        return;
    Adopt(combo, owner);
    SetPropW(owner, PropertyName, this);
}

CValueListDropDown::~CValueListDropDown()
{
    Close();
    ReleaseItems();
}

std::wstring CValueListDropDown::TextOf(HvValueListItem* item)
{
    if (!item)
        return {};
    CDualString text;
    item->GetText(text);
    BSTR wide = text.AllocSysString();
    std::wstring result = wide ? std::wstring(wide, SysStringLen(wide)) : std::wstring();
    SysFreeString(wide);
    return result;
}

HvValueListItem* CValueListDropDown::ItemAt(int index) const
{
    if (!IsCreated() || index < 0 || index >= GetCount())
        return nullptr;
    const LRESULT data = SendMessageW(combo_, CB_GETITEMDATA, index, 0);
    return data == CB_ERR ? nullptr : reinterpret_cast<HvValueListItem*>(data);
}

void CValueListDropDown::ReleaseItems()
{
    for (int i = GetCount() - 1; i >= 0; --i) {
        if (HvValueListItem* item = ItemAt(i)) {
            SendMessageW(combo_, CB_SETITEMDATA, i, 0);
            item->Release();
        }
    }
}

void CValueListDropDown::ResetContent()
{
    ReleaseItems();
    CSimpleDropDown::ResetContent();
}

bool CValueListDropDown::AddItem(HvValueListItem* item)
{
    if (!item)
        return false;
    item->AddRef();
    if (!AddString(item)) {
        item->Release();
        return false;
    }
    return true;
}

HFONT CValueListDropDown::ListFont() const
{
    return IsCreated() ? reinterpret_cast<HFONT>(SendMessageW(combo_, WM_GETFONT, 0, 0)) : nullptr;
}

SIZE CValueListDropDown::MeasureText(const std::wstring& text) const
{
    SIZE size{};
    if (!measureDC_)
        measureDC_.reset(CreateICW(L"DISPLAY", nullptr, nullptr, nullptr));
    HDC dc = measureDC_.get();
    if (!dc)
        return size;
    FontScope font(dc, ListFont());
    const std::wstring sample = text.empty() ? std::wstring(L"Wp") : text;
    GetTextExtentPoint32W(dc, sample.c_str(), static_cast<int>(sample.size()), &size);
    return size;
}

SIZE CValueListDropDown::PictureSize(HvValueListItem* item) const
{
    SIZE size{};
    VARIANT picture;
    VariantInit(&picture);
    if (item && item->GetPicture(&picture))
        size = editor_.Host()->ListPictureSize(picture);
    VariantClear(&picture);
    return size;
}

bool CValueListDropDown::AddString(void* item)
{
    if (!IsCreated())
        return false;
    const SIZE text = MeasureText(TextOf(static_cast<HvValueListItem*>(item)));
    const SIZE picture = PictureSize(static_cast<HvValueListItem*>(item));
    const LONG width = text.cx + picture.cx + GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE) + 4;
    if (rect_.right - rect_.left < width) {
        rect_.right = rect_.left + width;
        RECT placed{};
        ::GetWindowRect(combo_, &placed);
        MapWindowPoints(nullptr, ownerWindow_, reinterpret_cast<POINT*>(&placed), 2);
        MoveWindow(combo_, placed.left, placed.top, width, std::max(placed.bottom - placed.top, 10L), FALSE);
    }
    return CSimpleDropDown::AddString(item);
}

LRESULT CValueListDropDown::OnMeasureItem(MEASUREITEMSTRUCT* measure)
{
    HvValueListItem* item = ItemAt(static_cast<int>(measure->itemID));
    const SIZE text = MeasureText(TextOf(item));
    const SIZE picture = PictureSize(item);
    measure->itemHeight = static_cast<UINT>(std::max({text.cy, picture.cy, 1L}));
    measure->itemWidth = static_cast<UINT>(text.cx + picture.cx);
    return 1;
}

LRESULT CValueListDropDown::OnDrawItem(const DRAWITEMSTRUCT* draw)
{
    if (static_cast<int>(draw->itemID) < 0)
        return 1;
    HvCell* cell = cell_;
    EditorLook look;
    if (cell && editor_.Host()->ActiveCell() == cell)
        editor_.Host()->ResolveEditorLook(cell, &look);
    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    const COLORREF back = selected ? GetSysColor(COLOR_HIGHLIGHT) : look.backColor;
    const COLORREF fore = selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : look.foreColor;
    HBRUSH brush = CreateSolidBrush(back);
    if (brush) {
        FillRect(draw->hDC, &draw->rcItem, brush);
        DeleteObject(brush);
    }
    auto* item = reinterpret_cast<HvValueListItem*>(draw->itemData);
    const std::wstring text = TextOf(item);
    RECT area = draw->rcItem;
    area.left += 2;
    // The item's picture left of its text.
    VARIANT picture;
    VariantInit(&picture);
    if (item && item->GetPicture(&picture)) {
        const SIZE size = editor_.Host()->ListPictureSize(picture);
        if (size.cx > 0) {
            const LONG top = area.top + std::max((area.bottom - area.top - size.cy) / 2, 0L);
            editor_.Host()->DrawListPicture(draw->hDC, picture, POINT{area.left, top});
            area.left += size.cx + 2;
        }
    }
    VariantClear(&picture);
    const int oldMode = SetBkMode(draw->hDC, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(draw->hDC, fore);
    DrawTextW(draw->hDC, text.c_str(), static_cast<int>(text.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(draw->hDC, oldColor);
    SetBkMode(draw->hDC, oldMode);
    if (draw->itemState & ODS_FOCUS)
        DrawFocusRect(draw->hDC, &draw->rcItem);
    return 1;
}

bool CValueListDropDown::GetSelectedItem(std::wstring* text, VARIANT* value) const
{
    const int index = GetCurSel();
    HvValueListItem* item = ItemAt(index);
    if (!item)
        return false;
    if (text)
        *text = TextOf(item);
    if (value)
        return SUCCEEDED(VariantCopy(value, const_cast<VARIANT*>(&item->DataValue())));
    return true;
}

HvCell* CValueListDropDown::EditedCell() const
{
    HvCell* cell = editor_.EditingCell();
    return cell && cell == cell_ ? cell : nullptr;
}

LRESULT CValueListDropDown::OnSelChange()
{
    HvCell* cell = EditedCell();
    if (!cell)
        return 1;
    // The same entry confirmed again (the list's end-of-selection notice
    // after a change, a click after keys) is taken only once.
    const int index = GetCurSel();
    if (index == takenIndex_)
        return 1;
    std::wstring text;
    VARIANT value;
    VariantInit(&value);
    if (!GetSelectedItem(&text, &value))
        return 1;
    takenIndex_ = index;
    if (TextDiffers(cell, text))
        PutText(cell, text);
    editor_.SetPendingValue(cell, value);
    VariantClear(&value);
    cell->SetDataChanged(-1);
    editor_.Host()->FireCellListSelect(cell);
    return 1;
}

LRESULT CValueListDropDown::OnSelEndOk()
{
    if (GetCurSel() != -1)
        OnSelChange();
    return 1;
}

LRESULT CValueListDropDown::OnCloseUp()
{
    // Also when edit mode is being left: the list closes on that road.
    if (cell_ && editor_.Host()->ActiveCell() == cell_ && cell_->IsActive())
        editor_.Host()->FireAfterCellListCloseUp(cell_);
    return 1;
}
