// The stored forms of the corpus, each with its sample and its load road:
// the control's state in a stream, a storage and a property bag; the
// layout through Load from a stream, a compound file and the registry; the
// appearance, override, collection and value-list streams; the images in
// their stream and property-bag forms.
#pragma once

#include "MutationCorpus.h"

#include <windows.h>

#include <memory>
#include <string>

namespace corpus {

// What a road did with one input.
struct Outcome {
    HRESULT hr = S_OK;    // the load's answer
    std::string problem;  // empty when every check held
};

class Format {
public:
    explicit Format(std::string name) : name_(std::move(name)) {}
    virtual ~Format() = default;
    Format(const Format&) = delete;
    Format& operator=(const Format&) = delete;

    const std::string& Name() const { return name_; }
    // The sample, built on first use (throws when it cannot be).
    virtual const Bytes& Sample() = 0;
    virtual Bytes MakeInput(Rng& rng, std::string* log);
    // Loads the input on a fresh object. After S_OK the object saves,
    // loads into another fresh object and saves again to the same bytes;
    // after a failure it saves as before the load.
    virtual Outcome Run(const Bytes& input) = 0;

private:
    std::string name_;
};

// Every format, in a fixed order.
std::vector<std::unique_ptr<Format>> MakeFormats();

} // namespace corpus
