// Column buffers and value conversion, bookmarks and chapter handles, each
// without a provider.
#include <doctest/doctest.h>

#include "ChapterHandle.h"
#include "ColumnInfo.h"
#include "ConversionService.h"
#include "DataErrors.h"
#include "RowBookmark.h"
#include "ValueConversion.h"

#include <oledberr.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

DBCOLUMNINFO Describe(DBTYPE type, DBLENGTH size, DBORDINAL ordinal = 1, DBCOLUMNFLAGS flags = DBCOLUMNFLAGS_WRITE)
{
    DBCOLUMNINFO info{};
    info.pwszName = const_cast<LPOLESTR>(L"C");
    info.iOrdinal = ordinal;
    info.dwFlags = flags;
    info.ulColumnSize = size;
    info.wType = type;
    return info;
}

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

TEST_CASE("column buffers are laid out by effective type")
{
    SUBCASE("a wide text column of 10 characters has length and status after its value")
    {
        ColumnInfo column(nullptr, Describe(DBTYPE_WSTR, 10));
        const DBBINDING& b = column.GetBindingDescription();
        CHECK(column.GetType() == DBTYPE_WSTR);
        CHECK(b.cbMaxLen == 24);
        CHECK(b.obLength == 24);
        CHECK(b.obStatus == 28);
        CHECK(b.dwPart == (DBPART_VALUE | DBPART_LENGTH | DBPART_STATUS));
        CHECK(column.GetBufferSize() == 32);
    }
    SUBCASE("long or unsized texts are bound as BSTR")
    {
        CHECK(ColumnInfo(nullptr, Describe(DBTYPE_WSTR, 300)).GetType() == DBTYPE_BSTR);
        CHECK(ColumnInfo(nullptr, Describe(DBTYPE_STR, ~DBLENGTH(0))).GetType() == DBTYPE_BSTR);
        CHECK(ColumnInfo(nullptr, Describe(DBTYPE_STR, 255)).GetType() == DBTYPE_STR);
    }
    SUBCASE("fixed-length values carry only a status after the value")
    {
        struct Case { DBTYPE type; ULONG value; };
        for (Case c : {Case{DBTYPE_I2, 2}, Case{DBTYPE_I4, 4}, Case{DBTYPE_R8, 8}, Case{DBTYPE_VARIANT, 16},
                       Case{DBTYPE_UI1, 1}, Case{DBTYPE_NUMERIC, 19}, Case{DBTYPE_DBDATE, 6}}) {
            CAPTURE(c.type);
            DBBINDING b{};
            ULONG size = 0;
            REQUIRE(ColumnInfo::LayoutFor(c.type, 0, b, size) == S_OK);
            CHECK(b.obStatus == c.value);
            CHECK(size == c.value + 4);
            CHECK(b.dwPart == (DBPART_VALUE | DBPART_STATUS));
        }
        DBBINDING b{};
        ULONG size = 0;
        CHECK(ColumnInfo::LayoutFor(DBTYPE_UDT, 0, b, size) == E_FAIL);
    }
    SUBCASE("flags and normalisation")
    {
        ColumnInfo bookmark(nullptr, Describe(DBTYPE_VARIANT, 16, 0, DBCOLUMNFLAGS_ISBOOKMARK));
        CHECK(bookmark.IsBookmark());
        CHECK(bookmark.GetType() == DBTYPE_UI4);
        CHECK(bookmark.GetSize() == 4);
        CHECK(bookmark.GetName().IsEmpty());
        CHECK(ColumnInfo(nullptr, Describe(139, 8)).GetType() == DBTYPE_R8);
        CHECK_FALSE(ColumnInfo(nullptr, Describe(DBTYPE_BYTES, 10, 1, DBCOLUMNFLAGS_ISLONG)).IsReadable());
        ColumnInfo nullable(nullptr, Describe(DBTYPE_I4, 4, 1, DBCOLUMNFLAGS_ISNULLABLE));
        CHECK(nullable.MayBeNull());
        CHECK_FALSE(nullable.IsWritable());
        ColumnInfo late(nullptr, Describe(DBTYPE_DBTIMESTAMP, 16));
        late.ApplyLateTypeChange();
        CHECK(late.GetType() == DBTYPE_BSTR);
        CHECK(late.GetProviderType() == DBTYPE_DBTIMESTAMP);
    }
}

