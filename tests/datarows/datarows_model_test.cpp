// The row data model: shared rows, batches, preloaded lists, child lists,
// hidden rows, siblings across child bands and count estimates, against the
// in-memory recordset (leaks checked through its row and chapter counters).
#include <doctest/doctest.h>

#include "BandRowBinding.h"
#include "ChildRowList.h"
#include "ColumnInfo.h"
#include "Recordset.h"
#include "RootRowList.h"
#include "RootRowsetBinding.h"
#include "RowBatch.h"
#include "RowData.h"
#include "RowRecordStore.h"

#include <oledberr.h>

#include <string>
#include <vector>

using namespace hv::recordset;

namespace {

VARIANT Num(double d)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_R8;
    V_R8(&v) = d;
    return v;
}

double NumberOf(RowData* row, DBORDINAL ordinal)
{
    VARIANT v;
    VariantInit(&v);
    REQUIRE(row->GetValue(ordinal, &v) == S_OK);
    REQUIRE(VariantChangeType(&v, &v, 0, VT_R8) == S_OK);
    return V_R8(&v);
}

// Orders (ID, ITEMS chapter at 2, NOTES chapter at 3) with items and notes
// keyed by order id.
struct Tree {
    Recordset items, notes, orders;
    Tree(int orderCount, std::vector<std::pair<int, int>> itemRows, std::vector<std::pair<int, int>> noteRows)
    {
        for (Recordset* rs : {&items, &notes}) {
            REQUIRE(rs->AppendField(L"ORDER_ID", FieldType::Double) == S_OK);
            REQUIRE(rs->AppendField(L"QTY", FieldType::Double) == S_OK);
            REQUIRE(rs->Open() == S_OK);
        }
        auto fill = [](Recordset& rs, const std::vector<std::pair<int, int>>& rows) {
            for (auto [order, qty] : rows) {
                REQUIRE(rs.AddNew() == S_OK);
                REQUIRE(rs.SetValue(L"ORDER_ID", Num(order)) == S_OK);
                REQUIRE(rs.SetValue(L"QTY", Num(qty)) == S_OK);
            }
            if (!rows.empty())
                REQUIRE(rs.Update() == S_OK);
        };
        fill(items, itemRows);
        fill(notes, noteRows);
        REQUIRE(orders.AppendField(L"ID", FieldType::Double) == S_OK);
        REQUIRE(orders.AppendChapter(L"ITEMS", items, L"id", L"order_id") == S_OK);
        REQUIRE(orders.AppendChapter(L"NOTES", notes, L"id", L"order_id") == S_OK);
        REQUIRE(orders.Open() == S_OK);
        for (int id = 1; id <= orderCount; ++id) {
            REQUIRE(orders.AddNew() == S_OK);
            REQUIRE(orders.SetValue(L"ID", Num(id)) == S_OK);
        }
        if (orderCount)
            REQUIRE(orders.Update() == S_OK);
    }
    long Leaks() const
    {
        long total = 0;
        for (const Recordset* rs : {&items, &notes, &orders})
            total += rs->GetTable()->Switches().OutstandingRowRefs() +
                     rs->GetTable()->Switches().OutstandingChapterRefs();
        return total;
    }
};

// A root binding over a tree with the row model installed on every binding.
struct Model {
    RootRowsetBinding* root;
    std::unique_ptr<BandRowBinding> top, itemBand, noteBand;
    RowsetBinding* itemsBinding = nullptr;
    RowsetBinding* notesBinding = nullptr;

