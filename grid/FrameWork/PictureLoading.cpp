// Run-time bindings of the decoder library and of urlmon. Both modules stay
// loaded once found; they are set without a lock (UI thread only).
#include "PictureLoading.h"

#include "StreamBounds.h"

#include "PngCallback.h"

#include <new>
#include <string>

namespace {

HMODULE g_decoder = nullptr;
HMODULE g_urlmon = nullptr;
std::wstring g_decoderFolder;   // empty: the folder of this module

// The folder of the module this code is linked into, with its separator.
std::wstring ModuleFolder()
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&ModuleFolder), &module))
        return {};
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

HMODULE LoadDecoderLibrary()
{
    std::wstring folder = g_decoderFolder.empty() ? ModuleFolder() : g_decoderFolder;
    // Never by bare name: the search path could offer anyone's library.
    if (folder.empty())
        return nullptr;
    if (folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    return LoadLibraryW((folder + L"HvPng2.dll").c_str());
}

using DownloadFunction = HRESULT(WINAPI*)(IUnknown*, LPCSTR, LPSTR, DWORD, DWORD, IBindStatusCallback*);

} // namespace

int LoadPngDecoder(FILE* file, DecodedImageList& list)
{
    if (!file)
        return 0;
    if (!g_decoder)
        g_decoder = LoadDecoderLibrary();
    if (!g_decoder)
        return 0;
    auto decode = reinterpret_cast<PngDecodeEntry>(
        reinterpret_cast<void*>(GetProcAddress(g_decoder, MAKEINTRESOURCEA(100))));
    if (!decode)
        return 0;
    CPngCallback* callback = new (std::nothrow) CPngCallback(&list);
    if (!callback)
        return 0;
    BOOL result = decode(file, callback);
    callback->Release();
    return result;
}

void SetPngDecoderFolder(const wchar_t* folder)
{
    g_decoderFolder = folder ? folder : L"";
}

HRESULT DownloadUrlToCacheFile(IUnknown* caller, const char* url, char* fileName, DWORD size, DWORD reserved,
                               IBindStatusCallback* callback)
{
    if (!g_urlmon)
        g_urlmon = LoadLibraryA("urlmon.dll");
    if (!g_urlmon)
        return E_UNEXPECTED;
    auto download = reinterpret_cast<DownloadFunction>(
        reinterpret_cast<void*>(GetProcAddress(g_urlmon, "URLDownloadToCacheFileA")));
    if (!download)
        return E_UNEXPECTED;
    return download(caller, url, fileName, size, reserved, callback);
}

int LoadImagesFromUrl(const char* url, DecodedImageList& list)
{
    char fileName[MAX_PATH] = {};
    if (FAILED(DownloadUrlToCacheFile(nullptr, url, fileName, MAX_PATH, 0, nullptr)))
        return 0;
    FILE* file = std::fopen(fileName, "rb");
    if (!file)
        return 0;
    LoadPngDecoder(file, list);
    std::fclose(file);
    return list.Count();
}

HRESULT ReadPictureFromStream(IStream* stream, InterfacePtr& picture)
{
    picture.Release();
    IPicture* loaded = nullptr;
    const HRESULT hr = LoadCheckedPicture(stream, IID_IPicture, reinterpret_cast<void**>(&loaded));
    if (FAILED(hr))
        return hr;
    picture.AssignPicture(loaded);
    loaded->Release();
    return S_OK;
}
