// A band's Groups: adding with key, index and caption through late
// binding, removal that empties the group, notices, and the copy.
#include <doctest/doctest.h>

#include "CollectionsTestSupport.h"
#include "LayoutCategories.h"

namespace {

struct GroupsFixture {
    GroupsFixture() { band->AddColumns(2, 1); }
    ~GroupsFixture() { band->Release(); }
    GroupsFixture(const GroupsFixture&) = delete;
    GroupsFixture& operator=(const GroupsFixture&) = delete;

    HvGroups* Groups() { return band->GetGroups(true); }
    FakeGroup* GroupAt(LONG position) { return static_cast<FakeGroup*>(Groups()->GroupAt(position)); }
    // Adds a group through the dispatch method; S_OK or the failure.
    HRESULT Add(const wchar_t* key, LONG value = 0)
    {
        Text text(key);
        VARIANT none = MissingArg();
        IHvGroup* added = nullptr;
        HRESULT hr = Groups()->Add(text.v, none, none, &added);
        if (added) {
            dynamic_cast<FakeGroup*>(HvKeyedItem::FromObject(added))->value = value;
            added->Release();
        }
        return hr;
    }
    std::string Keys()
    {
        std::string text;
        for (LONG i = 0; i < Groups()->ItemCount(); ++i)
            text += (i ? " " : "") + std::string(GroupAt(i)->key.c_str());
        return text;
    }

    FakeBand* band = FakeBand::Create(nullptr, nullptr, nullptr, nullptr);
};

} // namespace

TEST_CASE("Groups.Add with optional key, index and caption")
{
    GroupsFixture f;
    const int before = FakeGroup::live;
    Ref<IDispatch> groups(Dispatch(f.Groups()));
    NoticeLog log(f.Groups());
    LateResult r;
    LateCall(groups.Get(), L"Add", {}, r);
    CHECK(r.hr == S_OK);
    Text g1(L"G1");
    Text caption(L"Grupo");
    LateCall(groups.Get(), L"Add", {g1.v, MissingArg(), caption.v}, r);
    CHECK(r.hr == S_OK);
    CHECK(f.GroupAt(1)->caption == L"Grupo");
    Text g0(L"G0");
    LateCall(groups.Get(), L"Add", {g0.v, Int(0)}, r);
    CHECK(KeyOfResult(r) == "G0");
    CHECK(f.Keys() == "G0  G1");
    CHECK(log.what == std::vector<std::int32_t>{2001, 2001, 2001});
    CHECK(f.band->groupHeaders.size() == 3);

    Text upper(L"g1");
    LateCall(groups.Get(), L"Add", {upper.v}, r);
    CHECK(r.scode == static_cast<HRESULT>(0x800A797D));
    LateCall(groups.Get(), L"Add", {MissingArg(), Int(9)}, r);
    CHECK(r.scode == static_cast<HRESULT>(0x800AA21D));
    CHECK(r.description == L"Specified index is invalid");
    // The refused group left no header behind.
    CHECK(f.band->groupHeaders.size() == 3);
    CHECK(f.Keys() == "G0  G1");

    // The band refuses the group's header: nothing is kept.
    f.band->appendGroupAnswer = E_INVALIDARG;
    LateCall(groups.Get(), L"Add", {}, r);
    CHECK(CodeOf(r) == E_INVALIDARG);
    CHECK(FakeGroup::live == before + 3);
    CHECK(f.Groups()->ItemCount() == 3);
}

