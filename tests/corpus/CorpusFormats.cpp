// The corpus's formats: a sample and a road each, with the checks that
// follow every load.
#include "CorpusFormats.h"

#include "CorpusBag.h"
#include "CorpusTargets.h"

#include <cstdio>
#include <optional>

namespace corpus {

namespace {

std::string Hex(HRESULT hr)
{
    char text[16];
    wsprintfA(text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

// Where two saves part: the bag entries that differ, else the first byte.
std::string Difference(const Bytes& a, const Bytes& b)
{
    BagEntries left, right;
    if (DeserialiseBag(a, left) && DeserialiseBag(b, right)) {
        std::string names;
        auto named = [](const BagEntries& entries, const std::wstring& name) -> const BagEntry* {
            for (const BagEntry& entry : entries)
                if (entry.name == name)
                    return &entry;
            return nullptr;
        };
        auto same = [](const BagEntry& x, const BagEntry& y) {
            return x.type == y.type && x.number == y.number && x.real == y.real && x.text == y.text &&
                   x.hasObject == y.hasObject && x.block == y.block;
        };
        for (const BagEntries* side : {&left, &right})
            for (const BagEntry& entry : *side) {
                const BagEntry* other = named(side == &left ? right : left, entry.name);
                if ((!other || !same(entry, *other)) && names.find(std::string(entry.name.begin(), entry.name.end())) == std::string::npos)
                    names += " " + std::string(entry.name.begin(), entry.name.end());
            }
        return " (entries" + names + ")";
    }
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    return " (sizes " + std::to_string(a.size()) + "/" + std::to_string(b.size()) + ", first difference at " +
           std::to_string(at) + ")";
}

class TargetFormat : public Format {
public:
    TargetFormat(std::string name, TargetKind kind) : Format(std::move(name)), kind_(kind) {}

    const Bytes& Sample() override
    {
        if (!sample_)
            sample_ = SampleBytes(kind_);
        return *sample_;
    }

    Outcome Run(const Bytes& input) override
    {
        Outcome outcome;
        std::unique_ptr<Target> target = MakeTarget(kind_);
        Bytes before;
        HRESULT hr = target->Save(before);
        if (FAILED(hr)) {
            outcome.problem = "a fresh object does not save: " + Hex(hr);
            return outcome;
        }
        outcome.hr = target->Load(input);
        if (FAILED(outcome.hr)) {
            Bytes after;
            hr = target->Save(after);
            if (FAILED(hr))
                outcome.problem = "after a refused load the object does not save: " + Hex(hr);
            else if (after != before)
                outcome.problem = "a refused load changed the object" + Difference(before, after);
            return outcome;
        }
        Bytes first;
        hr = target->Save(first);
        if (FAILED(hr)) {
            outcome.problem = "after the load the object does not save: " + Hex(hr);
            return outcome;
        }
        target.reset();
        std::unique_ptr<Target> again = MakeTarget(kind_);
        hr = again->Load(first);
        if (FAILED(hr)) {
            // The bytes that did not load are left beside the input.
            if (FILE* file = std::fopen("corpus-saved.bin", "wb")) {
                std::fwrite(first.data(), 1, first.size(), file);
                std::fclose(file);
            }
            outcome.problem = "what the object saved does not load: " + Hex(hr);
            return outcome;
        }
        Bytes second;
        hr = again->Save(second);
        if (FAILED(hr))
            outcome.problem = "the second object does not save: " + Hex(hr);
        else if (second != first)
            outcome.problem = "save, load and save give other bytes" + Difference(first, second);
        return outcome;
    }

private:
    TargetKind kind_;
    std::optional<Bytes> sample_;
};

// Inputs of the bag formats mutate the entries, not their serialised bytes.
class BagFormat final : public TargetFormat {
public:
    using TargetFormat::TargetFormat;
    Bytes MakeInput(Rng& rng, std::string* log) override
    {
        if (!entries_) {
            entries_.emplace();
            DeserialiseBag(Sample(), *entries_);
        }
        return SerialiseBag(MutateBag(*entries_, rng, log));
    }

private:
    std::optional<BagEntries> entries_;
};

} // namespace

Bytes Format::MakeInput(Rng& rng, std::string* log)
{
    return MutateBytes(Sample(), rng, log);
}

std::vector<std::unique_ptr<Format>> MakeFormats()
{
    std::vector<std::unique_ptr<Format>> formats;
    formats.push_back(std::make_unique<TargetFormat>("control-stream", TargetKind::ControlStream));
    formats.push_back(std::make_unique<TargetFormat>("control-storage", TargetKind::ControlStorage));
    formats.push_back(std::make_unique<BagFormat>("control-bag", TargetKind::ControlBag));
    formats.push_back(std::make_unique<TargetFormat>("layout-stream", TargetKind::LayoutStream));
    formats.push_back(std::make_unique<TargetFormat>("layout-file", TargetKind::LayoutFile));
    formats.push_back(std::make_unique<TargetFormat>("layout-registry", TargetKind::LayoutRegistry));
    formats.push_back(std::make_unique<TargetFormat>("appearance", TargetKind::Appearance));
    formats.push_back(std::make_unique<TargetFormat>("override", TargetKind::Override));
    formats.push_back(std::make_unique<TargetFormat>("collection", TargetKind::Collection));
    formats.push_back(std::make_unique<TargetFormat>("value-list", TargetKind::ValueList));
    formats.push_back(std::make_unique<TargetFormat>("images-stream", TargetKind::ImagesStream));
    formats.push_back(std::make_unique<BagFormat>("images-bag", TargetKind::ImagesBag));
    return formats;
}

} // namespace corpus
