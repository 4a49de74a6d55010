// Field definitions.
#include "Field.h"

#include <utility>

namespace hv::recordset {

Field::Field(std::wstring name, FieldType type, long definedSize, long attributes)
    : name_(std::move(name)), type_(type), definedSize_(definedSize), attributes_(attributes)
{
}

bool Field::IsNullable() const
{
    return attributes_ == kFieldUnspecified || (attributes_ & kFieldNullable) != 0;
}

void Field::SetChapter(std::shared_ptr<Table> child, size_t parentKey, size_t childKey)
{
    child_ = std::move(child);
    parentKey_ = parentKey;
    childKey_ = childKey;
}

} // namespace hv::recordset
