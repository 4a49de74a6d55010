// Result codes the recordset answers to the application for its own errors
// (the rowset face answers the OLE DB codes instead).
#pragma once

#include <windows.h>

namespace hv::recordset {

// The record or field named does not exist.
constexpr HRESULT kItemNotFound = static_cast<HRESULT>(0x800A0CC1);
// The operation is not allowed in the recordset's current state (a field
// appended while open, an empty field name, a duplicate name).
constexpr HRESULT kIllegalOperation = static_cast<HRESULT>(0x800A0C93);
// There is no current record (BOF, EOF or an empty recordset).
constexpr HRESULT kNoCurrentRecord = static_cast<HRESULT>(0x800A0BCD);
// The recordset is closed.
constexpr HRESULT kObjectClosed = static_cast<HRESULT>(0x800A0E78);
// The recordset is already open.
constexpr HRESULT kObjectOpen = static_cast<HRESULT>(0x800A0E79);
// A value does not fit the field (type, size or nullability).
constexpr HRESULT kDataConversion = static_cast<HRESULT>(0x800A0D5D);

} // namespace hv::recordset
