// The application's side of the in-memory recordset: fields, records,
// cursor, clones, text-to-number conversion and large tables.
#include <doctest/doctest.h>

#include "Recordset.h"
#include "RecordsetErrors.h"

#include <oleauto.h>

#include <string>

using namespace hv::recordset;

namespace {

struct Var {
    VARIANT v;
    Var() { VariantInit(&v); }
    explicit Var(double d) { VariantInit(&v); v.vt = VT_R8; v.dblVal = d; }
    explicit Var(const wchar_t* s) { VariantInit(&v); v.vt = VT_BSTR; v.bstrVal = SysAllocString(s); }
    static Var Null() { Var n; n.v.vt = VT_NULL; return n; }
    ~Var() { VariantClear(&v); }
    Var(const Var&) = delete;
    Var(Var&& o) noexcept { v = o.v; VariantInit(&o.v); }
};

// The analysis record's layout, opened empty.
void MakeAnalyses(Recordset& rs)
{
    REQUIRE(rs.AppendField(L"AMOSTRA", FieldType::WideString, 0, kFieldNullable) == S_OK);
    for (const wchar_t* name : {L"ME", L"TEMP_ENS", L"TEMP_EST", L"ME20", L"GRAU", L"GRAU20", L"FATOR"})
        REQUIRE(rs.AppendField(name, FieldType::Double, 0, kFieldNullable) == S_OK);
    REQUIRE(rs.Open() == S_OK);
}

void AddSample(Recordset& rs, const wchar_t* sample, double me)
{
    REQUIRE(rs.AddNew() == S_OK);
    REQUIRE(rs.SetValue(L"AMOSTRA", Var(sample).v) == S_OK);
    REQUIRE(rs.SetValue(L"ME", Var(me).v) == S_OK);
    REQUIRE(rs.Update() == S_OK);
}

std::wstring Sample(const Recordset& rs)
{
    Var v;
    REQUIRE(rs.GetValue(L"AMOSTRA", &v.v) == S_OK);
    REQUIRE(v.v.vt == VT_BSTR);
    return v.v.bstrVal;
}

} // namespace

TEST_CASE("fields keep append order and are found by name without regard to case")
{
    Recordset rs;
    CHECK(rs.State() == 0);
    MakeAnalyses(rs);
    CHECK(rs.State() == 1);
    CHECK(rs.FieldCount() == 8);
    std::wstring name;
    REQUIRE(rs.GetFieldName(2, name) == S_OK);
    CHECK(name == L"TEMP_ENS");
    CHECK(rs.AppendField(L"X", FieldType::Double) == kObjectOpen);
    CHECK(rs.RecordCount() == 0);
    CHECK(rs.IsEOF());
    CHECK(rs.IsBOF());

    AddSample(rs, L"A1", 812.5);
    Var me;
    REQUIRE(rs.GetValue(L"Me", &me.v) == S_OK);
    CHECK(me.v.vt == VT_R8);
    CHECK(me.v.dblVal == 812.5);
    Var byIndex;
    REQUIRE(rs.GetValue(1L, &byIndex.v) == S_OK);
    CHECK(byIndex.v.dblVal == 812.5);
    Var missing;
    CHECK(rs.GetValue(L"NOPE", &missing.v) == kItemNotFound);
    CHECK(rs.GetValue(8L, &missing.v) == kItemNotFound);
    CHECK(rs.SetValue(L"nope", Var(1.0).v) == kItemNotFound);

    REQUIRE(rs.Close() == S_OK);
    CHECK(rs.State() == 0);
    CHECK(rs.MoveFirst() == kObjectClosed);
    REQUIRE(rs.Open() == S_OK);
    CHECK(rs.RecordCount() == 0);
    CHECK(rs.FieldCount() == 8);
}

TEST_CASE("field definitions that cannot work are refused")
{
    Recordset rs;
    CHECK(rs.Open() == kIllegalOperation); // no field
    REQUIRE(rs.AppendField(L"A", FieldType::Double) == S_OK);
    CHECK(rs.AppendField(L"a", FieldType::WideString) == kIllegalOperation);
    CHECK(rs.AppendField(L"", FieldType::WideString) == kIllegalOperation);
    CHECK(rs.AppendField(L"C", FieldType::Chapter) == kIllegalOperation);
}

