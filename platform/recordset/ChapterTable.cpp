// Chapters of a child rowset.
#include "ChapterTable.h"

#include "Table.h"

#include <oledberr.h>

#include <new>

namespace hv::recordset {

namespace {
bool KeyMatches(const CellValue& key, const CellValue& value)
{
    return !key.isNull && !value.isNull && key == value;
}
}

HRESULT ChapterTable::Acquire(const CellValue& key, HCHAPTER& chapter)
{
    try {
        for (auto& [handle, c] : chapters_) {
            if (c.key == key) {
                ++c.refs;
                ++outstanding_;
                chapter = handle;
                return S_OK;
            }
        }
        Chapter c;
        c.key = key;
        c.refs = 1;
        chapter = next_++;
        chapters_.emplace(chapter, std::move(c));
        ++outstanding_;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT ChapterTable::AddRef(HCHAPTER chapter, DBREFCOUNT* count)
{
    auto it = chapters_.find(chapter);
    if (it == chapters_.end())
        return DB_E_BADCHAPTER;
    ++it->second.refs;
    ++outstanding_;
    if (count)
        *count = it->second.refs;
    return S_OK;
}

HRESULT ChapterTable::Release(HCHAPTER chapter, DBREFCOUNT* count)
{
    auto it = chapters_.find(chapter);
    if (it == chapters_.end())
        return DB_E_BADCHAPTER;
    const DBREFCOUNT left = --it->second.refs;
    --outstanding_;
    if (count)
        *count = left;
    if (left == 0)
        chapters_.erase(it);
    return S_OK;
}

CellValue ChapterTable::KeyOf(HCHAPTER chapter) const
{
    auto it = chapters_.find(chapter);
    return it == chapters_.end() ? CellValue() : it->second.key;
}

const std::vector<uint32_t>* ChapterTable::Rows(HCHAPTER chapter, const Table& table, size_t keyField)
{
    auto it = chapters_.find(chapter);
    if (it == chapters_.end())
        return nullptr;
    Chapter& c = it->second;
    if (c.version != table.Version()) {
        c.rows.clear();
        for (uint32_t slot : table.Order())
            if (KeyMatches(c.key, table.GetCell(slot, keyField)))
                c.rows.push_back(slot);
        c.version = table.Version();
    }
    return &c.rows;
}

bool ChapterTable::Contains(HCHAPTER chapter, const Table& table, size_t keyField, uint32_t slot) const
{
    auto it = chapters_.find(chapter);
    return it != chapters_.end() && table.IsLive(slot) && KeyMatches(it->second.key, table.GetCell(slot, keyField));
}

} // namespace hv::recordset
