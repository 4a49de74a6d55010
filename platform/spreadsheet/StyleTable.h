// StyleTable: the workbook's interned cell styles. Cells keep an index into
// it; index 0 is the default style. Equal styles share one record, so a
// sheet of many cells in few formats holds few records.
#pragma once

#include "CellStyle.h"

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace hv::sheet {

class StyleTable {
public:
    StyleTable();

    const CellStyle& At(std::uint32_t index) const { return styles_.at(index); }
    std::size_t Count() const { return styles_.size(); }
    std::uint32_t Intern(const CellStyle& style);

    // The record that `index` becomes under one change of format.
    using Change = std::function<void(CellStyle&)>;
    std::uint32_t Restyle(std::uint32_t index, const Change& change);

private:
    struct Hash {
        std::size_t operator()(const CellStyle& s) const { return HashOf(s); }
    };
    std::vector<CellStyle> styles_;
    std::unordered_map<CellStyle, std::uint32_t, Hash> index_;
};

} // namespace hv::sheet
