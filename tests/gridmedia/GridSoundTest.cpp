// PlaySoundFile through the grid in a container with a bind host, with the
// system's URL services recorded: the sound device here has no sound to
// give, so what would have been played is what the test reads.
#include "GridControlFixture.h"
#include "LoopbackHttpServer.h"
#include "MediaTestSupport.h"
#include "SystemUrlServices.h"

namespace {

struct Played {
    std::wstring name;
    UINT flags;
};

// The system's services, with every sound and download noted.
class RecordingServices final : public UrlServices {
public:
    explicit RecordingServices(CControlBase* control) : system_(control) {}

    bool FindCachedFile(const std::wstring& url, std::wstring& localFile) override
    {
        return system_.FindCachedFile(url, localFile);
    }
    bool DownloadToCache(const std::wstring& url, std::wstring& localFile) override
    {
        return system_.DownloadToCache(url, localFile);
    }
    HRESULT StartDownload(DWORD id, const std::wstring& url) override
    {
        started.push_back(url);
        return system_.StartDownload(id, url);
    }
    void PlaySound(const std::wstring& name, UINT flags) override { played.push_back({name, flags}); }

    static inline std::vector<Played> played;
    static inline std::vector<std::wstring> started;

private:
    SystemUrlServices system_;
};

std::unique_ptr<UrlServices> MakeRecording(CControlBase* control)
{
    return std::make_unique<RecordingServices>(control);
}

struct RecordingScope {
    HvTavelle::UrlServicesMaker previous = HvTavelle::SetUrlServicesMaker(&MakeRecording);
    RecordingScope()
    {
        RecordingServices::played.clear();
        RecordingServices::started.clear();
    }
    ~RecordingScope() { HvTavelle::SetUrlServicesMaker(previous); }
};

} // namespace

TEST_CASE("PlaySoundFile with hvPlayWhenDownloaded plays the URL's sound once, after its download")
{
    LoopbackHttpServer server;
    REQUIRE(server.Listening());
    server.Serve("/sons/aviso.wav", std::string("RIFF\x24\0\0\0WAVE", 12));
    server.Hold("/sons/aviso.wav");
    RecordingScope recording;
    hv::container::SiteOptions options;
    options.offerBindHost = true;
    HostedGrid hosted(options);
    ComPtr<IHvTavelleControl> control = hosted.Query<IHvTavelleControl>();
    REQUIRE(control);

    const std::wstring url = server.Url("/sons/aviso.wav");
    BSTR name = SysAllocString(url.c_str());
    CHECK(control->PlaySoundFile(name, Long(16)) == S_OK);
    SysFreeString(name);
    CHECK(RecordingServices::started == std::vector<std::wstring>{url});
    CHECK(RecordingServices::played.empty());   // nothing before the data

    server.Release("/sons/aviso.wav");
    CHECK(PumpUntil([] { return !RecordingServices::played.empty(); }));
    PumpUntil([] { return false; }, 200);   // nothing more comes
    REQUIRE(RecordingServices::played.size() == 1);
    CHECK(RecordingServices::played[0].flags == (SND_ASYNC | SND_FILENAME));
    CHECK(RecordingServices::played[0].name != url);   // the local copy
    CHECK(server.Requests("/sons/aviso.wav") == 1);
}
