// RefHolder: keeps one interface referenced for its own lifetime, so that
// a stretch of code that may release the object (event handlers) cannot
// destroy it under its caller.
#pragma once

#include <unknwn.h>

class RefHolder
{
public:
    explicit RefHolder(IUnknown* object);
    virtual ~RefHolder();
    RefHolder(const RefHolder&) = delete;
    RefHolder& operator=(const RefHolder&) = delete;

private:
    IUnknown* m_object; // one reference when not null
};
