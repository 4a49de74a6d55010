// The data control of a report: the recordset the report reads. The report
// moves the recordset's cursor as it runs, so that the program's handlers see
// the record being formatted as the current one; it keeps the recordset while
// its pages may still be drawn.
#pragma once

#include <memory>
#include <string>

#include "Recordset.h"

namespace hv::report {

class DataControl {
public:
    explicit DataControl(std::wstring name = L"DataControl") : name_(std::move(name)) {}

    const std::wstring& Name() const { return name_; }
    void SetName(std::wstring name) { name_ = std::move(name); }

    const std::shared_ptr<recordset::Recordset>& Recordset() const { return recordset_; }
    void SetRecordset(std::shared_ptr<recordset::Recordset> recordset) { recordset_ = std::move(recordset); }

private:
    std::wstring name_;
    std::shared_ptr<recordset::Recordset> recordset_;
};

} // namespace hv::report
