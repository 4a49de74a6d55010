// Packed DIBs, palettes and bitmap copies.
#include "DibConversions.h"

#include "DragDropScopes.h"
#include "ScreenColors.h"
#include "Units.h"

#include <climits>
#include <cstring>
#include <vector>

namespace {

constexpr DWORD kCoreHeaderSize = sizeof(BITMAPCOREHEADER);
constexpr DWORD kInfoHeaderSize = sizeof(BITMAPINFOHEADER);
constexpr DWORD kMaxPaletteIndexTable = 1024;

int StandardColorIndex(BYTE red, BYTE green, BYTE blue)
{
    const COLORREF colour = RGB(red, green, blue);
    for (int i = 0; i < StandardColorCount; ++i) {
        if (StandardColors()[i] == colour)
            return i;
    }
    return -1;
}

// A LOGPALETTE with room for capacity entries.
class PaletteBuilder {
public:
    explicit PaletteBuilder(int capacity)
        : capacity_(capacity > 0 ? capacity : 0),
          bytes_(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * (capacity_ > 0 ? capacity_ : 1))
    {
        Palette()->palVersion = 0x300;
        Palette()->palNumEntries = 0;
    }
    bool Full() const { return Count() >= capacity_; }
    int Count() const { return Palette()->palNumEntries; }
    void Append(BYTE red, BYTE green, BYTE blue)
    {
        PALETTEENTRY& entry = Palette()->palPalEntry[Palette()->palNumEntries++];
        entry = {red, green, blue, 0};
    }
    HPALETTE Create() const { return Count() > 0 ? CreatePalette(Palette()) : nullptr; }

private:
    LOGPALETTE* Palette() { return reinterpret_cast<LOGPALETTE*>(bytes_.data()); }
    const LOGPALETTE* Palette() const { return reinterpret_cast<const LOGPALETTE*>(bytes_.data()); }

    int capacity_;
    std::vector<BYTE> bytes_;
};

HPALETTE MakeColorCubePalette()
{
    ScreenContext screen;
    PaletteBuilder builder(256);
    for (int index = 0; index < 20; ++index) {
        const COLORREF colour = GetSysColor(index);
        builder.Append(GetRValue(colour), GetGValue(colour), GetBValue(colour));
        const COLORREF nearest = screen.Get() ? GetNearestColor(screen.Get(), colour) : colour;
        builder.Append(GetRValue(nearest), GetGValue(nearest), GetBValue(nearest));
    }
    static constexpr BYTE kLevels[] = {0, 51, 102, 153, 204, 255};
    for (BYTE red : kLevels)
        for (BYTE green : kLevels)
            for (BYTE blue : kLevels)
                builder.Append(red, green, blue);
    return builder.Create();
}

HPALETTE PaletteFromLockedDib(const BYTE* dib)
{
    const ScreenColorCaps& caps = ReadScreenColorCaps();
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
    const DWORD count = DibColorCount(header);
    if (count == 0)
        return GetColorCubePalette();

    PaletteBuilder builder(caps.paletteSize);
    WORD usedStandard = 0;
    bool allStandard = count <= 16;
    const bool core = header->biSize == kCoreHeaderSize;
    const BYTE* table = dib + header->biSize;
    for (DWORD i = 0; i < count && !builder.Full(); ++i) {
        BYTE red, green, blue;
        if (core) {
            const auto& entry = reinterpret_cast<const RGBTRIPLE*>(table)[i];
            red = entry.rgbtRed, green = entry.rgbtGreen, blue = entry.rgbtBlue;
        } else {
            const auto& entry = reinterpret_cast<const RGBQUAD*>(table)[i];
            red = entry.rgbRed, green = entry.rgbGreen, blue = entry.rgbBlue;
        }
        const int standard = StandardColorIndex(red, green, blue);
        if (standard >= 0) {
            if (usedStandard & (1u << standard))
                continue;
            usedStandard |= static_cast<WORD>(1u << standard);
        } else {
            allStandard = false;
        }
        builder.Append(red, green, blue);
    }
    if (allStandard)
        return nullptr;
    for (int s = 0; s < StandardColorCount && !builder.Full(); ++s) {
        if (usedStandard & (1u << s))
            continue;
        usedStandard |= static_cast<WORD>(1u << s);
        const COLORREF colour = StandardColors()[s];
        builder.Append(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    }
    return builder.Create();
}

// Rewrites the bits that GetDIBits wrote after a table of 256 palette
// indices so that they follow a colour table of the palette's entries.
void ConvertIndexFormToColors(BYTE* dib, const BYTE* indexBlock, HPALETTE palette, WORD entries)
{
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib);
    std::memcpy(header, indexBlock, kInfoHeaderSize);
    header->biClrUsed = entries;
    const DWORD imageBytes = header->biSizeImage;
    const auto* indices = reinterpret_cast<const WORD*>(indexBlock + kInfoHeaderSize);
    const BYTE* oldBits = dib + kInfoHeaderSize + kMaxPaletteIndexTable;
    BYTE* newBits = dib + kInfoHeaderSize + entries * sizeof(RGBQUAD);
    // The new place never lies after the old one, so a forward walk reads
    // every byte before it is overwritten.
    for (DWORD i = 0; i < imageBytes; ++i)
        newBits[i] = LOBYTE(indices[oldBits[i]]);
    std::vector<PALETTEENTRY> colours(entries);
    GetPaletteEntries(palette, 0, entries, colours.data());
    auto* table = reinterpret_cast<RGBQUAD*>(dib + kInfoHeaderSize);
    for (WORD i = 0; i < entries; ++i)
        table[i] = {colours[i].peBlue, colours[i].peGreen, colours[i].peRed, colours[i].peFlags};
}

} // namespace

