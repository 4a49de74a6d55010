// CollectionBlob: collection entries of a property bag through the
// framework's SaveObjectToPropertyBag / LoadObjectFromPropertyBag.
#include "CollectionBlob.h"

#include "PropertyBagObject.h"

namespace {

// The framework's helpers see the save or load step as an object. The
// callers decide themselves whether an entry is written at all, so the
// object always has something to write.
class StreamSteps final : public PersistableCollection {
public:
    StreamSteps(const CollectionBlob::StreamStep* save, const CollectionBlob::StreamStep* load)
        : save_(save), load_(load)
    {
    }
    LONG ItemCount() override { return 1; }
    HRESULT Save(IStream* stream, LONG) override { return save_ ? (*save_)(stream) : E_UNEXPECTED; }
    HRESULT Load(IStream* stream, LONG) override
    {
        loaded_ = true;
        return load_ ? (*load_)(stream) : E_UNEXPECTED;
    }
    bool Loaded() const { return loaded_; }

private:
    const CollectionBlob::StreamStep* save_;
    const CollectionBlob::StreamStep* load_;
    bool loaded_ = false;
};

} // namespace

HRESULT CollectionBlob::Write(IPropertyBag* bag, LPCOLESTR name, const StreamStep& save)
{
    StreamSteps steps(&save, nullptr);
    return SaveObjectToPropertyBag(steps, bag, name, 0);
}

HRESULT CollectionBlob::Read(IPropertyBag* bag, IErrorLog* log, LPCOLESTR name, const StreamStep& load)
{
    StreamSteps steps(nullptr, &load);
    const HRESULT hr = LoadObjectFromPropertyBag(steps, bag, log, name, 0);
    if (steps.Loaded())
        return hr;
    // A missing or unreadable entry is no entry; only a lack of memory is
    // an error of its own.
    return hr == E_OUTOFMEMORY ? hr : S_FALSE;
}
