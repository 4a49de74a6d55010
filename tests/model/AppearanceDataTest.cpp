// Appearance data: resolution level by level, its pairings and early stop,
// the GDI accessors, and the stream form with its refusals.
#include <doctest/doctest.h>

#include "AppearanceData.h"
#include "ModelTestSupport.h"
#include "PropertySinkConnection.h"

#include <cstdint>

using namespace AppearanceBit;

TEST_CASE("a new block has every setting unset")
{
    AppearanceData data;
    CHECK_FALSE(data.HasAnySetting());
    CHECK(data.BackColor() == UnsetColor);
    CHECK(data.GetForeColorRef() == 0xFFFFFFFF);
    CHECK(data.GetCursor() == nullptr);
    CHECK(data.GetFontHandle() == nullptr);
    Ref<IPictureDisp> icon(NewIconPicture());
    data.SetMouseIcon(icon.Get());
    CHECK_FALSE(data.HasAnySetting()); // a MouseIcon alone does not count
}

TEST_CASE("nibble settings share their bytes without disturbing each other")
{
    AppearanceData data;
    const std::uint32_t bits[] = {BackColorAlpha, BorderAlpha, ForegroundAlpha, PictureAlign, PictureVAlign, TextAlign,
                                  TextVAlign, PictureBackgroundStyle, PictureBackgroundAlpha,
                                  PictureBackgroundOrigin, PictureAlpha, PictureMasking};
    BYTE value = 1;
    for (std::uint32_t bit : bits) {
        data.SetNibble(bit, value);
        value = static_cast<BYTE>(value % 3 + 1);
    }
    value = 1;
    for (std::uint32_t bit : bits) {
        CHECK(data.Nibble(bit) == value);
        value = static_cast<BYTE>(value % 3 + 1);
    }
}

TEST_CASE("resolution fills unset settings from the next level and records them")
{
    AppearanceData cell, row, layout;
    cell.SetBackColor(0); // black is a set value
    row.SetBackColor(RGB(1, 2, 3));
    row.SetForeColor(RGB(4, 5, 6));
    row.SetNibble(TextAlign, 2);
    layout.SetForeColor(RGB(9, 9, 9));
    layout.SetBorderColor(RGB(7, 7, 7));
    layout.SetAlphaLevel(128);

    AppearanceData target;
    std::uint32_t resolved = 0;
    const std::uint32_t request = BackColor | ForeColor | BorderColor | TextAlign | AlphaLevel | TextVAlign;
    AppearanceData::ResolveAppearance(target, cell, request, &resolved);
    CHECK(resolved == BackColor);
    AppearanceData::ResolveAppearance(target, row, request, &resolved);
    AppearanceData::ResolveAppearance(target, layout, request, &resolved);
    CHECK(target.BackColor() == 0);
    CHECK(target.ForeColor() == RGB(4, 5, 6));
    CHECK(target.BorderColor() == RGB(7, 7, 7));
    CHECK(target.Nibble(TextAlign) == 2);
    CHECK(target.AlphaLevel() == 128);
    CHECK(resolved == (request & ~TextVAlign));

    SUBCASE("settings not requested are not taken")
    {
        AppearanceData t;
        std::uint32_t r = 0;
        AppearanceData::ResolveAppearance(t, layout, ForeColor, &r);
        CHECK(t.BorderColor() == UnsetColor);
        CHECK(r == ForeColor);
    }
    SUBCASE("an empty source changes nothing, not even the target's own bits")
    {
        AppearanceData t, empty;
        t.SetBackColor(RGB(1, 1, 1));
        std::uint32_t r = 0;
        AppearanceData::ResolveAppearance(t, empty, All, &r);
        CHECK(r == 0);
    }
    SUBCASE("once everything requested is settled, further levels change nothing")
    {
        AppearanceData t, more;
        std::uint32_t r = 0;
        AppearanceData::ResolveAppearance(t, row, BackColor | ForeColor, &r);
        more.SetBackColor(RGB(50, 50, 50));
        more.SetForeColor(RGB(60, 60, 60));
        AppearanceData::ResolveAppearance(t, more, BackColor | ForeColor, &r);
        CHECK(t.BackColor() == RGB(1, 2, 3));
        CHECK(t.ForeColor() == RGB(4, 5, 6));
        CHECK(r == (BackColor | ForeColor));
    }
}

