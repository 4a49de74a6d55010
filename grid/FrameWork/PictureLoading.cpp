// Run-time bindings of the decoder library and of urlmon. Both modules stay
// loaded once found; they are set without a lock (UI thread only).
#include "PictureLoading.h"

#include "PngCallback.h"

#include <new>

namespace {

HMODULE g_decoder = nullptr;
HMODULE g_urlmon = nullptr;

using DownloadFunction = HRESULT(WINAPI*)(IUnknown*, LPCSTR, LPSTR, DWORD, DWORD, IBindStatusCallback*);

} // namespace

int LoadPngDecoder(FILE* file, DecodedImageList& list)
{
    if (!file)
        return 0;
    if (!g_decoder)
        g_decoder = LoadLibraryA("HvPng2.dll");
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
    HRESULT hr = OleLoadPicture(stream, 0, FALSE, IID_IPicture, reinterpret_cast<void**>(&loaded));
    if (FAILED(hr))
        return hr;
    picture.AssignPicture(loaded);
    loaded->Release();
    return S_OK;
}
