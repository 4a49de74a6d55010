// HvLayout: the layout-level resolvers (settings, appearances, pictures,
// caption height), objects named by VARIANT arguments, and the reaction to
// the notices of the layout's sub-objects.
#include "HvLayout.h"

#include "AppearanceData.h"
#include "BandBindingSeam.h"
#include "GridBandSeam.h"
#include "HvBand.h"
#include "HvAppearance.h"
#include "HvAppearances.h"
#include "HvOverrides.h"
#include "HvBands.h"
#include "HvColScrollRegions.h"
#include "HvKeyedItem.h"
#include "HvOverride.h"
#include "HvRowScrollRegions.h"
#include "HvValueLists.h"
#include "LayoutGridSeam.h"
#include "LayoutPartsSeam.h"
#include "OverrideBandSeam.h"
#include "ScrollRegionItem.h"

#include <algorithm>
#include <string>

namespace {

// Override settings by dispatch identifier.
namespace Setting {
constexpr DISPID AllowAddNew = 0x422, AllowColMoving = 0x423, AllowColSizing = 0x425, AllowColSwapping = 0x427,
                 AllowDelete = 0x428, AllowGroupMoving = 0x429, AllowGroupSwapping = 0x42c, AllowUpdate = 0x42d,
                 ExpandRowsOnLoad = 0x40f, FetchRows = 0x898, RowSizing = 0x431, CellMultiLine = 0x4a5,
                 RowSizingArea = 0x895, MaxSelectedCells = 0x42e, MaxSelectedRows = 0x42f,
                 RowSizingAutoMaxLines = 0x432;
} // namespace Setting

// The system colours the layout falls back to.
constexpr OLE_COLOR SysHighlight = 0x8000000D;
constexpr OLE_COLOR SysHighlightText = 0x8000000E;
constexpr OLE_COLOR SysButtonFace = 0x8000000F;
constexpr OLE_COLOR SysWindowFrame = 0x80000006;
constexpr OLE_COLOR SysWindowText = 0x80000008;
constexpr OLE_COLOR SysButtonText = 0x80000012;

bool IsMissing(const VARIANT& value)
{
    return value.vt == VT_EMPTY || value.vt == VT_NULL || value.vt == VT_ERROR;
}

const VARIANT& Deref(const VARIANT& value)
{
    if (value.vt == (VT_VARIANT | VT_BYREF) && value.pvarVal)
        return *value.pvarVal;
    return value;
}

} // namespace

// ---------------------------------------------------------------------------
// Settings

LONG HvLayout::ResolveSetting(DISPID setting)
{
    LONG own = 0;
    const OverrideSettings::Setting* entry = OverrideSettings::Find(setting);
    if (override_ && entry)
        own = override_->Settings().Get(*entry);
    auto orDefault = [own](LONG fallback) { return own != 0 ? own : fallback; };
    switch (setting) {
    case Setting::AllowColSwapping: return orDefault(1);
    case Setting::AllowColMoving: return orDefault(3);
    case Setting::AllowColSizing: return orDefault(2);
    case Setting::AllowGroupSwapping: return orDefault(1);
    case Setting::AllowGroupMoving: return orDefault(2);
    case Setting::AllowUpdate: return orDefault(1);
    case Setting::AllowAddNew:
    case Setting::AllowDelete:
        if (ResolveSetting(Setting::AllowUpdate) == 2)
            return 2;
        return orDefault(1);
    case Setting::ExpandRowsOnLoad: return orDefault(1);
    case Setting::RowSizing: return orDefault(3);
    case Setting::CellMultiLine: return own == 1 ? 1 : 0;
    case Setting::RowSizingArea: return orDefault(1);
    case Setting::MaxSelectedCells:
    case Setting::MaxSelectedRows:
    case Setting::RowSizingAutoMaxLines:
        return own > 0 ? own : 0;
    case Setting::FetchRows: {
        if (own != 0)
            return own;
        auto* band = dynamic_cast<HvBand*>(GetFirstBand());
        BandBindingSeam* binding = band ? band->Binding() : nullptr;
        if (IsDesignMode() || !binding || binding->RowCount() > 1000)
            return 1;
        return 3;
    }
    default:
        return own;
    }
}

LONG HvLayout::ResolveSize(DISPID setting)
{
    const OverrideSettings::Setting* entry = OverrideSettings::Find(setting);
    if (!override_ || !entry)
        return -1;
    LONG value = override_->Settings().Get(*entry);
    return value < 0 ? -1 : value;
}

