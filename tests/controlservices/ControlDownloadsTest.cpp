// Sounds and layouts from URLs: which sound is played how, one download of
// each kind at a time, the progress notices that finish them, and layouts
// loaded from the cache or when their download ends (into a real layout).
#include <doctest/doctest.h>

#include "ControlDownloads.h"
#include "HvLayout.h"

#include <urlmon.h>

#include <Tavelle.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct Played {
    std::wstring name;
    UINT flags;
    bool operator==(const Played& other) const { return name == other.name && flags == other.flags; }
};

struct FakeServices final : UrlServices {
    bool FindCachedFile(const std::wstring& url, std::wstring& localFile) override
    {
        const auto found = cache.find(url);
        if (found == cache.end())
            return false;
        localFile = found->second;
        return true;
    }
    bool DownloadToCache(const std::wstring& url, std::wstring& localFile) override
    {
        downloadedNow.push_back(url);
        if (!downloadWorks)
            return false;
        localFile = L"C:\\cache\\now.wav";
        return true;
    }
    HRESULT StartDownload(DWORD id, const std::wstring& url) override
    {
        started.push_back({id, url});
        return startResult;
    }
    void PlaySound(const std::wstring& name, UINT flags) override { played.push_back({name, flags}); }

    std::map<std::wstring, std::wstring> cache;
    bool downloadWorks = true;
    HRESULT startResult = S_OK;
    std::vector<std::wstring> downloadedNow;
    std::vector<std::pair<DWORD, std::wstring>> started;
    std::vector<Played> played;
};

struct FakeControl final : DownloadHost {
    bool HasBindHost() override { return bindHost; }
    HRESULT RaiseError(HRESULT result, WORD id) override
    {
        raised.push_back(id);
        return result;
    }
    HRESULT ImagesUrlProgress(ULONG, ULONG, ULONG status, LPCWSTR) override
    {
        imageNotices.push_back(status);
        return imagesAnswer;
    }
    bool bindHost = true;
    std::vector<WORD> raised;
    std::vector<ULONG> imageNotices;
    HRESULT imagesAnswer = S_FALSE;
};

struct Fixture {
    FakeServices services;
    FakeControl control;
    ControlDownloads downloads{control, services};

    void Play(const wchar_t* name, const VARIANT* flags)
    {
        BSTR text = SysAllocString(name);
        downloads.PlaySoundFile(text, flags);
        SysFreeString(text);
    }
    void Progress(DWORD id, ULONG status, const wchar_t* text = nullptr)
    {
        CHECK(downloads.OnUrlProgress(id, 0, 0, status, text) == S_OK);
    }
    // The download notices: data begins, cache file known, data ends.
    void Arrive(DWORD id, const wchar_t* file)
    {
        Progress(id, BINDSTATUS_BEGINDOWNLOADDATA);
        Progress(id, BINDSTATUS_CACHEFILENAMEAVAILABLE, file);
        Progress(id, BINDSTATUS_ENDDOWNLOADDATA);
    }
};

VARIANT Long(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

constexpr UINT PlayFile = 0x20001;
const wchar_t kUrl[] = L"http://127.0.0.1/som.wav";

} // namespace

TEST_CASE("PlaySoundFile: which sound is played at once, and how")
{
    struct Case {
        bool bindHost;
        LONG flags; // -1: no SoundFlags
        bool cached;
        bool downloadWorks;
        std::vector<Played> played;
        size_t downloadsNow;
        size_t started;
    };
    const Case cases[] = {
        {false, -1, false, true, {{kUrl, PlayFile}}, 0, 0},
        {false, 16, false, true, {{kUrl, PlayFile}}, 0, 0},
        {false, 32, false, true, {{kUrl, 1}}, 0, 0},
        {true, 32, true, true, {{kUrl, 1}}, 0, 0},
        {true, 8, true, true, {{L"C:\\cache\\som.wav", PlayFile}}, 0, 0},
        {true, 8 | 1, false, true, {{L"C:\\cache\\now.wav", PlayFile}}, 1, 0},
        {true, -1, false, true, {{L"C:\\cache\\now.wav", PlayFile}}, 1, 0},
        {true, 1, false, false, {}, 1, 0},
        {true, 8, false, true, {}, 0, 1},
        {true, 4, false, true, {{L"Default", 1}}, 0, 1},
        {true, 2, false, true, {}, 0, 1},
    };
    for (const Case& c : cases) {
        CAPTURE(c.bindHost);
        CAPTURE(c.flags);
        CAPTURE(c.cached);
        Fixture f;
        f.control.bindHost = c.bindHost;
        f.services.downloadWorks = c.downloadWorks;
        if (c.cached)
            f.services.cache[kUrl] = L"C:\\cache\\som.wav";
        VARIANT flags = Long(c.flags);
        f.Play(kUrl, c.flags < 0 ? nullptr : &flags);
        CHECK(f.services.played == c.played);
        CHECK(f.services.downloadedNow.size() == c.downloadsNow);
        REQUIRE(f.services.started.size() == c.started);
        if (c.started) {
            CHECK(f.services.started[0].first == 30u);
            CHECK(f.services.started[0].second == kUrl);
        }
    }
}