TEST_CASE("client value types of column types")
{
    struct Case { DBTYPE column; VARTYPE client; };
    for (Case c : {Case{DBTYPE_STR, VT_BSTR}, Case{DBTYPE_WSTR, VT_BSTR}, Case{DBTYPE_BSTR, VT_BSTR},
                   Case{DBTYPE_NUMERIC, VT_R8}, Case{DBTYPE_DBTIMESTAMP, VT_DATE}, Case{DBTYPE_DBDATE, VT_DATE},
                   Case{DBTYPE_HCHAPTER, VT_UI4}, Case{DBTYPE_I8, VT_CY}, Case{DBTYPE_BYTES, VT_EMPTY},
                   Case{DBTYPE_GUID, VT_EMPTY}, Case{DBTYPE_IUNKNOWN, VT_EMPTY}, Case{DBTYPE_R8, VT_R8},
                   Case{DBTYPE_I4, VT_I4}, Case{DBTYPE_BOOL, VT_BOOL}}) {
        CAPTURE(c.column);
        CHECK(ClientTypeOf(c.column) == c.client);
    }
}

TEST_CASE("values between VARIANTs and column buffers")
{
    SUBCASE("null sets the null status and leaves the value bytes zero")
    {
        for (DBTYPE type : {DBTYPE_I4, DBTYPE_R8, DBTYPE_WSTR}) {
            ColumnInfo column(nullptr, Describe(type, 8));
            std::vector<BYTE> buffer(column.GetBufferSize());
            VARIANT null;
            VariantInit(&null);
            V_VT(&null) = VT_NULL;
            VARIANT keep;
            REQUIRE(VariantToBuffer(column, null, nullptr, buffer.data(), &keep) == S_OK);
            DBSTATUS status = 0;
            std::memcpy(&status, buffer.data() + column.GetBindingDescription().obStatus, sizeof status);
            CHECK(status == DBSTATUS_S_ISNULL);
            for (size_t i = 0; i < column.GetBindingDescription().obStatus; ++i)
                CHECK(buffer[i] == 0);
            VARIANT back;
            VariantInit(&back);
            REQUIRE(BufferToVariant(column, buffer.data(), nullptr, &back) == S_OK);
            CHECK(V_VT(&back) == VT_NULL);
        }
    }
    SUBCASE("text longer than a wide column is refused with the data-overflow error")
    {
        ColumnInfo column(nullptr, Describe(DBTYPE_WSTR, 8));
        std::vector<BYTE> buffer(column.GetBufferSize());
        VARIANT text;
        VariantInit(&text);
        V_VT(&text) = VT_BSTR;
        V_BSTR(&text) = SysAllocString(L"0123456789");
        VARIANT keep;
        SetErrorInfo(0, nullptr);
        CHECK(VariantToBuffer(column, text, nullptr, buffer.data(), &keep) == DB_E_DATAOVERFLOW);
        VariantClear(&keep);
        CHECK(ErrorDescription() == L"Text is larger than column allows.");
        VariantClear(&text);
    }
    SUBCASE("text that fits round-trips with its byte length")
    {
        ColumnInfo column(nullptr, Describe(DBTYPE_WSTR, 8));
        std::vector<BYTE> buffer(column.GetBufferSize());
        VARIANT text;
        VariantInit(&text);
        V_VT(&text) = VT_BSTR;
        V_BSTR(&text) = SysAllocString(L"abc");
        VARIANT keep;
        REQUIRE(VariantToBuffer(column, text, nullptr, buffer.data(), &keep) == S_OK);
        VariantClear(&keep);
        DBLENGTH length = 0;
        std::memcpy(&length, buffer.data() + column.GetBindingDescription().obLength, sizeof length);
        CHECK(length == 6);
        VARIANT back;
        VariantInit(&back);
        REQUIRE(BufferToVariant(column, buffer.data(), nullptr, &back) == S_OK);
        REQUIRE(V_VT(&back) == VT_BSTR);
        CHECK(std::wstring(V_BSTR(&back)) == L"abc");
        VariantClear(&back);
        VariantClear(&text);
    }
    SUBCASE("a narrow text column measures its text in bytes")
    {
        ColumnInfo column(nullptr, Describe(DBTYPE_STR, 4));
        std::vector<BYTE> buffer(column.GetBufferSize());
        VARIANT text;
        VariantInit(&text);
        V_VT(&text) = VT_BSTR;
        V_BSTR(&text) = SysAllocString(L"abcde");
        VARIANT keep;
        CHECK(VariantToBuffer(column, text, nullptr, buffer.data(), &keep) == DB_E_DATAOVERFLOW);
        VariantClear(&keep);
        VariantClear(&text);
    }
    SUBCASE("numbers are converted to the column's type")
    {
        ColumnInfo column(nullptr, Describe(DBTYPE_R8, 8));
        std::vector<BYTE> buffer(column.GetBufferSize());
        VARIANT text;
        VariantInit(&text);
        V_VT(&text) = VT_I4;
        V_I4(&text) = 42;
        VARIANT keep;
        REQUIRE(VariantToBuffer(column, text, nullptr, buffer.data(), &keep) == S_OK);
        double value = 0;
        std::memcpy(&value, buffer.data(), sizeof value);
        CHECK(value == 42.0);
        V_VT(&text) = VT_UNKNOWN;
        V_UNKNOWN(&text) = nullptr;
        CHECK(FAILED(VariantToBuffer(column, text, nullptr, buffer.data(), &keep)));
    }
    SUBCASE("dates go into a timestamp column as their parts")
    {
        ColumnInfo column(nullptr, Describe(DBTYPE_DBTIMESTAMP, 16));
        std::vector<BYTE> buffer(column.GetBufferSize());
        VARIANT date;
        VariantInit(&date);
        V_VT(&date) = VT_DATE;
        V_DATE(&date) = 45000.5; // 15 March 2023, noon
        VARIANT keep;
        REQUIRE(VariantToBuffer(column, date, nullptr, buffer.data(), &keep) == S_OK);
        DBTIMESTAMP stamp{};
        std::memcpy(&stamp, buffer.data(), sizeof stamp);
        CHECK(stamp.year == 2023);
        CHECK(stamp.month == 3);
        CHECK(stamp.day == 15);
        CHECK(stamp.hour == 12);
        CHECK(stamp.fraction == 0);
    }
    SUBCASE("dates go into date and time columns as their own structures")
    {
        VARIANT date;
        VariantInit(&date);
        V_VT(&date) = VT_DATE;
        SYSTEMTIME day{2026, 12, 4, 10, 18, 30, 15, 0};
        REQUIRE(SystemTimeToVariantTime(&day, &V_DATE(&date)));
        VARIANT keep;
        ColumnInfo dates(nullptr, Describe(DBTYPE_DBDATE, 6));
        std::vector<BYTE> buffer(dates.GetBufferSize());
        REQUIRE(VariantToBuffer(dates, date, nullptr, buffer.data(), &keep) == S_OK);
        DBDATE stored{};
        std::memcpy(&stored, buffer.data(), sizeof stored);
        CHECK(stored.year == 2026);
        CHECK(stored.month == 12);
        CHECK(stored.day == 10);
        ColumnInfo times(nullptr, Describe(DBTYPE_DBTIME, 6));
        std::vector<BYTE> timeBuffer(times.GetBufferSize());
        REQUIRE(VariantToBuffer(times, date, nullptr, timeBuffer.data(), &keep) == S_OK);
        DBTIME time{};
        std::memcpy(&time, timeBuffer.data(), sizeof time);
        CHECK(time.hour == 18);
        CHECK(time.minute == 30);
        CHECK(time.second == 15);
    }
    SUBCASE("dates come back from date columns through the conversion service; an impossible day fails")
    {
        ConversionService service;
        ColumnInfo dates(nullptr, Describe(DBTYPE_DBDATE, 6));
        std::vector<BYTE> buffer(dates.GetBufferSize());
        struct Case {
            DBDATE day;
            bool valid;
        };
        for (const Case& c : {Case{{2026, 12, 10}, true}, Case{{2028, 2, 29}, true}, Case{{2026, 2, 30}, false},
                              Case{{2026, 13, 1}, false}}) {
            CAPTURE(c.day.month);
            CAPTURE(c.day.day);
            std::memcpy(buffer.data(), &c.day, sizeof c.day);
            VARIANT value;
            VariantInit(&value);
            const HRESULT hr = BufferToVariant(dates, buffer.data(), &service, &value);
            CHECK(SUCCEEDED(hr) == c.valid);
            if (!c.valid)
                continue;
            CHECK(V_VT(&value) == VT_DATE);
            SYSTEMTIME back{};
            REQUIRE(VariantTimeToSystemTime(V_DATE(&value), &back));
            CHECK(back.wYear == static_cast<WORD>(c.day.year));
            CHECK(back.wMonth == c.day.month);
            CHECK(back.wDay == c.day.day);
            CHECK(back.wHour == 0);
        }
    }
    SUBCASE("a value the provider could not give reads as a failure, not as zero")
    {
        ColumnInfo column(nullptr, Describe(DBTYPE_I4, 4));
        std::vector<BYTE> buffer(column.GetBufferSize());
        const LONG number = 7;
        std::memcpy(buffer.data(), &number, sizeof number);
        const DBSTATUS status = DBSTATUS_E_CANTCONVERTVALUE;
        std::memcpy(buffer.data() + column.GetBindingDescription().obStatus, &status, sizeof status);
        VARIANT value;
        VariantInit(&value);
        CHECK(BufferToVariant(column, buffer.data(), nullptr, &value) == DB_E_ERRORSOCCURRED);
        CHECK(V_VT(&value) == VT_EMPTY);
    }
}