TEST_CASE("MousePointer travels with its MouseIcon")
{
    Ref<IPictureDisp> sourceIcon(NewIconPicture()), targetIcon(NewIconPicture());
    AppearanceData source, target;
    source.SetMousePointer(MousePointerCustom);
    REQUIRE(source.SetMouseIcon(sourceIcon.Get()) == S_OK);
    REQUIRE(target.SetMouseIcon(targetIcon.Get()) == S_OK);
    std::uint32_t resolved = 0;
    AppearanceData::ResolveAppearance(target, source, MousePointer | MouseIcon, &resolved);
    CHECK(target.MousePointer() == MousePointerCustom);
    CHECK(target.MouseIcon() == source.MouseIcon());
    CHECK(resolved == (MousePointer | MouseIcon));
    CHECK(target.GetCursor() != nullptr);

    SUBCASE("a target with its own pointer keeps it and its icon, and records both bits")
    {
        AppearanceData own;
        own.SetMousePointer(3);
        std::uint32_t r = 0;
        AppearanceData::ResolveAppearance(own, source, MousePointer | MouseIcon, &r);
        CHECK(own.MousePointer() == 3);
        CHECK(own.MouseIcon() == nullptr);
        CHECK(r == (MousePointer | MouseIcon));
    }
    SUBCASE("MouseIcon alone is never resolved")
    {
        AppearanceData t;
        std::uint32_t r = 0;
        AppearanceData::ResolveAppearance(t, source, MouseIcon, &r);
        CHECK(r == 0);
        CHECK(t.MouseIcon() == nullptr);
    }
}

TEST_CASE("PictureBackground brings its origin and style, replacing the target's")
{
    Ref<IPictureDisp> picture(NewBitmapPicture(8, 8));
    AppearanceData source, target;
    source.SetPictureBackground(picture.Get());
    source.SetNibble(PictureBackgroundOrigin, 2);
    source.SetNibble(PictureBackgroundStyle, 3);
    target.SetNibble(PictureBackgroundOrigin, 1);
    target.SetNibble(PictureBackgroundStyle, 1);
    std::uint32_t resolved = 0;
    AppearanceData::ResolveAppearance(target, source, PictureBackground | PictureBackgroundOrigin, &resolved);
    CHECK(target.PictureBackground() == picture.Get());
    CHECK(target.Nibble(PictureBackgroundOrigin) == 2);
    CHECK(target.Nibble(PictureBackgroundStyle) == 3);
    CHECK(resolved == (PictureBackground | PictureBackgroundOrigin));
}

TEST_CASE("Picture and Font are copied with references of the target's own")
{
    Ref<IPictureDisp> picture(NewBitmapPicture(5, 7));
    Ref<IFontDisp> font(NewFont(L"Arial", 12));
    AppearanceData source, target;
    VARIANT value;
    V_VT(&value) = VT_DISPATCH;
    V_DISPATCH(&value) = picture.Get();
    REQUIRE(source.SetPicture(value) == S_OK);
    std::uint32_t resolved = 0;
    AppearanceData::ResolveAppearance(target, source, Picture | Font, &resolved);
    CHECK(resolved == Picture);
    CHECK(target.HasPictureObject());
    SIZE size;
    target.GetPictureSize(size);
    CHECK(size.cx == 5);
    CHECK(size.cy == 7);
    source.Clear();
    CHECK(target.HasPictureObject());
}

TEST_CASE("SetMouseIcon accepts icons and refuses bitmaps")
{
    AppearanceData data;
    Ref<IPictureDisp> bitmap(NewBitmapPicture(4, 4));
    CHECK(data.SetMouseIcon(bitmap.Get()) == E_FAIL);
    CHECK(data.MouseIcon() == nullptr);
    Ref<IPictureDisp> icon(NewIconPicture());
    CHECK(data.SetMouseIcon(icon.Get()) == S_OK);
    CHECK(data.SetMouseIcon(nullptr) == S_OK);
    CHECK(data.MouseIcon() == nullptr);
}

TEST_CASE("cursors by MousePointer")
{
    AppearanceData data;
    const struct { BYTE pointer; WORD id; } cases[] = {{1, 32512}, {2, 32515}, {3, 32513}, {4, 32512}, {5, 32646},
                                                      {6, 32643}, {7, 32645}, {8, 32642}, {9, 32644}, {10, 32516},
                                                      {11, 32514}, {12, 32648}, {13, 32650}, {14, 32651}, {15, 32646}};
    for (const auto& c : cases) {
        CAPTURE(c.pointer);
        data.SetMousePointer(c.pointer);
        CHECK(data.GetCursor() == LoadCursorW(nullptr, MAKEINTRESOURCEW(c.id)));
    }
    data.SetMousePointer(MousePointerCustom);
    CHECK(data.GetCursor() == nullptr); // no icon
    data.SetMousePointer(50);
    CHECK(data.GetCursor() == nullptr);
}

namespace {

std::vector<BYTE> Save(const AppearanceData& data)
{
    Ref<IStream> stream(NewStream());
    REQUIRE(data.SaveToStream(stream.Get()) == S_OK);
    return StreamBytes(stream.Get());
}

HRESULT Load(AppearanceData& data, const std::vector<BYTE>& bytes)
{
    Ref<IStream> stream(NewStream(bytes));
    return data.LoadFromStream(stream.Get());
}

} // namespace

