// RegisteredTestControl: registers the test control library for the
// length of a test, as its installer would, and reaches its settings
// through the library's own export. Needs HV_TEST_CONTROL_OCX, the
// library's path in the build tree.
#pragma once

#include "TestControlSettings.h"

#include <doctest/doctest.h>

#include <string>

inline std::wstring WindowsPathOf(const char* unixPath)
{
    std::wstring result = L"Z:";
    for (const char* c = unixPath; *c; ++c)
        result += *c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return result;
}

struct RegisteredTestControl {
    RegisteredTestControl()
    {
        module = LoadLibraryW(WindowsPathOf(HV_TEST_CONTROL_OCX).c_str());
        REQUIRE(module);
        auto registerServer = Entry<HRESULT(STDAPICALLTYPE*)()>("DllRegisterServer");
        REQUIRE(static_cast<bool>(registerServer));
        REQUIRE(registerServer() == S_OK);
        auto settingsOf = Entry<TestControlSettingsFunction>("HvTestControlSettings");
        REQUIRE(static_cast<bool>(settingsOf));
        settings = settingsOf();
        saved = *settings;
    }
    ~RegisteredTestControl()
    {
        *settings = saved;
        if (auto unregisterServer = Entry<HRESULT(STDAPICALLTYPE*)()>("DllUnregisterServer"))
            unregisterServer();
        FreeLibrary(module);
    }
    RegisteredTestControl(const RegisteredTestControl&) = delete;
    RegisteredTestControl& operator=(const RegisteredTestControl&) = delete;
    template <class T>
    T Entry(const char* name) const
    {
        return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }

    HMODULE module = nullptr;
    TestControlSettings* settings = nullptr;
    TestControlSettings saved;
};

