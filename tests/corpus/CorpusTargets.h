// The objects that the corpus loads: each made fresh, loaded from an
// input's bytes and saved back to bytes in the same form.
#pragma once

#include "CorpusSample.h"
#include "MutationCorpus.h"

#include <memory>
#include <string>

namespace corpus {

class Target {
public:
    virtual ~Target() = default;
    virtual HRESULT Load(const Bytes& input) = 0;
    virtual HRESULT Save(Bytes& output) = 0;

protected:
    GridObject grid_;
};

enum class TargetKind {
    ControlStream,
    ControlStorage,
    ControlBag,
    LayoutStream,
    LayoutFile,
    LayoutRegistry,
    Appearance,
    Override,
    Collection,
    ValueList,
    ImagesStream,
    ImagesBag,
};

std::unique_ptr<Target> MakeTarget(TargetKind kind);
// The sample's bytes in the target's form, saved from a grid that holds
// the sample.
Bytes SampleBytes(TargetKind kind);

} // namespace corpus
