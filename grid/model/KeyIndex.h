// KeyIndex: the keys of a collection's items by their folded form, so that a
// look-up by key or a duplicate test costs one hash probe instead of a walk
// over every item. Two keys fold to the same bytes exactly when the
// collections' comparison (case-insensitive, system locale, narrow text)
// calls them equal: the fold is the locale's sort key of the text.
//
// The index trusts nothing it cannot check cheaply. It is current only while
// no item anywhere has changed its key since it was built (the items' key
// epoch) and while its collection has reported every change of its storage;
// a collection drops it on any change it does not report item by item.
#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

class HvKeyedItem;

class KeyIndex {
public:
    // The folded form of a non-empty text; false for a null or empty text
    // (those are never indexed: the collections compare them apart).
    static bool Fold(const char* text, std::string* out);

    bool IsCurrent() const;
    // Rebuilds from the items in storage order; false (and not current) when
    // memory runs out.
    bool Build(const std::vector<HvKeyedItem*>& items);
    void Drop();
    // Keeps a current index in step with one item more or less; a stale
    // index is left stale.
    void Insert(HvKeyedItem* item);
    void Erase(HvKeyedItem* item);
    // The items whose key folds like text, in the order they were indexed
    // (null when there are none); false when the index cannot answer (not
    // current, or a text that does not fold) and the caller must walk.
    bool Lookup(const char* text, const std::vector<HvKeyedItem*>** out) const;

private:
    bool Add(HvKeyedItem* item);

    bool built_ = false;
    LONG epoch_ = 0;
    std::unordered_map<std::string, std::vector<HvKeyedItem*>> entries_;
};
