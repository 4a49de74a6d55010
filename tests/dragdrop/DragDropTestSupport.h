// Helpers of the drag-and-drop tests: pictures and bitmaps made in memory,
// the screen standing in for a palette device, and error-object reads.
#pragma once

#include "ScreenColors.h"

#include <doctest/doctest.h>

#include <olectl.h>
#include <wrl/client.h>

#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

// Makes the process-wide screen values those of a 256-colour palette
// device for the test's duration.
struct PaletteDeviceScope {
    ScreenColorCaps saved = ReadScreenColorCaps();
    PaletteDeviceScope()
    {
        ScreenColorCaps& caps = ReadScreenColorCaps();
        caps.paletteDevice = true;
        caps.paletteSize = 256;
    }
    ~PaletteDeviceScope() { ReadScreenColorCaps() = saved; }
};

// A 32-bit top-down DIB section of width x height filled from colours
// (row by row, COLORREF values).
inline HBITMAP MakeColourBitmap(int width, int height, const std::vector<COLORREF>& colours)
{
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int i = 0; i < width * height && i < static_cast<int>(colours.size()); ++i) {
        const COLORREF c = colours[i];
        pixels[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    return bitmap;
}

inline HPALETTE MakePalette(int entries)
{
    std::vector<BYTE> bytes(sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(bytes.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(entries);
    for (int i = 0; i < entries; ++i)
        palette->palPalEntry[i] = {static_cast<BYTE>(i * 10), static_cast<BYTE>(255 - i * 10), 7, 0};
    return CreatePalette(palette);
}

inline ComPtr<IPicture> MakePicture(PICTDESC description, bool own = true)
{
    description.cbSizeofstruct = sizeof(PICTDESC);
    ComPtr<IPicture> picture;
    REQUIRE(SUCCEEDED(OleCreatePictureIndirect(&description, IID_IPicture, own,
                                               reinterpret_cast<void**>(picture.GetAddressOf()))));
    return picture;
}

inline ComPtr<IPicture> MakeBitmapPicture(HPALETTE palette = nullptr)
{
    PICTDESC d = {};
    d.picType = PICTYPE_BITMAP;
    d.bmp.hbitmap = MakeColourBitmap(4, 3, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)});
    d.bmp.hpal = palette;
    return MakePicture(d);
}

inline ComPtr<IPicture> MakeMetafilePicture()
{
    HDC recorder = CreateMetaFileW(nullptr);
    Rectangle(recorder, 0, 0, 50, 30);
    PICTDESC d = {};
    d.picType = PICTYPE_METAFILE;
    d.wmf.hmeta = CloseMetaFile(recorder);
    d.wmf.xExt = 2540;
    d.wmf.yExt = 1270;
    return MakePicture(d);
}

inline ComPtr<IPicture> MakeEnhancedMetafilePicture()
{
    HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    Rectangle(recorder, 0, 0, 50, 30);
    PICTDESC d = {};
    d.picType = PICTYPE_ENHMETAFILE;
    d.emf.hemf = CloseEnhMetaFile(recorder);
    return MakePicture(d);
}

inline ComPtr<IPicture> MakeIconPicture()
{
    PICTDESC d = {};
    d.picType = PICTYPE_ICON;
    d.icon.hicon = CopyIcon(LoadIconW(nullptr, MAKEINTRESOURCEW(32512)));
    return MakePicture(d);
}

// The description of the thread's error object, or "" when there is none.
inline std::wstring TakeErrorDescription()
{
    IErrorInfo* error = nullptr;
    if (GetErrorInfo(0, &error) != S_OK || !error)
        return L"";
    BSTR text = nullptr;
    error->GetDescription(&text);
    std::wstring result = text ? text : L"";
    SysFreeString(text);
    error->Release();
    return result;
}
