// Stand-ins for the layout, bands and rows a view style works on.
#include "ViewStyleFakes.h"

#include <algorithm>

std::vector<FakeRow*>& FakeRow::Chapter()
{
    return parent ? parent->ChildList(&band) : layout.topRows;
}

std::vector<FakeRow*>& FakeRow::ChildList(FakeBand* childBand)
{
    for (auto& [listBand, list] : children)
        if (listBand == childBand)
            return list;
    children.emplace_back(childBand, std::vector<FakeRow*>());
    return children.back().second;
}

long FakeRow::Position()
{
    std::vector<FakeRow*>& chapter = Chapter();
    return static_cast<long>(std::find(chapter.begin(), chapter.end(), this) - chapter.begin());
}

bool FakeRow::ShowsChildRows()
{
    if (!expanded)
        return false;
    for (auto& band : layout.bands)
        if (band->parent == &this->band)
            return true;
    return false;
}

bool FakeRow::HasChildRows()
{
    for (auto& entry : children)
        if (!entry.second.empty())
            return true;
    return false;
}

bool FakeRow::HasPrevSiblingSpanningBands()
{
    if (!parent)
        return false;
    for (auto& [childBand, list] : parent->children) {
        if (childBand == &band)
            return false;
        if (!list.empty())
            return true;
    }
    return false;
}

bool FakeRow::HasNextSiblingSpanningBands()
{
    if (!parent)
        return false;
    bool after = false;
    for (auto& [childBand, list] : parent->children) {
        if (after && !list.empty())
            return true;
        after = after || childBand == &band;
    }
    return false;
}

ViewStyleRow* FakeRow::Child(ViewStyleBand* childBand, bool last)
{
    std::vector<FakeRow*>& list = ChildList(static_cast<FakeBand*>(childBand));
    if (list.empty())
        return nullptr;
    FakeRow* row = last ? list.back() : list.front();
    row->AddRefRow();
    return row;
}

long FakeRow::FetchSiblings(bool backward, long count, ViewStyleRow** out)
{
    layout.batches.push_back(count);
    std::vector<FakeRow*>& chapter = Chapter();
    long position = Position();
    long got = 0;
    while (got < count) {
        position += backward ? -1 : 1;
        if (position < 0 || position >= static_cast<long>(chapter.size()))
            break;
        FakeRow* row = chapter[static_cast<size_t>(position)];
        row->AddRefRow();
        out[got++] = row;
    }
    return got;
}

HRESULT FakeLayout::EdgeRow(bool last, ViewStyleRow** out)
{
    *out = nullptr;
    if (!hasControl)
        return E_UNEXPECTED;
    if (topRows.empty())
        return S_OK;
    *out = last ? topRows.back() : topRows.front();
    (*out)->AddRefRow();
    return S_OK;
}

long FakeLayout::HeaderCount(ViewStyleBand* band)
{
    return static_cast<long>(headers[band].size());
}

ViewStyleHeader* FakeLayout::HeaderAt(ViewStyleBand* band, long index)
{
    return headers[band][static_cast<size_t>(index)];
}

FakeBand& FakeLayout::AddBand(FakeBand* parent, long headerHeight)
{
    bands.push_back(std::make_unique<FakeBand>(parent, headerHeight));
    return *bands.back();
}

std::vector<FakeRow*> FakeLayout::AddRows(FakeBand& band, FakeRow* parent, int count)
{
    std::vector<FakeRow*> made;
    for (int i = 0; i < count; ++i) {
        rows.push_back(std::make_unique<FakeRow>(*this, band, parent));
        made.push_back(rows.back().get());
        (parent ? parent->ChildList(&band) : topRows).push_back(made.back());
    }
    return made;
}

std::vector<FakeRow*> ListedRows(const ViewStyleRowRegion& region)
{
    std::vector<FakeRow*> listed;
    for (HvVisibleRow* record = region.rows.First(); record; record = HvVisibleRowList::Next(record))
        listed.push_back(static_cast<FakeRow*>(&CViewStyle::RowOf(*record)));
    return listed;
}

std::unique_ptr<CViewStyle> MakeStyle(FakeLayout& layout, int viewStyle, int viewStyleBand)
{
    std::unique_ptr<CViewStyle> style;
    CViewStyle::Make(layout, viewStyle, viewStyleBand, style);
    return style;
}
