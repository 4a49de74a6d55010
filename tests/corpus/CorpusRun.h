// Runs a range of a format's inputs: each input is written to disk before
// it is loaded (so that a crash leaves it behind), its outcome checked, and
// the process's windows, GDI and USER objects and live library objects
// compared before and after it.
#pragma once

#include "CorpusFormats.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corpus {

struct Problem {
    std::uint32_t index = 0;
    std::string what;
    std::string mutations;
};

struct RunStats {
    std::uint32_t accepted = 0;
    std::uint32_t refused = 0;
    std::vector<Problem> problems; // the first ones
    std::uint32_t problemCount = 0;
    std::uint32_t slowestIndex = 0;
    double slowestMs = 0;
    double totalMs = 0;
};

// The file an input is written to before its load; its description (format,
// seed, index, mutations) goes beside it with the extension ".txt".
std::string CurrentInputPath();

RunStats RunInputs(Format& format, std::uint32_t seed, std::uint32_t first, std::uint32_t count);

// One input again, from its triple; the problem, or "" when none.
std::string ReplayInput(Format& format, std::uint32_t seed, std::uint32_t index, HRESULT* result = nullptr);

} // namespace corpus
