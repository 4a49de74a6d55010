// The rowset binding over the in-memory recordset: opening, columns, values,
// fetches, held handles within the provider's limit, chapters, design-time
// rows and the provider's error text.
#include <doctest/doctest.h>

#include "BindingFixture.h"
#include "RowBookmark.h"

#include <cstring>

using namespace datatest;

namespace {

std::wstring ErrorDescription()
{
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || !info)
        return L"";
    BSTR text = nullptr;
    info->GetDescription(&text);
    info->Release();
    std::wstring out = text ? text : L"";
    SysFreeString(text);
    return out;
}

} // namespace

TEST_CASE("opening a data member describes the rowset's columns")
{
    Sample t(3);
    BindingRef b(new RootRowsetBinding(nullptr, false, true));
    REQUIRE(OpenOn(b.p, t.rs) == S_OK);
    CHECK(b->IsAttached());
    CHECK(b->IsAdvisedForNotifications());
    CHECK(b->IsAdvisedForRowPosition()); // the row position is preferred
    CHECK(b->GetColumnCount() == 2);
    CHECK(b->GetColumn(0) == nullptr);
    ColumnInfo* name = b->GetFirstColumn();
    REQUIRE(name);
    CHECK(std::string(name->GetName().c_str()) == "NAME");
    CHECK(name->GetType() == DBTYPE_BSTR); // unsized text
    ColumnInfo* value = b->GetNextColumn(name);
    REQUIRE(value);
    CHECK(std::string(value->GetName().c_str()) == "VALUE");
    CHECK(value->GetType() == DBTYPE_R8);
    CHECK(b->GetNextColumn(value) == nullptr);
    REQUIRE(b->GetBookmarkColumn());
    CHECK(b->GetBookmarkColumn()->GetSize() == 4);
    CHECK(b->GetFirstChapterColumn() == -1);
    CHECK_FALSE(b->IsReadOnly());

    BindingRef other(new RootRowsetBinding(nullptr, false, true));
    REQUIRE(OpenOn(other.p, t.rs) == S_OK);
    CHECK(b->HasSameColumns(*other.p));
}

TEST_CASE("a closed binding lets go of the rowsets of its tree")
{
    Recordset items;
    REQUIRE(items.AppendField(L"ORDER_ID", FieldType::Double) == S_OK);
    REQUIRE(items.Open() == S_OK);
    Recordset orders;
    REQUIRE(orders.AppendField(L"ID", FieldType::Double) == S_OK);
    REQUIRE(orders.AppendChapter(L"ITEMS", items, L"id", L"order_id") == S_OK);
    REQUIRE(orders.Open() == S_OK);
    IUnknown* source = nullptr;
    REQUIRE(orders.GetDataSource(&source) == S_OK);
    // The data source keeps the rowsets it made for the first consumer.
    {
        BindingRef first(new RootRowsetBinding(nullptr, false, true));
        REQUIRE(first->OpenDataMember(source, L"") == S_OK);
    }
    const long parents = orders.GetTable()->Switches().LiveRowsets();
    const long children = items.GetTable()->Switches().LiveRowsets();
    auto* b = new RootRowsetBinding(nullptr, false, true);
    REQUIRE(b->OpenDataMember(source, L"") == S_OK);
    REQUIRE(b->GetColumn(2));
    RowsetBinding* child = b->GetColumn(2)->GetChildBinding();
    REQUIRE(child);
    CHECK(child->IsAdvisedForNotifications());
    b->Close();
    CHECK_FALSE(b->IsAdvisedForNotifications());
    CHECK_FALSE(b->IsAdvisedForRowPosition());
    CHECK_FALSE(child->IsAdvisedForNotifications());
    CHECK(b->Release() == 0);
    CHECK(orders.GetTable()->Switches().LiveRowsets() == parents);
    CHECK(items.GetTable()->Switches().LiveRowsets() == children);
    source->Release();
}

TEST_CASE("opening without anything to open")
{
    BindingRef b(new RootRowsetBinding(nullptr, false, true));
    CHECK(b->OpenDataMember(nullptr, L"") == E_FAIL);
    CHECK(b->Open(nullptr) == E_POINTER);
    Sample t(1);
    t.Switches().FailCall("DataSource::getDataMember", E_FAIL, L"", 3);
    CHECK(OpenOn(b.p, t.rs) == RootRowsetBinding::kNothingToOpen);
    CHECK_FALSE(b->IsAttached());
}

