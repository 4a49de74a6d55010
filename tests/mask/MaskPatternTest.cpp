// The mask rules: reading a text against a mask, the five mask modes, and
// typing and pasting with the position of the first character refused.
#include "MaskPattern.h"

#include <doctest/doctest.h>

using hv::mask::MaskPattern;

TEST_CASE("mask pattern: a text given out in each mask mode")
{
    struct Case {
        const wchar_t* mask;
        const wchar_t* text;
        int mode;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"###-##", L"12-34", 0, L"1234"},
        {L"###-##", L"12345", 1, L"123-45"},
        {L"###-##", L"123", 1, L"123"},
        {L"###-##", L"12", 2, L"12___"},
        {L"###-##", L"12", 3, L"12_-__"},
        {L"###-##", L"12", 4, L"12 -  "},
        {L"###-##", L"1_3-4", 0, L"134"},
        {L"###-##", L"1_3-4", 3, L"1_3-4_"},
        {L"(##) A&", L"(12) x!", 0, L"12x!"},
        {L"(##) A&", L"12x!", 1, L"(12) x!"},
        // Characters that fit no slot are passed over; nothing filled gives "".
        {L"###", L"1a2", 0, L"12"},
        {L"###", L"abc", 3, L""},
        {L"###", L"", 2, L""},
    };
    for (const Case& c : cases) {
        CAPTURE(c.mask);
        CAPTURE(c.text);
        CAPTURE(c.mode);
        CHECK(MaskPattern(c.mask).Format(c.text, c.mode, L'_') == c.expected);
    }
}

TEST_CASE("mask pattern: typing places literals, refuses what does not fit and names where")
{
    const MaskPattern mask(L"###-##");
    std::wstring text;
    size_t caret = 0;
    for (wchar_t c : std::wstring(L"12")) {
        CHECK(mask.Type(text, caret, caret, c, L'_', &caret) == MaskPattern::NoPosition);
    }
    CHECK(text == L"12");
    // "a" is not a digit; the literal comes in front of the fourth digit.
    CHECK(mask.Type(text, 2, 2, L'a', L'_', &caret) == 2);
    CHECK(text == L"12");
    CHECK(mask.Type(text, 2, 2, L'3', L'_', &caret) == MaskPattern::NoPosition);
    CHECK(mask.Type(text, caret, caret, L'4', L'_', &caret) == MaskPattern::NoPosition);
    CHECK(text == L"123-4");
    CHECK(caret == 5);
    CHECK(mask.Type(text, 4, 4, L'x', L'_', &caret) == 4);
    // The literal itself only moves on; a full mask refuses at its end.
    text = L"123";
    CHECK(mask.Type(text, 3, 3, L'-', L'_', &caret) == MaskPattern::NoPosition);
    CHECK(text == L"123-");
    CHECK(caret == 4);
    text = L"123-45";
    CHECK(mask.Type(text, 6, 6, L'6', L'_', &caret) == 6);
    // Typing over a selection overwrites its slots.
    text = L"123-45";
    CHECK(mask.Type(text, 0, 6, L'9', L'_', &caret) == MaskPattern::NoPosition);
    CHECK(text == L"9");
}

TEST_CASE("mask pattern: a paste goes in whole or not at all")
{
    const MaskPattern mask(L"###-##");
    std::wstring text = L"1";
    size_t caret = 0;
    CHECK(mask.Paste(text, 1, 1, L"2345", L'_', &caret) == MaskPattern::NoPosition);
    CHECK(text == L"123-45");
    CHECK(caret == 6);
    text = L"1";
    CHECK(mask.Paste(text, 1, 1, L"2x45", L'_', &caret) == 2);
    CHECK(text == L"1");
}
