// DispatchObject: the scriptable recordset's objects on the servers'
// dispatch base, with failures raised under the recordset's name.
#pragma once

#include "ScriptErrors.h"

#include "../ComRef.h"

#include <DispatchObject.h>

namespace hv::recordset::server {

template <class Interface>
class DispatchObject : public comserver::DispatchObject<Interface> {
protected:
    DispatchObject() = default;

    HRESULT Fail(HRESULT hr, const std::wstring& description) { return RaiseError(hr, __uuidof(Interface), description); }
};

} // namespace hv::recordset::server