TEST_CASE("values are read and written through one accessor per column")
{
    Sample t(3);
    const long rowRefs = t.Switches().OutstandingRowRefs();
    {
        BindingRef b(new RootRowsetBinding(nullptr, false, true));
        t.Switches().DisableInterface(IID_IRowPosition);
        REQUIRE(OpenOn(b.p, t.rs) == S_OK);
        CHECK_FALSE(b->IsAdvisedForRowPosition());
        auto rows = FetchHandles(b.p, 10);
        REQUIRE(rows.size() == 3);
        CHECK(ValueText(b.p, rows[1], 1) == L"r1");
        CHECK(ValueText(b.p, rows[2], 2) == L"2");
        const int accessors = t.Switches().Calls("IAccessor::CreateAccessor");
        CHECK(ValueText(b.p, rows[0], 1) == L"r0");
        CHECK(t.Switches().Calls("IAccessor::CreateAccessor") == accessors);

        VARIANT text = Text(L"changed");
        REQUIRE(b->SetValue(rows[0], 1, text) == S_OK);
        VariantClear(&text);
        VARIANT null;
        VariantInit(&null);
        V_VT(&null) = VT_NULL;
        REQUIRE(b->SetValue(rows[1], 2, null) == S_OK);
        VARIANT number = Num(7);
        REQUIRE(b->SetValue(rows[2], 1, number) == S_OK); // converted to text
        CHECK(ValueText(b.p, rows[0], 1) == L"changed");
        CHECK(ValueText(b.p, rows[1], 2) == L"<null>");
        CHECK(ValueText(b.p, rows[2], 1) == L"7");

        VARIANT v;
        VariantInit(&v);
        CHECK(b->GetValue(rows[0], 9, &v) == E_FAIL);
        b->ReleaseRowHandles(rows.size(), rows.data());
    }
    CHECK(t.Switches().OutstandingRowRefs() == rowRefs);
}

TEST_CASE("fetches by bookmark, offset and direction")
{
    Sample t(6);
    t.Switches().DisableInterface(IID_IRowPosition);
    BindingRef b(new RootRowsetBinding(nullptr, false, true));
    REQUIRE(OpenOn(b.p, t.rs) == S_OK);

    SUBCASE("a batch asked for 500 rows holds 200")
    {
        RowBatch batch(b.p, ChapterHandle(b.p), 500, false, true, false);
        CHECK(batch.Capacity() == 200);
        CHECK(batch.FetchFirst(0) == DB_S_ENDOFROWSET);
        CHECK(batch.Count() == 6);
        CHECK(batch.AtEnd());
    }
    SUBCASE("forward from an offset")
    {
        RowBatch batch(b.p, ChapterHandle(b.p), 2, false, true, false);
        CHECK(batch.FetchFirst(3) == S_OK);
        REQUIRE(batch.Count() == 2);
        CHECK(ValueText(b.p, batch.Handle(0), 2) == L"3");
        CHECK_FALSE(batch.AtEnd());
    }
    SUBCASE("backward from the last row hands the rows out last first")
    {
        RowBatch batch(b.p, ChapterHandle(b.p), 3, true, true, false);
        CHECK(SUCCEEDED(batch.FetchLast(0)));
        std::vector<std::wstring> order;
        HROW row = DB_NULL_HROW;
        while (batch.NextHandle(&row) == S_OK) {
            order.push_back(ValueText(b.p, row, 2));
            b->ReleaseRowHandles(1, &row);
        }
        CHECK(order == std::vector<std::wstring>{L"5", L"4", L"3"});
    }
    SUBCASE("past the end is the end of the rowset")
    {
        RowBatch batch(b.p, ChapterHandle(b.p), 2, false, true, false);
        CHECK(batch.FetchFirst(10) == DB_S_ENDOFROWSET);
        CHECK(batch.Count() == 0);
        CHECK(batch.AtEnd());
        HROW row;
        CHECK(batch.NextHandle(&row) == E_UNEXPECTED);
    }
    SUBCASE("approximate positions")
    {
        DBCOUNTITEM position = 9;
        DBCOUNTITEM rows = 0;
        REQUIRE(b->GetApproximatePosition(DB_NULL_HCHAPTER, nullptr, &position, &rows) == S_OK);
        CHECK(rows == 6);
        auto handles = FetchHandles(b.p, 3);
        RowBookmark third(handles[2], b.p, ChapterHandle(b.p), 0, nullptr, false);
        REQUIRE(b->GetApproximatePosition(DB_NULL_HCHAPTER, &third, &position, &rows) == S_OK);
        CHECK(position == 3);
        b->ReleaseRowHandles(2, handles.data());
    }
}

