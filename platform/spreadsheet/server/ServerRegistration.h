// ServerRegistration: the registry entries of the spreadsheet server: its
// class (in-process, apartment), the ProgID "Excel.Application" and the type
// library. A ProgID that already names another class is left alone and
// registration fails; unregistering removes the ProgID only while it names
// this class.
#pragma once

#include <windows.h>

namespace hv::sheet::server {

HRESULT RegisterServer();
HRESULT UnregisterServer();

} // namespace hv::sheet::server
