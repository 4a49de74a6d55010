// RowAutoPreview: the preview's text and height.
#include "RowAutoPreview.h"

#include "AppearanceData.h"
#include "DualString.h"
#include "HvBand.h"
#include "HvCell.h"
#include "HvCells.h"
#include "HvLayout.h"
#include "HvRow.h"
#include "OverrideBandSeam.h"
#include "OwnedElementLookup.h"

#include <algorithm>

namespace {
constexpr DISPID BorderStyleRowId = 0x3f3;
constexpr DISPID CellSpacingId = 0x3f5;
constexpr long LineHeightWithoutContext = 12;

std::wstring Take(BSTR text)
{
    std::wstring result = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return result;
}
} // namespace

HvBand* RowAutoPreview::Band()
{
    return dynamic_cast<HvBand*>(row_.Band());
}

LayoutRegionsSeam* RowAutoPreview::GetShowingLayout()
{
    HvBand* band = Band();
    auto* layout = band ? dynamic_cast<HvLayout*>(band->OwnerLayout()) : nullptr;
    return layout && layout->Grid() ? layout : nullptr;
}

UIElementSeam* RowAutoPreview::GetUIElement(ScrollRegionSeam* rowRegion, ScrollRegionSeam* colRegion, int create)
{
    OwnedElementQuery query;
    query.type = 5500;
    query.row = &row_;
    query.rowRegion = rowRegion;
    query.colRegion = colRegion;
    return FindOwnedElement(dynamic_cast<HvLayout*>(GetShowingLayout()), query, create != 0);
}

std::wstring RowAutoPreview::Text()
{
    HvBand* band = Band();
    VARIANT_BOOL enabled = VARIANT_FALSE;
    VARIANT_BOOL hidden = VARIANT_FALSE;
    if (!band || FAILED(band->get_AutoPreviewEnabled(&enabled)) || !enabled ||
        FAILED(row_.get_AutoPreviewHidden(&hidden)) || hidden)
        return std::wstring();
    BSTR description = nullptr;
    std::wstring text = SUCCEEDED(row_.get_Description(&description)) ? Take(description) : Take(nullptr);
    if (!text.empty())
        return text;
    BSTR field = nullptr;
    const std::wstring key = SUCCEEDED(band->get_AutoPreviewField(&field)) ? Take(field) : Take(nullptr);
    IHvCells* cells = nullptr;
    if (key.empty() || FAILED(row_.get_Cells(&cells)) || !cells)
        return text;
    VARIANT index;
    VariantInit(&index);
    V_VT(&index) = VT_BSTR;
    V_BSTR(&index) = SysAllocString(key.c_str());
    IHvCell* cell = nullptr;
    if (SUCCEEDED(cells->get_Item(index, &cell)) && cell) {
        VARIANT value;
        VariantInit(&value);
        if (SUCCEEDED(cell->get_Value(&value)) &&
            SUCCEEDED(VariantChangeType(&value, &value, VARIANT_ALPHABOOL | VARIANT_NOVALUEPROP, VT_BSTR)))
            text.assign(V_BSTR(&value), SysStringLen(V_BSTR(&value)));
        VariantClear(&value);
        cell->Release();
    }
    VariantClear(&index);
    cells->Release();
    return text;
}

long RowAutoPreview::Height()
{
    const std::wstring text = Text();
    HvBand* band = Band();
    if (text.empty() || !band)
        return 0;
    // Wrapped across the row's cells in the row's font.
    AppearanceData data;
    AppearanceRequest request;
    request.requestMask = AppearanceBit::Font;
    request.part = AppearanceRequest::Row;
    band->ResolveBandAppearance(data, request);
    const long width = std::max<long>(band->Extent() - band->RowSelectorWidth() - band->ExpansionIndicatorWidth(), 1);
    long lineHeight = LineHeightWithoutContext;
    long height = LineHeightWithoutContext;
    if (HDC ic = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr)) {
        HFONT font = data.GetFontHandle();
        HGDIOBJ old = font ? SelectObject(ic, font) : nullptr;
        TEXTMETRICW metrics{};
        GetTextMetricsW(ic, &metrics);
        lineHeight = std::max<long>(metrics.tmHeight, 1);
        RECT rect = {0, 0, width, 0};
        DrawTextW(ic, text.c_str(), static_cast<int>(text.size()), &rect,
                  DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
        height = rect.bottom - rect.top;
        if (old)
            SelectObject(ic, old);
        DeleteDC(ic);
    }
    short maxLines = 0;
    if (SUCCEEDED(band->get_AutoPreviewMaxLines(&maxLines)) && maxLines > 0)
        height = std::min<long>(height, maxLines * lineHeight);
    return height + std::max<LONG>(band->ResolveSetting(CellSpacingId), 0) +
           HvLayout::BorderWidthFromStyle(band->ResolveSetting(BorderStyleRowId));
}

bool RowAutoPreview::GetText(OwnedElementSeam*, CDualString& text)
{
    const std::wstring shown = Text();
    text.AssignWide(shown.c_str());
    return !shown.empty();
}
