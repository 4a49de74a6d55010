// One run of a report: walks its recordset once in document order, fires the
// handlers where the sections are formatted and printed, and fills the page
// table. Pagination is arithmetic: a section that does not fit in what is
// left of the page's body opens the next page (whose page header and
// repeating group headers come first); a group header that starts a new page
// does so when its field changes.
#pragma once

#include <cstdint>
#include <vector>

#include "CellValue.h"
#include "Report.h"

namespace hv::report {

class ReportRun {
public:
    ReportRun(Report& report, PageTable& pages);
    ReportRun(const ReportRun&) = delete;
    ReportRun& operator=(const ReportRun&) = delete;

    void Execute();

private:
    void Prepare();
    void WalkRecords();
    // The outermost group whose field differs from the record before.
    size_t ChangedGroup();
    void CloseGroups(size_t from);
    void OpenGroups(size_t from);
    void StartPage(size_t repeatGroups);
    void FinishPage();
    // Puts a body section showing the record in slot on the page, opening
    // the next page (with the headers of groups below repeatGroups) first
    // when it does not fit.
    void Place(int section, size_t repeatGroups, uint32_t slot);
    void Fire(const std::function<void()>& handler);
    void CaptureCaptions(bool pageHeader);
    uint32_t CurrentSlot() const;
    void Check(HRESULT hr, const char* what) const;
    int Height(int section) const;

    Report& report_;
    PageTable& pages_;
    const Report::Layout& layout_;
    recordset::Recordset* recordset_ = nullptr;  // the data control's; not owned
    std::vector<size_t> keyFields_;              // per group: its field, or npos
    std::vector<recordset::CellValue> keys_;
    std::vector<uint32_t> groupStart_;           // per group: the record that opened it
    uint32_t lastSlot_ = kNoRecord;
    int bodyHeight_ = 0;
    int remaining_ = 0;
    bool pageHasBands_ = false;
};

} // namespace hv::report
