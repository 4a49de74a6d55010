// The mutation corpus over every stored form the grid reads: no crash, no
// hang, a plain answer, and the object either takes the input whole (it
// then saves, loads and saves again to the same bytes) or refuses it and
// stays as it was; no windows, GDI or USER objects or library objects are
// left behind. HV_CORPUS_COUNT sets the inputs per format (300),
// HV_CORPUS_SEED the seed (1); HV_CORPUS_REPLAY=format:seed:index runs one
// input again (it is in corpus-current.bin while it runs).
#include <doctest/doctest.h>

#include "CorpusRun.h"

#include <cstdlib>
#include <string>

namespace {

std::uint32_t Setting(const char* name, std::uint32_t fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : fallback;
}

} // namespace

TEST_CASE("every format's sample loads and round-trips on its road")
{
    for (auto& format : corpus::MakeFormats()) {
        CAPTURE(format->Name());
        REQUIRE_NOTHROW(format->Sample());
        const corpus::Outcome outcome = format->Run(format->Sample());
        CHECK(outcome.hr == S_OK);
        CHECK(outcome.problem == "");
    }
}

TEST_CASE("mutated inputs are taken whole or refused without a trace")
{
    const std::uint32_t count = Setting("HV_CORPUS_COUNT", 300);
    const std::uint32_t seed = Setting("HV_CORPUS_SEED", 1);
    for (auto& format : corpus::MakeFormats()) {
        CAPTURE(format->Name());
        const corpus::RunStats stats = corpus::RunInputs(*format, seed, 0, count);
        MESSAGE(format->Name() << ": " << stats.accepted << " accepted, " << stats.refused << " refused, slowest #"
                               << stats.slowestIndex << " " << stats.slowestMs << " ms");
        for (const corpus::Problem& problem : stats.problems) {
            CAPTURE(problem.index);
            CAPTURE(problem.mutations);
            CHECK(problem.what == "");
        }
        CHECK(stats.problemCount == 0);
    }
}

TEST_CASE("inputs that once got through are refused without a trace")
{
    // Bitmaps whose headers place their bits past the picture's data: one
    // wider than its bits, others whose bits start past its end.
    struct Case {
        const char* format;
        std::uint32_t seed;
        std::uint32_t index;
    } cases[] = {
        {"layout-registry", 1, 1434},
        {"layout-registry", 1, 6800},
        {"appearance", 1, 5210}, // no header before the bitmap
    };
    auto formats = corpus::MakeFormats();
    for (const Case& c : cases) {
        CAPTURE(c.format);
        CAPTURE(c.index);
        for (auto& format : formats) {
            if (format->Name() != c.format)
                continue;
            HRESULT result = S_OK;
            CHECK(corpus::ReplayInput(*format, c.seed, c.index, &result) == "");
            CHECK(FAILED(result));
        }
    }
}

TEST_CASE("one input replays from its format, seed and index" * doctest::skip(std::getenv("HV_CORPUS_REPLAY") == nullptr))
{
    const std::string triple = std::getenv("HV_CORPUS_REPLAY");
    const size_t first = triple.find(':');
    const size_t second = triple.find(':', first + 1);
    REQUIRE(second != std::string::npos);
    const std::string name = triple.substr(0, first);
    const auto seed = static_cast<std::uint32_t>(std::stoul(triple.substr(first + 1, second - first - 1)));
    const auto index = static_cast<std::uint32_t>(std::stoul(triple.substr(second + 1)));
    for (auto& format : corpus::MakeFormats()) {
        if (format->Name() != name)
            continue;
        HRESULT result = S_OK;
        const std::string problem = corpus::ReplayInput(*format, seed, index, &result);
        MESSAGE(name << " " << seed << " " << index << ": 0x" << std::hex << static_cast<unsigned long>(result));
        CHECK(problem == "");
        return;
    }
    FAIL("no format " << name);
}
