// AppearanceChain: the levels of a row's and a cell's look, in order.
#include "AppearanceChain.h"

#include "AppearanceData.h"
#include "HvBand.h"
#include "HvCell.h"
#include "HvColumn.h"
#include "HvColumnGroupImpl.h"
#include "HvRow.h"

#include <initializer_list>

namespace {

class Levels {
public:
    Levels(HvBand& band, AppearanceData& data, std::uint32_t mask, DWORD part) : band_(band), data_(data)
    {
        request_.requestMask = mask;
        request_.part = part;
    }

    bool Done() const { return (request_.requestMask & ~request_.resolvedMask) == 0; }
    void SetState(int state, bool on) { request_.state[state] = on ? 1 : 0; }

    // The band's (and through it the layout's) levels for one state.
    void Band(std::initializer_list<int> states)
    {
        if (Done())
            return;
        AppearanceRequest request = request_;
        for (int state : states)
            request.state[state] = 1;
        band_.ResolveBandAppearance(data_, request);
        request_.resolvedMask = request.resolvedMask;
    }

    void Own(const AppearanceData* source)
    {
        if (!source || Done())
            return;
        std::uint32_t resolved = request_.resolvedMask;
        AppearanceData::ResolveAppearance(data_, *source, request_.requestMask, &resolved);
        request_.resolvedMask = resolved;
    }

private:
    HvBand& band_;
    AppearanceData& data_;
    AppearanceRequest request_;
};

} // namespace

void AppearanceChain::ResolveRow(HvBand& band, HvRow& row, AppearanceData& data, std::uint32_t mask, bool alternate,
                                 int part)
{
    Levels levels(band, data, mask, AppearanceRequest::Row);
    levels.SetState(AppearanceRequest::RowSelector, part == 1);
    if (row.IsActiveRow())
        levels.Band({AppearanceRequest::ActiveRow});
    if (row.IsSelected())
        levels.Band({AppearanceRequest::Selected});
    levels.Own(row.OwnAppearanceData());
    if (alternate)
        levels.Band({AppearanceRequest::Alternate});
    levels.Band({});
}

void AppearanceChain::ResolveCell(HvBand& band, HvRow& row, HvCell* cell, bool active, HvColumnGroupImpl& column,
                                  AppearanceData& data, std::uint32_t mask, bool alternate)
{
    Levels levels(band, data, mask, AppearanceRequest::Cell);
    if (cell && cell->IsInEditMode())
        levels.Band({AppearanceRequest::EditCell});
    const bool activeRow = row.IsActiveRow();
    if (active && activeRow)
        levels.Band({AppearanceRequest::ActiveCell, AppearanceRequest::ActiveRow});
    else if (active)
        levels.Band({AppearanceRequest::ActiveCell});
    else if (activeRow)
        levels.Band({AppearanceRequest::ActiveRow});
    if (row.IsSelected() || (cell && cell->IsSelected()) || column.IsSelectedItem())
        levels.Band({AppearanceRequest::Selected});
    if (cell)
        levels.Own(cell->OwnAppearanceData());
    levels.Own(row.OwnCellAppearanceData());
    levels.Own(column.CellAppearance().GetAppearanceData());
    levels.Own(row.OwnAppearanceData());
    if (alternate)
        levels.Band({AppearanceRequest::Alternate});
    levels.Band({});
}

void AppearanceChain::TakeValueListPicture(HvCell& cell, HvColumnGroupImpl& column, AppearanceData& data)
{
    auto* valueColumn = dynamic_cast<HvColumn*>(&column);
    if (!valueColumn || !valueColumn->ValueList())
        return;
    VARIANT value;
    VariantInit(&value);
    if (FAILED(cell.get_Value(&value)))
        return;
    VARIANT picture;
    VariantInit(&picture);
    if (valueColumn->GetValueListItemPicture(value, &picture))
        data.SetPicture(picture);
    VariantClear(&picture);
    VariantClear(&value);
}
