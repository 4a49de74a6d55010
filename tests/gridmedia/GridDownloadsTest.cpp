// The registered grid's downloads in a container with a bind host: the
// ImagesURL picture strip from a file: URL and over HTTP, layouts loaded
// from URLs, and what a container without a bind host is refused.
#include "ImageFiles.h"
#include "LoopbackHttpServer.h"
#include "MediaTestSupport.h"

#include <algorithm>

namespace {

constexpr HRESULT kNotUrlPath = static_cast<HRESULT>(0x800A9C68);
constexpr HRESULT kDownloadBusy = static_cast<HRESULT>(0x800A9C69);
constexpr HRESULT kDesignTimeOnly = static_cast<HRESULT>(0x800A018A);

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// The strip of three squares, red, green and blue, named a, b and c.
std::wstring WriteStrip(const wchar_t* name)
{
    const std::wstring path = TempFile(name);
    REQUIRE(WritePngStrip(path, 8, {kRed, kGreen, kBlue}, {"a", "b", "c"}));
    return path;
}

HRESULT PutImagesUrl(IHvTavelleControl* control, const std::wstring& url)
{
    BSTR text = SysAllocString(url.c_str());
    const HRESULT hr = control->put_ImagesURL(text);
    SysFreeString(text);
    return hr;
}

long ImageCount(IHvTavelleControl* control)
{
    ComPtr<IHvImages> images;
    long count = -1;
    if (SUCCEEDED(control->get_Images(images.GetAddressOf())))
        images->get_Count(&count);
    return count;
}

// Whether wanted appear in seen in this order (others may come between).
bool InOrder(const std::vector<DISPID>& seen, const std::vector<DISPID>& wanted)
{
    auto at = seen.begin();
    for (DISPID id : wanted) {
        at = std::find(at, seen.end(), id);
        if (at == seen.end())
            return false;
        ++at;
    }
    return true;
}

} // namespace

TEST_CASE("ImagesURL: a PNG strip at a file: URL becomes the grid's images, keyed by its names")
{
    const std::wstring strip = WriteStrip(L"strip-file.png");
    RegisteredGrid grid(true);
    REQUIRE(PutImagesUrl(grid.control.Get(), FileUrl(strip)) == S_OK);
    // A file arrives inside the bind: nothing to wait for.
    CHECK(ImageCount(grid.control.Get()) == 3);
    CHECK(ImageKeys(grid.control.Get()) == std::vector<std::wstring>{L"a", L"b", L"c"});
    CHECK(InOrder(grid.host.Site().ChangedProperties(), {2102, 2100, 2101}));
    BSTR url = nullptr;
    REQUIRE(grid.control->get_ImagesURL(&url) == S_OK);
    CHECK(TextOf(url) == FileUrl(strip));
    CHECK(grid.host.Log().Contains(L"QueryService(SID_SBindHost, IBindHost)"));
    DeleteFileW(strip.c_str());
}

TEST_CASE("ImagesURL: the strip served over HTTP arrives when its data ends")
{
    LoopbackHttpServer server;
    REQUIRE(server.Listening());
    const std::wstring strip = WriteStrip(L"strip-http.png");
    server.Serve("/tiras/strip.png", ReadFileBytes(strip));
    RegisteredGrid grid(true);
    REQUIRE(SUCCEEDED(PutImagesUrl(grid.control.Get(), server.Url("/tiras/strip.png"))));
    CHECK(PumpUntil([&] { return ImageCount(grid.control.Get()) == 3; }));
    CHECK(ImageKeys(grid.control.Get()) == std::vector<std::wstring>{L"a", L"b", L"c"});
    CHECK(server.Requests("/tiras/strip.png") == 1);
    CHECK(InOrder(grid.host.Site().ChangedProperties(), {2102, 2100, 2101}));
    DeleteFileW(strip.c_str());
}

TEST_CASE("ImagesURL: a missing file keeps the images, a good URL then loads, and only PNG URLs are taken")
{
    const std::wstring strip = WriteStrip(L"strip-later.png");
    RegisteredGrid grid(true);
    ComPtr<IHvImages> images;
    REQUIRE(grid.control->get_Images(images.GetAddressOf()) == S_OK);
    ComPtr<IHvImage> kept;
    VARIANT key = Text(L"antiga");
    REQUIRE(images->Add(Missing(), key, Missing(), kept.GetAddressOf()) == S_OK);
    VariantClear(&key);

    CHECK(SUCCEEDED(PutImagesUrl(grid.control.Get(), FileUrl(TempFile(L"no-such-strip.png")))));
    CHECK(ImageKeys(grid.control.Get()) == std::vector<std::wstring>{L"antiga"});

    CHECK(PutImagesUrl(grid.control.Get(), FileUrl(strip)) == S_OK);
    CHECK(ImageKeys(grid.control.Get()) == std::vector<std::wstring>{L"a", L"b", L"c"});

    CHECK(PutImagesUrl(grid.control.Get(), L"x.bmp") == kNotUrlPath);
    CHECK(ErrorDescription() == L"String is not a valid URL path.");
    BSTR url = nullptr;
    grid.control->get_ImagesURL(&url);
    CHECK(TextOf(url) == FileUrl(strip));
    CHECK(PutImagesUrl(grid.control.Get(), FileUrl(strip) + L".PNG") != kNotUrlPath);
    DeleteFileW(strip.c_str());
}

TEST_CASE("A container without a bind host has no ImagesURL")
{
    RegisteredGrid grid(false);
    BSTR url = nullptr;
    CHECK(grid.control->get_ImagesURL(&url) == kDesignTimeOnly);
    SysFreeString(url);
}

