// EventCall: one event as the container's event sink receives it, with its
// arguments in declaration order. Arguments that the handler may change
// (by-reference values and return-value objects with a Value property) can
// be read and written through it.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace hv::container {

class EventCall {
public:
    EventCall(DISPID dispid, DISPPARAMS* params) : dispid_(dispid), params_(params) {}

    DISPID Dispid() const { return dispid_; }
    UINT Count() const { return params_ ? params_->cArgs : 0; }
    // Argument index in declaration order (the first parameter is 0); null
    // when there is no such argument.
    VARIANTARG* Arg(UINT index) const;
    VARTYPE Type(UINT index) const;

    // The argument's value, following a reference and reading the Value
    // property (DISPID 0) of an object. False when it cannot be had.
    bool Get(UINT index, VARTYPE type, VARIANT& value) const;
    SHORT Short(UINT index) const;
    LONG Long(UINT index) const;
    float Single(UINT index) const;
    bool Bool(UINT index) const;
    std::wstring String(UINT index) const;
    IDispatch* Object(UINT index) const;   // not AddRef'd

    // Writes a by-reference argument, or the Value property of an object.
    // False when the argument can be neither.
    bool Set(UINT index, const VARIANT& value) const;
    bool SetShort(UINT index, SHORT value) const;
    bool SetLong(UINT index, LONG value) const;
    bool SetBool(UINT index, bool value) const;

private:
    DISPID dispid_;
    DISPPARAMS* params_;
};

} // namespace hv::container
