// The URL library ("urlmon.dll"), loaded by name on first use and kept for
// the process. Each call looks its function up; a library or function that
// is missing answers E_UNEXPECTED.
#pragma once

#include <windows.h>
#include <urlmon.h>

HRESULT CreateURLMonikerDynamic(IMoniker* outer, LPCWSTR url, IMoniker** moniker);
HRESULT RegisterBindStatusCallbackDynamic(IBindCtx* bindContext, IBindStatusCallback* callback,
                                          IBindStatusCallback** previous, DWORD reserved);
