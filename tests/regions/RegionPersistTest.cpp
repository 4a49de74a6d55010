// The stream form of the scroll-region collections: byte-exact round trips,
// and damaged streams that fail without leaving a layout without a region.
#include "RegionTestSupport.h"

#include "ModelTestSupport.h"
#include "PropertyBagFake.h"

#include <doctest/doctest.h>

namespace {

template <class Axis>
std::vector<BYTE> Saved(RegionLayout& layout)
{
    Ref<IStream> stream(NewStream());
    REQUIRE(Axis::Of(layout)->Save(stream.Get(), 0) == S_OK);
    return StreamBytes(stream.Get());
}

void PutLong(std::vector<BYTE>& bytes, size_t at, LONG value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<size_t>(i)] = static_cast<BYTE>(value >> (8 * i));
}

} // namespace

TEST_CASE_TEMPLATE("the regions' stream form round-trips byte for byte", Axis, ColAxis, RowAxis)
{
    RegionLayout source;
    source.MakeCollections();
    GiveRegions<Axis>(source, {120, 80, 40});
    Axis::At(source, 1)->state.scrollBar = 2;
    Axis::At(source, 1)->state.sizing = 1;
    Axis::At(source, 2)->state.hidden = true;
    const std::vector<BYTE> bytes = Saved<Axis>(source);
    // Count, version, then each region's own record (11 bytes here).
    REQUIRE(bytes.size() == 8 + 3 * 11);
    CHECK(bytes[0] == 3);
    CHECK(bytes[4] == 100);

    RegionLayout target;
    target.MakeCollections();
    Watcher watcher(Axis::Of(target));
    auto* old = Axis::At(target, 0);
    old->AddRef();
    Ref<IStream> stream(NewStream(bytes));
    REQUIRE(Axis::Of(target)->Load(stream.Get(), 0) == S_OK);
    CHECK(Axis::Of(target)->ItemCount() == 3);
    CHECK(Saved<Axis>(target) == bytes);
    // The region it had is gone, and its watchers heard so.
    CHECK_FALSE(CAutomationObject::IsActive(old));
    REQUIRE(watcher.heard.size() == 1);
    CHECK(watcher.heard[0].first == 2002);
    old->Release();
}

TEST_CASE_TEMPLATE("a damaged stream fails and leaves one default region", Axis, ColAxis, RowAxis)
{
    RegionLayout source;
    source.MakeCollections();
    GiveRegions<Axis>(source, {120, 80});
    const std::vector<BYTE> good = Saved<Axis>(source);

    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
        bool fails;
    };
    std::vector<BYTE> truncated(good.begin(), good.end() - 3);
    // The last byte is the last region's hidden flag.
    std::vector<BYTE> badFlag = good;
    REQUIRE(good.size() == 30);
    badFlag[29] = 7;
    std::vector<BYTE> negative = good;
    PutLong(negative, 0, -1);
    std::vector<BYTE> huge = good;
    PutLong(huge, 0, 10001);
    std::vector<BYTE> empty(8, 0);
    empty[4] = 100;
    const Case cases[] = {{"truncated inside a region", truncated, true},
                          {"a region refuses its record", badFlag, true},
                          {"negative count", negative, true},
                          {"count above the limit", huge, true},
                          {"no bytes at all", {}, true},
                          {"count only", {2, 0, 0, 0}, true},
                          {"no regions", empty, false}};
    for (const Case& k : cases) {
        CAPTURE(k.name);
        RegionLayout target;
        target.MakeCollections();
        GiveRegions<Axis>(target, {10, 10, 10});
        Ref<IStream> stream(NewStream(k.bytes));
        const HRESULT hr = Axis::Of(target)->Load(stream.Get(), 0);
        CHECK(FAILED(hr) == k.fails);
        REQUIRE(Axis::Of(target)->ItemCount() == 1);
        auto* region = Axis::At(target, 0);
        CHECK(CAutomationObject::IsActive(region));
        CHECK(region->state.extent == 100); // a fresh region's settings
        CHECK(region->state.hidden == false);
    }
}

TEST_CASE_TEMPLATE("a property bag without the regions' entry leaves one region", Axis, ColAxis, RowAxis)
{
    RegionLayout source;
    source.MakeCollections();
    GiveRegions<Axis>(source, {120, 80});
    MemoryBag bag;
    REQUIRE(Axis::Of(source)->SaveToPropertyBag(&bag, L"Regions", 0) == S_OK);

    RegionLayout target;
    target.MakeCollections();
    CHECK(Axis::Of(target)->LoadFromPropertyBag(&bag, nullptr, L"Regions", 0) == S_OK);
    CHECK(Axis::Of(target)->ItemCount() == 2);
    CHECK(Saved<Axis>(target) == Saved<Axis>(source));

    CHECK(Axis::Of(target)->LoadFromPropertyBag(&bag, nullptr, L"Missing", 0) == S_OK);
    CHECK(Axis::Of(target)->ItemCount() == 1);
}
