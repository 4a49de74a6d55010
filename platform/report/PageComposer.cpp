// Page items from the page table, the definition and the records.
#include "PageComposer.h"

#include <string>

#include "PageGeometry.h"
#include "ValueText.h"

namespace hv::report {

using recordset::Table;

PageComposer::PageComposer(const Report& report, const recordset::Table* table)
    : report_(report), table_(table)
{
    uint32_t index = 0;
    for (const ReportControl* label : report_.Labels())
        labelIndex_[label] = index++;
}

PageModel PageComposer::Compose(long page)
{
    items_.clear();
    const PageTable& pages = report_.Pages();
    if (page < 1 || static_cast<size_t>(page) > pages.PageCount())
        return {};
    page_ = &pages.Page(static_cast<size_t>(page));
    pageNumber_ = page;
    const Report::Layout& layout = report_.Arrangement();
    int top = kPageMargin;
    if (layout.pageHeader >= 0) {
        AddSection(layout.pageHeader, top, page_->headerSlot);
        top += report_.Sections()[layout.pageHeader]->Height();
    }
    for (uint32_t b = 0; b < page_->bandCount; ++b) {
        const Band& band = pages.BandAt(page_->firstBand + b);
        AddSection(band.section, top, band.slot);
        top += report_.Sections()[band.section]->Height();
    }
    if (layout.pageFooter >= 0) {
        const int height = report_.Sections()[layout.pageFooter]->Height();
        AddSection(layout.pageFooter, kPageHeight - kPageMargin - height, page_->footerSlot);
    }
    return std::move(items_);
}

void PageComposer::AddSection(int section, int top, uint32_t slot)
{
    for (const ReportControl& control : report_.Sections()[section]->Controls())
        items_.push_back(MakeItem(control, kPageMargin, top, slot));
}

PageItem PageComposer::MakeItem(const ReportControl& control, int left, int top, uint32_t slot)
{
    PageItem item;
    item.kind = control.Kind();
    item.name = control.Name();
    item.box = control.Place();
    item.box.left += left;
    item.box.top += top;
    item.style = control.Style();
    item.thickness = control.Thickness();
    item.picture = control.Image();
    if (control.Kind() == ControlKind::Label) {
        const auto found = labelIndex_.find(&control);
        item.text = found == labelIndex_.end() ? control.Caption() : CaptionOf(found->second);
    } else if (control.Kind() == ControlKind::Field) {
        item.text = FieldText(control, slot);
    }
    return item;
}

std::wstring PageComposer::FieldText(const ReportControl& control, uint32_t slot)
{
    switch (control.ShowsPage()) {
    case PageValue::PageNumber:
        return std::to_wstring(pageNumber_);
    case PageValue::PageCount:
        return std::to_wstring(report_.PageCount());
    case PageValue::None:
        break;
    }
    if (!table_ || slot == kNoRecord || slot >= table_->SlotCount() || control.DataField().empty())
        return {};
    auto found = fieldIndex_.find(&control);
    if (found == fieldIndex_.end())
        found = fieldIndex_.emplace(&control, table_->FindField(control.DataField())).first;
    const size_t field = found->second;
    if (field == Table::npos)
        return {};
    return ValueText(table_->GetCell(slot, field), table_->FieldAt(field).Type(), control.Format());
}

std::wstring PageComposer::CaptionOf(uint32_t label) const
{
    for (const CaptionOnPage& changed : page_->captions)
        if (changed.label == label)
            return changed.caption;
    return report_.Pages().StartCaptions()[label];
}

} // namespace hv::report