// ---------------------------------------------------------------------------
// Appearances

void HvLayout::ResolveAppearance(AppearanceData& block, AppearanceRequest& request)
{
    std::uint32_t resolved = request.resolvedMask;
    const std::uint32_t mask = request.requestMask;
    auto merge = [&](const AppearanceData* source) {
        if (source)
            AppearanceData::ResolveAppearance(block, *source, mask, &resolved);
    };
    auto slot = [&](int index) {
        if (AppearanceRef* ref = GetOverrideAppearance(index))
            merge(ref->GetAppearanceData());
    };
    auto fillColour = [&](std::uint32_t bit, OLE_COLOR colour) {
        if ((mask & bit) && !(resolved & bit)) {
            if (bit == AppearanceBit::BackColor)
                block.SetBackColor(colour);
            else if (bit == AppearanceBit::ForeColor)
                block.SetForeColor(colour);
            else
                block.SetBorderColor(colour);
            resolved |= bit;
        }
    };
    const BYTE* state = request.state;
    const bool alternate = state[AppearanceRequest::Alternate] != 0;
    const bool isRow = request.part == AppearanceRequest::Row;
    const bool isCell = request.part == AppearanceRequest::Cell;
    const bool isCaption = request.part == static_cast<DWORD>(Kind);

    if (state[AppearanceRequest::EditCell]) {
        slot(3);
    } else if (state[AppearanceRequest::ActiveCell]) {
        slot(1);
        if (state[AppearanceRequest::ActiveRow])
            slot(0);
    } else if (state[AppearanceRequest::ActiveRow]) {
        slot(0);
    } else if (state[AppearanceRequest::Selected]) {
        if (isCell)
            slot(7);
        slot(8);
        fillColour(AppearanceBit::BackColor, SysHighlight);
        fillColour(AppearanceBit::BorderColor, SysWindowFrame);
        fillColour(AppearanceBit::ForeColor, SysHighlightText);
    } else {
        if (state[AppearanceRequest::RowSelector]) {
            slot(9);
            fillColour(AppearanceBit::BackColor, SysButtonFace);
        }
        if (isCaption && state[4])
            merge(captionAppearance_.GetAppearanceData());
        if (isRow)
            slot(alternate ? 6 : 5);
        if (isCell) {
            slot(2);
            if (!state[7])
                slot(alternate ? 6 : 5);
        }
        if (request.part == AppearanceRequest::Header)
            slot(4);
        const bool skipDefaults = alternate && (isRow || isCell);
        if (!skipDefaults) {
            merge(appearance_.GetAppearanceData());
            if (!isRow && !isCell) {
                fillColour(AppearanceBit::BackColor, SysButtonFace);
                fillColour(AppearanceBit::BorderColor, SysWindowFrame);
                fillColour(AppearanceBit::ForeColor, isCaption ? SysWindowText : SysButtonText);
            }
            if ((mask & AppearanceBit::AlphaLevel) && !(resolved & AppearanceBit::AlphaLevel)) {
                block.SetAlphaLevel(255);
                resolved |= AppearanceBit::AlphaLevel;
            }
            if ((mask & AppearanceBit::Font) && !(resolved & AppearanceBit::Font)) {
                if (PropertySinkConnection* font = DefaultFont())
                    block.SetFont(font);
                resolved |= AppearanceBit::Font;
            }
        }
    }
    request.resolvedMask = resolved;
}

bool HvLayout::ResolvePicture(const AppearanceData& data, IPicture** picture)
{
    if (picture)
        *picture = nullptr;
    const VARIANT* value = data.Picture();
    if (!value)
        return false;
    if ((value->vt == VT_DISPATCH || value->vt == VT_UNKNOWN) && value->punkVal) {
        IPicture* found = nullptr;
        if (FAILED(value->punkVal->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&found))) || !found)
            return false;
        if (picture)
            *picture = found;
        else
            found->Release();
        return true;
    }
    // Images by index or key live in the grid's Images collection; without
    // a grid there is none.
    if (!grid_ || !grid_->IsAlive())
        return false;
    SIZE size = grid_->ImageSize();
    return size.cx > 0 && size.cy > 0;
}

