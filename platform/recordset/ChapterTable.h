// ChapterTable: the chapters handed out by a child rowset. A chapter names
// the child rows whose key field equals one parent key; one handle per key
// is kept while referenced, with its rows cached until the table changes.
#pragma once

#include "CellValue.h"

#include <windows.h>
#include <oledb.h>

#include <cstdint>
#include <map>
#include <vector>

namespace hv::recordset {

class Table;

class ChapterTable {
public:
    // The chapter of a key (the existing one when referenced), with one more
    // reference.
    HRESULT Acquire(const CellValue& key, HCHAPTER& chapter);
    HRESULT AddRef(HCHAPTER chapter, DBREFCOUNT* count);
    HRESULT Release(HCHAPTER chapter, DBREFCOUNT* count);
    bool Exists(HCHAPTER chapter) const { return chapters_.count(chapter) != 0; }
    CellValue KeyOf(HCHAPTER chapter) const;
    // The child rows of a chapter in order; null for an unknown chapter.
    const std::vector<uint32_t>* Rows(HCHAPTER chapter, const Table& table, size_t keyField);
    bool Contains(HCHAPTER chapter, const Table& table, size_t keyField, uint32_t slot) const;
    long Outstanding() const { return outstanding_; }

private:
    struct Chapter {
        CellValue key;
        DBREFCOUNT refs = 0;
        std::vector<uint32_t> rows;
        uint64_t version = ~0ull;
    };
    std::map<HCHAPTER, Chapter> chapters_;
    HCHAPTER next_ = 1;
    long outstanding_ = 0;
};

} // namespace hv::recordset
