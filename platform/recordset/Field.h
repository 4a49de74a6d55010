// Field: the definition of one column of a recordset (name, type, declared
// size, attributes) and, for a chapter field, the child table it leads to.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace hv::recordset {

class Table;

enum class FieldType : long {
    Double = 5,
    WideString = 8,
    DBDate = 133, // a day, without a time of day
    Chapter = 136,
};

// Fields whose values are kept as numbers: doubles, and days as automation
// dates.
inline bool HoldsNumber(FieldType type)
{
    return type == FieldType::Double || type == FieldType::DBDate;
}

// Attribute bit that allows nulls; -1 means "unspecified" and allows them too.
constexpr long kFieldNullable = 32;
constexpr long kFieldUnspecified = -1;

class Field {
public:
    Field(std::wstring name, FieldType type, long definedSize, long attributes);

    const std::wstring& Name() const { return name_; }
    FieldType Type() const { return type_; }
    long DefinedSize() const { return definedSize_; }
    long Attributes() const { return attributes_; }
    bool IsNullable() const;

    // Chapter fields: the rows of the child table whose childKey field equals
    // this record's parentKey field.
    void SetChapter(std::shared_ptr<Table> child, size_t parentKey, size_t childKey);
    const std::shared_ptr<Table>& ChildTable() const { return child_; }
    size_t ParentKey() const { return parentKey_; }
    size_t ChildKey() const { return childKey_; }

private:
    std::wstring name_;
    FieldType type_;
    long definedSize_;
    long attributes_;
    std::shared_ptr<Table> child_;
    size_t parentKey_ = 0;
    size_t childKey_ = 0;
};

} // namespace hv::recordset