bool HvLayout::HasBackgroundPicture()
{
    if (backgroundPicture_ == -1) {
        const AppearanceData* own = appearance_.GetAppearanceData();
        if (own) {
            AppearanceData resolved;
            std::uint32_t mask = 0;
            AppearanceData::ResolveAppearance(resolved, *own, AppearanceBit::PictureBackground, &mask);
            if (IPictureDisp* background = resolved.PictureBackground()) {
                IPicture* picture = nullptr;
                SHORT type = 0;
                if (SUCCEEDED(background->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&picture))) &&
                    picture) {
                    picture->get_Type(&type);
                    picture->Release();
                }
                backgroundPicture_ = type != 0 ? 1 : 0;
            }
        }
    }
    return backgroundPicture_ == 1;
}

LONG HvLayout::GetCaptionHeight()
{
    if (captionHeight_ != 0)
        return captionHeight_;
    AppearanceData data;
    AppearanceRequest request;
    request.requestMask = 0xF20;
    request.part = Kind;
    request.state[4] = 1;
    ResolveAppearance(data, request);

    LONG pictureHeight = 0;
    if (data.HasPicture()) {
        IPicture* picture = nullptr;
        if (ResolvePicture(data, &picture) && picture) {
            SIZE size{};
            data.GetPictureSize(size);
            pictureHeight = size.cy + 1;
            picture->Release();
        } else if (data.HasPicture() && !data.HasPictureObject()) {
            SIZE size = GetImageSize();
            if (size.cy > 0)
                pictureHeight = size.cy + 1;
        }
    }
    HDC dc = GetDC(nullptr);
    if (!dc)
        return 0;
    LONG textHeight = 0;
    if (!caption_.IsEmpty()) {
        HFONT font = data.GetFontHandle();
        if (!font)
            font = font_.GetHFont();
        HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
        std::wstring text;
        {
            BSTR wide = caption_.AllocSysString();
            if (wide) {
                text.assign(wide, SysStringLen(wide));
                SysFreeString(wide);
            }
        }
        RECT rect{0, 0, 0x7FFF, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_NOPREFIX);
        textHeight = rect.bottom - rect.top;
        if (old)
            SelectObject(dc, old);
    }
    ReleaseDC(nullptr, dc);
    const BYTE horizontal = data.Nibble(AppearanceBit::PictureAlign);
    const BYTE vertical = data.Nibble(AppearanceBit::PictureVAlign);
    LONG height;
    if (horizontal == 2 && (vertical == 1 || vertical == 3))
        height = pictureHeight + textHeight + 1;
    else
        height = std::max(textHeight + 1, pictureHeight);
    if (textHeight == 0 && pictureHeight == 0)
        return 0;
    captionHeight_ = height + 2 * BorderWidthFromStyle(ResolveBorderStyleCaption());
    return captionHeight_;
}

bool HvLayout::IsAddNewBoxVisible()
{
    return addNewBox_ && bands_ && bands_->ItemCount() > 0 && !addNewBox_->IsHidden();
}

LONG HvLayout::GetAddNewBoxExtent()
{
    if (!IsAddNewBoxVisible())
        return 0;
    const LONG border = 2 * BorderWidthFromStyle(7);
    HDC dc = GetDC(nullptr);
    if (!dc)
        return GetFontLineHeight(nullptr) + border;
    HFONT font = font_.GetHFont();
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SIZE text{};
    GetTextExtentPoint32W(dc, L"Wy", 2, &text);
    if (old)
        SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const LONG button = text.cy + 2 * BorderWidthFromStyle(7) + 3;
    const LONG height = std::max<LONG>(text.cy, button);
    LONG stair = std::max<LONG>(height - button, 8) + 8;
    int counted = 0;
    for (LONG i = 0; i < bands_->ItemCount(); ++i) {
        GridBandSeam* band = bands_->BandAt(i);
        if (!band || band->IsEffectivelyHidden())
            continue;
        stair += counted == 0 ? button : button + 6;
        ++counted;
    }
    return std::max(height, stair) + border;
}

// ---------------------------------------------------------------------------
// Objects named by arguments

