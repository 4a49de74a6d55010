// CollectionBlob: a collection's binary form through a property bag, as one
// VT_UNKNOWN entry holding the framework's memory-block object
// (CPersistHGlobal over {32-bit count, bytes}; see PropertyBagObject.h).
#pragma once

#include <windows.h>
#include <objidl.h>
#include <ocidl.h>

#include <functional>

class CollectionBlob final {
public:
    using StreamStep = std::function<HRESULT(IStream* stream)>;

    // Writes what save(stream) writes under name.
    template <class TSave>
    static HRESULT WriteEntry(IPropertyBag* bag, LPCOLESTR name, TSave save)
    {
        return Write(bag, name, StreamStep(std::move(save)));
    }
    // Reads the entry under name and gives a stream over its data to load;
    // S_FALSE without calling load when there is no such entry.
    template <class TLoad>
    static HRESULT ReadEntry(IPropertyBag* bag, IErrorLog* log, LPCOLESTR name, TLoad load)
    {
        return Read(bag, log, name, StreamStep(std::move(load)));
    }

    CollectionBlob() = delete;

private:
    static HRESULT Write(IPropertyBag* bag, LPCOLESTR name, const StreamStep& save);
    static HRESULT Read(IPropertyBag* bag, IErrorLog* log, LPCOLESTR name, const StreamStep& load);
};
