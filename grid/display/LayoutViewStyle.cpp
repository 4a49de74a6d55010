// LayoutViewStyle: the strategy over the layout's bands and header items.
#include "LayoutViewStyle.h"

#include "HvBand.h"
#include "HvBands.h"
#include "HvColumnGroupImpl.h"
#include "HvLayout.h"

#include <new>

namespace {

constexpr DISPID BorderStyleRow = 0x3f3;

HvBand* AsBand(GridBandSeam* band)
{
    return dynamic_cast<HvBand*>(band);
}

} // namespace

DisplayRows& DisplayRowHooks()
{
    static DisplayRows hooks;
    return hooks;
}

// ---- bands ----

bool ModelViewStyleBand::IsHidden()
{
    return band_.IsEffectivelyHidden();
}

ViewStyleBand* ModelViewStyleBand::ParentBand()
{
    return owner_.BandOf(band_.ParentBand());
}

long ModelViewStyleBand::Depth()
{
    return band_.GetDepth();
}

long ModelViewStyleBand::HeaderHeight(int)
{
    return band_.GetHeaderHeight();
}

long ModelViewStyleBand::Origin()
{
    return band_.Origin();
}

long ModelViewStyleBand::Extent()
{
    return band_.Extent();
}

void ModelViewStyleBand::SetOrigin(long origin)
{
    band_.SetOrigin(origin);
}

long ModelViewStyleBand::RowBorderStyle()
{
    return band_.ResolveSetting(BorderStyleRow);
}

bool ModelViewStyleBand::HasChildBindings()
{
    return band_.HasChildBands(false);
}

bool ModelViewStyleBand::IsRowBorderThin()
{
    return HvLayout::IsThinBorderStyle(RowBorderStyle());
}

// ---- header items ----

ViewStyleBand* ModelViewStyleHeader::Band()
{
    return owner_.BandOf(dynamic_cast<GridBandSeam*>(item_.Band()));
}

bool ModelViewStyleHeader::IsHidden()
{
    return item_.IsHiddenItem();
}

long ModelViewStyleHeader::Origin()
{
    return item_.SharedOrigin();
}

long ModelViewStyleHeader::Width()
{
    return item_.GetExtent();
}

// ---- the strategy ----

std::unique_ptr<LayoutViewStyleSeam> LayoutViewStyle::Make(HvLayout& layout, int viewStyle, int viewStyleBand)
{
    std::unique_ptr<LayoutViewStyle> made(new (std::nothrow) LayoutViewStyle(layout));
    if (!made || FAILED(CViewStyle::Make(*made, viewStyle, viewStyleBand, made->style_)))
        return nullptr;
    return made;
}

LayoutViewStyle* LayoutViewStyle::Of(HvLayout& layout)
{
    return dynamic_cast<LayoutViewStyle*>(layout.GetViewStyleObject());
}

ModelViewStyleBand* LayoutViewStyle::BandOf(GridBandSeam* seam)
{
    HvBand* band = AsBand(seam);
    if (!band)
        return nullptr;
    std::unique_ptr<ModelViewStyleBand>& slot = bands_[band];
    if (!slot)
        slot = std::make_unique<ModelViewStyleBand>(*this, *band);
    return slot.get();
}

ModelViewStyleHeader* LayoutViewStyle::HeaderOf(HvColumnGroupImpl* item)
{
    if (!item)
        return nullptr;
    std::unique_ptr<ModelViewStyleHeader>& slot = headers_[item];
    if (!slot)
        slot = std::make_unique<ModelViewStyleHeader>(*this, *item);
    return slot.get();
}

int LayoutViewStyle::BandLevel(GridBandSeam* band)
{
    // Only the first band is laid out by columns in the single-band style.
    if (!style_->IsMultiBand() && band != layout_.GetFirstBand())
        return 3;
    HvBand* model = AsBand(band);
    return model ? static_cast<int>(model->GetDepth() > 2 ? 2 : model->GetDepth()) : 3;
}

bool LayoutViewStyle::NeedsFurtherBands(GridBandSeam*)
{
    return style_->IsMultiBand();
}

void LayoutViewStyle::PlaceBand(HvBand* band)
{
    // The band shown before it in the layout's order.
    ModelViewStyleBand* previous = nullptr;
    HvBands* bands = layout_.Bands();
    for (LONG i = 0; bands; ++i) {
        GridBandSeam* other = bands->BandAt(i);
        if (!other || other == band)
            break;
        if (!other->IsEffectivelyHidden())
            previous = BandOf(other);
    }
    if (ModelViewStyleBand* own = BandOf(band))
        own->SetOrigin(style_->GetBandOffset(own, previous));
}

void LayoutViewStyle::ExtentChanged(HvBand* band, LONG delta)
{
    style_->ShiftFollowingBands(BandOf(band), delta);
}

long LayoutViewStyle::BandCount()
{
    HvBands* bands = layout_.Bands();
    return bands ? bands->ItemCount() : 0;
}

ViewStyleBand* LayoutViewStyle::BandAt(long index)
{
    HvBands* bands = layout_.Bands();
    return bands ? BandOf(bands->BandAt(index)) : nullptr;
}

long LayoutViewStyle::InterBandSpacing()
{
    return layout_.InterBandSpacing();
}

long LayoutViewStyle::MinRowHeight()
{
    return layout_.GetMinRowHeight();
}

HRESULT LayoutViewStyle::EdgeRow(bool last, ViewStyleRow** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    DisplayRows& rows = DisplayRowHooks();
    return rows.edgeRow ? rows.edgeRow(layout_, last, out) : E_UNEXPECTED;
}

long LayoutViewStyle::HeaderCount(ViewStyleBand* band)
{
    auto* model = static_cast<ModelViewStyleBand*>(band);
    return model ? static_cast<long>(model->Band().GetHeaderOrder().size()) : 0;
}

ViewStyleHeader* LayoutViewStyle::HeaderAt(ViewStyleBand* band, long index)
{
    auto* model = static_cast<ModelViewStyleBand*>(band);
    if (!model || index < 0)
        return nullptr;
    const std::vector<HvKeyedItem*>& order = model->Band().GetHeaderOrder();
    if (static_cast<size_t>(index) >= order.size())
        return nullptr;
    return HeaderOf(dynamic_cast<HvColumnGroupImpl*>(order[static_cast<size_t>(index)]));
}
