// KeyIndex: folding keys with the locale's sort keys and keeping the map.
#include "KeyIndex.h"

#include "DualString.h"
#include "HvKeyedItem.h"

#include <algorithm>
#include <new>

namespace {

constexpr DWORD kFoldFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

const char* KeyText(HvKeyedItem* item)
{
    const CDualString* key = item ? item->GetKey() : nullptr;
    const char* text = key ? key->Text() : nullptr;
    return text && *text ? text : nullptr;
}

} // namespace

bool KeyIndex::Fold(const char* text, std::string* out)
{
    if (!text || !*text)
        return false;
    const int size = LCMapStringA(LOCALE_SYSTEM_DEFAULT, kFoldFlags, text, -1, nullptr, 0);
    if (size <= 0)
        return false;
    out->assign(static_cast<size_t>(size), '\0');
    return LCMapStringA(LOCALE_SYSTEM_DEFAULT, kFoldFlags, text, -1, out->data(), size) == size;
}

bool KeyIndex::IsCurrent() const
{
    return built_ && epoch_ == HvKeyedItem::KeyEpoch();
}

bool KeyIndex::Build(const std::vector<HvKeyedItem*>& items)
{
    Drop();
    epoch_ = HvKeyedItem::KeyEpoch();
    built_ = true;
    for (HvKeyedItem* item : items) {
        if (!Add(item)) {
            Drop();
            return false;
        }
    }
    return true;
}

void KeyIndex::Drop()
{
    built_ = false;
    entries_.clear();
}

bool KeyIndex::Add(HvKeyedItem* item)
{
    const char* text = KeyText(item);
    if (!text)
        return true;
    std::string folded;
    if (!Fold(text, &folded))
        return false;
    try {
        entries_[folded].push_back(item);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void KeyIndex::Insert(HvKeyedItem* item)
{
    if (IsCurrent() && !Add(item))
        Drop();
}

void KeyIndex::Erase(HvKeyedItem* item)
{
    if (!IsCurrent())
        return;
    std::string folded;
    if (!Fold(KeyText(item), &folded))
        return;
    auto found = entries_.find(folded);
    if (found == entries_.end())
        return;
    std::vector<HvKeyedItem*>& items = found->second;
    auto at = std::find(items.begin(), items.end(), item);
    if (at != items.end())
        items.erase(at);
    if (items.empty())
        entries_.erase(found);
}

bool KeyIndex::Lookup(const char* text, const std::vector<HvKeyedItem*>** out) const
{
    *out = nullptr;
    std::string folded;
    if (!IsCurrent() || !Fold(text, &folded))
        return false;
    auto found = entries_.find(folded);
    if (found != entries_.end())
        *out = &found->second;
    return true;
}
