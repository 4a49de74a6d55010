// The property categories that value lists and their items answer to in
// layout save, load, reset and copy.
#pragma once

#include <windows.h>

// hvPropCatValueLists: the layout's value lists with everything in them.
constexpr LONG ValueListsCategory = 1024;
// hvPropCatAppearanceCollection: the layout's Appearances.
constexpr LONG AppearanceCollectionCategory = 1;

// A mask of 0 stands for every category.
inline bool IncludesValueLists(LONG categories)
{
    return categories == 0 || (categories & ValueListsCategory) != 0;
}

// An appearance goes into the stream whole, rather than by its index or key
// in the layout's Appearances, when those are not saved with it.
inline bool AppearancesInline(LONG categories)
{
    return categories != 0 && (categories & AppearanceCollectionCategory) == 0;
}
