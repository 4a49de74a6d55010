// DisplayRowAdapter: the row model's rows for the grid display.
#include "DisplayRowAdapter.h"

#include "AppearanceChain.h"
#include "AppearanceData.h"
#include "HvBand.h"
#include "HvCell.h"
#include "HvCells.h"
#include "GridColumnSeam.h"
#include "HvColumn.h"
#include "HvColumnGroupImpl.h"
#include "HvLayout.h"
#include "HvRow.h"
#include "HvTavelle.h"
#include "LayoutViewStyle.h"
#include "OverrideBandSeam.h"

#include <map>
#include <new>

namespace {

constexpr DISPID TipStyleScrollId = 0x88a;
constexpr LONG TipStyleHide = 2;

// The adapter of each row object that something holds.
std::map<HvRow*, DisplayRowAdapter*>& Adapters()
{
    static std::map<HvRow*, DisplayRowAdapter*> adapters;
    return adapters;
}

LayoutViewStyle* StyleOf(HvLayout& layout)
{
    return LayoutViewStyle::Of(layout);
}

VARIANT DispatchArgument(IUnknown* object)
{
    VARIANT value;
    VariantInit(&value);
    IDispatch* dispatch = nullptr;
    if (object && SUCCEEDED(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
        V_VT(&value) = VT_DISPATCH;
        V_DISPATCH(&value) = dispatch;
    }
    return value;
}

// The control's first (last) row of the top band, through its automation
// interface's GetRow.
HRESULT ControlEdgeRow(HvLayout& layout, bool last, IHvRow** out)
{
    *out = nullptr;
    auto* control = dynamic_cast<HvTavelle*>(layout.GridSeam());
    if (!control)
        return E_UNEXPECTED;
    IDispatch* dispatch = static_cast<IHvTavelleControl*>(control);
    OLECHAR name[] = L"GetRow";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    if (FAILED(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        return E_FAIL;
    VARIANT which;
    VariantInit(&which);
    V_VT(&which) = VT_I4;
    V_I4(&which) = last ? 1 : 0;
    DISPPARAMS params = {&which, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                                  nullptr);
    if (SUCCEEDED(hr) && V_VT(&result) == VT_DISPATCH && V_DISPATCH(&result))
        hr = V_DISPATCH(&result)->QueryInterface(IID_IHvRow, reinterpret_cast<void**>(out));
    VariantClear(&result);
    return hr;
}

HRESULT EdgeRow(HvLayout& layout, bool last, ViewStyleRow** out)
{
    IHvRow* row = nullptr;
    HRESULT hr = ControlEdgeRow(layout, last, &row);
    if (row) {
        *out = DisplayRowAdapter::For(layout, HvRow::FromObject(row));
        row->Release();
    }
    return hr;
}

ViewStyleRow* FromObject(HvLayout& layout, IUnknown* object)
{
    return DisplayRowAdapter::For(layout, HvRow::FromObject(object));
}

// The top-level row at index, walking from the first row.
ViewStyleRow* TopRowAt(HvLayout& layout, long index)
{
    IHvRow* row = nullptr;
    ControlEdgeRow(layout, false, &row);
    for (long i = 0; row && i < index; ++i) {
        IHvRow* next = nullptr;
        VARIANT span;
        VariantInit(&span);
        if (FAILED(row->GetSibling(hvSiblingRowNext, &span, &next)) || !next)
            break;
        row->Release();
        row = next;
    }
    ViewStyleRow* made = row ? DisplayRowAdapter::For(layout, HvRow::FromObject(row)) : nullptr;
    if (row)
        row->Release();
    return made;
}

} // namespace

DisplayRowAdapter::DisplayRowAdapter(HvLayout& layout, HvRow& row) : layout_(layout), row_(row), preview_(row)
{
    row_.AddRef();
}

DisplayRowAdapter::~DisplayRowAdapter()
{
    Adapters().erase(&row_);
    if (parent_)
        parent_->ReleaseRow();
    row_.Release();
}

DisplayRowAdapter* DisplayRowAdapter::For(HvLayout& layout, HvRow* row)
{
    if (!row)
        return nullptr;
    auto found = Adapters().find(row);
    if (found != Adapters().end()) {
        found->second->AddRefRow();
        return found->second;
    }
    auto* made = new (std::nothrow) DisplayRowAdapter(layout, *row);
    if (made)
        Adapters()[row] = made;
    return made;
}

void DisplayRowAdapter::ReleaseRow()
{
    if (--refs_ == 0)
        delete this;
}

ViewStyleRow* DisplayRowAdapter::Wrap(IUnknown* object)
{
    return DisplayRowAdapter::For(layout_, HvRow::FromObject(object));
}

HvBand* DisplayRowAdapter::ModelBand()
{
    return dynamic_cast<HvBand*>(row_.Band());
}

VisibleRowBand* DisplayRowAdapter::Band()
{
    LayoutViewStyle* style = StyleOf(layout_);
    return style ? style->BandOf(row_.Band()) : nullptr;
}

ViewStyleBand* DisplayRowAdapter::StyleBand()
{
    LayoutViewStyle* style = StyleOf(layout_);
    return style ? style->BandOf(row_.Band()) : nullptr;
}

ViewStyleRow* DisplayRowAdapter::ParentStyleRow()
{
    if (!parent_ && row_.GetParentRow())
        parent_ = For(layout_, row_.GetParentRow());
    return parent_;
}

// The auto-preview shows below the row's cells, inside the row.
long DisplayRowAdapter::Height() { return row_.GetHeight() + preview_.Height(); }
long DisplayRowAdapter::TotalHeight() { return row_.GetTotalHeight() + preview_.Height(); }
bool DisplayRowAdapter::IsAlive() { return CAutomationObject::IsActive(&row_); }
bool DisplayRowAdapter::IsHidden() { return row_.IsHidden(); }
bool DisplayRowAdapter::ShowsChildRows() { return row_.ShowsChildRows(); }
bool DisplayRowAdapter::HasChildRows() { return row_.HasChildRows(false); }
bool DisplayRowAdapter::HasPrevSibling() { return row_.HasPrevSiblingCached(false); }
bool DisplayRowAdapter::HasNextSibling() { return row_.HasNextSiblingCached(false); }
bool DisplayRowAdapter::HasPrevSiblingSpanningBands() { return row_.HasPrevSiblingSpanningBandsCached(false); }
bool DisplayRowAdapter::HasNextSiblingSpanningBands() { return row_.HasNextSiblingSpanningBandsCached(false); }
long DisplayRowAdapter::RowSpacingBefore() { return row_.ResolveRowSpacingBefore(); }

ViewStyleRow* DisplayRowAdapter::Child(ViewStyleBand* band, bool last)
{
    auto* model = static_cast<ModelViewStyleBand*>(band);
    VARIANT argument = DispatchArgument(model ? static_cast<IHvBand*>(&model->Band()) : nullptr);
    IHvRow* child = nullptr;
    row_.GetChild(last ? hvChildRowLast : hvChildRowFirst, &argument, &child);
    VariantClear(&argument);
    ViewStyleRow* made = child ? Wrap(child) : nullptr;
    if (child)
        child->Release();
    return made;
}

long DisplayRowAdapter::FetchSiblings(bool backward, long count, ViewStyleRow** out)
{
    long handed = 0;
    IHvRow* current = &row_;
    current->AddRef();
    while (handed < count) {
        IHvRow* next = nullptr;
        VARIANT span;
        VariantInit(&span);
        if (FAILED(current->GetSibling(backward ? hvSiblingRowPrevious : hvSiblingRowNext, &span, &next)) || !next)
            break;
        current->Release();
        current = next;
        ViewStyleRow* wrapped = Wrap(next);
        if (!wrapped)
            break;
        out[handed++] = wrapped;
    }
    current->Release();
    return handed;
}

CAutomationObject* DisplayRowAdapter::RowObject() { return &row_; }
HvKeyedItem* DisplayRowAdapter::RowItem() { return &row_; }
bool DisplayRowAdapter::IsSelected() { return row_.IsSelected(); }
bool DisplayRowAdapter::IsActiveRow() { return row_.IsActiveRow(); }
bool DisplayRowAdapter::IsActivationDisabled() { return row_.GetActivation() == hvActivationDisabled; }
bool DisplayRowAdapter::HasDataChanged() { return row_.HasDataChanged(); }
bool DisplayRowAdapter::ShowsExpansionIndicator() { return row_.ShowsExpansionIndicator(); }
bool DisplayRowAdapter::IsExpanded() { return row_.IsShownExpanded(); }
void DisplayRowAdapter::SetExpanded(bool expanded) { row_.SetExpanded(expanded, true, true); }
bool DisplayRowAdapter::IsFixedHeight() { return row_.IsFixedHeight(); }
long DisplayRowAdapter::MinHeight() { return 1; }

bool DisplayRowAdapter::IsAddRow()
{
    Constants_RowType type = static_cast<Constants_RowType>(0);
    row_.get_Type(&type);
    return type == hvRowTypeAddRow;
}

void DisplayRowAdapter::Resize(long pixels)
{
    row_.put_Height(layout_.PixelsToUnitsY(pixels));
}

void DisplayRowAdapter::ResolveAppearance(AppearanceData& data, std::uint32_t mask, bool alternate, int part)
{
    if (HvBand* band = ModelBand())
        AppearanceChain::ResolveRow(*band, row_, data, mask, alternate, part);
}

// The parent's lines first, then this row's: four blanks for each line
// above, the caption of the band's scroll-tip column, ": " and the cell's
// text. A band without scroll tips adds nothing; a band without a
// scroll-tip column shows its first column.
std::wstring DisplayRowAdapter::ScrollTipText()
{
    std::wstring text;
    if (ViewStyleRow* parent = ParentStyleRow())
        text = DisplayRowOf(*parent).ScrollTipText();
    HvBand* band = ModelBand();
    if (!band || band->ResolveSetting(TipStyleScrollId) == TipStyleHide)
        return text;
    GridColumnSeam* column = nullptr;
    BSTR field = nullptr;
    if (SUCCEEDED(band->get_ScrollTipField(&field)) && field && *field) {
        const CDualString key(field);
        band->GetColumnByKey(&key, &column);
    }
    SysFreeString(field);
    if (!column)
        band->GetColumnByPosition(0, &column);
    auto* shared = dynamic_cast<HvColumnGroupImpl*>(column);
    auto* cell = dynamic_cast<HvCell*>(CellObject(shared));
    if (!shared || !cell)
        return text;
    CDualString caption;
    shared->GetCaption(caption);
    BSTR wide = caption.AllocSysString();
    BSTR value = nullptr;
    VARIANT mode;
    VariantInit(&mode);
    V_VT(&mode) = VT_ERROR;
    V_ERROR(&mode) = DISP_E_PARAMNOTFOUND;
    cell->GetText(&mode, &value);
    size_t levels = 0;
    if (!text.empty()) {
        levels = 1;
        for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at + 2))
            ++levels;
        text += L"\r\n";
    }
    text.append(4 * levels, L' ');
    text += wide ? wide : L"";
    text += L": ";
    text += value ? value : L"";
    SysFreeString(wide);
    SysFreeString(value);
    return text;
}

void DisplayRowAdapter::Activate()
{
    if (auto* control = dynamic_cast<HvTavelle*>(layout_.Grid()); control && control->GetActiveRow() != &row_)
        control->ChangeActiveRow(&row_);
}

CAutomationObject* DisplayRowAdapter::CellObject(HvColumnGroupImpl* column)
{
    HvCells* cells = row_.GetCells();
    auto* seam = dynamic_cast<GridColumnSeam*>(column);
    HvKeyedItem* item = nullptr;
    if (!cells || !seam || FAILED(cells->GetCellByColumnId(seam, &item)) || !item)
        return nullptr;
    return item->GetItemObject(); // lent: the row's cells keep the cell
}

HvUIElementOwner* DisplayRowAdapter::CellOwner(HvColumnGroupImpl* column)
{
    return dynamic_cast<HvCell*>(CellObject(column));
}

long DisplayRowAdapter::CellButton(HvColumnGroupImpl* column, long textAlign, bool* keepsRoom)
{
    *keepsRoom = false;
    auto* cell = dynamic_cast<HvCell*>(CellObject(column));
    auto* owner = dynamic_cast<HvColumn*>(column);
    auto* control = dynamic_cast<HvTavelle*>(layout_.GridSeam());
    if (!cell || !owner || !control || control->IsDesignMode())
        return 0;
    // A drop-down (a list or the calendar) on a cell that may be edited.
    if (!owner->IsDropDownStyle() || !cell->IsEditable())
        return 0;
    bool shows = control->GetActiveCell() == cell;
    if (!shows) {
        Constants_ButtonDisplayStyle buttons = hvButtonDisplayStyleOnMouseEnter;
        owner->get_ButtonDisplayStyle(&buttons);
        shows = buttons == hvButtonDisplayStyleAlways ||
                (buttons == hvButtonDisplayStyleOnRowActivate && control->GetActiveRow() == &row_);
    }
    // Centred, right-aligned and multi-line text keeps the room of a
    // button that is not shown, so that it does not move when it shows.
    const long align = textAlign ? textAlign : cell->DefaultHorizontalAlignment();
    *keepsRoom = shows || align == hvAlignCenter || align == hvAlignRight || owner->ResolvedCellMultiLine();
    return shows ? 6300 : 0;
}

void DisplayRowAdapter::ResolveCellAppearance(HvColumnGroupImpl* column, AppearanceData& data, std::uint32_t mask,
                                              bool alternate)
{
    HvBand* band = ModelBand();
    if (!band || !column)
        return;
    auto* cell = dynamic_cast<HvCell*>(CellObject(column));
    auto* control = dynamic_cast<HvTavelle*>(layout_.GridSeam());
    const bool active = cell && control && control->GetActiveCell() == cell;
    AppearanceChain::ResolveCell(*band, row_, cell, active, *column, data, mask, alternate);
    if (cell && (mask & AppearanceBit::Picture))
        AppearanceChain::TakeValueListPicture(*cell, *column, data);
}

long DisplayRowAdapter::CellState(HvColumnGroupImpl* column)
{
    auto* cell = dynamic_cast<HvCell*>(CellObject(column));
    if (!cell)
        return 0;
    long state = 0;
    VARIANT_BOOL selected = VARIANT_FALSE;
    cell->get_Selected(&selected);
    if (selected)
        state |= 2;
    if (cell->ResolvedActivation() == hvActivationDisabled)
        state |= 8;
    return state;
}

long DisplayRowAdapter::CellStyle(HvColumnGroupImpl* column)
{
    auto* shown = dynamic_cast<HvColumn*>(column);
    return shown ? shown->ResolveStyle() : 0;
}

void DisplayRowAdapter::EnterEditMode(HvColumnGroupImpl* column)
{
    if (auto* cell = dynamic_cast<HvCell*>(CellObject(column)))
        cell->EnterEditMode();
}

void InstallDisplayRows()
{
    DisplayRows& hooks = DisplayRowHooks();
    hooks.edgeRow = &EdgeRow;
    hooks.fromObject = &FromObject;
    hooks.topRowAt = &TopRowAt;
}
