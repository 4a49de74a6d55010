// The two axes of the scroll-region tests as one interface, and a watcher
// of a collection's notices.
#pragma once

#include "RegionFakes.h"

#include "ChangeSubscriber.h"

#include <memory>
#include <vector>

struct ColAxis {
    using Collection = HvColScrollRegions;
    using Region = FakeColRegion;
    static constexpr DISPID OwnerId = 0x4A8;
    static constexpr long Category = 64;
    static constexpr const char* RemovedEvent = "BeforeColRegionRemoved";
    static constexpr const char* SizeEvent = "BeforeColRegionSize";
    static constexpr DISPID SizeEventId = 1026;
    static constexpr DISPID SplitEventId = 1027;
    static Collection* Of(RegionLayout& layout) { return layout.cols; }
    static Region* At(RegionLayout& layout, LONG i) { return layout.Col(i); }
    static short& Max(RegionLayout& layout) { return layout.maxCol; }
    static int Metric() { return GetSystemMetrics(SM_CXVSCROLL); }
};

struct RowAxis {
    using Collection = HvRowScrollRegions;
    using Region = FakeRowRegion;
    static constexpr DISPID OwnerId = 0x83B;
    static constexpr long Category = 128;
    static constexpr const char* RemovedEvent = "BeforeRowRegionRemoved";
    static constexpr const char* SizeEvent = "BeforeRowRegionSize";
    static constexpr DISPID SizeEventId = 1040;
    static constexpr DISPID SplitEventId = 1041;
    static Collection* Of(RegionLayout& layout) { return layout.rows; }
    static Region* At(RegionLayout& layout, LONG i) { return layout.Row(i); }
    static short& Max(RegionLayout& layout) { return layout.maxRow; }
    static int Metric() { return GetSystemMetrics(SM_CYHSCROLL); }
};

// Records the notices of one publisher: what, and the inner notice's what.
class Watcher final : public ChangeSubscriber {
public:
    explicit Watcher(ChangePublisher* publisher) : link_(this) { link_.RelinkSubscription(publisher); }
    ~Watcher() { link_.Unlink(); }
    void OnChange(const ChangeNotice* notice) override
    {
        const auto* inner = reinterpret_cast<const ChangeNotice*>(notice->argument);
        heard.emplace_back(notice->what, inner ? inner->what : 0);
    }
    unsigned long AddRefSubscriber() override { return 1; }
    unsigned long ReleaseSubscriber() override { return 1; }

    std::vector<std::pair<std::int32_t, std::int32_t>> heard;

private:
    SubscriptionLink link_;
};

// A layout with both collections whose axis collection holds regions of the
// given extents, laid side by side with the splitter bar between them.
template <class Axis>
void GiveRegions(RegionLayout& layout, std::vector<long> extents)
{
    auto* collection = Axis::Of(layout);
    while (collection->ItemCount() < static_cast<LONG>(extents.size())) {
        ScrollRegionItem* made = nullptr;
        Axis::At(layout, collection->ItemCount() - 1)->Split(nullptr, &made);
        made->ReleaseItem();
    }
    long origin = 0;
    for (size_t i = 0; i < extents.size(); ++i) {
        RegionState& state = Axis::At(layout, static_cast<LONG>(i))->state;
        state.origin = origin;
        state.extent = extents[i];
        state.splitSizes.clear();
        origin += extents[i] + 7;
    }
}
