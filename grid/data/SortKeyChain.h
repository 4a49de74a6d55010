// SortKeyChain: the sort keys of a band's rows, in order of precedence: the
// column whose values are compared, a number the band gives the key, and
// the direction.
#pragma once

#include <windows.h>

#include <vector>

class ColumnInfo;

class SortKeyChain {
public:
    struct Key {
        ColumnInfo* column; // not owned: the binding's own description
        LONG value;
        bool ascending;
        bool operator==(const Key& other) const
        {
            return column == other.column && value == other.value && ascending == other.ascending;
        }
    };

    bool IsEmpty() const { return keys_.empty(); }
    const std::vector<Key>& Keys() const { return keys_; }
    void Append(ColumnInfo* column, LONG value, bool ascending) { keys_.push_back({column, value, ascending}); }
    bool operator==(const SortKeyChain& other) const { return keys_ == other.keys_; }

private:
    std::vector<Key> keys_;
};
