// Registry and text helpers.
#include "FrameworkTestSupport.h"
#include "Registration.h"
#include "RegistryKey.h"
#include "TextHelpers.h"

#include <doctest/doctest.h>

#include <cstring>
#include <string>

TEST_CASE("ParseRootKeyName")
{
    struct {
        const wchar_t* path;
        bool result;
        HKEY root;
        const wchar_t* rest;
    } cases[] = {
        {L"HKEY_LOCAL_MACHINE\\Software\\X", true, HKEY_LOCAL_MACHINE, L"Software\\X"},
        {L"hkey_users\\S-1", true, HKEY_USERS, L"S-1"},
        {L"HKEY_CLASSES_ROOT\\CLSID", true, HKEY_CLASSES_ROOT, L"CLSID"},
        {L"HKEY_CURRENT_CONFIG\\A", true, HKEY_CURRENT_CONFIG, L"A"},
        {L"HKEY_DYN_DATA\\A", true, HKEY_DYN_DATA, L"A"},
        {L"Software\\X", true, HKEY_CURRENT_USER, L"Software\\X"},
        {L"HKEY_LOCAL\\X", true, HKEY_CURRENT_USER, L"HKEY_LOCAL\\X"},
        {L"HKEY_USERS", false, nullptr, nullptr},
    };
    for (auto& c : cases) {
        CAPTURE(std::wstring(c.path));
        HKEY root = nullptr;
        const wchar_t* rest = nullptr;
        CHECK(ParseRootKeyName(c.path, root, rest) == c.result);
        if (c.result) {
            CHECK(root == c.root);
            CHECK(std::wstring(rest) == c.rest);
        }
    }
}

TEST_CASE("RegistryKey: a binary block round trip, and DeleteKeyTree")
{
    const wchar_t* testKey = L"Software\\HvFrameworkTest";
    {
        RegistryKey key;
        REQUIRE(key.Create(HKEY_CURRENT_USER, L"Software\\HvFrameworkTest\\Deep\\Deeper") == ERROR_SUCCESS);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 5);
        std::memcpy(GlobalLock(block), "\x01\x02\x00\x04\x05", 5);
        GlobalUnlock(block);
        CHECK(key.SetValueFromHGlobal(block, L"Layout") == ERROR_SUCCESS);
        CHECK(key.SetString(L"Text", L"abc") == ERROR_SUCCESS);

        HGLOBAL read = GlobalAlloc(GMEM_MOVEABLE, 1); // freed by the query
        CHECK(key.QueryValueToHGlobal(read, L"Layout") == ERROR_SUCCESS);
        REQUIRE(read != nullptr);
        CHECK(GlobalSize(read) == 5);
        CHECK(std::memcmp(GlobalLock(read), "\x01\x02\x00\x04\x05", 5) == 0);
        GlobalUnlock(read);
        GlobalFree(read);
        GlobalFree(block);

        HGLOBAL none = nullptr;
        CHECK(key.QueryValueToHGlobal(none, L"Text") == ERROR_INVALID_DATA);
        CHECK(none == nullptr);
        CHECK(key.QueryValueToHGlobal(none, L"Missing") == ERROR_FILE_NOT_FOUND);

        RegistryKey other;
        CHECK(other.Open(HKEY_CURRENT_USER, L"Software\\HvFrameworkTest\\Missing") != ERROR_SUCCESS);
        CHECK_FALSE(other.IsOpen());
    }
    CHECK(DeleteKeyTree(HKEY_CURRENT_USER, testKey));
    RegistryKey gone;
    CHECK(gone.Open(HKEY_CURRENT_USER, testKey) == ERROR_FILE_NOT_FOUND);
    CHECK_FALSE(DeleteKeyTree(HKEY_CURRENT_USER, testKey));
}

TEST_CASE("FormatGuidString")
{
    const GUID guid = {0x40fc6ed4, 0x2438, 0x11cf, {0xa3, 0xdb, 0x08, 0x00, 0x36, 0xf1, 0x25, 0x02}};
    wchar_t buffer[39];
    CHECK(FormatGuidString(guid, buffer, 39) == 38);
    CHECK(std::wstring(buffer) == L"{40FC6ED4-2438-11CF-A3DB-080036F12502}");
    wchar_t small[38];
    CHECK(FormatGuidString(guid, small, 38) == 0);
}

TEST_CASE("text conversions into the three kinds of result")
{
    BSTR bstr = AnsiToWideString("abc", TextAsBstr);
    CHECK(std::wstring(bstr) == L"abc");
    CHECK(SysStringLen(bstr) == 3);
    SysFreeString(bstr);

    wchar_t* task = CopyWideString(L"xyz", TextAsTaskMemory);
    CHECK(std::wstring(task) == L"xyz");
    CoTaskMemFree(task);

    wchar_t buffer[4];
    CHECK(AnsiToWideString("abc", TextIntoBuffer, buffer, 4) == buffer);
    CHECK(std::wstring(buffer) == L"abc");
    CHECK(AnsiToWideString("abcd", TextIntoBuffer, buffer, 4) == nullptr); // never past the buffer
    CHECK(AnsiToWideString(nullptr, TextAsBstr) == nullptr);
    CHECK(AnsiToWideString("", TextAsBstr) == nullptr);

    BSTR message = LoadResourceStringWide(42805, TextAsBstr);
    CHECK(std::wstring(message) == L"This object is no longer active");
    SysFreeString(message);
    CHECK(LoadResourceStringWide(65000, TextAsBstr) == nullptr);
}

TEST_CASE("ReplaceFileName")
{
    wchar_t buffer[64];
    wchar_t* name = ReplaceFileName(L"C:\\dir\\Tavelle.ocx", L"TavelleDEU.DLL", buffer, 64);
    CHECK(std::wstring(buffer) == L"C:\\dir\\TavelleDEU.DLL");
    CHECK(std::wstring(name) == L"TavelleDEU.DLL");
    CHECK(ReplaceFileName(L"plain", L"x.dll", buffer, 64) == buffer);
    CHECK(std::wstring(buffer) == L"x.dll");
    CHECK(ReplaceFileName(L"C:\\dir\\a", L"a-very-long-name.dll", buffer, 12) == nullptr);
}
