// HvBand: the band-level resolution of override settings (the band's own
// override, else the layout's, else the fixed default) and the band's
// metrics built on them: row height, header heights, and the widths of the
// row-selector and expansion-indicator columns.
#include "HvBand.h"

#include "AppearanceData.h"
#include "AppearanceRef.h"
#include "BandGridSeam.h"
#include "BandLayoutSeam.h"
#include "BandsLayoutSeam.h"
#include "HvBands.h"
#include "HvColumns.h"
#include "HvGroups.h"
#include "HvOverride.h"
#include "OverrideLayoutSeam.h"
#include "OverrideSettings.h"
#include "PropertySinkConnection.h"

#include <algorithm>

namespace {

// Dispatch identifiers of the override settings.
enum : DISPID {
    kDefaultColWidth = 0x4a9,
    kDefaultRowHeight = 0x40d,
    kCellPadding = 0x3f4,
    kCellSpacing = 0x3f5,
    kMaxSelectedCells = 0x42e,
    kMaxSelectedRows = 0x42f,
    kRowSizingAutoMaxLines = 0x432,
    kBorderStyleRow = 0x3f3,
    kBorderStyleCell = 0x3f1,
    kBorderStyleHeader = 0x509,
    kRowSelectors = 0x419,
    kAllowAddNew = 0x422,
    kAllowDelete = 0x428,
    kAllowUpdate = 0x42d,
    kExpandRowsOnLoad = 0x40f,
    kRowSizing = 0x431,
    kTipStyleScroll = 0x88a,
    kFetchRows = 0x898,
    kExpansionIndicator = 0x89f,
};

struct FixedDefault {
    DISPID dispid;
    LONG value;
};

// The fixed defaults; settings not listed default to 0.
constexpr FixedDefault kDefaults[] = {
    {0x419, 1},  // RowSelectors: On
    {0x424, 1},  // HeaderClickAction: Select
    {0x83e, 1},  // CellClickAction: Edit
    {0x3f3, 5},  // BorderStyleRow: SolidLine
    {0x3f1, 5},  // BorderStyleCell: SolidLine
    {0x509, 9},  // BorderStyleHeader: RaisedSoft
    {0x433, 3},  // SelectTypeCell: Extended
    {0x434, 3},  // SelectTypeCol
    {0x435, 3},  // SelectTypeRow
    {0x888, 1},  // TipStyleCell: Show
    {0x889, 1},  // TipStyleRowConnector
    {0x88a, 1},  // TipStyleScroll
    {0x3f4, 1},  // CellPadding
    {0x427, 1},  // AllowColSwapping: NotAllowed
    {0x423, 3},  // AllowColMoving: WithinBand
    {0x425, 2},  // AllowColSizing: Sync
    {0x42c, 1},  // AllowGroupSwapping: NotAllowed
    {0x429, 2},  // AllowGroupMoving: WithinBand
    {0x42d, 1},  // AllowUpdate: Yes
    {0x422, 1},  // AllowAddNew: Yes
    {0x428, 1},  // AllowDelete: Yes
    {0x40f, 1},  // ExpandRowsOnLoad: Yes
    {0x431, 3},  // RowSizing: Sychronized
    {0x895, 1},  // RowSizingArea: RowSelectorsOnly
    {0x4a5, 2},  // CellMultiLine: False
};

LONG FixedDefaultOf(DISPID dispid)
{
    for (const FixedDefault& entry : kDefaults)
        if (entry.dispid == dispid)
            return entry.value;
    return 0;
}

bool IsSet(const OverrideSettings::Setting& setting, LONG value)
{
    switch (setting.kind) {
    case OverrideSettings::Kind::Byte:
    case OverrideSettings::Kind::Nibble:
        return value != 0;
    default:
        return value >= 0;
    }
}

constexpr LONG kRootRowsPreloadLimit = 1000;
constexpr LONG kDefaultLineHeight = 20;

LONG BorderWidth(LONG style)
{
    switch (style) {
    case 1:
        return 0;
    case 6:
    case 7:
        return 2;
    default:
        return 1;
    }
}

bool IsThinBorder(LONG style)
{
    return style == 0 || (style >= 2 && style <= 5);
}

} // namespace

// The layout-level value of a setting; false when the layout leaves it unset.
LONG HvBand::LayoutSetting(DISPID dispid)
{
    const OverrideSettings::Setting* setting = OverrideSettings::Find(dispid);
    if (!setting || !layout_)
        return setting && setting->kind != OverrideSettings::Kind::Byte &&
                       setting->kind != OverrideSettings::Kind::Nibble
                   ? -1
                   : 0;
    if (setting->kind == OverrideSettings::Kind::Size)
        return layout_->ResolveLayoutSize(dispid);
    return layout_->ResolveLayoutSetting(dispid);
}

