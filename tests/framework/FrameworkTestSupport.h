// Helpers shared by the framework tests: late-bound calls and small owners.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>

// A VARIANT that clears itself.
struct ScopedVariant {
    VARIANT value;
    ScopedVariant() { VariantInit(&value); }
    ~ScopedVariant() { VariantClear(&value); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
};

// Releases an interface pointer at the end of the scope.
template <class T>
struct Released {
    T* pointer = nullptr;
    Released() = default;
    explicit Released(T* p) : pointer(p) {}
    ~Released()
    {
        if (pointer)
            pointer->Release();
    }
    Released(const Released&) = delete;
    Released& operator=(const Released&) = delete;
    T* operator->() const { return pointer; }
    T** Out() { return &pointer; }
    void** OutVoid() { return reinterpret_cast<void**>(&pointer); }
};

inline HRESULT DispIdOf(IDispatch* object, const wchar_t* name, DISPID& dispid)
{
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    return object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid);
}

inline HRESULT GetPropertyLate(IDispatch* object, const wchar_t* name, VARIANT* result,
                               EXCEPINFO* exception = nullptr)
{
    DISPID dispid = 0;
    HRESULT hr = DispIdOf(object, name, dispid);
    if (FAILED(hr))
        return hr;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return object->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result,
                          exception, nullptr);
}

inline HRESULT PutPropertyLate(IDispatch* object, const wchar_t* name, VARIANT value)
{
    DISPID dispid = 0;
    HRESULT hr = DispIdOf(object, name, dispid);
    if (FAILED(hr))
        return hr;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&value, &named, 1, 1};
    return object->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                          nullptr, nullptr);
}

// "/unix/path" (as CMake knows it) to the "Z:\unix\path" Wine maps it to.
inline std::wstring WindowsPathOf(const char* unixPath)
{
    std::wstring result = L"Z:";
    for (const char* c = unixPath; *c; ++c)
        result += *c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return result;
}

// Runs regsvr32 with options on library (a Windows path) and waits for it;
// its exit code, or -1 when it could not be started.
inline DWORD RunRegsvr32On(const std::wstring& library, const std::wstring& options)
{
    std::wstring command = L"regsvr32.exe " + options + L" \"" + library + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // A loaded machine can refuse a new process for a moment: try again
    // before reporting it.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt)
            Sleep(500);
        started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process) != FALSE;
    }
    if (!started)
        return static_cast<DWORD>(-1);
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}
