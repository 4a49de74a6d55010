// The search for a locale satellite library beside the module. This test
// program lives in a folder of its own, where it places the test's
// resource-only library under the names the search tries.
#include "FrameworkTestSupport.h"
#include "ResourceModule.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace {

constexpr LCID kGerman = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);

std::wstring ModuleDirectory()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path);
    return directory.substr(0, directory.find_last_of(L'\\') + 1);
}

std::wstring DefaultLanguageAbbreviation()
{
    LANGID language = MAKELANGID(PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())), SUBLANG_DEFAULT);
    wchar_t abbreviation[5] = {};
    GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_SABBREVLANGNAME, abbreviation, 5);
    return abbreviation;
}

std::wstring FileNameOf(HINSTANCE module)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring name(path);
    return name.substr(name.find_last_of(L'\\') + 1);
}

// Copies of the satellite under the given names, removed afterwards.
struct Satellites {
    std::vector<std::wstring> paths;
    explicit Satellites(const std::vector<std::wstring>& names)
    {
        std::wstring source = WindowsPathOf(HV_SATELLITE_DLL);
        for (const auto& name : names) {
            paths.push_back(ModuleDirectory() + name);
            CopyFileW(source.c_str(), paths.back().c_str(), FALSE);
        }
    }
    ~Satellites()
    {
        FreeSatelliteLibraries();
        for (const auto& path : paths)
            DeleteFileW(path.c_str());
    }
};

} // namespace

TEST_CASE("satellite search order for a German user")
{
    const std::wstring fallback = L"Tavelle" + DefaultLanguageAbbreviation() + L".DLL";
    REQUIRE(fallback != L"TavelleDEU.DLL");
    const struct {
        std::vector<std::wstring> present;
        std::wstring expected; // empty: the module itself
    } cases[] = {
        {{L"TavelleDEU.DLL", L"TavelleDE.DLL", fallback}, L"TavelleDEU.DLL"},
        {{L"TavelleDE.DLL", fallback}, L"TavelleDE.DLL"},
        {{fallback}, fallback},
        {{}, L""},
    };
    for (const auto& c : cases) {
        CAPTURE(c.expected);
        Satellites files(c.present);
        HINSTANCE module = GetResourceInstance(kGerman);
        REQUIRE(module != nullptr);
        if (c.expected.empty()) {
            CHECK(module == GetModuleHandleW(nullptr));
            continue;
        }
        CHECK(_wcsicmp(FileNameOf(module).c_str(), c.expected.c_str()) == 0);
        wchar_t text[64] = {};
        LoadStringW(module, 42805, text, 64);
        CHECK(std::wstring(text) == L"Dieses Objekt ist nicht mehr aktiv");
        // Found once, then kept: the same handle without a second load.
        CHECK(GetResourceInstance(kGerman) == module);
    }
}

TEST_CASE("with the search switched off the module's own resources are used")
{
    Satellites files({L"TavelleDEU.DLL"});
    SetSatelliteSearchEnabled(false);
    CHECK(GetResourceInstance(kGerman) == GetModuleHandleW(nullptr));
    SetSatelliteSearchEnabled(true);
    CHECK(GetResourceInstance(kGerman) != GetModuleHandleW(nullptr));
}
