// SpreadsheetSession: the application's state behind its automation
// objects: the open workbooks in order, the active one, and visibility.
// Making the session visible hands every open workbook over to the user
// (HandOver); a handed-over workbook changed afterwards is written again
// when the session ends (its last automation object is released).
// Closing without saving, quitting, or ending before becoming visible
// writes nothing.
#pragma once

#include "HandOver.h"
#include "Workbook.h"

#include <memory>
#include <vector>

namespace hv::sheet {

class SpreadsheetSession {
public:
    explicit SpreadsheetSession(HandOverSettings settings = HandOverSettings::FromEnvironment());
    ~SpreadsheetSession();
    SpreadsheetSession(const SpreadsheetSession&) = delete;
    SpreadsheetSession& operator=(const SpreadsheetSession&) = delete;

    // A new workbook of three sheets, which becomes the active one.
    std::shared_ptr<Workbook> AddWorkbook();
    int WorkbookCount() const { return static_cast<int>(books_.size()); }
    std::shared_ptr<Workbook> WorkbookAt(int index) const;  // 1-based
    // Null when no workbook is open.
    std::shared_ptr<Workbook> ActiveWorkbook() const;
    void Activate(const Workbook* book);
    // The workbook holding the sheet, or null.
    std::shared_ptr<Workbook> OwnerOf(const Worksheet* sheet) const;

    // Writes the workbook first when `save` (to its file, or a new one).
    void Close(const Workbook* book, bool save);
    void Quit();

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

private:
    HandOverSettings settings_;
    std::vector<std::shared_ptr<Workbook>> books_;
    size_t active_ = 0;
    int nextNumber_ = 1;
    bool visible_ = false;
};

} // namespace hv::sheet
