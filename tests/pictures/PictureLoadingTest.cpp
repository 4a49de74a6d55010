// Picture loading: the decoder callback, the decoder library bound by name,
// URL pictures through the cache, and ImagesURL downloads into the images.
#include "Canvas.h"
#include "HvImages.h"
#include "ImageFiles.h"
#include "PictureDrawing.h"
#include "PictureLoading.h"
#include "PngCallback.h"

#include <doctest/doctest.h>

#include <cstdio>
#include <string>

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// The decoder library is built outside the test program's folder, where
// the loader looks for it: the first test sees it missing, then points the
// loader at the library's own folder.
void MakeDecoderReachable()
{
    std::wstring folder = L"Z:";   // the build folder as the Windows side sees it
    for (const char* c = HV_PNG_DECODER_DIR; *c; ++c)
        folder += *c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
    SetPngDecoderFolder(folder.c_str());
}

COLORREF CentreOf(InterfacePtr& picture)
{
    Canvas canvas(16, 16, RGB(1, 2, 3));
    DrawPictureInRect(canvas.Dc(), picture, RECT{0, 0, 0, 0}, RECT{0, 0, 0, 0}, false, false, 0);
    return canvas.At(4, 4);
}

struct Host final : HvImagesHost {
    int changes = 0;
    int invalidations = 0;
    void OnImagesChanged(DISPID) override { ++changes; }
    void SetDirty() override {}
    void Invalidate() override { ++invalidations; }
    bool IsAlive() override { return true; }
    int CountImagesAt(const char* url, DecodedImageList& list) override { return LoadImagesFromUrl(url, list); }
    IBindHost* GetBindHost() override { return nullptr; }
};

std::string Key(HvImages& images, long index)
{
    VARIANT at;
    V_VT(&at) = VT_I4;
    V_I4(&at) = index;
    IHvImage* image = nullptr;
    REQUIRE(SUCCEEDED(images.get_Item(at, &image)));
    BSTR key = nullptr;
    image->get_Key(&key);
    image->Release();
    std::string text;
    for (const wchar_t* c = key; c && *c; ++c)
        text.push_back(static_cast<char>(*c));
    SysFreeString(key);
    return text;
}

} // namespace

TEST_CASE("a missing decoder library fails and is tried again on the next call")
{
    const std::wstring path = TempFile(L"one.png");
    REQUIRE(WritePngStrip(path, 8, {kRed}, {}));
    DecodedImageList list;
    FILE* file = _wfopen(path.c_str(), L"rb");
    REQUIRE(file);
    CHECK(LoadPngDecoder(file, list) == 0);
    CHECK(list.Count() == 0);
    MakeDecoderReachable();
    CHECK(LoadPngDecoder(file, list) != 0);
    std::fclose(file);
    REQUIRE(list.Count() == 1);
    CHECK(CentreOf(*list.At(0).picture) == kRed);
    CHECK(LoadPngDecoder(nullptr, list) == 0);
    DeleteFileW(path.c_str());
}

TEST_CASE("the decoder callback turns bitmaps into named pictures")
{
    DecodedImageList list;
    CPngCallback* callback = new CPngCallback(&list);
    IUnknown* unknown = nullptr;
    CHECK(callback->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)) == S_OK);
    IUnknown* other = reinterpret_cast<IUnknown*>(1);
    CHECK(callback->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&other)) == E_NOINTERFACE);
    CHECK(other == nullptr);
    unknown->Release();

    CHECK(callback->OnImage(nullptr, nullptr, "x") == E_INVALIDARG);
    CHECK(list.Count() == 0);
    CHECK(callback->OnImage(MakeBitmap(4, 4, [](int, int) { return kBlue; }), nullptr, "first") == S_OK);
    REQUIRE(list.Count() == 1);
    CHECK(std::string(list.At(0).name.c_str()) == "first");
    CHECK(list.At(0).picture->GetPictureType() == PICTYPE_BITMAP);
    callback->Release();

    CPngCallback* detached = new CPngCallback(nullptr);
    CHECK(detached->OnImage(MakeBitmap(2, 2, [](int, int) { return kBlue; }), nullptr, "y") == E_FAIL);
    detached->Release();
}

