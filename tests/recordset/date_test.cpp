// Date fields: a day without a time of day, described to a consumer as
// DBTYPE_DBDATE and read and written through the date binding types, the
// text "yyyy-mm-dd" and VARIANTs; impossible days are refused.
#include <doctest/doctest.h>

#include "RowsetFixture.h"

#include <oleauto.h>

using namespace rstest;

namespace {

DATE Day(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0)
{
    SYSTEMTIME time{};
    time.wYear = year, time.wMonth = month, time.wDay = day, time.wHour = hour, time.wMinute = minute;
    DATE date = 0;
    REQUIRE(SystemTimeToVariantTime(&time, &date));
    return date;
}

VARIANT DateVariant(DATE date)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_DATE;
    v.date = date;
    return v;
}

// A recordset of one date field over the records' days (0: null).
struct Days {
    Recordset rs;
    IRowset* rowset = nullptr;
    IAccessor* accessor = nullptr;

    explicit Days(std::initializer_list<DATE> days)
    {
        REQUIRE(rs.AppendField(L"DAY", FieldType::DBDate, 0, kFieldNullable) == S_OK);
        REQUIRE(rs.Open() == S_OK);
        for (DATE day : days) {
            REQUIRE(rs.AddNew() == S_OK);
            if (day != 0)
                REQUIRE(rs.SetValue(L"DAY", DateVariant(day)) == S_OK);
            REQUIRE(rs.Update() == S_OK);
        }
        IUnknown* unknown = nullptr;
        REQUIRE(rs.GetDataSource(&unknown) == S_OK);
        ::DataSource* source = nullptr;
        REQUIRE(unknown->QueryInterface(kIidDataSource, reinterpret_cast<void**>(&source)) == S_OK);
        unknown->Release();
        BSTR member = SysAllocString(L"");
        IUnknown* got = nullptr;
        REQUIRE(source->getDataMember(member, IID_IRowset, &got) == S_OK);
        SysFreeString(member);
        source->Release();
        REQUIRE(got->QueryInterface(IID_IRowset, reinterpret_cast<void**>(&rowset)) == S_OK);
        got->Release();
        REQUIRE(rowset->QueryInterface(IID_IAccessor, reinterpret_cast<void**>(&accessor)) == S_OK);
    }
    ~Days()
    {
        accessor->Release();
        rowset->Release();
    }
    Days(const Days&) = delete;
    Days& operator=(const Days&) = delete;

    HROW Nth(DBROWOFFSET n)
    {
        IRowsetLocate* locate = nullptr;
        REQUIRE(rowset->QueryInterface(IID_IRowsetLocate, reinterpret_cast<void**>(&locate)) == S_OK);
        const BYTE first = DBBMK_FIRST;
        DBCOUNTITEM got = 0;
        HROW* rows = nullptr;
        REQUIRE(locate->GetRowsAt(0, DB_NULL_HCHAPTER, 1, &first, n, 1, &got, &rows) == S_OK);
        locate->Release();
        REQUIRE(got == 1);
        HROW row = rows[0];
        CoTaskMemFree(rows);
        return row;
    }

    // An accessor over the day as one binding type.
    HACCESSOR As(DBTYPE type, DBLENGTH max)
    {
        DBBINDING b{};
        b.iOrdinal = 1;
        b.obValue = 0;
        b.obLength = 64;
        b.obStatus = 72;
        b.dwPart = DBPART_VALUE | DBPART_LENGTH | DBPART_STATUS;
        b.dwMemOwner = DBMEMOWNER_CLIENTOWNED;
        b.wType = type;
        b.cbMaxLen = max;
        HACCESSOR made = 0;
        REQUIRE(accessor->CreateAccessor(DBACCESSOR_ROWDATA, 1, &b, 0, &made, nullptr) == S_OK);
        return made;
    }
};

struct Buffer {
    BYTE value[64];
    DBLENGTH length;
    DBSTATUS status;
};
static_assert(offsetof(Buffer, length) == 64 && offsetof(Buffer, status) == 72);

} // namespace