    Model(Recordset& rs, LONG fetchRows, bool designMode = false)
        : root(new RootRowsetBinding(nullptr, designMode, true))
    {
        IUnknown* source = nullptr;
        REQUIRE(rs.GetDataSource(&source) == S_OK);
        REQUIRE(root->OpenDataMember(source, L"") == S_OK);
        source->Release();
        top = std::make_unique<BandRowBinding>(*root);
        top->Configure(false, false, fetchRows);
        if (ColumnInfo* c = root->GetColumn(2); c && c->GetChildBinding()) {
            itemsBinding = c->GetChildBinding();
            itemBand = std::make_unique<BandRowBinding>(*itemsBinding);
            itemBand->Configure(false, false, fetchRows);
        }
        if (ColumnInfo* c = root->GetColumn(3); c && c->GetChildBinding()) {
            notesBinding = c->GetChildBinding();
            noteBand = std::make_unique<BandRowBinding>(*notesBinding);
            noteBand->Configure(false, false, fetchRows);
        }
    }
    ~Model()
    {
        top->ReleaseHeldRows();
        noteBand.reset();
        itemBand.reset();
        top.reset();
        root->Close();
        root->Release();
    }
    RootRowList& List() { return *top->Rows().TopLevelList(); }
    RowData* FirstRow()
    {
        RowBatch batch(root, nullptr, ChapterHandle(root), 1, false, true, true);
        REQUIRE(SUCCEEDED(batch.FetchFirst(0)));
        RowData* row = nullptr;
        REQUIRE(batch.Next(&row, true, false) == S_OK);
        return row;
    }
};

} // namespace

TEST_CASE("batches: capacity, empty batches and shared rows")
{
    Tree t(3, {}, {});
    {
        Model m(t.orders, RowRecordStore::kOnDemandDiscard);
        RowBatch big(m.root, nullptr, ChapterHandle(m.root), 500, false, true, true);
        CHECK(big.Capacity() == 200);
        RowData* row = nullptr;
        CHECK(big.Next(nullptr, true, false) == E_INVALIDARG);
        CHECK(big.Next(&row, true, false) == E_UNEXPECTED);
        CHECK(row == nullptr);

        RowData* a = m.FirstRow();
        RowData* b = m.FirstRow();
        CHECK(a == b); // shared by the row map
        CHECK(NumberOf(a, 1) == 1);
        CHECK(m.top->Rows().MappedRowCount() == 1);

        // Existing only: a row not yet seen is not made.
        RowBatch batch(m.root, nullptr, ChapterHandle(m.root), 1, false, true, true);
        REQUIRE(SUCCEEDED(batch.FetchLast(0)));
        CHECK(batch.Next(&row, true, true) == E_OUTOFMEMORY);
        CHECK(row == nullptr);

        // The same row unshared is a row of its own, equal by identity.
        RowBatch unshared(m.root, nullptr, ChapterHandle(m.root), 1, false, true, false);
        REQUIRE(SUCCEEDED(unshared.FetchFirst(0)));
        RowData* c = nullptr;
        REQUIRE(unshared.Next(&c, false, false) == S_OK);
        CHECK(c != a);
        CHECK(c->IsSameRow(*a));
        CHECK(c->CompareOrder(*a) == DBCOMPARE_EQ);
        c->Release();
        CHECK(b->Release() == 1);
        CHECK(a->Release() == 0);
        CHECK(m.top->Rows().MappedRowCount() == 0);
    }
    CHECK(t.Leaks() == 0);
}