TEST_CASE("held row handles stay within the provider's limit")
{
    Sample t(8);
    t.Switches().DisableInterface(IID_IRowPosition);
    const long baseline = t.Switches().OutstandingRowRefs();
    BindingRef b(new RootRowsetBinding(nullptr, false, true));
    REQUIRE(OpenOn(b.p, t.rs) == S_OK);
    {
        // Rows 0-2 are held by bookmark objects, as bound rows hold them.
        auto first = FetchHandles(b.p, 3);
        std::vector<std::unique_ptr<RowBookmark>> held;
        for (HROW row : first)
            held.push_back(std::make_unique<RowBookmark>(row, b.p, ChapterHandle(b.p), 0, nullptr, false));
        CHECK(b->HeldHandleCount() == 3);
        t.Switches().SetMaxHeldRows(4);

        // A fetch of 3 more exceeds the limit: the held handles are given
        // back (oldest first, bookmarks kept) and the fetch succeeds.
        const int calls = t.Switches().Calls("IRowsetLocate::GetRowsAt");
        {
            RowBatch batch(b.p, ChapterHandle(b.p), 3, false, true, false);
            CHECK(SUCCEEDED(batch.FetchFirst(4)));
            CHECK(batch.Count() == 3);
            CHECK(t.Switches().Calls("IRowsetLocate::GetRowsAt") == calls + 2);
            CHECK(b->HeldHandleCount() == 0);
            CHECK(t.Switches().OutstandingRowRefs() == baseline + 3);
        }
        CHECK(t.Switches().OutstandingRowRefs() == baseline);

        // A bookmark object gets its handle back from its bookmark.
        REQUIRE(held[1]->GetBookmarkLength() == 4);
        HROW again = held[1]->GetRowHandle(true);
        REQUIRE(again);
        CHECK(ValueText(b.p, again, 2) == L"1");
        CHECK(b->HeldHandleCount() == 1);
    }
    CHECK(t.Switches().OutstandingRowRefs() == baseline);
}

TEST_CASE("bookmarks of the rowset")
{
    Sample t(300);
    t.Switches().DisableInterface(IID_IRowPosition);
    BindingRef b(new RootRowsetBinding(nullptr, false, true));
    REQUIRE(OpenOn(b.p, t.rs) == S_OK);
    RowBatch batch(b.p, ChapterHandle(b.p), 200, false, true, false);
    REQUIRE(SUCCEEDED(batch.FetchFirst(100)));
    std::vector<std::unique_ptr<RowBookmark>> rows;
    HROW row;
    while (batch.NextHandle(&row) == S_OK)
        rows.push_back(std::make_unique<RowBookmark>(row, b.p, ChapterHandle(b.p), 0, nullptr, false));

    SUBCASE("a bookmark VARIANT of a 4-byte bookmark column")
    {
        VARIANT v;
        VariantInit(&v);
        REQUIRE(rows[5]->GetAsVariant(&v, VT_I4) == S_OK);
        REQUIRE(V_VT(&v) == VT_I4);
        VARIANT text;
        VariantInit(&text);
        V_VT(&text) = VT_BSTR;
        V_BSTR(&text) = SysAllocString(std::to_wstring(V_I4(&v)).c_str());
        RowBookmark fromText(b.p, text);
        VariantClear(&text);
        REQUIRE(fromText.Status() == S_OK);
        CHECK(fromText.GetBookmarkLength() == 4);
        CHECK(fromText.IsSameRow(*rows[5]));
        CHECK_FALSE(fromText.IsSameRow(*rows[6]));
        CHECK(ValueText(b.p, fromText.GetRowHandle(true), 2) == L"105");
        VariantClear(&v);
        REQUIRE(rows[5]->GetAsVariant(&v, VT_R8) == S_OK);
        CHECK(V_VT(&v) == VT_R8);
    }
    SUBCASE("bookmarks are ordered by the provider, not by their bytes")
    {
        // Find neighbours whose first bytes sort the other way round.
        size_t i = 0;
        for (; i + 1 < rows.size(); ++i) {
            if (rows[i + 1]->GetBookmarkBytes()[0] < rows[i]->GetBookmarkBytes()[0])
                break;
        }
        REQUIRE(i + 1 < rows.size());
        DBCOMPARE order = DBCOMPARE_NOTCOMPARABLE;
        REQUIRE(b->CompareBookmarks(DB_NULL_HCHAPTER, 4, rows[i]->GetBookmarkBytes(), 4,
                                    rows[i + 1]->GetBookmarkBytes(), &order) == S_OK);
        CHECK(order == DBCOMPARE_LT);
        CHECK_FALSE(b->HasLiteralBookmarks());
    }
}