TEST_CASE("a date field keeps the day: described as DBDATE, read through each date type and as text")
{
    Days days({Day(2026, 12, 10, 14, 30), 0});
    // The time of day given is dropped.
    REQUIRE(days.rs.MoveFirst() == S_OK);
    VARIANT kept;
    REQUIRE(days.rs.GetValue(L"DAY", &kept) == S_OK);
    CHECK(kept.vt == VT_DATE);
    CHECK(kept.date == Day(2026, 12, 10));

    IColumnsInfo* info = nullptr;
    REQUIRE(days.rowset->QueryInterface(IID_IColumnsInfo, reinterpret_cast<void**>(&info)) == S_OK);
    DBORDINAL count = 0;
    DBCOLUMNINFO* columns = nullptr;
    OLECHAR* names = nullptr;
    REQUIRE(info->GetColumnInfo(&count, &columns, &names) == S_OK);
    REQUIRE(count == 2);
    CHECK(columns[1].wType == DBTYPE_DBDATE);
    CHECK(columns[1].ulColumnSize == sizeof(DBDATE));
    CHECK((columns[1].dwFlags & DBCOLUMNFLAGS_ISFIXEDLENGTH) != 0);
    CoTaskMemFree(columns);
    CoTaskMemFree(names);
    info->Release();

    HROW row = days.Nth(0);
    HROW empty = days.Nth(1);
    const DBTYPE types[] = {DBTYPE_DBDATE, DBTYPE_DATE, DBTYPE_DBTIMESTAMP, DBTYPE_WSTR, DBTYPE_VARIANT};
    for (DBTYPE type : types) {
        CAPTURE(type);
        const HACCESSOR as = days.As(type, 64);
        Buffer buffer{};
        REQUIRE(days.rowset->GetData(row, as, &buffer) == S_OK);
        CHECK(buffer.status == DBSTATUS_S_OK);
        if (type == DBTYPE_DBDATE) {
            const auto* date = reinterpret_cast<const DBDATE*>(buffer.value);
            CHECK(date->year == 2026);
            CHECK(date->month == 12);
            CHECK(date->day == 10);
        } else if (type == DBTYPE_DATE) {
            CHECK(*reinterpret_cast<const DATE*>(buffer.value) == Day(2026, 12, 10));
        } else if (type == DBTYPE_DBTIMESTAMP) {
            const auto* stamp = reinterpret_cast<const DBTIMESTAMP*>(buffer.value);
            CHECK((stamp->year == 2026 && stamp->month == 12 && stamp->day == 10 && stamp->hour == 0));
        } else if (type == DBTYPE_WSTR) {
            CHECK(std::wstring(reinterpret_cast<const wchar_t*>(buffer.value)) == L"2026-12-10");
        } else {
            auto* value = reinterpret_cast<VARIANT*>(buffer.value);
            CHECK(value->vt == VT_DATE);
            CHECK(value->date == Day(2026, 12, 10));
            VariantClear(value);
        }
        buffer.status = 0;
        days.rowset->GetData(empty, as, &buffer);
        CHECK(buffer.status == DBSTATUS_S_ISNULL);
        days.accessor->ReleaseAccessor(as, nullptr);
    }
    days.rowset->ReleaseRows(1, &row, nullptr, nullptr, nullptr);
    days.rowset->ReleaseRows(1, &empty, nullptr, nullptr, nullptr);
}

TEST_CASE("a date field written through the rowset: a DBDATE or a text day is stored, an impossible day refused")
{
    Days days({Day(2026, 1, 15)});
    IRowsetChange* change = nullptr;
    REQUIRE(days.rowset->QueryInterface(IID_IRowsetChange, reinterpret_cast<void**>(&change)) == S_OK);
    HROW row = days.Nth(0);
    const HACCESSOR read = days.As(DBTYPE_DATE, sizeof(DATE));
    auto stored = [&] {
        Buffer back{};
        REQUIRE(days.rowset->GetData(row, read, &back) == S_OK);
        return *reinterpret_cast<const DATE*>(back.value);
    };

    const HACCESSOR asDate = days.As(DBTYPE_DBDATE, sizeof(DBDATE));
    Buffer buffer{};
    const DBDATE leap{2028, 2, 29};
    std::memcpy(buffer.value, &leap, sizeof leap);
    REQUIRE(change->SetData(row, asDate, &buffer) == S_OK);
    CHECK(stored() == Day(2028, 2, 29));
    const DBDATE impossible{2026, 2, 30};
    std::memcpy(buffer.value, &impossible, sizeof impossible);
    CHECK(change->SetData(row, asDate, &buffer) == DB_E_ERRORSOCCURRED);
    CHECK(buffer.status == DBSTATUS_E_CANTCONVERTVALUE);
    CHECK(stored() == Day(2028, 2, 29));

    const HACCESSOR asText = days.As(DBTYPE_WSTR, 64);
    Buffer text{};
    const std::wstring day = L"2026-12-10";
    std::memcpy(text.value, day.c_str(), (day.size() + 1) * sizeof(wchar_t));
    text.length = day.size() * sizeof(wchar_t);
    REQUIRE(change->SetData(row, asText, &text) == S_OK);
    CHECK(stored() == Day(2026, 12, 10));
    const std::wstring month13 = L"2026-13-01";
    std::memcpy(text.value, month13.c_str(), (month13.size() + 1) * sizeof(wchar_t));
    CHECK(change->SetData(row, asText, &text) == DB_E_ERRORSOCCURRED);
    CHECK(stored() == Day(2026, 12, 10));

    days.accessor->ReleaseAccessor(read, nullptr);
    days.accessor->ReleaseAccessor(asDate, nullptr);
    days.accessor->ReleaseAccessor(asText, nullptr);
    days.rowset->ReleaseRows(1, &row, nullptr, nullptr, nullptr);
    change->Release();
}
