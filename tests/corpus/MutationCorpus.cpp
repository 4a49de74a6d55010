// Seeded mutations of stored bytes.
#include "MutationCorpus.h"

#include <algorithm>

namespace corpus {

const std::uint32_t kBoundaryValues[6] = {0, 0xFFFFFFFFu, 0x7FFF, 0x8000, 0xFFFF, 0x7FFFFFFF};

std::uint64_t Rng::Next()
{
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

Rng InputRng(const std::string& format, std::uint32_t seed, std::uint32_t index)
{
    std::uint64_t hash = 1469598103934665603ull; // FNV-1a of the format's name
    for (unsigned char c : format)
        hash = (hash ^ c) * 1099511628211ull;
    Rng mix(hash ^ (std::uint64_t(seed) << 32) ^ index);
    mix.Next();
    return Rng(mix.Next());
}

namespace {

std::string Hex(std::uint32_t value)
{
    static const char digits[] = "0123456789abcdef";
    std::string text = "0x";
    bool started = false;
    for (int shift = 28; shift >= 0; shift -= 4) {
        const unsigned digit = (value >> shift) & 0xF;
        if (digit || started || shift == 0) {
            text += digits[digit];
            started = true;
        }
    }
    return text;
}

void Note(std::string* log, const std::string& text)
{
    if (!log)
        return;
    if (!log->empty())
        *log += "; ";
    *log += text;
}

void FlipBit(Bytes& bytes, Rng& rng, std::string* log)
{
    if (bytes.empty())
        return;
    const std::uint32_t at = rng.Below(static_cast<std::uint32_t>(bytes.size()));
    const unsigned bit = rng.Below(8);
    bytes[at] ^= static_cast<unsigned char>(1u << bit);
    Note(log, "flip " + std::to_string(at) + "." + std::to_string(bit));
}

void WriteBoundary(Bytes& bytes, Rng& rng, std::string* log)
{
    static const unsigned widths[3] = {1, 2, 4};
    const unsigned width = widths[rng.Below(3)];
    if (bytes.size() < width)
        return;
    const std::uint32_t at = rng.Below(static_cast<std::uint32_t>(bytes.size() - width + 1));
    const std::uint32_t value = kBoundaryValues[rng.Below(6)];
    for (unsigned i = 0; i < width; ++i)
        bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
    Note(log, "set" + std::to_string(width) + " " + std::to_string(at) + "=" + Hex(value));
}

void Truncate(Bytes& bytes, Rng& rng, std::string* log)
{
    const std::uint32_t size = rng.Below(static_cast<std::uint32_t>(bytes.size()));
    bytes.resize(size);
    Note(log, "truncate " + std::to_string(size));
}

void Extend(Bytes& bytes, Rng& rng, std::string* log)
{
    const std::uint32_t count = 1 + rng.Below(64);
    for (std::uint32_t i = 0; i < count; ++i)
        bytes.push_back(static_cast<unsigned char>(rng.Next()));
    Note(log, "extend " + std::to_string(count));
}

// A chunk of 1..64 bytes inside the input: its start and length.
bool PickChunk(const Bytes& bytes, Rng& rng, std::uint32_t& at, std::uint32_t& length)
{
    if (bytes.empty())
        return false;
    const auto size = static_cast<std::uint32_t>(bytes.size());
    at = rng.Below(size);
    length = 1 + rng.Below(std::min<std::uint32_t>(64, size - at));
    return true;
}

void DuplicateChunk(Bytes& bytes, Rng& rng, std::string* log)
{
    std::uint32_t at = 0, length = 0;
    if (!PickChunk(bytes, rng, at, length))
        return;
    const Bytes chunk(bytes.begin() + at, bytes.begin() + at + length);
    const std::uint32_t to = rng.Below(static_cast<std::uint32_t>(bytes.size()) + 1);
    bytes.insert(bytes.begin() + to, chunk.begin(), chunk.end());
    Note(log, "dup " + std::to_string(at) + "+" + std::to_string(length) + "@" + std::to_string(to));
}

void DropChunk(Bytes& bytes, Rng& rng, std::string* log)
{
    std::uint32_t at = 0, length = 0;
    if (!PickChunk(bytes, rng, at, length))
        return;
    bytes.erase(bytes.begin() + at, bytes.begin() + at + length);
    Note(log, "drop " + std::to_string(at) + "+" + std::to_string(length));
}

} // namespace

Bytes MutateBytes(const Bytes& sample, Rng& rng, std::string* log)
{
    Bytes bytes = sample;
    const unsigned count = 1 + rng.Below(3);
    for (unsigned i = 0; i < count; ++i) {
        // Field writes and flips keep the length and reach deepest; they
        // come up most often.
        switch (rng.Below(10)) {
        case 0: case 1: case 2:
            FlipBit(bytes, rng, log);
            break;
        case 3: case 4: case 5:
            WriteBoundary(bytes, rng, log);
            break;
        case 6:
            Truncate(bytes, rng, log);
            break;
        case 7:
            Extend(bytes, rng, log);
            break;
        case 8:
            DuplicateChunk(bytes, rng, log);
            break;
        default:
            DropChunk(bytes, rng, log);
            break;
        }
    }
    return bytes;
}

} // namespace corpus
