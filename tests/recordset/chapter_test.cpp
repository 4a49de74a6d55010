// Chapters: a parent recordset whose chapter field leads to the child
// records with the parent's key, as the grid's child bands read them.
#include <doctest/doctest.h>

#include "RowsetFixture.h"

using namespace rstest;

namespace {

struct Orders {
    Recordset items;
    Recordset orders;
    IRowset* parent = nullptr;
    IRowset* child = nullptr;
    HACCESSOR chapterAccessor = 0;
    HACCESSOR qtyAccessor = 0;
    IAccessor* parentAccessor = nullptr;
    IAccessor* childAccessor = nullptr;

    Orders()
    {
        REQUIRE(items.AppendField(L"ORDER_ID", FieldType::Double) == S_OK);
        REQUIRE(items.AppendField(L"QTY", FieldType::Double) == S_OK);
        REQUIRE(items.Open() == S_OK);
        // Order 1 has items 10, 11; order 2 none; order 3 has 30.
        for (auto [order, qty] : {std::pair{1, 10}, {3, 30}, {1, 11}}) {
            REQUIRE(items.AddNew() == S_OK);
            REQUIRE(items.SetValue(L"ORDER_ID", Num(order)) == S_OK);
            REQUIRE(items.SetValue(L"QTY", Num(qty)) == S_OK);
        }
        REQUIRE(items.Update() == S_OK);
        REQUIRE(orders.AppendField(L"ID", FieldType::Double) == S_OK);
        REQUIRE(orders.AppendChapter(L"ITEMS", items, L"id", L"order_id") == S_OK);
        REQUIRE(orders.Open() == S_OK);
        for (int id : {1, 2, 3}) {
            REQUIRE(orders.AddNew() == S_OK);
            REQUIRE(orders.SetValue(L"ID", Num(id)) == S_OK);
        }
        REQUIRE(orders.Update() == S_OK);

        IUnknown* unk = nullptr;
        REQUIRE(orders.GetDataSource(&unk) == S_OK);
        ::DataSource* ds = nullptr;
        REQUIRE(unk->QueryInterface(kIidDataSource, reinterpret_cast<void**>(&ds)) == S_OK);
        unk->Release();
        IUnknown* got = nullptr;
        REQUIRE(ds->getDataMember(nullptr, IID_IRowset, &got) == S_OK);
        ds->Release();
        REQUIRE(got->QueryInterface(IID_IRowset, reinterpret_cast<void**>(&parent)) == S_OK);
        got->Release();
        IRowsetInfo* info = nullptr;
        REQUIRE(parent->QueryInterface(IID_IRowsetInfo, reinterpret_cast<void**>(&info)) == S_OK);
        IUnknown* referenced = nullptr;
        REQUIRE(info->GetReferencedRowset(2, IID_IRowset, &referenced) == S_OK);
        info->Release();
        REQUIRE(referenced->QueryInterface(IID_IRowset, reinterpret_cast<void**>(&child)) == S_OK);
        referenced->Release();

        REQUIRE(parent->QueryInterface(IID_IAccessor, reinterpret_cast<void**>(&parentAccessor)) == S_OK);
        DBBINDING b{};
        b.iOrdinal = 2;
        b.dwPart = DBPART_VALUE;
        b.wType = DBTYPE_HCHAPTER;
        b.cbMaxLen = sizeof(HCHAPTER);
        REQUIRE(parentAccessor->CreateAccessor(DBACCESSOR_ROWDATA, 1, &b, 0, &chapterAccessor, nullptr) == S_OK);
        REQUIRE(child->QueryInterface(IID_IAccessor, reinterpret_cast<void**>(&childAccessor)) == S_OK);
        b.iOrdinal = 2;
        b.wType = DBTYPE_R8;
        b.cbMaxLen = 8;
        REQUIRE(childAccessor->CreateAccessor(DBACCESSOR_ROWDATA, 1, &b, 0, &qtyAccessor, nullptr) == S_OK);
    }
    ~Orders()
    {
        parentAccessor->ReleaseAccessor(chapterAccessor, nullptr);
        childAccessor->ReleaseAccessor(qtyAccessor, nullptr);
        parentAccessor->Release();
        childAccessor->Release();
        child->Release();
        parent->Release();
    }
    Orders(const Orders&) = delete;
    Orders& operator=(const Orders&) = delete;

