// StoredStateRead: the all-or-nothing read of stored state. The outermost
// read of a stream first reads everything into scratch objects and, only
// when that succeeded, reads it again from the same place into the real
// object. A refused read therefore leaves the object as it was. Reads nested
// inside either pass run once, as they are: the outer pass covers them.
#pragma once

#include <windows.h>
#include <objidl.h>

#include "StreamBounds.h"

class StoredStateRead {
public:
    // True while a checking or an applying pass runs.
    static bool Nested() noexcept { return depth_ > 0; }

    // check reads into scratch objects, apply into the real one; each is a
    // callable answering an HRESULT. A stream that cannot be rewound is read
    // once, by apply.
    template <class Check, class Apply>
    static HRESULT Run(IStream* stream, Check check, Apply apply)
    {
        ULONGLONG start = 0;
        if (Nested() || FAILED(StreamPosition(stream, &start))) {
            Scope scope;
            return apply();
        }
        {
            Scope scope;
            const HRESULT hr = check();
            if (FAILED(hr))
                return hr;
        }
        const HRESULT hr = StreamSeekTo(stream, start);
        if (FAILED(hr))
            return hr;
        Scope scope;
        return apply();
    }

    // A read whose target is itself a scratch object: read once, as it is.
    template <class Read>
    static HRESULT Once(Read read)
    {
        Scope scope;
        return read();
    }

private:
    class Scope {
    public:
        Scope() noexcept { ++depth_; }
        ~Scope() { --depth_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };

    static inline int depth_ = 0; // user-interface thread only
};
