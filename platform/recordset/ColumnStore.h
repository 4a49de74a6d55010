// ColumnStore: the values of one column, typed and compact: a double or a
// text per record slot plus one null bit, kept in fixed-size chunks so that a
// large table never needs one huge contiguous block nor a copy to grow.
#pragma once

#include "Field.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace hv::recordset {

class ColumnStore {
public:
    explicit ColumnStore(FieldType type);

    FieldType Type() const { return type_; }
    // Makes room for slots [0, slotCount); new slots are null. Throws
    // std::bad_alloc when memory runs out (the caller turns it into an error).
    void Grow(uint32_t slotCount);

    bool IsNull(uint32_t slot) const;
    double GetDouble(uint32_t slot) const;
    const std::wstring& GetText(uint32_t slot) const;

    void SetNull(uint32_t slot);
    void SetDouble(uint32_t slot, double value);
    void SetText(uint32_t slot, std::wstring value);

private:
    static constexpr uint32_t kChunkBits = 13;
    static constexpr uint32_t kChunkSize = 1u << kChunkBits;
    struct Chunk {
        uint32_t notNull[kChunkSize / 32] = {};
        std::unique_ptr<double[]> numbers;
        std::unique_ptr<std::wstring[]> texts;
    };

    Chunk& ChunkOf(uint32_t slot) { return *chunks_[slot >> kChunkBits]; }
    const Chunk& ChunkOf(uint32_t slot) const { return *chunks_[slot >> kChunkBits]; }
    void SetBit(uint32_t slot, bool notNull);

    FieldType type_;
    std::vector<std::unique_ptr<Chunk>> chunks_;
};

} // namespace hv::recordset
