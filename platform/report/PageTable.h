// The pages of one run, kept lean so that a run over a million records fits:
// per page only the bands it holds (a section and the record it shows) and
// the label captions that the run's handlers changed from those in force when
// the run started. A page is drawn from this alone, on demand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hv::report {

constexpr uint32_t kNoRecord = 0xFFFFFFFFu;

// One section placed in a page's body, showing the record in `slot`.
struct Band {
    uint32_t slot;
    uint16_t section;  // index in the report's order of sections
};

// A label's caption on one page, when it differs from the run's start.
struct CaptionOnPage {
    uint32_t label;  // index in the report's list of labels
    std::wstring caption;
};

struct PageEntry {
    uint32_t firstBand = 0;
    uint32_t bandCount = 0;
    uint32_t headerSlot = kNoRecord;  // the current record when the page header was formatted
    uint32_t footerSlot = kNoRecord;
    std::vector<CaptionOnPage> captions;
};

class PageTable {
public:
    void Clear();

    void BeginPage(uint32_t headerSlot);
    void AddBand(uint32_t slot, uint16_t section);
    void EndPage(uint32_t footerSlot);
    // The current (last begun) page.
    PageEntry& Current() { return pages_.back(); }

    size_t PageCount() const { return pages_.size(); }
    // Pages are numbered from 1.
    const PageEntry& Page(size_t number) const { return pages_[number - 1]; }
    const Band& BandAt(size_t index) const { return bands_[index]; }
    size_t BandCount() const { return bands_.size(); }

    // Label captions in force when the run started (after its start event).
    std::vector<std::wstring>& StartCaptions() { return startCaptions_; }
    const std::vector<std::wstring>& StartCaptions() const { return startCaptions_; }

private:
    std::vector<PageEntry> pages_;
    std::vector<Band> bands_;
    std::vector<std::wstring> startCaptions_;
};

} // namespace hv::report
