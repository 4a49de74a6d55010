// RowDataRef: the holder of one count on a bound row (through its seam).
#pragma once

#include "RowDataSeam.h"

class RowDataRef {
public:
    RowDataRef() noexcept = default;
    ~RowDataRef() { Reset(); }
    RowDataRef(const RowDataRef&) = delete;
    RowDataRef& operator=(const RowDataRef&) = delete;

    // Holds data with a count of its own.
    void Assign(RowDataSeam* data) noexcept
    {
        if (data)
            data->AddRefData();
        Reset();
        data_ = data;
    }
    void Reset() noexcept
    {
        if (RowDataSeam* data = data_) {
            data_ = nullptr;
            data->ReleaseData();
        }
    }
    RowDataSeam* Get() const noexcept { return data_; }

private:
    RowDataSeam* data_ = nullptr;
};
