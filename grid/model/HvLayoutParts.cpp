// The parts of a layout that the object model itself makes: bands, their
// columns and groups, and the add-new box. The display and the control install the makers of
// their own parts (regions, root element, view style, add-new box) beside
// these.
#include "HvLayout.h"

#include "HvAddNewBox.h"
#include "HvBand.h"
#include "HvColumn.h"
#include "HvGroup.h"
#include "LayoutPartsSeam.h"

namespace {

HRESULT MakeBand(HvLayout& layout, ChangeSubscriber* subscriber, GridBandSeam* parent, const CDualString* key,
                 GridBandSeam** out)
{
    HvBand* parentBand = parent ? dynamic_cast<HvBand*>(parent) : nullptr;
    HvBand* band = nullptr;
    HRESULT hr = HvBand::Create(&layout, subscriber, nullptr, parentBand, key, &band);
    *out = SUCCEEDED(hr) ? band : nullptr;
    return hr;
}

HRESULT MakeColumn(HvLayout&, HvBand* band, const CDualString* key, LONG, GridColumnSeam** out)
{
    if (!band)
        return E_FAIL;
    HvColumn* column = nullptr;
    HRESULT hr = HvColumn::Create(band, band->Columns(), nullptr, key, &column);
    *out = SUCCEEDED(hr) ? column : nullptr;
    return hr;
}

HRESULT MakeGroup(HvLayout&, HvBand* band, HvGroups* groups, const CDualString* key, GridGroupSeam** out)
{
    if (!band)
        return E_FAIL;
    HvGroup* group = nullptr;
    HRESULT hr = HvGroup::Create(band, groups, key, &group);
    *out = SUCCEEDED(hr) ? group : nullptr;
    return hr;
}

HRESULT MakeAddNewBox(HvLayout& layout, LayoutAddNewBoxSeam** out)
{
    HvAddNewBox* box = nullptr;
    HRESULT hr = HvAddNewBox::Create(&layout, &box);
    *out = SUCCEEDED(hr) ? box : nullptr;
    return hr;
}

} // namespace

void InstallModelLayoutParts()
{
    LayoutPartMakers& makers = LayoutParts();
    if (!makers.band)
        makers.band = MakeBand;
    if (!makers.column)
        makers.column = MakeColumn;
    if (!makers.group)
        makers.group = MakeGroup;
    if (!makers.addNewBox)
        makers.addNewBox = MakeAddNewBox;
}