TEST_CASE("SoundFlags: converted to a number, missing or unconvertible means WaitAndPlay")
{
    Fixture f;
    f.control.bindHost = false;
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"32");
    f.Play(L"SystemExclamation", &text);
    CHECK(f.downloads.Sounds().SoundFlags() == 32);
    VariantClear(&text);
    VARIANT missing;
    VariantInit(&missing);
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    f.Play(L"a.wav", &missing);
    CHECK(f.downloads.Sounds().SoundFlags() == 1);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(L"muito");
    f.Play(L"b.wav", &text);
    CHECK(f.downloads.Sounds().SoundFlags() == 1);
    VariantClear(&text);
    f.downloads.PlaySoundFile(nullptr, nullptr);
    CHECK(f.services.played.size() == 3);
    CHECK(f.services.played[0] == Played{L"SystemExclamation", 1});
}

TEST_CASE("A downloaded sound is played when it arrives only with PlayWhenDownloaded")
{
    for (LONG flags : {LONG(4), LONG(4 | 16)}) {
        CAPTURE(flags);
        Fixture f;
        VARIANT v = Long(flags);
        f.Play(kUrl, &v);
        CHECK(f.downloads.Sounds().IsDownloading());
        f.services.played.clear();
        f.Arrive(30, L"C:\\cache\\baixado.wav");
        CHECK_FALSE(f.downloads.Sounds().IsDownloading());
        CHECK(f.downloads.Sounds().SoundName().empty());
        if (flags & 16) {
            // Played as a WaitAndPlay of the cached file.
            CHECK(f.services.downloadedNow == std::vector<std::wstring>{L"C:\\cache\\baixado.wav"});
            CHECK(f.services.played == std::vector<Played>{{L"C:\\cache\\now.wav", PlayFile}});
        } else {
            CHECK(f.services.played.empty());
        }
    }
}

TEST_CASE("A second uncached sound during a download starts none; its flags decide at arrival")
{
    Fixture f;
    VARIANT first = Long(2);
    f.Play(kUrl, &first);
    VARIANT second = Long(16);
    f.Play(L"http://127.0.0.1/outro.wav", &second);
    CHECK(f.services.started.size() == 1);
    CHECK(f.downloads.Sounds().SoundName() == L"http://127.0.0.1/outro.wav");
    f.Arrive(30, L"C:\\cache\\primeiro.wav");
    CHECK(f.services.downloadedNow == std::vector<std::wstring>{L"C:\\cache\\primeiro.wav"});
    CHECK(f.services.played.size() == 1);
    // A new request starts a new download.
    f.Play(kUrl, &first);
    CHECK(f.services.started.size() == 2);
}

TEST_CASE("A sound download that cannot start does not block the next one")
{
    Fixture f;
    f.services.startResult = E_UNEXPECTED;
    VARIANT v = Long(2);
    f.Play(kUrl, &v);
    CHECK_FALSE(f.downloads.Sounds().IsDownloading());
    f.services.startResult = S_OK;
    f.Play(kUrl, &v);
    CHECK(f.services.started.size() == 2);
    CHECK(f.downloads.Sounds().IsDownloading());
}

TEST_CASE("Progress notices go to the images object, the sound or the layout by id")
{
    Fixture f;
    CHECK(f.downloads.OnUrlProgress(2102, 1, 2, 5, L"x") == S_FALSE);
    CHECK(f.control.imageNotices == std::vector<ULONG>{5});
    CHECK(f.downloads.OnUrlProgress(77, 1, 2, 6, nullptr) == S_OK);
    CHECK(f.downloads.OnUrlProgress(2182, 1, 2, 6, nullptr) == S_OK);
    CHECK(f.downloads.OnUrlProgress(30, 1, 2, 6, nullptr) == S_OK);
    CHECK(f.services.played.empty());
    CHECK(f.control.imageNotices.size() == 1);
}

