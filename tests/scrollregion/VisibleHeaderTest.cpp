// Visible headers over a stand-in header item: width, the item's reference
// and the notices passed on to the region.
#include <windows.h>

#include "ChangeNotice.h"
#include "ChangePublisher.h"
#include "HvVisibleHeader.h"

#include <doctest/doctest.h>

#include <vector>

namespace {

struct FakeItem final : VisibleHeaderSubject, ChangePublisher {
    void AddRefHeader() override { ++refs; }
    void ReleaseHeader() override { --refs; }
    long Extent() override { return 180; }
    long OwnerStart() override { return 40; }
    ChangePublisher* Publisher() override { return this; }
    int KindCode() const override { return 0; }
    unsigned long AddRefPublisher() override { return 1; }
    unsigned long ReleasePublisher() override { return 1; }
    void Publish(DISPID what) { NotifySubscribers(what, 0); }
    int refs = 0;
};

struct FakeRegion final : ChangeSubscriber {
    void OnChange(const ChangeNotice* notice) override { heard.push_back(notice->what); }
    unsigned long AddRefSubscriber() override { return 1; }
    unsigned long ReleaseSubscriber() override { return 1; }
    std::vector<std::int32_t> heard;
};

} // namespace

TEST_CASE("a visible header measures from its owner's start and passes its item's notices to the region")
{
    FakeItem item;
    FakeRegion region;
    HvVisibleHeader* header = HvVisibleHeader::Create(&region, item);
    REQUIRE(header);
    CHECK(item.refs == 1);
    CHECK(header->Width() == 140);
    item.Publish(1056);
    CHECK(region.heard == std::vector<std::int32_t>{1056});
    CHECK(header->Release() == 0);
    CHECK(item.refs == 0);
    item.Publish(1127);
    CHECK(region.heard.size() == 1);
}
