// Arranging a group's columns by level around a header drop, over real
// columns and groups in a stand-in band: where dragged columns land, that
// they keep their order, that a column of another group stays where it is,
// that empty levels take drops, and that every reference is given back.
#include "ColumnFakes.h"

#include "HeaderArrangement.h"
#include "HvColumn.h"
#include "HvGroup.h"

#include <doctest/doctest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

ULONG RefCount(HvColumn* column)
{
    column->AddRef();
    return column->Release();
}

struct Fixture {
    TestLayout layout;
    TestBand band{layout};
    Ref<HvGroup> group{band.AddGroup(L"g")};
    Ref<HvGroup> other{band.AddGroup(L"other")};
    Ref<HvColumn> a{band.AddUnbound(L"a")};
    Ref<HvColumn> b{band.AddUnbound(L"b")};
    Ref<HvColumn> c{band.AddUnbound(L"c")};
    Ref<HvColumn> d{band.AddUnbound(L"d")};
    Ref<HvColumn> x{band.AddUnbound(L"x")};

    explicit Fixture(SHORT levels) { band.levelCount = levels; }

    void Join(HvGroup* into, HvColumn* column, SHORT level)
    {
        VARIANT levelValue = MakeI4(level);
        VARIANT position;
        VariantInit(&position);
        REQUIRE(column->JoinGroup(into, &position, &levelValue) == S_OK);
    }

    std::string Name(HvColumn* column)
    {
        const std::pair<HvColumn*, const char*> names[] = {
            {a.Get(), "a"}, {b.Get(), "b"}, {c.Get(), "c"}, {d.Get(), "d"}, {x.Get(), "x"}};
        for (const auto& [which, name] : names)
            if (which == column)
                return name;
        return "?";
    }

    std::string Arranged(const HeaderArrangement& arrangement)
    {
        auto columns = arrangement.GetArrangedColumns();
        REQUIRE(columns);
        std::string text;
        for (HvColumn* column : *columns)
            text += Name(column);
        return text;
    }

    HeaderDragTarget OnColumn(HvColumn* column, DWORD side)
    {
        HeaderDragTarget target;
        target.object = column;
        target.side = side;
        target.group = group.Get();
        return target;
    }
};

struct Released {
    HeaderArrangement* p;
    ~Released() { p->Release(); }
};

} // namespace

TEST_CASE("dragged columns land before or after the target column of their level")
{
    Fixture f(2);
    f.Join(f.group.Get(), f.a.Get(), 0);
    f.Join(f.group.Get(), f.b.Get(), 0);
    f.Join(f.group.Get(), f.c.Get(), 1);
    f.Join(f.group.Get(), f.d.Get(), 1);

    struct Case {
        const char* name;
        HvColumn* target;
        DWORD side;
        std::vector<HvColumn*> dragged;
        const char* arranged;
    };
    const Case cases[] = {
        {"after the last of a level appends to it", f.b.Get(), 1, {f.x.Get()}, "abxcd"},
        {"before the first of a level", f.c.Get(), 0, {f.x.Get()}, "abxcd"},
        {"a column moved within its level", f.a.Get(), 0, {f.b.Get()}, "bacd"},
        {"a column moved to the other level", f.d.Get(), 1, {f.a.Get()}, "bcda"},
        {"three columns keep their dragged order", f.c.Get(), 0, {f.d.Get(), f.a.Get(), f.b.Get()}, "dabc"},
    };
    for (const Case& test : cases) {
        CAPTURE(test.name);
        HeaderArrangement* arrangement = new HeaderArrangement(f.OnColumn(test.target, test.side), &test.dragged);
        Released hold{arrangement};
        CHECK(arrangement->IsValid());
        CHECK(f.Arranged(*arrangement) == test.arranged);
        HeaderArrangement::Position position;
        REQUIRE(arrangement->FindColumnPosition(test.dragged.front(), &position) == S_OK);
        CHECK(position.owner == f.group.Get());
    }
}

TEST_CASE("a dragged column of another group is not taken out of this group's levels")
{
    Fixture f(1);
    f.Join(f.group.Get(), f.a.Get(), 0);
    f.Join(f.group.Get(), f.b.Get(), 0);
    f.Join(f.other.Get(), f.c.Get(), 0);
    const std::vector<HvColumn*> dragged{f.c.Get()};
    HeaderArrangement* arrangement = new HeaderArrangement(f.OnColumn(f.a.Get(), 1), &dragged);
    Released hold{arrangement};
    CHECK(f.Arranged(*arrangement) == "acb");
    // Removing a column of the other group leaves the lists alone.
    CHECK(arrangement->RemoveColumn(f.d.Get()) == S_OK);
    f.Join(f.other.Get(), f.d.Get(), 0);
    CHECK(arrangement->RemoveColumn(f.d.Get()) == S_OK);
    CHECK(f.Arranged(*arrangement) == "acb");
}

