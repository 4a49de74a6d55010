// CDualString and SubstituteInserts.
#include "DualString.h"

#include <doctest/doctest.h>

#include <string>

namespace {

std::string TextOf(const CDualString& s)
{
    return s.c_str();
}

} // namespace

TEST_CASE("substrings")
{
    const CDualString abc("abc");
    struct {
        CDualString result;
        const char* expected;
    } cases[] = {
        {abc.Mid(5, 3), ""}, {abc.Mid(1, 10), "bc"}, {abc.Mid(3, 1), ""}, {abc.Mid(0, 2), "ab"},
        {abc.Right(5), "abc"}, {abc.Right(2), "bc"}, {abc.Left(2), "ab"}, {abc.Left(9), "abc"},
    };
    for (auto& c : cases)
        CHECK(TextOf(c.result) == c.expected);
    CHECK(abc.Find("bc") == 1);
    CHECK(abc.Find("x") == -1);
    CHECK(abc.FindChar('c') == 2);
    CHECK(CDualString().Find("a") == -1);
}

TEST_CASE("comparison")
{
    CDualString empty;
    CHECK(empty.Compare("") == -1); // a null text sorts before any text
    CHECK(empty.Compare(nullptr) == 0);
    CHECK(CDualString("ABC").CompareNoCase("abc") == 0);
    CHECK(CDualString("abc").Compare("abd") == -1);
    CHECK(CDualString("b").Compare("a") == 1);
    CHECK(CompareWideStrings(nullptr, L"") == -1);
    CHECK(CompareWideStrings(nullptr, nullptr) == 0);
    CHECK(CompareWideStrings(L"b", L"a") == 1);
}

TEST_CASE("the cached BSTR follows every change of the text")
{
    CDualString s("old");
    BSTR first = s.AllocSysString();
    CHECK(std::wstring(first) == L"old");
    CHECK_FALSE(s.IsStale());
    s.AssignAnsi("x");
    CHECK(s.IsStale());
    BSTR second = s.AllocSysString();
    CHECK(std::wstring(second) == L"x");
    SysFreeString(first);
    SysFreeString(second);

    s.AppendAnsi("yz");
    BSTR third = s.AllocSysString();
    CHECK(std::wstring(third) == L"xyz");
    SysFreeString(third);
    CHECK(CDualString().AllocSysString() == nullptr);

    CDualString wide(L"w\u00e9");
    CHECK(wide.Length() == 2); // one byte per character in the ANSI code page
    BSTR back = wide.AllocSysString();
    CHECK(std::wstring(back) == L"w\u00e9");
    SysFreeString(back);
}

TEST_CASE("SubstituteInserts")
{
    struct {
        const char* message;
        const char* inserts[4];
        const char* expected;
    } cases[] = {
        {"Row |1 of |2", {"3", "7", nullptr}, "Row 3 of 7"},
        {"|2 before |1", {"3", "7", nullptr}, "7 before 3"},
        {"|1|1", {"a", nullptr}, "a|1"},
        {"no placeholder", {"a", nullptr}, "no placeholder"},
        {"|3 only", {"a", "b", "c", nullptr}, "c only"},
        {"end |1", {"", nullptr}, "end "},
    };
    for (auto& c : cases) {
        CAPTURE(c.message);
        CDualString message(c.message);
        SubstituteInserts(message, c.inserts);
        CHECK(TextOf(message) == c.expected);
    }
    CDualString empty;
    const char* one[] = {"x", nullptr};
    SubstituteInserts(empty, one);
    CHECK(empty.IsEmpty());
}

TEST_CASE("Format prints whole whatever the length")
{
    CDualString s;
    s.Format("%s=%d", "width", 12);
    CHECK(TextOf(s) == "width=12");

    std::string longText(5000, 'q');
    s.Format("[%s]", longText.c_str());
    CHECK(s.Length() == 5002);

    s.Format("%f", 1e300);
    CHECK(s.Length() > 300);
    CHECK(TextOf(s).substr(0, 2) == "10");

    IntToString(-255, s, 10);
    CHECK(TextOf(s) == "-255");
    IntToString(255, s, 16);
    CHECK(TextOf(s) == "ff");
}
