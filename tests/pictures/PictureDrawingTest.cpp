// Picture drawing: pixels read back from memory contexts.
#include "Canvas.h"
#include "PictureDrawing.h"
#include "TransparentBlitter.h"

#include <doctest/doctest.h>

#include <vector>

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kMagenta = RGB(255, 0, 255);
const RECT kNoClip = {0, 0, 0, 0};

RECT At(int x, int y, int w = 0, int h = 0)
{
    return RECT{x, y, x + w, y + h};
}

int CALLBACK KeepLastBitBlt(HDC, HANDLETABLE*, const ENHMETARECORD* item, int, LPARAM data)
{
    if (item->iType == EMR_BITBLT) {
        auto* bytes = reinterpret_cast<const BYTE*>(item);
        reinterpret_cast<std::vector<BYTE>*>(data)->assign(bytes, bytes + item->nSize);
    }
    return 1;
}

// Red with a magenta left column: magenta is the mask colour of the tests.
COLORREF HalfMasked(int x, int)
{
    return x == 0 ? kMagenta : kRed;
}

} // namespace

TEST_CASE("a holder without a drawable picture draws nothing")
{
    Canvas canvas(8, 8, kWhite);
    InterfacePtr none;
    CHECK_FALSE(DrawPictureInRect(canvas.Dc(), none, At(0, 0), kNoClip, false, false, 0));
    InterfacePtr empty;
    REQUIRE(empty.CreateEmptyPicture());
    CHECK_FALSE(DrawPictureInRect(canvas.Dc(), empty, At(0, 0), kNoClip, false, false, 0));
    CHECK(canvas.Count(kWhite) == 64);
}

TEST_CASE("a bitmap draws at its own size at the destination's corner")
{
    Canvas canvas(10, 10, kWhite);
    InterfacePtr picture;
    REQUIRE(MakeBitmapPicture(picture, 4, 3, [](int x, int y) { return x == 0 && y == 0 ? kBlue : kRed; }));
    CHECK(DrawPictureInRect(canvas.Dc(), picture, At(2, 1, 1, 1), kNoClip, false, false, 0));
    CHECK(canvas.At(2, 1) == kBlue);
    CHECK(canvas.At(5, 3) == kRed);
    CHECK(canvas.At(6, 3) == kWhite);
    CHECK(canvas.At(5, 4) == kWhite);
    CHECK(canvas.Count(kRed) == 11);
}

TEST_CASE("masked bitmaps leave the target where the mask colour is")
{
    Canvas canvas(6, 6, kGreen);
    InterfacePtr picture;

    SUBCASE("mask colour absent: drawn like an unmasked bitmap")
    {
        REQUIRE(MakeBitmapPicture(picture, 3, 3, [](int, int) { return kRed; }));
        CHECK(DrawPictureInRect(canvas.Dc(), picture, At(1, 1), kNoClip, false, true, kMagenta));
        CHECK(canvas.Count(kRed) == 9);
    }
    SUBCASE("wholly of the mask colour: target unchanged")
    {
        REQUIRE(MakeBitmapPicture(picture, 3, 3, [](int, int) { return kMagenta; }));
        CHECK(DrawPictureInRect(canvas.Dc(), picture, At(1, 1), kNoClip, false, true, kMagenta));
        CHECK(canvas.Count(kGreen) == 36);
    }
    SUBCASE("mixed: the masked column shows the background")
    {
        REQUIRE(MakeBitmapPicture(picture, 3, 3, HalfMasked));
        CHECK(DrawPictureInRect(canvas.Dc(), picture, At(1, 1), kNoClip, false, true, kMagenta));
        CHECK(canvas.At(1, 2) == kGreen);
        CHECK(canvas.At(2, 2) == kRed);
        CHECK(canvas.Count(kRed) == 6);
        CHECK(canvas.Count(kMagenta) == 0);
    }
    SUBCASE("the mask colour is an OLE colour: a system colour is translated")
    {
        const COLORREF window = GetSysColor(COLOR_WINDOW);
        REQUIRE(MakeBitmapPicture(picture, 3, 3, [window](int x, int) { return x == 0 ? window : kRed; }));
        CHECK(DrawPictureInRect(canvas.Dc(), picture, At(1, 1), kNoClip, false, true, 0x80000000 | COLOR_WINDOW));
        CHECK(canvas.At(1, 1) == kGreen);
        CHECK(canvas.Count(kRed) == 6);
    }
}

