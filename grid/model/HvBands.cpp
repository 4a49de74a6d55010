// HvBands: band creation, the display consequences of band changes, and
// the layout's band-wide operations.
#include "HvBands.h"

#include "BandsLayoutSeam.h"
#include "ChangeNotice.h"
#include "GridBandSeam.h"
#include "GridColumnSeam.h"
#include "HvColumns.h"
#include "HvKeyedItem.h"
#include "HvPersistParticipant.h"
#include "LayoutCategories.h"

#include <algorithm>
#include <vector>

namespace {

// Band properties whose change moves the display.
constexpr DISPID kColumnsId = 1032;
constexpr DISPID kColHeadersVisibleId = 1034;
constexpr DISPID kExpandableId = 1038;
constexpr DISPID kGroupHeadersVisibleId = 1043;
constexpr DISPID kGroupsId = 1044;
constexpr DISPID kLevelCountId = 1047;
constexpr DISPID kHiddenId = 1127;
constexpr DISPID kAddButtonCaptionId = 1025;

} // namespace

HvBands::HvBands(BandsLayoutSeam* layout)
    : HvCollectionObject(ObjectType::Bands, OwnerPropertyId, ObjectType::Bands, true), layout_(layout)
{
}

HvBands::~HvBands()
{
    Deactivate();
}

HRESULT HvBands::Create(BandsLayoutSeam* layout, HvBands** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvBands(layout);
        return S_OK;
    });
}

void HvBands::ReleaseReferences()
{
    DeactivateAllItems();
    ClearCollection(true, 1);
    layout_ = nullptr;   // a client may keep the collection after its layout
}

GridBandSeam* HvBands::BandAt(LONG position) const
{
    return dynamic_cast<GridBandSeam*>(ItemAtPosition(position));
}

STDMETHODIMP HvBands::get_Item(VARIANT index, IHvBand** out)
{
    return Guard([&] { return Item(&index, reinterpret_cast<IDispatch**>(out)); });
}

HRESULT HvBands::CreateItem(HvKeyedItem** out, const CDualString* key, LONG)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!layout_)
        return E_FAIL;
    GridBandSeam* band = nullptr;
    HRESULT hr = layout_->CreateBand(static_cast<ChangeSubscriber*>(this), nullptr, key, &band);
    if (SUCCEEDED(hr))
        *out = band ? band->BandItem() : nullptr;
    return SUCCEEDED(hr) && !band ? E_FAIL : hr;
}

void HvBands::OnChange(const ChangeNotice* notice)
{
    if (layout_ && notice) {
        switch (notice->what) {
        case kGroupsId:
        case kLevelCountId:
        case kHiddenId:
            layout_->SetColumnMetricsDirty(true);
            layout_->DirtyRootUIElement(true, true);
            layout_->MarkColScrollRegionsDirty();
            break;
        case kGroupHeadersVisibleId:
        case kColHeadersVisibleId:
        case kExpandableId:
            layout_->MarkRowScrollRegionsDirty();
            layout_->DirtyRootUIElement(false, true);
            break;
        case kAddButtonCaptionId:
            layout_->NotifyAttachedInterface();
            layout_->DirtyRootUIElement(false, true);
            break;
        case kColumnsId:
            break;
        default:
            layout_->DirtyRootUIElement(false, true);
            break;
        }
    }
    HvCollectionObject::OnChange(notice);
}

// --- band-wide work ---------------------------------------------------------

void HvBands::UpdateAllBands()
{
    for (HvKeyedItem* item : std::vector<HvKeyedItem*>(Items()))
        if (GridBandSeam* band = dynamic_cast<GridBandSeam*>(item))
            band->UpdateBinding();
}

HRESULT HvBands::ExpandCollapseAll(bool expand)
{
    HRESULT hr = S_OK;
    for (HvKeyedItem* item : std::vector<HvKeyedItem*>(Items())) {
        GridBandSeam* band = dynamic_cast<GridBandSeam*>(item);
        if (!band)
            continue;
        hr = band->ExpandRows(expand, true, 0);
        if (FAILED(hr))
            return hr;
    }
    return hr;
}

void HvBands::InvalidateAll()
{
    for (HvKeyedItem* item : Items())
        if (GridBandSeam* band = dynamic_cast<GridBandSeam*>(item))
            band->InvalidateHeaderHeights();
    if (layout_ && !layout_->ScrollRegionUpdatesSuspended())
        layout_->MarkColScrollRegionsDirty();
}

