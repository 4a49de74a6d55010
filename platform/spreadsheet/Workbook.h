// Workbook: its sheets in order, the active one, the styles they share, and
// what the session needs to hand it over (its file, the change counter at
// the last write).
#pragma once

#include "Worksheet.h"

#include <memory>
#include <string>
#include <vector>

namespace hv::sheet {

class Workbook {
public:
    // A new workbook has `sheets` empty sheets, the first one active.
    Workbook(std::wstring name, int sheets = 3);
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    const std::wstring& Name() const { return name_; }
    const StyleTable& Styles() const { return core_->styles; }

    int SheetCount() const { return static_cast<int>(sheets_.size()); }
    // 1-based; SheetError outside 1..SheetCount.
    std::shared_ptr<Worksheet> Sheet(int index) const;
    // By name, letter case ignored; null when there is none.
    std::shared_ptr<Worksheet> FindSheet(const std::wstring& name) const;
    // 1-based, 0 when the sheet is not (or no longer) in this workbook.
    int IndexOf(const Worksheet* sheet) const;

    // Appends a sheet and makes it the active one.
    std::shared_ptr<Worksheet> AddSheet();
    // The last sheet cannot go; the active one passes to a neighbour.
    void DeleteSheet(const Worksheet* sheet);
    // Names are 1 to 31 characters, none of []:*?/\, unique without regard to case.
    void RenameSheet(Worksheet* sheet, const std::wstring& name);
    const std::shared_ptr<Worksheet>& ActiveSheet() const { return sheets_[active_]; }
    void Activate(const Worksheet* sheet);

    std::uint64_t Revision() const { return core_->revision; }
    // The file the workbook was written to, empty before the first write.
    const std::wstring& Path() const { return path_; }
    bool ChangedSinceWrite() const { return path_.empty() || written_ != core_->revision; }
    void MarkWritten(std::wstring path);

private:
    std::wstring UnusedSheetName() const;

    std::wstring name_;
    std::shared_ptr<BookCore> core_;
    std::vector<std::shared_ptr<Worksheet>> sheets_;
    size_t active_ = 0;
    std::wstring path_;
    std::uint64_t written_ = 0;
};

} // namespace hv::sheet
