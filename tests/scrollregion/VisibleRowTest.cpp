// Visible-row entries over stand-in rows and bands: the alternate-row rule,
// headers drawn above a row, shared borders and the list's ownership.
#include "HvVisibleRow.h"

#include <doctest/doctest.h>

#include <memory>
#include <vector>

namespace {

struct FakeBand final : VisibleRowBand {
    long headerHeight = 0;
    bool thin = false;
    long HeaderHeight() override { return headerHeight; }
    bool IsRowBorderThin() override { return thin; }
};

struct FakeRow final : VisibleRowSubject {
    FakeRow(FakeBand& band, FakeRow* parent, long position) : band_(band), parent_(parent), position_(position) {}
    void AddRefRow() override { ++refs; }
    void ReleaseRow() override { --refs; }
    VisibleRowBand* Band() override { return &band_; }
    VisibleRowSubject* ParentRow() override { return parent_; }
    long Height() override { return 18; }
    long TotalHeight() override { return 20; }
    long PositionInRowList() override { return position_; }
    int refs = 0;

private:
    FakeBand& band_;
    FakeRow* parent_;
    long position_;
};

// Parents P0, P1 of band A; children of band B under P0.
struct Tree {
    FakeBand a, b;
    FakeRow p0{a, nullptr, 0}, p1{a, nullptr, 1}, p2{a, nullptr, 2};
    FakeRow c0{b, &p0, 0}, c1{b, &p0, 1};
};

} // namespace

TEST_CASE("consecutive rows of one band and parent alternate, whatever child rows lie between them")
{
    // The order in which the elements ask must not change the answers.
    const std::vector<std::vector<int>> orders = {{0, 1, 2, 3, 4}, {4, 3, 2, 1, 0}, {3, 0, 4, 1, 2}};
    for (const auto& order : orders) {
        Tree tree;
        HvVisibleRowList list;
        FakeRow* shown[] = {&tree.p0, &tree.c0, &tree.c1, &tree.p1, &tree.p2};
        std::vector<HvVisibleRow*> entries;
        for (FakeRow* row : shown) {
            entries.push_back(HvVisibleRow::Create(list, *row, nullptr));
            list.Append(entries.back());
        }
        std::vector<bool> answers(5);
        for (int i : order)
            answers[static_cast<size_t>(i)] = entries[static_cast<size_t>(i)]->IsAlternate();
        CHECK(answers[0] != answers[3]);
        CHECK(answers[3] != answers[4]);
        CHECK(answers[1] != answers[2]);
        CHECK(answers[0] == false);
        CHECK(entries[3]->index == 3);
    }
}

TEST_CASE("a row with its band's headers above it is moved down and grown by the header height")
{
    Tree tree;
    tree.a.headerHeight = 16;
    HvVisibleRowList list;
    HvVisibleRow* entry = HvVisibleRow::Create(list, tree.p0, nullptr);
    list.Append(entry);
    entry->top = 30;
    CHECK(entry->GetTop(false) == 30);
    CHECK(entry->GetHeight(false) == 20);
    entry->headersAbove = true;
    CHECK(entry->GetTop(false) == 46);
    CHECK(entry->GetHeight(false) == 36);
}

TEST_CASE("thin row borders are shared with the row above only when the view style marks it")
{
    Tree tree;
    tree.a.thin = true;
    HvVisibleRowList list;
    HvVisibleRow* first = HvVisibleRow::Create(list, tree.p0, nullptr);
    HvVisibleRow* second = HvVisibleRow::Create(list, tree.p1, nullptr);
    list.Append(first);
    list.Append(second);
    first->sharedBorderFlags = second->sharedBorderFlags = HvVisibleRow::SharedBorderLowBit;
    second->top = 20;
    CHECK_FALSE(first->SharesBorder());
    CHECK(second->SharesBorder());
    CHECK(second->GetTop(true) == 19);
    CHECK(second->GetHeight(true) == 19);
    tree.a.thin = false;
    CHECK_FALSE(second->SharesBorder());
    CHECK(first->IsFirstOfContent());
    CHECK_FALSE(second->IsFirstOfContent());
}

TEST_CASE("the list releases its entries, and entries their rows and parent entries")
{
    Tree tree;
    {
        HvVisibleRowList list;
        HvVisibleRow* parent = HvVisibleRow::Create(list, tree.p0, nullptr);
        list.Append(parent);
        HvVisibleRow* child = HvVisibleRow::Create(list, tree.c0, parent);
        list.Append(child);
        child->AddRef(); // a client still holds the child
        CHECK(tree.p0.refs == 1);
        list.Clear();
        CHECK(list.First() == nullptr);
        CHECK(tree.p0.refs == 1); // the child keeps its parent entry
        CHECK(child->Parent() == parent);
        child->Release();
        CHECK(tree.p0.refs == 0);
        CHECK(tree.c0.refs == 0);
        list.Append(HvVisibleRow::Create(list, tree.p1, nullptr));
    }
    CHECK(tree.p1.refs == 0);
}