TEST_CASE("chapters of a child band")
{
    Recordset items;
    REQUIRE(items.AppendField(L"ORDER_ID", FieldType::Double) == S_OK);
    REQUIRE(items.AppendField(L"QTY", FieldType::Double) == S_OK);
    REQUIRE(items.Open() == S_OK);
    for (auto [order, qty] : {std::pair{1, 10}, {3, 30}, {1, 11}}) {
        REQUIRE(items.AddNew() == S_OK);
        REQUIRE(items.SetValue(L"ORDER_ID", Num(order)) == S_OK);
        REQUIRE(items.SetValue(L"QTY", Num(qty)) == S_OK);
    }
    REQUIRE(items.Update() == S_OK);
    Recordset orders;
    REQUIRE(orders.AppendField(L"ID", FieldType::Double) == S_OK);
    REQUIRE(orders.AppendChapter(L"ITEMS", items, L"id", L"order_id") == S_OK);
    REQUIRE(orders.Open() == S_OK);
    for (int id : {1, 2, 3}) {
        REQUIRE(orders.AddNew() == S_OK);
        REQUIRE(orders.SetValue(L"ID", Num(id)) == S_OK);
    }
    REQUIRE(orders.Update() == S_OK);
    TestSwitches& childSwitches = items.GetTable()->Switches();
    TestSwitches& parentSwitches = orders.GetTable()->Switches();
    const long chapterBaseline = childSwitches.OutstandingChapterRefs();
    const long rowBaseline = childSwitches.OutstandingRowRefs();
    {
        BindingRef b(new RootRowsetBinding(nullptr, false, true));
        REQUIRE(OpenOn(b.p, orders) == S_OK);
        REQUIRE(b->GetFirstChapterColumn() == 2);
        CHECK(b->GetLastChapterColumn() == 2);
        ColumnInfo* chapterColumn = b->GetColumn(2);
        REQUIRE(chapterColumn);
        RowsetBinding* child = chapterColumn->GetChildBinding();
        REQUIRE(child);
        CHECK(child->GetParent() == b.p);
        CHECK(b->FindChapterColumnOf(child) == 2);
        CHECK(child->GetColumnCount() == 2);
        CHECK(child->GetRootBinding() == b.p);

        auto parents = FetchHandles(b.p, 3);
        REQUIRE(parents.size() == 3);
        VARIANT v;
        VariantInit(&v);
        CHECK(b->GetValue(parents[0], 2, &v) == E_FAIL); // chapters are not values
        ChapterHandle chapter;
        CHECK(b->ReadChapter(parents[0], 1, chapter) == E_INVALIDARG);
        CHECK(b->ReadChapter(parents[0], 7, chapter) == E_UNEXPECTED);
        REQUIRE(b->ReadChapter(parents[0], 2, chapter) == S_OK);
        CHECK(chapter.Binding() == child);
        CHECK(chapter.Value() != DB_NULL_HCHAPTER);
        CHECK(childSwitches.OutstandingChapterRefs() == chapterBaseline + 1);
        {
            ChapterHandle copy(chapter);
            copy = copy;
            CHECK(childSwitches.OutstandingChapterRefs() == chapterBaseline + 2);
        }
        CHECK(childSwitches.OutstandingChapterRefs() == chapterBaseline + 1);
        {
            RowBatch batch(child, chapter, 10, false, true, false);
            CHECK(batch.FetchFirst(0) == DB_S_ENDOFROWSET);
            REQUIRE(batch.Count() == 2);
            CHECK(ValueText(child, batch.Handle(0), 2) == L"10");
            CHECK(ValueText(child, batch.Handle(1), 2) == L"11");
            CHECK(child->IsRowInChapter(chapter.Value(), batch.Handle(0)) == S_OK);
        }
        chapter.Release();
        b->ReleaseRowHandles(parents.size(), parents.data());
        CHECK(parentSwitches.LiveRowsets() >= 1);
    }
    CHECK(childSwitches.OutstandingChapterRefs() == chapterBaseline);
    CHECK(childSwitches.OutstandingRowRefs() == rowBaseline);
}

