// Self-registration of the control library: class, ProgID and control keys
// of every creatable record of the object-info table, component
// categories, and the type library with its help directory.
#pragma once

#include <windows.h>

// DllRegisterServer: S_OK; SELFREG_E_CLASS when some class could not be
// written completely (the others are still registered); the type
// library's load or registration error.
HRESULT RegisterAllObjects();
// DllUnregisterServer: removes what RegisterAllObjects wrote; always S_OK.
HRESULT UnregisterAllObjects();

struct PlainRegistration {
    const char* name;          // e.g. "HvLayout"
    const char* description;   // null: "<name> Object"
    const CLSID* clsid;
    bool apartment;
};

struct AutomationRegistration : PlainRegistration {
    const char* library;       // "Tavelle": the first part of the ProgIDs
    DWORD versionMajor;        // the ProgID's version
    WORD libraryMajor;
    WORD libraryMinor;
    const GUID* libraryId;
};

struct ControlRegistration : AutomationRegistration {
    DWORD miscStatus;
    WORD toolboxBitmapId;
    const GUID* const* implementedCategories;
    WORD implementedCategoryCount;
    const GUID* const* requiredCategories;
    WORD requiredCategoryCount;
};

bool RegisterPlainObject(const PlainRegistration& entry);
bool RegisterAutomationObject(const AutomationRegistration& entry);
bool RegisterControl(const ControlRegistration& entry);

// Removes CLSID\{clsid}; when the class also has an "InprocServer" key,
// only its "InprocServer32" goes and deleteProgIds becomes false.
bool UnregisterClsid(REFCLSID clsid, bool& deleteProgIds);
bool UnregisterAutomationObject(const char* library, const char* name, DWORD versionMajor, REFCLSID clsid);
// Deletes the key name under parent with everything below it; stops and
// answers false at the first key that cannot be deleted.
bool DeleteKeyTree(HKEY parent, const wchar_t* name);
