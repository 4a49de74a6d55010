// The test control library: the framework and the test control in an
// in-process server of their own, registered under the test control's class
// identifier only (the grid's classes and type library stay untouched).
#include "TestControl.h"

#include "ComponentCategories.h"
#include "Registration.h"

#include <Tavelle.h>

namespace {

struct InstallRecord {
    InstallRecord()
    {
        UseTestControlRecord(&CLSID_HvTestControl, "HvTestControl");
        // Only the test control is a class of this library.
        GetObjectInfo(ObjectType::HvLayout).clsid = nullptr;
    }
};

InstallRecord g_install;

ControlRegistration Registration()
{
    const ControlObjectInfo& record = GetControlObjectInfo();
    ControlRegistration entry{};
    entry.name = "HvTestControl";
    entry.description = "Test control on the control base";
    entry.clsid = &CLSID_HvTestControl;
    entry.apartment = true;
    entry.library = "HvTest";
    entry.versionMajor = 1;
    entry.libraryMajor = 1;
    entry.libraryMinor = 0;
    entry.libraryId = &LIBID_Tavelle;
    entry.miscStatus = record.miscStatus;
    entry.toolboxBitmapId = record.toolboxBitmapId;
    return entry;
}

} // namespace

extern "C" HRESULT STDAPICALLTYPE TestDllRegisterServer()
{
    return RegisterControl(Registration()) ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT STDAPICALLTYPE TestDllUnregisterServer()
{
    UnregisterAutomationObject("HvTest", "HvTestControl", 1, CLSID_HvTestControl);
    return S_OK;
}

extern "C" TestControlSettings* STDAPICALLTYPE HvTestControlSettings()
{
    return &TestSettings();
}