TEST_CASE("the stream form of the values is fixed byte by byte")
{
    AppearanceData data;
    data.SetBackColor(0x80000005);
    data.SetForeColor(RGB(0x11, 0x22, 0x33));
    data.SetAlphaLevel(200);
    data.SetMousePointer(7);
    data.SetNibble(BackColorAlpha, 1);
    data.SetNibble(BorderAlpha, 2);
    data.SetNibble(TextAlign, 3);
    data.SetNibble(PictureMasking, 2);
    VARIANT key;
    V_VT(&key) = VT_BSTR;
    V_BSTR(&key) = SysAllocString(L"Ab");
    data.SetPicture(key);
    VariantClear(&key);
    const std::vector<BYTE> expected = {0x05, 0x00, 0x00, 0x80, 0x11, 0x22, 0x33, 0x00, 0xFF, 0xFF, 0xFF, 0xFF,
                                        200,  0x00, 7,    0x21, 0x00, 0x30, 0x00, 0x00, 0x20, 0x04,
                                        0x02, 0x00, 'A',  'b'};
    CHECK(Save(data) == expected);

    AppearanceData loaded;
    REQUIRE(Load(loaded, expected) == S_OK);
    CHECK(Save(loaded) == expected);
    CHECK(loaded.ForeColor() == RGB(0x11, 0x22, 0x33));
    CHECK(V_VT(loaded.Picture()) == VT_BSTR);
}

TEST_CASE("objects in the stream form come back")
{
    Ref<IFontDisp> font(NewFont(L"Arial", 14));
    Ref<IPictureDisp> icon(NewIconPicture());
    Ref<IPictureDisp> background(NewBitmapPicture(3, 2));
    Ref<IPictureDisp> picture(NewBitmapPicture(6, 4));
    AppearanceData data;
    PropertySinkConnection connection;
    connection.AssignFont(nullptr, font.Get());
    data.SetFont(&connection);
    REQUIRE(data.Font() != nullptr);
    {
        VARIANT value;
        V_VT(&value) = VT_DISPATCH;
        V_DISPATCH(&value) = picture.Get();
        data.SetPicture(value);
    }
    data.SetPictureBackground(background.Get());
    REQUIRE(data.SetMouseIcon(icon.Get()) == S_OK);
    data.SetMousePointer(MousePointerCustom);
    const std::vector<BYTE> bytes = Save(data);
    CHECK(bytes[21] == 0x1B); // Font, MouseIcon, PictureBackground, picture object

    AppearanceData loaded;
    REQUIRE(Load(loaded, bytes) == S_OK);
    CHECK(loaded.GetFontHandle() != nullptr);
    CHECK(loaded.MouseIcon() != nullptr);
    CHECK(loaded.PictureBackground() != nullptr);
    REQUIRE(loaded.HasPictureObject());
    SIZE size;
    loaded.GetPictureSize(size);
    CHECK(size.cx == 6);
    CHECK(size.cy == 4);
    // The objects' own forms belong to OLE; the block's part is ours.
    const std::vector<BYTE> again = Save(loaded);
    CHECK(std::vector<BYTE>(again.begin(), again.begin() + 22) == std::vector<BYTE>(bytes.begin(), bytes.begin() + 22));
}

TEST_CASE("a numeric picture key comes back as an image index; an empty one as no picture")
{
    std::vector<BYTE> bytes(22, 0);
    for (int i = 0; i < 12; ++i)
        bytes[i] = 0xFF;
    bytes[21] = 0x04;
    std::vector<BYTE> twelve = bytes;
    twelve.insert(twelve.end(), {0x02, 0x00, '1', '2'});
    AppearanceData data;
    REQUIRE(Load(data, twelve) == S_OK);
    REQUIRE(data.Picture() != nullptr);
    CHECK(V_VT(data.Picture()) == VT_I2);
    CHECK(V_I2(data.Picture()) == 12);
    CHECK(Save(data) == twelve);

    std::vector<BYTE> empty = bytes;
    empty[21] = 0x14; // both picture flags: read as text
    empty.insert(empty.end(), {0x00, 0x00});
    REQUIRE(Load(data, empty) == S_OK);
    CHECK(data.Picture() == nullptr);
    CHECK_FALSE(data.HasAnySetting());
}

TEST_CASE("damaged streams are refused")
{
    AppearanceData data;
    data.SetBackColor(RGB(1, 2, 3));
    VARIANT key;
    V_VT(&key) = VT_BSTR;
    V_BSTR(&key) = SysAllocString(L"pic");
    data.SetPicture(key);
    VariantClear(&key);
    const std::vector<BYTE> good = Save(data);

    AppearanceData target;
    for (size_t length = 0; length < good.size(); ++length) {
        CAPTURE(length);
        CHECK(FAILED(Load(target, std::vector<BYTE>(good.begin(), good.begin() + length))));
    }
    struct Damage { int offset; BYTE value; } damages[] = {
        {13, 0x01},  // AlphaLevel above 255
        {14, 17},    // MousePointer outside its values
        {15, 0x04},  // BackColorAlpha 4
        {20, 0x30},  // PictureMasking 3
        {21, 0x24},  // a flag bit that does not exist
    };
    for (const Damage& d : damages) {
        CAPTURE(d.offset);
        std::vector<BYTE> bad = good;
        bad[d.offset] = d.value;
        CHECK(FAILED(Load(target, bad)));
        CHECK(target.BackColor() == UnsetColor);
    }
    std::vector<BYTE> font = good;
    font[21] = 0x01; // announces a font that is not there
    CHECK(FAILED(Load(target, font)));
}
