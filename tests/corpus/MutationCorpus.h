// The mutation corpus: inputs made from a sample of stored state by seeded
// mutations. An input is rebuilt from (format, seed, index) alone, so any
// input that misbehaves can be replayed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corpus {

using Bytes = std::vector<unsigned char>;

// SplitMix64: small, fast and the same on every compiler.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    // 0 .. bound - 1 (0 when bound is 0).
    std::uint32_t Below(std::uint32_t bound) { return bound ? static_cast<std::uint32_t>(Next() % bound) : 0; }

private:
    std::uint64_t state_;
};

// The generator of one input of a format.
Rng InputRng(const std::string& format, std::uint32_t seed, std::uint32_t index);

// The values written into 1-, 2- and 4-byte fields (little-endian, cut to
// the field's width): 0, -1, 0x7FFF, 0x8000, 0xFFFF, 0x7FFFFFFF.
extern const std::uint32_t kBoundaryValues[6];

// One to three mutations of the sample: a flipped bit, a boundary value in a
// field, a truncation, an extension with random bytes, a duplicated chunk or
// a dropped chunk. log receives a short description of each.
Bytes MutateBytes(const Bytes& sample, Rng& rng, std::string* log);

} // namespace corpus