TEST_CASE("a masked blit outside a memory context gives the same pixels through a working bitmap")
{
    HBITMAP source = MakeBitmap(4, 4, HalfMasked);
    REQUIRE(source);
    Canvas direct(8, 8, kGreen);
    {
        TransparentBlitter blitter(source, nullptr);
        CHECK(blitter.Draw(direct.Dc(), 2, 2, 4, 4, 0, 0, 4, 4, kMagenta));
    }
    // An enhanced-metafile context is no memory context: the blitter composes
    // in a bitmap filled with the brush and copies it over in one BitBlt,
    // whose recorded bits are read back here.
    HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    REQUIRE(recorder);
    HBRUSH green = CreateSolidBrush(kGreen);
    {
        TransparentBlitter blitter(source, nullptr);
        CHECK(blitter.Draw(recorder, 2, 2, 4, 4, 0, 0, 4, 4, kMagenta, green));
    }
    HENHMETAFILE recorded = CloseEnhMetaFile(recorder);
    REQUIRE(recorded);
    std::vector<BYTE> record;
    EnumEnhMetaFile(nullptr, recorded, KeepLastBitBlt, &record, nullptr);
    REQUIRE(record.size() >= sizeof(EMRBITBLT));
    const auto* blit = reinterpret_cast<const EMRBITBLT*>(record.data());
    CHECK(blit->xDest == 2);
    CHECK(blit->yDest == 2);
    CHECK(blit->cxDest == 4);
    CHECK(blit->cyDest == 4);
    REQUIRE(blit->offBmiSrc != 0);
    Canvas played(8, 8, kGreen);
    StretchDIBits(played.Dc(), 2, 2, 4, 4, 0, 0, 4, 4, record.data() + blit->offBitsSrc,
                  reinterpret_cast<const BITMAPINFO*>(record.data() + blit->offBmiSrc), DIB_RGB_COLORS, SRCCOPY);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            CHECK(played.At(x, y) == direct.At(x, y));
    DeleteEnhMetaFile(recorded);
    DeleteObject(green);
    DeleteObject(source);
}

TEST_CASE("the clip rectangle limits the drawing and the previous clip region comes back")
{
    Canvas canvas(10, 10, kWhite);
    InterfacePtr picture;
    REQUIRE(MakeBitmapPicture(picture, 6, 6, [](int, int) { return kRed; }));

    SUBCASE("no clip region before")
    {
        CHECK(DrawPictureInRect(canvas.Dc(), picture, At(0, 0), RECT{2, 2, 4, 5}, true, false, 0));
        CHECK(canvas.Count(kRed) == 6);
        HRGN after = CreateRectRgn(0, 0, 0, 0);
        CHECK(GetClipRgn(canvas.Dc(), after) == 0);
        DeleteObject(after);
    }
    SUBCASE("an existing clip region is intersected and restored")
    {
        HRGN existing = CreateRectRgn(3, 0, 10, 10);
        SelectClipRgn(canvas.Dc(), existing);
        CHECK(DrawPictureInRect(canvas.Dc(), picture, At(0, 0), RECT{2, 2, 4, 5}, true, false, 0));
        CHECK(canvas.Count(kRed) == 3);
        HRGN after = CreateRectRgn(0, 0, 0, 0);
        REQUIRE(GetClipRgn(canvas.Dc(), after) == 1);
        CHECK(EqualRgn(after, existing));
        SelectClipRgn(canvas.Dc(), nullptr);
        DeleteObject(after);
        DeleteObject(existing);
    }
}