    // The chapter of the n-th order (one reference the caller releases).
    HCHAPTER ChapterOf(int n)
    {
        IRowsetLocate* locate = nullptr;
        REQUIRE(parent->QueryInterface(IID_IRowsetLocate, reinterpret_cast<void**>(&locate)) == S_OK);
        const BYTE first = DBBMK_FIRST;
        DBCOUNTITEM got = 0;
        HROW* rows = nullptr;
        REQUIRE(locate->GetRowsAt(0, 0, 1, &first, n, 1, &got, &rows) == S_OK);
        locate->Release();
        HCHAPTER chapter = 0;
        REQUIRE(parent->GetData(rows[0], chapterAccessor, &chapter) == S_OK);
        parent->ReleaseRows(1, rows, nullptr, nullptr, nullptr);
        CoTaskMemFree(rows);
        return chapter;
    }

    std::vector<int> Quantities(HCHAPTER chapter, DBROWCOUNT count = 10)
    {
        IRowsetLocate* locate = nullptr;
        REQUIRE(child->QueryInterface(IID_IRowsetLocate, reinterpret_cast<void**>(&locate)) == S_OK);
        const BYTE start = count > 0 ? DBBMK_FIRST : DBBMK_LAST;
        DBCOUNTITEM got = 0;
        HROW* rows = nullptr;
        REQUIRE(SUCCEEDED(locate->GetRowsAt(0, chapter, 1, &start, 0, count, &got, &rows)));
        locate->Release();
        std::vector<int> out;
        for (DBCOUNTITEM i = 0; i < got; ++i) {
            double qty = 0;
            REQUIRE(child->GetData(rows[i], qtyAccessor, &qty) == S_OK);
            out.push_back(static_cast<int>(qty));
        }
        if (got)
            child->ReleaseRows(got, rows, nullptr, nullptr, nullptr);
        CoTaskMemFree(rows);
        return out;
    }

    IChapteredRowset* Chaptered()
    {
        IChapteredRowset* c = nullptr;
        REQUIRE(child->QueryInterface(IID_IChapteredRowset, reinterpret_cast<void**>(&c)) == S_OK);
        return c;
    }
};

} // namespace

TEST_CASE("a chapter column leads to the child rows of each parent, fetched and counted per chapter")
{
    Orders o;
    IColumnsInfo* info = nullptr;
    REQUIRE(o.parent->QueryInterface(IID_IColumnsInfo, reinterpret_cast<void**>(&info)) == S_OK);
    DBORDINAL n = 0;
    DBCOLUMNINFO* cols = nullptr;
    OLECHAR* strings = nullptr;
    REQUIRE(info->GetColumnInfo(&n, &cols, &strings) == S_OK);
    REQUIRE(n == 3);
    CHECK(cols[2].wType == DBTYPE_HCHAPTER);
    CHECK((cols[2].dwFlags & DBCOLUMNFLAGS_ISCHAPTER) != 0);
    CoTaskMemFree(cols);
    CoTaskMemFree(strings);
    info->Release();
    IChapteredRowset* none = nullptr;
    CHECK(o.parent->QueryInterface(IID_IChapteredRowset, reinterpret_cast<void**>(&none)) == E_NOINTERFACE);

    HCHAPTER c1 = o.ChapterOf(0), c2 = o.ChapterOf(1), c3 = o.ChapterOf(2);
    CHECK(c1 != c2);
    CHECK(o.Quantities(c1) == std::vector<int>{10, 11});
    CHECK(o.Quantities(c1, -1) == std::vector<int>{11});
    CHECK(o.Quantities(c2).empty());
    CHECK(o.Quantities(c3) == std::vector<int>{30});
    CHECK(o.Quantities(DB_NULL_HCHAPTER) == std::vector<int>{10, 30, 11});

    IRowsetScroll* scroll = nullptr;
    REQUIRE(o.child->QueryInterface(IID_IRowsetScroll, reinterpret_cast<void**>(&scroll)) == S_OK);
    DBCOUNTITEM count = 0;
    REQUIRE(scroll->GetApproximatePosition(c1, 0, nullptr, nullptr, &count) == S_OK);
    CHECK(count == 2);
    REQUIRE(scroll->GetApproximatePosition(c2, 0, nullptr, nullptr, &count) == S_OK);
    CHECK(count == 0);
    CHECK(scroll->GetApproximatePosition(999, 0, nullptr, nullptr, &count) == DB_E_BADCHAPTER);
    scroll->Release();

    // Membership.
    IRowsetChapterMember* member = nullptr;
    REQUIRE(o.child->QueryInterface(IID_IRowsetChapterMember, reinterpret_cast<void**>(&member)) == S_OK);
    IRowsetLocate* locate = nullptr;
    REQUIRE(o.child->QueryInterface(IID_IRowsetLocate, reinterpret_cast<void**>(&locate)) == S_OK);
    const BYTE first = DBBMK_FIRST;
    DBCOUNTITEM got = 0;
    HROW* rows = nullptr;
    REQUIRE(locate->GetRowsAt(0, c3, 1, &first, 0, 1, &got, &rows) == S_OK);
    CHECK(member->IsRowInChapter(c3, rows[0]) == S_OK);
    CHECK(member->IsRowInChapter(c1, rows[0]) == S_FALSE);
    CHECK(member->IsRowInChapter(999, rows[0]) == DB_E_BADCHAPTER);
    o.child->ReleaseRows(1, rows, nullptr, nullptr, nullptr);
    CoTaskMemFree(rows);
    locate->Release();
    member->Release();

    // Records added to the child table join the chapter of their key.
    REQUIRE(o.items.AddNew() == S_OK);
    REQUIRE(o.items.SetValue(L"ORDER_ID", Num(2)) == S_OK);
    REQUIRE(o.items.SetValue(L"QTY", Num(20)) == S_OK);
    REQUIRE(o.items.Update() == S_OK);
    CHECK(o.Quantities(c2) == std::vector<int>{20});

    IChapteredRowset* chaptered = o.Chaptered();
    for (HCHAPTER c : {c1, c2, c3})
        CHECK(chaptered->ReleaseChapter(c, nullptr) == S_OK);
    chaptered->Release();
    CHECK(o.items.GetTable()->Switches().OutstandingChapterRefs() == 0);
    CHECK(o.items.GetTable()->Switches().OutstandingRowRefs() == 0);
}

