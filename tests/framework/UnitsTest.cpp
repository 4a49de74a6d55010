// Units, colours, text in streams, and the font and picture holders.
#include <doctest/doctest.h>

#include "AdviseConnection.h"
#include "DualString.h"
#include "FrameworkFixtures.h"
#include "InterfacePtr.h"
#include "OleColor.h"
#include "PropertySinkConnection.h"
#include "StreamText.h"
#include "Units.h"

#include <algorithm>
#include <string>

TEST_CASE("twips per pixel is truncated before any conversion")
{
    struct Row { int dpi; int tpp; };
    const Row rows[] = {{96, 15}, {120, 12}, {144, 10}, {100, 14}, {0, 15}, {2880, 1}};
    for (const Row& row : rows) {
        CAPTURE(row.dpi);
        CHECK(TwipsPerPixel(row.dpi) == row.tpp);
    }
}

TEST_CASE("length conversions round to the nearest whole, halves away from zero on both sides")
{
    SUBCASE("twips and pixels at 96 DPI")
    {
        struct Row { int twips; int pixels; };
        const Row rows[] = {{7, 0}, {8, 1}, {22, 1}, {23, 2}, {-7, 0}, {-8, -1}, {-15, -1}, {-22, -1}, {-23, -2}, {-38, -3}, {0, 0}};
        for (const Row& row : rows) {
            CAPTURE(row.twips);
            CHECK(TwipsToPixels(row.twips, 15) == row.pixels);
        }
        CHECK(PixelsToTwips(3, 15) == 45);
    }
    SUBCASE("a pixel count survives the round trip through twips at any DPI")
    {
        for (int dpi : {96, 100, 120, 144, 200}) {
            const int tpp = TwipsPerPixel(dpi);
            for (int pixels : {0, 1, 7, 13, 640, 12345, -1, -7, -13, -12345}) {
                CAPTURE(dpi);
                CAPTURE(pixels);
                CHECK(TwipsToPixels(PixelsToTwips(pixels, tpp), tpp) == pixels);
            }
        }
        CHECK(PixelsToTwips(1, TwipsPerPixel(100)) == 14);
    }
    SUBCASE("HIMETRIC and pixels")
    {
        struct Row { int himetric; int dpi; int pixels; };
        const Row rows[] = {{2540, 96, 96}, {2540, 120, 120}, {13, 96, 0}, {14, 96, 1}, {-13, 96, 0}, {-14, 96, -1}};
        for (const Row& row : rows) {
            CAPTURE(row.himetric);
            CHECK(HimetricToPixels(row.himetric, row.dpi) == row.pixels);
        }
        CHECK(PixelsToHimetric(1, 96) == 26);
        CHECK(PixelsToHimetric(96, 96) == 2540);
        CHECK(PixelsToHimetric(1, 120) == 21);
        // A huge extent does not overflow on its way through the product.
        CHECK(PixelsToHimetric(1000000, 96) == 26458333);
        // An extent stored negative comes back from pixels as it went.
        for (int himetric : {-32768, -32755, -2540, -27}) {
            CAPTURE(himetric);
            const int once = PixelsToHimetric(HimetricToPixels(himetric, 96), 96);
            CHECK(PixelsToHimetric(HimetricToPixels(once, 96), 96) == once);
        }
    }
}

TEST_CASE("the display conversions use the display's DPI")
{
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const int tppX = TwipsPerPixel(dpiX);

    CHECK(PixelsToTwipsX(3) == 3 * tppX);
    CHECK(TwipsToPixelsX(PixelsToTwipsX(17)) == 17);
    CHECK(TwipsToPixelsY(PixelsToTwipsY(17)) == 17);

    SIZE himetric = {2540, 5080};
    SIZE pixels = {};
    HimetricToPixels(himetric, pixels);
    CHECK(pixels.cx == dpiX);
    CHECK(pixels.cy == 2 * dpiY);
    SIZE back = {};
    PixelsToHimetric(pixels, back);
    CHECK(back.cx == 2540);
    CHECK(back.cy == 5080);
    CHECK(HimetricToPixelsX(2540) == dpiX);
    CHECK(HimetricToPixelsY(2540) == dpiY);
    CHECK(PixelsToHimetricX(dpiX) == 2540);
    CHECK(PixelsToHimetricY(dpiY) == 2540);
}