TEST_CASE("design mode serves two placeholder rows without reading data")
{
    Sample t(5);
    BindingRef b(new RootRowsetBinding(nullptr, true, true));
    REQUIRE(OpenOn(b.p, t.rs) == S_OK);
    const int fetches = t.Switches().Calls("IRowsetLocate::GetRowsAt");
    const int reads = t.Switches().Calls("IRowset::GetData");
    RowBatch batch(b.p, ChapterHandle(b.p), 10, false, true, false);
    CHECK(batch.FetchFirst(0) == DB_S_ENDOFROWSET);
    REQUIRE(batch.Count() == 2);
    CHECK(batch.Handle(0) == static_cast<HROW>(0xFFFFFFFF));
    CHECK(batch.Handle(1) == static_cast<HROW>(0xFFFFFFFE));
    CHECK(ValueText(b.p, batch.Handle(0), 1) == L"Text");
    CHECK(ValueText(b.p, batch.Handle(1), 2) == L"Double");
    CHECK(t.Switches().Calls("IRowsetLocate::GetRowsAt") == fetches);
    CHECK(t.Switches().Calls("IRowset::GetData") == reads);

    RowBatch small(b.p, ChapterHandle(b.p), 2, false, true, false);
    CHECK(small.FetchFirst(0) == S_OK);
    CHECK_FALSE(small.AtEnd());

    DBCOUNTITEM position = 9, rows = 0;
    RowBookmark second(batch.Handle(1), nullptr, ChapterHandle(), 0, nullptr, true);
    REQUIRE(b->GetApproximatePosition(DB_NULL_HCHAPTER, &second, &position, &rows) == S_OK);
    CHECK(rows == 2);
    CHECK(position == 1);
}

TEST_CASE("a rowset that cannot be changed")
{
    Sample t(2);
    t.Switches().DisableInterface(IID_IRowsetChange);
    t.Switches().DisableInterface(IID_IRowsetUpdate);
    BindingRef b(new RootRowsetBinding(nullptr, false, true));
    REQUIRE(OpenOn(b.p, t.rs) == S_OK);
    CHECK(b->IsReadOnly());
    HROW row = DB_NULL_HROW;
    SetErrorInfo(0, nullptr);
    CHECK(b->InsertRow(DB_NULL_HCHAPTER, &row) == E_FAIL);
    CHECK(ErrorDescription() == L"Database is read-only.");
    auto rows = FetchHandles(b.p, 1);
    VARIANT v = Num(1);
    CHECK(b->SetValue(rows[0], 2, v) == E_FAIL);
    CHECK(b->GetOriginalValue(rows[0], 2, &v) == E_FAIL);
    b->ReleaseRowHandles(rows.size(), rows.data());
}

TEST_CASE("inserting a row")
{
    Sample t(2);
    const long baseline = t.Switches().OutstandingRowRefs();
    BindingRef b(new RootRowsetBinding(nullptr, false, true));
    REQUIRE(OpenOn(b.p, t.rs) == S_OK);
    HROW row = DB_NULL_HROW;
    REQUIRE(SUCCEEDED(b->InsertRow(DB_NULL_HCHAPTER, &row)));
    REQUIRE(row);
    VARIANT v = Num(42);
    REQUIRE(b->SetValue(row, 2, v) == S_OK);
    CHECK(ValueText(b.p, row, 2) == L"42");
    b->ReleaseRowHandles(1, &row);
    CHECK(t.Switches().OutstandingRowRefs() == baseline);
}

