// The list of decoded pictures.
#include "DecodedImageList.h"

#include <new>

bool DecodedImageList::Append(std::unique_ptr<InterfacePtr> picture, const char* name) noexcept
{
    try {
        Entry entry;
        entry.picture = std::move(picture);
        entry.name.AssignAnsi(name ? name : "");
        entries_.push_back(std::move(entry));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
