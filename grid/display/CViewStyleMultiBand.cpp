// CViewStyleMultiBand: child rows, the last row of the hierarchy and the
// band walk of the visible headers.
#include "CViewStyleMultiBand.h"

bool CViewStyleMultiBand::IsLastRow(const HvVisibleRow& record)
{
    ViewStyleRow& row = RowOf(record);
    if (row.HasNextSibling() || row.HasNextSiblingSpanningBands())
        return false;
    if (row.ShowsChildRows() && row.HasChildRows())
        return false;
    for (ViewStyleRow* up = row.ParentStyleRow(); up; up = up->ParentStyleRow())
        if (up->HasNextSibling() || up->HasNextSiblingSpanningBands())
            return false;
    return true;
}

HRESULT CViewStyleMultiBand::GetLastRow(ViewStyleRow** out)
{
    const HRESULT hr = CViewStyle::GetLastRow(out);
    if (FAILED(hr) || !*out)
        return hr;
    ViewStyleRow* descendant = nullptr;
    if (SUCCEEDED(GetLastDescendantRow(*out, &descendant)) && descendant) {
        (*out)->ReleaseRow();
        *out = descendant;
    }
    return hr;
}

HRESULT CViewStyleMultiBand::GetLastDescendantRow(ViewStyleRow* row, ViewStyleRow** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!row || !row->ShowsChildRows())
        return S_OK;
    for (long i = Layout().BandCount() - 1; i >= 0; --i) {
        ViewStyleBand* band = Layout().BandAt(i);
        if (!band || band->IsHidden() || band->ParentBand() != row->StyleBand())
            continue;
        ViewStyleRowRef child(row->Child(band, true));
        if (!child || child->IsHidden())
            continue;
        ViewStyleRow* deeper = nullptr;
        GetLastDescendantRow(child.Get(), &deeper);
        if (deeper) {
            *out = deeper;
        } else {
            *out = child.Get();
            (*out)->AddRefRow();
        }
        return S_OK;
    }
    return S_OK;
}

bool CViewStyleMultiBand::AppendChildRows(VisibleRowRequest& request, HvVisibleRow& parent, ViewStyleBand* band)
{
    ViewStyleRowRef child(RowOf(parent).Child(band, request.backward));
    if (!child && !request.StartRow())
        return true;
    return FillRows(request, &parent, child.Get(), band);
}

bool CViewStyleMultiBand::BuildShownBandHeaders(ViewStyleColRegion& region, bool stopPastRight)
{
    const long left = region.ScrollPosition();
    const long right = left + region.Width();
    bool added = false;
    for (long i = 0; i < Layout().BandCount(); ++i) {
        ViewStyleBand* band = Layout().BandAt(i);
        if (!band || band->IsHidden())
            continue;
        const long origin = region.BandOrigin(band);
        if (stopPastRight && origin > right)
            break;
        if (origin + region.BandExtent(band) >= left && BuildBandHeaders(region, band))
            added = true;
    }
    return added;
}