DWORD DibColorCount(const BITMAPINFOHEADER* header)
{
    if (!header)
        return 0;
    WORD bits;
    if (header->biSize == kCoreHeaderSize) {
        bits = reinterpret_cast<const BITMAPCOREHEADER*>(header)->bcBitCount;
    } else {
        if (header->biClrUsed != 0)
            return header->biClrUsed;
        bits = header->biBitCount;
    }
    switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

DWORD DibColorTableSize(const BITMAPINFOHEADER* header)
{
    if (!header)
        return 0;
    const DWORD entrySize = header->biSize == kCoreHeaderSize ? sizeof(RGBTRIPLE) : sizeof(RGBQUAD);
    return DibColorCount(header) * entrySize;
}

DWORD DibBitsOffset(const BITMAPINFOHEADER* header)
{
    if (!header)
        return 0;
    DWORD offset = header->biSize + DibColorTableSize(header);
    if (header->biSize == kInfoHeaderSize && header->biCompression == BI_BITFIELDS)
        offset += 3 * sizeof(DWORD);
    return offset;
}

bool IsValidPackedDib(const BYTE* dib, SIZE_T size)
{
    if (!dib || size < sizeof(DWORD))
        return false;
    const DWORD headerSize = *reinterpret_cast<const DWORD*>(dib);
    if (headerSize > size)
        return false;
    // Sizes are summed in 64 bits: no field can wrap a bound around.
    unsigned long long width, height, bits, planes, colours;
    DWORD compression = BI_RGB;
    if (headerSize == kCoreHeaderSize) {
        const auto* core = reinterpret_cast<const BITMAPCOREHEADER*>(dib);
        width = core->bcWidth;
        height = core->bcHeight;
        bits = core->bcBitCount;
        planes = core->bcPlanes;
        colours = bits <= 8 ? 1ull << bits : 0;
        if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
            return false;
    } else if (headerSize == kInfoHeaderSize || headerSize == sizeof(BITMAPV4HEADER) ||
               headerSize == sizeof(BITMAPV5HEADER)) {
        const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
        if (info->biWidth <= 0 || info->biHeight == 0 || info->biHeight == LONG_MIN)
            return false;
        width = static_cast<unsigned long long>(info->biWidth);
        height = static_cast<unsigned long long>(info->biHeight < 0 ? -info->biHeight : info->biHeight);
        bits = info->biBitCount;
        planes = info->biPlanes;
        compression = info->biCompression;
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
            return false;
        if (info->biClrUsed > (1ull << bits))
            return false;
        colours = DibColorCount(info);
        const bool rle = (compression == BI_RLE8 && bits == 8) || (compression == BI_RLE4 && bits == 4);
        const bool fields = compression == BI_BITFIELDS && (bits == 16 || bits == 32);
        if (compression != BI_RGB && !rle && !fields)
            return false;
        if (rle && (info->biHeight < 0 || info->biSizeImage == 0))
            return false;
    } else {
        return false;
    }
    if (planes != 1 || width == 0 || height == 0)
        return false;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
    const unsigned long long entrySize = headerSize == kCoreHeaderSize ? sizeof(RGBTRIPLE) : sizeof(RGBQUAD);
    unsigned long long offset = headerSize + colours * entrySize;
    if (compression == BI_BITFIELDS) {
        // The masks follow a 40-byte header and lie at the same place
        // inside the larger ones.
        if (kInfoHeaderSize + 3 * sizeof(DWORD) > size)
            return false;
        const auto* masks = reinterpret_cast<const DWORD*>(dib + kInfoHeaderSize);
        if (!masks[0] || !masks[1] || !masks[2] || (masks[0] & masks[1]) || (masks[0] & masks[2]) ||
            (masks[1] & masks[2]))
            return false;
        if (headerSize == kInfoHeaderSize)
            offset += 3 * sizeof(DWORD);
    }
    const unsigned long long imageBytes = compression == BI_RLE8 || compression == BI_RLE4
                                              ? header->biSizeImage
                                              : ((bits * width + 31) / 32) * 4 * height;
    return offset + imageBytes <= size;
}

bool IsValidPackedDib(HGLOBAL packedDib)
{
    if (!packedDib)
        return false;
    const SIZE_T size = GlobalSize(packedDib);
    GlobalLockScope lock(packedDib);
    return lock.Data() && IsValidPackedDib(lock.As<BYTE>(), size);
}

HPALETTE DuplicatePalette(HPALETTE palette)
{
    WORD entries = 0;
    if (!palette || GetObjectW(palette, sizeof entries, &entries) == 0 || entries == 0)
        return nullptr;
    PaletteBuilder builder(entries);
    std::vector<PALETTEENTRY> colours(entries);
    GetPaletteEntries(palette, 0, entries, colours.data());
    for (const PALETTEENTRY& colour : colours)
        builder.Append(colour.peRed, colour.peGreen, colour.peBlue);
    return builder.Create();
}

HPALETTE GetColorCubePalette()
{
    static const HPALETTE palette = MakeColorCubePalette();
    return palette;
}

HPALETTE PaletteFromDib(HGLOBAL packedDib)
{
    ReadScreenColorCaps();
    if (!packedDib)
        return nullptr;
    const SIZE_T size = GlobalSize(packedDib);
    GlobalLockScope lock(packedDib);
    if (!lock.Data() || !IsValidPackedDib(lock.As<BYTE>(), size))
        return nullptr;
    return PaletteFromLockedDib(lock.As<BYTE>());
}

HGLOBAL BitmapToPackedDib(HBITMAP bitmap, HPALETTE palette)
{
    const ScreenColorCaps& caps = ReadScreenColorCaps();
    if (!bitmap)
        return nullptr;
    BITMAP info = {};
    if (!GetObjectW(bitmap, sizeof info, &info))
        return nullptr;

    WORD paletteEntries = 0;
    if (caps.paletteDevice) {
        if (!palette)
            palette = caps.defaultPalette;
        if (caps.paletteSize == 256 && info.bmBitsPixel * info.bmPlanes == 8) {
            if (GetObjectW(palette, sizeof paletteEntries, &paletteEntries) == 0 || paletteEntries > 256)
                paletteEntries = 0;
        }
    }
    const bool indexForm = paletteEntries > 0;

    BITMAPINFOHEADER header = {};
    header.biSize = kInfoHeaderSize;
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(info.bmBitsPixel * info.bmPlanes);
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(((header.biBitCount * info.bmWidth + 31) / 32) * 4 * info.bmHeight);

    const DWORD bitsOffset = kInfoHeaderSize + DibColorTableSize(&header);
    GlobalBlock block(GHND, bitsOffset + header.biSizeImage);
    if (!block)
        return nullptr;
    GlobalBlock indexBlock(indexForm ? GlobalAlloc(GMEM_FIXED, kInfoHeaderSize + kMaxPaletteIndexTable) : nullptr);
    if (indexForm && !indexBlock)
        return nullptr;

    GlobalLockScope lock(block.Get());
    if (!lock.Data())
        return nullptr;
    BYTE* dib = lock.As<BYTE>();
    BYTE* headerTarget = indexForm ? static_cast<BYTE*>(indexBlock.Get()) : dib;
    std::memcpy(headerTarget, &header, kInfoHeaderSize);

    int lines = 0;
    {
        ScreenContext screen;
        if (!screen.Get())
            return nullptr;
        HPALETTE previous = nullptr;
        if (caps.paletteDevice && palette) {
            previous = SelectPalette(screen.Get(), palette, TRUE);
            RealizePalette(screen.Get());
        }
        lines = GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(info.bmHeight), dib + bitsOffset,
                          reinterpret_cast<BITMAPINFO*>(headerTarget), indexForm ? DIB_PAL_COLORS : DIB_RGB_COLORS);
        if (previous)
            SelectPalette(screen.Get(), previous, TRUE);
    }
    if (lines <= 0)
        return nullptr;
    if (indexForm)
        ConvertIndexFormToColors(dib, static_cast<const BYTE*>(indexBlock.Get()), palette, paletteEntries);
    return block.Release();
}

