// Satellite library search and cache.
#include "ResourceModule.h"

#include "CriticalSectionLock.h"
#include "Module.h"

#include <map>
#include <string>

namespace {

constexpr LCID kDefaultLocale = LOCALE_USER_DEFAULT; // 0x400
constexpr UINT kBaseNameString = 1001;                // "Tavelle"

bool g_satelliteEnabled = true;
// Every locale searched so far, with the module it gave (satellite or the
// library itself); guarded by the global critical section.
std::map<LCID, HINSTANCE>* g_found = nullptr;

std::map<LCID, HINSTANCE>& Found()
{
    if (!g_found)
        g_found = new std::map<LCID, HINSTANCE>;
    return *g_found;
}

std::wstring ModuleDirectory()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(ModuleInstance(), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::wstring();
    std::wstring directory(path, length);
    size_t slash = directory.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : directory.substr(0, slash + 1);
}

std::wstring LanguageAbbreviation(LCID locale)
{
    wchar_t abbreviation[5] = {};
    if (GetLocaleInfoW(locale, LOCALE_SABBREVLANGNAME, abbreviation, 5) == 0)
        return std::wstring();
    return abbreviation;
}

HINSTANCE TryLoad(const std::wstring& directory, const std::wstring& base, const std::wstring& suffix)
{
    if (suffix.empty())
        return nullptr;
    std::wstring path = directory + base + suffix + L".DLL";
    return LoadLibraryW(path.c_str());
}

HINSTANCE SearchSatellite(LCID locale)
{
    HINSTANCE module = ModuleInstance();
    std::wstring abbreviation = LanguageAbbreviation(locale);
    wchar_t base[64] = {};
    if (abbreviation.empty() || LoadStringW(module, kBaseNameString, base, 64) == 0)
        return module;
    std::wstring directory = ModuleDirectory();

    if (HINSTANCE found = TryLoad(directory, base, abbreviation))
        return found;
    if (abbreviation.size() > 2) {
        if (HINSTANCE found = TryLoad(directory, base, abbreviation.substr(0, 2)))
            return found;
    }
    LANGID defaultLanguage = MAKELANGID(PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())), SUBLANG_DEFAULT);
    std::wstring fallback = LanguageAbbreviation(MAKELCID(defaultLanguage, SORT_DEFAULT));
    if (HINSTANCE found = TryLoad(directory, base, fallback))
        return found;
    return module;
}

} // namespace

HINSTANCE GetResourceInstance(LCID locale)
{
    CriticalSectionLock guard(GlobalCriticalSection());
    if (!g_satelliteEnabled)
        return ModuleInstance();
    if (locale == 0)
        locale = kDefaultLocale;
    try {
        auto& found = Found();
        auto it = found.find(locale);
        if (it != found.end())
            return it->second;
        LCID searched = locale == kDefaultLocale ? GetUserDefaultLCID() : locale;
        HINSTANCE result = SearchSatellite(searched);
        found[locale] = result;
        return result;
    } catch (...) {
        return ModuleInstance();
    }
}

void SetSatelliteSearchEnabled(bool enabled)
{
    FreeSatelliteLibraries();
    CriticalSectionLock guard(GlobalCriticalSection());
    g_satelliteEnabled = enabled;
}

void FreeSatelliteLibraries()
{
    CriticalSectionLock guard(GlobalCriticalSection());
    if (!g_found)
        return;
    for (auto& [locale, module] : *g_found) {
        if (module && module != ModuleInstance())
            FreeLibrary(module);
    }
    delete g_found;
    g_found = nullptr;
}
