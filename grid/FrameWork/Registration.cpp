// Self-registration of the control library.
#include "Registration.h"

#include "ComponentCategories.h"
#include "Module.h"
#include "ObjectInfo.h"
#include "RegistryKey.h"
#include "TextHelpers.h"

#include <comcat.h>
#include <olectl.h>

#include <string>

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Halvren\\Tavelle";
constexpr char kLibraryName[] = "Tavelle";

std::wstring Widen(const char* text)
{
    if (!text || !*text)
        return std::wstring();
    int chars = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring result(static_cast<size_t>(chars > 0 ? chars - 1 : 0), L'\0');
    if (chars > 1)
        MultiByteToWideChar(CP_ACP, 0, text, -1, result.data(), chars);
    return result;
}

std::wstring GuidText(REFGUID guid)
{
    wchar_t buffer[40];
    FormatGuidString(guid, buffer, 40);
    return buffer;
}

std::wstring ModulePath()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(ModuleInstance(), path, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(path, length);
}

std::wstring DirectoryOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring DescriptionOf(const PlainRegistration& entry)
{
    return entry.description ? Widen(entry.description) : Widen(entry.name) + L" Object";
}

bool FileExists(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Writes key (under HKEY_CLASSES_ROOT) with a default value and an
// optional sub key holding a default value of its own.
bool WriteKey(const std::wstring& key, const std::wstring& value, const wchar_t* subKey = nullptr,
              const std::wstring& subValue = std::wstring())
{
    RegistryKey holder;
    if (holder.Create(HKEY_CLASSES_ROOT, key.c_str()) != ERROR_SUCCESS)
        return false;
    if (holder.SetString(nullptr, value.c_str()) != ERROR_SUCCESS)
        return false;
    if (!subKey)
        return true;
    RegistryKey child;
    if (child.Create(holder.Get(), subKey) != ERROR_SUCCESS)
        return false;
    return child.SetString(nullptr, subValue.c_str()) == ERROR_SUCCESS;
}

ICatRegister* CreateCategoryRegister()
{
    ICatRegister* categories = nullptr;
    if (FAILED(CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                                IID_ICatRegister, reinterpret_cast<void**>(&categories))))
        return nullptr;
    return categories;
}

// Registers categories of the class, at most kMaxRegisteredCategories.
void RegisterCategories(REFCLSID clsid, const GUID* const* table, WORD count, bool required)
{
    if (!table || count == 0)
        return;
    ICatRegister* categories = CreateCategoryRegister();
    if (!categories)
        return;
    CATID ids[kMaxRegisteredCategories];
    ULONG n = count < kMaxRegisteredCategories ? count : kMaxRegisteredCategories;
    for (ULONG i = 0; i < n; ++i)
        ids[i] = *table[i];
    if (required)
        categories->RegisterClassReqCategories(clsid, n, ids);
    else
        categories->RegisterClassImplCategories(clsid, n, ids);
    categories->Release();
}

// The directory of the help file: the product's settings, the module's
// directory, or its Help folder, tried as the records name help files.
class HelpDirectoryFinder {
public:
    explicit HelpDirectoryFinder(const std::wstring& moduleDirectory) : moduleDirectory_(moduleDirectory) {}

    void Consider(const char* helpFile)
    {
        if (found_ || !helpFile || !*helpFile)
            return;
        if (candidate_.empty())
            candidate_ = SettingsDirectory();
        std::wstring file = Widen(helpFile);
        if (FileExists(candidate_ + file)) {
            Found(candidate_);
            return;
        }
        std::wstring helpFolder = moduleDirectory_ + L"Help\\";
        if (FileExists(helpFolder + file))
            Found(helpFolder);
        else
            candidate_ = helpFolder;
    }

    // Null when no help file was found.
    const wchar_t* Directory() const { return found_ ? directory_.c_str() : nullptr; }

private:
    std::wstring SettingsDirectory() const
    {
        RegistryKey key;
        wchar_t value[MAX_PATH] = {};
        DWORD bytes = sizeof value - sizeof(wchar_t);
        DWORD type = 0;
        if (key.Open(HKEY_LOCAL_MACHINE, kSettingsKey) == ERROR_SUCCESS &&
            RegQueryValueExW(key.Get(), L"HelpFileDir", nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) ==
                ERROR_SUCCESS &&
            type == REG_SZ && value[0])
            return std::wstring(value) + L"\\";
        return moduleDirectory_;
    }

    void Found(const std::wstring& withSlash)
    {
        directory_ = withSlash.substr(0, withSlash.size() - 1);
        found_ = true;
    }

    std::wstring moduleDirectory_;
    std::wstring candidate_;
    std::wstring directory_;
    bool found_ = false;
};

