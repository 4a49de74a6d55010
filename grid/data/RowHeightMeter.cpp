#include "RowHeightMeter.h"

#include "AppearanceData.h"
#include "OverrideBandSeam.h"
#include "GridColumnSeam.h"
#include "HvBand.h"
#include "HvCell.h"
#include "HvCells.h"
#include "HvColumn.h"
#include "HvLayout.h"
#include "HvRow.h"
#include "PropertySinkConnection.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {

enum : DISPID {
    kBorderStyleRow = 0x3f3,
    kBorderStyleCell = 0x3f1,
    kCellPadding = 0x3f4,
    kCellSpacing = 0x3f5,
    kRowSizing = 0x431,
    kRowSizingAutoMaxLines = 0x432,
};

constexpr LONG kStyleDropDownCalendar = 8;
constexpr LONG kButtonsAlways = 1;
constexpr UINT kMeasureFlags = DT_WORDBREAK | DT_EXTERNALLEADING | DT_CALCRECT | DT_EDITCONTROL;

struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using InformationContext = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

InformationContext DisplayContext()
{
    return InformationContext(CreateICW(L"DISPLAY", nullptr, nullptr, nullptr));
}

// The height of a line of the font on the context.
LONG LineHeight(HDC dc, HFONT font)
{
    if (!dc || !font)
        return 0;
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics = {};
    const BOOL measured = GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    return measured ? metrics.tmHeight + metrics.tmExternalLeading : 0;
}

LONG SettingAtLeastZero(HvBand& band, DISPID id)
{
    return std::max<LONG>(0, band.ResolveSetting(id));
}

} // namespace

HFONT RowHeightMeter::ResolvedFont(AppearanceData& data)
{
    if (HFONT font = data.GetFontHandle())
        return font;
    auto* layout = dynamic_cast<HvLayout*>(band_.OwnerLayout());
    PropertySinkConnection* connection = layout ? layout->AppearanceFont() : nullptr;
    HFONT font = connection ? connection->GetHFont() : nullptr;
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HvCell* RowHeightMeter::CellOf(HvColumn& column)
{
    HvCells* cells = row_.GetCells();
    HvKeyedItem* item = nullptr;
    if (!cells || FAILED(cells->GetCellByColumnId(&column, &item)) || !item)
        return nullptr;
    return dynamic_cast<HvCell*>(item->GetItemObject());
}

LONG RowHeightMeter::CellHeight(HvColumn& column, HDC dc)
{
    HvCell* cell = CellOf(column);
    if (!cell)
        return -1;
    AppearanceData data;
    AppearanceRequest request;
    request.requestMask = 0x7FFFF;
    request.part = AppearanceRequest::Cell;
    request.state[AppearanceRequest::Selected] = row_.IsSelected() ? 1 : 0;
    if (const AppearanceData* own = row_.OwnCellAppearanceData()) {
        std::uint32_t resolved = request.resolvedMask;
        AppearanceData::ResolveAppearance(data, *own, request.requestMask, &resolved);
        request.resolvedMask = resolved;
    }
    band_.ResolveBandAppearance(data, request);

    const LONG spacing = SettingAtLeastZero(band_, kCellSpacing);
    const LONG padding = SettingAtLeastZero(band_, kCellPadding);
    LONG reserved = 2 * (spacing + padding);
    Constants_ButtonDisplayStyle buttons = hvButtonDisplayStyleOnMouseEnter;
    column.get_ButtonDisplayStyle(&buttons);
    if ((column.ValueList() || column.ResolveStyle() == kStyleDropDownCalendar) && buttons == kButtonsAlways)
        reserved += GetSystemMetrics(SM_CXVSCROLL);

    LONG height = 0;
    if (data.HasPicture()) {
        SIZE picture = {};
        data.GetPictureSize(picture);
        if (picture.cy == 0)
            if (auto* layout = dynamic_cast<HvLayout*>(band_.OwnerLayout()))
                picture = layout->GetImageSize();
        reserved += picture.cx + 4;
        height = picture.cy;
    }

    if (column.ResolvedCellMultiLine() && dc) {
        const LONG textWidth = std::max(column.GetMinWidth(), column.GetDefaultWidth() - reserved);
        HGDIOBJ previous = SelectObject(dc, ResolvedFont(data));
        BSTR text = nullptr;
        VARIANT raw;
        VariantInit(&raw);
        V_VT(&raw) = VT_ERROR;
        V_ERROR(&raw) = DISP_E_PARAMNOTFOUND;
        cell->GetText(&raw, &text);
        RECT rect = {0, 0, std::max<LONG>(1, textWidth), 0};
        const std::wstring value = text ? text : L"";
        SysFreeString(text);
        DrawTextW(dc, value.empty() ? L" " : value.c_str(), value.empty() ? 1 : static_cast<int>(value.size()), &rect,
                  kMeasureFlags);
        LONG measured = rect.bottom - rect.top;
        if (const LONG maxLines = band_.ResolveSetting(kRowSizingAutoMaxLines); maxLines > 0) {
            TEXTMETRICW metrics = {};
            if (GetTextMetricsW(dc, &metrics))
                measured = std::min<LONG>(measured, maxLines * (metrics.tmHeight + metrics.tmExternalLeading));
        }
        height = std::max(height, measured);
        SelectObject(dc, previous);
    }
    return height + 2 * HvLayout::BorderWidthFromStyle(band_.ResolveSetting(kBorderStyleRow)) +
           2 * HvLayout::BorderWidthFromStyle(band_.ResolveSetting(kBorderStyleCell));
}

LONG RowHeightMeter::NaturalHeight()
{
    const LONG count = band_.GetColumnCount();
    if (count <= 0)
        return 0;
    InformationContext dc = DisplayContext();
    LONG tallest = 0;
    for (LONG index = 0; index < count; ++index) {
        GridColumnSeam* seam = nullptr;
        if (FAILED(band_.GetColumnByIndex(index, &seam)))
            continue;
        auto* column = dynamic_cast<HvColumn*>(seam);
        if (!column || column->IsHiddenItem() || column->HasChildBand())
            continue;
        tallest = std::max(tallest, CellHeight(*column, dc.get()));
    }
    return tallest;
}

LONG RowHeightMeter::ContentHeight()
{
    const LONG bandHeight = band_.CalcRowHeight(false);
    const LONG sizing = band_.ResolveSetting(kRowSizing);
    if (sizing != hvRowSizingFree && sizing != hvRowSizingAutoFree)
        return bandHeight;
    AppearanceData data;
    AppearanceRequest request;
    request.requestMask = AppearanceBit::Font;
    request.part = AppearanceRequest::Row;
    if (const AppearanceData* own = row_.OwnAppearanceData()) {
        std::uint32_t resolved = request.resolvedMask;
        AppearanceData::ResolveAppearance(data, *own, request.requestMask, &resolved);
        request.resolvedMask = resolved;
    }
    band_.ResolveBandAppearance(data, request);
    InformationContext dc = DisplayContext();
    return std::max(bandHeight, LineHeight(dc.get(), ResolvedFont(data)));
}
