// Runs the mutation corpus over every stored form the grid reads, 10,000
// inputs per format unless told otherwise, and prints for each format the
// inputs taken and refused, the slowest input (replayable from its format,
// seed and index), the inputs per second and the process's peak private
// bytes; then every problem found (a crash ends the run instead: the input
// is left in corpus-current.bin). Asserts nothing; exits 1 when a problem
// was found.
//
//   corpus_bench [COUNT [SEED [FORMAT [FIRST]]]]
//
// FIRST is the index of the first input (0), so that a stretch of a run can
// be taken again. At full size a format takes minutes: under tools/wine-run
// give the run time with HV_TIMEOUT (seconds), e.g.
//   HV_TIMEOUT=7200 tools/wine-run build64 build64/bench/corpus/corpus_bench.exe
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "CorpusRun.h"

namespace {

double PeakPrivateMegabytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters))
        return 0;
    return static_cast<double>(counters.PeakPagefileUsage) / (1024.0 * 1024.0);
}

// The objects under test live in a single-threaded apartment, as in a
// container.
struct ComApartment {
    ComApartment() { OleInitialize(nullptr); }
    ~ComApartment() { OleUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

} // namespace

int main(int argc, char** argv)
{
    const std::uint32_t count = argc > 1 ? static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 10000;
    const std::uint32_t seed = argc > 2 ? static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)) : 1;
    const std::string only = argc > 3 ? argv[3] : "";
    const std::uint32_t first = argc > 4 ? static_cast<std::uint32_t>(std::strtoul(argv[4], nullptr, 10)) : 0;
    ComApartment apartment;
    std::printf("%-22s %8s %8s %8s %10s %12s %10s %9s\n", "format", "inputs", "taken", "refused", "problems",
                "slowest", "inputs/s", "peak MB");
    bool clean = true;
    for (auto& format : corpus::MakeFormats()) {
        if (!only.empty() && only != "all" && format->Name() != only)
            continue;
        const corpus::RunStats stats = corpus::RunInputs(*format, seed, first, count);
        const double perSecond = stats.totalMs > 0 ? 1000.0 * count / stats.totalMs : 0;
        char slowest[48];
        std::snprintf(slowest, sizeof slowest, "#%u %.1f ms", stats.slowestIndex, stats.slowestMs);
        std::printf("%-22s %8u %8u %8u %10u %12s %10.0f %9.1f\n", format->Name().c_str(), count, stats.accepted,
                    stats.refused, stats.problemCount, slowest, perSecond, PeakPrivateMegabytes());
        std::fflush(stdout);
        for (const corpus::Problem& problem : stats.problems)
            std::printf("  problem %s:%u:%u %s [%s]\n", format->Name().c_str(), seed, problem.index,
                        problem.what.c_str(), problem.mutations.c_str());
        clean = clean && stats.problemCount == 0;
    }
    return clean ? 0 : 1;
}
