// DataErrors: the three errors the data layer raises itself, as automation
// error information with a description from the control's string table.
#pragma once

#include <windows.h>

enum class DataError {
    TextTooLong = 0,       // "Text is larger than column allows."
    ReadOnly = 1,          // "Database is read-only."
    BadStartPosition = 2,  // "Bad start position."
};

// Sets the error information of the calling thread and returns hr.
HRESULT RaiseDataError(DataError error, HRESULT hr);

// The GUID carried by the raised errors.
extern const GUID kDataErrorGuid;