TEST_CASE("bookmarks without a binding")
{
    const BYTE four[] = {1, 2, 3, 4};
    const BYTE five[] = {1, 2, 3, 4, 5};
    RowBookmark a(4, four);
    RowBookmark a2(4, four);
    RowBookmark b(5, five);
    RowBookmark b2(5, five);
    CHECK(a.GetBookmarkLength() == 4);
    CHECK(b.GetBookmarkLength() == 5);
    CHECK(std::memcmp(b.GetBookmarkBytes(), five, 5) == 0);
    CHECK(a.IsSameRow(a2));
    CHECK(b.IsSameRow(b2));
    CHECK_FALSE(a.IsSameRow(b));
    CHECK_FALSE(b.IsSameRow(a));

    SUBCASE("bookmark VARIANTs follow the bookmark column's size")
    {
        // Without a binding the column is unknown: 8 bytes are assumed.
        VARIANT v;
        VariantInit(&v);
        REQUIRE(b.GetAsVariant(&v, VT_I4) == S_OK);
        CHECK(V_VT(&v) == (VT_ARRAY | VT_UI1));
        CHECK(V_ARRAY(&v)->rgsabound[0].cElements == 5);
        VariantClear(&v);
        CHECK(a.ResultTypeFor(VT_BSTR) == VT_BSTR);
        CHECK(a.ResultTypeFor(VT_I2) == (VT_ARRAY | VT_UI1));
        CHECK(a.ResultTypeFor(VT_R8) == VT_R8);
        CHECK(a.ResultTypeFor(VT_R8 | VT_BYREF) == VT_R8);
        CHECK(a.ResultTypeFor(VT_RECORD) == (VT_ARRAY | VT_UI1));
        CHECK(a.ResultTypeFor(VT_EMPTY) == (VT_ARRAY | VT_UI1));
    }
}

TEST_CASE("chapter handles without a binding")
{
    ChapterHandle empty;
    CHECK(empty.Attach(nullptr, 7, false) == E_POINTER);
    CHECK(empty.Value() == DB_NULL_HCHAPTER);
    CHECK(empty.Release() == S_OK);
    empty = empty;
    CHECK(empty.Value() == DB_NULL_HCHAPTER);
    CHECK(empty.Equals(ChapterHandle()));
}
