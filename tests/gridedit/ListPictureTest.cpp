// The pictures of a value list's entries in a cell's dropped list, through
// the registered control: an entry's own picture (an image of the grid's
// Images by index or by key, or a picture object), else the list's; none
// when the list's DisplayStyle shows no pictures. The list box is painted
// into a memory bitmap and its rows probed.
#include "EditGrid.h"

#include <olectl.h>

#include <algorithm>
#include <vector>

using namespace gridedit;

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr int PictureSide = 12;

// A square bitmap picture of one colour inside a white frame.
ComPtr<IPictureDisp> SolidPicture(COLORREF colour)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, PictureSide, PictureSide);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    // A white frame: a masked image takes its corner's colour as the
    // transparent one.
    const RECT all{0, 0, PictureSide, PictureSide};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT inside{1, 1, PictureSide - 1, PictureSide - 1};
    FillRect(dc, &inside, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    PICTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.picType = PICTYPE_BITMAP;
    description.bmp.hbitmap = bitmap;
    ComPtr<IPictureDisp> picture;
    REQUIRE(OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE,
                                     reinterpret_cast<void**>(picture.GetAddressOf())) == S_OK);
    return picture;
}

// How many pixels of each colour each row of a window's client area shows,
// as it paints itself into a memory bitmap.
class PrintedRows {
public:
    explicit PrintedRows(HWND window)
    {
        RECT client{};
        GetClientRect(window, &client);
        width_ = client.right;
        const int height = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        REQUIRE(bitmap);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
        const auto* pixels = static_cast<const DWORD*>(bits);
        pixels_.assign(pixels, pixels + width_ * height);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    // Pixels of a colour between two rows.
    int Count(COLORREF colour, int top, int bottom) const
    {
        const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        int count = 0;
        for (int y = std::max(top, 0); y < bottom && y * width_ < static_cast<int>(pixels_.size()); ++y)
            for (int x = 0; x < width_; ++x)
                count += (pixels_[y * width_ + x] & 0xFFFFFF) == wanted;
        return count;
    }

private:
    int width_ = 0;
    std::vector<DWORD> pixels_;
};

void PutPicture(IHvAppearance* appearance, const VARIANT& picture)
{
    REQUIRE(appearance->put_Picture(picture) == S_OK);
}

HWND DroppedListBox(HWND combo)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!combo || !GetComboBoxInfo(combo, &info) || !IsWindowVisible(info.hwndList))
        return nullptr;
    return info.hwndList;
}

} // namespace

TEST_CASE("a dropped list shows each entry's picture (image by index or key, picture object, else the list's) beside "
          "its text, and none when its DisplayStyle shows no pictures")
{
    struct Case {
        Constants_ValueListDisplayStyle style;
        bool pictures;
    };
    for (const Case c : {Case{hvValueListDisplayStyleDefault, true}, Case{hvValueListDisplayStyleDisplayTextAndPicture, true},
                         Case{hvValueListDisplayStyleDisplayText, false}}) {
        CAPTURE(c.style);
        EditGrid grid;
        Var missing;
        missing.v.vt = VT_ERROR, missing.v.scode = DISP_E_PARAMNOTFOUND;
        // The grid's images: 1 red, 2 green (key "verde").
        ComPtr<IHvImages> images;
        REQUIRE(grid.Control()->get_Images(images.GetAddressOf()) == S_OK);
        for (const auto& [colour, key] : {std::pair{Red, L"vermelho"}, std::pair{Green, L"verde"}}) {
            Var picture(SolidPicture(colour).Get());
            ComPtr<IHvImage> image;
            REQUIRE(images->Add(missing.v, Var(key).v, picture.v, image.GetAddressOf()) == S_OK);
        }

        ComPtr<IHvValueLists> lists;
        REQUIRE(grid.Control()->get_ValueLists(lists.GetAddressOf()) == S_OK);
        ComPtr<IHvValueList> list;
        REQUIRE(lists->Add(Var(L"Kinds").v, list.GetAddressOf()) == S_OK);
        REQUIRE(list->put_DisplayStyle(c.style) == S_OK);
        ComPtr<IHvValueListItems> entries;
        REQUIRE(list->get_ValueListItems(entries.GetAddressOf()) == S_OK);
        // Alpha: image 1 by index; Beta: image "verde" by key; Gamma: a
        // picture object; Delta: none of its own, the list's yellow.
        Var byIndex;
        byIndex.v.vt = VT_I2, byIndex.v.iVal = 1;
        Var byKey(L"verde");
        Var object(SolidPicture(Blue).Get());
        const VARIANT* own[] = {&byIndex.v, &byKey.v, &object.v, nullptr};
        const wchar_t* texts[][2] = {{L"A", L"Alpha"}, {L"B", L"Beta"}, {L"C", L"Gamma"}, {L"D", L"Delta"}};
        for (int i = 0; i < 4; ++i) {
            Var data(texts[i][0]);
            ComPtr<IHvValueListItem> entry;
            REQUIRE(entries->Add(&data.v, Var(texts[i][1]).v, missing.v, entry.GetAddressOf()) == S_OK);
            if (own[i]) {
                ComPtr<IHvAppearance> look;
                REQUIRE(entry->get_Appearance(look.GetAddressOf()) == S_OK);
                PutPicture(look.Get(), *own[i]);
            }
        }
        ComPtr<IHvAppearance> shared;
        REQUIRE(list->get_Appearance(shared.GetAddressOf()) == S_OK);
        PutPicture(shared.Get(), Var(SolidPicture(Yellow).Get()).v);
        ComPtr<IHvColumn> kind = grid.Column(L"Kind");
        REQUIRE(kind->put_ValueList(Var(L"Kinds").v) == S_OK);
        REQUIRE(kind->put_Style(hvStyleDropDownList) == S_OK);

        REQUIRE(grid.EditThroughList(grid.Cell(1, L"Kind").Get(), false));
        const HWND listBox = DroppedListBox(grid.ListWindow());
        REQUIRE(listBox);
        REQUIRE(SendMessageW(listBox, LB_GETCOUNT, 0, 0) == 4);
        const PrintedRows printed(listBox);
        const COLORREF shown[] = {Red, Green, Blue, Yellow};
        for (int i = 0; i < 4; ++i) {
            CAPTURE(i);
            RECT row{};
            REQUIRE(SendMessageW(listBox, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&row)) != LB_ERR);
            for (COLORREF colour : shown) {
                const int count = printed.Count(colour, row.top, row.bottom);
                if (c.pictures && colour == shown[i])
                    CHECK(count == (PictureSide - 2) * (PictureSide - 2));
                else
                    CHECK(count == 0);
            }
        }
        // An entry's row is as tall as its picture at least.
        if (c.pictures)
            CHECK(SendMessageW(listBox, LB_GETITEMHEIGHT, 0, 0) >= PictureSide);
        grid.PressKey(VK_ESCAPE);
    }
}