HBITMAP PackedDibToBitmap(HGLOBAL packedDib, HPALETTE* palette)
{
    if (palette)
        *palette = nullptr;
    ScreenContext screen;
    const ScreenColorCaps& caps = ReadScreenColorCaps();
    if (!packedDib || !screen.Get())
        return nullptr;
    const SIZE_T size = GlobalSize(packedDib);
    GlobalLockScope lock(packedDib);
    if (!lock.Data() || !IsValidPackedDib(lock.As<BYTE>(), size))
        return nullptr;
    const BYTE* dib = lock.As<BYTE>();
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib);

    HPALETTE made = nullptr;
    HPALETTE previous = nullptr;
    if (caps.paletteDevice) {
        made = PaletteFromLockedDib(dib);
        if (made) {
            previous = SelectPalette(screen.Get(), made, FALSE);
            RealizePalette(screen.Get());
        }
    }
    HBITMAP bitmap = CreateDIBitmap(screen.Get(), header, CBM_INIT, dib + DibBitsOffset(header),
                                    reinterpret_cast<const BITMAPINFO*>(dib), DIB_RGB_COLORS);
    if (caps.paletteDevice && previous) {
        SelectPalette(screen.Get(), previous, FALSE);
        RealizePalette(screen.Get());
    }
    // The receiver owns the palette it gets: the shared colour cube is
    // handed out as a copy.
    const bool shared = made && made == GetColorCubePalette();
    if (bitmap && palette)
        *palette = shared ? DuplicatePalette(made) : made;
    else if (made && !shared)
        DeleteObject(made);
    return bitmap;
}