namespace {

// A stand-alone layout, with one reference.
IHvLayout* NewLayout()
{
    HvLayout* made = nullptr;
    REQUIRE(HvLayout::Create(nullptr, nullptr, &made) == S_OK);
    IHvLayout* layout = nullptr;
    CHECK(made->QueryInterface(IID_IHvLayout, reinterpret_cast<void**>(&layout)) == S_OK);
    made->Release();
    REQUIRE(layout);
    return layout;
}

std::wstring Caption(IHvLayout* layout)
{
    BSTR text = nullptr;
    layout->get_Caption(&text);
    std::wstring caption = text ? text : L"";
    SysFreeString(text);
    return caption;
}

// A layout file as the file persistence writes it: a compound file whose
// stream "Layout" holds the saved layout. Deleted at the end.
struct LayoutFile {
    explicit LayoutFile(const wchar_t* caption)
    {
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        wchar_t name[MAX_PATH] = {};
        GetTempFileNameW(folder, L"hvl", 0, name);
        path = name;
        IHvLayout* layout = NewLayout();
        BSTR text = SysAllocString(caption);
        layout->put_Caption(text);
        SysFreeString(text);
        VARIANT destination;
        VariantInit(&destination);
        VARIANT type;
        VariantInit(&type);
        type.vt = VT_I4;
        type.lVal = hvPersistenceTypeStream;
        VARIANT missing;
        VariantInit(&missing);
        missing.vt = VT_ERROR;
        missing.scode = DISP_E_PARAMNOTFOUND;
        REQUIRE(layout->Save(&destination, type, missing, missing, missing) == S_OK);
        REQUIRE(destination.vt == VT_UNKNOWN);
        IStream* saved = nullptr;
        REQUIRE(destination.punkVal->QueryInterface(IID_IStream, reinterpret_cast<void**>(&saved)) == S_OK);
        IStorage* storage = nullptr;
        REQUIRE(StgCreateDocfile(path.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage) ==
                S_OK);
        IStream* stream = nullptr;
        REQUIRE(storage->CreateStream(L"Layout", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream) ==
                S_OK);
        ULARGE_INTEGER all;
        all.QuadPart = ~0ull;
        CHECK(saved->CopyTo(stream, all, nullptr, nullptr) == S_OK);
        stream->Release();
        storage->Commit(STGC_DEFAULT);
        storage->Release();
        saved->Release();
        VariantClear(&destination);
        layout->Release();
    }
    ~LayoutFile() { DeleteFileW(path.c_str()); }
    std::wstring path;
};

VARIANT Text(const wchar_t* text)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    return v;
}

const wchar_t kLayoutUrl[] = L"http://127.0.0.1/grade.lay";

} // namespace

TEST_CASE("A layout URL in the cache is loaded at once as a file")
{
    Fixture f;
    LayoutFile file(L"Do cache");
    f.services.cache[kLayoutUrl] = file.path;
    IHvLayout* layout = NewLayout();
    LayoutLoadRequest request;
    request.categories = hvPropCatAll;
    request.layout = layout;
    VARIANT url = Text(kLayoutUrl);
    CHECK(f.downloads.LoadLayoutFromUrl(&url, &request) == S_OK);
    CHECK(Caption(layout) == L"Do cache");
    CHECK(f.services.started.empty());
    VariantClear(&url);
    layout->Release();
}

TEST_CASE("An uncached layout URL is downloaded once at a time and loaded when it arrives")
{
    Fixture f;
    LayoutFile file(L"Baixado");
    IHvLayout* layout = NewLayout();
    LayoutLoadRequest request;
    request.categories = hvPropCatAll;
    request.layout = layout;
    VARIANT url = Text(kLayoutUrl);
    CHECK(f.downloads.LoadLayoutFromUrl(&url, &request) == S_OK);
    REQUIRE(f.services.started.size() == 1);
    CHECK(f.services.started[0].first == 2182u);
    CHECK(f.services.started[0].second == kLayoutUrl);
    CHECK(f.downloads.Layouts().IsDownloading());

    CHECK(f.downloads.LoadLayoutFromUrl(&url, &request) == static_cast<HRESULT>(0x800A9C69));
    CHECK(f.control.raised == std::vector<WORD>{4034});
    CHECK(f.services.started.size() == 1);

    f.Arrive(2182, file.path.c_str());
    CHECK(Caption(layout) == L"Baixado");
    CHECK_FALSE(f.downloads.Layouts().IsDownloading());
    CHECK(layout->Release() == 0);
    VariantClear(&url);
}

