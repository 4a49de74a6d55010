// Helpers of the grid media tests.
#include "MediaTestSupport.h"

#include "FrameworkTestSupport.h"

void RegisterControlLibrary()
{
    static const DWORD registered = RunRegsvr32On(WindowsPathOf(HV_TAVELLE_OCX), L"/s");
    REQUIRE(registered == 0);
}

hv::container::SiteOptions RegisteredGrid::Options(bool bindHost)
{
    hv::container::SiteOptions options;
    options.offerBindHost = bindHost;
    return options;
}

RegisteredGrid::RegisteredGrid(bool bindHost, const RECT& place)
    : window(640, 480), host(window.Hwnd(), place, Options(bindHost))
{
    RegisterControlLibrary();
    REQUIRE(host.Create(CLSID_HvTavelle) == S_OK);
    control = host.Query<IHvTavelleControl>();
    REQUIRE(control);
    REQUIRE(host.Activate() == S_OK);
}

bool PumpUntil(const std::function<bool()>& done, DWORD limitMs)
{
    const ULONGLONG end = GetTickCount64() + limitMs;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done())
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now < 50 ? end - now : 50),
                                  QS_ALLINPUT);
    }
}

std::wstring FileUrl(const std::wstring& path)
{
    std::wstring url = L"file:///";
    for (wchar_t c : path)
        url += c == L'\\' ? L'/' : c;
    return url;
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::string bytes;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

VARIANT Missing()
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

VARIANT Long(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT Text(const wchar_t* text)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    return v;
}

std::wstring TextOf(BSTR text)
{
    std::wstring result = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return result;
}

std::wstring ErrorDescription()
{
    IErrorInfo* error = nullptr;
    if (GetErrorInfo(0, &error) != S_OK || !error)
        return L"";
    BSTR text = nullptr;
    error->GetDescription(&text);
    error->Release();
    return TextOf(text);
}

std::vector<std::wstring> ImageKeys(IHvTavelleControl* control)
{
    std::vector<std::wstring> keys;
    ComPtr<IHvImages> images;
    if (FAILED(control->get_Images(images.GetAddressOf())) || !images)
        return keys;
    long count = 0;
    images->get_Count(&count);
    for (long i = 1; i <= count; ++i) {
        ComPtr<IHvImage> image;
        if (FAILED(images->get_Item(Long(i), image.GetAddressOf())))
            break;
        BSTR key = nullptr;
        image->get_Key(&key);
        keys.push_back(TextOf(key));
    }
    return keys;
}