TEST_CASE("preloading reads every row in batches of 200 and serves the list from its cache")
{
    Tree t(450, {}, {});
    {
        Model m(t.orders, RowRecordStore::kPreloadWithSiblings);
        RootRowList& list = m.List();
        list.LoadAll(false);
        CHECK(list.IsCompletelyLoaded());
        CHECK(list.LoadedCount() == 450);
        CHECK(list.ChildCount() == 450);
        CHECK(list.GetApproximateCount(false) == 450);
        ULONG index = 0;
        bool ordered = true;
        for (RowTreeNode* n = list.FirstChild(); n; n = n->NextSibling())
            ordered = ordered && n->GetPositionIndex() == index++;
        CHECK(ordered);
        auto* first = static_cast<RowData*>(list.FirstChild());
        auto* last = static_cast<RowData*>(list.LastChild());
        CHECK(first->IsKept());
        CHECK(first->HasNextSibling(false));
        CHECK_FALSE(first->HasPrevSibling(false));
        CHECK_FALSE(last->HasNextSibling(false));
        CHECK(NumberOf(last, 1) == 450);

        // From the cache: a bad start position is raised.
        RowBatch cached(m.root, nullptr, ChapterHandle(m.root), 5, false, true, true);
        cached.UseCachedRows(&list);
        CHECK(cached.FetchFirst(-1) == DB_E_BADSTARTPOSITION);
        IErrorInfo* info = nullptr;
        REQUIRE(GetErrorInfo(0, &info) == S_OK);
        BSTR text = nullptr;
        info->GetDescription(&text);
        CHECK(std::wstring(text ? text : L"") == L"Bad start position.");
        SysFreeString(text);
        info->Release();
        CHECK(cached.FetchLast(1) == DB_E_BADSTARTPOSITION);
        CHECK(cached.FetchFirst(447) == DB_S_ENDOFROWSET);
        CHECK(cached.FromCache());
        CHECK(cached.Count() == 3);
        RowData* row = nullptr;
        REQUIRE(cached.Next(&row, true, false) == S_OK);
        CHECK(row->GetPositionIndex() == 447);
        row->Release();

        // The n-th rows of a loaded list; past the end, the last row.
        RowData* nth = list.GetNthRow(10);
        REQUIRE(nth);
        CHECK(NumberOf(nth, 1) == 11);
        nth->Release();
        nth = list.GetNthRow(5000);
        CHECK(nth == last);
        if (nth)
            nth->Release();
    }
    CHECK(t.Leaks() == 0);
}

TEST_CASE("on demand: the n-th row is fetched, estimated past the end")
{
    Tree t(30, {}, {});
    {
        Model m(t.orders, RowRecordStore::kOnDemandKeep);
        RootRowList& list = m.List();
        CHECK(list.GetApproximateCount(false) == 30);
        RowData* row = list.GetNthRow(7);
        REQUIRE(row);
        CHECK(NumberOf(row, 1) == 8);
        row->Release();
        row = list.GetNthRow(100);
        REQUIRE(row);
        CHECK(NumberOf(row, 1) == 30);
        row->Release();
    }
    CHECK(t.Leaks() == 0);
}

TEST_CASE("child lists follow the order of their chapter columns")
{
    Tree t(2, {{1, 10}}, {{1, 20}});
    {
        Model m(t.orders, RowRecordStore::kOnDemandKeep);
        RowData* order = m.FirstRow();
        ChildRowList* notes = order->GetChildRows(m.notesBinding, true);
        ChildRowList* items = order->GetChildRows(m.itemsBinding, true);
        REQUIRE(notes);
        REQUIRE(items);
        CHECK(order->GetChildRows(m.itemsBinding, false) == items);
        CHECK(order->FirstChild() == items);
        CHECK(items->NextSibling() == notes);
        CHECK(items->GetPositionIndex() == 0);
        CHECK(notes->GetPositionIndex() == 1);
        order->Release();
    }
    CHECK(t.Leaks() == 0);
}

TEST_CASE("hiding a row counts it in its list, never below 0")
{
    Tree t(3, {}, {});
    {
        Model m(t.orders, RowRecordStore::kPreloadWithSiblings);
        RootRowList& list = m.List();
        list.LoadAll(false);
        auto* row = static_cast<RowData*>(list.FirstChild()->NextSibling());
        const ULONG visible = list.VisibleCount();
        row->SetHidden(true);
        row->SetHidden(true); // no change
        CHECK(list.HiddenCount() == 1);
        CHECK(list.VisibleCount() == visible - 1);
        CHECK(list.GetApproximateCount(false) == 2);
        row->SetHidden(false);
        CHECK(list.HiddenCount() == 0);
        row->SetHidden(false);
        CHECK(list.HiddenCount() == 0);
        CHECK(list.VisibleCount() == visible);
    }
    CHECK(t.Leaks() == 0);
}