namespace {

// A system that knows only the indexes up to 20, answers 8 with a real black,
// and every known index with a colour that names it.
COLORREF OldSystemColor(int index)
{
    if (index == COLOR_WINDOWTEXT)
        return 0;
    if (index <= COLOR_BTNHIGHLIGHT)
        return RGB(index, 100, 200);
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
}

COLORREF BlackLightSystem(int index)
{
    return index == COLOR_3DLIGHT ? 0 : RGB(1, 2, 3);
}

} // namespace

TEST_CASE("OLE colours translate to GDI colours")
{
    SUBCASE("plain and palette forms pass unchanged; system colours are looked up")
    {
        CHECK(TranslateOleColor(0x000000FF) == 0x000000FF);
        CHECK(TranslateOleColor(0x01000003) == 0x01000003);
        CHECK(TranslateOleColor(0x02123456) == 0x02123456);
        CHECK(TranslateOleColor(0x80000005) == GetSysColor(COLOR_WINDOW));
        CHECK(TranslateOleColor(0x8000000F) == GetSysColor(COLOR_BTNFACE));
    }
    SUBCASE("indexes the system does not know get their substitutes")
    {
        struct Row { OLE_COLOR color; COLORREF expected; };
        const Row rows[] = {
            {0x80000015, RGB(COLOR_BTNSHADOW, 100, 200)},
            {0x80000016, RGB(COLOR_BTNHIGHLIGHT, 100, 200)},
            {0x80000017, 0},  // substitute is the window text colour, a real black here
            {0x80000018, RGB(COLOR_WINDOW, 100, 200)},
            {0x8000001A, 0xFF0000},
            {0x8000001B, RGB(COLOR_ACTIVECAPTION, 100, 200)},
            {0x8000001C, RGB(COLOR_INACTIVECAPTION, 100, 200)},
            {0x80000019, 0},
            {0x8000001D, 0},
            {0x80000040, 0},
            {0x80000008, 0},  // a real black of a known index
            {0x80000005, RGB(COLOR_WINDOW, 100, 200)},
        };
        for (const Row& row : rows) {
            CAPTURE(row.color);
            CHECK(TranslateOleColor(row.color, OldSystemColor) == row.expected);
        }
    }
    SUBCASE("a real black with no error set is not replaced")
    {
        SetLastError(ERROR_INVALID_PARAMETER); // stale error of an earlier call
        CHECK(TranslateOleColor(0x80000016, BlackLightSystem) == 0);
    }
}

namespace {

std::vector<BYTE> Counted(const std::string& text)
{
    std::vector<BYTE> bytes(2 + text.size());
    bytes[0] = static_cast<BYTE>(text.size() & 0xFF);
    bytes[1] = static_cast<BYTE>(text.size() >> 8);
    std::copy(text.begin(), text.end(), bytes.begin() + 2);
    return bytes;
}

} // namespace

TEST_CASE("text in streams: BSTR round trips")
{
    struct Row { const wchar_t* text; std::string ansi; };
    const std::wstring longText(32767, L'x');
    const Row rows[] = {
        {L"", ""},
        {L"abc", "abc"},
        {L"a\u00e7\u00e3o", "a\xe7\xe3o"}, // ANSI code page 1252 in both test locales
        {longText.c_str(), std::string(32767, 'x')},
    };
    for (const Row& row : rows) {
        CAPTURE(row.ansi.size());
        ComPtr<IStream> stream = MakeStream();
        BSTR text = SysAllocString(row.text);
        REQUIRE(WriteBstrToStream(stream.Get(), text) == S_OK);
        SysFreeString(text);
        CHECK(StreamBytes(stream.Get()) == Counted(row.ansi));

        Rewind(stream.Get());
        BSTR back = nullptr;
        REQUIRE(ReadBstrFromStream(stream.Get(), &back) == S_OK);
        REQUIRE(back != nullptr);
        CHECK(std::wstring(back, SysStringLen(back)) == row.text);
        SysFreeString(back);
    }
}

TEST_CASE("text in streams: exact bytes, empty text and what follows it")
{
    ComPtr<IStream> stream = MakeStream();
    REQUIRE(WriteBstrToStream(stream.Get(), nullptr) == S_OK);
    BSTR abc = SysAllocString(L"abc");
    REQUIRE(WriteBstrToStream(stream.Get(), abc) == S_OK);
    SysFreeString(abc);
    CHECK(StreamBytes(stream.Get()) == std::vector<BYTE>{0, 0, 3, 0, 'a', 'b', 'c'});

    Rewind(stream.Get());
    std::string text = "stale";
    REQUIRE(ReadAnsiTextFromStream(stream.Get(), text) == S_OK);
    CHECK(text.empty());
    BSTR next = nullptr;
    REQUIRE(ReadBstrFromStream(stream.Get(), &next) == S_OK);
    CHECK(std::wstring(next) == L"abc");
    SysFreeString(next);

    ComPtr<IStream> empty = MakeStream({0, 0});
    BSTR none = nullptr;
    REQUIRE(ReadBstrFromStream(empty.Get(), &none) == S_OK);
    CHECK(none != nullptr);
    CHECK(SysStringLen(none) == 0);
    SysFreeString(none);
}

