// Chunked typed column storage.
#include "ColumnStore.h"

#include <utility>

namespace hv::recordset {

namespace {
const std::wstring kEmptyText;
}

ColumnStore::ColumnStore(FieldType type) : type_(type) {}

void ColumnStore::Grow(uint32_t slotCount)
{
    const size_t needed = (static_cast<size_t>(slotCount) + kChunkSize - 1) >> kChunkBits;
    if (needed <= chunks_.size())
        return;
    chunks_.reserve(needed);
    while (chunks_.size() < needed) {
        auto chunk = std::make_unique<Chunk>();
        if (HoldsNumber(type_))
            chunk->numbers = std::make_unique<double[]>(kChunkSize);
        else if (type_ == FieldType::WideString)
            chunk->texts = std::make_unique<std::wstring[]>(kChunkSize);
        chunks_.push_back(std::move(chunk));
    }
}

bool ColumnStore::IsNull(uint32_t slot) const
{
    const uint32_t i = slot & (kChunkSize - 1);
    return (ChunkOf(slot).notNull[i >> 5] & (1u << (i & 31))) == 0;
}

double ColumnStore::GetDouble(uint32_t slot) const
{
    const Chunk& c = ChunkOf(slot);
    return c.numbers ? c.numbers[slot & (kChunkSize - 1)] : 0.0;
}

const std::wstring& ColumnStore::GetText(uint32_t slot) const
{
    const Chunk& c = ChunkOf(slot);
    return c.texts ? c.texts[slot & (kChunkSize - 1)] : kEmptyText;
}

void ColumnStore::SetBit(uint32_t slot, bool notNull)
{
    const uint32_t i = slot & (kChunkSize - 1);
    uint32_t& word = ChunkOf(slot).notNull[i >> 5];
    if (notNull)
        word |= 1u << (i & 31);
    else
        word &= ~(1u << (i & 31));
}

void ColumnStore::SetNull(uint32_t slot)
{
    Chunk& c = ChunkOf(slot);
    if (c.texts)
        std::wstring().swap(c.texts[slot & (kChunkSize - 1)]);
    SetBit(slot, false);
}

void ColumnStore::SetDouble(uint32_t slot, double value)
{
    ChunkOf(slot).numbers[slot & (kChunkSize - 1)] = value;
    SetBit(slot, true);
}

void ColumnStore::SetText(uint32_t slot, std::wstring value)
{
    ChunkOf(slot).texts[slot & (kChunkSize - 1)] = std::move(value);
    SetBit(slot, true);
}

} // namespace hv::recordset