TEST_CASE("siblings: first, next and across child bands")
{
    // Order 1 has two items and one note; order 2 has nothing.
    Tree t(2, {{1, 10}, {1, 11}}, {{1, 20}});
    {
        Model m(t.orders, RowRecordStore::kOnDemandKeep);
        RowData* order = m.FirstRow();
        RowData* item = nullptr;
        REQUIRE(order->GetLastChildRow(2, &item) == S_OK);
        CHECK(NumberOf(item, 2) == 11);
        RowData* next = nullptr;
        CHECK(item->GetSibling(RowData::kNext, false, &next) == DB_S_ENDOFROWSET);
        CHECK(next == nullptr);
        REQUIRE(item->GetSibling(RowData::kNext, true, &next) == S_OK);
        REQUIRE(next);
        CHECK(next->GetBinding() == m.notesBinding);
        CHECK(NumberOf(next, 2) == 20);
        CHECK(next->GetChapterColumnOrdinal() == 3);
        CHECK(item->HasNextSiblingSpanningBands(false));
        CHECK_FALSE(item->HasPrevSiblingSpanningBands(false));
        CHECK(next->HasPrevSiblingSpanningBands(false));

        RowData* prev = nullptr;
        REQUIRE(item->GetSibling(RowData::kPrevious, false, &prev) == S_OK);
        CHECK(NumberOf(prev, 2) == 10);
        CHECK(item->HasPrevSibling(false));
        CHECK_FALSE(item->HasNextSibling(false));
        RowData* first = nullptr;
        REQUIRE(item->GetSibling(RowData::kFirst, false, &first) == S_OK);
        CHECK(first->IsSameRow(*prev));
        CHECK(first->CompareByPosition(*item) == DBCOMPARE_LT);
        first->Release();
        CHECK(item->GetSibling(7, false, &first) == E_INVALIDARG);
        CHECK(item->GetSibling(RowData::kFirst, false, nullptr) == E_INVALIDARG);
        CHECK(order->HasChildRows(false));

        RowData* order2 = nullptr;
        REQUIRE(order->GetSibling(RowData::kNext, false, &order2) == S_OK);
        CHECK_FALSE(order2->HasChildRows(false));
        RowData* none = nullptr;
        CHECK(order2->GetFirstChildRow(-1, &none) == DB_S_ENDOFROWSET);
        CHECK(none == nullptr);
        for (RowData* r : {order2, prev, next, item, order})
            r->Release();
    }
    CHECK(t.Leaks() == 0);
}

TEST_CASE("estimates without approximate positions")
{
    Tree t(5, {{1, 10}}, {});
    t.orders.GetTable()->Switches().DisableInterface(IID_IRowsetScroll);
    t.items.GetTable()->Switches().DisableInterface(IID_IRowsetScroll);
    t.notes.GetTable()->Switches().DisableInterface(IID_IRowsetScroll);
    {
        Model m(t.orders, RowRecordStore::kOnDemandKeep);
        CHECK(m.top->Rows().ApproximateRowCount() == 200);
        CHECK(m.itemBand->Rows().ApproximateRowCount() == 2000);
        CHECK(m.top->RowCount() == 200);
    }
    CHECK(t.Leaks() == 0);
}

TEST_CASE("mode 2 keeps no row in the list, mode 1 keeps it")
{
    Tree t(3, {}, {});
    for (LONG mode : {RowRecordStore::kOnDemandKeep, RowRecordStore::kOnDemandDiscard}) {
        CAPTURE(mode);
        Model m(t.orders, mode);
        RowData* row = m.FirstRow();
        // A row object ties the row into its list.
        row->AttachRowObject(reinterpret_cast<HvRow*>(0x1000));
        CHECK(row->IsLinked());
        CHECK(row->IsKept() == (mode == RowRecordStore::kOnDemandKeep));
        CHECK(m.List().LoadedCount() == 1);
        row->AttachRowObject(nullptr);
        // Scrolled out of view: the caller's reference goes.
        const ULONG left = row->Release();
        CHECK(left == (mode == RowRecordStore::kOnDemandKeep ? 1u : 0u));
    }
    CHECK(t.Leaks() == 0);
}