TEST_CASE("pictures at a file URL come through the download cache")
{
    MakeDecoderReachable();
    const std::wstring path = TempFile(L"strip.png");
    REQUIRE(WritePngStrip(path, 8, {kRed, kGreen}, {"r", "g"}));
    std::string url = "file://";
    char ansi[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, ansi, MAX_PATH, nullptr, nullptr);
    url += ansi;
    DecodedImageList list;
    CHECK(LoadImagesFromUrl(url.c_str(), list) == 2);
    DecodedImageList none;
    CHECK(LoadImagesFromUrl("file://C:/no/such/file.png", none) == 0);
    DeleteFileW(path.c_str());
}

TEST_CASE("an ImagesURL download replaces the images with the file's named pictures")
{
    MakeDecoderReachable();
    Host host;
    HvImages* images = HvImages::Create(&host, false);
    REQUIRE(images);
    IHvImage* previous = nullptr;
    VARIANT missing;
    V_VT(&missing) = VT_ERROR;
    V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
    REQUIRE(SUCCEEDED(images->Add(missing, missing, missing, &previous)));
    previous->Release();

    const std::wstring path = TempFile(L"abc.png");
    REQUIRE(WritePngStrip(path, 8, {kRed, kGreen, kBlue}, {"a", "b", "c"}));

    SUBCASE("without the cache file name nothing is opened")
    {
        images->OnUrlData(2102, 0, BINDSTATUS_BEGINDOWNLOADDATA, nullptr);
        images->OnUrlData(2102, 0, BINDSTATUS_ENDDOWNLOADDATA, nullptr);
        CHECK(images->Count() == 1);
    }
    SUBCASE("other properties are ignored")
    {
        images->OnUrlData(2100, 0, BINDSTATUS_CACHEFILENAMEAVAILABLE, path.c_str());
        images->OnUrlData(2100, 0, BINDSTATUS_ENDDOWNLOADDATA, nullptr);
        CHECK(images->Count() == 1);
    }
    SUBCASE("three named segments give three keyed images in order")
    {
        images->OnUrlData(2102, 0, BINDSTATUS_BEGINDOWNLOADDATA, nullptr);
        images->OnUrlData(2102, 0, BINDSTATUS_CACHEFILENAMEAVAILABLE, path.c_str());
        images->OnUrlData(2102, 0, BINDSTATUS_ENDDOWNLOADDATA, nullptr);
        REQUIRE(images->Count() == 3);
        CHECK(Key(*images, 1) == "a");
        CHECK(Key(*images, 2) == "b");
        CHECK(Key(*images, 3) == "c");
        SIZE size;
        images->GetImageSize(size);
        CHECK(size.cx == 8);
        CHECK(size.cy == 8);
        CHECK(host.invalidations == 1);
        // Decoded pictures carry alpha bytes; masked, their one colour is
        // still all mask.
        for (bool masked : {false, true}) {
            CAPTURE(masked);
            Canvas canvas(16, 16, RGB(255, 255, 255));
            ImageList_Draw(images->GetHImageList(masked), 0, canvas.Dc(), 0, 0, masked ? ILD_TRANSPARENT : ILD_NORMAL);
            CHECK(canvas.At(4, 4) == (masked ? RGB(255, 255, 255) : kRed));
        }
    }
    SUBCASE("names that cannot be keys leave their images without one")
    {
        const std::wstring odd = TempFile(L"odd.png");
        REQUIRE(WritePngStrip(odd, 8, {kRed, kGreen, kBlue}, {"7", "a", "A"}));
        images->OnUrlData(2102, 0, BINDSTATUS_BEGINDOWNLOADDATA, nullptr);
        images->OnUrlData(2102, 0, BINDSTATUS_CACHEFILENAMEAVAILABLE, odd.c_str());
        images->OnUrlData(2102, 0, BINDSTATUS_ENDDOWNLOADDATA, nullptr);
        REQUIRE(images->Count() == 3);
        CHECK(Key(*images, 1).empty());
        CHECK(Key(*images, 2) == "a");
        CHECK(Key(*images, 3).empty());
        DeleteFileW(odd.c_str());
    }
    images->Release();
    DeleteFileW(path.c_str());
}
