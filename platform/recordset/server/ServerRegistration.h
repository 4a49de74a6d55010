// ServerRegistration: the registry entries of the recordset server: its class
// (in-process, apartment), the ProgIDs "HvRecordset.Recordset" and
// "HvRecordset.Recordset.1", and its type library.
#pragma once

#include <windows.h>

namespace hv::recordset::server {

HRESULT RegisterServer();
HRESULT UnregisterServer();

} // namespace hv::recordset::server
