// Page bookkeeping of a run.
#include "PageTable.h"

namespace hv::report {

void PageTable::Clear()
{
    pages_.clear();
    bands_.clear();
    startCaptions_.clear();
}

void PageTable::BeginPage(uint32_t headerSlot)
{
    PageEntry page;
    page.firstBand = static_cast<uint32_t>(bands_.size());
    page.headerSlot = headerSlot;
    pages_.push_back(std::move(page));
}

void PageTable::AddBand(uint32_t slot, uint16_t section)
{
    bands_.push_back(Band{slot, section});
    ++pages_.back().bandCount;
}

void PageTable::EndPage(uint32_t footerSlot)
{
    pages_.back().footerSlot = footerSlot;
}

} // namespace hv::report
