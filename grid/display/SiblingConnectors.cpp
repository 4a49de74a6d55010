// SiblingConnectors: collecting and placing the connector lines.
#include "SiblingConnectors.h"

#include "DisplayRowSeam.h"
#include "HvBand.h"
#include "HvSiblingRowConnectorUIElement.h"
#include "HvUIElements.h"

namespace {
int LevelOf(DisplayRow& row)
{
    HvBand* band = row.ModelBand();
    return band ? static_cast<int>(band->GetDepth()) : -1;
}

bool HasNext(DisplayRow& row)
{
    return row.HasNextSibling() || row.HasNextSiblingSpanningBands();
}

bool HasPrev(DisplayRow& row)
{
    return row.HasPrevSibling() || row.HasPrevSiblingSpanningBands();
}
} // namespace

bool SiblingConnectors::Open(DisplayRow& row, long top, bool continued)
{
    const int level = LevelOf(row);
    HvBand* band = row.ModelBand();
    if (level < 0 || level >= MaxLevels || !band)
        return false;
    const long width = band->ExpansionIndicatorWidth();
    if (width <= 0)
        return false;
    Close(level, top);
    const long left = base_ + band->Origin();
    open_[static_cast<size_t>(level)] = static_cast<int>(lines_.size());
    lines_.push_back(Line{&row, left, left + width, top, area_.bottom, continued});
    return true;
}

void SiblingConnectors::Close(int level, long bottom)
{
    int& index = open_[static_cast<size_t>(level)];
    if (index >= 0)
        lines_[static_cast<size_t>(index)].bottom = bottom;
    index = -1;
}

void SiblingConnectors::AddRow(DisplayRow& row, long top, long bottom)
{
    const int level = LevelOf(row);
    if (level < 0 || level >= MaxLevels)
        return;
    const long middle = (top + bottom + 1) / 2;
    if (first_) {
        first_ = false;
        // Lines that come into the region from above: the ancestors' that go
        // on to a later sibling, and the row's own from its previous sibling.
        for (ViewStyleRow* up = row.ParentStyleRow(); up; up = up->ParentStyleRow()) {
            DisplayRow& ancestor = DisplayRowOf(*up);
            if (ancestor.IsAlive() && HasNext(ancestor))
                Open(ancestor, top, true);
        }
        if (HasPrev(row) && Open(row, top, false))
            Close(level, middle);
    }
    // Deeper lines end above a shallower row; the line of this level ends
    // at this row, the sibling it waited for.
    for (int deeper = level + 1; deeper < MaxLevels; ++deeper)
        Close(deeper, top);
    Close(level, middle);
    if (HasNext(row))
        Open(row, middle, false);
}

void SiblingConnectors::Place(HvUIElement& parent, HvUIElements* old, std::vector<HvUIElement*>& out)
{
    for (const Line& line : lines_) {
        RECT rect = {line.left, line.top, line.right, line.bottom};
        RECT shown;
        if (!IntersectRect(&shown, &rect, &area_))
            continue;
        auto* element = static_cast<HvSiblingRowConnectorUIElement*>(
            HvUIElement::TakeChildOfType(old, UIElementType::SiblingRowConnector, false));
        if (!element)
            element = HvSiblingRowConnectorUIElement::Make(parent.GetLayout(), &parent, shown);
        if (!element)
            continue;
        element->SetRow(line.row, line.continued);
        element->SetChanged();
        element->SetRect(shown, false);
        out.push_back(element);
    }
}
