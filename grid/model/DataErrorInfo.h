// DataErrorInfo: the record in which the data code collects a data error
// (code, row, cell, message, invalid value) before the error objects are
// made from it.
#pragma once

#include "DualString.h"

#include <windows.h>
#include <oleauto.h>

class DataErrorInfo {
public:
    // row and cell are not owned; either may be null.
    DataErrorInfo(HRESULT code, IUnknown* row, IUnknown* cell);
    ~DataErrorInfo();
    DataErrorInfo(const DataErrorInfo&) = delete;
    DataErrorInfo& operator=(const DataErrorInfo&) = delete;

    // Copies value in (references followed); null clears.
    HRESULT SetInvalidValue(const VARIANT* value);
    void SetMessage(const CDualString& message) { message_ = message; }
    void GetMessage(CDualString& out) const { out = message_; }

    HRESULT Code() const { return code_; }
    IUnknown* Row() const { return row_; }
    IUnknown* Cell() const { return cell_; }
    const VARIANT& InvalidValue() const { return invalidValue_; }

private:
    HRESULT code_;
    DWORD reserved_ = 0;
    IUnknown* row_;  // not owned
    IUnknown* cell_; // not owned
    CDualString message_;
    VARIANT invalidValue_;
};
