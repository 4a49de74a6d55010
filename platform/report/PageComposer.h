// Turns one page of a run into its items: the page header at the top margin,
// the bands stacked below it, the page footer at the foot of the printable
// area; labels with the captions of that page, fields with the values of
// the records their bands show.
#pragma once

#include <string>
#include <unordered_map>

#include "PageItem.h"
#include "Report.h"
#include "Table.h"

namespace hv::report {

class PageComposer {
public:
    // table: the records of the run (nullptr when it had none); not owned.
    PageComposer(const Report& report, const recordset::Table* table);

    PageModel Compose(long page);

private:
    void AddSection(int section, int top, uint32_t slot);
    PageItem MakeItem(const ReportControl& control, int left, int top, uint32_t slot);
    std::wstring FieldText(const ReportControl& control, uint32_t slot);
    std::wstring CaptionOf(uint32_t label) const;

    const Report& report_;
    const recordset::Table* table_;
    std::unordered_map<const ReportControl*, uint32_t> labelIndex_;
    std::unordered_map<const ReportControl*, size_t> fieldIndex_;
    const PageEntry* page_ = nullptr;
    long pageNumber_ = 0;
    PageModel items_;
};

} // namespace hv::report
