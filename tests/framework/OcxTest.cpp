// The built control library as a client sees it: its exports, its embedded
// type library, and its registration through regsvr32.
#include "FrameworkTestSupport.h"

#include <Tavelle.h>

#include <doctest/doctest.h>

#include <string>

namespace {

const std::wstring& OcxPath()
{
    static const std::wstring path = WindowsPathOf(HV_TAVELLE_OCX);
    return path;
}

// Loads the library for the length of a test.
struct Library {
    HMODULE module = LoadLibraryW(OcxPath().c_str());
    ~Library()
    {
        if (module)
            FreeLibrary(module);
    }
    template <class T>
    T Entry(const char* name) const
    {
        return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
};

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using NoArgumentFn = HRESULT(STDAPICALLTYPE*)();

DWORD RunRegsvr32(const std::wstring& options)
{
    return RunRegsvr32On(OcxPath(), options);
}

std::wstring GuidText(REFGUID guid)
{
    wchar_t buffer[40];
    StringFromGUID2(guid, buffer, 40);
    return buffer;
}

bool KeyExists(const std::wstring& key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

// The REG_SZ value (null name: default), or "<missing>".
std::wstring ValueOf(const std::wstring& key, const wchar_t* name = nullptr)
{
    wchar_t buffer[1024] = {};
    DWORD bytes = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return L"<missing>";
    LSTATUS status = RegQueryValueExW(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    RegCloseKey(handle);
    return status == ERROR_SUCCESS && type == REG_SZ ? std::wstring(buffer) : L"<missing>";
}

} // namespace

TEST_CASE("the library loads and exports its four entry points undecorated")
{
    Library library;
    REQUIRE(library.module != nullptr);
    for (const char* name : {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer"}) {
        CAPTURE(name);
        CHECK(static_cast<bool>(GetProcAddress(library.module, name)));
    }
}

TEST_CASE("the library can unload only when no factory and no lock remain")
{
    Library library;
    auto getClassObject = library.Entry<GetClassObjectFn>("DllGetClassObject");
    auto canUnloadNow = library.Entry<NoArgumentFn>("DllCanUnloadNow");
    REQUIRE(static_cast<bool>(getClassObject));
    REQUIRE(static_cast<bool>(canUnloadNow));
    CHECK(canUnloadNow() == S_OK);
    IClassFactory* factory = nullptr;
    CHECK(getClassObject(CLSID_HvBand, IID_IClassFactory, reinterpret_cast<void**>(&factory)) == CLASS_E_CLASSNOTAVAILABLE);
    REQUIRE(getClassObject(CLSID_HvTavelle, IID_IClassFactory, reinterpret_cast<void**>(&factory)) == S_OK);
    CHECK(canUnloadNow() == S_FALSE);
    factory->LockServer(TRUE);
    factory->Release();
    CHECK(canUnloadNow() == S_FALSE);
    REQUIRE(getClassObject(CLSID_HvTavelle, IID_IClassFactory, reinterpret_cast<void**>(&factory)) == S_OK);
    factory->LockServer(FALSE);
    factory->Release();
    CHECK(canUnloadNow() == S_OK);
}

TEST_CASE("the embedded type library: version 1.0 and the 77 events with their dispatch identifiers")
{
    Released<ITypeLib> library;
    REQUIRE(LoadTypeLibEx(OcxPath().c_str(), REGKIND_NONE, library.Out()) == S_OK);
    TLIBATTR* attributes = nullptr;
    REQUIRE(library->GetLibAttr(&attributes) == S_OK);
    CHECK(IsEqualGUID(attributes->guid, LIBID_Tavelle));
    CHECK(attributes->wMajorVerNum == 1);
    CHECK(attributes->wMinorVerNum == 0);
    library->ReleaseTLibAttr(attributes);

    Released<ITypeInfo> events;
    REQUIRE(library->GetTypeInfoOfGuid(DIID_DHvTavelleEvents, events.Out()) == S_OK);
    TYPEATTR* type = nullptr;
    REQUIRE(events->GetTypeAttr(&type) == S_OK);
    CHECK(type->typekind == TKIND_DISPATCH);
    CHECK(type->cFuncs == 77);
    events->ReleaseTypeAttr(type);

    const struct {
        const wchar_t* name;
        MEMBERID id;
        int parameters;
    } expected[] = {
        {L"Click", -600, 0}, {L"KeyDown", -602, 2}, {L"MouseUp", -607, 4},
        {L"OLEStartDrag", 1550, 2}, {L"OLEDragOver", 1554, 7}, {L"OLEDragDrop", 1555, 6},
        {L"InitializeLayout", 1056, 2}, {L"AfterCellActivate", 1000, 0}, {L"BeforeCellUpdate", 1023, 3},
        {L"BeforeRowResize", 1043, 3}, {L"BeforeRowActivate", 1065, 1}, {L"AfterRowExpanded", 1069, 1},
        {L"MouseEnter", 49, 1}, {L"MouseExit", 50, 1}, {L"PostMessageReceived", 1062, 3},
        {L"OnSelectionDrag", 1070, 1}, {L"Error", 1055, 1}, {L"InitializeRow", 1057, 3},
    };
    for (const auto& e : expected) {
        CAPTURE(std::wstring(e.name));
        LPOLESTR names[] = {const_cast<LPOLESTR>(e.name)};
        MEMBERID id = 0;
        REQUIRE(events->GetIDsOfNames(names, 1, &id) == S_OK);
        CHECK(id == e.id);
    }
    for (UINT i = 0; i < 77; ++i) {
        FUNCDESC* function = nullptr;
        REQUIRE(events->GetFuncDesc(i, &function) == S_OK);
        for (const auto& e : expected) {
            if (function->memid == e.id)
                CHECK(function->cParams == e.parameters);
        }
        events->ReleaseFuncDesc(function);
    }

    // Every object interface starts with the hidden _GetObjectPointer (2183).
    Released<ITypeInfo> band;
    REQUIRE(library->GetTypeInfoOfGuid(IID_IHvBand, band.Out()) == S_OK);
    LPOLESTR name[] = {const_cast<LPOLESTR>(L"_GetObjectPointer")};
    MEMBERID id = 0;
    CHECK(band->GetIDsOfNames(name, 1, &id) == S_OK);
    CHECK(id == 2183);
}

TEST_CASE("regsvr32 registers the library, twice is harmless, and unregistering removes it")
{
    const std::wstring control = L"CLSID\\" + GuidText(CLSID_HvTavelle);
    const std::wstring layout = L"CLSID\\" + GuidText(CLSID_HvLayout);
    const std::wstring typeLibrary = L"TypeLib\\" + GuidText(LIBID_Tavelle);

    REQUIRE(RunRegsvr32(L"/s") == 0);
    REQUIRE(RunRegsvr32(L"/s") == 0);

    CHECK(_wcsicmp(ValueOf(control + L"\\InprocServer32").c_str(), OcxPath().c_str()) == 0);
    CHECK(ValueOf(control + L"\\InprocServer32", L"ThreadingModel") == L"Apartment");
    CHECK(ValueOf(control) == L"Halvren Tavelle Control");
    CHECK(KeyExists(control + L"\\Control"));
    CHECK(ValueOf(control + L"\\MiscStatus") == L"0");
    CHECK(ValueOf(control + L"\\MiscStatus\\1") == L"164241");
    std::wstring bitmap = ValueOf(control + L"\\ToolboxBitmap32");
    CHECK(bitmap.size() > 5);
    CHECK(bitmap.substr(bitmap.size() - 5) == L", 102");
    CHECK(ValueOf(control + L"\\ProgID") == L"Tavelle.HvTavelle.1");
    CHECK(ValueOf(control + L"\\VersionIndependentProgID") == L"Tavelle.HvTavelle");
    CHECK(ValueOf(control + L"\\TypeLib") == GuidText(LIBID_Tavelle));
    CHECK(ValueOf(control + L"\\Version") == L"1.0");
    for (const wchar_t* category : {L"{40FC6ED4-2438-11CF-A3DB-080036F12502}", L"{40FC6ED5-2438-11CF-A3DB-080036F12502}",
                                    L"{7DD95801-9882-11CF-9FA9-00AA006C42C4}", L"{157083E1-2368-11CF-87B9-00AA006C8166}"}) {
        CAPTURE(std::wstring(category));
        CHECK(KeyExists(control + L"\\Implemented Categories\\" + category));
    }
    CHECK(ValueOf(L"Tavelle.HvTavelle\\CurVer") == L"Tavelle.HvTavelle.1");
    CHECK(ValueOf(L"Tavelle.HvTavelle\\CLSID") == GuidText(CLSID_HvTavelle));
    CHECK(ValueOf(L"Tavelle.HvTavelle.1\\CLSID") == GuidText(CLSID_HvTavelle));

    CHECK(ValueOf(layout) == L"Halvren Tavelle Layout Object");
    CHECK(ValueOf(L"Tavelle.HvLayout.1\\CLSID") == GuidText(CLSID_HvLayout));
    CHECK_FALSE(KeyExists(layout + L"\\Control"));
    CHECK_FALSE(KeyExists(L"CLSID\\" + GuidText(CLSID_HvBand)));
    CHECK(KeyExists(typeLibrary + L"\\1.0"));

    REQUIRE(RunRegsvr32(L"/s /u") == 0);
    CHECK_FALSE(KeyExists(control));
    CHECK_FALSE(KeyExists(layout));
    CHECK_FALSE(KeyExists(L"Tavelle.HvTavelle"));
    CHECK_FALSE(KeyExists(L"Tavelle.HvTavelle.1"));
    CHECK_FALSE(KeyExists(L"Tavelle.HvLayout"));
    CHECK_FALSE(KeyExists(L"Tavelle.HvLayout.1"));
    CHECK_FALSE(KeyExists(typeLibrary + L"\\1.0"));
}

TEST_CASE("a class that another server shares keeps its key and ProgIDs when unregistered")
{
    const std::wstring layout = L"CLSID\\" + GuidText(CLSID_HvLayout);
    REQUIRE(RunRegsvr32(L"/s") == 0);
    HKEY shared = nullptr;
    REQUIRE(RegCreateKeyExW(HKEY_CLASSES_ROOT, (layout + L"\\InprocServer").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &shared, nullptr) == ERROR_SUCCESS);
    RegCloseKey(shared);

    REQUIRE(RunRegsvr32(L"/s /u") == 0);
    CHECK(KeyExists(layout + L"\\InprocServer"));
    CHECK_FALSE(KeyExists(layout + L"\\InprocServer32"));
    CHECK(KeyExists(L"Tavelle.HvLayout"));
    CHECK_FALSE(KeyExists(L"CLSID\\" + GuidText(CLSID_HvTavelle)));

    RegDeleteTreeW(HKEY_CLASSES_ROOT, layout.c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Tavelle.HvLayout");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Tavelle.HvLayout.1");
}
