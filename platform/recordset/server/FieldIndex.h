// FieldIndex: a field named by a script, by name (letter case ignored) or by
// position from 0, resolved against a recordset's fields.
#pragma once

#include "../Recordset.h"

#include <oaidl.h>

#include <string>

namespace hv::recordset::server {

struct FieldIndex {
    long position = -1;
    // How the field reads in a description: "\"ME\"" or "at index 9".
    std::wstring label;
};

// kItemNotFound when no field answers the index; index may be by reference.
HRESULT ResolveField(const Recordset& recordset, const VARIANT& index, FieldIndex& field);

} // namespace hv::recordset::server
