// DecodedImageList: the pictures a decoder delivered from one image file,
// each with its name, in delivery order. Whoever takes a picture takes its
// holder; holders nobody took die with the list.
#pragma once

#include "DualString.h"
#include "InterfacePtr.h"

#include <memory>
#include <vector>

class DecodedImageList {
public:
    struct Entry {
        std::unique_ptr<InterfacePtr> picture;
        CDualString name;
    };

    DecodedImageList() = default;
    DecodedImageList(const DecodedImageList&) = delete;
    DecodedImageList& operator=(const DecodedImageList&) = delete;

    // False when memory is short.
    bool Append(std::unique_ptr<InterfacePtr> picture, const char* name) noexcept;
    int Count() const noexcept { return static_cast<int>(entries_.size()); }
    Entry& At(int index) { return entries_.at(static_cast<size_t>(index)); }
    const Entry& At(int index) const { return entries_.at(static_cast<size_t>(index)); }
    void Clear() noexcept { entries_.clear(); }

private:
    std::vector<Entry> entries_;
};
