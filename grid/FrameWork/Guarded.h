// Guarded: the exception firewall of a COM method. No C++ exception may
// leave through an interface, so a method's body runs behind it and a failed
// allocation comes back as E_OUTOFMEMORY, anything else as E_UNEXPECTED.
#pragma once

#include <windows.h>

#include <new>

template <class Body>
HRESULT Guarded(Body body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}