TEST_CASE("records are added, moved over in insertion order, and a move commits AddNew")
{
    Recordset rs;
    MakeAnalyses(rs);
    AddSample(rs, L"A1", 800);
    AddSample(rs, L"A2", 810);
    // Table generation relies on a move committing the pending record.
    REQUIRE(rs.AddNew() == S_OK);
    CHECK(rs.RecordCount() == 3);
    CHECK_FALSE(rs.IsEOF());
    REQUIRE(rs.SetValue(L"AMOSTRA", Var(L"A3").v) == S_OK);
    CHECK(Sample(rs) == L"A3");
    REQUIRE(rs.MoveFirst() == S_OK);
    CHECK_FALSE(rs.IsAdding());
    CHECK(rs.RecordCount() == 3);

    std::wstring seen;
    while (!rs.IsEOF()) {
        seen += Sample(rs) + L";";
        REQUIRE(rs.MoveNext() == S_OK);
    }
    CHECK(seen == L"A1;A2;A3;");
    CHECK(rs.MoveNext() == kNoCurrentRecord);
    Var none;
    CHECK(rs.GetValue(L"ME", &none.v) == kNoCurrentRecord);

    REQUIRE(rs.MovePrevious() == S_OK);
    CHECK(Sample(rs) == L"A3");
    REQUIRE(rs.MoveFirst() == S_OK);
    REQUIRE(rs.MovePrevious() == S_OK);
    CHECK(rs.IsBOF());
    CHECK(rs.MovePrevious() == kNoCurrentRecord);
    REQUIRE(rs.MoveLast() == S_OK);
    CHECK(Sample(rs) == L"A3");

    // The new record is the current one after AddNew and after Update.
    AddSample(rs, L"A4", 820);
    CHECK(Sample(rs) == L"A4");
}

TEST_CASE("a clone shares the records but keeps its own position")
{
    Recordset rs;
    MakeAnalyses(rs);
    AddSample(rs, L"A1", 800);
    AddSample(rs, L"A2", 810);
    std::unique_ptr<Recordset> clone;
    REQUIRE(rs.Clone(clone) == S_OK);
    CHECK(Sample(*clone) == L"A1");
    CHECK(Sample(rs) == L"A2");
    REQUIRE(clone->MoveNext() == S_OK);
    REQUIRE(clone->MoveNext() == S_OK);
    CHECK(clone->IsEOF());
    CHECK(Sample(rs) == L"A2");

    // Records added on either side are seen by both.
    AddSample(rs, L"A3", 820);
    CHECK(clone->RecordCount() == 3);
    REQUIRE(clone->SetValue(L"ME", Var(1.0).v) == kNoCurrentRecord);
    REQUIRE(clone->MoveLast() == S_OK);
    REQUIRE(clone->SetValue(L"ME", Var(999.0).v) == S_OK);
    Var me;
    REQUIRE(rs.GetValue(L"ME", &me.v) == S_OK);
    CHECK(me.v.dblVal == 999.0);
}

TEST_CASE("a text for a double field is read with '.' as the decimal separator in every locale")
{
    struct Case { const wchar_t* text; bool ok; double value; };
    const Case cases[] = {
        {L"812.5", true, 812.5},  {L" 25 ", true, 25},      {L"-0.9967", true, -0.9967},
        {L"1e3", true, 1000},     {L"812,5", false, 0},     {L"", false, 0},
        {L"12abc", false, 0},     {L"1.234.5", false, 0},   {L"+7", true, 7},
    };
    Recordset rs;
    MakeAnalyses(rs);
    REQUIRE(rs.AddNew() == S_OK);
    for (const Case& c : cases) {
        CAPTURE(std::string(c.text, c.text + wcslen(c.text)));
        const HRESULT hr = rs.SetValue(L"ME", Var(c.text).v);
        CHECK(SUCCEEDED(hr) == c.ok);
        if (c.ok) {
            Var v;
            REQUIRE(rs.GetValue(L"ME", &v.v) == S_OK);
            CHECK(v.v.dblVal == c.value);
        } else {
            CHECK(hr == DISP_E_TYPEMISMATCH);
        }
    }
    // A number into a text field is written the same way, never with a comma.
    REQUIRE(rs.SetValue(L"AMOSTRA", Var(0.5).v) == S_OK);
    CHECK(Sample(rs) == L"0.5");
}