TEST_CASE("A layout load without request or layout, or without URL text, is an invalid value")
{
    Fixture f;
    VARIANT url = Text(kLayoutUrl);
    LayoutLoadRequest empty;
    CHECK(f.downloads.LoadLayoutFromUrl(&url, nullptr) == static_cast<HRESULT>(0x800A017C));
    CHECK(f.downloads.LoadLayoutFromUrl(&url, &empty) == static_cast<HRESULT>(0x800A017C));
    CHECK(f.control.raised == std::vector<WORD>{10380, 10380});
    CHECK(f.services.started.empty());
    VariantClear(&url);
}

TEST_CASE("A download ends once: at its data end, or at the binding's stop")
{
    // A file: URL announces no data end; only the stop ends it.
    auto announce = [](Fixture& f, DWORD id, const wchar_t* file) {
        f.Progress(id, BINDSTATUS_BEGINDOWNLOADDATA);
        f.Progress(id, BINDSTATUS_CACHEFILENAMEAVAILABLE, file);
    };
    SUBCASE("a sound played once, whichever ends it")
    {
        for (bool dataEnd : {false, true}) {
            CAPTURE(dataEnd);
            Fixture f;
            VARIANT v = Long(16);
            f.Play(kUrl, &v);
            announce(f, 30, L"C:\\cache\\som.wav");
            if (dataEnd)
                f.Progress(30, BINDSTATUS_ENDDOWNLOADDATA);
            f.downloads.OnUrlStop(30, S_OK);
            CHECK(f.services.downloadedNow == std::vector<std::wstring>{L"C:\\cache\\som.wav"});
            CHECK(f.services.played.size() == 1);
            CHECK_FALSE(f.downloads.Sounds().IsDownloading());
        }
    }
    SUBCASE("a failed sound download plays nothing and lets the next one start")
    {
        Fixture f;
        VARIANT v = Long(16);
        f.Play(kUrl, &v);
        f.downloads.OnUrlStop(30, static_cast<HRESULT>(0x800C0005));
        CHECK(f.services.played.empty());
        CHECK_FALSE(f.downloads.Sounds().IsDownloading());
        f.Play(kUrl, &v);
        CHECK(f.services.started.size() == 2);
    }
    SUBCASE("a layout loaded at the stop; a failed one drops its request")
    {
        Fixture f;
        LayoutFile file(L"Parado");
        IHvLayout* layout = NewLayout();
        LayoutLoadRequest request;
        request.categories = hvPropCatAll;
        request.layout = layout;
        VARIANT url = Text(kLayoutUrl);
        CHECK(f.downloads.LoadLayoutFromUrl(&url, &request) == S_OK);
        f.downloads.OnUrlStop(2182, static_cast<HRESULT>(0x800C0005));
        CHECK_FALSE(f.downloads.Layouts().IsDownloading());
        CHECK(Caption(layout) != L"Parado");
        CHECK(f.downloads.LoadLayoutFromUrl(&url, &request) == S_OK);
        announce(f, 2182, file.path.c_str());
        f.downloads.OnUrlStop(2182, S_OK);
        CHECK(Caption(layout) == L"Parado");
        f.downloads.OnUrlStop(2182, S_OK);   // nothing runs: nothing happens
        CHECK(layout->Release() == 0);       // no request is held any more
        VariantClear(&url);
    }
    SUBCASE("the images hear of the end once; a failure leaves them alone")
    {
        Fixture f;
        f.control.imagesAnswer = S_OK;
        CHECK(f.downloads.StartImagesDownload(L"file:///C:/tiras.png") == S_OK);
        CHECK(f.downloads.IsDownloadingImages());
        f.downloads.OnUrlStop(2102, static_cast<HRESULT>(0x800C0005));
        CHECK(f.control.imageNotices.empty());
        CHECK(f.downloads.StartImagesDownload(L"file:///C:/tiras.png") == S_OK);
        announce(f, 2102, L"C:\\tiras.png");
        f.downloads.OnUrlStop(2102, S_OK);
        f.downloads.OnUrlStop(2102, S_OK);
        CHECK(f.control.imageNotices ==
              std::vector<ULONG>{BINDSTATUS_BEGINDOWNLOADDATA, BINDSTATUS_CACHEFILENAMEAVAILABLE,
                                 BINDSTATUS_ENDDOWNLOADDATA});
        CHECK_FALSE(f.downloads.IsDownloadingImages());
        CHECK(f.services.started.size() == 2);
        CHECK(f.services.started[0].first == 2102u);
    }
}
