// Conversions between pictures, bitmaps, packed DIBs, palettes and the
// storage media of the picture formats.
#include "BitmapPalettePair.h"
#include "DibConversions.h"
#include "DragDropErrors.h"
#include "DragDropScopes.h"
#include "DragDropTestSupport.h"
#include "PictureFormats.h"

#include <cstring>

namespace {

// A packed DIB with a 40-byte header and the given colour table.
HGLOBAL MakePackedDib(WORD bits, const std::vector<RGBQUAD>& table, int width = 2, int height = 2)
{
    BITMAPINFOHEADER header = {sizeof header, width, height, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
    header.biSizeImage = static_cast<DWORD>(((bits * width + 31) / 32) * 4 * height);
    const SIZE_T size = sizeof header + DibColorTableSize(&header) + header.biSizeImage;
    HGLOBAL block = GlobalAlloc(GHND, size);
    GlobalLockScope lock(block);
    std::memcpy(lock.Data(), &header, sizeof header);
    std::memcpy(lock.As<BYTE>() + sizeof header, table.data(), table.size() * sizeof(RGBQUAD));
    return block;
}

WORD PaletteEntries(HPALETTE palette)
{
    WORD entries = 0;
    GetObjectW(palette, sizeof entries, &entries);
    return entries;
}

} // namespace

TEST_CASE("error numbers map to result codes")
{
    CHECK(ErrorNumberToResult(0) == E_FAIL);
    CHECK(ErrorNumberToResult(7) == E_OUTOFMEMORY);
    CHECK(ErrorNumberToResult(48) == static_cast<HRESULT>(0x800A0030));
    CHECK(ErrorNumberToResult(461) == static_cast<HRESULT>(0x800A01CD));
}

TEST_CASE("colour counts and table sizes of DIB headers")
{
    struct Case { DWORD size; WORD bits; DWORD used; DWORD count; DWORD bytes; };
    const Case cases[] = {
        {40, 1, 0, 2, 8},     {40, 4, 0, 16, 64},   {40, 8, 0, 256, 1024}, {40, 24, 0, 0, 0},
        {40, 8, 20, 20, 80},  {40, 24, 5, 5, 20},   {12, 8, 0, 256, 768},  {12, 4, 0, 16, 48},
    };
    for (const Case& c : cases) {
        CAPTURE(c.size);
        CAPTURE(c.bits);
        CAPTURE(c.used);
        BYTE raw[40] = {};
        if (c.size == 12) {
            auto* core = reinterpret_cast<BITMAPCOREHEADER*>(raw);
            *core = {12, 1, 1, 1, c.bits};
        } else {
            auto* info = reinterpret_cast<BITMAPINFOHEADER*>(raw);
            *info = {40, 1, 1, 1, c.bits, BI_RGB, 0, 0, 0, c.used, 0};
        }
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(raw);
        CHECK(DibColorCount(header) == c.count);
        CHECK(DibColorTableSize(header) == c.bytes);
    }
}

TEST_CASE("palettes made from a DIB's colour table on a palette device")
{
    PaletteDeviceScope device;

    SUBCASE("sixteen standard colours need no palette")
    {
        std::vector<RGBQUAD> table;
        for (int i = 0; i < 16; ++i) {
            const COLORREF c = StandardColors()[i];
            table.push_back({GetBValue(c), GetGValue(c), GetRValue(c), 0});
        }
        GlobalBlock dib(MakePackedDib(4, table));
        CHECK(PaletteFromDib(dib.Get()) == nullptr);
    }
    SUBCASE("256 grey levels fill the palette, leaving no room for the standard colours")
    {
        std::vector<RGBQUAD> table;
        for (int i = 0; i < 256; ++i)
            table.push_back({static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0});
        GlobalBlock dib(MakePackedDib(8, table));
        OwnedGdiHandle<HPALETTE> palette(PaletteFromDib(dib.Get()));
        REQUIRE(palette.Get());
        CHECK(PaletteEntries(palette.Get()) == 256);
        PALETTEENTRY entry = {};
        GetPaletteEntries(palette.Get(), 200, 1, &entry);
        CHECK(entry.peRed == 200);
    }
    SUBCASE("a few colours are followed by every standard colour not used yet")
    {
        GlobalBlock dib(MakePackedDib(8, {{1, 2, 3, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}));
        reinterpret_cast<BITMAPINFOHEADER*>(GlobalLock(dib.Get()))->biClrUsed = 3;
        GlobalUnlock(dib.Get());
        OwnedGdiHandle<HPALETTE> palette(PaletteFromDib(dib.Get()));
        REQUIRE(palette.Get());
        // {1,2,3}, black once, then the 15 other standard colours.
        CHECK(PaletteEntries(palette.Get()) == 17);
    }
    SUBCASE("a DIB without a colour table gets the colour cube")
    {
        GlobalBlock dib(MakePackedDib(24, {}));
        CHECK(PaletteFromDib(dib.Get()) == GetColorCubePalette());
        CHECK(PaletteEntries(GetColorCubePalette()) == 256);
    }
}

TEST_CASE("a bitmap survives the trip to a packed DIB and back")
{
    const std::vector<COLORREF> colours = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255),
                                           RGB(10, 20, 30), RGB(200, 100, 50), RGB(255, 255, 255)};
    OwnedGdiHandle<HBITMAP> bitmap(MakeColourBitmap(3, 2, colours));
    GlobalBlock dib(BitmapToPackedDib(bitmap.Get(), nullptr));
    REQUIRE(dib);
    {
        GlobalLockScope lock(dib.Get());
        const auto* header = lock.As<BITMAPINFOHEADER>();
        CHECK(header->biWidth == 3);
        CHECK(header->biHeight == 2);
        CHECK(header->biBitCount == 32);
    }
    HPALETTE palette = nullptr;
    OwnedGdiHandle<HBITMAP> back(PackedDibToBitmap(dib.Get(), &palette));
    REQUIRE(back.Get());
    CHECK(palette == nullptr);   // not a palette device

