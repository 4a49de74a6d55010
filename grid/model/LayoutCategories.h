// The property categories (Constants_PropertyCategory) that the layout's
// band, column, group and override collections answer to in layout save,
// load, reset and copy. A mask of 0 stands for every category.
#pragma once

#include <windows.h>

// hvPropCatOverrideCollection: the layout's named overrides.
constexpr LONG OverrideCollectionCategory = 2;
// hvPropCatBands: bands and their bound columns.
constexpr LONG BandsCategory = 4;
// hvPropCatGroups: the bands' column groups (with the bands bit).
constexpr LONG GroupsCategory = 12;
// hvPropCatUnboundColumns: unbound columns too (with the bands bit).
constexpr LONG UnboundColumnsCategory = 20;
// hvPropCatColScrollRegions: the column scroll regions.
constexpr LONG ColScrollRegionsCategory = 64;

inline LONG EffectiveCategories(LONG categories)
{
    return categories == 0 ? -1 : categories;
}

// True when the mask holds every bit of category.
inline bool HoldsAllOf(LONG categories, LONG category)
{
    return (EffectiveCategories(categories) & category) == category;
}
