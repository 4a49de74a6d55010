// The column and row scroll regions of a stand-alone layout: settings and
// their validation, hiding, splitting, scroll actions and stream records.
#include "LayoutTestSupport.h"

#include "HvColScrollRegion.h"
#include "HvColScrollRegions.h"
#include "HvRowScrollRegion.h"
#include "HvRowScrollRegions.h"
#include "ScrollRegionParts.h"

#include <doctest/doctest.h>

#include <cstring>
#include <vector>

namespace {

constexpr HRESULT kCantHideLast = static_cast<HRESULT>(0x800A9C5F);
constexpr HRESULT kTooSmall = static_cast<HRESULT>(0x800A9C60);
constexpr HRESULT kNoRoom = static_cast<HRESULT>(0x800A9C6D);
constexpr HRESULT kMaxRows = static_cast<HRESULT>(0x800A9C6B);

// A layout with the display's region makers installed.
struct RegionLayout {
    RegionLayout()
    {
        InstallScrollRegionParts();
        layout = std::make_unique<LayoutRef>();
    }
    HvColScrollRegion* Col(long index)
    {
        IHvColScrollRegion* item = nullptr;
        REQUIRE((*layout)->ColScrollRegions()->get_Item(index, &item) == S_OK);
        auto* region = static_cast<HvColScrollRegion*>(item);
        item->Release();
        return region;
    }
    HvRowScrollRegion* Row(long index)
    {
        IHvRowScrollRegion* item = nullptr;
        REQUIRE((*layout)->RowScrollRegions()->get_Item(index, &item) == S_OK);
        auto* region = static_cast<HvRowScrollRegion*>(item);
        item->Release();
        return region;
    }
    std::unique_ptr<LayoutRef> layout;
};

VARIANT Long(long value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

VARIANT Single(float value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_R4;
    V_R4(&v) = value;
    return v;
}

IStream* MakeStream()
{
    IStream* stream = nullptr;
    REQUIRE(CreateStreamOnHGlobal(nullptr, TRUE, &stream) == S_OK);
    return stream;
}

std::vector<BYTE> Bytes(IStream* stream)
{
    STATSTG stat{};
    REQUIRE(stream->Stat(&stat, STATFLAG_NONAME) == S_OK);
    std::vector<BYTE> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    if (!bytes.empty())
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    return bytes;
}

} // namespace

TEST_CASE("a new layout gets one column and one row region from the display's makers")
{
    RegionLayout grid;
    CHECK((*grid.layout)->ColScrollRegions()->ItemCount() == 1);
    CHECK((*grid.layout)->RowScrollRegions()->ItemCount() == 1);
    IDispatch* col = static_cast<IHvColScrollRegion*>(grid.Col(0));
    IDispatch* row = static_cast<IHvRowScrollRegion*>(grid.Row(0));
    CHECK(GetLong(col, L"ScrollBar") == 0);
    CHECK(GetLong(row, L"SizingMode") == 0);
    VARIANT hidden;
    REQUIRE(LateGet(row, L"Hidden", &hidden).hr == S_OK);
    CHECK(V_BOOL(&hidden) == VARIANT_FALSE);
}

TEST_CASE("ScrollBar and SizingMode: accepted values notify once, others are invalid property values")
{
    RegionLayout grid;
    struct Case {
        const wchar_t* name;
        long value;
        HRESULT expected;
        DISPID notice;
    };
    const Case cases[] = {
        {L"ScrollBar", 3, S_OK, 0x444},         {L"ScrollBar", 3, S_OK, 0},
        {L"ScrollBar", 4, kInvalidValue, 0},    {L"ScrollBar", -1, kInvalidValue, 0},
        {L"SizingMode", 1, S_OK, 0x443},        {L"SizingMode", 2, kInvalidValue, 0},
    };
    for (IDispatch* region : {static_cast<IDispatch*>(static_cast<IHvColScrollRegion*>(grid.Col(0))),
                              static_cast<IDispatch*>(static_cast<IHvRowScrollRegion*>(grid.Row(0)))}) {
        NoticeRecorder recorder;
        recorder.Watch(dynamic_cast<ChangePublisher*>(static_cast<IHvBase*>(region)));
        for (const Case& c : cases) {
            CAPTURE(std::string(c.name, c.name + wcslen(c.name)));
            CAPTURE(c.value);
            recorder.Clear();
            const LateResult result = LatePut(region, c.name, Long(c.value));
            CHECK(result.hr == c.expected);
            if (c.notice) {
                REQUIRE(recorder.notices.size() == 1);
                CHECK(recorder.notices[0].what == c.notice);
            } else {
                CHECK(recorder.notices.empty());
            }
        }
        CHECK(GetLong(region, L"ScrollBar") == 3);
        CHECK(GetLong(region, L"SizingMode") == 1);
    }
}

TEST_CASE("Hidden: the last visible region stays, a split leaves one to hide")
{
    RegionLayout grid;
    HvRowScrollRegion* row = grid.Row(0);
    VARIANT yes;
    VariantInit(&yes);
    V_VT(&yes) = VT_BOOL;
    V_BOOL(&yes) = VARIANT_TRUE;
    const LateResult refused = LatePut(static_cast<IHvRowScrollRegion*>(row), L"Hidden", yes);
    CHECK(refused.hr == kCantHideLast);
    CHECK(refused.description == L"Can't hide the last visible row or col scroll region.");
    CHECK_FALSE(row->IsHidden());

    HvColScrollRegion* col = grid.Col(0);
    CHECK(LatePut(static_cast<IHvColScrollRegion*>(col), L"Hidden", yes).hr == kCantHideLast);

    row->SetOriginExtent(0, 200, false, false);
    IHvRowScrollRegion* made = nullptr;
    REQUIRE(row->Split(Missing(), &made) == S_OK);
    REQUIRE(made);
    CHECK(LatePut(static_cast<IHvRowScrollRegion*>(row), L"Hidden", yes).hr == S_OK);
    CHECK(row->IsHidden());
    NoticeRecorder recorder;
    recorder.Watch(row);
    CHECK(LatePut(static_cast<IHvRowScrollRegion*>(row), L"Hidden", yes).hr == S_OK);
    CHECK(recorder.notices.empty());
    // The other one is now the last visible region.
    CHECK(made->put_Hidden(VARIANT_TRUE) == kCantHideLast);
    made->Release();
}

TEST_CASE("Split: shares of the region less the splitter, the new region first and taking the odd pixel")
{
    struct Case {
        long extent;
        bool given;
        float size; // pixels: the stand-alone layout's units are pixels
        HRESULT expected;
        long newShare;
        long ownShare;
    };
    const Case cases[] = {
        {20, false, 0, S_OK, 7, 6},         // no size: (20 - 7) split, the new region gets the larger half
        {100, true, 30, S_OK, 30, 63},      // a size: that much for the new region
        {40, true, 33, S_OK, 17, 16},       // leaves no more than the splitter: even
        {40, true, 34, kNoRoom, 0, 0},      // size plus splitter past the extent
        {8, false, 0, kTooSmall, 0, 0},     // a share below 1
        {100, true, -1, E_INVALIDARG, 0, 0},
    };
    for (const Case& c : cases) {
        CAPTURE(c.extent);
        CAPTURE(c.size);
        RegionLayout grid;
        const double unitsPerPixel = (*grid.layout)->PixelsToUnitsX(1000) / 1000.0;
        for (int axis = 0; axis < 2; ++axis) {
            CAPTURE(axis);
            ScrollRegionItem* region = axis == 0 ? static_cast<ScrollRegionItem*>(grid.Col(0))
                                                 : static_cast<ScrollRegionItem*>(grid.Row(0));
            region->SetOriginExtent(10, c.extent, false, false);
            VARIANT size = c.given ? Single(static_cast<float>(c.size * unitsPerPixel)) : Missing();
            IDispatch* made = nullptr;
            HRESULT hr = axis == 0 ? grid.Col(0)->Split(size, reinterpret_cast<IHvColScrollRegion**>(&made))
                                   : grid.Row(0)->Split(size, reinterpret_cast<IHvRowScrollRegion**>(&made));
            CHECK(hr == c.expected);
            if (FAILED(hr)) {
                CHECK(made == nullptr);
                CHECK(region->Extent() == c.extent);
                continue;
            }
            REQUIRE(made);
            ScrollRegionItem* first = axis == 0 ? static_cast<ScrollRegionItem*>(grid.Col(0))
                                                : static_cast<ScrollRegionItem*>(grid.Row(0));
            CHECK(first != region);
            CHECK(first->Origin() == 10);
            CHECK(first->Extent() == c.newShare);
            CHECK(region->Origin() == 10 + c.newShare + 7);
            CHECK(region->Extent() == c.ownShare);
            made->Release();
        }
    }
}

TEST_CASE("Split stops at MaxRowScrollRegions")
{
    RegionLayout grid;
    REQUIRE((*grid.layout)->put_MaxRowScrollRegions(1) == S_OK);
    grid.Row(0)->SetOriginExtent(0, 200, false, false);
    IHvRowScrollRegion* made = nullptr;
    CHECK(grid.Row(0)->Split(Missing(), &made) == kMaxRows);
    CHECK(made == nullptr);
    CHECK((*grid.layout)->RowScrollRegions()->ItemCount() == 1);
}

TEST_CASE("Scroll accepts the line, page and end actions only")
{
    RegionLayout grid;
    for (long action : {0L, 1L, 2L, 3L, 6L, 7L}) {
        CAPTURE(action);
        CHECK(grid.Row(0)->Scroll(static_cast<Constants_RowScrollAction>(action)) == S_OK);
        CHECK(grid.Col(0)->Scroll(static_cast<Constants_ColScrollAction>(action)) == S_OK);
    }
    CHECK(grid.Row(0)->LastScrollAction() == 8);
    for (long action : {4L, 5L, 8L, -1L, 100L}) {
        CAPTURE(action);
        CHECK(grid.Row(0)->Scroll(static_cast<Constants_RowScrollAction>(action)) == E_INVALIDARG);
        CHECK(grid.Col(0)->Scroll(static_cast<Constants_ColScrollAction>(action)) == E_INVALIDARG);
    }
}

TEST_CASE("Position stays within the range; Width and Height refuse negative values")
{
    RegionLayout grid;
    HvColScrollRegion* col = grid.Col(0);
    col->SetOriginExtent(0, 300, false, false);
    CHECK(LatePut(static_cast<IHvColScrollRegion*>(col), L"Position", Single(-1)).hr == kInvalidValue);
    float range = -1;
    REQUIRE(col->get_Range(&range) == S_OK);
    CHECK(range >= 0);
    CHECK(LatePut(static_cast<IHvColScrollRegion*>(col), L"Position", Single(range + 1000)).hr == kInvalidValue);
    CHECK(LatePut(static_cast<IHvColScrollRegion*>(col), L"Width", Single(-1)).hr == kInvalidValue);
    CHECK(LatePut(static_cast<IHvRowScrollRegion*>(grid.Row(0)), L"Height", Single(-1)).hr == kInvalidValue);
    CHECK(col->get_Width(nullptr) == E_INVALIDARG);
}

TEST_CASE("row region record: marker 100, height and top in twips, settings; other markers fail")
{
    RegionLayout grid;
    HvRowScrollRegion* row = grid.Row(0);
    row->SetOriginExtent(48, 96, false, false);
    REQUIRE(row->put_ScrollBar(hvScrollBarHide) == S_OK);
    REQUIRE(row->put_SizingMode(hvSizingModeFixed) == S_OK);
    IStream* stream = MakeStream();
    REQUIRE(row->Save(stream, 0) == S_OK);
    std::vector<BYTE> bytes = Bytes(stream);
    REQUIRE(bytes.size() == 16);
    LONG numbers[3] = {};
    memcpy(numbers, bytes.data(), sizeof numbers);
    CHECK(numbers[0] == 100);
    const LONG dpi = (*grid.layout)->FixedUnitsToPixelsY(1440);
    CHECK(numbers[1] == 96 * 1440 / dpi);
    CHECK(numbers[2] == 48 * 1440 / dpi);
    CHECK(bytes[12] == 0x13);
    CHECK(bytes[13] == 0);

    RegionLayout other;
    HvRowScrollRegion* loaded = other.Row(0);
    REQUIRE(loaded->Load(stream, 0) == S_OK);
    CHECK(loaded->Extent() == 96);
    CHECK(loaded->Origin() == 48);
    CHECK(loaded->ScrollBarSetting() == 3);
    CHECK(loaded->SizingMode() == 1);
    CHECK(loaded->HasDataForCategories(128));
    CHECK_FALSE(loaded->HasDataForCategories(64));
    stream->Release();

    // 1440 twips load as one inch of pixels; a wrong marker or a short record fails.
    IStream* inch = MakeStream();
    const LONG record[3] = {100, 1440, 0};
    const BYTE tail[4] = {};
    inch->Write(record, sizeof record, nullptr);
    inch->Write(tail, sizeof tail, nullptr);
    LARGE_INTEGER zero{};
    inch->Seek(zero, STREAM_SEEK_SET, nullptr);
    REQUIRE(loaded->Load(inch, 0) == S_OK);
    CHECK(loaded->Extent() == dpi);
    inch->Release();

    IStream* wrong = MakeStream();
    const LONG bad[4] = {101, 1440, 0, 0};
    wrong->Write(bad, sizeof bad, nullptr);
    wrong->Seek(zero, STREAM_SEEK_SET, nullptr);
    CHECK(loaded->Load(wrong, 0) == E_FAIL);
    wrong->Release();

    IStream* shortRecord = MakeStream();
    shortRecord->Write(record, 8, nullptr);
    shortRecord->Seek(zero, STREAM_SEEK_SET, nullptr);
    CHECK(FAILED(loaded->Load(shortRecord, 0)));
    CHECK(loaded->Extent() == dpi);
    shortRecord->Release();
}

TEST_CASE("column region record: 30 bytes carrying the identifier that names the region")
{
    RegionLayout grid;
    HvColScrollRegion* col = grid.Col(0);
    CHECK_FALSE(col->HasDataForCategories(4));
    const BYTE* id = col->IdentityBlock();
    BYTE copy[16];
    memcpy(copy, id, sizeof copy);
    CHECK(col->IdentityBlock() == id);
    CHECK(col->HasDataForCategories(4));
    CHECK(col->MatchesId(copy));
    col->SetOriginExtent(0, 120, false, false);
    IStream* stream = MakeStream();
    REQUIRE(col->Save(stream, 0) == S_OK);
    std::vector<BYTE> bytes = Bytes(stream);
    REQUIRE(bytes.size() == 30);
    CHECK(memcmp(bytes.data() + 12, copy, 16) == 0);
    CHECK(bytes[29] == 4);

    RegionLayout other;
    HvColScrollRegion* loaded = other.Col(0);
    REQUIRE(loaded->Load(stream, 0) == S_OK);
    CHECK(loaded->MatchesId(copy));
    CHECK(loaded->Extent() == 120);
    stream->Release();

    IStream* wrong = MakeStream();
    std::vector<BYTE> bad = bytes;
    bad[0] = 99;
    wrong->Write(bad.data(), static_cast<ULONG>(bad.size()), nullptr);
    LARGE_INTEGER zero{};
    wrong->Seek(zero, STREAM_SEEK_SET, nullptr);
    CHECK(loaded->Load(wrong, 0) == E_FAIL);
    wrong->Release();
}

TEST_CASE("a dead region answers 'no longer active'")
{
    RegionLayout grid;
    HvRowScrollRegion* row = grid.Row(0);
    row->AddRef();
    CAutomationObject::Deactivate(row);
    VARIANT_BOOL hidden = VARIANT_FALSE;
    CHECK(row->get_Hidden(&hidden) == kNotActive);
    CHECK(row->put_ScrollBar(hvScrollBarShow) == kNotActive);
    IHvRowScrollRegion* made = nullptr;
    CHECK(row->Split(Missing(), &made) == kNotActive);
    row->Release();
}