TEST_CASE("chapter references are counted; a released chapter is gone")
{
    Orders o;
    IChapteredRowset* chaptered = o.Chaptered();
    HCHAPTER c = o.ChapterOf(0);
    HCHAPTER again = o.ChapterOf(0);
    CHECK(c == again); // one handle per key while referenced
    DBREFCOUNT refs = 0;
    CHECK(chaptered->AddRefChapter(c, &refs) == S_OK);
    CHECK(refs == 3);
    CHECK(o.items.GetTable()->Switches().OutstandingChapterRefs() == 3);
    for (DBREFCOUNT expected : {2u, 1u, 0u}) {
        CHECK(chaptered->ReleaseChapter(c, &refs) == S_OK);
        CHECK(refs == expected);
    }
    CHECK(chaptered->ReleaseChapter(c, &refs) == DB_E_BADCHAPTER);
    CHECK(chaptered->AddRefChapter(c, &refs) == DB_E_BADCHAPTER);
    IRowsetScroll* scroll = nullptr;
    REQUIRE(o.child->QueryInterface(IID_IRowsetScroll, reinterpret_cast<void**>(&scroll)) == S_OK);
    DBCOUNTITEM count = 0;
    CHECK(scroll->GetApproximatePosition(c, 0, nullptr, nullptr, &count) == DB_E_BADCHAPTER);
    scroll->Release();
    chaptered->Release();
    CHECK(o.items.GetTable()->Switches().OutstandingChapterRefs() == 0);
}

TEST_CASE("a row inserted into a chapter takes the chapter's key")
{
    Orders o;
    HCHAPTER c2 = o.ChapterOf(1);
    IRowsetChange* change = nullptr;
    REQUIRE(o.child->QueryInterface(IID_IRowsetChange, reinterpret_cast<void**>(&change)) == S_OK);
    DBBINDING b{};
    b.iOrdinal = 2;
    b.dwPart = DBPART_VALUE;
    b.wType = DBTYPE_R8;
    b.cbMaxLen = 8;
    IAccessor* acc = o.childAccessor;
    HACCESSOR h = 0;
    REQUIRE(acc->CreateAccessor(DBACCESSOR_ROWDATA, 1, &b, 0, &h, nullptr) == S_OK);
    double qty = 21;
    HROW row = 0;
    REQUIRE(change->InsertRow(c2, h, &qty, &row) == S_OK);
    CHECK(o.Quantities(c2) == std::vector<int>{21});
    CHECK(change->InsertRow(777, h, &qty, nullptr) == DB_E_BADCHAPTER);
    o.child->ReleaseRows(1, &row, nullptr, nullptr, nullptr);
    acc->ReleaseAccessor(h, nullptr);
    change->Release();
    IChapteredRowset* chaptered = o.Chaptered();
    chaptered->ReleaseChapter(c2, nullptr);
    chaptered->Release();
}
