// Property bags as corpus inputs: a bag's entries written to bytes and read
// back, and seeded mutations of the entries (types, ranges, empty and
// 65,536-character strings, the bytes of binary entries, dropped entries).
#pragma once

#include "MutationCorpus.h"

#include <ocidl.h>

#include <string>

namespace hv::container {
class PropertyBag;
}

namespace corpus {

struct BagEntry {
    std::wstring name;
    VARTYPE type = VT_EMPTY;
    long long number = 0;     // VT_I2, VT_I4, VT_BOOL, VT_ERROR
    double real = 0;          // VT_R8, VT_DATE
    std::wstring text;        // VT_BSTR
    bool hasObject = false;   // VT_UNKNOWN: a binary entry, else a null object
    Bytes block;              // the binary entry's memory block (count, then data)
};
using BagEntries = std::vector<BagEntry>;

// The entries of a bag, in name order; values of other types are dropped.
BagEntries EntriesOf(const hv::container::PropertyBag& bag);
// A new bag holding the entries (one reference).
hv::container::PropertyBag* MakeBag(const BagEntries& entries);

Bytes SerialiseBag(const BagEntries& entries);
// False for bytes that hold no serialised bag.
bool DeserialiseBag(const Bytes& bytes, BagEntries& entries);

BagEntries MutateBag(const BagEntries& sample, Rng& rng, std::string* log);

} // namespace corpus