LONG HvBand::ResolveSetting(DISPID dispid)
{
    const OverrideSettings::Setting* setting = OverrideSettings::Find(dispid);
    if (!setting)
        return 0;
    const bool designMode = layout_ && layout_->IsDesignMode();
    switch (dispid) {
    case kAllowAddNew:
    case kAllowDelete:
        if (ResolveSetting(kAllowUpdate) == 2)
            return 2;
        break;
    case kExpandRowsOnLoad:
        if (designMode)
            return 1;
        if (!(flags_ & FlagExpandable))
            return 2;
        break;
    case kFetchRows:
        if (designMode)
            return 4;
        break;
    case kDefaultRowHeight:
        return ResolveDefaultRowHeight();
    default:
        break;
    }

    LONG value = override_ ? override_->Settings().Get(*setting) : 0;
    bool set = override_ && IsSet(*setting, value);
    if (!set) {
        value = LayoutSetting(dispid);
        set = IsSet(*setting, value);
    }

    switch (dispid) {
    case kMaxSelectedCells:
    case kMaxSelectedRows:
    case kRowSizingAutoMaxLines:
        return set && value >= 1 ? value : 0;
    case kFetchRows:
        if (set)
            return value;
        {
            HvBands* bands = layout_ ? layout_->Bands() : nullptr;
            HvBand* first = bands ? dynamic_cast<HvBand*>(bands->BandAt(0)) : nullptr;
            if (!first || !first->binding_ || first->binding_->RowCount() > kRootRowsPreloadLimit)
                return 1;
            return 3;
        }
    default:
        return set ? value : FixedDefaultOf(dispid);
    }
}

bool HvBand::IsRowSizingFixed()
{
    const LONG sizing = ResolveSetting(kRowSizing);
    return sizing == 1 || sizing == 4;
}

bool HvBand::IsScrollTipShown()
{
    for (HvBand* band = this; band; band = band->parent_)
        if (band->ResolveSetting(kTipStyleScroll) != 2)
            return true;
    return false;
}

bool HvBand::CanAddNew(bool full)
{
    if (!layout_ || !(layout_->IsEnabled() || layout_->IsDesignMode()))
        return false;
    if (IsRowsetUnavailable())
        return false;
    if (ResolveSetting(kAllowAddNew) == 2)
        return false;
    if (!full || !parent_)
        return true;
    BandGridSeam* grid = layout_->Grid();
    return grid && grid->ActiveRowLeadsToBand(parent_);
}

// --- metrics ----------------------------------------------------------------

LONG HvBand::RowSelectorWidth()
{
    return ResolveRowSelectors() ? RowSelectorPixels : 0;
}

LONG HvBand::ExpansionIndicatorWidth()
{
    if (parent_ || HasChildBands(true) || ResolveSetting(kExpansionIndicator) == 1)
        return ExpansionIndicatorPixels;
    return 0;
}

void HvBand::InvalidateHeaderHeights()
{
    rowLineValid_ = colHeaderLineValid_ = groupHeaderLineValid_ = rowHeightValid_ = false;
}

LONG HvBand::MaxLineHeight()
{
    if (rowLineValid_)
        return maxRowLine_;
    LONG line = columns_ ? columns_->GetDropDownButtonWidth() : 0;
    OverrideLayoutSeam* units = layout_ ? layout_->OverrideSide() : nullptr;
    // ActiveRow, ActiveCell, Cell, EditCell, Row, RowAlternate, SelectedCell, SelectedRow.
    static constexpr int kSlots[] = {0, 1, 2, 3, 5, 6, 7, 8};
    LONG rowSlot = 0;
    for (int slot : kSlots) {
        LONG height = 0;
        if (override_)
            height = override_->GetAppearanceLineHeight(slot);
        else if (units) {
            AppearanceRef* layoutSlot = units->GetOverrideAppearance(slot);
            PropertySinkConnection* font = layoutSlot ? layoutSlot->GetFontConnection() : nullptr;
            height = font ? units->GetFontLineHeight(font) : 0;
        }
        if (slot == 5)
            rowSlot = height;
        line = std::max(line, height);
    }
    if ((rowSlot == 0 || !override_) && units) {
        PropertySinkConnection* font = layout_->AppearanceFont();
        line = std::max(line, font ? units->GetFontLineHeight(font) : kDefaultLineHeight);
    }
    maxRowLine_ = line;
    rowLineValid_ = true;
    return line;
}