TEST_CASE("removing a group empties it and ends it")
{
    GroupsFixture f;
    REQUIRE(f.Add(L"A") == S_OK);
    REQUIRE(f.Add(L"B") == S_OK);
    FakeGroup* a = f.GroupAt(0);
    VARIANT end = MissingArg();
    VARIANT level = Int(0);
    REQUIRE(f.band->ColumnAt(0)->JoinGroup(a, &end, &level) == S_OK);
    Ref<IDispatch> held(Dispatch(a));
    Ref<IDispatch> groups(Dispatch(f.Groups()));
    NoticeLog log(f.Groups());
    LateResult r;

    Text key(L"a");
    LateCall(groups.Get(), L"Remove", {key.v}, r);
    CHECK(r.hr == S_OK);
    CHECK(f.band->ColumnAt(0)->group == nullptr);
    CHECK_FALSE(CAutomationObject::IsActive(a));
    CHECK(f.band->groupHeaders.size() == 1);
    CHECK(log.what == std::vector<std::int32_t>{2002});

    // A failed Remove still tells the band.
    LateCall(groups.Get(), L"Remove", {Int(5)}, r);
    CHECK(r.scode == static_cast<HRESULT>(0x800AA21D));
    CHECK(log.what == std::vector<std::int32_t>{2002, 2002});

    LateCall(groups.Get(), L"Clear", {}, r);
    CHECK(r.hr == S_OK);
    CHECK(f.Groups()->ItemCount() == 0);
    CHECK(f.band->groupHeaders.empty());
    CHECK(log.what == std::vector<std::int32_t>{2002, 2002, -554});
}

TEST_CASE("a group's change reaches the band as a change of Groups")
{
    GroupsFixture f;
    REQUIRE(f.Add(L"A") == S_OK);
    NoticeLog log(f.Groups());
    f.GroupAt(0)->Change(1015);
    CHECK(log.what == std::vector<std::int32_t>{1044});
    CHECK(log.innerWhat == std::vector<std::int32_t>{1015});
}

TEST_CASE("copying another band's groups")
{
    GroupsFixture source;
    REQUIRE(source.Add(L"A", 1) == S_OK);
    REQUIRE(source.Add(L"B", 2) == S_OK);
    GroupsFixture f;
    REQUIRE(f.Add(L"Old") == S_OK);
    NoticeLog log(f.Groups());
    CHECK(f.Groups()->CopyFrom(*source.Groups(), 0) == S_OK);
    CHECK(f.Keys() == "A B");
    CHECK(f.GroupAt(1)->value == 2);
    CHECK(log.what.empty());
    CHECK_FALSE(f.Groups()->IsCopying());

    // A copy that fails half-way keeps what it made and publishes again.
    source.GroupAt(1)->value = -1;
    CHECK(f.Groups()->CopyFrom(*source.Groups(), 0) == E_FAIL);
    CHECK(f.Keys() == "A B");
    CHECK_FALSE(f.Groups()->IsCopying());
    REQUIRE(f.Add(L"C") == S_OK);
    CHECK(log.what == std::vector<std::int32_t>{2001});

    CHECK(f.Groups()->HasDataForCategories(GroupsCategory));
    CHECK(f.Groups()->HasDataForCategories(0));
    CHECK_FALSE(f.Groups()->HasDataForCategories(BandsCategory));
    CHECK_FALSE(source.band->GetGroups(true) == nullptr);
}

TEST_CASE("every group hears a LevelCount change")
{
    GroupsFixture f;
    REQUIRE(f.Add(L"A") == S_OK);
    REQUIRE(f.Add(L"B") == S_OK);
    REQUIRE(f.Add(L"C") == S_OK);
    CHECK_FALSE(f.Groups()->AnyGroupTest());
    f.GroupAt(0)->affected = true;
    CHECK(f.Groups()->AnyGroupTest());
    for (LONG i = 0; i < 3; ++i)
        CHECK(f.GroupAt(i)->removeAsked == 2);
}

TEST_CASE("a read-only Groups refuses clients")
{
    FakeBand* band = FakeBand::Create(nullptr, nullptr, nullptr, nullptr);
    HvGroups* groups = nullptr;
    REQUIRE(HvGroups::Create(band, true, &groups) == S_OK);
    Ref<IDispatch> dispatch(Dispatch(groups));
    groups->Release();
    LateResult r;
    LateCall(dispatch.Get(), L"Add", {}, r);
    CHECK(r.scode == static_cast<HRESULT>(0x800AA21A));
    CHECK(r.description == L"This collection is read-only.");
    LateCall(dispatch.Get(), L"Clear", {}, r);
    CHECK(r.hr == S_OK); // empty: nothing to refuse
    band->Release();
}
