// The normalised comparison form: kinds, ordering within a kind and the
// conversions that bring two values of different types to one kind.
#include <doctest/doctest.h>

#include "ComparableValue.h"
#include "Model2Support.h"
#include "ValueListSupport.h"

namespace {

VARIANT Typed(VARTYPE type, LONGLONG bits)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = type;
    V_CY(&v).int64 = bits;
    return v;
}

VARIANT MakeR8(double value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_R8;
    V_R8(&v) = value;
    return v;
}

VARIANT MakeCy(LONGLONG units)
{
    return Typed(VT_CY, units);
}

// A number as text in the user's locale (decimal comma under pt-BR).
VARIANT LocalText(double number)
{
    VARIANT value = MakeR8(number);
    VARIANT text;
    VariantInit(&text);
    REQUIRE(VariantChangeType(&text, &value, 0, VT_BSTR) == S_OK);
    return text;
}

} // namespace

TEST_CASE("valuelist: comparable value kinds")
{
    VARIANT null;
    VariantInit(&null);
    V_VT(&null) = VT_NULL;
    VARIANT i8 = Typed(VT_I8, 5);
    VARIANT text = MakeText(L"x");
    VARIANT byRef;
    VariantInit(&byRef);
    V_VT(&byRef) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&byRef) = &text;
    struct Row {
        VARIANT value;
        VARTYPE kind;
    } rows[] = {
        {VARIANT{}, ComparableValue::None},  {null, ComparableValue::Null},
        {MakeI4(1), ComparableValue::Integer}, {Typed(VT_UI1, 1), ComparableValue::Integer},
        {Typed(VT_ERROR, 1), ComparableValue::Integer}, {MakeR4(1.5f), ComparableValue::Floating},
        {MakeR8(2.5), ComparableValue::Floating}, {MakeCy(10000), ComparableValue::Currency},
        {MakeDate(40000.0), ComparableValue::Date}, {text, ComparableValue::Text},
        {MakeBool(true), ComparableValue::Boolean}, {i8, ComparableValue::None},
        {byRef, ComparableValue::Text},
    };
    for (const Row& row : rows) {
        CAPTURE(V_VT(&row.value));
        CHECK(ComparableValue::KindOf(row.value) == row.kind);
        ComparableValue value(row.value);
        CHECK(value.GetKind() == row.kind);
    }
    VariantClear(&text);
}

TEST_CASE("valuelist: comparable values order within a kind and keep kinds apart")
{
    VARIANT a = MakeText(L"abc");
    VARIANT b = MakeText(L"ABC");
    VARIANT c = MakeText(L"abd");
    ComparableValue ta(a), tb(b), tc(c);
    CHECK(ta.Compare(tb) == 0);
    CHECK(ta.Compare(tc) == -1);
    CHECK(tc.Compare(ta) == 1);

    ComparableValue minus(MakeI4(-1)), two(MakeI4(2));
    CHECK(minus.Compare(two) == -1);
    ComparableValue big(Typed(VT_UI4, 0xFFFFFFFF)), one(Typed(VT_UI4, 1));
    CHECK(big.Compare(one) == 1);

    ComparableValue yes(MakeBool(true)), no(MakeBool(false));
    CHECK(yes.Compare(no) == 1);
    CHECK(no.Compare(yes) == -1);
    CHECK(yes.Compare(yes) == 0);

    // Different kinds never compare equal; empty and null sort first.
    ComparableValue empty{VARIANT{}}, number(MakeI4(0));
    CHECK(empty.Compare(number) == -1);
    CHECK(number.Compare(empty) == 1);
    CHECK(number.Compare(ta) == 1);
    CHECK(ta.Compare(number) == -1);
    ComparableValue truth(MakeBool(true)), real(MakeR8(0.5));
    CHECK(truth.Compare(number) == -1);
    CHECK(number.Compare(truth) == 1);
    CHECK(number.Compare(real) == -real.Compare(number));
    VariantClear(&a);
    VariantClear(&b);
    VariantClear(&c);
}

TEST_CASE("valuelist: comparable value conversions")
{
    struct Row {
        const char* name;
        VARIANT from;
        VARTYPE to;
        bool converts;
    } rows[] = {
        {"whole double to integer", MakeR8(5.0), VT_I4, true},
        {"fraction to integer", MakeR8(5.5), VT_I4, false},
        {"whole currency to integer", MakeCy(70000), VT_I4, true},
        {"currency fraction to integer", MakeCy(70001), VT_I4, false},
        {"Boolean to integer", MakeBool(true), VT_I4, false},
        {"whole text to integer", MakeText(L"12"), VT_I4, true},
        {"fraction text to integer", LocalText(5.5), VT_I4, false},
        {"word to integer", MakeText(L"five"), VT_I4, false},
        {"integer to Boolean", MakeI4(1), VT_BOOL, false},
        {"integer to text", MakeI4(12), VT_BSTR, true},
        {"integer to double", MakeI4(12), VT_R8, true},
    };
    for (Row& row : rows) {
        CAPTURE(row.name);
        ComparableValue value(row.from);
        CHECK(value.ConvertTo(row.to) == row.converts);
        if (row.converts)
            CHECK(value.GetKind() == row.to);
        VariantClear(&row.from);
    }

    // A converted value goes back to its source for its own kind.
    VARIANT twelve = MakeText(L"12");
    ComparableValue value(twelve);
    REQUIRE(value.ConvertTo(VT_I4));
    ComparableValue integer(MakeI4(12));
    CHECK(value.Compare(integer) == 0);
    REQUIRE(value.ConvertTo(VT_BSTR));
    CHECK(value.GetKind() == ComparableValue::Text);
    VariantClear(&twelve);
}
