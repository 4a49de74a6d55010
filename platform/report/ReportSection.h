// A band of a report: page header, group header, detail, group footer or page
// footer, of a fixed height in twips, holding controls. A group header names
// the field it groups on (none: one group for the whole report), whether a
// change of that field starts a new page and whether the header repeats at
// the top of every page of its group. Format runs when the section is
// formatted (the current record is the one it shows), BeforePrint once its
// page is known.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ReportControl.h"

namespace hv::report {

enum class SectionKind { PageHeader, GroupHeader, Detail, GroupFooter, PageFooter };

class ReportSection {
public:
    ReportSection(SectionKind kind, std::wstring name, int height);

    SectionKind Kind() const { return kind_; }
    const std::wstring& Name() const { return name_; }
    int Height() const { return height_; }

    ReportControl& Add(ReportControl control);
    std::vector<ReportControl>& Controls() { return controls_; }
    const std::vector<ReportControl>& Controls() const { return controls_; }

    // Group headers.
    void GroupOn(std::wstring field) { groupField_ = std::move(field); }
    const std::wstring& GroupField() const { return groupField_; }
    void SetNewPageOnChange(bool on) { newPage_ = on; }
    bool NewPageOnChange() const { return newPage_; }
    void SetRepeatOnEveryPage(bool on) { repeat_ = on; }
    bool RepeatOnEveryPage() const { return repeat_; }

    std::function<void()> Format;
    std::function<void()> BeforePrint;

private:
    SectionKind kind_;
    std::wstring name_;
    int height_;
    std::vector<ReportControl> controls_;
    std::wstring groupField_;
    bool newPage_ = false;
    bool repeat_ = false;
};

} // namespace hv::report
