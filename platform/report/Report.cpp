// Reports: the definition's order of sections, runs, and the outputs of the
// pages of the last run.
#include "Report.h"

#include <stdexcept>

#include "PageComposer.h"
#include "PageRenderer.h"
#include "PageOutput.h"
#include "PrinterOutput.h"
#include "ReportError.h"
#include "ReportPreview.h"
#include "ReportRun.h"

namespace hv::report {

Report::Report() = default;

Report::~Report() = default;

ReportSection& Report::AddSection(SectionKind kind, std::wstring name, int height)
{
    if (!sections_.empty() && kind < sections_.back()->Kind())
        throw std::logic_error("report: sections out of order");
    const bool single = kind == SectionKind::PageHeader || kind == SectionKind::Detail ||
                        kind == SectionKind::PageFooter;
    if (single && FindSection(kind) >= 0)
        throw std::logic_error("report: a second section of a kind that comes once");
    sections_.push_back(std::make_unique<ReportSection>(kind, std::move(name), height));
    return *sections_.back();
}

ReportSection& Report::Section(std::wstring_view name)
{
    for (auto& section : sections_)
        if (section->Name() == name)
            return *section;
    throw std::out_of_range("report: no such section");
}

ReportControl& Report::Control(std::wstring_view name)
{
    for (auto& section : sections_)
        for (ReportControl& control : section->Controls())
            if (control.Name() == name)
                return control;
    throw std::out_of_range("report: no such control");
}

int Report::FindSection(SectionKind kind) const
{
    for (size_t i = 0; i < sections_.size(); ++i)
        if (sections_[i]->Kind() == kind)
            return static_cast<int>(i);
    return -1;
}

void Report::Arrange()
{
    layout_ = Layout{};
    layout_.pageHeader = FindSection(SectionKind::PageHeader);
    layout_.detail = FindSection(SectionKind::Detail);
    layout_.pageFooter = FindSection(SectionKind::PageFooter);
    std::vector<int> footers;
    for (size_t i = 0; i < sections_.size(); ++i) {
        if (sections_[i]->Kind() == SectionKind::GroupHeader)
            layout_.groupHeaders.push_back(static_cast<int>(i));
        else if (sections_[i]->Kind() == SectionKind::GroupFooter)
            footers.push_back(static_cast<int>(i));
    }
    // Footers close the groups from the innermost out.
    const size_t groups = layout_.groupHeaders.size();
    layout_.groupFooters.assign(groups, -1);
    for (size_t f = 0; f < footers.size() && f < groups; ++f)
        layout_.groupFooters[groups - 1 - f] = footers[f];
    if (layout_.detail < 0)
        throw std::logic_error("report: no detail section");
    labels_.clear();
    for (auto& section : sections_)
        for (ReportControl& control : section->Controls())
            if (control.Kind() == ControlKind::Label)
                labels_.push_back(&control);
}

void Report::Run()
{
    Arrange();
    pages_.Clear();
    printed_.reset();
    if (FAILED(failNextRun_)) {
        const HRESULT hr = failNextRun_;
        failNextRun_ = S_OK;
        throw ReportError(hr, "report: the run was made to fail");
    }
    printed_ = data_.Recordset();
    try {
        ReportRun(*this, pages_).Execute();
    } catch (...) {
        pages_.Clear();
        printed_.reset();
        throw;
    }
}

void Report::Show()
{
    Run();
    if (!preview_)
        preview_ = std::make_unique<ReportPreview>(*this);
    preview_->Open();
}

recordset::CellValue Report::Value(std::wstring_view fieldControl)
{
    const ReportControl& control = Control(fieldControl);
    const auto& data = data_.Recordset();
    if (!data || data->State() != 1 || data->IsEOF() || data->IsBOF() || control.DataField().empty())
        return {};
    const recordset::Table& table = *data->GetTable();
    const size_t field = table.FindField(control.DataField());
    const uint32_t slot = data->GetCursor()->State().slot;
    if (field == recordset::Table::npos || slot == recordset::kNoSlot)
        return {};
    return table.GetCell(slot, field);
}

PageModel Report::Page(long page) const
{
    PageComposer composer(*this, printed_ ? printed_->GetTable().get() : nullptr);
    return composer.Compose(page);
}

void Report::DrawPage(long page, HDC dc, const RECT& target) const
{
    DrawPageItems(Page(page), dc, target);
}

bool Report::SavePageEmf(long page, const std::wstring& path) const
{
    if (page < 1 || page > PageCount())
        return false;
    return WritePageEmf(Page(page), path, documentName_);
}

bool Report::SavePagePng(long page, const std::wstring& path, int dpi) const
{
    if (page < 1 || page > PageCount())
        return false;
    return WritePagePng(Page(page), path, dpi);
}

bool Report::Print(HWND owner) const
{
    return PrintPages(owner, documentName_, PageCount(), [this](long page) { return Page(page); });
}

} // namespace hv::report