TEST_CASE("a number set by index without a VARIANT lands in the new or the current record")
{
    Recordset rs;
    MakeAnalyses(rs);
    CHECK(rs.SetNumber(1, 1.0) == kNoCurrentRecord);
    REQUIRE(rs.AddNew() == S_OK);
    CHECK(rs.SetNumber(1, 812.5) == S_OK);
    CHECK(rs.SetNumber(0, 1.0) == DISP_E_TYPEMISMATCH);   // AMOSTRA is text
    CHECK(rs.SetNumber(8, 1.0) == kItemNotFound);
    CHECK(rs.SetNumber(-1, 1.0) == kItemNotFound);
    REQUIRE(rs.Update() == S_OK);
    CHECK(rs.SetNumber(7, 0.9967) == S_OK);                // an existing record
    Var me, fator, amostra;
    REQUIRE(rs.GetValue(L"ME", &me.v) == S_OK);
    REQUIRE(rs.GetValue(L"FATOR", &fator.v) == S_OK);
    REQUIRE(rs.GetValue(L"AMOSTRA", &amostra.v) == S_OK);
    CHECK(me.v.vt == VT_R8);
    CHECK(me.v.dblVal == 812.5);
    CHECK(fator.v.dblVal == 0.9967);
    CHECK(amostra.v.vt == VT_NULL);
}

TEST_CASE("null is distinct from the empty text, and non-nullable fields refuse it")
{
    Recordset rs;
    REQUIRE(rs.AppendField(L"T", FieldType::WideString, 0, kFieldNullable) == S_OK);
    REQUIRE(rs.AppendField(L"REQ", FieldType::Double, 0, 0) == S_OK);
    REQUIRE(rs.AppendField(L"SHORT", FieldType::WideString, 3, kFieldNullable) == S_OK);
    REQUIRE(rs.Open() == S_OK);
    REQUIRE(rs.AddNew() == S_OK);
    Var fresh;
    REQUIRE(rs.GetValue(L"T", &fresh.v) == S_OK);
    CHECK(fresh.v.vt == VT_NULL);
    REQUIRE(rs.SetValue(L"T", Var(L"").v) == S_OK);
    Var empty;
    REQUIRE(rs.GetValue(L"T", &empty.v) == S_OK);
    CHECK(empty.v.vt == VT_BSTR);
    CHECK(SysStringLen(empty.v.bstrVal) == 0);
    CHECK(rs.SetValue(L"REQ", Var::Null().v) == kDataConversion);
    CHECK(rs.SetValue(L"SHORT", Var(L"abcd").v) == kDataConversion);
    CHECK(rs.SetValue(L"SHORT", Var(L"abc").v) == S_OK);
    REQUIRE(rs.Update() == S_OK);
    REQUIRE(rs.SetValue(L"T", Var::Null().v) == S_OK);
    Var back;
    REQUIRE(rs.GetValue(L"T", &back.v) == S_OK);
    CHECK(back.v.vt == VT_NULL);
}

TEST_CASE("a table of 2 million doubles fits and reads back; an impossible size fails cleanly")
{
    Recordset rs;
    REQUIRE(rs.AppendField(L"A", FieldType::Double) == S_OK);
    REQUIRE(rs.AppendField(L"B", FieldType::Double) == S_OK);
    REQUIRE(rs.Open() == S_OK);
    CHECK(rs.Reserve(size_t(1) << 31) == E_OUTOFMEMORY);
    CHECK(rs.Reserve(0xFFFFFFFFu) == E_OUTOFMEMORY);
    constexpr int kRecords = 1000000; // two fields: 2 million values
    REQUIRE(rs.Reserve(kRecords) == S_OK);
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    for (int i = 0; i < kRecords; ++i) {
        REQUIRE(rs.AddNew() == S_OK);
        v.dblVal = i * 0.5;
        REQUIRE(rs.SetValue(0L, v) == S_OK);
        if (i % 7 != 0) {
            v.dblVal = -i;
            REQUIRE(rs.SetValue(1L, v) == S_OK);
        }
    }
    REQUIRE(rs.Update() == S_OK);
    CHECK(rs.RecordCount() == kRecords);
    REQUIRE(rs.MoveFirst() == S_OK);
    int bad = 0;
    for (int i = 0; i < kRecords; ++i, rs.MoveNext()) {
        VARIANT a, b;
        rs.GetValue(0L, &a);
        rs.GetValue(1L, &b);
        if (a.dblVal != i * 0.5 || (i % 7 == 0 ? b.vt != VT_NULL : b.dblVal != -i))
            ++bad;
    }
    CHECK(bad == 0);
    CHECK(rs.IsEOF());
}