bool RegisterRecord(const ObjectInfoEntry& entry, const TLIBATTR& library)
{
    const ObjectInfo& info = *entry.info;
    DWORD kind = entry.kind & 0xFFFF;
    PlainRegistration plain{info.name, info.description, info.clsid, info.apartment != 0};
    if (kind == ObjectKindPlain || kind == ObjectKindPlainAlternate)
        return RegisterPlainObject(plain);
    AutomationRegistration automation{plain, kLibraryName, info.versionMajor, library.wMajorVerNum,
                                      library.wMinorVerNum, &library.guid};
    if (kind == ObjectKindAutomation)
        return RegisterAutomationObject(automation);
    const auto& control = static_cast<const ControlObjectInfo&>(info);
    ControlRegistration registration{automation, control.miscStatus, control.toolboxBitmapId,
                                     control.implementedCategories, control.implementedCategoryCount,
                                     control.requiredCategories, control.requiredCategoryCount};
    return RegisterControl(registration);
}

} // namespace

bool DeleteKeyTree(HKEY parent, const wchar_t* name)
{
    RegistryKey key;
    if (key.Open(parent, name, KEY_READ | KEY_WRITE) != ERROR_SUCCESS)
        return false;
    for (;;) {
        wchar_t child[256];
        DWORD length = 256;
        LSTATUS status = RegEnumKeyExW(key.Get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        // A sub key that cannot be enumerated or deleted would be found
        // again on the next pass: stop here.
        if (status != ERROR_SUCCESS || !DeleteKeyTree(key.Get(), child))
            return false;
    }
    key.Close();
    return RegDeleteKeyW(parent, name) == ERROR_SUCCESS;
}

bool RegisterPlainObject(const PlainRegistration& entry)
{
    std::wstring classKey = L"CLSID\\" + GuidText(*entry.clsid);
    RegistryKey existing;
    if (existing.Open(HKEY_CLASSES_ROOT, (classKey + L"\\Implemented Categories").c_str()) != ERROR_SUCCESS) {
        bool ignored = true;
        UnregisterClsid(*entry.clsid, ignored);
    }

    RegistryKey classHolder;
    if (classHolder.Create(HKEY_CLASSES_ROOT, classKey.c_str()) != ERROR_SUCCESS ||
        classHolder.SetString(nullptr, DescriptionOf(entry).c_str()) != ERROR_SUCCESS)
        return false;
    RegistryKey server;
    if (server.Create(classHolder.Get(), L"InprocServer32") != ERROR_SUCCESS ||
        server.SetString(nullptr, ModulePath().c_str()) != ERROR_SUCCESS)
        return false;
    if (entry.apartment)
        return server.SetString(L"ThreadingModel", L"Apartment") == ERROR_SUCCESS;
    RegDeleteValueW(server.Get(), L"ThreadingModel");
    return true;
}

bool RegisterAutomationObject(const AutomationRegistration& entry)
{
    if (!RegisterPlainObject(entry))
        return false;
    std::wstring clsid = GuidText(*entry.clsid);
    std::wstring description = DescriptionOf(entry);
    std::wstring independent = Widen(entry.library) + L"." + Widen(entry.name);
    std::wstring versioned = independent + L"." + std::to_wstring(entry.versionMajor);

    bool ok = WriteKey(independent, description, L"CLSID", clsid) &&
              WriteKey(independent + L"\\CurVer", versioned) &&
              WriteKey(versioned, description, L"CLSID", clsid);
    if (!ok)
        return false;

    RegistryKey classKey;
    if (classKey.Open(HKEY_CLASSES_ROOT, (L"CLSID\\" + clsid).c_str(), KEY_ALL_ACCESS) != ERROR_SUCCESS)
        return false;
    const std::pair<const wchar_t*, std::wstring> values[] = {
        {L"VersionIndependentProgID", independent},
        {L"ProgID", versioned},
        {L"TypeLib", GuidText(*entry.libraryId)},
        {L"Version", std::to_wstring(entry.libraryMajor) + L"." + std::to_wstring(entry.libraryMinor)},
    };
    for (const auto& [key, value] : values) {
        RegistryKey child;
        if (child.Create(classKey.Get(), key) != ERROR_SUCCESS || child.SetString(nullptr, value.c_str()) != ERROR_SUCCESS)
            return false;
    }
    const GUID* programmable[] = {&ProgrammableCategory()};
    RegisterCategories(*entry.clsid, programmable, 1, false);
    return true;
}

bool RegisterControl(const ControlRegistration& entry)
{
    if (!RegisterAutomationObject(entry))
        return false;
    RegistryKey classKey;
    if (classKey.Open(HKEY_CLASSES_ROOT, (L"CLSID\\" + GuidText(*entry.clsid)).c_str(), KEY_ALL_ACCESS) !=
        ERROR_SUCCESS)
        return false;
    RegistryKey control;
    RegistryKey misc;
    RegistryKey aspect;
    RegistryKey bitmap;
    bool ok = control.Create(classKey.Get(), L"Control") == ERROR_SUCCESS &&
              misc.Create(classKey.Get(), L"MiscStatus") == ERROR_SUCCESS &&
              misc.SetString(nullptr, L"0") == ERROR_SUCCESS &&
              aspect.Create(misc.Get(), L"1") == ERROR_SUCCESS &&
              aspect.SetString(nullptr, std::to_wstring(entry.miscStatus).c_str()) == ERROR_SUCCESS &&
              bitmap.Create(classKey.Get(), L"ToolboxBitmap32") == ERROR_SUCCESS &&
              bitmap.SetString(nullptr, (ModulePath() + L", " + std::to_wstring(entry.toolboxBitmapId)).c_str()) ==
                  ERROR_SUCCESS;
    RegisterCategories(*entry.clsid, entry.implementedCategories, entry.implementedCategoryCount, false);
    RegisterCategories(*entry.clsid, entry.requiredCategories, entry.requiredCategoryCount, true);
    return ok;
}

bool UnregisterClsid(REFCLSID clsid, bool& deleteProgIds)
{
    deleteProgIds = true;
    RegistryKey classes;
    if (classes.Open(HKEY_CLASSES_ROOT, L"CLSID", KEY_READ | KEY_WRITE) != ERROR_SUCCESS)
        return false;
    std::wstring key = GuidText(clsid);
    RegistryKey other;
    if (other.Open(classes.Get(), (key + L"\\InprocServer").c_str()) == ERROR_SUCCESS) {
        // Another server shares the class: leave it and its ProgIDs.
        deleteProgIds = false;
        return DeleteKeyTree(classes.Get(), (key + L"\\InprocServer32").c_str());
    }
    return DeleteKeyTree(classes.Get(), key.c_str());
}

bool UnregisterAutomationObject(const char* library, const char* name, DWORD versionMajor, REFCLSID clsid)
{
    bool deleteProgIds = true;
    bool ok = UnregisterClsid(clsid, deleteProgIds);
    if (!deleteProgIds)
        return ok;
    std::wstring independent = Widen(library) + L"." + Widen(name);
    DeleteKeyTree(HKEY_CLASSES_ROOT, independent.c_str());
    DeleteKeyTree(HKEY_CLASSES_ROOT, (independent + L"." + std::to_wstring(versionMajor)).c_str());
    return ok;
}

HRESULT RegisterAllObjects()
{
    try {
        std::wstring modulePath = ModulePath();
        if (modulePath.empty())
            return E_FAIL;
        ITypeLib* library = nullptr;
        HRESULT hr = LoadTypeLib(modulePath.c_str(), &library);
        if (FAILED(hr))
            return hr;
        TLIBATTR* attributes = nullptr;
        hr = library->GetLibAttr(&attributes);
        if (FAILED(hr)) {
            library->Release();
            return hr;
        }
        TLIBATTR libraryAttributes = *attributes;
        library->ReleaseTLibAttr(attributes);

        HelpDirectoryFinder help(DirectoryOf(modulePath));
        bool allClassesWritten = true;
        for (ObjectInfoEntry* entry = ObjectInfoTable(); (entry->kind & 0xFFFF) != ObjectKindEnd; ++entry) {
            if (!entry->info->clsid)
                continue;
            help.Consider(entry->info->helpFile);
            if (!RegisterRecord(*entry, libraryAttributes))
                allClassesWritten = false;
        }

        std::wstring helpDirectory = help.Directory() ? help.Directory() : L"";
        hr = RegisterTypeLib(library, modulePath.data(), help.Directory() ? helpDirectory.data() : nullptr);
        library->Release();
        if (FAILED(hr))
            return hr;
        return allClassesWritten ? S_OK : SELFREG_E_CLASS;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT UnregisterAllObjects()
{
    try {
        for (ObjectInfoEntry* entry = ObjectInfoTable(); (entry->kind & 0xFFFF) != ObjectKindEnd; ++entry) {
            const ObjectInfo& info = *entry->info;
            if (!info.clsid)
                continue;
            DWORD kind = entry->kind & 0xFFFF;
            if (kind == ObjectKindPlain || kind == ObjectKindPlainAlternate) {
                bool ignored = true;
                UnregisterClsid(*info.clsid, ignored);
            } else {
                UnregisterAutomationObject(kLibraryName, info.name, info.versionMajor, *info.clsid);
            }
        }
        std::wstring modulePath = ModulePath();
        ITypeLib* library = nullptr;
        if (!modulePath.empty() && SUCCEEDED(LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, &library))) {
            TLIBATTR* attributes = nullptr;
            if (SUCCEEDED(library->GetLibAttr(&attributes))) {
                UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                                  attributes->lcid, attributes->syskind);
                library->ReleaseTLibAttr(attributes);
            }
            library->Release();
        }
    } catch (...) {
        // Unregistration reports success whatever it could remove.
    }
    return S_OK;
}