TEST_CASE("preloading with the parent loads the child lists of every row")
{
    Tree t(3, {{1, 10}, {1, 11}, {3, 30}}, {{2, 20}});
    {
        Model m(t.orders, RowRecordStore::kPreloadWithParent);
        RootRowList& list = m.List();
        list.LoadAll(false);
        REQUIRE(list.LoadedCount() == 3);
        auto* order1 = static_cast<RowData*>(list.FirstChild());
        ChildRowList* items = order1->GetChildRows(m.itemsBinding, false);
        ChildRowList* notes = order1->GetChildRows(m.notesBinding, false);
        REQUIRE(items);
        REQUIRE(notes);
        CHECK(items->IsCompletelyLoaded());
        CHECK(items->LoadedCount() == 2);
        CHECK(notes->LoadedCount() == 0);
        CHECK(order1->GetApproximateCount(true) == 2);
        auto* item = static_cast<RowData*>(items->FirstChild());
        CHECK(item->IsPreloaded());
        CHECK(item->GetParentRow() == order1);
        CHECK(NumberOf(item, 2) == 10);
        // Rows start collapsed: one visible row per order.
        CHECK(list.VisibleCount() == 3);
        order1->SetExpanded(true);
        CHECK(list.VisibleCount() == 5);
        RowData* nth = list.GetNthRow(2);
        CHECK(nth == items->LastChild());
        if (nth)
            nth->Release();
        nth = list.GetNthRow(3);
        CHECK(nth == list.FirstChild()->NextSibling());
        if (nth)
            nth->Release();
        // Visible indices agree with the n-th rows.
        CHECK(order1->VisibleIndex() == 0);
        CHECK(item->VisibleIndex() == 1);
        CHECK(items->LastChild()->VisibleIndex() == 2);
        CHECK(list.FirstChild()->NextSibling()->VisibleIndex() == 3);
        CHECK(list.LastChild()->VisibleIndex() == 4);

        // A child row by its bookmark.
        VARIANT bookmark;
        VariantInit(&bookmark);
        REQUIRE(item->GetBookmarkValue(VT_ERROR, &bookmark) == S_OK);
        RowData* found = nullptr;
        CHECK(order1->FindChildRowByBookmark(bookmark, 2, nullptr) == E_INVALIDARG);
        REQUIRE(order1->FindChildRowByBookmark(bookmark, 2, &found) == S_OK);
        CHECK(found->IsSameRow(*item));
        found->Release();
        VariantClear(&bookmark);
    }
    CHECK(t.Leaks() == 0);
}

TEST_CASE("update, undo and delete of one row")
{
    Tree t(2, {}, {});
    {
        Model m(t.orders, RowRecordStore::kOnDemandKeep);
        RowData* row = m.FirstRow();
        CHECK(row->SetValue(1, Num(42)) == S_OK);
        CHECK(row->Update() == S_OK);
        CHECK(NumberOf(row, 1) == 42);
        CHECK(m.top->Rows().MappedRowCount() == 1);
        RowData* again = m.FirstRow();
        CHECK(again == row);
        again->Release();
        CHECK(row->Delete() == S_OK);
        row->Update();
        row->Release();
    }
    t.orders.GetTable()->Switches().DisableInterface(IID_IRowsetChange);
    t.orders.GetTable()->Switches().DisableInterface(IID_IRowsetUpdate);
    {
        Model m(t.orders, RowRecordStore::kOnDemandKeep);
        RowData* row = m.FirstRow();
        CHECK(row->Delete() == DB_E_NOTSUPPORTED);
        CHECK(row->Undo() == DB_E_NOTSUPPORTED);
        CHECK(row->Update() == S_OK);
        row->Release();
    }
    CHECK(t.Leaks() == 0);
}