HRESULT HvLayout::BandFromVariant(const VARIANT& argument, GridBandSeam** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    const VARIANT& value = Deref(argument);
    if ((value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) && value.punkVal) {
        for (HvBands* bands : {bands_, pendingBands_}) {
            if (!bands)
                continue;
            for (LONG i = 0; i < bands->ItemCount(); ++i) {
                GridBandSeam* band = bands->BandAt(i);
                HvKeyedItem* item = band ? band->BandItem() : nullptr;
                CAutomationObject* object = item ? item->GetItemObject() : nullptr;
                if (object && IsSameAsObject(object, value.punkVal)) {
                    *out = band;
                    return S_OK;
                }
            }
        }
        return RaiseError(LayoutError::BadObject, LayoutError::BadObjectString);
    }
    if (!bands_)
        return RaiseError(LayoutError::BadIndex, LayoutError::BadIndexString);
    HvKeyedItem* item = nullptr;
    IDispatch* found = nullptr;
    VARIANT copy = value;
    HRESULT hr = bands_->FindItem(&copy, &found, &item);
    if (found)
        found->Release();
    if (FAILED(hr))
        return hr;
    for (LONG i = 0; i < bands_->ItemCount(); ++i)
        if (GridBandSeam* band = bands_->BandAt(i))
            if (band->BandItem() == item) {
                *out = band;
                return S_OK;
            }
    return RaiseError(LayoutError::BadIndex, LayoutError::BadIndexString);
}

bool HvLayout::IsSameAsObject(CAutomationObject* object, IUnknown* candidate)
{
    IUnknown* a = nullptr;
    IUnknown* b = nullptr;
    bool same = false;
    if (SUCCEEDED(object->ForwardQueryInterface(IID_IUnknown, reinterpret_cast<void**>(&a))) &&
        SUCCEEDED(candidate->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&b))))
        same = a == b;
    if (a)
        a->Release();
    if (b)
        b->Release();
    return same;
}

template <class TRegions>
static HRESULT RegionFromVariant(HvLayout& layout, TRegions* regions, const VARIANT& argument, REFIID iid,
                                 ScrollRegionItem* active, ScrollRegionItem** out)
{
    const VARIANT& value = Deref(argument);
    if (IsMissing(value)) {
        *out = active;
        return S_OK;
    }
    if (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) {
        IUnknown* region = nullptr;
        if (value.punkVal)
            value.punkVal->QueryInterface(iid, reinterpret_cast<void**>(&region));
        if (region && regions) {
            for (LONG i = 0; i < regions->ItemCount(); ++i) {
                auto* item = static_cast<ScrollRegionItem*>(static_cast<HvKeyedItem*>(regions->ItemAtPosition(i)));
                CAutomationObject* object = item ? item->GetItemObject() : nullptr;
                if (object && HvLayout::IsSameAsObject(object, region)) {
                    region->Release();
                    *out = item;
                    return S_OK;
                }
            }
        }
        if (region)
            region->Release();
        return layout.RaiseError(LayoutError::BadObject, LayoutError::BadObjectString);
    }
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeTypeEx(&number, const_cast<VARIANT*>(&value), 1024, 0, VT_I4)))
        return layout.RaiseError(LayoutError::BadIndex, LayoutError::BadIndexString);
    HvKeyedItem* item = regions ? regions->GetVectorItemAt(number.lVal) : nullptr;
    if (!item)
        return layout.RaiseError(LayoutError::BadIndex, LayoutError::BadIndexString);
    *out = static_cast<ScrollRegionItem*>(item);
    return S_OK;
}

HRESULT HvLayout::RowScrollRegionFromVariant(const VARIANT& value, ScrollRegionItem** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return RegionFromVariant(*this, rowScrollRegions_, value, IID_IHvRowScrollRegion,
                             IsMissing(Deref(value)) ? GetActiveRowScrollRegion() : nullptr, out);
}

HRESULT HvLayout::ColScrollRegionFromVariant(const VARIANT& value, ScrollRegionItem** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    HvColScrollRegions* regions = GetColScrollRegions(true);
    return RegionFromVariant(*this, regions, value, IID_IHvColScrollRegion,
                             IsMissing(Deref(value)) ? GetActiveColScrollRegion() : nullptr, out);
}

// ---------------------------------------------------------------------------
// Notices of the sub-objects

