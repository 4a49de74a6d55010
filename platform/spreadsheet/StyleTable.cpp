// Interning of cell styles.
#include "StyleTable.h"

namespace hv::sheet {

StyleTable::StyleTable()
{
    Intern(CellStyle{});
}

std::uint32_t StyleTable::Intern(const CellStyle& style)
{
    const auto found = index_.find(style);
    if (found != index_.end())
        return found->second;
    const auto index = static_cast<std::uint32_t>(styles_.size());
    styles_.push_back(style);
    index_.emplace(style, index);
    return index;
}

std::uint32_t StyleTable::Restyle(std::uint32_t index, const Change& change)
{
    CellStyle style = styles_.at(index);
    change(style);
    return Intern(style);
}

} // namespace hv::sheet
