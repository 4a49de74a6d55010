// ClientAppearance: resolved appearances handed to clients.
#include "ClientAppearance.h"

#include "AppearanceData.h"
#include "DisplayRowAdapter.h"
#include "HvAppearance.h"
#include "HvCell.h"
#include "HvColumnGroupImpl.h"
#include "HvGridUIElement.h"
#include "HvLayout.h"
#include "HvRow.h"
#include "HvRowScrollRegion.h"
#include "HvTavelle.h"
#include "HvVisibleRow.h"
#include "OverrideBandSeam.h"

namespace {

constexpr OLE_COLOR SysWindow = 0x80000005;
constexpr OLE_COLOR SysButtonFace = 0x8000000F;
constexpr OLE_COLOR SysWindowFrame = 0x80000006;
constexpr OLE_COLOR SysWindowText = 0x80000008;
constexpr BYTE AlignLeft = 1;
constexpr BYTE AlignTop = 1;

// Whether the row shows as an alternate row in the region the client names
// (the active one when left out); false when it is not shown there.
HRESULT IsAlternateIn(HvTavelle& control, HvRow& row, VARIANT* rowRegion, bool* alternate)
{
    *alternate = false;
    HvLayout* layout = control.Layout();
    if (!layout)
        return E_FAIL;
    ScrollRegionItem* item = nullptr;
    VARIANT missing;
    VariantInit(&missing);
    const HRESULT hr = layout->RowScrollRegionFromVariant(rowRegion ? *rowRegion : missing, &item);
    if (FAILED(hr))
        return hr;
    auto* region = dynamic_cast<HvRowScrollRegion*>(item);
    if (!region)
        return S_OK;
    // The region's rows as the next paint would show them.
    if (HvGridUIElement* root = control.RootForClients(true); root && !control.IsPainting())
        root->VerifyChildElements();
    const HvVisibleRowList& rows = region->Rows();
    for (HvVisibleRow* entry = rows.First(); entry; entry = HvVisibleRowList::Next(entry)) {
        auto* shown = dynamic_cast<DisplayRowAdapter*>(&entry->Row());
        if (shown && &shown->Row() == &row) {
            *alternate = entry->IsAlternate();
            break;
        }
    }
    return S_OK;
}

// A new stand-alone appearance of the layout and its settings block.
HRESULT MakeSnapshot(HvLayout& layout, bool readOnly, HvAppearance** made, AppearanceData** data)
{
    *made = nullptr;
    *data = nullptr;
    HRESULT hr = HvAppearance::Create(layout.Host(), readOnly, nullptr, nullptr, made);
    if (FAILED(hr))
        return hr;
    hr = (*made)->EnsureAppearanceData();
    *data = SUCCEEDED(hr) ? (*made)->MutableAppearanceData() : nullptr;
    if (!*data) {
        (*made)->Release();
        *made = nullptr;
        return FAILED(hr) ? hr : E_OUTOFMEMORY;
    }
    return S_OK;
}

// What no level set: the given system colours, then the layout's own
// defaults (alpha, font).
void CompleteWithDefaults(HvLayout& layout, AppearanceData& data, OLE_COLOR back)
{
    if (data.BackColor() == UnsetColor)
        data.SetBackColor(back);
    if (data.BorderColor() == UnsetColor)
        data.SetBorderColor(SysWindowFrame);
    if (data.ForeColor() == UnsetColor)
        data.SetForeColor(SysWindowText);
    AppearanceRequest request;
    request.requestMask = AppearanceBit::All;
    request.resolvedMask = AppearanceBit::BackColor | AppearanceBit::BorderColor | AppearanceBit::ForeColor;
    if (data.Font())
        request.resolvedMask |= AppearanceBit::Font;
    if (data.AlphaLevel() != 0)
        request.resolvedMask |= AppearanceBit::AlphaLevel;
    layout.ApplyDefaultAppearance(data, request);
}

} // namespace

HRESULT ClientAppearance::OfRow(HvTavelle& control, HvRow& row, VARIANT* rowRegion, IHvAppearance** out)
{
    *out = nullptr;
    HvLayout* layout = control.Layout();
    if (!layout)
        return E_FAIL;
    bool alternate = false;
    HRESULT hr = IsAlternateIn(control, row, rowRegion, &alternate);
    if (FAILED(hr))
        return hr;
    HvAppearance* made = nullptr;
    AppearanceData* data = nullptr;
    hr = MakeSnapshot(*layout, true, &made, &data);
    if (FAILED(hr))
        return hr;
    if (DisplayRowAdapter* adapter = DisplayRowAdapter::For(*layout, &row)) {
        adapter->ResolveAppearance(*data, AppearanceBit::All, alternate, 0);
        adapter->ReleaseRow();
    }
    CompleteWithDefaults(*layout, *data, SysButtonFace);
    if (data->Nibble(AppearanceBit::TextAlign) == 0)
        data->SetNibble(AppearanceBit::TextAlign, AlignLeft);
    if (data->Nibble(AppearanceBit::TextVAlign) == 0)
        data->SetNibble(AppearanceBit::TextVAlign, AlignTop);
    *out = made;
    return S_OK;
}

HRESULT ClientAppearance::OfCell(HvTavelle& control, HvCell& cell, VARIANT* rowRegion, IHvAppearance** out)
{
    *out = nullptr;
    HvLayout* layout = control.Layout();
    auto* row = dynamic_cast<HvRow*>(cell.RowItem());
    auto* column = dynamic_cast<HvColumnGroupImpl*>(control.ColumnOfCell(&cell));
    if (!layout || !row || !column)
        return E_FAIL;
    bool alternate = false;
    HRESULT hr = IsAlternateIn(control, *row, rowRegion, &alternate);
    if (FAILED(hr))
        return hr;
    HvAppearance* made = nullptr;
    AppearanceData* data = nullptr;
    hr = MakeSnapshot(*layout, false, &made, &data);
    if (FAILED(hr))
        return hr;
    if (DisplayRowAdapter* adapter = DisplayRowAdapter::For(*layout, row)) {
        adapter->ResolveCellAppearance(column, *data, AppearanceBit::All, alternate);
        adapter->ReleaseRow();
    }
    CompleteWithDefaults(*layout, *data, SysWindow);
    if (data->Nibble(AppearanceBit::TextAlign) == 0)
        data->SetNibble(AppearanceBit::TextAlign, static_cast<BYTE>(cell.DefaultHorizontalAlignment()));
    if (data->Nibble(AppearanceBit::TextVAlign) == 0)
        data->SetNibble(AppearanceBit::TextVAlign, AlignTop);
    *out = made;
    return S_OK;
}
