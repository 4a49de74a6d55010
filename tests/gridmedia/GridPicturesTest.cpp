// Pictures by key or index from the registered grid's images, as the grid
// paints them into a memory device context through IViewObject::Draw.
#include "ImageFiles.h"
#include "MediaTestSupport.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// The grid drawn at width x height into a 32-bit memory bitmap.
class GridPixels {
public:
    GridPixels(IHvTavelleControl* control, int width, int height) : width_(width), height_(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        ComPtr<IViewObject> view;
        REQUIRE(control->QueryInterface(IID_PPV_ARGS(view.GetAddressOf())) == S_OK);
        const RECTL bounds = {0, 0, width, height};
        CHECK(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0) ==
              S_OK);
        GdiFlush();
        const auto* pixels = static_cast<const DWORD*>(bits);
        pixels_.assign(pixels, pixels + width * height);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    int Count(COLORREF colour) const
    {
        const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        int count = 0;
        for (DWORD pixel : pixels_)
            count += (pixel & 0xFFFFFF) == wanted;
        return count;
    }

private:
    int width_;
    int height_;
    std::vector<DWORD> pixels_;
};

void ShowCaptionPicture(IHvTavelleControl* control, VARIANT picture)
{
    ComPtr<IHvAppearance> appearance;
    REQUIRE(control->get_CaptionAppearance(appearance.GetAddressOf()) == S_OK);
    REQUIRE(appearance->put_Picture(picture) == S_OK);
}

} // namespace

TEST_CASE("A picture named by key or index shows the grid's image, masked as ImagesMasking says")
{
    const std::wstring path = TempFile(L"strip-caption.png");
    REQUIRE(WritePngStrip(path, 8, {kRed, kGreen, kBlue}, {"a", "b", "c"}));
    RegisteredGrid grid(true);
    BSTR url = SysAllocString(FileUrl(path).c_str());
    REQUIRE(grid.control->put_ImagesURL(url) == S_OK);
    SysFreeString(url);
    BSTR caption = SysAllocString(L"Analises");
    REQUIRE(grid.control->put_Caption(caption) == S_OK);
    SysFreeString(caption);
    REQUIRE(grid.control->put_ImagesMasking(VARIANT_FALSE) == S_OK);

    VARIANT key = Text(L"b");
    ShowCaptionPicture(grid.control.Get(), key);
    VariantClear(&key);
    {
        GridPixels pixels(grid.control.Get(), 300, 200);
        CHECK(pixels.Count(kGreen) == 64);   // the whole 8 x 8 square, unscaled
        CHECK(pixels.Count(kRed) == 0);
        CHECK(pixels.Count(kBlue) == 0);
    }
    VARIANT third;
    VariantInit(&third);
    third.vt = VT_I2;
    third.iVal = 3;
    ShowCaptionPicture(grid.control.Get(), third);
    {
        GridPixels pixels(grid.control.Get(), 300, 200);
        CHECK(pixels.Count(kBlue) == 64);
        CHECK(pixels.Count(kGreen) == 0);
    }
    // Masked, a square of one colour is all mask: nothing of it shows.
    REQUIRE(grid.control->put_ImagesMasking(VARIANT_TRUE) == S_OK);
    {
        GridPixels pixels(grid.control.Get(), 300, 200);
        CHECK(pixels.Count(kBlue) == 0);
    }
    // No such image: nothing.
    REQUIRE(grid.control->put_ImagesMasking(VARIANT_FALSE) == S_OK);
    third.iVal = 4;
    ShowCaptionPicture(grid.control.Get(), third);
    {
        GridPixels pixels(grid.control.Get(), 300, 200);
        CHECK(pixels.Count(kRed) + pixels.Count(kGreen) + pixels.Count(kBlue) == 0);
    }
    DeleteFileW(path.c_str());
}