namespace {

std::wstring Caption(IHvLayout* layout)
{
    BSTR text = nullptr;
    layout->get_Caption(&text);
    return TextOf(text);
}

// A layout file as the file persistence writes it (a compound file whose
// stream "Layout" holds the saved layout) with the caption given; deleted
// at the end.
struct LayoutFile {
    LayoutFile(IHvLayout* layout, const wchar_t* caption, const wchar_t* name) : path(TempFile(name))
    {
        BSTR text = SysAllocString(caption);
        layout->put_Caption(text);
        SysFreeString(text);
        VARIANT destination;
        VariantInit(&destination);
        REQUIRE(layout->Save(&destination, Long(hvPersistenceTypeStream), Missing(), Missing(), Missing()) ==
                S_OK);
        ComPtr<IStream> saved;
        REQUIRE(destination.vt == VT_UNKNOWN);
        REQUIRE(destination.punkVal->QueryInterface(IID_PPV_ARGS(saved.GetAddressOf())) == S_OK);
        VariantClear(&destination);
        ComPtr<IStorage> storage;
        REQUIRE(StgCreateDocfile(path.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                 storage.GetAddressOf()) == S_OK);
        ComPtr<IStream> stream;
        REQUIRE(storage->CreateStream(L"Layout", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                      stream.GetAddressOf()) == S_OK);
        ULARGE_INTEGER all;
        all.QuadPart = ~0ull;
        const LARGE_INTEGER start = {};
        saved->Seek(start, STREAM_SEEK_SET, nullptr);
        REQUIRE(saved->CopyTo(stream.Get(), all, nullptr, nullptr) == S_OK);
        storage->Commit(STGC_DEFAULT);
    }
    ~LayoutFile() { DeleteFileW(path.c_str()); }
    std::wstring path;
};

HRESULT LoadFromUrl(IHvLayout* layout, const std::wstring& url)
{
    VARIANT source = Text(url.c_str());
    VARIANT erase;
    VariantInit(&erase);
    erase.vt = VT_BOOL;
    erase.boolVal = VARIANT_TRUE;
    const HRESULT hr = layout->Load(&source, Long(hvPersistenceTypeURL), Long(hvPropCatAll), erase, Missing(),
                                    Missing());
    VariantClear(&source);
    return hr;
}

} // namespace

TEST_CASE("Layouts load from URLs: a file at once, one HTTP download at a time, a failure then a success")
{
    LoopbackHttpServer server;
    REQUIRE(server.Listening());
    RegisteredGrid grid(true);
    ComPtr<IHvLayout> layout;
    REQUIRE(grid.control->get_Layout(layout.GetAddressOf()) == S_OK);
    // The files are written from a layout of their own.
    RegisteredGrid writer(false);
    ComPtr<IHvLayout> source;
    REQUIRE(writer.control->get_Layout(source.GetAddressOf()) == S_OK);
    LayoutFile first(source.Get(), L"Primeira", L"first.lay");
    LayoutFile second(source.Get(), L"Segunda", L"second.lay");

    SUBCASE("a file: URL")
    {
        CHECK(LoadFromUrl(layout.Get(), FileUrl(first.path)) == S_OK);
        CHECK(Caption(layout.Get()) == L"Primeira");
    }
    SUBCASE("a second load while an HTTP reply is held")
    {
        server.Serve("/grade.lay", ReadFileBytes(second.path));
        server.Hold("/grade.lay");
        CHECK(SUCCEEDED(LoadFromUrl(layout.Get(), server.Url("/grade.lay"))));
        CHECK(LoadFromUrl(layout.Get(), FileUrl(first.path)) == kDownloadBusy);
        CHECK(ErrorDescription() == L"Can not begin another download before previous download is complete.");
        server.Release("/grade.lay");
        CHECK(PumpUntil([&] { return Caption(layout.Get()) == L"Segunda"; }));
        // Done: the next load starts.
        CHECK(LoadFromUrl(layout.Get(), FileUrl(first.path)) == S_OK);
        CHECK(Caption(layout.Get()) == L"Primeira");
    }
    SUBCASE("a URL that fails, then one that works")
    {
        CHECK(FAILED(LoadFromUrl(layout.Get(), FileUrl(TempFile(L"no-such.lay")))));
        CHECK(LoadFromUrl(layout.Get(), FileUrl(second.path)) == S_OK);
        CHECK(Caption(layout.Get()) == L"Segunda");
    }
}

namespace {

// Closes the thread's About box from inside its modal loop and notes its
// title.
std::wstring g_aboutTitle;

BOOL CALLBACK CloseAbout(HWND window, LPARAM)
{
    wchar_t title[128] = L"";
    GetWindowTextW(window, title, 128);
    if (IsWindowVisible(window) && std::wstring(title).rfind(L"About ", 0) == 0) {
        g_aboutTitle = title;
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return FALSE;
    }
    return TRUE;
}

void CALLBACK LookForAbout(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_aboutTitle.empty())
        EnumThreadWindows(GetCurrentThreadId(), &CloseAbout, 0);
}

} // namespace

TEST_CASE("AboutBox opens the About box and returns once it is closed")
{
    RegisteredGrid grid(false);
    g_aboutTitle.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &LookForAbout);
    CHECK(grid.control->AboutBox() == S_OK);
    KillTimer(nullptr, timer);
    CHECK(g_aboutTitle.rfind(L"About ", 0) == 0);
    CHECK(g_aboutTitle.size() > 6);
}