    CompatibleContext dc(nullptr);
    HGDIOBJ old = SelectObject(dc.Get(), back.Get());
    for (int i = 0; i < 6; ++i)
        CHECK(GetPixel(dc.Get(), i % 3, i / 3) == colours[i]);
    SelectObject(dc.Get(), old);

    OwnedGdiHandle<HBITMAP> copy(CopyBitmap(back.Get()));
    REQUIRE(copy.Get());
    BITMAP info = {};
    GetObjectW(copy.Get(), sizeof info, &info);
    CHECK(info.bmWidth == 3);
    CHECK(info.bmHeight == 2);
}

TEST_CASE("an 8-bit bitmap on a 256-colour palette device becomes a DIB of palette colours")
{
    // The bitmap's colours are the palette's, so that each pixel keeps its index.
    OwnedGdiHandle<HPALETTE> palette(MakePalette(20));
    std::vector<BYTE> infoBytes(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* info = reinterpret_cast<BITMAPINFO*>(infoBytes.data());
    info->bmiHeader = {sizeof(BITMAPINFOHEADER), 4, 2, 1, 8, BI_RGB, 0, 0, 0, 20, 0};
    PALETTEENTRY entries[20];
    GetPaletteEntries(palette.Get(), 0, 20, entries);
    for (int i = 0; i < 20; ++i)
        info->bmiColors[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    void* bits = nullptr;
    OwnedGdiHandle<HBITMAP> bitmap(CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0));
    REQUIRE(bitmap.Get());
    const BYTE pixels[8] = {0, 1, 2, 3, 19, 18, 17, 16};
    std::memcpy(bits, pixels, sizeof pixels);

    PaletteDeviceScope device;
    GlobalBlock dib(BitmapToPackedDib(bitmap.Get(), palette.Get()));
    REQUIRE(dib);
    GlobalLockScope lock(dib.Get());
    const auto* header = lock.As<BITMAPINFOHEADER>();
    CHECK(header->biBitCount == 8);
    CHECK(header->biClrUsed == 20);
    const auto* table = reinterpret_cast<const RGBQUAD*>(lock.As<BYTE>() + sizeof(BITMAPINFOHEADER));
    CHECK(table[3].rgbRed == 30);
    CHECK(table[3].rgbGreen == 225);
    CHECK(table[3].rgbBlue == 7);
    const BYTE* out = lock.As<BYTE>() + sizeof(BITMAPINFOHEADER) + 20 * sizeof(RGBQUAD);
    for (int i = 0; i < 8; ++i)
        CHECK(out[i] == pixels[i]);
}

TEST_CASE("pictures are checked against clipboard formats")
{
    struct Case { const char* name; ComPtr<IPicture> picture; CLIPFORMAT format; HRESULT result; CLIPFORMAT chosen; bool text; };
    const Case cases[] = {
        {"bitmap, no format", MakeBitmapPicture(), 0, S_OK, CF_DIB, false},
        {"bitmap as CF_BITMAP", MakeBitmapPicture(), CF_BITMAP, S_OK, CF_BITMAP, false},
        {"bitmap as CF_PALETTE", MakeBitmapPicture(), CF_PALETTE, S_OK, CF_PALETTE, false},
        {"bitmap as metafile", MakeBitmapPicture(), CF_METAFILEPICT, static_cast<HRESULT>(0x800A01CD), 0, true},
        {"metafile, no format", MakeMetafilePicture(), 0, S_OK, CF_METAFILEPICT, false},
        {"metafile as bitmap", MakeMetafilePicture(), CF_BITMAP, static_cast<HRESULT>(0x800A01CD), 0, false},
        {"enhanced metafile, no format", MakeEnhancedMetafilePicture(), 0, S_OK, CF_ENHMETAFILE, false},
        {"enhanced metafile as DIB", MakeEnhancedMetafilePicture(), CF_DIB, static_cast<HRESULT>(0x800A01CD), 0, true},
        {"icon", MakeIconPicture(), 0, static_cast<HRESULT>(0x800A01CD), 0, true},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        SetErrorInfo(0, nullptr);
        CLIPFORMAT chosen = 0;
        CHECK(CheckPictureFormat(c.picture.Get(), c.format, &chosen, nullptr) == c.result);
        if (c.result == S_OK)
            CHECK(chosen == c.chosen);
        const std::wstring text = TakeErrorDescription();
        CHECK(!text.empty() == c.text);
        if (c.text)
            CHECK(text == L"Specified format doesn't match format of data");
    }
    SetErrorInfo(0, nullptr);
    PICTDESC none = {};
    none.picType = PICTYPE_NONE;
    CHECK(CheckPictureFormat(MakePicture(none).Get(), 0, nullptr, nullptr) == static_cast<HRESULT>(0x800A017C));
    CHECK(TakeErrorDescription() == L"Invalid property value");
    CHECK(CheckPictureFormat(nullptr, 0, nullptr, nullptr) == static_cast<HRESULT>(0x800A017C));
}

namespace {

struct RenderedMedium {
    STGMEDIUM medium = {};
    ~RenderedMedium() { ReleaseStgMedium(&medium); }
};

VARIANT PictureValue(const ComPtr<IPicture>& picture)
{
    VARIANT value;
    value.vt = VT_UNKNOWN;
    value.punkVal = picture.Get();
    return value;
}

FORMATETC Request(CLIPFORMAT format, DWORD tymed)
{
    return {format, nullptr, DVASPECT_CONTENT, -1, tymed};
}

} // namespace

TEST_CASE("pictures are rendered into storage media")
{
    BitmapPalettePair pair;

    SUBCASE("a bitmap asked for twice comes as two separate bitmaps")
    {
        const ComPtr<IPicture> picture = MakeBitmapPicture();
        RenderedMedium first, second;
        CHECK(RenderPictureMedium(PictureValue(picture), pair, Request(CF_BITMAP, TYMED_GDI), &first.medium, nullptr) == S_OK);
        CHECK(RenderPictureMedium(PictureValue(picture), pair, Request(CF_BITMAP, TYMED_GDI), &second.medium, nullptr) == S_OK);
        CHECK(first.medium.tymed == TYMED_GDI);
        CHECK(first.medium.hBitmap != nullptr);
        CHECK(second.medium.hBitmap != nullptr);
        CHECK(first.medium.hBitmap != second.medium.hBitmap);
        CHECK(first.medium.pUnkForRelease == nullptr);
    }
    SUBCASE("a bitmap without a palette gives an empty palette medium")
    {
        RenderedMedium palette;
        CHECK(RenderPictureMedium(PictureValue(MakeBitmapPicture()), pair, Request(CF_PALETTE, TYMED_GDI),
                                  &palette.medium, nullptr) == S_OK);
        CHECK(palette.medium.hGlobal == nullptr);
    }
    SUBCASE("a bitmap and then its palette come from one copy")
    {
        PaletteDeviceScope device;
        const ComPtr<IPicture> picture = MakeBitmapPicture(MakePalette(20));
        RenderedMedium bitmap, palette;
        CHECK(RenderPictureMedium(PictureValue(picture), pair, Request(CF_BITMAP, TYMED_GDI), &bitmap.medium, nullptr) == S_OK);
        CHECK(pair.Bitmap() == nullptr);
        const HPALETTE kept = pair.Palette();
        REQUIRE(kept != nullptr);
        CHECK(RenderPictureMedium(PictureValue(picture), pair, Request(CF_PALETTE, TYMED_GDI), &palette.medium, nullptr) == S_OK);
        CHECK(reinterpret_cast<HPALETTE>(palette.medium.hGlobal) == kept);
        CHECK(pair.Palette() == nullptr);
        CHECK(bitmap.medium.hBitmap != nullptr);
    }
    SUBCASE("a DIB of a bitmap picture")
    {
        RenderedMedium dib;
        CHECK(RenderPictureMedium(PictureValue(MakeBitmapPicture()), pair, Request(CF_DIB, TYMED_HGLOBAL),
                                  &dib.medium, nullptr) == S_OK);
        REQUIRE(dib.medium.tymed == TYMED_HGLOBAL);
        GlobalLockScope lock(dib.medium.hGlobal);
        CHECK(lock.As<BITMAPINFOHEADER>()->biWidth == 4);
    }
    SUBCASE("a metafile picture carries its HIMETRIC size in an anisotropic METAFILEPICT")
    {
        const ComPtr<IPicture> picture = MakeMetafilePicture();
        RenderedMedium medium;
        CHECK(RenderPictureMedium(PictureValue(picture), pair, Request(CF_METAFILEPICT, TYMED_MFPICT),
                                  &medium.medium, nullptr) == S_OK);
        REQUIRE(medium.medium.tymed == TYMED_MFPICT);
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        picture->get_Width(&width);
        picture->get_Height(&height);
        GlobalLockScope lock(medium.medium.hMetaFilePict);
        const auto* pict = lock.As<METAFILEPICT>();
        CHECK(pict->mm == MM_ANISOTROPIC);
        CHECK(pict->xExt == width);
        CHECK(pict->yExt == height);
        CHECK(pict->hMF != nullptr);
    }
    SUBCASE("an enhanced metafile is copied")
    {
        const ComPtr<IPicture> picture = MakeEnhancedMetafilePicture();
        RenderedMedium medium;
        CHECK(RenderPictureMedium(PictureValue(picture), pair, Request(CF_ENHMETAFILE, TYMED_ENHMF),
                                  &medium.medium, nullptr) == S_OK);
        OLE_HANDLE own = 0;
        picture->get_Handle(&own);
        CHECK(medium.medium.hEnhMetaFile != nullptr);
        CHECK(reinterpret_cast<UINT_PTR>(medium.medium.hEnhMetaFile) != own);
    }
    SUBCASE("a picture that does not fit the request")
    {
        RenderedMedium medium;
        CHECK(RenderPictureMedium(PictureValue(MakeMetafilePicture()), pair, Request(CF_BITMAP, TYMED_GDI),
                                  &medium.medium, nullptr) == E_UNEXPECTED);
        VARIANT text;
        text.vt = VT_BSTR;
        text.bstrVal = nullptr;
        CHECK(RenderPictureMedium(text, pair, Request(CF_BITMAP, TYMED_GDI), &medium.medium, nullptr) == E_UNEXPECTED);
    }
}