TEST_CASE("the provider's error text")
{
    Sample t(1);
    BindingRef b(new RootRowsetBinding(nullptr, false, true));
    REQUIRE(OpenOn(b.p, t.rs) == S_OK);
    auto rows = FetchHandles(b.p, 1);
    t.Switches().FailCall("IRowset::GetData", DB_E_ERRORSOCCURRED, L"The disk is on fire.");
    VARIANT v;
    VariantInit(&v);
    CHECK(b->GetValue(rows[0], 2, &v) == DB_E_ERRORSOCCURRED);
    CDualString text;
    REQUIRE(b->ReadOleDbErrors(2, text) == S_OK);
    CHECK(std::string(text.c_str()) == "The disk is on fire.");
    // The error stays for whoever asks next.
    CHECK(ErrorDescription().size() > 0);
    b->ReleaseRowHandles(rows.size(), rows.data());
}

TEST_CASE("a rowset that cannot be positioned is not attached")
{
    Sample t(2);
    t.Switches().DisableInterface(IID_IRowPosition);
    t.Switches().DisableInterface(IID_IRowsetLocate);
    BindingRef b(new RootRowsetBinding(nullptr, false, true));
    CHECK(OpenOn(b.p, t.rs) == E_NOINTERFACE);
    CHECK_FALSE(b->IsAttached());
    RowBatch batch(b.p, ChapterHandle(b.p), 5, false, true, false);
    CHECK(batch.FetchFirst(0) == E_FAIL);
}

namespace {

// A source that only describes its columns.
struct ColumnsOnly : IColumnsInfo {
    IColumnsInfo* inner;
    ULONG refs = 1;
    explicit ColumnsOnly(IColumnsInfo* columns) : inner(columns) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IColumnsInfo)
            return E_NOINTERFACE;
        *object = static_cast<IColumnsInfo*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP GetColumnInfo(DBORDINAL* count, DBCOLUMNINFO** info, OLECHAR** strings) override
    {
        return inner->GetColumnInfo(count, info, strings);
    }
    STDMETHODIMP MapColumnIDs(DBORDINAL count, const DBID ids[], DBORDINAL ordinals[]) override
    {
        return inner->MapColumnIDs(count, ids, ordinals);
    }
};

} // namespace

TEST_CASE("a source that only describes its columns gives columns and no rows")
{
    Sample t(2);
    t.Switches().DisableInterface(IID_IRowPosition);
    BindingRef rowsetBinding(new RootRowsetBinding(nullptr, false, true));
    REQUIRE(OpenOn(rowsetBinding.p, t.rs) == S_OK);
    IColumnsInfo* columns = nullptr;
    REQUIRE(rowsetBinding->GetRowset()->QueryInterface(IID_IColumnsInfo, reinterpret_cast<void**>(&columns)) == S_OK);
    ColumnsOnly source(columns);
    {
        BindingRef b(new RootRowsetBinding(nullptr, false, true));
        CHECK(b->Open(&source) == S_OK);
        CHECK(b->GetColumnCount() == 2);
        CHECK_FALSE(b->IsAttached());
        RowBatch batch(b.p, ChapterHandle(b.p), 5, false, true, false);
        CHECK(FAILED(batch.FetchFirst(0)));
        CHECK(batch.Count() == 0);
    }
    CHECK(source.refs == 1);
    columns->Release();
}

TEST_CASE("a borrowed row handle is exchanged for one of its own")
{
    Sample t(3);
    t.Switches().DisableInterface(IID_IRowPosition);
    const long baseline = t.Switches().OutstandingRowRefs();
    BindingRef b(new RootRowsetBinding(nullptr, false, true));
    REQUIRE(OpenOn(b.p, t.rs) == S_OK);
    auto rows = FetchHandles(b.p, 3);
    {
        RowBookmark borrowed(rows[2], b.p, ChapterHandle(b.p), 0, nullptr, true);
        REQUIRE(borrowed.SetBorrowed(false) == S_OK);
        CHECK_FALSE(borrowed.IsBorrowed());
        HROW own = borrowed.GetRowHandle(false);
        REQUIRE(own);
        CHECK(ValueText(b.p, own, 2) == L"2");
        b->ReleaseRowHandles(rows.size(), rows.data()); // the lender lets go
        CHECK(ValueText(b.p, own, 2) == L"2");
    }
    CHECK(t.Switches().OutstandingRowRefs() == baseline);
}
