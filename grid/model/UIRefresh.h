// UIRefresh: after a change that alters what an object shows, refreshes the
// object's UI elements in every visible pair of scroll regions.
#pragma once

class HvUIElementOwner;
class ScrollRegionSeam;
class UIElementSeam;

namespace UIRefresh {

// Every visible (row region, column region) pair of the owner's layout.
void RefreshBandColumns(HvUIElementOwner* owner, bool markChanged);
// Returns false when the owner has no element there.
bool RefreshElementAt(HvUIElementOwner* owner, ScrollRegionSeam* rowRegion, ScrollRegionSeam* colRegion,
                      bool markChanged);
void MarkChangedAndUpdate(UIElementSeam* element, bool invalidate);
// Invalidates the owner's element in every visible column region of one row region.
void RefreshRowCells(HvUIElementOwner* owner, ScrollRegionSeam* rowRegion);

} // namespace UIRefresh