void HvLayout::ReactToOverrideNotice(DISPID dispid, const ChangeNotice* inner)
{
    const bool touchesFont = inner && (inner->what == -1 || (inner->what & AppearanceBit::Font));
    switch (dispid) {
    case 0x3eb: case 0x3ef: case 0x41b: case 0x41e: case 0x4ef: case 0x883:
        InvalidateHeaderHeights(nullptr);
        DirtyRootUIElement(true, true);
        MarkColScrollRegionsDirty();
        break;
    case 0x509:
        DirtyRootUIElement(true, true);
        MarkColScrollRegionsDirty();
        break;
    case 0x40f: case 0x898:
        if (bands_)
            bands_->UpdateAllBands();
        break;
    case 0x3f1: case 0x3f3: case 0x3f4: case 0x3f5: case 0x419: case 0x425: case 0x4a9: case 0x89f:
    case HvOverride::ClearId:
        SetColumnMetricsDirty(true);
        MarkColScrollRegionsDirty();
        InvalidateHeaderHeights(nullptr);
        MarkRowScrollRegionsDirty();
        DirtyRootUIElement(true, true);
        break;
    case 0x40d: case 0x4eb: case 0x4ec:
        InvalidateHeaderHeights(nullptr);
        MarkRowScrollRegionsDirty();
        DirtyRootUIElement(true, true);
        break;
    case 0x427: case 0x42c:
        DirtyRootUIElement(false, false);
        break;
    case 0x422: case 0x42d:
        NotifyAttachedInterface();
        DirtyRootUIElement(true, true);
        break;
    case 0x403:
        if (editWindow_ && IsWindowVisible(editWindow_))
            InvalidateRect(editWindow_, nullptr, FALSE);
        break;
    case 0x415: case 0x41a: case 0x41c:
        if (touchesFont)
            ResetBandMetrics();
        else
            DirtyRootUIElement(false, false);
        break;
    default:
        break;
    }
}

void HvLayout::OnChange(const ChangeNotice* notice)
{
    if (!notice)
        return;
    ChangePublisher* from = notice->publisher;
    const std::intptr_t argument = reinterpret_cast<std::intptr_t>(notice);
    auto isAppearance = [from](AppearanceRef& ref) {
        HvAppearance* appearance = ref.GetAppearance();
        return appearance && static_cast<ChangePublisher*>(appearance) == from;
    };
    if (addNewBox_ && from == addNewBox_->Publisher()) {
        if (notice->what == DISPID_APPEARANCE || notice->what == 1127)
            DirtyRootUIElement(true, true);
        else if (root_)
            root_->RedrawAddNewBox();
        NotifySubscribers(1185, argument);
    } else if (override_ && from == static_cast<ChangePublisher*>(override_)) {
        ReactToOverrideNotice(notice->what, reinterpret_cast<const ChangeNotice*>(notice->argument));
        NotifySubscribers(0x407, argument);
    } else if (bands_ && from == static_cast<ChangePublisher*>(bands_)) {
        NotifySubscribers(1187, argument);
    } else if (overrides_ && from == static_cast<ChangePublisher*>(overrides_)) {
        NotifySubscribers(1188, argument);
    } else if (colScrollRegions_ && from == static_cast<ChangePublisher*>(colScrollRegions_)) {
        NotifySubscribers(1192, argument);
    } else if (appearances_ && from == static_cast<ChangePublisher*>(appearances_)) {
        NotifySubscribers(1200, argument);
    } else if (rowScrollRegions_ && from == static_cast<ChangePublisher*>(rowScrollRegions_)) {
        NotifySubscribers(2107, argument);
    } else if (valueLists_ && from == static_cast<ChangePublisher*>(valueLists_)) {
        NotifySubscribers(2141, argument);
    } else {
        const bool main = isAppearance(appearance_);
        const bool caption = isAppearance(captionAppearance_);
        if (!main && !caption)
            return;
        const std::int32_t what = notice->what;
        constexpr std::int32_t layoutBits = 32 | 256 | 1024 | 2048;
        if (what == -1 || (what & layoutBits))
            DirtyRootUIElement(true, true);
        if (main && what == -1)
            ResetBandMetrics();
        // The background picture is worked out again from the new settings.
        if (main && (what == -1 || (what & (AppearanceBit::PictureBackground | AppearanceBit::PictureBackgroundOrigin))))
            backgroundPicture_ = -1;
        captionHeight_ = 0;
        NotifySubscribers(main ? DISPID_APPEARANCE : 0x4E3, argument);
    }
}

bool HvLayout::OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t)
{
    // An override or appearance replaced by another: follow it.
    if (override_ && from == static_cast<ChangePublisher*>(override_)) {
        HvOverride* replacement = to ? dynamic_cast<HvOverride*>(to) : nullptr;
        if (replacement) {
            replacement->AddRef();
            HvOverride* old = override_;
            override_ = replacement;
            old->Release();
        }
        NotifySubscribers(0x407, 0);
        return replacement != nullptr;
    }
    return true;
}
