// Mnemonic accelerators built from a control's captions.
#include "MnemonicAccelerators.h"

#include <doctest/doctest.h>

#include <vector>

namespace {

std::wstring Mnemonics(std::initializer_list<const wchar_t*> captions)
{
    std::wstring found;
    for (const wchar_t* caption : captions)
        ExtractMnemonics(caption, found);
    return found;
}

// The table's entries, read back from the system's copy.
std::vector<ACCEL> TableEntries(HACCEL table)
{
    std::vector<ACCEL> entries(CopyAcceleratorTableW(table, nullptr, 0));
    if (!entries.empty())
        CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));
    return entries;
}

} // namespace

TEST_CASE("mnemonics: '&' marks a character, '&&' is a literal ampersand")
{
    struct Case {
        const wchar_t* caption;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"&File", L"F"},
        {L"Save &As", L"A"},
        {L"Fish && Chips", L""},
        {L"&&&Go", L"G"},
        {L"Trailing&", L""},
        {L"&", L""},
        {L"", L""},
        {L"&a&b", L"AB"},
        {L"Or&çamento", L"\u00C7"},
        {L"&1 item", L"1"},
    };
    for (const Case& c : cases) {
        CAPTURE(std::wstring(c.caption).size());
        CHECK(Mnemonics({c.caption}) == c.expected);
    }
    std::wstring untouched = L"X";
    ExtractMnemonics(nullptr, untouched);
    CHECK(untouched == L"X");
}

TEST_CASE("mnemonics: four entries per character, all with command 1")
{
    const std::vector<ACCEL> entries = MnemonicAcceleratorEntries(L"F1");
    REQUIRE(entries.size() == 8);
    const WORD vkF = LOBYTE(VkKeyScanW(L'F'));
    const WORD vk1 = LOBYTE(VkKeyScanW(L'1'));
    const ACCEL expected[] = {
        {FVIRTKEY | FALT, vkF, 1}, {FVIRTKEY | FSHIFT | FALT, vkF, 1}, {FALT, L'F', 1}, {FALT, L'f', 1},
        // A digit has no lower case: the last entry must not become another key.
        {FVIRTKEY | FALT, vk1, 1}, {FVIRTKEY | FSHIFT | FALT, vk1, 1}, {FALT, L'1', 1}, {FALT, L'1', 1},
    };
    for (size_t i = 0; i < entries.size(); ++i) {
        CAPTURE(i);
        CHECK(entries[i].fVirt == expected[i].fVirt);
        CHECK(entries[i].key == expected[i].key);
        CHECK(entries[i].cmd == expected[i].cmd);
    }
}

TEST_CASE("mnemonics: the control information record")
{
    SUBCASE("&File and Save &As give eight entries in a live table")
    {
        const wchar_t* captions[] = {L"&File", L"Save &As"};
        CONTROLINFO info = {};
        CHECK(BuildMnemonicAccelerators(&info, captions, 2, 7) == TRUE);
        CHECK(info.cb == sizeof(CONTROLINFO));
        CHECK(info.cAccel == 8);
        CHECK(info.dwFlags == 7);
        REQUIRE(info.hAccel != nullptr);
        const std::vector<ACCEL> entries = TableEntries(info.hAccel);
        REQUIRE(entries.size() == 8);
        CHECK(entries[2].key == L'F');
        CHECK(entries[7].key == L'a');
        DestroyAcceleratorTable(info.hAccel);
    }
    SUBCASE("captions without mnemonics give no table")
    {
        const wchar_t* captions[] = {L"Fish && Chips", L"Plain"};
        CONTROLINFO info = {};
        info.hAccel = reinterpret_cast<HACCEL>(1);
        info.cAccel = 3;
        CHECK(BuildMnemonicAccelerators(&info, captions, 2, 0) == TRUE);
        CHECK(info.hAccel == nullptr);
        CHECK(info.cAccel == 0);
        CHECK(info.cb == sizeof(CONTROLINFO));
    }
    SUBCASE("no captions: FALSE and the record left alone")
    {
        CONTROLINFO info = {};
        info.cAccel = 5;
        info.dwFlags = 9;
        CHECK(BuildMnemonicAccelerators(&info, nullptr, 0, 1) == FALSE);
        const wchar_t* captions[] = {L"&X"};
        CHECK(BuildMnemonicAccelerators(&info, captions, 0, 1) == FALSE);
        CHECK(info.cAccel == 5);
        CHECK(info.dwFlags == 9);
        CHECK(info.cb == 0);
    }
}