TEST_CASE("text in streams: damaged and oversized input fails cleanly")
{
    struct Row { const char* what; std::vector<BYTE> bytes; HRESULT expected; };
    const Row rows[] = {
        {"negative count", {0xFF, 0xFF, 'a'}, StreamTextBadCount},
        {"count -32768", {0x00, 0x80}, StreamTextBadCount},
        {"stream ends inside the text", {5, 0, 'a', 'b'}, StreamTextTruncated},
        {"stream ends inside the count", {5}, StreamTextTruncated},
        {"empty stream", {}, StreamTextTruncated},
        {"count 32767, few bytes", {0xFF, 0x7F, 'a'}, StreamTextTruncated},
    };
    for (const Row& row : rows) {
        CAPTURE(row.what);
        ComPtr<IStream> stream = MakeStream(row.bytes);
        BSTR untouched = reinterpret_cast<BSTR>(0x1234);
        CHECK(ReadBstrFromStream(stream.Get(), &untouched) == row.expected);
        CHECK(untouched == reinterpret_cast<BSTR>(0x1234));

        Rewind(stream.Get());
        std::string text = "stale";
        CHECK(ReadAnsiTextFromStream(stream.Get(), text) == row.expected);
        CHECK(text.empty());
    }

    SUBCASE("a text longer than the count can say is refused and nothing is written")
    {
        ComPtr<IStream> stream = MakeStream();
        BSTR text = SysAllocStringLen(nullptr, 32768);
        std::fill(text, text + 32768, L'y');
        CHECK(WriteBstrToStream(stream.Get(), text) == StreamTextTooLong);
        SysFreeString(text);
        CHECK(StreamBytes(stream.Get()).empty());
        const std::string ansi(40000, 'z');
        CHECK(WriteAnsiTextToStream(stream.Get(), ansi.data(), ansi.size()) == StreamTextTooLong);
        CHECK(StreamBytes(stream.Get()).empty());
    }
    SUBCASE("null arguments")
    {
        CHECK(ReadBstrFromStream(MakeStream({0, 0}).Get(), nullptr) == E_POINTER);
        CHECK(WriteBstrToStream(nullptr, nullptr) == E_POINTER);
    }
}

TEST_CASE("text in streams: CDualString")
{
    ComPtr<IStream> stream = MakeStream();
    const CDualString empty;
    const CDualString caption("Coluna \xe7");
    REQUIRE(WriteStringToStream(stream.Get(), empty) == S_OK);
    REQUIRE(WriteStringToStream(stream.Get(), caption) == S_OK);
    CHECK(StreamBytes(stream.Get()) == std::vector<BYTE>{0, 0, 8, 0, 'C', 'o', 'l', 'u', 'n', 'a', ' ', 0xE7});

    Rewind(stream.Get());
    CDualString text("stale");
    REQUIRE(ReadStringFromStream(stream.Get(), text) == S_OK);
    CHECK(text.IsEmpty());
    REQUIRE(ReadStringFromStream(stream.Get(), text) == S_OK);
    CHECK(std::string(text.c_str()) == "Coluna \xe7");
    // The stream is at its end now: the read fails and leaves the string empty.
    CHECK(ReadStringFromStream(stream.Get(), text) == StreamTextTruncated);
    CHECK(text.IsEmpty());
}