TEST_CASE("icons draw at their own size, never masked")
{
    Canvas canvas(64, 64, kWhite);
    {
        HBITMAP colour = MakeBitmap(32, 32, [](int, int) { return kBlue; });
        HBITMAP mask = CreateBitmap(32, 32, 1, 1, nullptr);   // all 0: opaque
        ICONINFO info = {TRUE, 0, 0, mask, colour};
        HICON icon = CreateIconIndirect(&info);
        DeleteObject(colour);
        DeleteObject(mask);
        REQUIRE(icon);
        PICTDESC description = {};
        description.cbSizeofstruct = sizeof(description);
        description.picType = PICTYPE_ICON;
        description.icon.hicon = icon;
        IPicture* raw = nullptr;
        REQUIRE(SUCCEEDED(OleCreatePictureIndirect(&description, IID_IPicture, TRUE, reinterpret_cast<void**>(&raw))));
        InterfacePtr picture;
        picture.AssignPicture(raw);
        raw->Release();
        SIZE size;
        GetPictureSizePixels(picture, size);
        CHECK(DrawPictureInRect(canvas.Dc(), picture, At(4, 4), kNoClip, false, true, kBlue));
        CHECK(canvas.At(4, 4) == kBlue);   // masking applies to bitmaps only
        CHECK(canvas.At(4 + size.cx - 1, 4 + size.cy - 1) == kBlue);
        CHECK(canvas.At(4 + size.cx, 4) == kWhite);
    }
}

TEST_CASE("a 16 x 16 bitmap tiled over 40 x 20 gives 3 x 2 tiles clipped to the rectangle")
{
    Canvas canvas(64, 40, kWhite);
    InterfacePtr picture;
    REQUIRE(MakeBitmapPicture(picture, 16, 16, [](int x, int y) { return x == 0 && y == 0 ? kBlue : kRed; }));
    const RECT destination = {10, 10, 50, 30};
    DrawPictureTiled(canvas.Dc(), picture, destination, RECT{0, 0, 64, 40});
    CHECK(canvas.Count(kBlue) == 6);
    for (POINT corner : {POINT{10, 10}, POINT{26, 10}, POINT{42, 10}, POINT{10, 26}, POINT{26, 26}, POINT{42, 26}})
        CHECK(canvas.At(corner.x, corner.y) == kBlue);
    CHECK(canvas.Count(kRed) == 40 * 20 - 6);
    CHECK(canvas.At(50, 10) == kWhite);
    CHECK(canvas.At(10, 30) == kWhite);

    SUBCASE("only the part inside the clip rectangle is drawn")
    {
        canvas.Fill(kWhite);
        DrawPictureTiled(canvas.Dc(), picture, destination, RECT{20, 0, 30, 28});
        CHECK(canvas.Count(kBlue) == 2);
        CHECK(canvas.Count(kRed) == 10 * 18 - 2);
    }
    SUBCASE("rectangles that do not meet draw nothing")
    {
        canvas.Fill(kWhite);
        DrawPictureTiled(canvas.Dc(), picture, destination, RECT{50, 30, 60, 40});
        CHECK(canvas.Count(kWhite) == 64 * 40);
    }
}

TEST_CASE("the mask colour of a bitmap is its bottom-left pixel")
{
    HBITMAP bitmap = MakeBitmap(5, 4, [](int x, int y) { return x == 0 && y == 3 ? kMagenta : kRed; });
    CHECK(GetBitmapMaskColor(bitmap) == kMagenta);
    DeleteObject(bitmap);
    HBRUSH brush = CreateSolidBrush(kRed);
    CHECK(GetBitmapMaskColor(reinterpret_cast<HBITMAP>(brush)) == 0);
    DeleteObject(brush);
    CHECK(GetBitmapMaskColor(nullptr) == 0);
}