LONG HvBand::CalcRowHeight(bool syncAcrossBands)
{
    LONG height = 0;
    if (rowHeightValid_) {
        height = rowHeight_;
    } else {
        const LONG cellStyle = ResolveSetting(kBorderStyleCell);
        const LONG rowStyle = ResolveSetting(kBorderStyleRow);
        const LONG w = BorderWidth(cellStyle);
        const LONG spacing = std::max<LONG>(0, ResolveSetting(kCellSpacing));
        const LONG padding = std::max<LONG>(0, ResolveSetting(kCellPadding));
        LONG allowance = 0;
        if (spacing > 0 || !IsThinBorder(cellStyle) || !IsThinBorder(rowStyle))
            allowance = 2 * w;
        LONG base = MaxLineHeight() + 2 * (padding + spacing) + 2;
        if (HasGroups() && levelCount_ > 1) {
            const LONG gap = spacing > 0 || !IsThinBorder(cellStyle) ? 2 * w : w;
            base = levelCount_ * base + (levelCount_ - 1) * gap;
        }
        height = base + allowance + 2 * BorderWidth(rowStyle);
        rowHeight_ = height;
        rowHeightValid_ = true;
    }
    if (syncAcrossBands && layout_ && layout_->ViewStyleSyncsRowHeights()) {
        if (HvBands* bands = layout_->Bands()) {
            for (LONG i = 0;; ++i) {
                GridBandSeam* other = bands->BandAt(i);
                if (!other)
                    break;
                HvBand* band = dynamic_cast<HvBand*>(other);
                if (band && band != this && !band->IsEffectivelyHidden())
                    height = std::max(height, band->CalcRowHeight(false));
            }
        }
    }
    return height;
}

LONG HvBand::ResolveDefaultRowHeight()
{
    const OverrideSettings::Setting* sizing = OverrideSettings::Find(kRowSizing);
    LONG rowSizing = override_ && sizing ? override_->Settings().Get(*sizing) : 0;
    if (rowSizing == 0)
        rowSizing = LayoutSetting(kRowSizing);
    if (rowSizing == 0)
        rowSizing = 3;
    if (rowSizing == 3 && syncRowHeight_ > 0)
        return syncRowHeight_;
    const OverrideSettings::Setting* setting = OverrideSettings::Find(kDefaultRowHeight);
    const LONG own = override_ && setting ? override_->Settings().Get(*setting) : -1;
    if (own > 0)
        return own;
    if (own != 0) {
        const LONG fromLayout = LayoutSetting(kDefaultRowHeight);
        if (fromLayout > 0)
            return fromLayout;
    }
    return CalcRowHeight(true);
}

void HvBand::SetSynchronizedRowHeight(LONG height)
{
    syncRowHeight_ = height;
    ++version_;
    if (layout_)
        layout_->BandsSide()->MarkRowScrollRegionsDirty();
}

LONG HvBand::GetHeaderLineHeight()
{
    OverrideLayoutSeam* units = layout_ ? layout_->OverrideSide() : nullptr;
    if (!units)
        return kDefaultLineHeight;
    const LONG own = override_ ? override_->GetAppearanceLineHeight(4) : 0;
    if (own > 0)
        return own;
    PropertySinkConnection* font = layout_->AppearanceFont();
    return font ? units->GetFontLineHeight(font) : kDefaultLineHeight;
}

LONG HvBand::GetColHeaderHeight(bool raw)
{
    if (!(flags_ & FlagColHeaders))
        return 0;
    if (!colHeaderLineValid_) {
        const LONG fonts = columns_ ? columns_->GetMaxHeaderFontHeight() : 0;
        maxColHeaderLine_ = std::max(fonts, GetHeaderLineHeight());
        colHeaderLineValid_ = true;
    }
    LONG h = colHeaderLines_ * maxColHeaderLine_;
    const LONG picture = columns_ ? columns_->GetMaxHeaderPictureHeight() : 0;
    if (picture >= h)
        h = picture;
    h += 2 * BorderWidth(ResolveSetting(kBorderStyleHeader)) + 4;
    if (HasGroups())
        h *= levelCount_;
    if (!raw && IsThinBorder(ResolveSetting(kBorderStyleRow)))
        --h;
    return h;
}

LONG HvBand::GetGroupHeaderHeight()
{
    if (!HasGroups() || !(flags_ & FlagGroupHeaders))
        return 0;
    if (!groupHeaderLineValid_) {
        maxGroupHeaderLine_ = std::max(groups_->GetMaxHeaderFontHeight(), GetHeaderLineHeight());
        groupHeaderLineValid_ = true;
    }
    LONG h = groupHeaderLines_ * maxGroupHeaderLine_;
    const LONG picture = groups_->GetMaxHeaderPictureHeight();
    if (picture >= h)
        h = picture;
    return h + 2 * BorderWidth(ResolveSetting(kBorderStyleHeader)) + 4;
}

HFONT HvBand::HeaderFont()
{
    if (override_) {
        if (AppearanceRef* own = override_->GetAppearanceRef(4))
            if (PropertySinkConnection* font = own->GetFontConnection())
                if (HFONT handle = font->GetHFont())
                    return handle;
    }
    if (!layout_)
        return nullptr;
    if (AppearanceRef* layoutSlot = layout_->OverrideSide()->GetOverrideAppearance(4))
        if (PropertySinkConnection* font = layoutSlot->GetFontConnection())
            if (HFONT handle = font->GetHFont())
                return handle;
    PropertySinkConnection* font = layout_->AppearanceFont();
    return font ? font->GetHFont() : nullptr;
}