LONG HvBands::GetMaxBandExtent()
{
    std::vector<GridBandSeam*> shown;
    GridBandSeam* previous = nullptr;
    for (HvKeyedItem* item : Items()) {
        GridBandSeam* band = dynamic_cast<GridBandSeam*>(item);
        if (!band || band->IsEffectivelyHidden())
            continue;
        band->LayoutHeaders(previous);
        previous = band;
        shown.push_back(band);
    }
    for (GridBandSeam* band : shown)
        band->ApplyPendingExtentChange();
    if (layout_ && layout_->GetViewStyle() == BandsLayoutSeam::SingleBand && shown.size() > 1)
        shown.resize(1);
    LONG widest = 0;
    for (GridBandSeam* band : shown)
        widest = std::max(widest, band->Origin() + band->Extent());
    return widest;
}

HRESULT HvBands::ResetForCategories(LONG categories)
{
    if (!(EffectiveCategories(categories) & BandsCategory))
        return S_OK;
    if (layout_ && layout_->IsGridOwnLayout()) {
        for (HvKeyedItem* item : std::vector<HvKeyedItem*>(Items()))
            if (GridBandSeam* band = dynamic_cast<GridBandSeam*>(item))
                band->Participant()->ResetAll(categories);
        return S_OK;
    }
    DeactivateAllItems();
    ClearCollection(true, 0);
    return S_OK;
}

HRESULT HvBands::CopyFrom(HvBands& source, LONG categories)
{
    if (&source == this || !layout_)
        return S_OK;
    GridBandSeam* root = source.BandAt(0);
    if (layout_->IsGridOwnLayout()) {
        GridBandSeam* mine = BandAt(0);
        if (root && mine && mine->MatchesBand(root))
            CopyMatchingTree(source, root, mine, categories);
        return S_OK;
    }
    HRESULT hr = ClearCollection(true, 0);
    if (FAILED(hr) || !root)
        return hr;
    return CopyBandTree(source, root, nullptr, categories);
}

HRESULT HvBands::CopyBandTree(HvBands& source, GridBandSeam* from, GridBandSeam* parent, LONG categories)
{
    GridBandSeam* copy = nullptr;
    HRESULT hr = layout_->CreateBand(static_cast<ChangeSubscriber*>(this), parent, from->BandItem()->GetKey(), &copy);
    if (FAILED(hr))
        return hr;
    if (!copy)
        return E_FAIL;
    if (parent) {
        // The copy hangs from the parent copy's column at the source's
        // parent column position.
        const LONG position = from->GetParentColumnIndex() - 1;
        HvColumns* columns = parent->Columns();
        if (position >= 0 && columns)
            if (GridColumnSeam* column = columns->ColumnAt(static_cast<SHORT>(position)))
                copy->SetParentColumn(column);
    }
    hr = copy->Participant()->CopyAll(*from->Participant(), categories);
    if (SUCCEEDED(hr))
        hr = InsertVectorCollectionItem(-1, copy->BandItem(), false, 0);
    if (FAILED(hr)) {
        CAutomationObject::Deactivate(copy->BandItem()->GetItemObject());
        copy->BandItem()->ReleaseItem();
        return hr;
    }
    copy->CallCellSelectStrategy();
    for (HvKeyedItem* item : std::vector<HvKeyedItem*>(source.Items())) {
        GridBandSeam* child = dynamic_cast<GridBandSeam*>(item);
        if (!child || child->ParentBand() != from || child == from)
            continue;
        hr = CopyBandTree(source, child, copy, categories);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

void HvBands::CopyMatchingTree(HvBands& source, GridBandSeam* from, GridBandSeam* to, LONG categories)
{
    to->Participant()->CopyAll(*from->Participant(), categories);
    for (HvKeyedItem* item : std::vector<HvKeyedItem*>(Items())) {
        GridBandSeam* child = dynamic_cast<GridBandSeam*>(item);
        if (!child || child->ParentBand() != to || child == to)
            continue;
        for (HvKeyedItem* sourceItem : source.Items()) {
            GridBandSeam* sourceChild = dynamic_cast<GridBandSeam*>(sourceItem);
            if (sourceChild && sourceChild->ParentBand() == from && sourceChild != from &&
                child->MatchesBand(sourceChild)) {
                CopyMatchingTree(source, sourceChild, child, categories);
                break;
            }
        }
    }
}

HvCollectionImpl* HvBands::CreateScratch()
{
    HvBands* scratch = nullptr;
    return SUCCEEDED(Create(layout_, &scratch)) ? scratch : nullptr;
}