TEST_CASE("AdviseConnection without a sink reference leaves the sink's count alone")
{
    ComPtr<IUnknown> font;
    FONTDESC description = PropertySinkConnection::DefaultFontDescription();
    REQUIRE(OleCreateFontIndirect(&description, IID_IUnknown, reinterpret_cast<void**>(font.GetAddressOf())) == S_OK);
    RecordingSink sink;
    IPropertyNotifySink* notify = &sink;
    const ULONG before = sink.refs;
    DWORD cookie = 0;
    REQUIRE(AdviseConnection(font.Get(), IID_IPropertyNotifySink, notify, false, &cookie));
    CHECK(sink.refs == before);
    REQUIRE(UnadviseConnection(font.Get(), IID_IPropertyNotifySink, notify, false, cookie));
    CHECK(sink.refs == before);

    REQUIRE(AdviseConnection(font.Get(), IID_IPropertyNotifySink, notify, true, &cookie));
    CHECK(sink.refs == before + 1);
    REQUIRE(UnadviseConnection(font.Get(), IID_IPropertyNotifySink, notify, true, cookie));
    CHECK(sink.refs == before);

    CHECK_FALSE(AdviseConnection(nullptr, IID_IPropertyNotifySink, notify, false, &cookie));
    CHECK_FALSE(UnadviseConnection(font.Get(), IID_IPropertyNotifySink, notify, false, 0xBAD));
    CHECK(sink.refs == before);
}

TEST_CASE("PropertySinkConnection holds a font and hears its changes")
{
    RecordingSink sink;
    SUBCASE("a made font is connected; a change reaches the sink; disconnect gives everything back")
    {
        const ULONG before = sink.refs;
        {
            PropertySinkConnection holder(&sink);
            holder.AssignFont(nullptr, nullptr);
            REQUIRE(holder.Object() != nullptr);
            CHECK(holder.Cookie() != 0);
            CHECK(holder.GetHFont() != nullptr);
            ComPtr<IFontDisp> disp = Adopt(holder.GetFontDisp());
            REQUIRE(disp.Get() != nullptr);
            ComPtr<IFont> font;
            REQUIRE(disp.As(&font) == S_OK);
            BSTR name = nullptr;
            REQUIRE(font->get_Name(&name) == S_OK);
            CHECK(std::wstring(name) == L"MS Sans Serif");
            SysFreeString(name);

            font->put_Bold(TRUE);
            CHECK(sink.changed == std::vector<DISPID>{DISPID_FONT_BOLD});
        }
        CHECK(sink.refs == before);
    }
    SUBCASE("a given font is cloned, not shared")
    {
        ComPtr<IFont> original;
        FONTDESC description = PropertySinkConnection::DefaultFontDescription();
        REQUIRE(OleCreateFontIndirect(&description, IID_IFont, reinterpret_cast<void**>(original.GetAddressOf())) == S_OK);
        PropertySinkConnection holder(&sink);
        holder.AssignFont(nullptr, original.Get());
        REQUIRE(holder.Object() != nullptr);
        ComPtr<IUnknown> originalUnknown;
        original.As(&originalUnknown);
        CHECK(holder.Object() != originalUnknown.Get());
        original->put_Italic(TRUE);
        CHECK(sink.changed.empty());
    }
    SUBCASE("without a sink the object is held but not connected, and a later sink does not connect it")
    {
        PropertySinkConnection holder;
        holder.AssignFont(nullptr, nullptr);
        CHECK(holder.Object() != nullptr);
        CHECK(holder.Cookie() == 0);
        const ULONG before = sink.refs;
        holder.SetSink(&sink);
        ComPtr<IFont> font;
        REQUIRE(holder.Object()->QueryInterface(IID_PPV_ARGS(&font)) == S_OK);
        font->put_Bold(TRUE);
        CHECK(sink.changed.empty());
        holder.Disconnect();
        CHECK(holder.Object() == nullptr);
        CHECK(sink.refs == before);
    }
}

TEST_CASE("InterfacePtr holds pictures")
{
    InterfacePtr picture;
    CHECK(picture.GetPictureType() == -1);
    CHECK(picture.GetPictureDisp() == nullptr);

    REQUIRE(picture.CreateEmptyPicture());
    CHECK(picture.GetPictureType() == PICTYPE_NONE);

    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(nullptr, screen);
    REQUIRE(picture.CreatePictureFromBitmap(bitmap, nullptr, true));
    CHECK(picture.GetPictureType() == PICTYPE_BITMAP);

    ComPtr<IPictureDisp> disp = Adopt(picture.GetPictureDisp());
    REQUIRE(disp.Get() != nullptr);
    InterfacePtr other;
    other.AssignPicture(disp.Get());
    CHECK(other.Get() == picture.Get());
    other.AssignPicture(nullptr);
    CHECK(other.GetPictureType() == -1);
    picture.Release();
    CHECK(!picture);
    // Neither holder kept a reference behind: disp holds the last one.
    CHECK(RefCount(disp.Get()) == 1);
}
