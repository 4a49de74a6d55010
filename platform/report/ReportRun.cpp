// The single pass over the records that paginates a report.
#include "ReportRun.h"

#include "PageGeometry.h"
#include "ReportError.h"
#include "Table.h"

namespace hv::report {

using recordset::CellValue;
using recordset::Table;

ReportRun::ReportRun(Report& report, PageTable& pages)
    : report_(report), pages_(pages), layout_(report.Arrangement())
{
}

void ReportRun::Execute()
{
    Prepare();
    const bool hasRecords = recordset_ != nullptr;
    if (hasRecords)
        Check(recordset_->MoveFirst(), "MoveFirst");
    Fire(report_.ReportStart);
    const auto& labels = report_.Labels();
    pages_.StartCaptions().reserve(labels.size());
    for (const ReportControl* label : labels)
        pages_.StartCaptions().push_back(label->Caption());
    StartPage(0);
    if (hasRecords)
        WalkRecords();
    FinishPage();
}

void ReportRun::Prepare()
{
    const auto& data = report_.Data().Recordset();
    if (data && data->State() == 1 && data->RecordCount() > 0)
        recordset_ = data.get();
    const size_t groups = layout_.groupHeaders.size();
    keyFields_.assign(groups, Table::npos);
    keys_.assign(groups, CellValue{});
    groupStart_.assign(groups, kNoRecord);
    if (recordset_) {
        const Table& table = *recordset_->GetTable();
        for (size_t g = 0; g < groups; ++g) {
            const std::wstring& field = report_.Sections()[layout_.groupHeaders[g]]->GroupField();
            if (!field.empty())
                keyFields_[g] = table.FindField(field);
        }
    }
    bodyHeight_ = kPrintableHeight - Height(layout_.pageHeader) - Height(layout_.pageFooter);
}

void ReportRun::WalkRecords()
{
    const size_t groups = layout_.groupHeaders.size();
    bool first = true;
    while (!recordset_->IsEOF()) {
        const size_t changed = first ? 0 : ChangedGroup();
        if (!first && changed < groups)
            CloseGroups(changed);
        OpenGroups(first ? 0 : changed);
        Fire(report_.Sections()[layout_.detail]->Format);
        Place(layout_.detail, groups, CurrentSlot());
        lastSlot_ = CurrentSlot();
        first = false;
        Check(recordset_->MoveNext(), "MoveNext");
    }
    CloseGroups(0);
}

size_t ReportRun::ChangedGroup()
{
    const Table& table = *recordset_->GetTable();
    const uint32_t slot = CurrentSlot();
    for (size_t g = 0; g < keyFields_.size(); ++g) {
        if (keyFields_[g] == Table::npos)
            continue;
        if (!(table.GetCell(slot, keyFields_[g]) == keys_[g]))
            return g;
    }
    return keyFields_.size();
}

void ReportRun::CloseGroups(size_t from)
{
    for (size_t g = layout_.groupHeaders.size(); g-- > from;) {
        const int footer = layout_.groupFooters[g];
        if (footer < 0)
            continue;
        Fire(report_.Sections()[footer]->Format);
        Place(footer, g, lastSlot_);
    }
}

void ReportRun::OpenGroups(size_t from)
{
    const Table& table = *recordset_->GetTable();
    const uint32_t slot = CurrentSlot();
    for (size_t g = from; g < layout_.groupHeaders.size(); ++g) {
        const ReportSection& header = *report_.Sections()[layout_.groupHeaders[g]];
        keys_[g] = keyFields_[g] == Table::npos ? CellValue{} : table.GetCell(slot, keyFields_[g]);
        groupStart_[g] = slot;
        // The first group of the report starts where the report does.
        if (header.NewPageOnChange() && lastSlot_ != kNoRecord && pageHasBands_) {
            FinishPage();
            StartPage(g);
        }
        Fire(header.Format);
        Place(layout_.groupHeaders[g], g, slot);
    }
}

void ReportRun::StartPage(size_t repeatGroups)
{
    pages_.BeginPage(recordset_ && !recordset_->IsEOF() ? CurrentSlot() : kNoRecord);
    remaining_ = bodyHeight_;
    pageHasBands_ = false;
    if (layout_.pageHeader >= 0) {
        Fire(report_.Sections()[layout_.pageHeader]->Format);
        CaptureCaptions(true);
    }
    // Headers of the groups that go on from the page before.
    for (size_t g = 0; g < repeatGroups; ++g) {
        const int header = layout_.groupHeaders[g];
        if (!report_.Sections()[header]->RepeatOnEveryPage())
            continue;
        Fire(report_.Sections()[header]->Format);
        pages_.AddBand(groupStart_[g], static_cast<uint16_t>(header));
        remaining_ -= Height(header);
    }
}

void ReportRun::FinishPage()
{
    if (layout_.pageFooter >= 0)
        Fire(report_.Sections()[layout_.pageFooter]->Format);
    CaptureCaptions(false);
    pages_.EndPage(recordset_ && !recordset_->IsEOF() ? CurrentSlot() : kNoRecord);
}

void ReportRun::Place(int section, size_t repeatGroups, uint32_t slot)
{
    const int height = Height(section);
    // A section taller than an empty page still goes on one, cut at its foot.
    if (height > remaining_ && pageHasBands_) {
        FinishPage();
        StartPage(repeatGroups);
    }
    Fire(report_.Sections()[section]->BeforePrint);
    pages_.AddBand(slot, static_cast<uint16_t>(section));
    remaining_ -= height;
    pageHasBands_ = true;
}

void ReportRun::Fire(const std::function<void()>& handler)
{
    if (handler)
        handler();
}

void ReportRun::CaptureCaptions(bool pageHeader)
{
    const auto& start = pages_.StartCaptions();
    auto& onPage = pages_.Current().captions;
    uint32_t index = 0;
    const auto& sections = report_.Sections();
    for (size_t s = 0; s < sections.size(); ++s) {
        const bool isHeader = static_cast<int>(s) == layout_.pageHeader;
        for (const ReportControl& control : sections[s]->Controls()) {
            if (control.Kind() != ControlKind::Label)
                continue;
            if (isHeader == pageHeader && control.Caption() != start[index])
                onPage.push_back(CaptionOnPage{index, control.Caption()});
            ++index;
        }
    }
}

uint32_t ReportRun::CurrentSlot() const
{
    return recordset_->GetCursor()->State().slot;
}

void ReportRun::Check(HRESULT hr, const char* what) const
{
    if (FAILED(hr))
        throw ReportError(hr, std::string("report: the recordset's ") + what + " failed");
}

int ReportRun::Height(int section) const
{
    return section < 0 ? 0 : report_.Sections()[section]->Height();
}

} // namespace hv::report