TEST_CASE("a level without columns has an empty list that takes a drop")
{
    Fixture f(3);
    f.Join(f.group.Get(), f.a.Get(), 0);
    const std::vector<HvColumn*> dragged{f.x.Get()};
    HeaderDragTarget target;
    target.group = f.group.Get();
    target.level = 2;
    HeaderArrangement* arrangement = new HeaderArrangement(target, &dragged);
    Released hold{arrangement};
    REQUIRE(arrangement->Levels());
    CHECK(arrangement->Levels()->ListCount() == 3);
    HeaderArrangement::Position position;
    REQUIRE(arrangement->FindColumnPosition(f.x.Get(), &position) == S_OK);
    CHECK(position.level == 2);
    CHECK(position.index == 0);
    CHECK(f.Arranged(*arrangement) == "ax");

    SUBCASE("a group target drops at the start of level 0")
    {
        target.object = f.group.Get();
        REQUIRE(arrangement->Build(target) == S_OK);
        CHECK(f.Arranged(*arrangement) == "xa");
    }
    SUBCASE("an insertion into a level beyond the band fails")
    {
        CHECK(arrangement->InsertColumn(f.b.Get(), {0, 3, f.group.Get()}) == E_FAIL);
        CHECK(arrangement->InsertColumn(f.b.Get(), {0, -1, f.group.Get()}) == E_FAIL);
    }
    SUBCASE("a negative index counts back from the end of the level")
    {
        REQUIRE(arrangement->InsertColumn(f.b.Get(), {-1, 0, f.group.Get()}) == S_OK);
        CHECK(f.Arranged(*arrangement) == "bax");
    }
}

TEST_CASE("a stored level beyond the band's LevelCount counts as its last level: no list per stored level")
{
    Fixture f(2);
    f.Join(f.group.Get(), f.a.Get(), 0);
    f.Join(f.group.Get(), f.b.Get(), 1);
    // As a stored layout may give it.
    f.b->SetLevel(30000, false);
    REQUIRE(f.b->Level() == 30000);
    const std::vector<HvColumn*> dragged{f.x.Get()};
    HeaderDragTarget target;
    target.group = f.group.Get();
    target.level = 1;
    HeaderArrangement* arrangement = new HeaderArrangement(target, &dragged);
    Released hold{arrangement};
    REQUIRE(arrangement->Levels());
    CHECK(arrangement->Levels()->ListCount() == 2);
    HeaderArrangement::Position position;
    REQUIRE(arrangement->FindColumnPosition(f.b.Get(), &position) == S_OK);
    CHECK(position.level == 1);
    CHECK(f.Arranged(*arrangement) == "axb");
}

TEST_CASE("a target column outside the group leaves the arrangement built but not valid")
{
    Fixture f(1);
    f.Join(f.group.Get(), f.a.Get(), 0);
    const std::vector<HvColumn*> dragged{f.x.Get()};
    HeaderArrangement* arrangement = new HeaderArrangement(f.OnColumn(f.c.Get(), 0), &dragged);
    Released hold{arrangement};
    CHECK_FALSE(arrangement->IsValid());
    CHECK(f.Arranged(*arrangement) == "a");
}

TEST_CASE("an arrangement without group or dragged columns answers E_FAIL to everything")
{
    Fixture f(1);
    f.Join(f.group.Get(), f.a.Get(), 0);
    HeaderDragTarget target = f.OnColumn(f.a.Get(), 0);
    HeaderArrangement* arrangement = new HeaderArrangement(target, nullptr);
    Released hold{arrangement};
    HeaderArrangement::Position position{5, 5, f.group.Get()};
    CHECK(arrangement->FindColumnPosition(f.a.Get(), &position) == E_FAIL);
    CHECK(position.index == -1);
    CHECK(position.level == -1);
    CHECK(position.owner == nullptr);
    CHECK(arrangement->InsertColumn(f.a.Get(), {0, 0, f.group.Get()}) == E_FAIL);
    CHECK(arrangement->RemoveColumn(f.a.Get()) == E_FAIL);
    CHECK_FALSE(arrangement->GetArrangedColumns());
}

TEST_CASE("the level lists hold one reference per entry and give them all back")
{
    Fixture f(2);
    f.Join(f.group.Get(), f.a.Get(), 0);
    f.Join(f.group.Get(), f.b.Get(), 1);
    const ULONG before = RefCount(f.a.Get());
    const ULONG draggedBefore = RefCount(f.b.Get());
    const std::vector<HvColumn*> dragged{f.b.Get()};
    HeaderArrangement* arrangement = new HeaderArrangement(f.OnColumn(f.a.Get(), 0), &dragged);
    CHECK(RefCount(f.a.Get()) == before + 1);
    CHECK(RefCount(f.b.Get()) == draggedBefore + 1);
    arrangement->AddRef();
    CHECK(arrangement->Release() == 1);
    REQUIRE(arrangement->Build(f.OnColumn(f.a.Get(), 1)) == S_OK);
    CHECK(RefCount(f.a.Get()) == before + 1);
    arrangement->Release();
    CHECK(RefCount(f.a.Get()) == before);
    CHECK(RefCount(f.b.Get()) == draggedBefore);
}