TEST_CASE("a deleted row leaves its list and the row map")
{
    Tree t(3, {}, {});
    {
        Model m(t.orders, RowRecordStore::kOnDemandKeep);
        RowData* row = m.FirstRow();
        row->AttachRowObject(reinterpret_cast<HvRow*>(0x1000));
        REQUIRE(row->IsKept());
        CHECK(m.List().LoadedCount() == 1);
        row->AttachRowObject(nullptr);
        CHECK(row->Delete() == S_OK);
        CHECK(row->Update() == S_OK); // the provider defers deletions
        CHECK(m.List().LoadedCount() == 0);
        CHECK_FALSE(row->IsKept());
        CHECK(m.top->Rows().MappedRowCount() == 0);
        CHECK(row->Release() == 0);
    }
    CHECK(t.Leaks() == 0);
}

TEST_CASE("a band out of view takes its rows out of the lists")
{
    Tree t(2, {{1, 10}}, {});
    {
        Model m(t.orders, RowRecordStore::kOnDemandDiscard);
        RowData* order = m.FirstRow();
        RowData* item = nullptr;
        REQUIRE(order->GetFirstChildRow(2, &item) == S_OK);
        item->AttachRowObject(reinterpret_cast<HvRow*>(0x1000));
        ChildRowList* items = order->GetChildRows(m.itemsBinding, false);
        REQUIRE(items);
        CHECK(item->IsLinked());
        CHECK_FALSE(item->IsKept());
        m.itemBand->Configure(false, true, RowRecordStore::kOnDemandDiscard);
        CHECK(items->IsHidden());
        // Child rows are not in the row map: their list is reached through
        // the parent, so membership follows the row object and the flag.
        item->UpdateListMembership();
        CHECK_FALSE(item->IsLinked());
        m.itemBand->Configure(false, false, RowRecordStore::kOnDemandDiscard);
        item->UpdateListMembership();
        CHECK(item->IsLinked());
        item->AttachRowObject(nullptr);
        CHECK_FALSE(item->IsLinked());
        item->Release();
        order->Release();
    }
    CHECK(t.Leaks() == 0);
}

TEST_CASE("design mode preloads two placeholder rows in every band")
{
    Tree t(5, {{1, 10}}, {});
    {
        Model m(t.orders, RowRecordStore::kOnDemandKeep, true);
        CHECK(m.top->Rows().Preloads());
        CHECK(m.top->Rows().ApproximateRowCount() == 2);
        REQUIRE(m.itemBand);
        CHECK(m.itemBand->Rows().ApproximateRowCount() == 4);
        m.List().LoadAll(false);
        CHECK(m.List().LoadedCount() == 2);
        CHECK(m.List().GetApproximateCount(false) == 2);
    }
    CHECK(t.Leaks() == 0);
}

TEST_CASE("rows are ordered by the provider's bookmark comparison: rows 1 and 256, and a row with itself")
{
    Tree t(300, {}, {});
    {
        Model m(t.orders, 0);
        auto rowAt = [&](DBROWOFFSET offset) {
            RowBatch batch(m.root, nullptr, ChapterHandle(m.root), 1, false, true, true);
            REQUIRE(SUCCEEDED(batch.FetchFirst(offset)));
            RowData* row = nullptr;
            REQUIRE(batch.Next(&row, true, false) == S_OK);
            return row;
        };
        RowData* first = rowAt(0);
        RowData* later = rowAt(255);
        CHECK(NumberOf(later, 1) == 256);
        CHECK(first->CompareOrder(*later) == DBCOMPARE_LT);
        CHECK(later->CompareOrder(*first) == DBCOMPARE_GT);
        CHECK(later->CompareOrder(*later) == DBCOMPARE_EQ);
        RowBatch unshared(m.root, nullptr, ChapterHandle(m.root), 1, false, true, false);
        REQUIRE(SUCCEEDED(unshared.FetchFirst(255)));
        RowData* copy = nullptr;
        REQUIRE(unshared.Next(&copy, false, false) == S_OK);
        CHECK(copy->CompareOrder(*later) == DBCOMPARE_EQ);
        copy->Release();
        later->Release();
        first->Release();
    }
    CHECK(t.Leaks() == 0);
}