HBITMAP CopyBitmap(HBITMAP bitmap)
{
    BITMAP info = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info))
        return nullptr;
    const LONG bytes = info.bmPlanes * info.bmWidthBytes * info.bmHeight;
    GlobalBlock block(GHND, bytes > 0 ? bytes : 1);
    GlobalLockScope lock(block.Get());
    if (!lock.Data())
        return nullptr;
    if (GetBitmapBits(bitmap, bytes, lock.Data()) == 0)
        return nullptr;
    return CreateBitmap(info.bmWidth, info.bmHeight, info.bmPlanes, info.bmBitsPixel, lock.Data());
}

long CopyBitmapAndPalette(HBITMAP& bitmap, HPALETTE& palette)
{
    if (palette) {
        GlobalBlock dib(BitmapToPackedDib(bitmap, palette));
        if (!dib)
            return 7;
        HPALETTE newPalette = nullptr;
        HBITMAP copy = PackedDibToBitmap(dib.Get(), &newPalette);
        if (!copy)
            return 7;
        bitmap = copy;
        palette = newPalette;
        return 0;
    }
    HBITMAP copy = CopyBitmap(bitmap);
    if (!copy)
        return 7;
    bitmap = copy;
    return 0;
}

HBITMAP PictureToBitmap(IPicture* picture, int width, int height)
{
    if (!picture)
        return nullptr;
    ScreenContext screen;
    if (!screen.Get())
        return nullptr;
    CompatibleContext source(screen.Get());
    CompatibleContext target(screen.Get());
    if (!source.Get() || !target.Get())
        return nullptr;

    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    picture->get_Width(&himetricWidth);
    picture->get_Height(&himetricHeight);
    const int pictureWidth = HimetricToPixelsX(himetricWidth);
    const int pictureHeight = HimetricToPixelsY(himetricHeight);
    if (width == 0)
        width = pictureWidth;
    if (height == 0)
        height = pictureHeight;

    OwnedGdiHandle<HBITMAP> result(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!result.Get())
        return nullptr;

    // The picture's bitmap is taken out of the source context again before
    // the context dies, so that the picture never points at a dead context.
    HGDIOBJ sourceOriginal = GetCurrentObject(source.Get(), OBJ_BITMAP);
    HDC earlier = nullptr;
    OLE_HANDLE selected = 0;
    if (FAILED(picture->SelectPicture(source.Get(), &earlier, &selected)))
        return nullptr;
    HGDIOBJ targetOriginal = SelectObject(target.Get(), result.Get());
    const BOOL copied = StretchBlt(target.Get(), 0, 0, width, height, source.Get(), 0, 0, pictureWidth,
                                   pictureHeight, SRCCOPY);
    SelectObject(source.Get(), sourceOriginal);
    HDC ignored = nullptr;
    picture->SelectPicture(earlier, &ignored, &selected);
    SelectObject(target.Get(), targetOriginal);
    return copied ? result.Release() : nullptr;
}
