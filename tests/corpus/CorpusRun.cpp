// The corpus runner.
#include "CorpusRun.h"

#include "LiveObjectRegistry.h"

#include <cstdio>
#include <exception>

namespace corpus {

namespace {

struct Counts {
    DWORD gdi = 0;
    DWORD user = 0;
    long windows = 0;
    long objects = 0;
    bool operator==(const Counts&) const = default;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM counter)
{
    ++*reinterpret_cast<long*>(counter);
    EnumChildWindows(window, [](HWND, LPARAM inner) -> BOOL {
        ++*reinterpret_cast<long*>(inner);
        return TRUE;
    }, counter);
    return TRUE;
}

// GetGuiResources answers 0 where the system does not count (Wine): the
// windows of the thread and the library's live objects are counted too.
Counts Measure()
{
    Counts counts;
    counts.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    counts.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&counts.windows));
    counts.objects = LiveObjectRegistry::Count();
    return counts;
}

std::string Describe(const Counts& before, const Counts& after)
{
    char text[160];
    std::snprintf(text, sizeof text, "gdi %lu->%lu user %lu->%lu windows %ld->%ld objects %ld->%ld",
                  static_cast<unsigned long>(before.gdi), static_cast<unsigned long>(after.gdi),
                  static_cast<unsigned long>(before.user), static_cast<unsigned long>(after.user), before.windows,
                  after.windows, before.objects, after.objects);
    return text;
}

bool Grew(const Counts& before, const Counts& after)
{
    return after.gdi > before.gdi || after.user > before.user || after.windows > before.windows ||
           after.objects > before.objects;
}

void WriteFile(const std::string& path, const void* data, size_t size)
{
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        if (size)
            std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
}

// Writes the input and its description before the load.
void Record(const Format& format, std::uint32_t seed, std::uint32_t index, const Bytes& input,
            const std::string& mutations)
{
    const std::string path = CurrentInputPath();
    WriteFile(path, input.data(), input.size());
    const std::string text = "format " + format.Name() + "\nseed " + std::to_string(seed) + "\nindex " +
                             std::to_string(index) + "\nmutations " + mutations + "\n";
    WriteFile(path + ".txt", text.data(), text.size());
}

double Elapsed(const LARGE_INTEGER& start, const LARGE_INTEGER& end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

Outcome RunGuarded(Format& format, const Bytes& input)
{
    try {
        return format.Run(input);
    } catch (const std::exception& error) {
        Outcome outcome;
        outcome.problem = std::string("the road failed: ") + error.what();
        return outcome;
    }
}

// Process-wide caches (the parking window, fonts) are made by the first
// loads: the sample is run once before anything is counted.
void WarmUp(Format& format)
{
    static std::vector<std::string> done;
    for (const std::string& name : done)
        if (name == format.Name())
            return;
    RunGuarded(format, format.Sample());
    RunGuarded(format, format.Sample());
    done.push_back(format.Name());
}

} // namespace

std::string CurrentInputPath()
{
    return "corpus-current.bin";
}

RunStats RunInputs(Format& format, std::uint32_t seed, std::uint32_t first, std::uint32_t count)
{
    RunStats stats;
    WarmUp(format);
    for (std::uint32_t index = first; index < first + count; ++index) {
        Rng rng = InputRng(format.Name(), seed, index);
        std::string mutations;
        const Bytes input = format.MakeInput(rng, &mutations);
        Record(format, seed, index, input, mutations);
        const Counts before = Measure();
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        Outcome outcome = RunGuarded(format, input);
        QueryPerformanceCounter(&end);
        const Counts after = Measure();
        if (outcome.problem.empty() && Grew(before, after))
            outcome.problem = "resources grew: " + Describe(before, after);
        const double ms = Elapsed(start, end);
        stats.totalMs += ms;
        if (ms > stats.slowestMs) {
            stats.slowestMs = ms;
            stats.slowestIndex = index;
        }
        (SUCCEEDED(outcome.hr) ? stats.accepted : stats.refused)++;
        if (!outcome.problem.empty()) {
            ++stats.problemCount;
            if (stats.problems.size() < 20)
                stats.problems.push_back({index, outcome.problem, mutations});
        }
    }
    return stats;
}

std::string ReplayInput(Format& format, std::uint32_t seed, std::uint32_t index, HRESULT* result)
{
    WarmUp(format);
    Rng rng = InputRng(format.Name(), seed, index);
    std::string mutations;
    const Bytes input = format.MakeInput(rng, &mutations);
    Record(format, seed, index, input, mutations);
    const Counts before = Measure();
    Outcome outcome = RunGuarded(format, input);
    const Counts after = Measure();
    if (outcome.problem.empty() && Grew(before, after))
        outcome.problem = "resources grew: " + Describe(before, after);
    if (result)
        *result = outcome.hr;
    return outcome.problem.empty() ? "" : outcome.problem + " [" + mutations + "]";
}

} // namespace corpus
